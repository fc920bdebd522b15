#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <new>
#include <ostream>
#include <string>
#include <type_traits>
#include <vector>

#include "controls/chart/rules/PLX_ChartStore.h"

namespace {

void expectSameItem(const TrcChartItem& actual, const TrcChartItem& expected) {
  EXPECT_EQ(actual.ItemKind, expected.ItemKind);
  EXPECT_EQ(actual.x, expected.x);
  EXPECT_EQ(actual.y, expected.y);
  EXPECT_EQ(actual.x2, expected.x2);
  EXPECT_EQ(actual.y2, expected.y2);
  EXPECT_EQ(actual.Color, expected.Color);
  EXPECT_EQ(actual.FillColor, expected.FillColor);
  EXPECT_EQ(actual.ShadowColor, expected.ShadowColor);
  EXPECT_EQ(actual.HiLightColor, expected.HiLightColor);
  EXPECT_EQ(actual.PenStyle, expected.PenStyle);
  EXPECT_EQ(actual.Tag, expected.Tag);
  EXPECT_EQ(actual.LWid, expected.LWid);
  EXPECT_EQ(actual.ItemClass, expected.ItemClass);
  EXPECT_EQ(actual.Layer, expected.Layer);
  EXPECT_EQ(actual.Transp, expected.Transp);
  EXPECT_EQ(actual.FrameStyle, expected.FrameStyle);
  EXPECT_EQ(actual.Text.Bytes(), expected.Text.Bytes());
  EXPECT_EQ(actual.SizeOrAngle, expected.SizeOrAngle);
  EXPECT_EQ(actual.Depth, expected.Depth);
  EXPECT_EQ(actual.MarkOrAlign, expected.MarkOrAlign);
}

std::vector<TrcItem> kinds(const TrcItemStore& store) {
  std::vector<TrcItem> result;
  for (int i = 0; i < store.NumItems(); ++i) result.push_back(store.DataContainer(i).ItemKind);
  return result;
}

void* failingRealloc(void*, std::size_t) { return nullptr; }

class ChartStoreTest : public ::testing::Test {
 protected:
  TrcItemStore store;
};

}  // namespace

// --- attributes and empty store --------------------------------------------------

TEST_F(ChartStoreTest, NewStoreHasTheClassDefaults) {
  EXPECT_EQ(store.DataColor(), clBlack);
  EXPECT_EQ(store.FillColor(), clSilver);
  EXPECT_EQ(store.PenStyle(), psSolid);
  EXPECT_EQ(store.LineWidth(), 1);
  EXPECT_EQ(store.ClassDefault(), 0);
  EXPECT_EQ(store.ActiveLayer(), 1);
  EXPECT_EQ(store.DataTag(), 0);
  EXPECT_FALSE(store.TransparentItems());
  EXPECT_EQ(store.TextAlignment(), taCenter);
  EXPECT_EQ(store.AllocSize(), 1000);
  EXPECT_FALSE(store.AvoidDuplicateMarks());
  EXPECT_EQ(store.TextFontStyle(), 0);
  EXPECT_EQ(store.TextBkStyle(), tbClear);
  EXPECT_EQ(store.TextBkColor(), clWhite);
  EXPECT_EQ(store.LastElemOnShow(), 0);
  for (int c = 0; c < 256; ++c) EXPECT_TRUE(store.ClassVisible(static_cast<uint8_t>(c)));
  for (int l = 1; l <= 16; ++l) EXPECT_TRUE(store.LayerVisible(l));
  EXPECT_FALSE(store.LayerVisible(0));
  EXPECT_FALSE(store.LayerVisible(17));
}

TEST_F(ChartStoreTest, EmptyStoreReadsAndRemovalsAreHarmless) {
  EXPECT_EQ(store.NumItems(), 0);
  EXPECT_EQ(store.NumAllocated(), 0);
  EXPECT_EQ(store.TypeOfFirstItem(), tkNone);
  EXPECT_EQ(store.TypeOfLastItem(), tkNone);
  EXPECT_EQ(store.DataContainer(0).ItemKind, tkNone);
  EXPECT_EQ(store.GetItemParams(-1).ItemKind, tkNone);
  store.RemoveLastItem();
  store.RemoveItem(0);
  store.RemoveFirstItem();
  EXPECT_EQ(store.NumItems(), 0);
  EXPECT_EQ(store.NumAllocated(), 0);
  EXPECT_EQ(store.FindUsedLayers().count(), 0u);
}

TEST_F(ChartStoreTest, OutOfRangeAttributeValuesAreIgnored) {
  store.SetAllocSize(500);
  for (int bad : {0, -5, 1000001}) {
    store.SetAllocSize(bad);
    EXPECT_EQ(store.AllocSize(), 500) << bad;
  }
  store.SetAllocSize(1000000);
  EXPECT_EQ(store.AllocSize(), 1000000);

  store.SetClassDefault(7);
  store.SetClassDefault(255);
  EXPECT_EQ(store.ClassDefault(), 7);

  store.SetActiveLayer(3);
  store.SetActiveLayer(0);
  store.SetActiveLayer(17);
  EXPECT_EQ(store.ActiveLayer(), 3);
  store.MarkAt(1, 1, 0);
  EXPECT_EQ(store.DataContainer(0).ItemClass, 7);
  EXPECT_EQ(store.DataContainer(0).Layer, 3);
}

// --- growth -----------------------------------------------------------------

TEST_F(ChartStoreTest, GrowsByWholeSteps) {
  store.MoveTo(0, 0);
  EXPECT_EQ(store.NumAllocated(), 1000);
  for (int i = 1; i < 1000; ++i) store.DrawTo(i, i);
  EXPECT_EQ(store.NumItems(), 1000);
  EXPECT_EQ(store.NumAllocated(), 1000);
  store.DrawTo(1000, 1000);
  EXPECT_EQ(store.NumItems(), 1001);
  EXPECT_EQ(store.NumAllocated(), 2000);
  EXPECT_EQ(store.DataContainer(1000).x, 1000.0);
  EXPECT_EQ(store.DataContainer(999).x, 999.0);
  EXPECT_EQ(store.ItemCount(tkLineto), 1000);
}

