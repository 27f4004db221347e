// Stored printer images from outside: reading, decoding and re-encoding must never crash, and once a
// decoded document has been encoded, decoding and encoding it again changes nothing.

#include "formats/ImageCodec.h"
#include "model/Catalogue.h"
#include "model/OperatorSettings.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <span>

namespace {

using namespace qx;

bool sameRecord(const model::EditData& a, const model::EditData& b) {
    return a.target == b.target && a.blockCount == b.blockCount && a.blocks == b.blocks &&
           a.extraSettings == b.extraSettings && a.sendSettings == b.sendSettings;
}

void checkUnder(model::ModelType modelType, std::span<const std::uint8_t> bytes) {
    static const std::array<model::Catalogue, 11> catalogues{
        model::Catalogue(0), model::Catalogue(1), model::Catalogue(2), model::Catalogue(3),
        model::Catalogue(4), model::Catalogue(5), model::Catalogue(6), model::Catalogue(7),
        model::Catalogue(8), model::Catalogue(9), model::Catalogue(10)};
    const model::Catalogue& catalogue = catalogues[static_cast<std::size_t>(modelType)];
    const model::OperatorSettings settings = model::OperatorSettings::defaultsFor(catalogue);

    const formats::ReadImageResult read = formats::readStoredImage(bytes, catalogue);
    if (!read.ok) {
        return;
    }
    model::EditData first;
    if (!formats::decodeImage(read.image, catalogue, settings, first).ok) {
        return;
    }
    formats::PrinterImage encoded;
    if (!formats::encodeImage(first, catalogue, settings, encoded).ok) {
        return; // a file may hold more than the model's limits allow
    }
    // What the encoder wrote always decodes, and from then on the document stays as it is.
    model::EditData second;
    formats::PrinterImage again;
    model::EditData third;
    if (!formats::decodeImage(encoded, catalogue, settings, second).ok ||
        !formats::encodeImage(second, catalogue, settings, again).ok ||
        !formats::decodeImage(again, catalogue, settings, third).ok) {
        std::abort();
    }
    if (!sameRecord(second, third) || !(encoded == again)) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    // The oldest and the newest generation, and the two models whose decoder corrects targets.
    for (model::ModelType m : {0, 1, 5, 9}) {
        checkUnder(m, bytes);
    }
    return 0;
}
