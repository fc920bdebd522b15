#include "controls/chart/rules/PLX_ChartStore.h"

#include "controls/chart/rules/PLX_HugePages.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <type_traits>

// The records are moved by realloc and compared byte-wise nowhere; they must
// stay plain data.
static_assert(std::is_trivially_copyable_v<TrcChartItem>);
static_assert(std::is_standard_layout_v<TrcChartItem>);

namespace {

constexpr double kNoDistance = 1.7e308;
constexpr int kMaxAllocSize = 1000000;
constexpr uint8_t kAllClasses = 255;

// Characters of the bytes 0x80..0x9F in Windows-1252. The five bytes the code
// page leaves undefined map to the control characters of the same value, as
// the platform's own conversion does.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char toCp1252(char16_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (int i = 0; i < 32; ++i) {
    if (kCp1252High[i] == c) return static_cast<char>(0x80 + i);
  }
  return '?';
}

bool isHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

bool kindMatches(TrcItem kind, TrcItem filter) {
  if (filter == tkEverything) return true;
  if (filter == tkNotMoveTo) return kind != tkMoveTo;
  return kind == filter;
}

bool classMatches(uint8_t itemClass, uint8_t filter) {
  return filter == kAllClasses || itemClass == filter;
}

// Every coordinate the item stores takes the same linear formula: the
// ellipse's half axes included, and the pixel-offset kinds' offsets too.
void transformItem(TrcChartItem& item, double kx, double dx, double ky, double dy) {
  item.x = kx * item.x + dx;
  item.y = ky * item.y + dy;
  if (HasSecondPoint(item.ItemKind) || item.ItemKind == tkEllipse) {
    item.x2 = kx * item.x2 + dx;
    item.y2 = ky * item.y2 + dy;
  }
}

bool validLayer(int layer) { return layer >= 1 && layer <= NumLayers; }

bool strictlyInside(double x, double y, double loX, double loY, double hiX, double hiY) {
  return loX < x && x < hiX && loY < y && y < hiY;
}

void widen(double x, double y, double& MinX, double& MinY, double& MaxX, double& MaxY) {
  MinX = std::min(MinX, x);
  MaxX = std::max(MaxX, x);
  MinY = std::min(MinY, y);
  MaxY = std::max(MaxY, y);
}

}  // namespace

TItemText TItemText::FromString(const std::u16string& Text) {
  TItemText result{};
  for (std::size_t i = 0; i < Text.size() && result.Length < MaxLength; ++i) {
    const char16_t c = Text[i];
    // A character outside the basic plane is one character, one '?'.
    if (isHighSurrogate(c) && i + 1 < Text.size() && isLowSurrogate(Text[i + 1])) ++i;
    result.Chars[result.Length++] = toCp1252(c);
  }
  return result;
}

std::u16string TItemText::ToString() const {
  std::u16string result;
  for (char ch : Bytes()) {
    const auto byte = static_cast<unsigned char>(ch);
    result += (byte >= 0x80 && byte < 0xA0) ? kCp1252High[byte - 0x80] : char16_t(byte);
  }
  return result;
}

std::string_view TItemText::Bytes() const {
  return std::string_view(Chars, std::min<std::size_t>(Length, MaxLength));
}

TrcItemStore::TrcItemStore() : FRealloc(&HugePageRealloc) {
  // The array always holds one spare record, also while the store is empty.
  FDataContainer = static_cast<TrcChartItem*>(HugePageRealloc(nullptr, sizeof(TrcChartItem)));
  if (FDataContainer == nullptr) throw std::bad_alloc();
  FStorageRecords = 1;
}

TrcItemStore::~TrcItemStore() { HugePageFree(FDataContainer); }

void TrcItemStore::Assign(const TrcItemStore& Source) {
  pictureChanged();
  if (&Source == this) return;
  const int32_t records = Source.FStorageRecords;
  auto* copy = static_cast<TrcChartItem*>(FRealloc(nullptr, sizeof(TrcChartItem) * records));
  if (copy == nullptr) throw std::bad_alloc();
  std::memcpy(copy, Source.FDataContainer, sizeof(TrcChartItem) * records);
  HugePageFree(FDataContainer);
  FDataContainer = copy;
  FStorageRecords = records;
  FNumChartItems = Source.FNumChartItems;
  FNumAllocated = Source.FNumAllocated;
  std::copy(std::begin(Source.FItemCount), std::end(Source.FItemCount), std::begin(FItemCount));
  FLastElemOnShow = Source.FLastElemOnShow;
  FSettings = Source.FSettings;
}

