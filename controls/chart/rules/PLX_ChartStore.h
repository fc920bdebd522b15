// The chart's item store: every drawing command appends one fixed-size record
// holding its coordinates in real units and a copy of the current drawing
// attributes. Rendering walks the records once, in order (Items()).
#pragma once

#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "controls/base/PLX_plxbase.h"
#include "platform/PlatformTypes.h"

// Kind of a stored item. tkEverything and tkNotMoveTo are never stored; they
// are filters of the search and selection operations.
enum TrcItem : uint8_t {
  tkNone = 0,
  tkMarkAt = 1,
  tkLine = 2,
  tkLineto = 3,
  tkRect = 4,
  tkRectFrame = 5,
  tk3DBar = 6,
  tkText = 7,
  tkMoveTo = 8,
  tkEllipse = 9,
  tkEverything = 10,
  tkNotMoveTo = 11,
  tkMoveRelPix = 12,
  tkLineRelPix = 13,
  tkArrow = 14,
  tkTextOfs = 15,
  tkRectRelPix = 16,
  tkMarkEBar = 17
};

constexpr int NumItemKinds = 18;

// Kinds whose (x2, y2) is a second point in real units.
inline bool HasSecondPoint(TrcItem kind) {
  return kind == tkLine || kind == tkRect || kind == tkRectFrame || kind == tk3DBar ||
         kind == tkArrow;
}

// Layers are numbered 1..NumLayers.
constexpr int NumLayers = 16;

enum TOrientation : uint8_t { orVert = 0, orHoriz = 1 };

enum TTextBkg : uint8_t { tbClear = 0, tbSolid = 1 };

// Text of an item, inline: at most 15 bytes in the Windows-1252 code page.
struct TItemText {
  static constexpr int MaxLength = 15;

  uint8_t Length;
  char Chars[MaxLength];

  // Characters the code page lacks become '?'; the first 15 bytes are kept.
  static TItemText FromString(const std::u16string& Text);
  std::u16string ToString() const;
  std::string_view Bytes() const;
};

struct TrcChartItem {
  double x;
  double y;
  double x2;
  double y2;
  TColor Color;
  TColor FillColor;
  TColor ShadowColor;
  TColor HiLightColor;
  TPenStyle PenStyle;
  int32_t Tag;
  int32_t LWid;
  uint8_t ItemClass;
  TrcItem ItemKind;
  int32_t Layer;
  bool Transp;
  TFrameStyle FrameStyle;
  TItemText Text;
  int32_t SizeOrAngle;
  int32_t Depth;
  uint8_t MarkOrAlign;
};

// Layer numbers 1..NumLayers of FindUsedLayers: bit L stands for layer L;
// bit 0 is never set.
using TLayerSet = std::bitset<NumLayers + 1>;

// The store's settings, which a copy takes over whole: the attributes the
// drawing commands give their items, the growth step, and which classes and
// layers are drawn.
struct TItemSettings {
  TColor DataColor = clBlack;
  TColor FillColor = clSilver;
  TPenStyle PenStyle = psSolid;
  uint8_t LineWidth = 1;
  uint8_t ClassDefault = 0;
  int32_t ActiveLayer = 1;
  int32_t DataTag = 0;
  bool TransparentItems = false;
  TAlignment TextAlignment = taCenter;
  bool AvoidDuplicateMarks = false;
  TFontStyles TextFontStyle = 0;
  TTextBkg TextBkStyle = tbClear;
  TColor TextBkColor = clWhite;
  int32_t AllocSize = 1000;
  std::array<bool, 256> ClassVisible;
  std::array<bool, NumLayers + 1> LayerVisible;  // entry 0 unused

  TItemSettings() {
    ClassVisible.fill(true);
    LayerVisible.fill(true);
  }
};

class TrcItemStore {
 public:
  // Maps a point of the given layer to chart pixels (the chart's R2M).
  using TMapToPixels = std::function<void(int Layer, double x, double y, int& px, int& py)>;
  // Grows the record array; must behave like HugePageRealloc (nullptr on
  // failure, the old block untouched, the added bytes zero) and hand back
  // its blocks.
  using TReallocFunc = void* (*)(void* Block, std::size_t Size);

  TrcItemStore();
  ~TrcItemStore();
  TrcItemStore(const TrcItemStore&) = delete;
  TrcItemStore& operator=(const TrcItemStore&) = delete;

  // Copies items, capacity, growth step, counts, LastElemOnShow, drawing
  // attributes and visibility (not the callbacks). Nothing changes when the
  // copy cannot be allocated.
  void Assign(const TrcItemStore& Source);

  // Drawing commands: each appends one item.
  void MarkAt(double x, double y, uint8_t mk);
  void MarkErrorBar(double x, double y, double dlower, double dupper, TOrientation Dir, uint8_t mk);
  void Text(double x, double y, int size, const std::u16string& txt);
  void Text(double x, double y, int size, const std::u16string& txt, int dx, int dy,
            TAlignment Alignment);
  void MoveTo(double x, double y);
  void DrawTo(double x, double y);
  void MoveToRelPix(int dx, int dy);
  void DrawToRelPix(int dx, int dy);
  void Line(double x1, double y1, double x2, double y2);
  void Rectangle(double x1, double y1, double x2, double y2);
  void RectangleRelPix(double centx, double centy, int dx, int dy);
  void Arrow(double x1, double y1, double x2, double y2, int HeadSize);
  void RectFrame(double x1, double y1, double x2, double y2, TFrameStyle FrameStyle,
                 TColor ShadowColor, TColor HiLightColor);
  void Bar3D(double llx, double lly, double urx, double ury, int Depth, int Angle);
  void Ellipse(double cx, double cy, double HorizAxLeng, double VertAxLeng);

