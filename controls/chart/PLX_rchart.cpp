#include "controls/chart/PLX_rchart.h"

#include <string>

#include "platform/Screen.h"

namespace {

// The library's colour table; layer n's axes take entry n.
constexpr TColor PredefinedColors[MaxLayers + 1] = {clBlack,
                                                    clBlack,
                                                    clMaroon,
                                                    clGreen,
                                                    clOlive,
                                                    clNavy,
                                                    clPurple,
                                                    clTeal,
                                                    clGray,
                                                    clSilver,
                                                    clRed,
                                                    clLime,
                                                    clYellow,
                                                    clBlue,
                                                    clFuchsia,
                                                    clAqua,
                                                    clWhite};

std::u16string layerName(const char16_t* prefix, int n) {
  std::u16string name = prefix;
  for (char c : std::to_string(n)) name += char16_t(c);
  return name;
}

}  // namespace

// The order of construction matters: the scale helpers need the bitmaps and
// the margins, and the standard layout needs the helpers.
TCustomRChart::TCustomRChart(TComponent* AOwner) : TControl(AOwner) {
  FFrame = {0, 0, 50, 10, 16, 32, 0};  // provisional margins until the layout
  FSettings.MouseAffectsLayer[1] = true;
  for (int n = 1; n <= 4; ++n) {
    FCrossHair[size_t(n)] = std::make_unique<TCrossHair>(n);
    FCrossHair[size_t(n)]->OnChange = [this](TObject*) { crossHairChanged(); };
  }
  FBackGroundImg = std::make_unique<TBakGndImg>();
  FBackGroundImg->OnChange = [this](TObject* s) { StyleChanged(s); };
  FJointLayers = std::make_unique<TJointLayers>();
  FJointLayers->OnChange = [this](TObject* s) { StyleChanged(s); };
  FJointLayers->OnJoined = [this](int i, int m, bool h) { layerJoined(i, m, h); };
  FStore.OnRepaint = [this] { Paint(); };
  FStore.OnRepaintRule = [this] { StyleChanged(this); };
  RegisterCursor(1, u"CURHAND");
  RegisterCursor(2, u"CURZOOMW");
  RegisterCursor(3, u"CURZOOMD");
  RegisterCursor(4, u"CURZOOMP");
  sizeGrafBmp();
  FAuxBmp.SetSize(10, 10);
  FSettings.AspectX = ScreenAspectX();
  FSettings.AspectY = ScreenAspectY();
  FPpa.reserve(200);
  for (int n = 1; n <= MaxLayers; ++n) createLayer(n);
  FSuppressPaint = true;
  SetBounds(Left(), Top(), 280, 200);
  FSuppressPaint = true;
  SetStandardLayout(FStdLayout);
  for (int n = 1; n <= MaxLayers; ++n) {
    for (TScale* scale : {FScalesX[size_t(n)].get(), FScalesY[size_t(n)].get()}) {
      scale->SetTransparent(true);
      scale->SetColorBackGnd(FSettings.WindColor);
      scale->SetFrameStyle(fsNone);
    }
  }
  refreshAllScales();
  ClearZoomHistory();
  FSettings.AutoRedraw = true;
}

TCustomRChart::~TCustomRChart() = default;

void TCustomRChart::createLayer(int n) {
  const size_t i = size_t(n);
  FScalesX[i] = std::make_unique<TScale>(this);
  FScalesY[i] = std::make_unique<TScale>(this);
  FScalesX[i]->SetName(layerName(u"RC_FScale_X_", n));
  FScalesY[i]->SetName(layerName(u"RC_FScale_Y_", n));
  for (TScale* scale : {FScalesX[i].get(), FScalesY[i].get()}) {
    scale->SetIsHelperComponent(true);
    scale->OnScaleTickDrawn = [this](TObject*, TCanvas& cv, TScaleType t, double v, int x, int y) {
      if (OnScaleTickDrawn) OnScaleTickDrawn(this, cv, t, v, x, y);
    };
    scale->OnBeforeTickLabel = [this](TObject*, TScaleType t, double v, std::u16string& label) {
      if (OnBeforeTickLabel) OnBeforeTickLabel(this, t, v, label);
    };
  }
  FScalePropsX[i] = std::make_unique<TScalePropsHoriz>();
  FScalePropsY[i] = std::make_unique<TScalePropsVert>();
  // Odd layers' axes at the bottom and left, even ones' at the top and right,
  // each pair further out than the one before.
  const int offset = (n - 1) / 2;
  setUpLayerAxis(*FScalePropsX[i], n, n % 2 == 1 ? sctXT : sctXB, offset * 30);
  setUpLayerAxis(*FScalePropsY[i], n, n % 2 == 1 ? sctYR : sctYL, offset * 50);
}

void TCustomRChart::setUpLayerAxis(TScaleProps& props, int n, TScaleType type, int pos) {
  const auto changed = [this](TObject* s) { ScalePropsChanged(s); };
  props.DateFormat().OnChange = changed;
  props.SetColorScale(PredefinedColors[n]);
  props.SetScaleType(type);
  props.SetScalePos(pos);
  props.OnChange = changed;
}