// --- growth -----------------------------------------------------------------

// Grows by one whole step. The allocator reserves room ahead in memory the
// kernel backs with huge pages, so linear growth stays cheap for large
// stores; on failure nothing has changed yet when the error leaves. The room
// it adds comes back zero: a record position that never held an item reads
// as zero in the fields its command does not set, without a pass of our own
// over memory that the appends touch first.
[[gnu::noinline]] void TrcItemStore::growForOne() {
  const int32_t step = FSettings.AllocSize;
  if (FNumAllocated > std::numeric_limits<int32_t>::max() - step) throw std::bad_alloc();
  const int32_t wanted = FNumAllocated + step;
  if (wanted > FStorageRecords) {
    void* grown = FRealloc(FDataContainer, sizeof(TrcChartItem) * static_cast<std::size_t>(wanted));
    if (grown == nullptr) throw std::bad_alloc();
    FDataContainer = static_cast<TrcChartItem*>(grown);
    FStorageRecords = wanted;
  }
  FNumAllocated = wanted;
}

// Back to one spare record. A failed shrink keeps the larger block, which
// serves as well.
void TrcItemStore::resetStorage() {
  if (FStorageRecords > 1) {
    void* shrunk = FRealloc(FDataContainer, sizeof(TrcChartItem));
    if (shrunk != nullptr) {
      FDataContainer = static_cast<TrcChartItem*>(shrunk);
      FStorageRecords = 1;
    }
  }
  FNumAllocated = 0;
  FNumChartItems = 0;
  std::fill(std::begin(FItemCount), std::end(FItemCount), 0);
}

// Reserves the next record and fills the fields every command sets. Fields
// the command does not set keep what the position held: zero where no item
// has been, the values of a removed item where one was. Inlined into every
// command: appending a million items is a million of these, and growing is
// the rare case.
[[gnu::always_inline]] inline TrcChartItem& TrcItemStore::appendItem(TrcItem Kind) {
  pictureChanged();
  if (FNumChartItems >= FNumAllocated) [[unlikely]]
    growForOne();
  TrcChartItem& item = FDataContainer[FNumChartItems];
  item.ItemKind = Kind;
  item.Layer = FSettings.ActiveLayer;
  item.ItemClass = FSettings.ClassDefault;
  item.Color = FSettings.DataColor;
  item.PenStyle = FSettings.PenStyle;
  item.Tag = FSettings.DataTag;
  item.LWid = FSettings.LineWidth;
  assert(Kind < NumItemKinds);
  ++FItemCount[Kind];  // the commands' own kinds, always in range
  ++FNumChartItems;
  return item;
}

// An item at one point (or one pixel step); inlined like appendItem, as
// DrawTo appends through it.
[[gnu::always_inline]] inline TrcChartItem& TrcItemStore::appendAt(TrcItem Kind, double x,
                                                                   double y) {
  TrcChartItem& item = appendItem(Kind);
  item.x = x;
  item.y = y;
  return item;
}

// An item between two points, or around a centre, in the fill colour.
TrcChartItem& TrcItemStore::appendFilled(TrcItem Kind, double x1, double y1, double x2, double y2) {
  TrcChartItem& item = appendAt(Kind, x1, y1);
  item.x2 = x2;
  item.y2 = y2;
  item.FillColor = FSettings.FillColor;
  return item;
}

void TrcItemStore::dropCount(TrcItem Kind) {
  if (Kind < NumItemKinds) --FItemCount[Kind];
}

void TrcItemStore::raiseCount(TrcItem Kind) {
  if (Kind < NumItemKinds) ++FItemCount[Kind];
}

bool TrcItemStore::validIndex(int idx) const { return idx >= 0 && idx < FNumChartItems; }

void TrcItemStore::notify(const std::function<void()>& Callback) const {
  if (Callback) Callback();
}

template <class T>
void TrcItemStore::changeSetting(T& Setting, T Value, const std::function<void()>& Callback) {
  pictureChanged();
  if (Setting == Value) return;
  Setting = Value;
  notify(Callback);
}

void TrcItemStore::SetReallocForTesting(TReallocFunc Func) {
  FRealloc = Func ? Func : &HugePageRealloc;
}

