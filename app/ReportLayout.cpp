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

}  // namespace

std::vector<TPlacedBox> PlaceBoxes(const std::vector<TLayoutBox>& boxes, double pageHeight) {
  std::vector<TPlacedBox> placed;
  int page = 0;
  double y = 0;
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    const TLayoutBox& box = boxes[i];
    if (y > 0 && y + box.spaceBefore + keptTogether(boxes, i) > pageHeight) {
      ++page;
      y = 0;
    }
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
