// The chart's history of range states: a fixed ring of 16 states of all 16
// layers, and beside it an undo chain through the states a user can step back
// and forth to. Plain data, no drawing; pushing never allocates.
#pragma once

#include <array>
#include <cstdint>

#include "controls/chart/rules/PLX_rchartTypes.h"

class TZoomHistory {
 public:
  static constexpr int Depth = 16;
  // One range state of every layer; entry 0 is layer 1.
  using TState = std::array<TRectDouble, MaxLayers>;

  TZoomHistory() { Clear(); }

  // Every entry zero, the next push goes to slot 1, the chain is empty.
  void Clear();
  // Writes the state to the next slot; 17 wraps to 1. In the chain the state
  // follows the current one and replaces any states after it.
  void Push(const TState& State);
  // The slot of history index -15..0 (0 the state pushed last).
  int Slot(int Index) const;
  // A layer's entry at history index -15..0; zeros outside.
  TRectDouble Entry(int Layer, int Index) const;
  // The slot the next state is written to.
  int StackPoi() const { return FZStackPoi; }

  // The history index of the chain's state before (Step -1) or after
  // (Step +1) the current one, and that state becomes current; false, and
  // nothing changes, when the chain ends there or the ring no longer holds
  // that state.
  bool StepChain(int Step, int& Index);
  // A state restored by its history index becomes current when the chain
  // holds it.
  void RestoredIndex(int Index);

 private:
  bool held(uint64_t Seq) const { return Seq + Depth > FPushes; }
  void dropOverwritten();

  std::array<std::array<TRectDouble, Depth>, MaxLayers> FZoomStack{};  // [layer-1][slot-1]
  int FZStackPoi = 1;
  // Pushes since Clear; push number q went to the slot q had then.
  uint64_t FPushes = 0;
  // Push numbers of the undo chain, oldest first, and the current entry.
  std::array<uint64_t, Depth> FChain{};
  int FChainLen = 0;
  int FCursor = -1;
};
