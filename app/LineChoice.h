// The feeder that the Feeder check and Tuner pages share: which physical line
// (one of the presets or the user's own) and how long it is.
#pragma once

#include "app/tuner/TransmissionLine.h"

// The index of the user's own line, after the presets.
constexpr int CustomLine = int(LinePresets.size());

struct TLineChoice {
  int line = 0;  // an index into LinePresets, or CustomLine
  // The user's own line, kept while a preset is chosen.
  TTransmissionLine custom{450, 0.90, 1.024e-3, std::nullopt};
  TTransmissionLine Line() const {
    return line == CustomLine ? custom : LinePresets.at(size_t(line)).line;
  }
  bool operator==(const TLineChoice&) const = default;
};
