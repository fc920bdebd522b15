#include "app/ProgramIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QString>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// The picture is laid out on a 32 x 32 grid and scaled to the target size.
constexpr double kGrid = 32.0;
constexpr double kTileRadius = 5.0;

const QColor kTile(0x2B, 0x5F, 0x8E);
const QColor kTileEdge(0x17, 0x3B, 0x5C);
const QColor kWire(0xF2, 0xA9, 0x3B);
const QColor kInsulator(0xF4, 0xF1, 0xEA);
const QColor kFeeder(0xFF, 0xFF, 0xFF);
const QColor kMark(0xFF, 0xFF, 0x00);  // the chart's marks of the current maxima

struct TStroke {
  double x1, y1, x2, y2, width;
  QColor color;
};

struct TDot {
  double x, y, radius;
  QColor color;
};

// Drawn in this order over the tile.
std::vector<TStroke> strokes() {
  std::vector<TStroke> result = {
      // The dipole: two legs from the centre insulator to the end insulators.
      {4, 8, 14, 8, 2, kWire},
      {18, 8, 28, 8, 2, kWire},
      {3, 6.5, 3, 9.5, 1.5, kInsulator},
      {29, 6.5, 29, 9.5, 1.5, kInsulator},
      {14, 8, 18, 8, 2, kInsulator},
      // The ladder line from the feed point down, with its spreaders.
      {14, 8, 14, 29, 1, kFeeder},
      {18, 8, 18, 29, 1, kFeeder},
  };
  for (int y = 13; y <= 27; y += 5) result.push_back({14, double(y), 18, double(y), 1, kFeeder});
  return result;
}

// Two current maxima on the feeder, over the strokes.
const TDot kDots[] = {{16, 15.5, 2.2, kMark}, {16, 25.5, 2.2, kMark}};

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
    FPainter.drawRoundedRect(r, kTileRadius * FScale, kTileRadius * FScale);
  }

  void line(const TStroke& s) {
    const double w = width(s.width);
    FPainter.setPen(QPen(s.color, w, Qt::SolidLine, Qt::FlatCap));
    FPainter.drawLine(QPointF(snap(s.x1, w), snap(s.y1, w)), QPointF(snap(s.x2, w), snap(s.y2, w)));
  }

  void dot(const TDot& d) {
    const double r = std::max(1.0, d.radius * FScale);
    FPainter.setPen(Qt::NoPen);
    FPainter.setBrush(d.color);
    FPainter.drawEllipse(QPointF(d.x * FScale, d.y * FScale), r, r);
  }

 private:
  QPainter FPainter;
  double FScale;
};

QString svgColor(const QColor& c) { return c.name(QColor::HexRgb); }

}  // namespace

QImage DrawProgramIcon(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  IconPainter p(image, size);
  p.tile();
  for (const TStroke& s : strokes()) p.line(s);
  for (const TDot& d : kDots) p.dot(d);
  return image;
}

QIcon ProgramIcon() {
  QIcon icon;
  for (int size : ProgramIconSizes) icon.addPixmap(QPixmap::fromImage(DrawProgramIcon(size)));
  return icon;
}

// The shapes on the grid as they are, without the pixel snapping of the
// small raster sizes; the tile's edge is as thin as at 32 pixels.
QByteArray ProgramIconSvg() {
  QString svg = QStringLiteral(
                    "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%1\" "
                    "viewBox=\"0 0 %1 %1\">\n"
                    "  <rect x=\"0.5\" y=\"0.5\" width=\"31\" height=\"31\" rx=\"%2\" fill=\"%3\" "
                    "stroke=\"%4\" stroke-width=\"1\"/>\n")
                    .arg(kGrid)
                    .arg(kTileRadius)
                    .arg(svgColor(kTile), svgColor(kTileEdge));
  for (const TStroke& s : strokes()) {
    svg += QStringLiteral(
               "  <line x1=\"%1\" y1=\"%2\" x2=\"%3\" y2=\"%4\" stroke=\"%5\" "
               "stroke-width=\"%6\"/>\n")
               .arg(s.x1)
               .arg(s.y1)
               .arg(s.x2)
               .arg(s.y2)
               .arg(svgColor(s.color))
               .arg(s.width);
  }
  for (const TDot& d : kDots) {
    svg += QStringLiteral("  <circle cx=\"%1\" cy=\"%2\" r=\"%3\" fill=\"%4\"/>\n")
               .arg(d.x)
               .arg(d.y)
               .arg(d.radius)
               .arg(svgColor(d.color));
  }
  svg += QStringLiteral("</svg>\n");
  return svg.toUtf8();
}
