#include "WireListImport.h"

#include "HeaderRow.h"
#include "LineTemplate.h"
#include "WireListMessages.h"

#include "formats/BlockSource.h"
#include "model/Catalogue.h"
#include "model/StringTable.h"
#include "model/TextConversion.h"

#include <algorithm>
#include <set>

namespace qx::wirelist {

namespace {

// A count cell beyond this is a mistake in the list, not a count; it still only fills the room left.
constexpr int MaxCount = 99999;

constexpr Role EndRoles[] = {Role::Wire,         Role::SourceDevice,   Role::SourceTerminal, Role::TargetDevice,
                             Role::TargetTerminal, Role::Source,       Role::Target};

bool cellFilled(std::span<const std::string> row, int column) {
    return column >= 0 && static_cast<std::size_t>(column) < row.size() &&
           !trimCell(row[static_cast<std::size_t>(column)]).empty();
}

bool anyFilled(std::span<const std::string> row) {
    return std::any_of(row.begin(), row.end(), [](const std::string& cell) { return !trimCell(cell).empty(); });
}

RowNote note(int row, int id, std::initializer_list<model::MessageArg> args) {
    return {row, id, model::formatMessage(id, args)};
}

/// The roles of the columns: those the header names, then the operator's own choices over them.
/// A column the operator gave a role loses the role the header gave it, and an end the operator
/// told in one form (two columns, or one holding both) drops the header's other form.
bool resolveRoles(const ImportProfile& profile, SheetMapping& mapping) {
    ColumnRoles found = mapping.header.empty() ? ColumnRoles() : ColumnRoles::fromHeader(mapping.header);
    ColumnRoles roles = found;
    std::set<int> chosenColumns;
    std::array<bool, RoleCount> chosen{};
    for (int r = 0; r < RoleCount; ++r) {
        const Role role = static_cast<Role>(r);
        const std::string& ref = profile.role(role);
        if (ref.empty()) {
            continue;
        }
        chosen[static_cast<std::size_t>(r)] = true;
        if (ref == ImportProfile::NoColumn) {
            roles.set(role, -1);
            continue;
        }
        const int column = findColumn(mapping.header, ref);
        if (column < 0) {
            mapping.messageId = WireListMessage::ColumnNotFound;
            mapping.message = model::formatMessage(mapping.messageId, {ref});
            return false;
        }
        roles.set(role, column);
        chosenColumns.insert(column);
    }
    const auto isChosen = [&chosen](Role role) { return chosen[static_cast<std::size_t>(role)]; };
    for (int r = 0; r < RoleCount; ++r) {
        const Role role = static_cast<Role>(r);
        if (isChosen(role) || !roles.has(role)) {
            continue;
        }
        const bool columnTaken = chosenColumns.contains(roles.column(role));
        const bool sourceSplit = isChosen(Role::SourceDevice) || isChosen(Role::SourceTerminal);
        const bool targetSplit = isChosen(Role::TargetDevice) || isChosen(Role::TargetTerminal);
        const bool otherForm = (role == Role::Source && sourceSplit) || (role == Role::Target && targetSplit) ||
                               ((role == Role::SourceDevice || role == Role::SourceTerminal) &&
                                isChosen(Role::Source)) ||
                               ((role == Role::TargetDevice || role == Role::TargetTerminal) &&
                                isChosen(Role::Target));
        if (columnTaken || otherForm) {
            roles.set(role, -1);
        }
    }
    mapping.roles = roles;
    return true;
}

/// The lines of one piece: each template's text, split at the cells' line breaks (or with a blank
/// for each), without blanks at the ends of a line (a field left empty leaves none) and without
/// empty lines at the end.
std::vector<std::string> pieceLines(const std::vector<LineTemplate>& templates, const TemplateRow& row,
                                    bool splitBreaks) {
    std::vector<std::string> lines;
    for (const LineTemplate& line : templates) {
        std::string text = line.expand(row);
        std::erase(text, '\r');
        if (!splitBreaks) {
            std::replace(text.begin(), text.end(), '\n', ' ');
            lines.emplace_back(trimCell(text));
            continue;
        }
        std::size_t start = 0;
        for (;;) {
            const std::size_t lf = text.find('\n', start);
            const std::string_view part = std::string_view(text).substr(start, lf == std::string::npos ? std::string::npos : lf - start);
            lines.emplace_back(trimCell(part));
            if (lf == std::string::npos) {
                break;
            }
            start = lf + 1;
        }
    }
    while (!lines.empty() && lines.back().empty()) {
        lines.pop_back();
    }
    return lines;
}

/// A count cell: digits, full-width ones too.
std::optional<int> countOf(std::string_view cell) {
    const std::string folded = foldHeaderText(cell);
    if (folded.empty() || !std::all_of(folded.begin(), folded.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    int n = 0;
    for (const char c : folded) {
        n = std::min(MaxCount, n * 10 + (c - '0'));
    }
    return n;
}

/// Whether a row looks like one of the table's rows: at least half of the columns that tell the
/// wire are filled. The rows after the last such row are the table's footer.
bool looksLikeData(std::span<const std::string> row, std::span<const int> columns) {
    const auto filled = std::count_if(columns.begin(), columns.end(), [&](int c) { return cellFilled(row, c); });
    return filled > 0 && static_cast<std::size_t>(filled) * 2 >= columns.size();
}

/// The pieces as blocks: a piece's count above what one block holds continues in the next block,
/// and in print-length mode, where a block has no count, each piece is a block of its own.
class PieceBlockSource final : public formats::BlockSource {
public:
    PieceBlockSource(std::span<const Piece> pieces, std::vector<RowNote>& notices)
        : m_pieces(pieces), m_notices(notices) {}

    bool atEnd() override { return m_index >= m_pieces.size(); }

    int fillNext(model::EditData& data, int b, const formats::InsertRules& rules) override {
        if (atEnd()) {
            return 0;
        }
        const Piece& piece = m_pieces[m_index];
        const bool firstBlock = m_left == 0;
        if (firstBlock) {
            m_left = std::max(1, piece.count.value_or(1));
        }
        model::EditBlock& block = data.block(b);
        int replaced = 0;
        const int lines = std::min(static_cast<int>(piece.lines.size()), rules.lineLimit);
        for (int l = 0; l < lines; ++l) {
            model::TextToCodesResult codes = model::utf8ToCodes(piece.lines[static_cast<std::size_t>(l)], false);
            replaced += codes.replaced + model::sanitiseCodes(codes.codes, rules.model);
            if (!codes.codes.empty()) {
                block.lines[static_cast<std::size_t>(l)].chars = std::move(codes.codes);
                block.lineCount = static_cast<std::int8_t>(std::max<int>(block.lineCount, l + 1));
            }
        }
        if (firstBlock && static_cast<int>(piece.lines.size()) > rules.lineLimit) {
            m_notices.push_back(note(piece.row, WireListMessage::LinesCut, {piece.row, rules.lineLimit}));
        }
        if (firstBlock && replaced > 0) {
            m_notices.push_back(note(piece.row, WireListMessage::CharactersReplaced, {piece.row}));
        }
        int placed = 1;
        if (rules.pitchLengthMode) {
            placed = piece.count ? std::clamp(m_left, rules.countRange.lower, rules.countRange.upper) : m_left;
            block.count = static_cast<std::int16_t>(piece.count ? placed : rules.defaultCount);
        }
        m_left -= std::min(placed, m_left);
        if (m_left == 0) {
            ++m_index;
        }
        return replaced;
    }

    /// The first piece not placed in full.
    std::size_t index() const { return m_index; }

private:
    std::span<const Piece> m_pieces;
    std::vector<RowNote>& m_notices;
    std::size_t m_index = 0;
    int m_left = 0; ///< of the current piece's count, still to place
};

} // namespace

std::optional<std::size_t> findSheet(const Table& table, std::string_view sheet) {
    if (table.sheets.empty()) {
        return std::nullopt;
    }
    if (sheet.empty()) {
        return 0;
    }
    for (std::size_t i = 0; i < table.sheets.size(); ++i) {
        if (table.sheets[i].name == sheet) {
            return i;
        }
    }
    if (sheet.size() <= 4 && std::all_of(sheet.begin(), sheet.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        const auto number = static_cast<std::size_t>(std::stoi(std::string(sheet)));
        if (number >= 1 && number <= table.sheets.size()) {
            return number - 1;
        }
    }
    return std::nullopt;
}

std::vector<std::string> defaultLines(const ColumnRoles& roles) {
    std::vector<std::string> lines;
    if (roles.has(Role::Wire)) {
        lines.emplace_back("{wire}");
    }
    if (roles.hasSourceEnd() || roles.hasTargetEnd()) {
        lines.emplace_back("{here}");
        // Without a wire number the other end tells where the wire goes.
        if (!roles.has(Role::Wire) && roles.hasSourceEnd() && roles.hasTargetEnd()) {
            lines.emplace_back("{there}");
        }
    }
    return lines;
}

SheetMapping mapSheet(const Sheet& sheet, const ImportProfile& profile) {
    SheetMapping mapping;
    const auto fail = [&mapping](int id, std::initializer_list<model::MessageArg> args) {
        mapping.ok = false;
        mapping.messageId = id;
        mapping.message = model::formatMessage(id, args);
        return mapping;
    };
    const int rowCount = static_cast<int>(sheet.rows.size());
    const Header header = profile.headerRow < 0    ? findHeader(sheet)
                          : profile.headerRow == 0 ? Header{}
                                                   : headerAt(sheet, profile.headerRow - 1);
    mapping.headerRow = header.row;
    mapping.headerRows = header.rows;
    mapping.header = header.cells;
    if (!resolveRoles(profile, mapping)) {
        return mapping;
    }
    if (static_cast<int>(profile.lines.size()) > MaxTemplates) {
        return fail(WireListMessage::TooManyTemplates, {MaxTemplates});
    }
    mapping.lines = profile.lines.empty() ? defaultLines(mapping.roles) : profile.lines;
    std::vector<LineTemplate> templates;
    std::vector<int> wireColumns;
    for (const Role role : EndRoles) {
        if (mapping.roles.has(role)) {
            wireColumns.push_back(mapping.roles.column(role));
        }
    }
    std::vector<int> mappedColumns = wireColumns;
    for (const std::string& text : mapping.lines) {
        LineTemplate::Parsed parsed = LineTemplate::parse(text, mapping.header, mapping.roles);
        if (!parsed.ok) {
            mapping.messageId = parsed.messageId;
            mapping.message = std::move(parsed.message);
            return mapping;
        }
        mappedColumns.insert(mappedColumns.end(), parsed.line.columns().begin(), parsed.line.columns().end());
        templates.push_back(std::move(parsed.line));
    }
    if (mappedColumns.empty()) {
        return fail(WireListMessage::NoColumns, {});
    }
    if (mapping.roles.has(Role::Count)) {
        mappedColumns.push_back(mapping.roles.column(Role::Count));
    }
    if (wireColumns.empty()) {
        wireColumns = mappedColumns;
    }

    const bool twoEnded = mapping.roles.hasSourceEnd() && mapping.roles.hasTargetEnd();
    mapping.ends = profile.ends.value_or(twoEnded ? Ends::Both : Ends::Source);
    // A header repeated on every printed page comes back as rows like its own.
    std::vector<std::vector<std::string>> headerRowSignatures;
    for (int r = header.row; r >= 0 && r < header.row + header.rows && r < rowCount; ++r) {
        headerRowSignatures.push_back(headerSignature(sheet.rows[static_cast<std::size_t>(r)]));
    }
    const int firstData = header.row < 0 ? (profile.headerRow > 0 ? std::min(profile.headerRow, rowCount) : 0)
                                         : header.row + header.rows;
    int lastData = -1;
    for (int r = rowCount - 1; r >= firstData; --r) {
        const std::vector<std::string>& row = sheet.rows[static_cast<std::size_t>(r)];
        if (!isCommentRow(row) && looksLikeData(row, wireColumns)) {
            lastData = r;
            break;
        }
    }

    for (int r = firstData; r < rowCount; ++r) {
        const std::vector<std::string>& row = sheet.rows[static_cast<std::size_t>(r)];
        const int number = r + 1;
        if (isCommentRow(row)) {
            continue;
        }
        if (r > lastData) {
            if (anyFilled(row)) {
                mapping.skipped.push_back(note(number, WireListMessage::Footer, {number}));
            }
            continue;
        }
        if (std::find(headerRowSignatures.begin(), headerRowSignatures.end(), headerSignature(row)) !=
            headerRowSignatures.end()) {
            mapping.skipped.push_back(note(number, WireListMessage::RepeatedHeader, {number}));
            continue;
        }
        if (std::none_of(mappedColumns.begin(), mappedColumns.end(), [&](int c) { return cellFilled(row, c); })) {
            mapping.skipped.push_back(note(number, WireListMessage::NothingMapped, {number}));
            continue;
        }
        if (mapping.roles.has(Role::Wire) && !cellFilled(row, mapping.roles.column(Role::Wire))) {
            mapping.skipped.push_back(note(number, WireListMessage::EmptyWire, {number}));
            continue;
        }
        std::optional<int> count;
        if (cellFilled(row, mapping.roles.column(Role::Count))) {
            const std::string_view cell = trimCell(row[static_cast<std::size_t>(mapping.roles.column(Role::Count))]);
            count = countOf(cell);
            if (!count) {
                mapping.notices.push_back(note(number, WireListMessage::CountNotNumber, {number, cell}));
            } else if (*count == 0) {
                mapping.skipped.push_back(note(number, WireListMessage::ZeroCount, {number}));
                continue;
            }
        }
        const auto addPiece = [&](bool targetEnd) {
            Piece piece;
            piece.lines = pieceLines(templates, TemplateRow{row, mapping.roles, targetEnd}, profile.splitBreaks);
            piece.count = count;
            piece.row = number;
            piece.targetEnd = targetEnd;
            mapping.pieces.push_back(std::move(piece));
        };
        if (!twoEnded) {
            addPiece(!mapping.roles.hasSourceEnd() && mapping.roles.hasTargetEnd());
        } else {
            if (mapping.ends != Ends::Target) {
                addPiece(false);
            }
            if (mapping.ends != Ends::Source) {
                addPiece(true);
            }
        }
    }

    if (profile.merge) {
        std::vector<Piece> merged;
        for (Piece& piece : mapping.pieces) {
            const int n = piece.count.value_or(1);
            if (!merged.empty() && merged.back().lines == piece.lines) {
                merged.back().count = std::min(MaxCount, *merged.back().count + n);
            } else {
                piece.count = n;
                merged.push_back(std::move(piece));
            }
        }
        mapping.pieces = std::move(merged);
    }
    mapping.ok = true;
    return mapping;
}

std::string listPieces(const SheetMapping& mapping) {
    std::string text;
    for (const Piece& piece : mapping.pieces) {
        for (std::size_t i = 0; i < piece.lines.size(); ++i) {
            std::string line = piece.lines[i];
            std::replace(line.begin(), line.end(), '\t', ' ');
            text += (i == 0 ? "" : "\t") + line;
        }
        text += '\n';
    }
    for (const RowNote& skipped : mapping.skipped) {
        text += "# " + skipped.text + "\n";
    }
    return text;
}

PieceInsert insertPieces(const model::EditData& current, int position, std::span<const Piece> pieces,
                         const model::Catalogue& catalogue, const model::OperatorSettings& settings) {
    PieceInsert result;
    insertPieces(current, position, pieces, catalogue, settings, result);
    return result;
}

void insertPieces(const model::EditData& current, int position, std::span<const Piece> pieces,
                  const model::Catalogue& catalogue, const model::OperatorSettings& settings, PieceInsert& result) {
    result.notices.clear();
    PieceBlockSource source(pieces, result.notices);
    formats::mergeBlocks(current, position, catalogue, settings, source, result.merge);
    result.blockLimit = catalogue.limits().blockLimit;
    result.blocksUsed = result.merge.data.blockCount;
    if (result.merge.blocksDropped && source.index() < pieces.size()) {
        const int row = pieces[source.index()].row;
        const int left = static_cast<int>(pieces.size() - source.index());
        result.notices.push_back(note(row, WireListMessage::BlocksOverLimit, {row, left, result.blockLimit}));
    }
}

} // namespace qx::wirelist