// --- drawing commands -------------------------------------------------------

void TrcItemStore::MarkAt(double x, double y, uint8_t mk) {
  appendAt(tkMarkAt, x, y).MarkOrAlign = mk;
}

void TrcItemStore::MarkErrorBar(double x, double y, double dlower, double dupper, TOrientation Dir,
                                uint8_t mk) {
  TrcChartItem& item = appendAt(tkMarkEBar, x, y);
  item.x2 = dlower;
  item.y2 = dupper;
  item.SizeOrAngle = Dir;
  item.MarkOrAlign = mk;
}

void TrcItemStore::Text(double x, double y, int size, const std::u16string& txt) {
  const TItemText text = TItemText::FromString(txt);
  TrcChartItem& item = appendAt(tkText, x, y);
  item.Text = text;
  item.SizeOrAngle = size;
  item.MarkOrAlign = FSettings.TextAlignment;
}

void TrcItemStore::Text(double x, double y, int size, const std::u16string& txt, int dx, int dy,
                        TAlignment Alignment) {
  const TItemText text = TItemText::FromString(txt);
  TrcChartItem& item = appendAt(tkTextOfs, x, y);
  item.x2 = dx;
  item.y2 = dy;
  item.Text = text;
  item.SizeOrAngle = size;
  item.MarkOrAlign = Alignment;
}

void TrcItemStore::MoveTo(double x, double y) { appendAt(tkMoveTo, x, y); }

void TrcItemStore::DrawTo(double x, double y) {
  appendAt(tkLineto, x, y).FillColor = FSettings.FillColor;
}

void TrcItemStore::MoveToRelPix(int dx, int dy) { appendAt(tkMoveRelPix, dx, dy); }

void TrcItemStore::DrawToRelPix(int dx, int dy) {
  appendAt(tkLineRelPix, dx, dy).FillColor = FSettings.FillColor;
}

void TrcItemStore::Line(double x1, double y1, double x2, double y2) {
  appendFilled(tkLine, x1, y1, x2, y2);
}

void TrcItemStore::Rectangle(double x1, double y1, double x2, double y2) {
  appendFilled(tkRect, x1, y1, x2, y2).Transp = FSettings.TransparentItems;
}

void TrcItemStore::RectangleRelPix(double centx, double centy, int dx, int dy) {
  appendFilled(tkRectRelPix, centx, centy, dx, dy).Transp = FSettings.TransparentItems;
}

void TrcItemStore::Arrow(double x1, double y1, double x2, double y2, int HeadSize) {
  TrcChartItem& item = appendFilled(tkArrow, x1, y1, x2, y2);
  item.Transp = FSettings.TransparentItems;
  item.SizeOrAngle = HeadSize;
}

void TrcItemStore::RectFrame(double x1, double y1, double x2, double y2, TFrameStyle FrameStyle,
                             TColor ShadowColor, TColor HiLightColor) {
  TrcChartItem& item = appendFilled(tkRectFrame, x1, y1, x2, y2);
  item.LWid = 1;
  item.FrameStyle = FrameStyle;
  item.ShadowColor = ShadowColor;
  item.HiLightColor = HiLightColor;
}

void TrcItemStore::Bar3D(double llx, double lly, double urx, double ury, int Depth, int Angle) {
  TrcChartItem& item = appendFilled(tk3DBar, llx, lly, urx, ury);
  item.Depth = Depth;
  item.SizeOrAngle = std::clamp(Angle, 0, 180);
}

void TrcItemStore::Ellipse(double cx, double cy, double HorizAxLeng, double VertAxLeng) {
  appendFilled(tkEllipse, cx, cy, HorizAxLeng, VertAxLeng).Transp = FSettings.TransparentItems;
}

// --- queries and edits ------------------------------------------------------

int TrcItemStore::NumItems() const { return FNumChartItems; }

int TrcItemStore::NumAllocated() const { return FNumAllocated; }

int TrcItemStore::ItemCount(TrcItem it) const { return it < NumItemKinds ? FItemCount[it] : 0; }

TrcItem TrcItemStore::TypeOfFirstItem() const {
  return FNumChartItems > 0 ? FDataContainer[0].ItemKind : tkNone;
}

TrcItem TrcItemStore::TypeOfLastItem() const {
  return FNumChartItems > 0 ? FDataContainer[FNumChartItems - 1].ItemKind : tkNone;
}

