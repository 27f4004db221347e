// CSV reading and merging on arbitrary bytes. The first byte chooses the model, the mode and the
// insert position; the rest is the file. Besides never crashing, a document read from CSV must
// survive a write and a second read unchanged: writing it again gives the same bytes.

#include "formats/CsvFile.h"
#include "formats/CsvMerge.h"
#include "model/Catalogue.h"
#include "model/EditData.h"
#include "model/OperatorSettings.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

namespace {

using namespace qx;

constexpr std::array<model::ModelType, 8> Models{0, 1, 2, 3, 5, 6, 8, 9};
constexpr std::size_t Variants = 4; // pitch-length or print-length mode, tube or general label

/// What is the same for every input of a model: its catalogue, the operator's defaults and the
/// documents merged into, built once for the process.
struct ModelState {
    explicit ModelState(model::ModelType m)
        : catalogue(m), settings(model::OperatorSettings::defaultsFor(catalogue)) {
        for (std::size_t v = 0; v < Variants; ++v) {
            model::EditData& fresh = documents[v];
            fresh = model::createEditData(catalogue, settings.frameGap);
            if ((v & 1u) != 0) {
                fresh.target.printMode = model::codes::Line1Marker;
            }
            if ((v & 2u) != 0) {
                fresh.target.targetKind = model::TargetKind::GeneralLabel;
            }
            // A file insert goes into a document of a few blocks.
            withBlocks[v] = fresh;
            withBlocks[v].blockCount = 3;
        }
    }

    model::Catalogue catalogue;
    model::OperatorSettings settings;
    std::array<model::EditData, Variants> documents;
    std::array<model::EditData, Variants> withBlocks;
};

const ModelState& stateOf(std::size_t index) {
    static const std::array<ModelState, Models.size()> states{
        ModelState(Models[0]), ModelState(Models[1]), ModelState(Models[2]), ModelState(Models[3]),
        ModelState(Models[4]), ModelState(Models[5]), ModelState(Models[6]), ModelState(Models[7])};
    return states[index];
}

std::span<const std::uint8_t> bytesOf(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::uint8_t selector = data[0];
    const std::span<const std::uint8_t> csv(data + 1, size - 1);

    formats::CsvReader reader(csv);
    while (reader.nextRow()) {
    }

    const ModelState& state = stateOf(selector & 7u);
    const std::size_t variant = (selector >> 3) & 3u;
    const model::EditData& current = state.documents[variant];

    // The merged records reuse their storage from input to input: a fresh 999-block record per
    // merge would cost more than the merge itself.
    static formats::MergeResult inserted;
    static formats::MergeResult first;
    static formats::MergeResult second;

    const int position = (selector >> 5) % 5 - 1; // −1 .. 3
    formats::mergeCsv(state.withBlocks[variant], csv, position, state.catalogue, state.settings, inserted);

    formats::mergeCsv(current, csv, -1, state.catalogue, state.settings, first);
    if (!first.ok) {
        return 0;
    }
    const std::string written = formats::writeCsv(first.data, state.catalogue.model());
    formats::mergeCsv(current, bytesOf(written), -1, state.catalogue, state.settings, second);
    if (!second.ok || formats::writeCsv(second.data, state.catalogue.model()) != written) {
        std::abort();
    }
    return 0;
}