// ---------------------------------------------------------------------------
// Standard layouts

void TCustomRChart::SetStandardLayout(TrcLayout value) {
  if (value >= NumLayouts) {
    throw EPLXRChartError("Standard layout " + std::to_string(int(value)) + " is out of range");
  }
  paintOnceAfter([&] {
    const TLytData& row = LayoutData[value];
    SetMarginLeft(row.LRim);
    SetMarginRight(row.RRim);
    SetMarginTop(row.TRim);
    SetMarginBottom(row.BRim);
    SetCaptionPosX(row.CaptPosX);
    SetCaptionPosY(row.CaptPosY);
    SetCaptionAlignment(row.CaptAlign);
    SetCaptionAnchorHoriz(row.CaptAnchorHoriz);
    SetCaptionAnchorVert(row.CaptAnchorVert);
    applyLayoutAxes(row);
    refreshAllScales();
    FStdLayout = value;
  });
}

namespace {

void applyOneScale(TScaleProps& props, const TOneScale& s) {
  props.SetCaptionPosX(s.SCaptPosX);
  props.SetCaptionPosY(s.SCaptPosY);
  props.SetCaptionAlignment(s.SCaptAlign);
  props.SetCaptionAnchor(s.SCaptAnchor);
  props.SetScalePos(s.ScalePos);
  props.SetVisible(s.Visible);
}

}  // namespace

namespace {

// A location that does not fit the axis leaves the axis where it is.
void applyLocation(TScalePropsHoriz& props, TScaleLocation location) {
  if (location == sllTop) props.SetScaleLocation(slTop);
  if (location == sllBottom) props.SetScaleLocation(slBottom);
}

void applyLocation(TScalePropsVert& props, TScaleLocation location) {
  if (location == sllLeft) props.SetScaleLocation(slLeft);
  if (location == sllRight) props.SetScaleLocation(slRight);
}

template <class Props>
void applyLayoutRow(const std::array<std::unique_ptr<Props>, MaxLayers + 1>& axes,
                    const std::array<TOneScale, 4>& row) {
  for (int i = 1; i <= 4; ++i) {
    const TOneScale& s = row[size_t(i - 1)];
    applyLocation(*axes[size_t(i)], s.ScaleLocat);
    applyOneScale(*axes[size_t(i)], s);
  }
  for (int n = 5; n <= MaxLayers; ++n) axes[size_t(n)]->SetVisible(false);
}

}  // namespace

void TCustomRChart::applyLayoutAxes(const TLytData& row) {
  applyLayoutRow(FScalePropsX, row.ScalesX);
  applyLayoutRow(FScalePropsY, row.ScalesY);
}

// ---------------------------------------------------------------------------
// Lifecycle

void TCustomRChart::Loaded() {
  TControl::Loaded();
  refreshAllScales();
  for (int n = 1; n <= MaxLayers; ++n) {
    FScalePropsX[size_t(n)]->SetNotYetLoaded(false);
    FScalePropsY[size_t(n)]->SetNotYetLoaded(false);
  }
  AdjustScaling();
  Paint();
}

void TRChart::CreateWnd() {
  TCustomRChart::CreateWnd();
  FSuppressPaint = false;
}

void TCustomRChart::Assign(const TCustomRChart& Source) {
  if (&Source == this) return;
  FStore.Assign(Source.FStore);
  FSettings = Source.FSettings;
  FFrame.TakeMargins(Source.FFrame);
  Font().Assign(const_cast<TCustomRChart&>(Source).Font());
  for (int n = 1; n <= 4; ++n) {
    FCrossHair[size_t(n)]->Assign(*Source.FCrossHair[size_t(n)]);
    FCrossHair[size_t(n)]->OnChange = [this](TObject*) { crossHairChanged(); };
  }
  FBackGroundImg->Assign(*Source.FBackGroundImg);
  for (int n = 1; n <= MaxLayers; ++n) {
    FScalePropsX[size_t(n)]->Assign(*Source.FScalePropsX[size_t(n)]);
    FScalePropsY[size_t(n)]->Assign(*Source.FScalePropsY[size_t(n)]);
  }
  FMapX = Source.FMapX;
  FMapY = Source.FMapY;
  FZoomHist = Source.FZoomHist;
  FJointLayers->Assign(*Source.FJointLayers);
  OnMouseMoveInChart = Source.OnMouseMoveInChart;
  OnScaleTickDrawn = Source.OnScaleTickDrawn;
  OnBeforeTickLabel = Source.OnBeforeTickLabel;
  OnScalesRendered = Source.OnScalesRendered;
  OnBeforeRenderData = Source.OnBeforeRenderData;
  OnDataRendered = Source.OnDataRendered;
  sizeGrafBmp();
  ScalePropsChanged(this);
  AdjustScaling();
  Paint();
}
