// The line walker: every pixel of a one-pixel line against the exact rule
// (minor offset i * dminor / dmajor rounded, halves towards the start), and
// a clipped walk against the unclipped one cut to the box.
#include <gtest/gtest.h>

#include <cstdlib>
#include <tuple>
#include <vector>

#include "platform/Raster.h"

namespace {

using Pixel = std::tuple<int, int, int64_t>;

std::vector<Pixel> walk(TPoint a, TPoint b, const raster::Box& box) {
  std::vector<Pixel> pixels;
  raster::WalkLine(a, b, box, [&](int x, int y, int64_t i) { pixels.emplace_back(x, y, i); });
  return pixels;
}

// Pixel i lies i along the major axis and round(i * dmin / dmaj) along the
// minor one, an exact half rounded towards the start.
std::vector<Pixel> expected(TPoint a, TPoint b) {
  const int dx = b.x - a.x;
  const int dy = b.y - a.y;
  const bool xMajor = std::abs(dx) >= std::abs(dy);
  const int dmaj = xMajor ? std::abs(dx) : std::abs(dy);
  const int dmin = xMajor ? std::abs(dy) : std::abs(dx);
  const int sx = dx < 0 ? -1 : 1;
  const int sy = dy < 0 ? -1 : 1;
  std::vector<Pixel> pixels;
  for (int i = 0; i < dmaj; ++i) {
    const int off = (2 * i * dmin + dmaj - 1) / (2 * dmaj);
    pixels.emplace_back(
        xMajor ? a.x + sx * i : a.x + sx * off, xMajor ? a.y + sy * off : a.y + sy * i, i);
  }
  return pixels;
}

bool inside(const Pixel& p, const raster::Box& box) {
  const auto [x, y, i] = p;
  return x >= box.x0 && x < box.x1 && y >= box.y0 && y < box.y1;
}

// Every line between two points of a 9 x 9 grid, walked inside a box that
// holds both ends and inside boxes that cut it on every side.
TEST(RasterLine, WalksTheExactPixelsWhetherClippedOrNot) {
  const raster::Box whole{-10, -10, 10, 10};
  const raster::Box cuts[] = {{-1, -10, 10, 10},
                              {-10, -1, 10, 10},
                              {-10, -10, 2, 10},
                              {-10, -10, 10, 2},
                              {-2, -3, 3, 2},
                              {0, 0, 1, 1}};
  for (int ax = -4; ax <= 4; ++ax) {
    for (int ay = -4; ay <= 4; ++ay) {
      for (int bx = -4; bx <= 4; ++bx) {
        for (int by = -4; by <= 4; ++by) {
          const TPoint a{ax, ay};
          const TPoint b{bx, by};
          const std::vector<Pixel> all = expected(a, b);
          ASSERT_EQ(walk(a, b, whole), all) << ax << "," << ay << " -> " << bx << "," << by;
          for (const raster::Box& box : cuts) {
            std::vector<Pixel> cut;
            for (const Pixel& p : all) {
              if (inside(p, box)) cut.push_back(p);
            }
            ASSERT_EQ(walk(a, b, box), cut) << ax << "," << ay << " -> " << bx << "," << by;
          }
        }
      }
    }
  }
}

}  // namespace
