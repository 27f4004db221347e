#include "CsvFile.h"

#include "model/Sequences.h"
#include "model/Tenths.h"
#include "model/TextConversion.h"

#include <algorithm>
#include <string>

namespace qx::formats {

std::optional<CsvRow> CsvReader::nextRow() {
    if (m_state == State::Finished) {
        return std::nullopt;
    }
    CsvRow row;
    std::string field;
    bool rowStarted = false; // a row exists once any byte but a carriage return has been seen
    while (m_pos < m_bytes.size()) {
        const std::uint8_t byte = m_bytes[m_pos++];
        if (byte == 0) {
            m_state = State::Finished;
            break;
        }
        if (byte == '\r') {
            continue;
        }
        rowStarted = true;
        if (byte == '"') {
            m_state = m_state == State::Quoted ? State::Unquoted : State::Quoted;
            field.push_back('"');
            continue;
        }
        if (m_state == State::Unquoted && (byte == ',' || byte == '\n')) {
            row.push_back(unquoteCsvField(field));
            field.clear();
            if (byte == '\n') {
                return row;
            }
            continue;
        }
        field.push_back(static_cast<char>(byte));
    }
    m_state = State::Finished;
    if (!rowStarted) {
        return std::nullopt;
    }
    row.push_back(unquoteCsvField(field));
    return row;
}

bool startsWithUtf8Mark(std::span<const std::uint8_t> bytes) {
    return bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF;
}

bool isValidUtf8(std::span<const std::uint8_t> bytes) {
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = model::wellFormedUtf8Length(text, i);
        if (length == 0) {
            return false;
        }
        i += length;
    }
    return true;
}

bool isValidShiftJis(std::span<const std::uint8_t> bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::uint8_t lead = bytes[i];
        if (lead < 0x80 || (lead >= 0xA1 && lead <= 0xDF)) {
            ++i;
            continue;
        }
        const bool isLead = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
        if (!isLead || i + 1 >= bytes.size()) {
            return false;
        }
        const std::uint8_t trail = bytes[i + 1];
        if (trail < 0x40 || trail == 0x7F || trail > 0xFC) {
            return false;
        }
        i += 2;
    }
    return true;
}

CsvEncoding detectCsvEncoding(std::span<const std::uint8_t> bytes) {
    // The reader stops at a zero byte, so whatever follows one says nothing about the text.
    const auto zero = std::find(bytes.begin(), bytes.end(), std::uint8_t{0});
    const std::span<const std::uint8_t> text = bytes.first(static_cast<std::size_t>(zero - bytes.begin()));
    if (startsWithUtf8Mark(text)) {
        return CsvEncoding::Utf8;
    }
    return isValidUtf8(text) && !isValidShiftJis(text) ? CsvEncoding::Utf8 : CsvEncoding::ShiftJis;
}

std::string unquoteCsvField(std::string_view raw) {
    if (raw.size() < 2 || raw.front() != '"' || raw.back() != '"') {
        return std::string(raw);
    }
    const std::string_view inner = raw.substr(1, raw.size() - 2);
    std::string text;
    text.reserve(inner.size());
    for (std::size_t i = 0; i < inner.size(); ++i) {
        const char c = inner[i];
        if (c == '\n') {
            continue;
        }
        if (c == '"' && i + 1 < inner.size() && inner[i + 1] == '"') {
            ++i;
        }
        text.push_back(c);
    }
    return text;
}

std::string quoteCsvField(std::string_view field) {
    if (field.find_first_of("\",\n") == std::string_view::npos) {
        return std::string(field);
    }
    std::string quoted;
    quoted.reserve(field.size() + 2);
    quoted.push_back('"');
    for (const char c : field) {
        if (c == '"') {
            quoted.push_back('"');
        }
        quoted.push_back(c);
    }
    quoted.push_back('"');
    return quoted;
}

namespace {

/// The text of one line for piece `piece` of its block: symbols as blanks, each sequence marker as
/// the value of the block's next definition, widened as the printer prints it; then all narrowed.
std::string lineField(const model::EditBlock& block, const model::EditLine& line, int piece,
                      int& nextDefinition, model::ModelType modelType) {
    const int definitions = model::blockSequenceCount(block);
    std::string text;
    const std::span<const model::CharCode> codes(line.chars);
    std::size_t pieceStart = 0;
    for (std::size_t i = 0; i <= codes.size(); ++i) {
        if (i < codes.size() && codes[i] != model::codes::SequenceMarker) {
            continue;
        }
        text += model::codesToText(codes.subspan(pieceStart, i - pieceStart), true);
        pieceStart = i + 1;
        if (i == codes.size()) {
            break;
        }
        if (nextDefinition < definitions) {
            const model::tagSEQ_V900& definition = block.sequence(nextDefinition++);
            const int value = model::sequenceValueAt(definition, piece);
            text += model::widenText(model::formatSequenceValue(definition, value, modelType));
        } else {
            // A marker without a definition prints nothing of its own: a blank like any symbol.
            text += model::codesToText(codes.subspan(i, 1), true);
        }
    }
    return model::narrowText(text);
}

void appendField(std::string& out, std::string_view field, bool last) {
    out += quoteCsvField(field);
    out += last ? "\r\n" : ",";
}

} // namespace

std::string writeCsv(const model::EditData& data, model::ModelType modelType) {
    std::string out;
    const int blocks = std::clamp<int>(data.blockCount, 1, model::MaxBlocks);
    for (int b = 0; b < blocks; ++b) {
        const model::EditBlock& block = data.block(b);
        const int pieces = model::blockPieceCount(block);
        const int linesInUse = std::clamp<int>(block.lineCount, 0, model::MaxLines);
        const std::string count = std::to_string(block.count);
        const std::string pitch = model::formatTenths(block.pitch);
        for (int piece = 0; piece < pieces; ++piece) {
            int nextDefinition = 0;
            for (int l = 0; l < model::MaxLines; ++l) {
                const std::string field = l < linesInUse
                                              ? lineField(block, block.lines[static_cast<std::size_t>(l)],
                                                          piece, nextDefinition, modelType)
                                              : std::string();
                appendField(out, field, false);
            }
            appendField(out, count, false);
            appendField(out, pitch, true);
        }
    }
    return out;
}

} // namespace qx::formats
