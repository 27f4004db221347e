#include "ui/table/TableGeometry.h"

#include <gtest/gtest.h>

#include <vector>

namespace qx::ui {
namespace {

TEST(TableGeometry, PageSizeCountsItemsStartingInsideTheArea) {
    const std::vector<int> heights(10, 24);
    struct Row {
        int first;
        int area;
        int expected;
    };
    const Row rows[] = {
        {0, 240, 10},  // exactly ten rows fit
        {0, 241, 10},  // an eleventh would start inside, but none exists
        {0, 239, 10},  // the tenth starts inside and is cut off
        {0, 10, 1},    // the first always counts
        {0, 0, 1},     // even in an empty area
        {8, 1000, 2},  // only the rows from `first` exist
        {9, 1000, 1},  // the last row alone
        {10, 1000, 0}, // outside the table
        {0, 48, 2},    // two rows fill it exactly
        {0, 49, 3},    // a third starts inside
    };
    for (const Row& row : rows) {
        EXPECT_EQ(pageSize(heights, row.first, row.area), row.expected) << row.first << " " << row.area;
    }
}

TEST(TableGeometry, PageBackStopsAtTheColumnThatOverflowsAndMovesAtLeastOne) {
    const std::vector<int> widths{94, 94, 94, 94, 300, 94, 94};
    EXPECT_EQ(pageBackPosition(widths, 4, 200), 2); // 94 + 94 fit, the third makes 282
    EXPECT_EQ(pageBackPosition(widths, 4, 188), 2); // exactly filling still counts
    EXPECT_EQ(pageBackPosition(widths, 5, 200), 4); // the 300 column overflows alone: one back anyway
    EXPECT_EQ(pageBackPosition(widths, 2, 1000), 0);
    EXPECT_EQ(pageBackPosition(widths, 0, 1000), 0);
}

TEST(TableGeometry, VisibleIndexAtStaysInsideTheVisibleItems) {
    const std::vector<int> widths{50, 60, 70, 80, 90};
    EXPECT_EQ(visibleIndexAt(widths, 1, 3, 0), 1);
    EXPECT_EQ(visibleIndexAt(widths, 1, 3, 59), 1);
    EXPECT_EQ(visibleIndexAt(widths, 1, 3, 60), 2);
    EXPECT_EQ(visibleIndexAt(widths, 1, 3, -30), 1);  // left of the cells: the first visible
    EXPECT_EQ(visibleIndexAt(widths, 1, 3, 5000), 3); // right of them: the last visible
    EXPECT_EQ(visibleIndexAt(widths, 4, 3, 5000), 4); // page runs past the table end
}

TEST(TableGeometry, HeaderHitSeparatesInsideFromBorder) {
    const std::vector<int> widths{94, 94, 94};
    const int d = 4;
    struct Row {
        int x;
        int index;
        bool border;
    };
    const Row rows[] = {
        {0, 0, false},    // left edge of the first column
        {89, 0, false},   // just before the border zone
        {90, 0, true},    // drag distance before the border
        {94, 0, true},    // on the border
        {97, 0, true},    // just after it, still the first column's border
        {98, 1, false},   // inside the second column
        {184, 1, true},   // its border zone
        {285, 2, true},   // last visible border
        {286, -1, false}, // beyond the last border: nothing
    };
    for (const Row& row : rows) {
        const HeaderHit hit = headerHitTest(widths, 0, 3, row.x, d);
        EXPECT_EQ(hit.index, row.index) << row.x;
        if (hit.index >= 0) {
            EXPECT_EQ(hit.onBorder, row.border) << row.x;
        }
    }
    const HeaderHit second = headerHitTest(widths, 1, 2, 100, d); // scrolled by one column
    EXPECT_EQ(second.index, 2);
    EXPECT_EQ(second.startEdge, 94);
    EXPECT_EQ(second.endEdge, 188);
}

TEST(TableGeometry, TrackingLineLimits) {
    const int d = 4;
    const int start = 100;
    const int bar = 600;
    EXPECT_EQ(trackingPosition(-500, start, d, bar, 94), start + 2 * d); // dragged to the far left
    EXPECT_EQ(trackingPosition(250, start, d, bar, 94), 250);
    EXPECT_EQ(trackingPosition(599, start, d, bar, 94), 599);
    EXPECT_EQ(trackingPosition(600, start, d, bar, 94), start + 94); // onto the bar: width kept
    EXPECT_EQ(trackingPosition(40000, start, d, 1 << 20, 94), start + 0x7FFF);
}

TEST(TableGeometry, StoredExtentFallsBackOutsideTheAllowedRange) {
    struct Row {
        int requested;
        int expected;
    };
    const Row widths[] = {
        {0, 94},        // nothing: the default
        {7, 94},        // below 2 x the drag distance
        {8, 8},         // the narrowest a drag gives
        {-3, 94},       // negative
        {200, 200},     // ordinary
        {32767, 32767}, // the widest
        {32768, 94},    // beyond it
    };
    for (const Row& row : widths) {
        EXPECT_EQ(storedExtent(row.requested, 4, kDefaultColumnWidth), row.expected) << row.requested;
    }
    EXPECT_EQ(storedExtent(0, 4, kDefaultRowHeight), 24);
    EXPECT_EQ(storedExtent(40000, 4, kDefaultRowHeight), 24);
}

TEST(TableGeometry, FirstToShowBringsTheTargetIntoView) {
    const std::vector<int> heights(100, 24);
    EXPECT_EQ(firstToShow(heights, 0, 5, 240), 0);  // already visible
    EXPECT_EQ(firstToShow(heights, 0, 10, 240), 1); // rows 1..10 fill exactly 240
    EXPECT_EQ(firstToShow(heights, 0, 10, 239), 2); // a partly shown last row is not enough
    EXPECT_EQ(firstToShow(heights, 20, 5, 240), 5); // above the view: it becomes the first
    EXPECT_EQ(firstToShow(heights, 0, 50, 10), 50); // taller than the area: shown at the top
}

TEST(TableGeometry, PageStepAndWheel) {
    EXPECT_EQ(pageStep(1), 1);
    EXPECT_EQ(pageStep(2), 1);
    EXPECT_EQ(pageStep(3), 2);
    EXPECT_EQ(pageStep(40), 39);

    EXPECT_EQ(wheelFirstRow(10, -120, 999), 13); // one notch down: three rows
    EXPECT_EQ(wheelFirstRow(10, 240, 999), 4);
    EXPECT_EQ(wheelFirstRow(10, -60, 999), 11); // half a notch: 1.5 rows truncated
    EXPECT_EQ(wheelFirstRow(10, 30, 999), 10);  // too small to move
    EXPECT_EQ(wheelFirstRow(1, 120, 999), 0);
    EXPECT_EQ(wheelFirstRow(997, -120, 999), 998);
}

TEST(TableGeometry, MovingEndIsTheCornerOppositeTheFocus) {
    EXPECT_EQ(movingEnd({1, 2, 4, 6}, {1, 2}), (CellPos{4, 6}));
    EXPECT_EQ(movingEnd({1, 2, 4, 6}, {4, 6}), (CellPos{1, 2}));
    EXPECT_EQ(movingEnd({1, 2, 4, 6}, {4, 2}), (CellPos{1, 6}));
    EXPECT_EQ(movingEnd({3, 3, 3, 3}, {3, 3}), (CellPos{3, 3}));
}

TEST(TableGeometry, ScrollTargets) {
    const std::vector<int> widths(20, 50);
    EXPECT_EQ(scrollTarget(ScrollRequest::LineBack, widths, 5, 4, 200, 0), 4);
    EXPECT_EQ(scrollTarget(ScrollRequest::PageForward, widths, 5, 4, 200, 0), 9);
    EXPECT_EQ(scrollTarget(ScrollRequest::PageBack, widths, 5, 4, 200, 0), 1);
    EXPECT_EQ(scrollTarget(ScrollRequest::ThumbPosition, widths, 5, 4, 200, 12), 12);
    EXPECT_EQ(scrollTarget(ScrollRequest::ThumbTrack, widths, 5, 4, 200, 12), 5);
    EXPECT_EQ(scrollTarget(ScrollRequest::ToEnd, widths, 5, 4, 200, 0), 19);
}

} // namespace
} // namespace qx::ui