const TrcChartItem* TrcItemStore::Items() const { return FDataContainer; }

TrcChartItem TrcItemStore::DataContainer(int idx) const {
  if (!validIndex(idx)) return TrcChartItem{};
  return FDataContainer[idx];
}

void TrcItemStore::SetDataContainer(int idx, const TrcChartItem& rec) {
  pictureChanged();
  if (validIndex(idx)) FDataContainer[idx] = rec;
}

TrcChartItem TrcItemStore::GetItemParams(int Item) const { return DataContainer(Item); }

void TrcItemStore::SetItemParams(int Item, const TrcChartItem& ItParams) {
  pictureChanged();
  if (!validIndex(Item)) return;
  const TrcItem kind = ItParams.ItemKind;
  if (kind == tkNone || kind == tkEverything || kind >= NumItemKinds) return;
  dropCount(FDataContainer[Item].ItemKind);
  raiseCount(kind);
  FDataContainer[Item] = ItParams;
}

// --- removal ------------------------------------------------------------------

void TrcItemStore::Clear() {
  pictureChanged();
  resetStorage();
  FLastElemOnShow = 0;
}

void TrcItemStore::RemoveItem(int Index) {
  pictureChanged();
  if (!validIndex(Index)) return;
  if (FNumChartItems == 1) {
    resetStorage();
    return;
  }
  dropCount(FDataContainer[Index].ItemKind);
  std::memmove(static_cast<void*>(FDataContainer + Index),
               FDataContainer + Index + 1,
               sizeof(TrcChartItem) * static_cast<std::size_t>(FNumChartItems - Index - 1));
  --FNumChartItems;
}

void TrcItemStore::RemoveFirstItem() { RemoveItem(0); }

void TrcItemStore::RemoveLastItem() {
  pictureChanged();
  if (FNumChartItems == 0) return;
  dropCount(FDataContainer[FNumChartItems - 1].ItemKind);
  --FNumChartItems;
  if (FNumChartItems == 0) resetStorage();
}

// Keeps the order of the items left and the capacity.
template <class Removed>
int TrcItemStore::removeItemsWhere(Removed removed) {
  pictureChanged();
  const int before = FNumChartItems;
  int kept = 0;
  for (int i = 0; i < before; ++i) {
    const TrcChartItem& item = FDataContainer[i];
    if (removed(item)) {
      dropCount(item.ItemKind);
    } else {
      if (kept != i) FDataContainer[kept] = item;
      ++kept;
    }
  }
  FNumChartItems = kept;
  return before - kept;
}

int TrcItemStore::RemoveItemsByClass(uint8_t ClassNumber) {
  return removeItemsWhere(
      [ClassNumber](const TrcChartItem& item) { return item.ItemClass == ClassNumber; });
}

int TrcItemStore::RemoveItemsByLayer(int Layer) {
  return removeItemsWhere([Layer](const TrcChartItem& item) { return item.Layer == Layer; });
}

// --- searches and selections ------------------------------------------------

int TrcItemStore::FindNearestItemReal(double mx, double my, TrcItem ItemID, uint8_t ClassNumber,
                                      double& Dist) const {
  double best = kNoDistance;
  int result = -1;
  if (ItemID != tkNone) {
    for (int i = 0; i < FNumChartItems; ++i) {
      const TrcChartItem& item = FDataContainer[i];
      if (!kindMatches(item.ItemKind, ItemID) || !classMatches(item.ItemClass, ClassNumber))
        continue;
      const double d = (item.x - mx) * (item.x - mx) + (item.y - my) * (item.y - my);
      if (d < best) {
        best = d;
        result = i;
      }
    }
  }
  Dist = std::sqrt(best);
  return result;
}

int TrcItemStore::FindNearestItemScreen(double mx, double my, TrcItem ItemID, uint8_t ClassNumber,
                                        double& Dist, const TMapToPixels& R2M) const {
  double best = kNoDistance;
  int result = -1;
  if (ItemID != tkNone) {
    int mousePx = 0;
    int mousePy = 0;
    R2M(FSettings.ActiveLayer, mx, my, mousePx, mousePy);
    for (int i = 0; i < FNumChartItems; ++i) {
      const TrcChartItem& item = FDataContainer[i];
      if (!kindMatches(item.ItemKind, ItemID) || !classMatches(item.ItemClass, ClassNumber))
        continue;
      int px = 0;
      int py = 0;
      R2M(FSettings.ActiveLayer, item.x, item.y, px, py);
      // In doubles: squared pixel differences overflow 32 bits far out.
      const double ddx = double(px) - double(mousePx);
      const double ddy = double(py) - double(mousePy);
      const double d = ddx * ddx + ddy * ddy;
      if (d < best) {
        best = d;
        result = i;
      }
    }
  }
  Dist = std::sqrt(best);
  return result;
}

