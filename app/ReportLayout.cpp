#include "app/ReportLayout.h"

#include <cstddef>

namespace {

// From box first to the first box not kept with the next one: what must
// share the page with first.
double keptTogether(const std::vector<TLayoutBox>& boxes, std::size_t first) {
  double height = boxes[first].height;
  for (std::size_t i = first; i + 1 < boxes.size() && boxes[i].keepWithNext; ++i) {
    height += boxes[i + 1].spaceBefore + boxes[i + 1].height;
  }
  return height;
}

// The last box of the run kept together from first.
std::size_t runEnd(const std::vector<TLayoutBox>& boxes, std::size_t first) {
  std::size_t last = first;
  while (last + 1 < boxes.size() && boxes[last].keepWithNext) ++last;
  return last;
}

}  // namespace

std::vector<TPlacedBox> PlaceBoxes(const std::vector<TLayoutBox>& boxes, double pageHeight) {
  std::vector<TPlacedBox> placed;
  int page = 0;
  double y = 0;
  // Boxes before this one belong to a kept run taller than a page: it
  // starts a page and flows on over the break, each box where it fits.
  std::size_t flowUntil = 0;
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    const TLayoutBox& box = boxes[i];
    const bool flowing = i < flowUntil;
    const double kept = flowing ? box.height : keptTogether(boxes, i);
    if (y > 0 && y + box.spaceBefore + kept > pageHeight) {
      ++page;
      y = 0;
    }
    if (!flowing && kept > pageHeight) flowUntil = runEnd(boxes, i) + 1;
    if (y > 0) y += box.spaceBefore;
    if (y == 0 && box.header >= 0) {
      placed.push_back({box.header, page, 0});
      y = boxes[std::size_t(box.header)].height;
    }
    placed.push_back({int(i), page, y});
    y += box.height;
  }
  return placed;
}

bool TableRowKeptWithNext(std::size_t row, std::size_t rows) {
  return row + 1 < rows && (row == 0 || row + 2 == rows);
}
