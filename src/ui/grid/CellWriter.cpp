#include "ui/grid/CellWriter.h"

#include "model/Catalogue.h"
#include "model/Sequences.h"
#include "model/StringTable.h"
#include "model/TextConversion.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace qx::ui {

namespace {

constexpr int UnderlineOff = 43062; // "しない"
constexpr int UnderlineOn = 43063;  // "する"
constexpr int ReverseOff = 40054;   // "しない"
constexpr int ReverseOn = 40055;    // "する"

constexpr long long Saturation = 1'000'000'000'000LL;

/// The text with the full-width forms of ASCII (as an input method types digits) and the
/// ideographic blank turned into ASCII; everything else is copied.
std::string narrowAscii(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b0 = static_cast<unsigned char>(utf8[i]);
        if (b0 == 0xEF && i + 2 < utf8.size()) {
            const auto b1 = static_cast<unsigned char>(utf8[i + 1]);
            const auto b2 = static_cast<unsigned char>(utf8[i + 2]);
            const int k = b1 == 0xBC ? (b2 & 0x3F) : (b1 == 0xBD ? 64 + (b2 & 0x3F) : -1);
            if ((b2 & 0xC0) == 0x80 && k >= 1 && k <= 94) {
                out += static_cast<char>(0x20 + k);
                i += 3;
                continue;
            }
        }
        if (b0 == 0xE3 && i + 2 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) == 0x80 &&
            static_cast<unsigned char>(utf8[i + 2]) == 0x80) {
            out += ' ';
            i += 3;
            continue;
        }
        out += utf8[i];
        ++i;
    }
    return out;
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

/// Position after leading blanks and an optional sign; `negative` tells the sign.
std::size_t skipToNumber(const std::string& text, bool& negative) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) {
        ++i;
    }
    negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    return i;
}

std::string utf8Of(int textId) { return std::string(model::messageText(textId)); }

CellWriteOutcome refused(int messageId, std::string message) {
    CellWriteOutcome outcome;
    outcome.kind = CellWriteOutcome::Kind::Refused;
    outcome.messageId = messageId;
    outcome.message = std::move(message);
    return outcome;
}

CellWriteOutcome unchanged(int replaced = 0) {
    CellWriteOutcome outcome;
    outcome.replaced = replaced;
    return outcome;
}

/// The block's lineCount after an edit: the number of the last line holding characters.
std::int8_t lastFilledLine(const model::EditBlock& block) {
    for (int l = model::MaxLines; l > 0; --l) {
        if (!block.lines[static_cast<std::size_t>(l - 1)].chars.empty()) {
            return static_cast<std::int8_t>(l);
        }
    }
    return 0;
}

/// One definition per marker of the new text: a list from an editor always matches; a longer one
/// loses its tail and a shorter one is filled with plain definitions, so that the definitions of
/// the block's later lines stay bound to their own markers.
std::vector<model::tagSEQ_V900> fittedSequences(std::span<const model::tagSEQ_V900> sequences,
                                                const model::CodeList& codes) {
    const auto markers = static_cast<std::size_t>(
        std::count(codes.begin(), codes.end(), model::CharCode{model::codes::SequenceMarker}));
    std::vector<model::tagSEQ_V900> fitted(sequences.begin(), sequences.end());
    fitted.resize(markers);
    return fitted;
}

/// Whether writing the text into a cell of an empty row would leave it as it is shown: nothing
/// typed, or the "しない" that a flag editor shows for an empty row.
bool leavesRowEmpty(ColumnType column, std::string_view utf8, std::span<const model::tagSEQ_V900> sequences) {
    switch (column) {
    case ColumnType::Underline:
        return utf8.empty() || utf8 == model::messageText(UnderlineOff);
    case ColumnType::Reverse:
        return utf8.empty() || utf8 == model::messageText(ReverseOff);
    default:
        return utf8.empty() && sequences.empty();
    }
}

} // namespace

