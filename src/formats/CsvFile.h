#pragma once

#include "model/EditData.h"
#include "model/ModelType.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qx::formats {

/// One row of a CSV file: its fields as raw bytes, already unquoted.
using CsvRow = std::vector<std::string>;

/// Splits CSV text into rows, one byte at a time, as the document files are written: a comma or a
/// line feed outside double quotes ends a field (a line feed also ends the row), carriage returns
/// are dropped, a double quote toggles the quoted state and stays in the field until the field is
/// unquoted, and a zero byte ends the text. A final line end does not start another row; an empty
/// line is a row with one empty field.
///
/// The delimiters are all below 0x40, so no Shift_JIS trail byte and no UTF-8 continuation byte
/// can be mistaken for one. The reader does not own the bytes.
class CsvReader final {
public:
    explicit CsvReader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}
    explicit CsvReader(std::string_view text)
        : m_bytes(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()) {}

    /// The next row, or nothing at the end of the text.
    std::optional<CsvRow> nextRow();

    /// Bytes consumed so far.
    std::size_t offset() const { return m_pos; }

private:
    enum class State {
        Unquoted, ///< delimiters end fields
        Quoted,   ///< inside double quotes: commas and line feeds are field text
        Finished, ///< the end of the bytes or a zero byte has been reached
    };

    std::span<const std::uint8_t> m_bytes;
    std::size_t m_pos = 0;
    State m_state = State::Unquoted;
};

/// How the bytes of a CSV file are to be read. Files are written as Shift_JIS; files from other
/// programs often come as UTF-8.
enum class CsvEncoding {
    ShiftJis,
    Utf8,
};

/// UTF-8 when the text (up to its first zero byte) starts with the UTF-8 byte-order mark, or is
/// valid UTF-8 and not valid Shift_JIS; Shift_JIS otherwise, which includes plain ASCII.
CsvEncoding detectCsvEncoding(std::span<const std::uint8_t> bytes);

/// Whether the bytes start with the UTF-8 byte-order mark EF BB BF.
bool startsWithUtf8Mark(std::span<const std::uint8_t> bytes);

/// Well-formed UTF-8: no stray continuation byte, no overlong form, no surrogate, nothing past
/// U+10FFFF.
bool isValidUtf8(std::span<const std::uint8_t> bytes);

/// Well-formed Shift_JIS (code page 932 byte structure): single bytes 0x00-0x7F and 0xA1-0xDF,
/// lead bytes 0x81-0x9F and 0xE0-0xFC each followed by a trail byte 0x40-0x7E or 0x80-0xFC.
bool isValidShiftJis(std::span<const std::uint8_t> bytes);

/// A raw field without its enclosing double quotes: when it starts and ends with a double quote
/// these two go, each pair of double quotes becomes one and line feeds are removed. Any other field
/// is returned as it is.
std::string unquoteCsvField(std::string_view raw);

/// A field ready to be written: enclosed in double quotes, its own double quotes doubled, when it
/// holds a double quote, a comma or a line feed; otherwise unchanged.
std::string quoteCsvField(std::string_view field);

/// The document as CSV bytes (Shift_JIS, CR LF, no header): for every block in use one row per
/// printed piece of its sequence numbers, each row the four line texts (symbols as blanks,
/// full-width ASCII narrowed, sequence markers replaced by the piece's values), the continuous
/// count ("%d") and the pitch length in millimetres ("%.1f").
std::string writeCsv(const model::EditData& data, model::ModelType model);

} // namespace qx::formats
