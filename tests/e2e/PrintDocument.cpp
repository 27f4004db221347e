// Writes the document the editor's print and send check prints: three short blocks on a tube,
// each within its piece. With NAME the document carries that name for a document memory, as the
// send dialog of the QX-950W3 stores it.
//
// Usage: qx_print_document OUT.QXF [NAME]
#include "formats/AtomicFile.h"
#include "formats/DocumentFile.h"
#include "model/Catalogue.h"
#include "model/EditData.h"
#include "model/OperatorSettings.h"
#include "model/TextConversion.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

int main(int argc, char** argv) {
    using namespace qx;
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: qx_print_document OUT.QXF [NAME]\n");
        return 1;
    }
    const model::Catalogue catalogue(model::models::QX950W3);
    const model::OperatorSettings settings = model::OperatorSettings::defaultsFor(catalogue);
    model::EditData data = model::createEditData(catalogue, 1);
    data.blockCount = 3;
    const std::string_view texts[] = {"ＡＢ－１", "ＡＢ－２", "端子台"};
    for (int b = 0; b < 3; ++b) {
        model::EditBlock& block = data.block(b);
        block.lines[0].chars = model::utf8ToCodes(texts[b], false).codes;
        block.lineCount = 1;
        block.count = 2;
    }
    if (argc == 3) {
        const model::CodeList name = model::utf8ToCodes(argv[2], true).codes;
        std::copy_n(name.begin(), std::min<std::size_t>(name.size(), 10), data.sendSettings.begin());
    }
    const formats::SaveDocumentResult saved = formats::saveDocumentFile(data, catalogue, settings);
    if (!saved.ok || !formats::saveFileAtomically(argv[1], saved.bytes).ok) {
        std::fprintf(stderr, "qx_print_document: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