bool DecimalTenths::within(int lower, int upper) const {
    // The exact value lies in [tenths, tenths + 1) for positive numbers, (tenths - 1, tenths] for
    // negative ones.
    const bool belowLower = tenths < lower || (tenths == lower && beyondTenths && negative);
    const bool aboveUpper = tenths > upper || (tenths == upper && beyondTenths && !negative);
    return !belowLower && !aboveUpper;
}

DecimalTenths parseCellDecimal(std::string_view utf8) {
    const std::string text = narrowAscii(utf8);
    DecimalTenths result;
    std::size_t i = skipToNumber(text, result.negative);
    long long whole = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        whole = std::min(Saturation, whole * 10 + (text[i] - '0'));
    }
    int tenth = 0;
    if (i < text.size() && text[i] == '.') {
        ++i;
        if (i < text.size() && isDigit(text[i])) {
            tenth = text[i] - '0';
            ++i;
        }
        for (; i < text.size() && isDigit(text[i]); ++i) {
            result.beyondTenths = result.beyondTenths || text[i] != '0';
        }
    }
    result.tenths = whole * 10 + tenth;
    if (result.negative) {
        result.tenths = -result.tenths;
    }
    return result;
}

long long parseCellInteger(std::string_view utf8) {
    const std::string text = narrowAscii(utf8);
    bool negative = false;
    std::size_t i = skipToNumber(text, negative);
    long long value = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        value = std::min(Saturation, value * 10 + (text[i] - '0'));
    }
    return negative ? -value : value;
}

std::string cellPitchText(int tenths) {
    const int magnitude = std::abs(tenths);
    std::string text = tenths < 0 ? "-" : "";
    text += std::to_string(magnitude / 10);
    text += '.';
    text += std::to_string(magnitude % 10);
    return text;
}

bool CellWriter::isBlockRow(const model::EditData& data, int row) const {
    const int limit = std::min(m_catalogue.limits().blockLimit, model::MaxBlocks);
    return row >= 0 && row < limit && row < data.blockCount;
}

std::string CellWriter::cellText(const model::EditData& data, int row, ColumnType column) const {
    if (!isBlockRow(data, row)) {
        return {};
    }
    const model::EditBlock& block = data.block(row);
    switch (column) {
    case ColumnType::Count:
        return std::to_string(block.count);
    case ColumnType::Pitch:
        return cellPitchText(block.pitch);
    case ColumnType::Underline:
        return utf8Of(block.underline != 0 ? UnderlineOn : UnderlineOff);
    case ColumnType::Reverse:
        return utf8Of(block.reverse != 0 ? ReverseOn : ReverseOff);
    case ColumnType::Line1:
    case ColumnType::Line2:
    case ColumnType::Line3:
    case ColumnType::Line4:
        break;
    }
    return model::codesToUtf8(block.lines[static_cast<std::size_t>(lineIndex(column))].chars, false);
}

void CellWriter::appendBlock(model::EditData& data, int row) const {
    model::EditBlock& block = data.block(row);
    // The slot may still hold what an earlier, longer document left there.
    for (model::EditLine& line : block.lines) {
        line.chars.clear();
    }
    block.clearSequences();
    block.lineCount =
        static_cast<std::int8_t>(m_catalogue.settingRange(model::SettingRow::LineCountMinusOne).defaultValue + 1);
    if (row > 0) {
        const model::EditBlock& previous = data.block(row - 1);
        block.count = previous.count;
        block.pitch = previous.pitch;
        block.reverse = previous.reverse;
        block.underline = previous.underline;
    }
    data.blockCount = static_cast<std::int16_t>(row + 1);
}