void TrcItemStore::MarkAllItems(TrcItem ItemID, uint8_t ClassNumber) {
  pictureChanged();
  if (ClassNumber == kAllClasses || ItemID == tkNone) return;
  for (int i = 0; i < FNumChartItems; ++i) {
    TrcChartItem& item = FDataContainer[i];
    if (kindMatches(item.ItemKind, ItemID)) item.ItemClass = ClassNumber;
  }
}

int TrcItemStore::MarkItemsInWindow(double xLo, double YLo, double XHi, double YHi, TrcItem ItemID,
                                    uint8_t ClassNumber) {
  pictureChanged();
  if (ClassNumber == kAllClasses || ItemID == tkNone) return 0;
  if (xLo > XHi) std::swap(xLo, XHi);
  if (YLo > YHi) std::swap(YLo, YHi);
  int marked = 0;
  for (int i = 0; i < FNumChartItems; ++i) {
    TrcChartItem& item = FDataContainer[i];
    if (!kindMatches(item.ItemKind, ItemID)) continue;
    if (xLo <= item.x && item.x <= XHi && YLo <= item.y && item.y <= YHi) {
      item.ItemClass = ClassNumber;
      ++marked;
    }
  }
  return marked;
}

void TrcItemStore::NewColorOfClassItems(TColor Newcol, uint8_t ClassNumber) {
  pictureChanged();
  for (int i = 0; i < FNumChartItems; ++i) {
    TrcChartItem& item = FDataContainer[i];
    if (classMatches(item.ItemClass, ClassNumber)) item.Color = Newcol;
  }
}

void TrcItemStore::ScaleItem(int Item, double kx, double dx, double ky, double dy) {
  pictureChanged();
  if (validIndex(Item)) transformItem(FDataContainer[Item], kx, dx, ky, dy);
}

void TrcItemStore::ScaleSelectedItems(double kx, double dx, double ky, double dy,
                                      uint8_t ClassNumber) {
  pictureChanged();
  for (int i = 0; i < FNumChartItems; ++i) {
    TrcChartItem& item = FDataContainer[i];
    if (item.ItemClass == ClassNumber) transformItem(item, kx, dx, ky, dy);
  }
}

void TrcItemStore::ScaleAllItems(double kx, double dx, double ky, double dy) {
  pictureChanged();
  for (int i = 0; i < FNumChartItems; ++i) transformItem(FDataContainer[i], kx, dx, ky, dy);
}

void TrcItemStore::FindMinMax(int Layer, double RangeLoX, double RangeLoY, double RangeHiX,
                              double RangeHiY, double& MinX, double& MinY, double& MaxX,
                              double& MaxY) const {
  MinX = MinY = kNoDistance;
  MaxX = MaxY = -kNoDistance;
  for (int i = 0; i < FNumChartItems; ++i) {
    const TrcChartItem& item = FDataContainer[i];
    if (Layer != 0 && item.Layer != Layer) continue;
    const TrcItem kind = item.ItemKind;
    if (kind == tkMoveRelPix || kind == tkLineRelPix || kind == tkRectRelPix) continue;
    if (strictlyInside(item.x, item.y, RangeLoX, RangeLoY, RangeHiX, RangeHiY))
      widen(item.x, item.y, MinX, MinY, MaxX, MaxY);
    if (HasSecondPoint(kind) &&
        strictlyInside(item.x2, item.y2, RangeLoX, RangeLoY, RangeHiX, RangeHiY))
      widen(item.x2, item.y2, MinX, MinY, MaxX, MaxY);
  }
}

TLayerSet TrcItemStore::FindUsedLayers() const {
  TLayerSet used;
  for (int i = 0; i < FNumChartItems; ++i) {
    const int layer = FDataContainer[i].Layer;
    if (validLayer(layer)) used.set(static_cast<std::size_t>(layer));
  }
  return used;
}

