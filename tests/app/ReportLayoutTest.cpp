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

// A heading, a table's header and rows 2 high, flagged as the report flags
// a table's rows.
std::vector<TLayoutBox> Table(double before, int rows) {
  std::vector<TLayoutBox> boxes = {{before}, {2, 1, true}};
  for (int i = 0; i < rows; ++i)
    boxes.push_back({2, 0, TableRowKeptWithNext(size_t(i), size_t(rows)), 1});
  return boxes;
}

// The page of each box placed once (the repeated headers aside).
std::vector<int> PagesOf(const std::vector<TLayoutBox>& boxes, double pageHeight) {
  std::vector<int> pages(boxes.size(), -1);
  for (const TPlacedBox& p : PlaceBoxes(boxes, pageHeight)) {
    if (pages[size_t(p.box)] < 0) pages[size_t(p.box)] = p.page;
  }
  return pages;
}

// On a page of 20, after a box 'before' high, a table of five rows: the
// last row never starts a page alone, the header never ends one with a
// single row below it.
TEST(ReportLayout, NoRowStandsAloneAtAPagesTopAndAHeaderHasTwoRows) {
  struct Case {
    double before;
    std::vector<int> pages;  // the box before, the header, the five rows
  };
  const Case cases[] = {
      {5, {0, 0, 0, 0, 0, 0, 0}},   // all fits: 5 + 1 + 2 + 5 * 2 = 18
      {7, {0, 0, 0, 0, 0, 0, 0}},   // exactly
      {8, {0, 0, 0, 0, 0, 1, 1}},   // the last row alone would start page 1: two go
      {10, {0, 0, 0, 0, 0, 1, 1}},  // three rows fit
      {12, {0, 0, 0, 0, 1, 1, 1}},  // two rows fit, three go
      {14, {0, 1, 1, 1, 1, 1, 1}},  // one row under the header: the table moves
  };
  for (const Case& c : cases) EXPECT_EQ(PagesOf(Table(c.before, 5), 20), c.pages) << c.before;
  // Without the rule the fifth row would start page 1 alone, and the header
  // end page 0 above one row.
  const auto loose = [](double before) {
    std::vector<TLayoutBox> boxes = Table(before, 5);
    for (size_t i = 2; i < boxes.size(); ++i) boxes[i].keepWithNext = false;
    return PagesOf(boxes, 20);
  };
  EXPECT_EQ(loose(8), (std::vector<int>{0, 0, 0, 0, 0, 0, 1}));
  EXPECT_EQ(loose(14), (std::vector<int>{0, 0, 0, 1, 1, 1, 1}));
}

// Tables of one to three rows keep their header with every row: one that
// misses the page by 1 moves whole.
TEST(ReportLayout, ShortTablesStayWhole) {
  for (int rows = 1; rows <= 3; ++rows) {
    const std::vector<int> pages = PagesOf(Table(18 - 2 * rows, rows), 20);
    for (size_t i = 1; i < pages.size(); ++i) EXPECT_EQ(pages[i], 1) << rows << " " << i;
  }
  EXPECT_FALSE(TableRowKeptWithNext(0, 1));
  EXPECT_TRUE(TableRowKeptWithNext(0, 2));
  EXPECT_FALSE(TableRowKeptWithNext(1, 2));
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
