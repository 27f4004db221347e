#include "HeaderRow.h"

#include "ColumnRoles.h"

#include <algorithm>
#include <set>

namespace qx::wirelist {

namespace {

// A header further down than this is no header: the lead-in of an export is a few lines.
constexpr std::size_t ScanRows = 50;

constexpr std::string_view FullWidthBlank = "\xE3\x80\x80";

struct RowShape {
    int filled = 0;
    int words = 0;
    bool distinct = true;
};

RowShape shapeOf(std::span<const std::string> row) {
    RowShape shape;
    std::set<std::string> seen;
    for (const std::string& cell : row) {
        const std::string_view text = trimCell(cell);
        if (text.empty()) {
            continue;
        }
        ++shape.filled;
        if (!isNumberLike(text)) {
            ++shape.words;
        }
        if (!seen.insert(foldHeaderText(text)).second) {
            shape.distinct = false;
        }
    }
    return shape;
}

bool couldBeHeader(const RowShape& shape) {
    return shape.filled >= 2 && shape.words * 2 > shape.filled && shape.distinct;
}

} // namespace

std::string_view trimCell(std::string_view cell) {
    for (;;) {
        if (!cell.empty() && (cell.front() == ' ' || cell.front() == '\t' || cell.front() == '\r' ||
                              cell.front() == '\n')) {
            cell.remove_prefix(1);
        } else if (!cell.empty() && (cell.back() == ' ' || cell.back() == '\t' || cell.back() == '\r' ||
                                     cell.back() == '\n')) {
            cell.remove_suffix(1);
        } else if (cell.starts_with(FullWidthBlank)) {
            cell.remove_prefix(FullWidthBlank.size());
        } else if (cell.ends_with(FullWidthBlank)) {
            cell.remove_suffix(FullWidthBlank.size());
        } else {
            return cell;
        }
    }
}

bool isCommentRow(std::span<const std::string> row) {
    for (const std::string& cell : row) {
        const std::string_view text = trimCell(cell);
        if (!text.empty()) {
            return text.starts_with("//") || text.starts_with('#');
        }
    }
    return false;
}

bool isNumberLike(std::string_view cell) {
    bool digit = false;
    for (const char c : cell) {
        if (c >= '0' && c <= '9') {
            digit = true;
        } else if (std::string_view(".,:-/+% ").find(c) == std::string_view::npos) {
            return false;
        }
    }
    return digit;
}

int findHeaderRow(const Sheet& sheet) {
    const std::size_t scan = std::min(sheet.rows.size(), ScanRows);
    int widest = 0;
    for (std::size_t r = 0; r < scan; ++r) {
        if (!isCommentRow(sheet.rows[r])) {
            widest = std::max(widest, shapeOf(sheet.rows[r]).filled);
        }
    }
    int wideEnough = -1;
    for (std::size_t r = 0; r < scan; ++r) {
        const std::vector<std::string>& row = sheet.rows[r];
        if (isCommentRow(row)) {
            continue;
        }
        const RowShape shape = shapeOf(row);
        if (!couldBeHeader(shape)) {
            continue;
        }
        if (ColumnRoles::fromHeader(row).assigned() >= 2) {
            return static_cast<int>(r);
        }
        if (wideEnough < 0 && shape.filled * 2 >= widest) {
            wideEnough = static_cast<int>(r);
        }
    }
    return wideEnough;
}

std::vector<std::string> headerSignature(std::span<const std::string> row) {
    std::vector<std::string> cells;
    for (const std::string& cell : row) {
        cells.emplace_back(trimCell(cell));
    }
    while (!cells.empty() && cells.back().empty()) {
        cells.pop_back();
    }
    return cells;
}

} // namespace qx::wirelist
