#include "ReadContext.h"

#include "model/StringTable.h"

namespace qx::wirelist {

std::string columnLetters(std::size_t column) {
    std::string letters;
    std::size_t n = column + 1;
    while (n > 0) {
        --n;
        letters.insert(letters.begin(), static_cast<char>('A' + n % 26));
        n /= 26;
    }
    return letters;
}

std::string placeText(const CellPlace& place) {
    std::string text;
    if (!place.sheet.empty()) {
        text += "シート「";
        text += place.sheet;
        text += "」";
    }
    auto gap = [&text] {
        if (!text.empty()) {
            text += ' ';
        }
    };
    if (place.row != CellPlace::None) {
        gap();
        text += std::to_string(place.row + 1) + " 行目";
    }
    if (place.column != CellPlace::None) {
        gap();
        text +=
            place.letters ? columnLetters(place.column) + " 列" : std::to_string(place.column + 1) + " 列目";
    }
    return text;
}

std::string sizeText(std::size_t bytes) {
    if (bytes >= (1u << 20) && bytes % (1u << 20) == 0) {
        return std::to_string(bytes >> 20) + " MB";
    }
    if (bytes >= (1u << 10) && bytes % (1u << 10) == 0) {
        return std::to_string(bytes >> 10) + " KB";
    }
    return std::to_string(bytes) + " バイト";
}

bool ReadContext::fail(int messageId, std::string message) {
    if (m_messageId == 0) {
        m_messageId = messageId;
        m_message = std::move(message);
    }
    return false;
}

bool ReadContext::failDamaged(std::string_view where) {
    return fail(messages::DamagedFile, model::formatMessage(messages::DamagedFile, {where}));
}

bool ReadContext::failTooLarge() {
    return fail(messages::TooLarge,
                model::formatMessage(messages::TooLarge, {sizeText(m_limits.maxUnpackedBytes)}));
}

bool ReadContext::checkSheetCount(std::size_t sheets) {
    if (sheets <= m_limits.maxSheets) {
        return true;
    }
    return fail(messages::TooManySheets, model::formatMessage(messages::TooManySheets, {m_limits.maxSheets}));
}

bool ReadContext::failAt(int messageId, const CellPlace& place) {
    return failAt(messageId, std::string_view(placeText(place)));
}

bool ReadContext::failAt(int messageId, std::string_view where) {
    std::size_t bound = 0;
    switch (messageId) {
    case messages::TooManyRows:
        bound = m_limits.maxRows;
        break;
    case messages::TooManyColumns:
        bound = m_limits.maxColumns;
        break;
    case messages::CellTooLong:
        bound = m_limits.maxCellBytes;
        break;
    case messages::TooManyCells:
        bound = m_limits.maxCells;
        break;
    default:
        break;
    }
    return fail(messageId, model::formatMessage(messageId, {where, bound}));
}

bool ReadContext::spendUnpacked(std::size_t bytes) {
    if (bytes > m_limits.maxUnpackedBytes - std::min(m_unpacked, m_limits.maxUnpackedBytes)) {
        return failTooLarge();
    }
    m_unpacked += bytes;
    return true;
}

bool ReadContext::spendCells(std::size_t cells, std::size_t textBytes, const CellPlace& place) {
    if (cells > m_limits.maxCells - std::min(m_cells, m_limits.maxCells)) {
        return failAt(messages::TooManyCells, place);
    }
    // The text a table holds may not grow past what the file itself may unpack to.
    if (textBytes > m_limits.maxUnpackedBytes - std::min(m_textBytes, m_limits.maxUnpackedBytes)) {
        return failTooLarge();
    }
    m_cells += cells;
    m_textBytes += textBytes;
    return true;
}

} // namespace qx::wirelist
