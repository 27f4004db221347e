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

constexpr std::array<qx::model::ModelType, 8> Models{0, 1, 2, 3, 5, 6, 8, 9};

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

    qx::formats::CsvReader reader(csv);
    while (reader.nextRow()) {
    }

    const qx::model::Catalogue catalogue(Models[selector & 7u]);
    const qx::model::OperatorSettings settings = qx::model::OperatorSettings::defaultsFor(catalogue);
    qx::model::EditData current = qx::model::createEditData(catalogue, settings.frameGap);
    if ((selector & 8u) != 0) {
        current.target.printMode = qx::model::codes::Line1Marker;
    }
    if ((selector & 16u) != 0) {
        current.target.targetKind = qx::model::TargetKind::GeneralLabel;
    }

    // A file insert into a document of a few blocks.
    qx::model::EditData existing = current;
    existing.blockCount = 3;
    const int position = (selector >> 5) % 5 - 1; // −1 .. 3
    (void)qx::formats::mergeCsv(existing, csv, position, catalogue, settings);

    const qx::formats::MergeResult first = qx::formats::mergeCsv(current, csv, -1, catalogue, settings);
    if (!first.ok) {
        return 0;
    }
    const std::string written = qx::formats::writeCsv(first.data, catalogue.model());
    const qx::formats::MergeResult second =
        qx::formats::mergeCsv(current, bytesOf(written), -1, catalogue, settings);
    if (!second.ok || qx::formats::writeCsv(second.data, catalogue.model()) != written) {
        std::abort();
    }
    return 0;
}
