#pragma once

// The documents the widget benchmarks work on.

#include "model/EditData.h"

namespace benchdata {

namespace model = qx::model;

/// 999 blocks of four lines of twenty characters, a sequence number in every tenth block and two
/// printer symbols (circled numbers, units) in every third.
inline model::EditData fullDocument(const model::Catalogue& catalogue) {
    model::EditData data = model::createEditData(catalogue, 1);
    data.blockCount = model::MaxBlocks;
    for (int b = 0; b < model::MaxBlocks; ++b) {
        model::EditBlock& block = data.block(b);
        block.lineCount = model::MaxLines;
        block.pitch = static_cast<std::int16_t>(300 + b % 7);
        for (int l = 0; l < model::MaxLines; ++l) {
            block.lines[static_cast<std::size_t>(l)].chars.assign(
                20, static_cast<model::CharCode>(0x2341 + (b + l) % 26));
            block.lines[static_cast<std::size_t>(l)].charSize = 1;
        }
        if (b % 10 == 0) {
            block.lines[0].chars[5] = model::codes::SequenceMarker;
            block.appendSequence(model::tagSEQ_V900{1, 3, 1, 100, 0, 0});
        }
        if (b % 3 == 0) {
            block.lines[1].chars[8] = static_cast<model::CharCode>(0x2A21 + b % 40);
            block.lines[2].chars[12] = static_cast<model::CharCode>(0x2B21 + b % 40);
        }
    }
    return data;
}

} // namespace benchdata
