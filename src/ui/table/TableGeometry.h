#pragma once

// The grid's arithmetic, free of widgets: how many rows fit, which cell or header border lies under
// a point, where a page scroll lands, how far a border may be dragged. The table controller and the
// components decide with these; tests call them directly.

#include <cstdint>
#include <span>

namespace qx::ui {

inline constexpr int kDefaultColumnWidth = 94;
inline constexpr int kDefaultRowHeight = 24;
inline constexpr int kMaxCellExtent = 0x7FFF; ///< widest column and tallest row in pixels
inline constexpr int kAutoScrollTimerId = 1;
inline constexpr int kAutoScrollIntervalMs = 100;
inline constexpr int kWheelRowsPerNotch = 3;
inline constexpr int kWheelDeltaPerNotch = 120;
inline constexpr int kDefaultDragDistance = 4; ///< pixels either side of a header border

/// One column's properties, in the order the owner and saved layouts know them.
struct COLUMNPROPERTY {
    std::int32_t nWidth = kDefaultColumnWidth; ///< pixels
    std::int32_t nLineWidth = 1;               ///< pen width of the grid line at the right edge
    std::int32_t bResizable = 1;               ///< non-zero: the header border can be dragged
    std::int32_t bSelectable = 1;              ///< non-zero: the header selects whole columns
    std::int32_t bEditable = 1;                ///< non-zero: cells open an editor, painted normally

    friend bool operator==(const COLUMNPROPERTY&, const COLUMNPROPERTY&) = default;
};

/// A cell address: zero-based column and row.
struct CellPos {
    int column = 0;
    int row = 0;

    friend bool operator==(const CellPos&, const CellPos&) = default;
};

/// A rectangle of cells, inclusive at both ends. The grid stores it normalised (left <= right,
/// top <= bottom); proposals handed to the selection adjuster may not be.
struct CellRange {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    [[nodiscard]] CellRange normalised() const;
    [[nodiscard]] bool contains(int column, int row) const {
        return column >= left && column <= right && row >= top && row <= bottom;
    }
    [[nodiscard]] bool containsColumn(int column) const { return column >= left && column <= right; }
    [[nodiscard]] bool containsRow(int row) const { return row >= top && row <= bottom; }

    friend bool operator==(const CellRange&, const CellRange&) = default;
};

/// The corner of `selection` opposite the focus cell, per axis: the end that moves when Shift
/// extends the selection.
[[nodiscard]] CellPos movingEnd(const CellRange& selection, CellPos focus);

/// Number of items (columns or rows) starting inside an area of `areaExtent` pixels when the item
/// `first` is laid at its start: the first always counts, further ones while the accumulated extent
/// is still below the area's. 0 when `first` is outside the array.
[[nodiscard]] int pageSize(std::span<const int> extents, int first, int areaExtent);

/// The position a page-back scroll from `position` lands on: walks back while the extents of the
/// items before it together do not exceed the area (at least one item back, never below 0).
[[nodiscard]] int pageBackPosition(std::span<const int> extents, int position, int areaExtent);

/// The visible item under `offset` pixels from the start of the first visible item: walks the
/// visible items `first` .. `first + visibleCount - 1` adding extents until the sum passes the
/// offset. Points before the first give the first, points after the last visible give the last.
[[nodiscard]] int visibleIndexAt(std::span<const int> extents, int first, int visibleCount, int offset);

/// Sum of the extents of the items `from` .. `to - 1` (negative when `to` < `from`).
[[nodiscard]] int extentBetween(std::span<const int> extents, int from, int to);

/// What a press at `offset` pixels into a header hits.
struct HeaderHit {
    int index = -1;        ///< the item, -1 when the press lies beyond the last visible border
    bool onBorder = false; ///< the press is within the drag distance of the item's far edge
    int startEdge = 0;     ///< offset of the item's near edge (left or top)
    int endEdge = 0;       ///< offset of the item's far edge (right or bottom)
};

/// Header hit test: the first visible item whose far edge + `dragDistance` lies beyond `offset`;
/// the press is on its border unless `offset` + `dragDistance` is still before the far edge.
[[nodiscard]] HeaderHit headerHitTest(std::span<const int> extents, int first, int visibleCount, int offset,
                                      int dragDistance);

/// Where the tracking line of a border drag goes for a pointer at `pointer` (client coordinates of
/// the drag axis): at least `startEdge` + 2 x drag distance, at most `startEdge` + 32767; a position
/// at or beyond `barEdge` (the scroll bar across the drag axis) keeps the current extent.
[[nodiscard]] int trackingPosition(int pointer, int startEdge, int dragDistance, int barEdge,
                                   int currentExtent);

/// The extent a column width or row height request stores: below 2 x the drag distance or above
/// 32767 falls back to `fallback` (94 for widths, 24 for heights).
[[nodiscard]] int storedExtent(int requested, int dragDistance, int fallback);

/// The first visible item that brings `target` into view when it is not already: the smallest
/// first item c such that items c .. target fit into the area, then the larger of c and `first`,
/// never beyond `target`.
[[nodiscard]] int firstToShow(std::span<const int> extents, int first, int target, int areaExtent);

/// Rows a Page Up or Page Down moves: visible rows - 1 when more than 2 rows are visible, else 1.
[[nodiscard]] int pageStep(int visibleRows);

/// The first visible row after a wheel turn of `delta` (120 a notch): three rows a notch, truncated
/// toward zero, clamped into 0 .. rows - 1.
[[nodiscard]] int wheelFirstRow(int firstRow, int delta, int rowCount);

/// The scroll requests of a bar.
enum class ScrollRequest {
    LineBack,    ///< line left / line up
    LineForward, ///< line right / line down
    PageBack,
    PageForward,
    ThumbPosition, ///< the thumb was released at a position
    ToStart,
    ToEnd,
    ThumbTrack, ///< the thumb is being dragged: no change
};

/// The new position of a bar for `request` from position `position` (not yet clamped: the caller
/// clamps into 0 .. count - 1). `pageSizeNow` is the bar's page size, `thumb` the thumb's value.
[[nodiscard]] int scrollTarget(ScrollRequest request, std::span<const int> extents, int position,
                               int pageSizeNow, int areaExtent, int thumb);

[[nodiscard]] constexpr int clampIndex(int value, int count) {
    return value < 0 ? 0 : (value >= count ? (count > 0 ? count - 1 : 0) : value);
}

} // namespace qx::ui
