#pragma once

#include "formats/DocumentFile.h"
#include "model/Catalogue.h"
#include "model/OperatorSettings.h"

#include <cstdint>
#include <vector>

namespace qx::app::torture {

/// The two documents the torture writer writes by turns: every block of the model filled, so a
/// copy is as large as a copy gets, and the two differ in every block.
inline std::vector<std::uint8_t> tortureImage(int which) {
    const model::Catalogue catalogue(model::models::QX950W3);
    model::EditData data = model::createEditData(catalogue, 1);
    data.blockCount = static_cast<std::int16_t>(catalogue.limits().blockLimit);
    for (int b = 0; b < data.blockCount; ++b) {
        const auto letter = static_cast<model::CharCode>(0x2341 + (b + which) % 26);
        data.line(b, 0).chars = {letter, static_cast<model::CharCode>(0x2330 + which)};
        data.block(b).lineCount = 1;
        data.block(b).count = static_cast<std::int16_t>(1 + which);
    }
    return formats::saveDocumentFile(data, catalogue, model::OperatorSettings::defaultsFor(catalogue)).bytes;
}

} // namespace qx::app::torture
