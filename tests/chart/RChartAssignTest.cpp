// Copying a chart: a source with every copyable setting away from its default
// and its copy draw the same picture, and the settings that draw nothing read
// the same.
#include <gtest/gtest.h>

#include "chart/FirstChart.h"
#include "controls/chart/PLX_rchart.h"
#include "platform/Canvas.h"
#include "support/PixelMask.h"

namespace {

void changeChartSettings(TRChart& c) {
  c.SetChartColor(clYellow);
  c.SetWindColor(clAqua);
  c.SetChartFrameColor(clNavy);
  c.SetShadowStyle(ssBox);
  c.SetShadowColor(clMaroon);
  c.SetShadowBakColor(clLime);
  c.SetShadowWidth(6);
  c.SetGridStyle(gsDotLines);
  c.SetGridColor(clRed);
  c.SetGridDx(5);
  c.SetGridDy(4);
  c.SetMarginLeft(70);
  c.SetMarginRight(30);
  c.SetMarginTop(35);
  c.SetMarginBottom(50);
  c.SetCaption(u"Feeder");
  c.SetCaptionPosX(12);
  c.SetCaptionPosY(-20);
  c.SetCaptionAlignment(taLeftJustify);
  c.SetCaptionAnchorHoriz(cahChartLeft);
  c.SetCaptionAnchorVert(cavChartCenter);
  c.Font().SetColor(clPurple);
  c.Font().SetHeight(14);
}

void changeLayerSettings(TRChart& c) {
  TScalePropsHoriz& x = c.ScalePropsX(1);
  x.SetCaption(u"m");
  x.SetCaptionPosX(5);
  x.SetCaptionPosY(3);
  x.SetCaptionAlignment(taRightJustify);
  x.SetCaptionAnchor(uaSclBotRgt);
  x.SetColorScale(clTeal);
  x.SetDecPlaces(2);
  x.SetMinTicks(6);
  x.SetShortTicks(false);
  x.SetScaleInscript(u"<&>");
  x.SetScalePos(4);
  x.Font().SetColor(clGreen);
  x.SetRangeLow(2);
  x.SetRangeHigh(50);
  TScalePropsVert& y = c.ScalePropsY(1);
  y.SetRangeLow(1);
  y.SetRangeHigh(100);
  y.SetLogarithmic(true);
  y.SetScaleLocation(slRight);
  TScalePropsVert& y2 = c.ScalePropsY(2);
  y2.SetVisible(true);
  y2.SetRangeHigh(7);
  y2.SetLabelType(ftUserText);
  y2.SetUserTickText(u"a|b|c");
  y2.SetMinRange(0.5);
  c.SetMouseAffectsLayer(2, true);
  c.SetMouseAffectsLayer(1, false);
}

void changeItemsAndMarks(TRChart& c) {
  c.SetDataColor(clBlue);
  c.SetFillColor(clOlive);
  c.SetPenStyle(psDash);
  c.SetLineWidth(2);
  c.MoveTo(3, 2);
  c.DrawTo(40, 90);
  c.Store().SetTextFontStyle(1);
  c.Store().SetTextBkStyle(tbSolid);
  c.Store().SetTextBkColor(clSilver);
  c.Store().SetTextAlignment(taLeftJustify);
  c.Text(10, 10, 12, u"Text");
  c.Store().SetClassDefault(3);
  c.MarkAt(20, 30, 24);
  c.SetClassVisible(3, false);
  c.SetActiveLayer(2);
  c.Rectangle(5, 1, 15, 3);
  c.SetLayerVisible(3, false);
  c.Store().SetDataTag(17);
  c.Store().SetTransparentItems(true);
  c.Store().SetAllocSize(77);
  c.SetAvoidDuplicateMarks(true);
  c.CrossHairSetup(1, clRed, chBoth, psDot, 1);
  c.CrossHairSetPos(1, 20, 10);
  c.CrossHairSetup(2, clBlack, chBox, psSolid, 2);
  c.CrossHair2().SetLayer(1);
  c.CrossHairSetPos(2, 30, 50);
  TBakGndImg& bg = c.BackGroundImg();
  bg.SetAreaMode(bamVStripe);
  bg.SetAreaColor(clFuchsia);
  bg.SetAreaLeft(10);
  bg.SetAreaRight(20);
}

void changeBehaviour(TRChart& c) {
  c.SetMouseAction(maPan);
  c.SetMouseCursorFixed(false);
  c.ConfineZoomRange(0, 0.5, 60, 200);
  c.SetAutoRedraw(false);
}

TEST(RChartAssign, TheCopyDrawsWhatTheSourceDraws) {
  TRChart source;
  MakeFirstChart(source);
  source.SetSuppressPaint(false);
  changeChartSettings(source);
  changeLayerSettings(source);
  changeItemsAndMarks(source);
  changeBehaviour(source);
  TRChart copy;
  MakeFirstChart(copy);
  copy.SetSuppressPaint(false);
  copy.Assign(source);
  source.Paint();
  copy.Paint();
  EXPECT_TRUE(SamePixels(source.Surface(), copy.Surface()));
  EXPECT_TRUE(SamePixels(source.ChartBmp(), copy.ChartBmp()));
  EXPECT_TRUE(SamePixels(source.GrafBmp(), copy.GrafBmp()));

  EXPECT_EQ(copy.MouseAction(), maPan);
  EXPECT_FALSE(copy.MouseCursorFixed());
  EXPECT_FALSE(copy.AutoRedraw());
  EXPECT_TRUE(copy.MouseAffectsLayer(2));
  EXPECT_FALSE(copy.MouseAffectsLayer(1));
  EXPECT_EQ(copy.Store().DataTag(), 17);
  EXPECT_TRUE(copy.Store().TransparentItems());
  EXPECT_EQ(copy.Store().AllocSize(), 77);
  EXPECT_EQ(copy.Store().ClassDefault(), 3);
  EXPECT_EQ(copy.ActiveLayer(), 2);
  EXPECT_EQ(copy.DataColor(), clBlue);
  EXPECT_EQ(copy.FillColor(), clOlive);
  EXPECT_EQ(copy.PenStyle(), psDash);
  EXPECT_EQ(copy.LineWidth(), 2);
  EXPECT_EQ(copy.ScalePropsY(2).MinRange(), 0.5);
  // The confinement: a range beyond the box is cut back to it in both.
  for (TRChart* chart : {&source, &copy}) chart->SetRange(1, -100, -100, 100, 300);
  EXPECT_EQ(copy.ScalePropsX(1).RangeLow(), source.ScalePropsX(1).RangeLow());
  EXPECT_EQ(copy.ScalePropsX(1).RangeHigh(), source.ScalePropsX(1).RangeHigh());
  EXPECT_EQ(copy.ScalePropsY(1).RangeHigh(), source.ScalePropsY(1).RangeHigh());
}

}  // namespace
