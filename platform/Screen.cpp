// Display facts and the application-wide cursor over Qt's override cursor.
#include "Screen.h"

#include <QCursor>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <map>
#include <optional>

#include "Application.h"

namespace {

struct RegisteredCursor {
  std::u16string name;
  std::optional<QCursor> cursor;  // made on first use: pixmaps need the application
};

std::map<TCursor, RegisteredCursor>& registeredCursors() {
  static std::map<TCursor, RegisteredCursor> cursors;
  return cursors;
}

TCursor gScreenCursor = crDefault;
bool gOverrideActive = false;

enum class LensMark { Frame, UpDown, Plus };

// A magnifying glass with a mark in its lens; the hot spot is the lens centre.
QCursor magnifier(LensMark mark) {
  constexpr int kSize = 32;
  constexpr int kCentre = 12;
  QPixmap pixmap(kSize, kSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  for (const auto& [colour, extra] : {std::pair{QColor(Qt::white), 2}, {QColor(Qt::black), 0}}) {
    painter.setPen(QPen(colour, 2 + extra, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPoint(kCentre, kCentre), 8, 8);
    painter.setPen(QPen(colour, 4 + extra, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPoint(19, 19), QPoint(28, 28));
  }
  painter.setPen(QPen(Qt::black, 1));
  switch (mark) {
    case LensMark::Frame:
      painter.drawRect(QRect(8, 9, 8, 6));
      break;
    case LensMark::UpDown:
      painter.drawLine(QPoint(kCentre, 7), QPoint(kCentre, 17));
      painter.drawLine(QPoint(kCentre - 3, 10), QPoint(kCentre, 7));
      painter.drawLine(QPoint(kCentre + 3, 10), QPoint(kCentre, 7));
      painter.drawLine(QPoint(kCentre - 3, 14), QPoint(kCentre, 17));
      painter.drawLine(QPoint(kCentre + 3, 14), QPoint(kCentre, 17));
      break;
    case LensMark::Plus:
      painter.drawLine(QPoint(kCentre - 4, kCentre), QPoint(kCentre + 4, kCentre));
      painter.drawLine(QPoint(kCentre, kCentre - 4), QPoint(kCentre, kCentre + 4));
      break;
  }
  painter.end();
  return QCursor(pixmap, kCentre, kCentre);
}

// An open hand seen from its back: four fingers, a thumb and the palm,
// white with a black outline; the hot spot is the middle of the palm.
QCursor openHand() {
  constexpr int kSize = 32;
  QPixmap pixmap(kSize, kSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(Qt::black, 1.5));
  painter.setBrush(Qt::white);
  for (const int x : {8, 12, 16, 20}) {
    const int top = x == 12 || x == 16 ? 3 : 6;
    painter.drawRoundedRect(QRectF(x, top, 4, 16 - top + 2), 2, 2);
  }
  painter.drawRoundedRect(QRectF(3, 14, 8, 4), 2, 2);  // the thumb, to the left
  painter.setPen(Qt::NoPen);
  painter.drawRoundedRect(QRectF(8.8, 14, 14.4, 10), 3, 3);  // the palm hides the finger roots
  painter.setPen(QPen(Qt::black, 1.5));
  painter.setBrush(Qt::NoBrush);
  painter.drawRoundedRect(QRectF(8, 16, 16, 12), 4, 4);
  painter.end();
  return QCursor(pixmap, 16, 20);
}

// The program's named cursors, drawn here: a hand for panning and
// magnifiers for the three zoom modes. Unknown names get no image.
std::optional<QCursor> ownCursor(const std::u16string& name) {
  if (name == u"CURHAND") return openHand();
  if (name == u"CURZOOMW") return magnifier(LensMark::Frame);
  if (name == u"CURZOOMD") return magnifier(LensMark::UpDown);
  if (name == u"CURZOOMP") return magnifier(LensMark::Plus);
  return std::nullopt;
}

QCursor cursorNamed(const std::u16string& name) {
  return ownCursor(name).value_or(QCursor(Qt::ArrowCursor));
}

Qt::CursorShape platformShape(TCursor number) {
  switch (number) {
    case crCross:
      return Qt::CrossCursor;
    case crIBeam:
      return Qt::IBeamCursor;
    case crHandPoint:
      return Qt::PointingHandCursor;
    default:
      return Qt::ArrowCursor;
  }
}

QCursor cursorFor(TCursor number) {
  auto& cursors = registeredCursors();
  const auto it = cursors.find(number);
  if (number <= 0 || it == cursors.end()) return QCursor(platformShape(number));
  if (!it->second.cursor) it->second.cursor = cursorNamed(it->second.name);
  return *it->second.cursor;
}

}  // namespace

// Square pixels: the classic desktop reports 36 for both directions.
int ScreenAspectX() { return 36; }
int ScreenAspectY() { return 36; }

void RegisterCursor(TCursor number, const std::u16string& resourceName) {
  registeredCursors()[number] = RegisteredCursor{resourceName, std::nullopt};
}

void SetScreenCursor(TCursor cursor) {
  if (cursor == gScreenCursor) return;  // moves set the same cursor again and again
  gScreenCursor = cursor;
  if (!WidgetsAvailable()) return;
  if (cursor == crDefault) {
    if (gOverrideActive) QGuiApplication::restoreOverrideCursor();
    gOverrideActive = false;
  } else if (gOverrideActive) {
    QGuiApplication::changeOverrideCursor(cursorFor(cursor));
  } else {
    QGuiApplication::setOverrideCursor(cursorFor(cursor));
    gOverrideActive = true;
  }
}

TCursor ScreenCursor() { return gScreenCursor; }

bool RegisteredCursorImage(TCursor number, TCursorImage& image) {
  const auto& cursors = registeredCursors();
  const auto it = cursors.find(number);
  if (number <= 0 || it == cursors.end() || !WidgetsAvailable()) return false;
  const std::optional<QCursor> cursor = ownCursor(it->second.name);
  if (!cursor) return false;
  const QImage pixels = cursor->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
  int ink = 0;
  for (int y = 0; y < pixels.height(); ++y) {
    for (int x = 0; x < pixels.width(); ++x) ink += qAlpha(pixels.pixel(x, y)) > 0 ? 1 : 0;
  }
  image = {pixels.width(), pixels.height(), cursor->hotSpot().x(), cursor->hotSpot().y(), ink};
  return true;
}
