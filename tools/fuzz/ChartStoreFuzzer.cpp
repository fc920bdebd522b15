// Coverage-guided fuzz target for the chart's item store: a random sequence
// of drawing commands, settings, removals, class and colour edits, linear
// transforms and searches with arbitrary coordinates, run against the store
// and against a plain model of it (a vector of the fields that matter).
// After every step the two must agree on every item, the capacity, the
// per-kind counts, the first and last kinds and the used layers; searches
// must return the same index and distance. Growth fails on request: the
// command must raise std::bad_alloc and leave the store as it was.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "controls/chart/rules/PLX_ChartStore.h"
#include "controls/chart/rules/PLX_HugePages.h"
#include "tools/fuzz/FuzzInputs.h"

namespace {

constexpr double kNoDistance = 1.7e308;

bool gFailGrowth = false;

void* fuzzRealloc(void* block, std::size_t size) {
  return gFailGrowth ? nullptr : HugePageRealloc(block, size);
}

[[noreturn]] void fail(const char* what, int step, int index) {
  std::fprintf(stderr, "PROPERTY FAILED: %s (step %d, item %d)\n", what, step, index);
  std::abort();
}

struct ModelItem {
  double x = 0, y = 0, x2 = 0, y2 = 0;
  TrcItem kind = tkNone;
  uint8_t itemClass = 0;
  int layer = 1;
  TColor color = 0;
  bool hasSecond = false;  // x2, y2 are set by the command
};

bool secondIsPoint(TrcItem k) {
  return k == tkLine || k == tkRect || k == tkRectFrame || k == tk3DBar || k == tkArrow;
}

bool kindPasses(TrcItem k, TrcItem filter) {
  return filter == tkEverything || (filter == tkNotMoveTo ? k != tkMoveTo : k == filter);
}

struct Model {
  std::vector<ModelItem> items;
  int allocated = 0;
  int allocSize = 1000;
  int activeLayer = 1;
  uint8_t classDefault = 0;
  TColor color = clBlack;

