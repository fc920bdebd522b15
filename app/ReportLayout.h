// The report's pages: boxes of given heights (a heading, a line of facts, a
// table row, the chart) placed top down, page after page, so that no box is
// cut by a page break, a heading or a table's header never ends a page, a
// table's last row never starts one alone, and a table that goes on over a
// page break repeats its header on the new page.
// Plain numbers: the drawing measures the boxes and draws them where placed.
#pragma once

#include <cstddef>
#include <vector>

struct TLayoutBox {
  double height = 0;
  double spaceBefore = 0;     // dropped at the top of a page
  bool keepWithNext = false;  // placed on the page of the box after it
  int header = -1;            // the box drawn again above it when it starts a page
};

struct TPlacedBox {
  int box = 0;  // an index into the boxes
  int page = 0;
  double top = 0;
};

// Every box once, in order, and the repeated headers; a box taller than the
// page starts one of its own and runs over its end, and boxes kept together
// that are taller than a page start one and flow on over its break.
std::vector<TPlacedBox> PlaceBoxes(const std::vector<TLayoutBox>& boxes, double pageHeight);

// Whether a table's row (0 the first of rows) keeps with the next: the first
// with the second, so that the header (kept with the first) never ends a page
// above a single row, and the last but one with the last, so that no row
// stands alone at the top of a page.
bool TableRowKeptWithNext(std::size_t row, std::size_t rows);
