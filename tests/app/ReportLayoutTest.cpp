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

// Not one box a page: the run starts a page once and fills the pages it
// needs, as boxes not kept together would.
TEST(ReportLayout, AKeptRunTallerThanAPageFlowsOverThePageBreak) {
  std::vector<TLayoutBox> boxes = {{5}};
  for (int i = 0; i < 6; ++i) boxes.push_back({4, 1, i < 5});  // 29 high, kept together
  boxes.push_back({4, 1});
  EXPECT_EQ(Place(boxes, 15),
            (Placed{{0, 0, 0},
                    {1, 1, 0},
                    {2, 1, 5},
                    {3, 1, 10},
                    {4, 2, 0},
                    {5, 2, 5},
                    {6, 2, 10},
                    {7, 3, 0}}));
  // Rows of a table in such a run still get their header on a new page.
  std::vector<TLayoutBox> table = {{3, 0, true}, {2, 1, true}};
  for (int i = 0; i < 4; ++i) table.push_back({4, 0, i < 3, 1});
  EXPECT_EQ(
      Place(table, 10),
      (Placed{
          {0, 0, 0}, {1, 0, 4}, {2, 0, 6}, {1, 1, 0}, {3, 1, 2}, {4, 1, 6}, {1, 2, 0}, {5, 2, 2}}));
}

}  // namespace
