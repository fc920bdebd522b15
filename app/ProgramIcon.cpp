#include "app/ProgramIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <algorithm>
#include <cmath>

namespace {

// The picture is laid out on a 32 x 32 grid and scaled to the target size.
constexpr double kGrid = 32.0;

const QColor kTile(0x2B, 0x5F, 0x8E);
const QColor kTileEdge(0x17, 0x3B, 0x5C);
const QColor kWire(0xF2, 0xA9, 0x3B);
const QColor kInsulator(0xF4, 0xF1, 0xEA);
const QColor kFeeder(0xFF, 0xFF, 0xFF);
const QColor kMark(0xFF, 0xFF, 0x00);  // the chart's marks of the current maxima

class IconPainter {
 public:
  IconPainter(QImage& image, int size) : FPainter(&image), FScale(size / kGrid) {
    FPainter.setRenderHint(QPainter::Antialiasing);
  }

  // Thin lines sit on pixel centres at every size, so they stay crisp at 16.
  double snap(double gridValue, double width) const {
    const double px = gridValue * FScale;
    return std::lround(width) % 2 == 1 ? std::floor(px) + 0.5 : std::round(px);
  }
  double width(double gridWidth) const { return std::max(1.0, std::round(gridWidth * FScale)); }

  void tile() {
    const double inset = 0.5;
    const QRectF r(inset, inset, kGrid * FScale - 2 * inset, kGrid * FScale - 2 * inset);
    FPainter.setPen(QPen(kTileEdge, 1.0));
    FPainter.setBrush(kTile);
    FPainter.drawRoundedRect(r, 5 * FScale, 5 * FScale);
  }

  void line(double x1, double y1, double x2, double y2, double gridWidth, const QColor& color) {
    const double w = width(gridWidth);
    FPainter.setPen(QPen(color, w, Qt::SolidLine, Qt::FlatCap));
    FPainter.drawLine(QPointF(snap(x1, w), snap(y1, w)), QPointF(snap(x2, w), snap(y2, w)));
  }

  void dot(double x, double y, double gridRadius, const QColor& color) {
    const double r = std::max(1.0, gridRadius * FScale);
    FPainter.setPen(Qt::NoPen);
    FPainter.setBrush(color);
    FPainter.drawEllipse(QPointF(x * FScale, y * FScale), r, r);
  }

 private:
  QPainter FPainter;
  double FScale;
};

}  // namespace

QImage DrawProgramIcon(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  IconPainter p(image, size);
  p.tile();
  // The dipole: two legs from the centre insulator to the end insulators.
  p.line(4, 8, 14, 8, 2, kWire);
  p.line(18, 8, 28, 8, 2, kWire);
  p.line(3, 6.5, 3, 9.5, 1.5, kInsulator);
  p.line(29, 6.5, 29, 9.5, 1.5, kInsulator);
  p.line(14, 8, 18, 8, 2, kInsulator);
  // The ladder line from the feed point down, with its spreaders.
  p.line(14, 8, 14, 29, 1, kFeeder);
  p.line(18, 8, 18, 29, 1, kFeeder);
  for (int y = 13; y <= 27; y += 5) p.line(14, y, 18, y, 1, kFeeder);
  // Two current maxima on the feeder.
  p.dot(16, 15.5, 2.2, kMark);
  p.dot(16, 25.5, 2.2, kMark);
  return image;
}

QIcon ProgramIcon() {
  QIcon icon;
  for (int size : ProgramIconSizes) icon.addPixmap(QPixmap::fromImage(DrawProgramIcon(size)));
  return icon;
}
