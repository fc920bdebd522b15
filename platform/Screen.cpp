// Display facts and the application-wide cursor over Qt's override cursor.
#include "Screen.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <map>
#include <optional>

#include "QtBridge.h"

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

// The program's named cursors: a hand for panning and magnifiers for the
// three zoom modes. Unknown names fall back to the arrow.
QCursor cursorNamed(const std::u16string& name) {
  if (name == u"CURHAND") return QCursor(Qt::OpenHandCursor);
  if (name == u"CURZOOMW") return magnifier(LensMark::Frame);
  if (name == u"CURZOOMD") return magnifier(LensMark::UpDown);
  if (name == u"CURZOOMP") return magnifier(LensMark::Plus);
  return QCursor(Qt::ArrowCursor);
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
