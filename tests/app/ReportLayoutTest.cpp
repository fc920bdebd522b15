// Placing the report's boxes on pages: exact positions for small pages.
#include "app/ReportLayout.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Placed = std::vector<std::vector<double>>;  // box, page, top

Placed Place(const std::vector<TLayoutBox>& boxes, double pageHeight) {
  Placed placed;
  for (const TPlacedBox& p : PlaceBoxes(boxes, pageHeight))
    placed.push_back({double(p.box), double(p.page), p.top});
  return placed;
}

TEST(ReportLayout, BoxesFollowEachOtherWithTheirSpaceAndMoveWholeToTheNextPage) {
  // The third box would end at 10 + 2 + 5 + 2 + 5 = 24 > 20.
  const std::vector<TLayoutBox> boxes = {{10}, {5, 2}, {5, 2}, {20, 3}};
  EXPECT_EQ(Place(boxes, 20), (Placed{{0, 0, 0}, {1, 0, 12}, {2, 1, 0}, {3, 2, 0}}));
  // Exactly full: no break.
  EXPECT_EQ(Place({{10}, {8, 2}}, 20), (Placed{{0, 0, 0}, {1, 0, 12}}));
}

TEST(ReportLayout, AHeadingGoesWithWhatFollowsIt) {
  // Heading 2 (kept with the first row) and row 3 do not fit below box 0
  // together, so both move although the heading alone would fit.
  const std::vector<TLayoutBox> boxes = {{14}, {2, 1, true}, {2, 0, true}, {3}, {3}};
  EXPECT_EQ(Place(boxes, 20), (Placed{{0, 0, 0}, {1, 1, 0}, {2, 1, 2}, {3, 1, 4}, {4, 1, 7}}));
}

TEST(ReportLayout, ATablesHeaderIsRepeatedAboveRowsThatStartAPage) {
  // A heading kept with the header, the header kept with its first row; the
  // rows name the header.
  std::vector<TLayoutBox> boxes = {{3, 0, true}, {2, 1, true}};
  for (int i = 0; i < 5; ++i) boxes.push_back({4, 0, false, 1});
  EXPECT_EQ(Place(boxes, 15),
            (Placed{{0, 0, 0},
                    {1, 0, 4},
                    {2, 0, 6},
                    {3, 0, 10},
                    {1, 1, 0},
                    {4, 1, 2},
                    {5, 1, 6},
                    {6, 1, 10}}));
}

TEST(ReportLayout, ABoxTallerThanAPageTakesOneOfItsOwn) {
  EXPECT_EQ(Place({{5}, {30}, {5}}, 20), (Placed{{0, 0, 0}, {1, 1, 0}, {2, 2, 0}}));
  EXPECT_TRUE(PlaceBoxes({}, 20).empty());
}

}  // namespace
