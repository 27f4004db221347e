// Operator text from typing, paste and files on arbitrary bytes, read both as Shift_JIS and as
// UTF-8. Besides never crashing: no stream marker ever lands among the codes, and codes written
// back as text (with tokens) read again as the same codes — except a token that names a character
// the printers do not support, which comes back as the blank that replaces it.

#include "model/CharCode.h"
#include "model/TextConversion.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void checkCodes(const qx::model::TextToCodesResult& result) {
    for (qx::model::CharCode c : result.codes) {
        if (qx::model::isStreamMarker(c) || c == 0) {
            std::abort();
        }
    }
    const std::string text = qx::model::codesToText(result.codes, false);
    const qx::model::TextToCodesResult again = qx::model::textToCodes(text, true);
    if (again.codes.size() != result.codes.size()) {
        std::abort();
    }
    for (std::size_t i = 0; i < again.codes.size(); ++i) {
        const qx::model::CharCode c = result.codes[i];
        const std::uint16_t sjis = qx::model::jisToSjis(c);
        const bool unsupported = !qx::model::isSpecialCode(c) && sjis != 0 && !qx::model::isSupportedSjis(sjis);
        if (again.codes[i] != (unsupported ? qx::model::codes::FullWidthBlank : c)) {
            std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (bool tokens : {false, true}) {
        checkCodes(qx::model::textToCodes(bytes, tokens));
        checkCodes(qx::model::utf8ToCodes(bytes, tokens));
    }
    (void)qx::model::narrowText(bytes);
    (void)qx::model::widenText(bytes);
    (void)qx::model::sjisToUtf8(bytes);
    (void)qx::model::utf8ToSjis(bytes);
    return 0;
}
