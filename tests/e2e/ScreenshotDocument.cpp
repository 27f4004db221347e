// Writes the document the editor's screenshot check opens: Japanese text, printer symbols, a
// sequence number and one block too long for its pitch, so that the picture shows every kind of
// cell content and the error colour. A variant shows the print image of other layouts: "framed"
// frames every piece and reverses the first block, "vertical" writes the document vertically.
//
// Usage: qx_screenshot_document OUT.QXF [framed|vertical]
#include "formats/AtomicFile.h"
#include "formats/DocumentFile.h"
#include "model/Catalogue.h"
#include "model/EditData.h"
#include "model/OperatorSettings.h"
#include "model/TextConversion.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

namespace {

using namespace qx;

/// Sets a line from UTF-8 text with tokens; false when a character would become a blank.
bool setLine(model::EditData& data, int block, int line, std::string_view utf8) {
    const model::TextToCodesResult result = model::utf8ToCodes(utf8, true);
    model::EditBlock& target = data.block(block);
    target.lines[static_cast<std::size_t>(line)].chars = result.codes;
    target.lineCount = std::max<std::uint8_t>(target.lineCount, static_cast<std::uint8_t>(line + 1));
    return result.replaced == 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string_view variant = argc == 3 ? argv[2] : "";
    if (argc < 2 || argc > 3 || (argc == 3 && variant != "framed" && variant != "vertical")) {
        std::fprintf(stderr, "usage: qx_screenshot_document OUT.QXF [framed|vertical]\n");
        return 1;
    }
    const model::Catalogue catalogue(model::models::QX950W3);
    const model::OperatorSettings settings = model::OperatorSettings::defaultsFor(catalogue);
    model::EditData data = model::createEditData(catalogue, 1);
    data.blockCount = 5;
    bool ok = setLine(data, 0, 0, "制御盤 ＡＢ－１") && setLine(data, 0, 1, "端子台\"0x2A21\"\"0x2C21\"");
    ok = ok && setLine(data, 1, 0, "ケーブル\"0x2F26\"");
    data.block(1).appendSequence(model::tagSEQ_V900{1, 2, 1, 20, 0, 0});
    data.block(1).count = 20;
    // Far more than a 20 mm piece holds: the grid marks this block.
    ok = ok && setLine(data, 2, 0, "非常停止ボタン回路配線用マーキングチューブ");
    ok = ok && setLine(data, 3, 0, "ＰＥ") && setLine(data, 3, 1, "接地");
    ok = ok && setLine(data, 4, 0, "Ｌ１\"0x2F26\"") && setLine(data, 4, 1, "電源");
    data.block(4).appendSequence(model::tagSEQ_V900{3, 0, 0x2341, 0x2345, 0, 0});
    if (variant == "framed") {
        data.target.frame = data.target.frameGap;
        data.block(0).reverse = 1;
    } else if (variant == "vertical") {
        data.target.direction = 1;
    }
    if (!ok) {
        std::fprintf(stderr, "qx_screenshot_document: a character of the sample is not printable\n");
        return 1;
    }
    const formats::SaveDocumentResult saved = formats::saveDocumentFile(data, catalogue, settings);
    if (!saved.ok) {
        std::fprintf(stderr, "qx_screenshot_document: the sample does not encode (message %d)\n", saved.messageId);
        return 1;
    }
    const auto written = formats::saveFileAtomically(argv[1], saved.bytes);
    if (!written.ok) {
        std::fprintf(stderr, "qx_screenshot_document: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
