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

namespace {

/// The two rows of a header band as one: per column the texts joined, or one when they are the same.
/// A text file keeps a merged cell's text in its first column only: an empty upper cell over a
/// filled lower one takes the upper text from its left.
std::vector<std::string> joinedRows(std::span<const std::string> upper, std::span<const std::string> lower) {
    std::vector<std::string> cells(std::max(upper.size(), lower.size()));
    std::string_view spanning;
    for (std::size_t c = 0; c < cells.size(); ++c) {
        std::string_view a = c < upper.size() ? trimCell(upper[c]) : std::string_view();
        const std::string_view b = c < lower.size() ? trimCell(lower[c]) : std::string_view();
        if (!a.empty()) {
            spanning = a;
        } else if (!b.empty()) {
            a = spanning;
        }
        if (a == b || b.empty()) {
            cells[c] = a;
        } else if (a.empty()) {
            cells[c] = b;
        } else {
            cells[c] = std::string(a) + " " + std::string(b);
        }
    }
    return cells;
}

struct Reading {
    Header header;
    int roles = 0;
    bool plain = false; ///< all different words: a header by its shape even without roles
};

/// How the rows from `index` read as a header: as one row, or with the row below when that names
/// more roles.
Reading readAt(const Sheet& sheet, std::size_t index) {
    Reading best;
    const std::vector<std::string>& row = sheet.rows[index];
    const RowShape shape = shapeOf(row);
    if (shape.filled < 2 || shape.words * 2 <= shape.filled) {
        return best;
    }
    best.header = {static_cast<int>(index), 1, row};
    best.roles = ColumnRoles::fromHeader(row).assigned();
    best.plain = shape.distinct;
    if (index + 1 < sheet.rows.size() && !isCommentRow(sheet.rows[index + 1])) {
        const RowShape lowerShape = shapeOf(sheet.rows[index + 1]);
        std::vector<std::string> joined = joinedRows(row, sheet.rows[index + 1]);
        const RowShape joinedShape = shapeOf(joined);
        const int joinedRoles = ColumnRoles::fromHeader(joined).assigned();
        if (lowerShape.filled >= 1 && lowerShape.words * 2 > lowerShape.filled && joinedShape.distinct &&
            joinedRoles > best.roles) {
            best.header = {static_cast<int>(index), 2, std::move(joined)};
            best.roles = joinedRoles;
            best.plain = true;
        }
    }
    return best;
}

} // namespace

Header findHeader(const Sheet& sheet) {
    const std::size_t scan = std::min(sheet.rows.size(), ScanRows);
    int widest = 0;
    for (std::size_t r = 0; r < scan; ++r) {
        if (!isCommentRow(sheet.rows[r])) {
            widest = std::max(widest, shapeOf(sheet.rows[r]).filled);
        }
    }
    Header wideEnough;
    for (std::size_t r = 0; r < scan; ++r) {
        if (isCommentRow(sheet.rows[r])) {
            continue;
        }
        Reading reading = readAt(sheet, r);
        if (reading.roles >= 2) {
            return std::move(reading.header);
        }
        if (wideEnough.row < 0 && reading.plain && shapeOf(reading.header.cells).filled * 2 >= widest) {
            wideEnough = std::move(reading.header);
        }
    }
    return wideEnough;
}

Header headerAt(const Sheet& sheet, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= sheet.rows.size()) {
        return {};
    }
    Reading reading = readAt(sheet, static_cast<std::size_t>(index));
    if (reading.header.row < 0) {
        // A row the operator names is the header whatever it looks like.
        return {index, 1, sheet.rows[static_cast<std::size_t>(index)]};
    }
    return std::move(reading.header);
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
