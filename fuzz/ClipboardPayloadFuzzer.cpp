// Clipboard payloads and pasted text from other programs, as arbitrary bytes. Besides never
// crashing, a payload that is read must write back to exactly the bytes it was read from, and
// reading those again gives the same blocks.

#include "formats/ClipboardPayload.h"
#include "formats/PastedText.h"
#include "model/EditData.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    (void)qx::formats::splitPastedText(std::string_view(reinterpret_cast<const char*>(data), size), 999);

    const qx::formats::PayloadReadResult first = qx::formats::readClipboardPayload(bytes);
    if (!first.ok || first.failedAt > size) {
        if (first.ok || first.messageId != qx::formats::clipboardMessages::WrongFormat) {
            std::abort();
        }
        return 0;
    }
    const qx::formats::ClipboardPayload& payload = first.payload;
    if (payload.rows() == 0) {
        return 0;
    }
    // One record for the whole run: only the payload's own rows are written back.
    static qx::model::EditData document;
    document.blockCount = static_cast<std::int16_t>(payload.bottom + 1);
    for (int row = payload.top; row <= payload.bottom; ++row) {
        document.block(row) = payload.blockAt(row);
    }
    const std::vector<std::uint8_t> written =
        qx::formats::writeClipboardPayload(document, payload.left, payload.top, payload.right, payload.bottom);
    if (written.size() != first.failedAt || !std::equal(written.begin(), written.end(), bytes.begin())) {
        std::abort();
    }
    const qx::formats::PayloadReadResult second = qx::formats::readClipboardPayload(written);
    if (!second.ok || second.payload.blocks != payload.blocks) {
        std::abort();
    }
    return 0;
}
