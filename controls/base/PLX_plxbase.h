// Types shared by the numeric controls, the axis scale and the chart.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "platform/PlatformTypes.h"

enum TFrameStyle : uint8_t {
  fsNone = 0,
  fsSimple = 1,
  fsLowered = 2,
  fsRaised = 3,
  fsEmbossed = 4,
  fsEngraved = 5
};

enum TColorScheme : uint8_t { csBWG = 0, csSystem = 1 };

// Which character a validator accepts as the decimal separator; dsSystem
// follows the locale at each call.
enum TDecPSep : uint8_t { dsSystem = 0, dsDot = 1, dsComma = 2, dsBoth = 3 };

// The setter rule of the self-drawn controls: store a changed value, then
// repaint; an unchanged value does nothing.
template <class T, class V, class Repaint>
void SetAndRepaint(T& field, const V& value, Repaint&& repaint) {
  if (field == value) return;
  field = value;
  repaint();
}

// The common base of the library's own errors. Messages are UTF-8.
class EPLXError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