TEST_F(ChartStoreTest, AllocSizeOneGrowsOneRecordAtATime) {
  store.SetAllocSize(1);
  for (int i = 1; i <= 5; ++i) {
    store.MarkAt(i, i, 1);
    EXPECT_EQ(store.NumAllocated(), i);
  }
  for (int i = 0; i < 5; ++i) EXPECT_EQ(store.DataContainer(i).x, i + 1.0);
}

// --- drawing commands -------------------------------------------------------

TEST_F(ChartStoreTest, YellowMarkKeepsItsColour) {
  store.SetDataColor(0x00FFFF);
  store.MarkAt(12.3, 14.2, 24);
  const TrcChartItem item = store.DataContainer(0);
  EXPECT_EQ(item.ItemKind, tkMarkAt);
  EXPECT_EQ(item.x, 12.3);
  EXPECT_EQ(item.y, 14.2);
  EXPECT_EQ(item.Color, 0x00FFFF);
  EXPECT_EQ(item.MarkOrAlign, 24);
  EXPECT_EQ(item.Layer, 1);
  EXPECT_EQ(item.ItemClass, 0);

  store.SetDataColor(clRed);
  EXPECT_EQ(store.DataContainer(0).Color, 0x00FFFF);
  store.MarkAt(1, 1, 24);
  store.NewColorOfClassItems(clBlack, 255);
  EXPECT_EQ(store.DataContainer(0).Color, clBlack);
  EXPECT_EQ(store.DataContainer(1).Color, clBlack);
}

TEST_F(ChartStoreTest, MoveToAndDrawToAreCountedByKind) {
  store.MoveTo(0, 0);
  store.DrawTo(1, 1);
  EXPECT_EQ(store.NumItems(), 2);
  EXPECT_EQ(kinds(store), (std::vector<TrcItem>{tkMoveTo, tkLineto}));
  EXPECT_EQ(store.ItemCount(tkMoveTo), 1);
  EXPECT_EQ(store.ItemCount(tkLineto), 1);
  EXPECT_EQ(store.ItemCount(tkMarkAt), 0);
  EXPECT_EQ(store.TypeOfFirstItem(), tkMoveTo);
  EXPECT_EQ(store.TypeOfLastItem(), tkLineto);
}

struct CommandCase {
  const char* name;
  std::function<void(TrcItemStore&)> command;
  std::function<void(TrcChartItem&)> expectedFields;  // beyond the common ones
};

void PrintTo(const CommandCase& c, std::ostream* os) { *os << c.name; }

class DrawingCommand : public ::testing::TestWithParam<CommandCase> {};