// --- visibility -------------------------------------------------------------

bool TrcItemStore::ClassVisible(uint8_t cnum) const { return FSettings.ClassVisible[cnum]; }

void TrcItemStore::SetClassVisible(uint8_t cnum, bool Value) {
  changeSetting(FSettings.ClassVisible[cnum], Value, OnRepaint);
}

bool TrcItemStore::LayerVisible(int Layer) const {
  return validLayer(Layer) && FSettings.LayerVisible[Layer];
}

void TrcItemStore::SetLayerVisible(int Layer, bool Value) {
  pictureChanged();
  if (!validLayer(Layer) || FSettings.LayerVisible[Layer] == Value) return;
  FSettings.LayerVisible[Layer] = Value;
  notify(OnRepaint);
}

// --- drawing attributes -----------------------------------------------------

TColor TrcItemStore::DataColor() const { return FSettings.DataColor; }
void TrcItemStore::SetDataColor(TColor Value) { FSettings.DataColor = Value; }

TColor TrcItemStore::FillColor() const { return FSettings.FillColor; }
void TrcItemStore::SetFillColor(TColor Value) { FSettings.FillColor = Value; }

TPenStyle TrcItemStore::PenStyle() const { return FSettings.PenStyle; }
void TrcItemStore::SetPenStyle(TPenStyle Value) { FSettings.PenStyle = Value; }

uint8_t TrcItemStore::LineWidth() const { return FSettings.LineWidth; }
void TrcItemStore::SetLineWidth(uint8_t Value) { FSettings.LineWidth = Value; }

uint8_t TrcItemStore::ClassDefault() const { return FSettings.ClassDefault; }
void TrcItemStore::SetClassDefault(uint8_t Value) {
  // 255 stands for "every class" in the filters; commands never store it.
  if (Value != kAllClasses) FSettings.ClassDefault = Value;
}

int TrcItemStore::ActiveLayer() const { return FSettings.ActiveLayer; }
void TrcItemStore::SetActiveLayer(int Value) {
  pictureChanged();
  if (!validLayer(Value) || Value == FSettings.ActiveLayer) return;
  FSettings.ActiveLayer = Value;
  notify(OnRepaintRule);
}

int32_t TrcItemStore::DataTag() const { return FSettings.DataTag; }
void TrcItemStore::SetDataTag(int32_t Value) { FSettings.DataTag = Value; }

bool TrcItemStore::TransparentItems() const { return FSettings.TransparentItems; }
void TrcItemStore::SetTransparentItems(bool Value) {
  pictureChanged();
  FSettings.TransparentItems = Value;
}

TAlignment TrcItemStore::TextAlignment() const { return FSettings.TextAlignment; }
void TrcItemStore::SetTextAlignment(TAlignment Value) {
  changeSetting(FSettings.TextAlignment, Value, OnRepaintRule);
}

int TrcItemStore::AllocSize() const { return FSettings.AllocSize; }
void TrcItemStore::SetAllocSize(int Value) {
  if (Value >= 1 && Value <= kMaxAllocSize) FSettings.AllocSize = Value;
}

bool TrcItemStore::AvoidDuplicateMarks() const { return FSettings.AvoidDuplicateMarks; }
void TrcItemStore::SetAvoidDuplicateMarks(bool Value) {
  changeSetting(FSettings.AvoidDuplicateMarks, Value, OnRepaint);
}

TFontStyles TrcItemStore::TextFontStyle() const { return FSettings.TextFontStyle; }
void TrcItemStore::SetTextFontStyle(TFontStyles Value) {
  changeSetting(FSettings.TextFontStyle, Value, OnRepaintRule);
}

TTextBkg TrcItemStore::TextBkStyle() const { return FSettings.TextBkStyle; }
void TrcItemStore::SetTextBkStyle(TTextBkg Value) {
  changeSetting(FSettings.TextBkStyle, Value, OnRepaintRule);
}

TColor TrcItemStore::TextBkColor() const { return FSettings.TextBkColor; }
void TrcItemStore::SetTextBkColor(TColor Value) {
  changeSetting(FSettings.TextBkColor, Value, OnRepaintRule);
}

int TrcItemStore::LastElemOnShow() const { return FLastElemOnShow; }
void TrcItemStore::SetLastElemOnShow(int Value) { FLastElemOnShow = Value; }