  void reset() {
    items.clear();
    allocated = 0;
  }
  ModelItem& append(TrcItem kind, double x, double y) {
    if (int(items.size()) >= allocated) allocated += allocSize;
    ModelItem m;
    m.kind = kind;
    m.x = x;
    m.y = y;
    m.itemClass = classDefault;
    m.layer = activeLayer;
    m.color = color;
    items.push_back(m);
    return items.back();
  }
  void removeLast() {
    if (items.empty()) return;
    items.pop_back();
    if (items.empty()) reset();
  }
  void removeAt(int index) {
    if (index < 0 || index >= int(items.size())) return;
    if (items.size() == 1) return reset();
    items.erase(items.begin() + index);
  }
  template <typename Pred>
  int removeIf(Pred pred) {
    const auto before = items.size();
    items.erase(std::remove_if(items.begin(), items.end(), pred), items.end());
    return int(before - items.size());
  }
};

void transform(ModelItem& m, double kx, double dx, double ky, double dy) {
  m.x = kx * m.x + dx;
  m.y = ky * m.y + dy;
  if (secondIsPoint(m.kind) || m.kind == tkEllipse) {
    m.x2 = kx * m.x2 + dx;
    m.y2 = ky * m.y2 + dy;
  }
}

TrcItem consumeKind(FuzzedDataProvider& fdp) {
  return static_cast<TrcItem>(fdp.ConsumeIntegralInRange(0, NumItemKinds - 1));
}

uint8_t consumeClass(FuzzedDataProvider& fdp) {
  return fdp.ConsumeBool() ? fdp.ConsumeIntegralInRange<uint8_t>(0, 3)
                           : fdp.ConsumeIntegral<uint8_t>();
}

int consumeLayer(FuzzedDataProvider& fdp) {
  return fdp.ConsumeBool() ? fdp.ConsumeIntegralInRange(-1, 18) : fdp.ConsumeIntegral<int>();
}

// One drawing command on both sides.
void command(FuzzedDataProvider& fdp, TrcItemStore& s, Model& m) {
  const int which = fdp.ConsumeIntegralInRange(0, 9);
  const double x = consumeCoordinate(fdp);
  const double y = consumeCoordinate(fdp);
  const double x2 = consumeCoordinate(fdp);
  const double y2 = consumeCoordinate(fdp);
  const int dx = fdp.ConsumeIntegral<int>();
  const int dy = fdp.ConsumeIntegral<int>();
  static const TrcItem kKinds[] = {tkMarkAt,
                                   tkMoveTo,
                                   tkLineto,
                                   tkLine,
                                   tkRect,
                                   tkEllipse,
                                   tkArrow,
                                   tk3DBar,
                                   tkMoveRelPix,
                                   tkRectRelPix};
  const TrcItem kind = kKinds[which];
  try {
    switch (kind) {
      case tkMarkAt:
        s.MarkAt(x, y, uint8_t(dx));
        break;
      case tkMoveTo:
        s.MoveTo(x, y);
        break;
      case tkLineto:
        s.DrawTo(x, y);
        break;
      case tkLine:
        s.Line(x, y, x2, y2);
        break;
      case tkRect:
        s.Rectangle(x, y, x2, y2);
        break;
      case tkEllipse:
        s.Ellipse(x, y, x2, y2);
        break;
      case tkArrow:
        s.Arrow(x, y, x2, y2, dx);
        break;
      case tk3DBar:
        s.Bar3D(x, y, x2, y2, dx, dy);
        break;
      case tkMoveRelPix:
        s.MoveToRelPix(dx, dy);
        break;
      default:
        s.RectangleRelPix(x, y, dx, dy);
        break;
    }
  } catch (const std::bad_alloc&) {
    if (!gFailGrowth) fail("bad_alloc without a failing allocation", 0, -1);
    // A store that kept a larger block may grow without allocating; one that
    // had to allocate reports the failure and stays as it was.
    return;
  }
  ModelItem& item = kind == tkMoveRelPix ? m.append(kind, dx, dy) : m.append(kind, x, y);
  if (kind == tkRectRelPix) {
    item.x2 = dx;
    item.y2 = dy;
    item.hasSecond = true;
  } else if (secondIsPoint(kind) || kind == tkEllipse) {
    item.x2 = x2;
    item.y2 = y2;
    item.hasSecond = true;
  }
}

void findNearest(FuzzedDataProvider& fdp, const TrcItemStore& s, const Model& m, int step) {
  const double mx = consumeCoordinate(fdp);
  const double my = consumeCoordinate(fdp);
  const TrcItem filter = consumeKind(fdp);
  const uint8_t cls = consumeClass(fdp);
  double best = kNoDistance;
  int expected = -1;
  for (std::size_t i = 0; filter != tkNone && i < m.items.size(); ++i) {
    const ModelItem& it = m.items[i];
    if (!kindPasses(it.kind, filter) || (cls != 255 && it.itemClass != cls)) continue;
    const double d = (it.x - mx) * (it.x - mx) + (it.y - my) * (it.y - my);
    if (d < best) {
      best = d;
      expected = int(i);
    }
  }
  double dist = 0;
  const int got = s.FindNearestItemReal(mx, my, filter, cls, dist);
  if (got != expected || !sameBits(dist, std::sqrt(best))) fail("FindNearestItemReal", step, got);
}

void findMinMax(FuzzedDataProvider& fdp, const TrcItemStore& s, const Model& m, int step) {
  const int layer = fdp.ConsumeBool() ? 0 : consumeLayer(fdp);
  const double lx = consumeCoordinate(fdp), ly = consumeCoordinate(fdp);
  const double hx = consumeCoordinate(fdp), hy = consumeCoordinate(fdp);
  double e[4] = {kNoDistance, kNoDistance, -kNoDistance, -kNoDistance};
  auto take = [&](double x, double y) {
    if (!(lx < x && x < hx && ly < y && y < hy)) return;
    e[0] = std::min(e[0], x);
    e[1] = std::min(e[1], y);
    e[2] = std::max(e[2], x);
    e[3] = std::max(e[3], y);
  };
  for (const ModelItem& it : m.items) {
    if (layer != 0 && it.layer != layer) continue;
    if (it.kind == tkMoveRelPix || it.kind == tkLineRelPix || it.kind == tkRectRelPix) continue;
    take(it.x, it.y);
    if (secondIsPoint(it.kind)) take(it.x2, it.y2);
  }
  double g[4];
  s.FindMinMax(layer, lx, ly, hx, hy, g[0], g[1], g[2], g[3]);
  for (int i = 0; i < 4; ++i) {
    if (!sameBits(g[i], e[i])) fail("FindMinMax", step, i);
  }
}

void edit(FuzzedDataProvider& fdp, TrcItemStore& s, Model& m, int step) {
  const int n = int(m.items.size());
  switch (fdp.ConsumeIntegralInRange(0, 7)) {
    case 0: {
      const TrcItem filter = consumeKind(fdp);
      const uint8_t cls = consumeClass(fdp);
      s.MarkAllItems(filter, cls);
      for (ModelItem& it : m.items) {
        if (cls != 255 && filter != tkNone && kindPasses(it.kind, filter)) it.itemClass = cls;
      }
      break;
    }
    case 1: {
      double xl = consumeCoordinate(fdp), yl = consumeCoordinate(fdp);
      double xh = consumeCoordinate(fdp), yh = consumeCoordinate(fdp);
      const TrcItem filter = consumeKind(fdp);
      const uint8_t cls = consumeClass(fdp);
      const int got = s.MarkItemsInWindow(xl, yl, xh, yh, filter, cls);
      if (xl > xh) std::swap(xl, xh);
      if (yl > yh) std::swap(yl, yh);
      int marked = 0;
      for (ModelItem& it : m.items) {
        if (cls == 255 || filter == tkNone || !kindPasses(it.kind, filter)) continue;
        if (xl <= it.x && it.x <= xh && yl <= it.y && it.y <= yh) {
          it.itemClass = cls;
          ++marked;
        }
      }
      if (got != marked) fail("MarkItemsInWindow count", step, got);
      break;
    }
    case 2: {
      const TColor c = fdp.ConsumeIntegral<TColor>();
      const uint8_t cls = consumeClass(fdp);
      s.NewColorOfClassItems(c, cls);
      for (ModelItem& it : m.items) {
        if (cls == 255 || it.itemClass == cls) it.color = c;
      }
      break;
    }
    default: {
      const int mode = fdp.ConsumeIntegralInRange(0, 2);
      const double kx = consumeCoordinate(fdp), dx = consumeCoordinate(fdp);
      const double ky = consumeCoordinate(fdp), dy = consumeCoordinate(fdp);
      if (mode == 0) {
        const int idx = fdp.ConsumeIntegralInRange(-1, n);
        s.ScaleItem(idx, kx, dx, ky, dy);
        if (idx >= 0 && idx < n) transform(m.items[std::size_t(idx)], kx, dx, ky, dy);
      } else if (mode == 1) {
        const uint8_t cls = consumeClass(fdp);
        s.ScaleSelectedItems(kx, dx, ky, dy, cls);
        for (ModelItem& it : m.items) {
          if (it.itemClass == cls) transform(it, kx, dx, ky, dy);
        }
      } else {
        s.ScaleAllItems(kx, dx, ky, dy);
        for (ModelItem& it : m.items) transform(it, kx, dx, ky, dy);
      }
      break;
    }
  }
}

void setItemParams(FuzzedDataProvider& fdp, TrcItemStore& s, Model& m) {
  const int n = int(m.items.size());
  const int idx = fdp.ConsumeIntegralInRange(-1, n);
  TrcChartItem rec{};
  rec.x = consumeCoordinate(fdp);
  rec.y = consumeCoordinate(fdp);
  rec.x2 = consumeCoordinate(fdp);
  rec.y2 = consumeCoordinate(fdp);
  rec.ItemKind = static_cast<TrcItem>(fdp.ConsumeIntegralInRange(0, 20));
  rec.ItemClass = consumeClass(fdp);
  rec.Layer = consumeLayer(fdp);
  rec.Color = fdp.ConsumeIntegral<TColor>();
  s.SetItemParams(idx, rec);
  const bool refused =
      rec.ItemKind == tkNone || rec.ItemKind == tkEverything || rec.ItemKind >= NumItemKinds;
  if (idx < 0 || idx >= n || refused) return;
  ModelItem& it = m.items[std::size_t(idx)];
  it = ModelItem{
      rec.x, rec.y, rec.x2, rec.y2, rec.ItemKind, rec.ItemClass, rec.Layer, rec.Color, true};
}

void removal(FuzzedDataProvider& fdp, TrcItemStore& s, Model& m, int step) {
  switch (fdp.ConsumeIntegralInRange(0, 5)) {
    case 0: {
      const int idx = fdp.ConsumeIntegralInRange(-1, int(m.items.size()));
      s.RemoveItem(idx);
      m.removeAt(idx);
      break;
    }
    case 1:
      s.RemoveFirstItem();
      m.removeAt(0);
      break;
    case 2:
      s.RemoveLastItem();
      m.removeLast();
      break;
    case 3: {
      const uint8_t cls = consumeClass(fdp);
      const int got = s.RemoveItemsByClass(cls);
      if (got != m.removeIf([cls](const ModelItem& it) { return it.itemClass == cls; }))
        fail("RemoveItemsByClass count", step, got);
      break;
    }
    case 4: {
      const int layer = consumeLayer(fdp);
      const int got = s.RemoveItemsByLayer(layer);
      if (got != m.removeIf([layer](const ModelItem& it) { return it.layer == layer; }))
        fail("RemoveItemsByLayer count", step, got);
      break;
    }
    default:
      s.Clear();
      m.reset();
      break;
  }
}

void setting(FuzzedDataProvider& fdp, TrcItemStore& s, Model& m) {
  switch (fdp.ConsumeIntegralInRange(0, 4)) {
    case 0: {
      const int layer = consumeLayer(fdp);
      s.SetActiveLayer(layer);
      if (layer >= 1 && layer <= NumLayers) m.activeLayer = layer;
      break;
    }
    case 1: {
      const uint8_t cls = fdp.ConsumeIntegral<uint8_t>();
      s.SetClassDefault(cls);
      if (cls != 255) m.classDefault = cls;
      break;
    }
    case 2: {
      static const int kOdd[] = {0, -5, 1000001, -2147483647 - 1, 2147483647};
      const int size = fdp.ConsumeBool() ? fdp.ConsumeIntegralInRange(1, 3000)
                                         : kOdd[fdp.ConsumeIntegralInRange(0, 4)];
      s.SetAllocSize(size);
      if (size >= 1 && size <= 1000000) m.allocSize = size;
      break;
    }
    case 3:
      m.color = fdp.ConsumeIntegral<TColor>();
      s.SetDataColor(m.color);
      break;
    default:
      gFailGrowth = fdp.ConsumeBool();
      break;
  }
}

void compare(const TrcItemStore& s, const Model& m, int step) {
  const int n = int(m.items.size());
  if (s.NumItems() != n) fail("NumItems", step, s.NumItems());
  if (s.NumAllocated() != m.allocated) fail("NumAllocated", step, s.NumAllocated());
  int counts[NumItemKinds] = {};
  TLayerSet used;
  for (int i = 0; i < n; ++i) {
    const ModelItem& e = m.items[std::size_t(i)];
    const TrcChartItem g = s.DataContainer(i);
    if (g.ItemKind != e.kind || g.ItemClass != e.itemClass || g.Layer != e.layer ||
        g.Color != e.color)
      fail("item attributes", step, i);
    if (!sameBits(g.x, e.x) || !sameBits(g.y, e.y)) fail("item point", step, i);
    if (e.hasSecond && (!sameBits(g.x2, e.x2) || !sameBits(g.y2, e.y2)))
      fail("item second point", step, i);
    ++counts[e.kind];
    if (e.layer >= 1 && e.layer <= NumLayers) used.set(std::size_t(e.layer));
  }
  for (int k = 0; k < NumItemKinds; ++k) {
    if (s.ItemCount(TrcItem(k)) != counts[k]) fail("ItemCount", step, k);
  }
  if (s.FindUsedLayers() != used) fail("FindUsedLayers", step, -1);
  if (s.TypeOfFirstItem() != (n ? m.items.front().kind : tkNone)) fail("TypeOfFirstItem", step, 0);
  if (s.TypeOfLastItem() != (n ? m.items.back().kind : tkNone)) fail("TypeOfLastItem", step, n - 1);
  if (s.DataContainer(n).ItemKind != tkNone || s.DataContainer(-1).ItemKind != tkNone)
    fail("record outside the store", step, n);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider fdp(data, size);
  gFailGrowth = false;
  TrcItemStore store;
  store.SetReallocForTesting(&fuzzRealloc);
  Model model;
  for (int step = 0; fdp.remaining_bytes() > 0 && step < 400; ++step) {
    switch (fdp.ConsumeIntegralInRange(0, 7)) {
      case 0:
      case 1:
      case 2:
        command(fdp, store, model);
        break;
      case 3:
        removal(fdp, store, model, step);
        break;
      case 4:
        edit(fdp, store, model, step);
        break;
      case 5:
        setting(fdp, store, model);
        break;
      case 6:
        setItemParams(fdp, store, model);
        break;
      default:
        findNearest(fdp, store, model, step);
        findMinMax(fdp, store, model, step);
        break;
    }
    compare(store, model, step);
  }
  gFailGrowth = false;
  return 0;
}
