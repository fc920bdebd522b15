#include "controls/chart/rules/PLX_ZoomHistory.h"

#include <cassert>

void TZoomHistory::Clear() {
  for (auto& layer : FZoomStack) layer.fill(TRectDouble{0, 0, 0, 0});
  FZStackPoi = 1;
  FPushes = 0;
  FChainLen = 0;
  FCursor = -1;
}

void TZoomHistory::Push(const TState& State) {
  for (int n = 0; n < MaxLayers; ++n)
    FZoomStack[size_t(n)][size_t(FZStackPoi - 1)] = State[size_t(n)];
  FZStackPoi = FZStackPoi % Depth + 1;
  ++FPushes;
  // Like an undo stack: a new state after stepping back drops the states
  // that lay ahead.
  FChainLen = FCursor + 1;
  dropOverwritten();
  assert(FChainLen < Depth);  // the ring holds at most 15 older states
  FChain[size_t(FChainLen++)] = FPushes;
  FCursor = FChainLen - 1;
}

// The ring has just overwritten the oldest slot: chain entries that lived
// there are gone.
void TZoomHistory::dropOverwritten() {
  int first = 0;
  while (first < FChainLen && !held(FChain[size_t(first)])) ++first;
  if (first == 0) return;
  for (int i = first; i < FChainLen; ++i) FChain[size_t(i - first)] = FChain[size_t(i)];
  FChainLen -= first;
  FCursor -= first;
}

int TZoomHistory::Slot(int Index) const {
  assert(Index >= -(Depth - 1) && Index <= 0);
  int p = FZStackPoi + Index - 1;
  if (p < 1) p += Depth;
  return p;
}

TRectDouble TZoomHistory::Entry(int Layer, int Index) const {
  assert(Layer >= 1 && Layer <= MaxLayers);
  if (Index < -(Depth - 1) || Index > 0 || Layer < 1 || Layer > MaxLayers) return {0, 0, 0, 0};
  return FZoomStack[size_t(Layer - 1)][size_t(Slot(Index) - 1)];
}

bool TZoomHistory::StepChain(int Step, int& Index) {
  const int target = FCursor + Step;
  if (target < 0 || target >= FChainLen || !held(FChain[size_t(target)])) return false;
  FCursor = target;
  Index = -int(FPushes - FChain[size_t(target)]);
  return true;
}

void TZoomHistory::RestoredIndex(int Index) {
  if (Index > 0 || uint64_t(-Index) > FPushes) return;
  const uint64_t seq = FPushes - uint64_t(-Index);
  for (int i = 0; i < FChainLen; ++i) {
    if (FChain[size_t(i)] == seq) FCursor = i;
  }
}
