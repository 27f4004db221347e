#include "ui/table/TableGeometry.h"

#include <algorithm>

namespace qx::ui {

namespace {

int count(std::span<const int> extents) {
    return static_cast<int>(extents.size());
}

int at(std::span<const int> extents, int i) {
    return extents[static_cast<std::size_t>(i)];
}

} // namespace

CellRange CellRange::normalised() const {
    return {std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
}

CellPos movingEnd(const CellRange& selection, CellPos focus) {
    return {focus.column == selection.left ? selection.right : selection.left,
            focus.row == selection.top ? selection.bottom : selection.top};
}

int pageSize(std::span<const int> extents, int first, int areaExtent) {
    if (first < 0 || first >= count(extents)) {
        return 0;
    }
    int pages = 1;
    long long sum = at(extents, first);
    for (int i = first + 1; i < count(extents) && sum < areaExtent; ++i) {
        ++pages;
        sum += at(extents, i);
    }
    return pages;
}

int pageBackPosition(std::span<const int> extents, int position, int areaExtent) {
    position = std::clamp(position, 0, std::max(count(extents) - 1, 0));
    int q = position;
    long long sum = 0;
    while (q > 0) {
        sum += at(extents, q - 1);
        if (sum > areaExtent) {
            break;
        }
        --q;
    }
    return q == position && position > 0 ? position - 1 : q;
}

int visibleIndexAt(std::span<const int> extents, int first, int visibleCount, int offset) {
    const int last = std::min(first + std::max(visibleCount, 1), count(extents)) - 1;
    if (first < 0 || last < first) {
        return std::max(first, 0);
    }
    long long sum = 0;
    for (int i = first; i <= last; ++i) {
        sum += at(extents, i);
        if (sum > offset) {
            return i;
        }
    }
    return last;
}

int extentBetween(std::span<const int> extents, int from, int to) {
    const int lo = std::clamp(std::min(from, to), 0, count(extents));
    const int hi = std::clamp(std::max(from, to), 0, count(extents));
    long long sum = 0;
    for (int i = lo; i < hi; ++i) {
        sum += at(extents, i);
    }
    const int magnitude = static_cast<int>(std::min<long long>(sum, 0x7FFFFFFF));
    return to < from ? -magnitude : magnitude;
}

HeaderHit headerHitTest(std::span<const int> extents, int first, int visibleCount, int offset,
                        int dragDistance) {
    HeaderHit hit;
    const int last = std::min(first + visibleCount, count(extents));
    int edge = 0;
    for (int i = std::max(first, 0); i < last; ++i) {
        const int start = edge;
        edge += at(extents, i);
        if (edge + dragDistance > offset) {
            hit.index = i;
            hit.onBorder = offset + dragDistance >= edge;
            hit.startEdge = start;
            hit.endEdge = edge;
            return hit;
        }
    }
    return hit;
}

int trackingPosition(int pointer, int startEdge, int dragDistance, int barEdge, int currentExtent) {
    const int position = std::clamp(pointer, startEdge + 2 * dragDistance, startEdge + kMaxCellExtent);
    return position >= barEdge ? startEdge + currentExtent : position;
}

int storedExtent(int requested, int dragDistance, int fallback) {
    return requested < 2 * dragDistance || requested > kMaxCellExtent ? fallback : requested;
}

int firstToShow(std::span<const int> extents, int first, int target, int areaExtent) {
    if (target < 0 || target >= count(extents)) {
        return first;
    }
    int c = target;
    long long sum = at(extents, target);
    while (c > 0 && sum + at(extents, c - 1) <= areaExtent) {
        --c;
        sum += at(extents, c);
    }
    return std::min(std::max(c, first), target);
}

int pageStep(int visibleRows) {
    return visibleRows > 2 ? visibleRows - 1 : 1;
}

int wheelFirstRow(int firstRow, int delta, int rowCount) {
    // Integer division truncates toward zero, as a partial notch of a fine-grained wheel should.
    const long long moved = static_cast<long long>(delta) * kWheelRowsPerNotch / kWheelDeltaPerNotch;
    const long long row = static_cast<long long>(firstRow) - moved;
    return static_cast<int>(std::clamp<long long>(row, 0, std::max(rowCount - 1, 0)));
}

int scrollTarget(ScrollRequest request, std::span<const int> extents, int position, int pageSizeNow,
                 int areaExtent, int thumb) {
    switch (request) {
    case ScrollRequest::LineBack:
        return position - 1;
    case ScrollRequest::LineForward:
        return position + 1;
    case ScrollRequest::PageBack:
        return pageBackPosition(extents, position, areaExtent);
    case ScrollRequest::PageForward:
        return position + pageSizeNow;
    case ScrollRequest::ThumbPosition:
        return thumb;
    case ScrollRequest::ToStart:
        return 0;
    case ScrollRequest::ToEnd:
        return count(extents) - 1;
    case ScrollRequest::ThumbTrack:
        break;
    }
    return position;
}

} // namespace qx::ui
