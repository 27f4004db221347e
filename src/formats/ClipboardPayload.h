#pragma once

// The bytes that blocks travel in between document windows (and between two running editors):
// the source rectangle, then one record per row, every integer little-endian. All six private
// clipboard formats carry the same bytes; the format name tells what was selected.

#include "model/EditData.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace qx::formats {

/// The private clipboard formats, in the order the main frame registers them.
enum class ClipboardFormat : int {
    Row = 0,    ///< a rectangle of text lines, not all rows
    Number = 1, ///< continuous counts
    Pitch = 2,  ///< pitch lengths
    Format = 3, ///< put beside every other one: the attributes for format paste
    All = 4,    ///< whole blocks
    Column = 5, ///< text lines of all rows
};
inline constexpr int ClipboardFormatCount = 6;

/// "KorvintaRow", "KorvintaNumber", … : the names two running editors agree on.
std::string_view clipboardFormatName(ClipboardFormat format);

namespace clipboardMessages {
inline constexpr int CannotOpen = 42035;      ///< "ｸﾘｯﾌﾟﾎﾞｰﾄﾞが開けませんでした。"
inline constexpr int CannotSet = 42036;       ///< "ｸﾘｯﾌﾟﾎﾞｰﾄﾞへのﾃﾞｰﾀ設定に失敗しました!"
inline constexpr int WrongFormat = 42037;     ///< "データの属性が違うため貼り付けできません。"
inline constexpr int BeyondBlocks = 42038;    ///< "貼り付け位置が有効ブロック数を超えているため、…"
inline constexpr int NoBlockSelected = 42039; ///< "ブロックが選択されていないため書式貼り付けはできません。"
inline constexpr int Replaced = 42045;        ///< "未対応の文字が含まれています。…"
} // namespace clipboardMessages

/// A payload as read: the source selection and the blocks of its rows, block k belonging to row
/// top + k. Only the fields the payload carries are set; the others keep their defaults.
struct ClipboardPayload {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = -1;
    std::vector<model::EditBlock> blocks;

    [[nodiscard]] int rows() const { return static_cast<int>(blocks.size()); }
    [[nodiscard]] int columns() const { return right - left + 1; }
    /// The block copied from row `row` of the source (top <= row <= bottom).
    [[nodiscard]] const model::EditBlock& blockAt(int row) const {
        return blocks[static_cast<std::size_t>(row - top)];
    }
};

/// The payload of the rows top..bottom of a document, with the columns left..right noted in the
/// header. A bottom beyond the last block is first reduced to it; every row's whole block is
/// written whatever columns were selected. Rows outside the 999 slots are not written.
std::vector<std::uint8_t> writeClipboardPayload(const model::EditData& data, int left, int top, int right,
                                                int bottom);

struct PayloadReadResult {
    bool ok = false;
    int messageId = 0;          ///< 42037 when the bytes are no payload this editor can take
    std::size_t failedAt = 0;   ///< byte offset where reading stopped
    ClipboardPayload payload;   ///< meaningful only when ok
};

/// Reads a whole payload before anything else looks at it. Refused (42037): fewer bytes than the
/// header, a row range outside the 999 slots, a block, line or sequence list that claims more
/// bytes than are left, a negative count, more than twelve definitions, or a line count, character
/// size or width that no editor writes. Bytes after the last record are ignored: the sender's
/// memory block may be rounded up.
PayloadReadResult readClipboardPayload(std::span<const std::uint8_t> bytes);

} // namespace qx::formats
