// What the tests of the window's pages share: rectangles of placed controls
// and widgets, and typing into a field as the user does.
#pragma once

#include <QWidget>
#include <ostream>
#include <string>

#include "controls/numeric/PLX_NumIO.h"

struct Rect {
  int left, top, width, height;
  bool operator==(const Rect&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const Rect& r) {
  return os << r.left << "," << r.top << "," << r.width << "," << r.height;
}

inline Rect Of(const TControl& c) { return {c.Left(), c.Top(), c.Width(), c.Height()}; }
inline Rect Of(const QWidget* w) { return {w->x(), w->y(), w->width(), w->height()}; }

// Types keys into a field as the user does, with its text selected first.
inline void TypeOver(TNumIO2& field, const std::u16string& keys) {
  field.SetSelBegin(0);
  field.SetSelEnd(int(field.Text().size()));
  for (char16_t ch : keys) {
    uint16_t key = ch == u'.' ? 190 : ch == u',' ? 188 : ch == u'-' ? 189 : uint16_t(ch);
    field.KeyDown(key, 0);
  }
}