// Every command captures the common attributes; the further fields are those
// of its kind, and a field a kind does not use stays zero.
TEST_P(DrawingCommand, StoresItsFieldsAndTheCurrentAttributes) {
  TrcItemStore store;
  store.SetDataColor(clRed);
  store.SetFillColor(clNavy);
  store.SetPenStyle(psDot);
  store.SetLineWidth(3);
  store.SetClassDefault(9);
  store.SetActiveLayer(4);
  store.SetDataTag(-77);
  store.SetTransparentItems(true);
  store.SetTextAlignment(taRightJustify);
  GetParam().command(store);
  ASSERT_EQ(store.NumItems(), 1);

  TrcChartItem expected{};
  expected.Color = clRed;
  expected.PenStyle = psDot;
  expected.LWid = 3;
  expected.ItemClass = 9;
  expected.Layer = 4;
  expected.Tag = -77;
  GetParam().expectedFields(expected);
  const TrcChartItem actual = store.DataContainer(0);
  expectSameItem(actual, expected);
  EXPECT_EQ(store.ItemCount(expected.ItemKind), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, DrawingCommand,
    ::testing::Values(
        CommandCase{"MarkAt",
                    [](TrcItemStore& s) { s.MarkAt(1.5, -2, 200); },
                    [](TrcChartItem& e) {
                      e.ItemKind = tkMarkAt;
                      e.x = 1.5;
                      e.y = -2;
                      e.MarkOrAlign = 200;
                    }},
        CommandCase{"MarkErrorBar",
                    [](TrcItemStore& s) { s.MarkErrorBar(1, 2, 0.5, 0.25, orHoriz, 3); },
                    [](TrcChartItem& e) {
                      e.ItemKind = tkMarkEBar;
                      e.x = 1;
                      e.y = 2;
                      e.x2 = 0.5;
                      e.y2 = 0.25;
                      e.SizeOrAngle = orHoriz;
                      e.MarkOrAlign = 3;
                    }},
        CommandCase{"Text",
                    [](TrcItemStore& s) { s.Text(1, 2, 12, u"Hello"); },
                    [](TrcChartItem& e) {
                      e.ItemKind = tkText;
                      e.x = 1;
                      e.y = 2;
                      e.Text = TItemText::FromString(u"Hello");
                      e.SizeOrAngle = 12;
                      e.MarkOrAlign = taRightJustify;
                    }},
        CommandCase{"TextOfs",
                    [](TrcItemStore& s) { s.Text(1, 2, 8, u"ab", -4, 6, taLeftJustify); },
                    [](TrcChartItem& e) {
                      e.ItemKind = tkTextOfs;
                      e.x = 1;
                      e.y = 2;
                      e.x2 = -4;
                      e.y2 = 6;
                      e.Text = TItemText::FromString(u"ab");
                      e.SizeOrAngle = 8;
                      e.MarkOrAlign = taLeftJustify;
                    }},
        CommandCase{"MoveTo",
                    [](TrcItemStore& s) { s.MoveTo(3, 4); },
                    [](TrcChartItem& e) {
                      e.ItemKind = tkMoveTo;
                      e.x = 3;
                      e.y = 4;
                    }},
        CommandCase{"MoveToRelPix",
                    [](TrcItemStore& s) { s.MoveToRelPix(-5, 7); },
                    [](TrcChartItem& e) {
                      e.ItemKind = tkMoveRelPix;
                      e.x = -5;
                      e.y = 7;
                    }},
        CommandCase{"DrawTo",
                    [](TrcItemStore& s) { s.DrawTo(3, 4); },
                    [](TrcChartItem& e) {
                      e.ItemKind = tkLineto;
                      e.x = 3;
                      e.y = 4;
                      e.FillColor = clNavy;
                    }},
        CommandCase{"DrawToRelPix",
                    [](TrcItemStore& s) { s.DrawToRelPix(2, -3); },
                    [](TrcChartItem& e) {
                      e.ItemKind = tkLineRelPix;
                      e.x = 2;
                      e.y = -3;
                      e.FillColor = clNavy;
                    }},
        CommandCase{"Line",
                    [](TrcItemStore& s) { s.Line(1, 2, 3, 4); },
                    [](TrcChartItem& e) {
                      e.ItemKind = tkLine;
                      e.x = 1;
                      e.y = 2;
                      e.x2 = 3;
                      e.y2 = 4;
                      e.FillColor = clNavy;
                    }},
        CommandCase{"Rectangle",
                    [](TrcItemStore& s) { s.Rectangle(4, 3, 2, 1); },
                    [](TrcChartItem& e) {
                      e.ItemKind = tkRect;
                      e.x = 4;
                      e.y = 3;
                      e.x2 = 2;
                      e.y2 = 1;
                      e.FillColor = clNavy;
                      e.Transp = true;
                    }},
        CommandCase{"RectangleRelPix",
                    [](TrcItemStore& s) { s.RectangleRelPix(1, 2, 5, 6); },
                    [](TrcChartItem& e) {
                      e.ItemKind = tkRectRelPix;
                      e.x = 1;
                      e.y = 2;
                      e.x2 = 5;
                      e.y2 = 6;
                      e.FillColor = clNavy;
                      e.Transp = true;
                    }},
        CommandCase{"Arrow",
                    [](TrcItemStore& s) { s.Arrow(1, 2, 3, 4, 9); },
                    [](TrcChartItem& e) {
                      e.ItemKind = tkArrow;
                      e.x = 1;
                      e.y = 2;
                      e.x2 = 3;
                      e.y2 = 4;
                      e.FillColor = clNavy;
                      e.Transp = true;
                      e.SizeOrAngle = 9;
                    }},
        CommandCase{"RectFrame",
                    [](TrcItemStore& s) { s.RectFrame(1, 2, 3, 4, fsEngraved, clGray, clWhite); },
                    [](TrcChartItem& e) {
                      e.ItemKind = tkRectFrame;
                      e.x = 1;
                      e.y = 2;
                      e.x2 = 3;
                      e.y2 = 4;
                      e.FillColor = clNavy;
                      e.LWid = 1;  // whatever LineWidth says
                      e.FrameStyle = fsEngraved;
                      e.ShadowColor = clGray;
                      e.HiLightColor = clWhite;
                    }},
        CommandCase{"Bar3D",
                    [](TrcItemStore& s) { s.Bar3D(0, 0, 1, 2, 5, 45); },
                    [](TrcChartItem& e) {
                      e.ItemKind = tk3DBar;
                      e.x2 = 1;
                      e.y2 = 2;
                      e.FillColor = clNavy;
                      e.Depth = 5;
                      e.SizeOrAngle = 45;
                    }},
        CommandCase{"Ellipse",
                    [](TrcItemStore& s) { s.Ellipse(1, 2, 3, 4); },
                    [](TrcChartItem& e) {
                      e.ItemKind = tkEllipse;
                      e.x = 1;
                      e.y = 2;
                      e.x2 = 3;
                      e.y2 = 4;
                      e.FillColor = clNavy;
                      e.Transp = true;
                    }}),
    [](const ::testing::TestParamInfo<CommandCase>& test) { return std::string(test.param.name); });

TEST_F(ChartStoreTest, Bar3DClampsItsAngle) {
  store.Bar3D(0, 0, 1, 1, 5, -10);
  store.Bar3D(0, 0, 1, 1, 5, 200);
  store.Bar3D(0, 0, 1, 1, 5, 180);
  EXPECT_EQ(store.DataContainer(0).SizeOrAngle, 0);
  EXPECT_EQ(store.DataContainer(1).SizeOrAngle, 180);
  EXPECT_EQ(store.DataContainer(2).SizeOrAngle, 180);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(store.DataContainer(i).Depth, 5);
}

TEST_F(ChartStoreTest, TextKeepsItsFirstFifteenCharacters) {
  store.Text(0, 0, 10, u"ABCDEFGHIJKLMNOPQ");  // 17
  store.Text(0, 0, 10, u"ABCDEFGHIJKLMNO");    // 15
  store.Text(0, 0, 10, u"");
  EXPECT_EQ(store.DataContainer(0).Text.ToString(), u"ABCDEFGHIJKLMNO");
  EXPECT_EQ(store.DataContainer(1).Text.ToString(), u"ABCDEFGHIJKLMNO");
  EXPECT_EQ(store.DataContainer(2).Text.Length, 0);
}

TEST(ItemText, ConvertsThroughTheWesternCodePage) {
  const TItemText text = TItemText::FromString(u"\u00E9\u20AC\u0416\U0001F600x\u0081\u0080");
  EXPECT_EQ(text.Bytes(), std::string_view("\xE9\x80?\?x\x81?", 7));
  EXPECT_EQ(text.ToString(), u"\u00E9\u20AC??x\u0081?");
}

TEST(ItemText, CutsAfterConversionNotBefore) {
  // Characters outside the basic plane count once each.
  const std::u16string emoji = u"\U0001F600";
  std::u16string text;
  for (int i = 0; i < 16; ++i) text += emoji;
  EXPECT_EQ(TItemText::FromString(text).Bytes(), std::string(15, '?'));
}

// --- removal ------------------------------------------------------------------

TEST_F(ChartStoreTest, RemovingTheOnlyItemResetsTheCapacity) {
  store.SetAllocSize(10);
  store.MarkAt(1, 1, 1);
  EXPECT_EQ(store.NumAllocated(), 10);
  store.RemoveItem(0);
  EXPECT_EQ(store.NumItems(), 0);
  EXPECT_EQ(store.NumAllocated(), 0);
  EXPECT_EQ(store.ItemCount(tkMarkAt), 0);
  store.MoveTo(2, 2);
  EXPECT_EQ(store.NumAllocated(), 10);
  EXPECT_EQ(store.DataContainer(0).ItemKind, tkMoveTo);
}

TEST_F(ChartStoreTest, RemoveItemShiftsTheTailDown) {
  store.MoveTo(0, 0);
  store.MarkAt(1, 1, 1);
  store.DrawTo(2, 2);
  store.RemoveItem(3);  // out of range
  store.RemoveItem(-1);
  EXPECT_EQ(store.NumItems(), 3);
  store.RemoveItem(1);
  EXPECT_EQ(kinds(store), (std::vector<TrcItem>{tkMoveTo, tkLineto}));
  EXPECT_EQ(store.ItemCount(tkMarkAt), 0);
  EXPECT_EQ(store.ItemCount(tkLineto), 1);
  EXPECT_EQ(store.DataContainer(1).x, 2.0);
  EXPECT_EQ(store.NumAllocated(), 1000);
  store.RemoveFirstItem();
  EXPECT_EQ(kinds(store), (std::vector<TrcItem>{tkLineto}));
}

TEST_F(ChartStoreTest, RemoveLastItemEmptiesAndResets) {
  store.MoveTo(0, 0);
  store.DrawTo(1, 1);
  store.RemoveLastItem();
  EXPECT_EQ(kinds(store), (std::vector<TrcItem>{tkMoveTo}));
  EXPECT_EQ(store.ItemCount(tkLineto), 0);
  EXPECT_EQ(store.NumAllocated(), 1000);
  store.RemoveLastItem();
  EXPECT_EQ(store.NumItems(), 0);
  EXPECT_EQ(store.NumAllocated(), 0);
  EXPECT_EQ(store.ItemCount(tkMoveTo), 0);
}

// A command writes only its own fields: in a position a removed item held,
// the others keep that item's values; in a position never used they are 0.
TEST_F(ChartStoreTest, NewItemKeepsThePreviousOccupantsUnsetFields) {
  store.Line(1, 2, 3, 4);
  store.Text(5, 6, 12, u"label");
  store.RemoveLastItem();
  store.RemoveLastItem();  // the store is reset, its first record stays
  store.MarkAt(7, 8, 24);
  store.MarkAt(9, 10, 3);

  const TrcChartItem reused = store.DataContainer(0);
  EXPECT_EQ(reused.ItemKind, tkMarkAt);
  EXPECT_EQ(reused.x, 7.0);
  EXPECT_EQ(reused.MarkOrAlign, 24);
  EXPECT_EQ(reused.x2, 3.0) << "from the line";
  EXPECT_EQ(reused.y2, 4.0);
  EXPECT_EQ(reused.FillColor, clSilver);

  TrcItemStore fresh;
  fresh.SetAllocSize(2);
  fresh.MarkAt(1, 1, 1);
  fresh.Text(5, 6, 12, u"label");
  fresh.RemoveLastItem();
  fresh.MarkAt(9, 10, 3);
  fresh.MarkAt(11, 12, 4);  // grows: a position never used
  EXPECT_EQ(fresh.DataContainer(1).Text.ToString(), u"label");
  EXPECT_EQ(fresh.DataContainer(1).SizeOrAngle, 12);
  EXPECT_EQ(fresh.DataContainer(2).Text.Length, 0);
  EXPECT_EQ(fresh.DataContainer(2).SizeOrAngle, 0);
  EXPECT_EQ(fresh.DataContainer(2).x2, 0.0);
}

TEST_F(ChartStoreTest, RemoveByClassAndLayerKeepOrderAndCapacity) {
  store.SetActiveLayer(1);
  store.MoveTo(0, 0);  // class 0, layer 1
  store.SetClassDefault(5);
  store.MarkAt(1, 1, 1);  // class 5, layer 1
  store.SetActiveLayer(3);
  store.DrawTo(2, 2);  // class 5, layer 3
  store.SetClassDefault(0);
  store.DrawTo(3, 3);  // class 0, layer 3

  EXPECT_EQ(store.RemoveItemsByLayer(2), 0);
  EXPECT_EQ(store.NumItems(), 4);

  EXPECT_EQ(store.RemoveItemsByClass(5), 2);
  EXPECT_EQ(kinds(store), (std::vector<TrcItem>{tkMoveTo, tkLineto}));
  EXPECT_EQ(store.DataContainer(1).x, 3.0);
  EXPECT_EQ(store.ItemCount(tkMarkAt), 0);
  EXPECT_EQ(store.ItemCount(tkLineto), 1);

  EXPECT_EQ(store.RemoveItemsByLayer(1), 1);
  EXPECT_EQ(store.RemoveItemsByLayer(3), 1);
  EXPECT_EQ(store.NumItems(), 0);
  EXPECT_EQ(store.NumAllocated(), 1000);
}

TEST_F(ChartStoreTest, ClearKeepsTheAttributes) {
  store.SetDataColor(clYellow);
  store.SetActiveLayer(5);
  store.SetClassVisible(3, false);
  store.SetLayerVisible(2, false);
  store.MoveTo(0, 0);
  store.MarkAt(1, 1, 1);
  store.SetLastElemOnShow(1);
  store.Clear();
  EXPECT_EQ(store.NumItems(), 0);
  EXPECT_EQ(store.NumAllocated(), 0);
  EXPECT_EQ(store.LastElemOnShow(), 0);
  for (int k = 0; k < NumItemKinds; ++k) EXPECT_EQ(store.ItemCount(TrcItem(k)), 0);
  EXPECT_EQ(store.DataColor(), clYellow);
  EXPECT_EQ(store.ActiveLayer(), 5);
  EXPECT_FALSE(store.ClassVisible(3));
  EXPECT_FALSE(store.LayerVisible(2));
  store.MarkAt(2, 2, 2);
  EXPECT_EQ(store.NumAllocated(), 1000);
}

// --- edits ----------------------------------------------------------------------

TEST_F(ChartStoreTest, SetItemParamsAdjustsCountsAndRefusesFilters) {
  store.MoveTo(0, 0);
  store.MarkAt(1, 1, 1);
  TrcChartItem rec = store.GetItemParams(0);
  rec.ItemKind = tkEverything;
  rec.x = 99;
  store.SetItemParams(0, rec);
  rec.ItemKind = tkNone;
  store.SetItemParams(0, rec);
  rec.ItemKind = TrcItem(42);
  store.SetItemParams(0, rec);
  EXPECT_EQ(store.DataContainer(0).x, 0.0);
  EXPECT_EQ(store.DataContainer(0).ItemKind, tkMoveTo);

  rec.ItemKind = tkLine;
  store.SetItemParams(0, rec);
  store.SetItemParams(2, rec);  // out of range
  EXPECT_EQ(store.DataContainer(0).x, 99.0);
  EXPECT_EQ(store.ItemCount(tkMoveTo), 0);
  EXPECT_EQ(store.ItemCount(tkLine), 1);
  EXPECT_EQ(store.ItemCount(tkMarkAt), 1);
}

TEST_F(ChartStoreTest, DataContainerWritesAsGivenWithoutCounting) {
  store.MoveTo(0, 0);
  TrcChartItem rec{};
  rec.ItemKind = tkMarkAt;
  rec.Layer = 40;
  store.SetDataContainer(0, rec);
  store.SetDataContainer(1, rec);  // ignored
  EXPECT_EQ(store.NumItems(), 1);
  EXPECT_EQ(store.DataContainer(0).ItemKind, tkMarkAt);
  EXPECT_EQ(store.ItemCount(tkMoveTo), 1);
  EXPECT_EQ(store.ItemCount(tkMarkAt), 0);
  EXPECT_EQ(store.FindUsedLayers().count(), 0u);  // layer 40 is no layer
}

TEST_F(ChartStoreTest, NewColourByClass) {
  store.MarkAt(0, 0, 1);
  store.SetClassDefault(2);
  store.MarkAt(1, 1, 1);
  store.NewColorOfClassItems(clRed, 2);
  EXPECT_EQ(store.DataContainer(0).Color, clBlack);
  EXPECT_EQ(store.DataContainer(1).Color, clRed);
}

TEST_F(ChartStoreTest, UsedLayers) {
  store.SetActiveLayer(2);
  store.MarkAt(0, 0, 1);
  store.SetActiveLayer(16);
  store.MarkAt(0, 0, 1);
  store.MarkAt(0, 0, 1);
  const TLayerSet used = store.FindUsedLayers();
  EXPECT_EQ(used.count(), 2u);
  EXPECT_TRUE(used.test(2));
  EXPECT_TRUE(used.test(16));
  EXPECT_FALSE(used.test(1));
}

// --- searches -------------------------------------------------------------------

TEST_F(ChartStoreTest, NearestItemWithNoKindFindsNothing) {
  store.MarkAt(0, 0, 1);
  double d = 0;
  EXPECT_EQ(store.FindNearestItemReal(0, 0, tkNone, 255, d), -1);
  EXPECT_NEAR(d, 1.304e154, 0.001e154);
  EXPECT_EQ(store.FindNearestItemReal(0, 0, tkLine, 255, d), -1);
  EXPECT_DOUBLE_EQ(d, std::sqrt(1.7e308));
}

TEST_F(ChartStoreTest, NearestItemRealFiltersAndBreaksTiesLow) {
  store.MoveTo(0, 0);      // 0
  store.MarkAt(3, 4, 1);   // 1: distance 5 from the origin
  store.MarkAt(-4, 3, 1);  // 2: also 5
  store.SetClassDefault(6);
  store.DrawTo(1, 1);  // 3: class 6
  double d = 0;
  EXPECT_EQ(store.FindNearestItemReal(0, 0, tkMarkAt, 255, d), 1);
  EXPECT_DOUBLE_EQ(d, 5.0);
  EXPECT_EQ(store.FindNearestItemReal(0, 0, tkEverything, 255, d), 0);
  EXPECT_EQ(d, 0.0);
  EXPECT_EQ(store.FindNearestItemReal(0, 0, tkNotMoveTo, 255, d), 3);
  EXPECT_EQ(store.FindNearestItemReal(0, 0, tkNotMoveTo, 0, d), 1);
  EXPECT_EQ(store.FindNearestItemReal(0, 0, tkEverything, 6, d), 3);
  EXPECT_DOUBLE_EQ(d, std::sqrt(2.0));
}

TEST_F(ChartStoreTest, NearestItemOnScreenUsesTheActiveLayersPixels) {
  store.SetActiveLayer(2);
  store.MarkAt(1.04, 0, 1);  // pixel 10
  store.MarkAt(1.0, 0, 1);   // pixel 10 as well: a tie in pixels
  store.SetActiveLayer(7);   // the mapping of layer 7 applies to all items
  std::vector<int> layers;
  auto r2m = [&layers](int layer, double x, double y, int& px, int& py) {
    layers.push_back(layer);
    px = static_cast<int>(std::lround(x * 10));
    py = static_cast<int>(std::lround(-y * 10));
  };
  double d = 0;
  EXPECT_EQ(store.FindNearestItemScreen(1.0, 0.3, tkMarkAt, 255, d, r2m), 0);
  EXPECT_DOUBLE_EQ(d, 3.0);
  EXPECT_EQ(layers, (std::vector<int>{7, 7, 7}));
  EXPECT_EQ(store.FindNearestItemScreen(0, 0, tkNone, 255, d, r2m), -1);
  EXPECT_NEAR(d, 1.304e154, 0.001e154);
}

TEST_F(ChartStoreTest, MarkItemsInWindowNormalisesAndIncludesBorders) {
  store.MarkAt(0, 0, 1);     // corner
  store.MarkAt(5, 2.5, 1);   // right border
  store.MarkAt(2, 2, 1);     // inside
  store.MarkAt(5.01, 2, 1);  // outside
  store.MoveTo(1, 1);        // inside, other kind
  EXPECT_EQ(store.MarkItemsInWindow(5, 5, 0, 0, tkEverything, 3), 4);
  const int expected[] = {3, 3, 3, 0, 3};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(store.DataContainer(i).ItemClass, expected[i]) << i;

  EXPECT_EQ(store.MarkItemsInWindow(0, 0, 5, 5, tkNotMoveTo, 4), 3);
  EXPECT_EQ(store.DataContainer(4).ItemClass, 3);
  EXPECT_EQ(store.MarkItemsInWindow(0, 0, 5, 5, tkEverything, 255), 0);
  EXPECT_EQ(store.MarkItemsInWindow(0, 0, 5, 5, tkNone, 7), 0);
  EXPECT_EQ(store.DataContainer(0).ItemClass, 4);
}

TEST_F(ChartStoreTest, MarkAllItemsByKind) {
  store.MoveTo(0, 0);
  store.MarkAt(1, 1, 1);
  store.MarkAllItems(tkEverything, 255);
  store.MarkAllItems(tkNone, 8);
  EXPECT_EQ(store.DataContainer(0).ItemClass, 0);
  EXPECT_EQ(store.DataContainer(1).ItemClass, 0);
  store.MarkAllItems(tkNotMoveTo, 8);
  EXPECT_EQ(store.DataContainer(0).ItemClass, 0);
  EXPECT_EQ(store.DataContainer(1).ItemClass, 8);
  store.MarkAllItems(tkMoveTo, 2);
  EXPECT_EQ(store.DataContainer(0).ItemClass, 2);
}

TEST_F(ChartStoreTest, FindMinMaxUsesAStrictWindow) {
  double minX, minY, maxX, maxY;
  store.FindMinMax(0, 0, 0, 10, 10, minX, minY, maxX, maxY);
  EXPECT_EQ(minX, 1.7e308);
  EXPECT_EQ(minY, 1.7e308);
  EXPECT_EQ(maxX, -1.7e308);
  EXPECT_EQ(maxY, -1.7e308);

  store.MarkAt(10, 5, 1);  // on the border: ignored
  store.MarkAt(2, 3, 1);
  store.Line(20, 20, 8, 9);       // first point outside, second inside
  store.MoveToRelPix(1, 1);       // pixel offsets never count
  store.Ellipse(4, 4, 0.5, 9.5);  // only its centre counts
  store.SetActiveLayer(2);
  store.MarkAt(1, 1, 1);
  store.FindMinMax(0, 0, 0, 10, 10, minX, minY, maxX, maxY);
  EXPECT_EQ(minX, 1.0);
  EXPECT_EQ(minY, 1.0);
  EXPECT_EQ(maxX, 8.0);
  EXPECT_EQ(maxY, 9.0);
  store.FindMinMax(1, 0, 0, 10, 10, minX, minY, maxX, maxY);
  EXPECT_EQ(minX, 2.0);
  EXPECT_EQ(minY, 3.0);
  store.FindMinMax(3, 0, 0, 10, 10, minX, minY, maxX, maxY);
  EXPECT_EQ(minX, 1.7e308);
}

// --- transforms -----------------------------------------------------------------

struct TransformCase {
  const char* name;
  std::function<void(TrcItemStore&)> command;
  double x, y, x2, y2;  // after x := 2x + 1, y := 3y - 1
};

void PrintTo(const TransformCase& c, std::ostream* os) { *os << c.name; }

class Transform : public ::testing::TestWithParam<TransformCase> {};

TEST_P(Transform, TakesTheLinearFormulaForEveryStoredCoordinate) {
  TrcItemStore store;
  GetParam().command(store);
  store.ScaleAllItems(2, 1, 3, -1);
  const TrcChartItem item = store.DataContainer(0);
  EXPECT_EQ(item.x, GetParam().x);
  EXPECT_EQ(item.y, GetParam().y);
  EXPECT_EQ(item.x2, GetParam().x2);
  EXPECT_EQ(item.y2, GetParam().y2);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, Transform,
    ::testing::Values(
        TransformCase{"Line", [](TrcItemStore& s) { s.Line(1, 2, 3, 4); }, 3, 5, 7, 11},
        TransformCase{"Rect", [](TrcItemStore& s) { s.Rectangle(1, 2, 3, 4); }, 3, 5, 7, 11},
        TransformCase{"RectFrame",
                      [](TrcItemStore& s) { s.RectFrame(1, 2, 3, 4, fsRaised, 0, 0); },
                      3,
                      5,
                      7,
                      11},
        TransformCase{"Bar3D", [](TrcItemStore& s) { s.Bar3D(1, 2, 3, 4, 5, 30); }, 3, 5, 7, 11},
        TransformCase{"Arrow", [](TrcItemStore& s) { s.Arrow(1, 2, 3, 4, 6); }, 3, 5, 7, 11},
        // The half axes take the same formula as the coordinates.
        TransformCase{"Ellipse", [](TrcItemStore& s) { s.Ellipse(1, 2, 3, 4); }, 3, 5, 7, 11},
        TransformCase{"MarkAt", [](TrcItemStore& s) { s.MarkAt(1, 2, 1); }, 3, 5, 0, 0},
        TransformCase{
            "ErrorBar", [](TrcItemStore& s) { s.MarkErrorBar(1, 2, 3, 4, orVert, 1); }, 3, 5, 3, 4},
        TransformCase{
            "TextOfs", [](TrcItemStore& s) { s.Text(1, 2, 8, u"t", 3, 4, taCenter); }, 3, 5, 3, 4},
        TransformCase{
            "RectRelPix", [](TrcItemStore& s) { s.RectangleRelPix(1, 2, 3, 4); }, 3, 5, 3, 4},
        // The pixel offsets are transformed like coordinates.
        TransformCase{"MoveRelPix", [](TrcItemStore& s) { s.MoveToRelPix(1, 2); }, 3, 5, 0, 0},
        TransformCase{"LineRelPix", [](TrcItemStore& s) { s.DrawToRelPix(1, 2); }, 3, 5, 0, 0}),
    [](const ::testing::TestParamInfo<TransformCase>& test) {
      return std::string(test.param.name);
    });

TEST_F(ChartStoreTest, ScaleOneItemOrOneClass) {
  store.MarkAt(1, 1, 1);
  store.SetClassDefault(255 - 1);
  store.MarkAt(1, 1, 1);
  store.ScaleItem(5, 2, 0, 2, 0);  // invalid: nothing
  store.ScaleItem(0, 2, 0, 2, 0);
  EXPECT_EQ(store.DataContainer(0).x, 2.0);
  EXPECT_EQ(store.DataContainer(1).x, 1.0);
  store.ScaleSelectedItems(1, 10, 1, 10, 254);
  EXPECT_EQ(store.DataContainer(0).x, 2.0);
  EXPECT_EQ(store.DataContainer(1).x, 11.0);
  store.ScaleSelectedItems(1, 10, 1, 10, 255);  // 255 is a class here, not "all"
  EXPECT_EQ(store.DataContainer(0).x, 2.0);
  EXPECT_EQ(store.DataContainer(1).x, 11.0);
}

// --- repaint notifications --------------------------------------------------

TEST_F(ChartStoreTest, SettersNotifyTheOwnerOnChangeOnly) {
  int repaints = 0;
  int ruleRepaints = 0;
  store.OnRepaint = [&repaints] { ++repaints; };
  store.OnRepaintRule = [&ruleRepaints] { ++ruleRepaints; };

  store.SetClassVisible(4, true);
  store.SetClassVisible(4, false);
  store.SetLayerVisible(2, false);
  store.SetLayerVisible(0, false);
  store.SetLayerVisible(17, false);
  store.SetAvoidDuplicateMarks(true);
  store.SetAvoidDuplicateMarks(true);
  EXPECT_EQ(repaints, 3);
  EXPECT_FALSE(store.ClassVisible(4));
  EXPECT_FALSE(store.LayerVisible(2));

  store.SetActiveLayer(2);
  store.SetActiveLayer(2);
  store.SetActiveLayer(99);
  store.SetTextAlignment(taLeftJustify);
  store.SetTextFontStyle(fsBold | fsItalic);
  store.SetTextBkStyle(tbSolid);
  store.SetTextBkColor(clRed);
  EXPECT_EQ(ruleRepaints, 5);
  EXPECT_EQ(store.TextFontStyle(), fsBold | fsItalic);

  store.SetDataColor(clRed);
  store.SetFillColor(clRed);
  store.SetPenStyle(psDash);
  store.SetLineWidth(4);
  store.SetDataTag(3);
  store.SetTransparentItems(true);
  store.SetAllocSize(5);
  store.MarkAt(0, 0, 1);
  store.Clear();
  EXPECT_EQ(repaints, 3);
  EXPECT_EQ(ruleRepaints, 5);
}

// --- allocation failure and copying --------------------------------------------

TEST_F(ChartStoreTest, FailedGrowthLeavesTheStoreAsItWas) {
  store.SetAllocSize(3);
  store.MoveTo(1, 1);
  store.DrawTo(2, 2);
  store.MarkAt(3, 3, 24);
  store.SetReallocForTesting(&failingRealloc);
  EXPECT_THROW(store.DrawTo(4, 4), std::bad_alloc);
  EXPECT_THROW(store.Text(4, 4, 8, u"x"), std::bad_alloc);
  EXPECT_EQ(store.NumItems(), 3);
  EXPECT_EQ(store.NumAllocated(), 3);
  EXPECT_EQ(store.ItemCount(tkLineto), 1);
  EXPECT_EQ(store.ItemCount(tkText), 0);
  EXPECT_EQ(kinds(store), (std::vector<TrcItem>{tkMoveTo, tkLineto, tkMarkAt}));
  EXPECT_EQ(store.DataContainer(2).x, 3.0);

  store.SetReallocForTesting(nullptr);
  store.DrawTo(4, 4);
  EXPECT_EQ(store.NumItems(), 4);
  EXPECT_EQ(store.NumAllocated(), 6);
}

TEST_F(ChartStoreTest, FailedFirstGrowthLeavesAnEmptyStore) {
  store.SetReallocForTesting(&failingRealloc);
  EXPECT_THROW(store.MarkAt(1, 1, 1), std::bad_alloc);
  EXPECT_EQ(store.NumItems(), 0);
  EXPECT_EQ(store.NumAllocated(), 0);
  EXPECT_EQ(store.ItemCount(tkMarkAt), 0);
  EXPECT_EQ(store.TypeOfLastItem(), tkNone);
}

// A reset that cannot shrink the array keeps the larger one and still works.
TEST_F(ChartStoreTest, FailedShrinkStillResets) {
  store.SetAllocSize(4);
  store.MarkAt(1, 1, 1);
  store.SetReallocForTesting(&failingRealloc);
  store.RemoveItem(0);
  EXPECT_EQ(store.NumAllocated(), 0);
  store.MarkAt(2, 2, 2);  // fits the kept array without allocating
  EXPECT_EQ(store.NumAllocated(), 4);
  EXPECT_EQ(store.DataContainer(0).x, 2.0);
}

TEST_F(ChartStoreTest, AssignCopiesItemsAndAttributes) {
  store.SetAllocSize(2);
  store.SetDataColor(clYellow);
  store.SetActiveLayer(3);
  store.SetLayerVisible(5, false);
  store.MoveTo(1, 1);
  store.DrawTo(2, 2);
  store.MarkAt(3, 3, 24);
  store.SetLastElemOnShow(2);
  int repaints = 0;
  TrcItemStore copy;
  copy.OnRepaint = [&repaints] { ++repaints; };
  copy.MarkAt(9, 9, 9);
  copy.Assign(store);
  EXPECT_EQ(repaints, 0);
  EXPECT_EQ(kinds(copy), (std::vector<TrcItem>{tkMoveTo, tkLineto, tkMarkAt}));
  EXPECT_EQ(copy.NumAllocated(), 4);
  EXPECT_EQ(copy.AllocSize(), 2);
  EXPECT_EQ(copy.ItemCount(tkMarkAt), 1);
  EXPECT_EQ(copy.LastElemOnShow(), 2);
  EXPECT_EQ(copy.DataColor(), clYellow);
  EXPECT_EQ(copy.ActiveLayer(), 3);
  EXPECT_FALSE(copy.LayerVisible(5));
  store.Clear();  // the copy is independent
  EXPECT_EQ(copy.DataContainer(2).MarkOrAlign, 24);
  copy.MarkAt(4, 4, 1);
  EXPECT_EQ(copy.NumItems(), 4);
  copy.SetLayerVisible(5, true);
  EXPECT_EQ(repaints, 1);  // its own connection survives
}

TEST_F(ChartStoreTest, FailedAssignLeavesTheTarget) {
  TrcItemStore source;
  source.MarkAt(1, 1, 1);
  store.MoveTo(5, 5);
  store.SetReallocForTesting(&failingRealloc);
  EXPECT_THROW(store.Assign(source), std::bad_alloc);
  EXPECT_EQ(kinds(store), (std::vector<TrcItem>{tkMoveTo}));
  EXPECT_EQ(store.DataContainer(0).x, 5.0);
}

TEST(ChartItem, IsAFixedSizeRecordWithInlineText) {
  static_assert(std::is_trivially_copyable_v<TrcChartItem>);
  EXPECT_EQ(sizeof(TItemText), 16u);
  EXPECT_LE(sizeof(TrcChartItem), 104u);
}

// Every public call that changes what the items draw moves the revision, so a
// renderer holding a picture of an older revision draws again.
struct PictureChange {
  const char* name;
  std::function<void(TrcItemStore&)> change;
};

std::ostream& operator<<(std::ostream& os, const PictureChange& c) { return os << c.name; }

class RevisionOf : public ::testing::TestWithParam<PictureChange> {};

TEST_P(RevisionOf, EveryChangeOfThePictureChangesTheRevision) {
  TrcItemStore store;
  store.MoveTo(0, 0);
  store.DrawTo(1, 1);
  store.SetClassDefault(7);
  store.MarkAt(0.5, 0.5, 1);
  store.SetClassDefault(0);
  const uint32_t before = store.Revision();
  GetParam().change(store);
  EXPECT_NE(store.Revision(), before);
}

const TrcChartItem kReplacement = [] {
  TrcChartItem item{};
  item.ItemKind = tkMarkAt;
  item.x = 3;
  item.Layer = 1;
  return item;
}();

INSTANTIATE_TEST_SUITE_P(
    ChartStore, RevisionOf,
    ::testing::Values(
        PictureChange{"Assign",
                      [](TrcItemStore& s) {
                        TrcItemStore other;
                        other.MarkAt(2, 2, 3);
                        s.Assign(other);
                      }},
        PictureChange{"MarkAt", [](TrcItemStore& s) { s.MarkAt(1, 2, 3); }},
        PictureChange{"MarkErrorBar",
                      [](TrcItemStore& s) { s.MarkErrorBar(1, 2, 1, 1, orVert, 3); }},
        PictureChange{"Text", [](TrcItemStore& s) { s.Text(1, 2, 9, u"a"); }},
        PictureChange{"TextOfs", [](TrcItemStore& s) { s.Text(1, 2, 9, u"a", 1, 1, taCenter); }},
        PictureChange{"MoveTo", [](TrcItemStore& s) { s.MoveTo(1, 2); }},
        PictureChange{"DrawTo", [](TrcItemStore& s) { s.DrawTo(1, 2); }},
        PictureChange{"MoveToRelPix", [](TrcItemStore& s) { s.MoveToRelPix(1, 2); }},
        PictureChange{"DrawToRelPix", [](TrcItemStore& s) { s.DrawToRelPix(1, 2); }},
        PictureChange{"Line", [](TrcItemStore& s) { s.Line(1, 2, 3, 4); }},
        PictureChange{"Rectangle", [](TrcItemStore& s) { s.Rectangle(1, 2, 3, 4); }},
        PictureChange{"RectangleRelPix", [](TrcItemStore& s) { s.RectangleRelPix(1, 2, 3, 4); }},
        PictureChange{"Arrow", [](TrcItemStore& s) { s.Arrow(1, 2, 3, 4, 5); }},
        PictureChange{"RectFrame",
                      [](TrcItemStore& s) { s.RectFrame(1, 2, 3, 4, fsRaised, clGray, clWhite); }},
        PictureChange{"Bar3D", [](TrcItemStore& s) { s.Bar3D(1, 2, 3, 4, 5, 45); }},
        PictureChange{"Ellipse", [](TrcItemStore& s) { s.Ellipse(1, 2, 3, 4); }},
        PictureChange{"SetDataContainer",
                      [](TrcItemStore& s) { s.SetDataContainer(0, kReplacement); }},
        PictureChange{"SetItemParams", [](TrcItemStore& s) { s.SetItemParams(0, kReplacement); }},
        PictureChange{"Clear", [](TrcItemStore& s) { s.Clear(); }},
        PictureChange{"RemoveItem", [](TrcItemStore& s) { s.RemoveItem(1); }},
        PictureChange{"RemoveFirstItem", [](TrcItemStore& s) { s.RemoveFirstItem(); }},
        PictureChange{"RemoveLastItem", [](TrcItemStore& s) { s.RemoveLastItem(); }},
        PictureChange{"RemoveItemsByClass", [](TrcItemStore& s) { s.RemoveItemsByClass(7); }},
        PictureChange{"RemoveItemsByLayer", [](TrcItemStore& s) { s.RemoveItemsByLayer(1); }},
        PictureChange{"MarkAllItems", [](TrcItemStore& s) { s.MarkAllItems(tkEverything, 9); }},
        PictureChange{"MarkItemsInWindow",
                      [](TrcItemStore& s) { s.MarkItemsInWindow(-1, -1, 2, 2, tkEverything, 9); }},
        PictureChange{"NewColorOfClassItems",
                      [](TrcItemStore& s) { s.NewColorOfClassItems(clRed, 7); }},
        PictureChange{"ScaleItem", [](TrcItemStore& s) { s.ScaleItem(1, 2, 1, 2, 1); }},
        PictureChange{"ScaleSelectedItems",
                      [](TrcItemStore& s) { s.ScaleSelectedItems(2, 1, 2, 1, 7); }},
        PictureChange{"ScaleAllItems", [](TrcItemStore& s) { s.ScaleAllItems(2, 1, 2, 1); }},
        PictureChange{"SetClassVisible", [](TrcItemStore& s) { s.SetClassVisible(7, false); }},
        PictureChange{"SetLayerVisible", [](TrcItemStore& s) { s.SetLayerVisible(1, false); }},
        PictureChange{"SetActiveLayer", [](TrcItemStore& s) { s.SetActiveLayer(2); }},
        PictureChange{"SetTransparentItems", [](TrcItemStore& s) { s.SetTransparentItems(true); }},
        PictureChange{"SetTextAlignment",
                      [](TrcItemStore& s) { s.SetTextAlignment(taLeftJustify); }},
        PictureChange{"SetAvoidDuplicateMarks",
                      [](TrcItemStore& s) { s.SetAvoidDuplicateMarks(true); }},
        PictureChange{"SetTextFontStyle", [](TrcItemStore& s) { s.SetTextFontStyle(1); }},
        PictureChange{"SetTextBkStyle", [](TrcItemStore& s) { s.SetTextBkStyle(tbSolid); }},
        PictureChange{"SetTextBkColor", [](TrcItemStore& s) { s.SetTextBkColor(clRed); }}),
    [](const ::testing::TestParamInfo<PictureChange>& test) {
      return std::string(test.param.name);
    });
