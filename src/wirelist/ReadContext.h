#pragma once

#include "wirelist/TableReader.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace qx::wirelist {

/// The messages a table is refused with (ids of the string table).
namespace messages {
inline constexpr int LegacyWorkbook = 43200;
inline constexpr int EncryptedWorkbook = 43201;
inline constexpr int UnknownFormat = 43202;
inline constexpr int DamagedFile = 43203;
inline constexpr int TooLarge = 43204;
inline constexpr int TooManyRows = 43205;
inline constexpr int TooManyColumns = 43206;
inline constexpr int CellTooLong = 43207;
inline constexpr int XmlTooDeep = 43208;
inline constexpr int XmlDoctype = 43209;
inline constexpr int TooManyCells = 43210;
inline constexpr int UnknownEncoding = 43211;
inline constexpr int UnknownSeparator = 43212;
inline constexpr int NoWorksheet = 43213;
inline constexpr int TooManySheets = 43214;
inline constexpr int FileNotFound = 61729;
inline constexpr int FileReadError = 61733;
} // namespace messages

/// Where in a workbook something was found: the sheet (empty for a text file), a 0-based row and
/// column (npos when the message is about a whole row or sheet).
struct CellPlace {
    static constexpr std::size_t None = static_cast<std::size_t>(-1);
    std::string_view sheet;
    std::size_t row = None;
    std::size_t column = None;
    bool letters = true; ///< spreadsheet column letters (C), or a count (3 列目) for text files
};

/// "シート「配線」 12 行目 C 列": the place as an operator finds it in the program.
std::string placeText(const CellPlace& place);
/// "AB" for the 0-based column 27.
std::string columnLetters(std::size_t column);
/// "64 MB", "512 KB" or "100 バイト".
std::string sizeText(std::size_t bytes);

/// What one reading shares between its parts: the limits, the bytes and cells spent so far, and
/// the first refusal. Parts stop at the first refusal; later ones never overwrite it.
class ReadContext final {
public:
    explicit ReadContext(const TableLimits& limits) : m_limits(limits) {}

    const TableLimits& limits() const { return m_limits; }
    bool failed() const { return m_messageId != 0; }
    int messageId() const { return m_messageId; }
    const std::string& message() const { return m_message; }

    /// Records the refusal (the first one wins) and returns false, so callers can `return fail(...)`.
    bool fail(int messageId, std::string message);
    bool failDamaged(std::string_view where);
    bool failTooLarge();
    /// Refuses a workbook with more sheets than the limit; true while `sheets` is within it.
    bool checkSheetCount(std::size_t sheets);
    bool failAt(int messageId, const CellPlace& place);
    /// The same with the place already written (a part of the workbook, for one).
    bool failAt(int messageId, std::string_view where);

    /// Counts bytes taken out of a container (or a text file); false, with the refusal, past the limit.
    bool spendUnpacked(std::size_t bytes);
    /// Counts cells and their text stored in the table, which repeated and merged cells can make
    /// far more of than the file holds.
    bool spendCells(std::size_t cells, std::size_t textBytes, const CellPlace& place);

private:
    TableLimits m_limits;
    std::size_t m_unpacked = 0;
    std::size_t m_cells = 0;
    std::size_t m_textBytes = 0;
    int m_messageId = 0;
    std::string m_message;
};

} // namespace qx::wirelist