CellWriteOutcome CellWriter::write(model::EditData& data, int row, ColumnType column, std::string_view utf8,
                                   std::span<const model::tagSEQ_V900> sequences,
                                   const std::function<void()>& beforeChange) const {
    const int limit = std::min(m_catalogue.limits().blockLimit, model::MaxBlocks);
    if (!isBlockRow(data, row) && leavesRowEmpty(column, utf8, sequences)) {
        // Closing an editor opened on an empty row without typing is no write, wherever the row is.
        return unchanged();
    }
    if (row < 0 || row >= limit || row > data.blockCount) {
        return refused(CellMessage::NotWritable, utf8Of(CellMessage::NotWritable));
    }
    const bool newRow = row == data.blockCount;
    const std::string current = cellText(data, row, column);
    const auto change = [&] {
        if (beforeChange) {
            beforeChange();
        }
        if (newRow) {
            appendBlock(data, row);
        }
    };
    CellWriteOutcome written;
    written.kind = CellWriteOutcome::Kind::Written;
    written.appended = newRow;

    if (isTextColumn(column)) {
        const model::TextToCodesResult converted = model::utf8ToCodes(utf8, true);
        const std::vector<model::tagSEQ_V900> fitted = fittedSequences(sequences, converted.codes);
        const int line = lineIndex(column);
        const std::vector<model::tagSEQ_V900> held =
            newRow ? std::vector<model::tagSEQ_V900>{} : model::lineSequences(data.block(row), line);
        const bool textChanged = utf8 != current;
        const bool sequencesChanged = fitted != held;
        if (!textChanged && !sequencesChanged) {
            return unchanged();
        }
        const model::CodeList& chars = data.line(row, line).chars;
        const bool codesChanged = newRow ? !converted.codes.empty() : converted.codes != chars;
        if (!codesChanged && !sequencesChanged) {
            // Typed differently (half-width for full-width) but the same characters.
            return unchanged(textChanged ? converted.replaced : 0);
        }
        change();
        model::EditBlock& block = data.block(row);
        if (sequencesChanged) {
            // Bound by the markers still in the line, so this comes before its characters change.
            model::replaceLineSequences(block, line, fitted);
        }
        block.lines[static_cast<std::size_t>(line)].chars = converted.codes;
        block.lineCount = lastFilledLine(block);
        written.replaced = converted.replaced;
        return written;
    }

    if (utf8 == current) {
        return unchanged();
    }
    switch (column) {
    case ColumnType::Count: {
        const model::ValueRange range = m_catalogue.countRange(data.target.targetKind);
        const long long n = parseCellInteger(utf8);
        if (n < range.lower || n > range.upper) {
            return refused(CellMessage::IntegerRange,
                           model::formatMessage(CellMessage::IntegerRange, {range.lower, range.upper}));
        }
        if (!newRow && n == data.block(row).count) {
            return unchanged();
        }
        change();
        data.block(row).count = static_cast<std::int16_t>(n);
        return written;
    }
    case ColumnType::Pitch: {
        const model::ValueRange range = m_catalogue.pitchRange(data.target.targetKind);
        const DecimalTenths v = parseCellDecimal(utf8);
        if (!v.within(range.lower, range.upper)) {
            return refused(CellMessage::DecimalRange,
                           model::formatMessage(CellMessage::DecimalRange,
                                                {range.lower / 10.0, range.upper / 10.0}));
        }
        if (!newRow && v.tenths == data.block(row).pitch) {
            return unchanged();
        }
        change();
        data.block(row).pitch = static_cast<std::int16_t>(v.tenths);
        return written;
    }
    case ColumnType::Underline:
    case ColumnType::Reverse: {
        const int offText = column == ColumnType::Underline ? UnderlineOff : ReverseOff;
        const bool on = utf8 != model::messageText(offText);
        const model::EditBlock& block = data.block(row);
        const bool wasOn = column == ColumnType::Underline ? block.underline != 0 : block.reverse != 0;
        // An empty row reads as "しない": leaving it so appends nothing.
        if (newRow ? !on : on == wasOn) {
            return unchanged();
        }
        change();
        if (column == ColumnType::Underline) {
            data.block(row).underline = on ? 1 : 0;
        } else {
            data.block(row).reverse = on ? 1 : 0;
        }
        return written;
    }
    default:
        break;
    }
    return unchanged();
}

} // namespace qx::ui
