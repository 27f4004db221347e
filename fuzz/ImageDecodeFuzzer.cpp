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

/// What is the same for every input under a model, built once for the process, and the records and
/// images each check fills: decoding and encoding overwrite them whole, so they are reused rather
/// than allocated afresh for every input.
struct ModelState {
    explicit ModelState(model::ModelType m) : catalogue(m), settings(model::OperatorSettings::defaultsFor(catalogue)) {}

    model::Catalogue catalogue;
    model::OperatorSettings settings;
    model::EditData first;
    model::EditData second;
    model::EditData third;
    formats::PrinterImage encoded;
    formats::PrinterImage again;
};

void checkUnder(ModelState& state, std::span<const std::uint8_t> bytes) {
    const model::Catalogue& catalogue = state.catalogue;
    const model::OperatorSettings& settings = state.settings;

    const formats::ReadImageResult read = formats::readStoredImage(bytes, catalogue);
    if (!read.ok) {
        return;
    }
    if (!formats::decodeImage(read.image, catalogue, settings, state.first).ok) {
        return;
    }
    if (!formats::encodeImage(state.first, catalogue, settings, state.encoded).ok) {
        return; // a file may hold more than the model's limits allow
    }
    // What the encoder wrote always decodes, and from then on the document stays as it is.
    if (!formats::decodeImage(state.encoded, catalogue, settings, state.second).ok ||
        !formats::encodeImage(state.second, catalogue, settings, state.again).ok ||
        !formats::decodeImage(state.again, catalogue, settings, state.third).ok) {
        std::abort();
    }
    if (!sameRecord(state.second, state.third) || !(state.encoded == state.again)) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    // The oldest and the newest generation, and the two models whose decoder corrects targets.
    static std::array<ModelState, 4> states{ModelState(0), ModelState(1), ModelState(5), ModelState(9)};
    for (ModelState& state : states) {
        checkUnder(state, bytes);
    }
    return 0;
}