  int NumItems() const;
  int NumAllocated() const;
  int ItemCount(TrcItem it) const;
  TrcItem TypeOfFirstItem() const;
  TrcItem TypeOfLastItem() const;
  // The NumItems() records, in drawing order.
  const TrcChartItem* Items() const;
  // A copy of item idx; a record of kind tkNone for an invalid index.
  TrcChartItem DataContainer(int idx) const;
  // Stores the record as given; the per-kind counts are not adjusted.
  void SetDataContainer(int idx, const TrcChartItem& rec);
  TrcChartItem GetItemParams(int Item) const;
  // Refused for kinds tkNone, tkEverything and values beyond the last kind;
  // adjusts the per-kind counts.
  void SetItemParams(int Item, const TrcChartItem& ItParams);

  // Empties the store (the chart also erases its image).
  void Clear();
  void RemoveItem(int Index);
  void RemoveFirstItem();
  void RemoveLastItem();
  int RemoveItemsByClass(uint8_t ClassNumber);
  int RemoveItemsByLayer(int Layer);

  // Index of the item nearest to (mx, my), or -1; Dist gets the distance.
  int FindNearestItemReal(double mx, double my, TrcItem ItemID, uint8_t ClassNumber,
                          double& Dist) const;
  // As above in pixels; every point is mapped with the ActiveLayer's mapping.
  int FindNearestItemScreen(double mx, double my, TrcItem ItemID, uint8_t ClassNumber, double& Dist,
                            const TMapToPixels& R2M) const;
  void MarkAllItems(TrcItem ItemID, uint8_t ClassNumber);
  int MarkItemsInWindow(double xLo, double YLo, double XHi, double YHi, TrcItem ItemID,
                        uint8_t ClassNumber);
  void NewColorOfClassItems(TColor Newcol, uint8_t ClassNumber);
  void ScaleItem(int Item, double kx, double dx, double ky, double dy);
  void ScaleSelectedItems(double kx, double dx, double ky, double dy, uint8_t ClassNumber);
  void ScaleAllItems(double kx, double dx, double ky, double dy);
  // Layer 0 means all layers. With nothing inside the window the minima stay
  // 1.7e308 and the maxima -1.7e308.
  void FindMinMax(int Layer, double RangeLoX, double RangeLoY, double RangeHiX, double RangeHiY,
                  double& MinX, double& MinY, double& MaxX, double& MaxY) const;
  TLayerSet FindUsedLayers() const;

  bool ClassVisible(uint8_t cnum) const;
  void SetClassVisible(uint8_t cnum, bool Value);
  bool LayerVisible(int Layer) const;
  void SetLayerVisible(int Layer, bool Value);

  TColor DataColor() const;
  void SetDataColor(TColor Value);
  TColor FillColor() const;
  void SetFillColor(TColor Value);
  TPenStyle PenStyle() const;
  void SetPenStyle(TPenStyle Value);
  uint8_t LineWidth() const;
  void SetLineWidth(uint8_t Value);
  uint8_t ClassDefault() const;
  void SetClassDefault(uint8_t Value);
  int ActiveLayer() const;
  void SetActiveLayer(int Value);
  int32_t DataTag() const;
  void SetDataTag(int32_t Value);
  bool TransparentItems() const;
  void SetTransparentItems(bool Value);
  TAlignment TextAlignment() const;
  void SetTextAlignment(TAlignment Value);
  int AllocSize() const;
  void SetAllocSize(int Value);
  bool AvoidDuplicateMarks() const;
  void SetAvoidDuplicateMarks(bool Value);
  TFontStyles TextFontStyle() const;
  void SetTextFontStyle(TFontStyles Value);
  TTextBkg TextBkStyle() const;
  void SetTextBkStyle(TTextBkg Value);
  TColor TextBkColor() const;
  void SetTextBkColor(TColor Value);

  int LastElemOnShow() const;
  void SetLastElemOnShow(int Value);

  // Counts every change to what the items draw (items, visibility, text
  // settings), so a renderer can tell whether its picture is still current.
  uint32_t Revision() const { return FRevision; }

  // Connected by the chart: repaint at once, and repaint when AutoRedraw is on.
  std::function<void()> OnRepaint;
  std::function<void()> OnRepaintRule;

  // Test seam for allocation failures.
  void SetReallocForTesting(TReallocFunc Func);

 private:
  // Every call that may change what the items draw passes here first.
  void pictureChanged() { ++FRevision; }
  TrcChartItem& appendItem(TrcItem Kind);
  TrcChartItem& appendAt(TrcItem Kind, double x, double y);
  TrcChartItem& appendFilled(TrcItem Kind, double x1, double y1, double x2, double y2);
  void growForOne();
  void resetStorage();
  void dropCount(TrcItem Kind);
  template <class Removed>
  int removeItemsWhere(Removed removed);
  void raiseCount(TrcItem Kind);
  bool validIndex(int idx) const;
  void notify(const std::function<void()>& Callback) const;
  // Stores a setting that changes what the items draw, and calls Callback
  // when the value is new.
  template <class T>
  void changeSetting(T& Setting, T Value, const std::function<void()>& Callback);

  TrcChartItem* FDataContainer = nullptr;
  int32_t FStorageRecords = 0;  // records FDataContainer has room for; at least 1
  int32_t FNumChartItems = 0;
  int32_t FNumAllocated = 0;
  int32_t FItemCount[NumItemKinds] = {};
  int32_t FLastElemOnShow = 0;
  uint32_t FRevision = 0;
  TItemSettings FSettings;

  TReallocFunc FRealloc;
};
