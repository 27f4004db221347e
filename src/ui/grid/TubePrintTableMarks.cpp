#include "ui/grid/TubePrintTableMarks.h"

#include "model/Catalogue.h"

#include <algorithm>

namespace qx::ui {

namespace {

int blocksInUse(const model::EditData& data) { return std::clamp<int>(data.blockCount, 0, model::MaxBlocks); }

} // namespace

std::vector<int> pitchWarningBlocks(const model::EditData& data, int pitchSettingLimit) {
    std::vector<int> listed;
    if (!data.target.isPitchLengthMode()) {
        return listed;
    }
    int runs = 0;
    for (int b = 0; b < blocksInUse(data); ++b) {
        if (b == 0 || data.block(b).pitch != data.block(b - 1).pitch) {
            ++runs;
        }
        if (runs > pitchSettingLimit) {
            listed.push_back(b);
        }
    }
    return listed;
}

void TubePrintTableMarks::rebuild(const model::EditData& data, const model::Catalogue& catalogue) {
    const model::ModelLimits& limits = catalogue.limits();
    const bool pitchMode = data.target.isPitchLengthMode();
    const int used = blocksInUse(data);
    m_pitchWarnings = pitchWarningBlocks(data, limits.pitchSettingLimit);
    m_marked.assign(static_cast<std::size_t>(used), false);

    const std::vector<std::int32_t>& results = data.blockCheckResults.values;
    for (const int b : m_pitchWarnings) {
        m_marked[static_cast<std::size_t>(b)] = true;
    }
    // The printer's character buffer: each line in use costs its characters and one line code,
    // and in pitch-length mode each change of pitch one code more.
    long long characters = 0;
    for (int b = 0; b < used; ++b) {
        const model::EditBlock& block = data.block(b);
        const int lines = std::clamp<int>(block.lineCount, 0, model::MaxLines);
        for (int l = 0; l < lines; ++l) {
            characters += block.lines[static_cast<std::size_t>(l)].charCount() + 1;
        }
        if (pitchMode && (b == 0 || block.pitch != data.block(b - 1).pitch)) {
            ++characters;
        }
        bool marked = characters > limits.charLimit;
        if (pitchMode) {
            marked = marked || (static_cast<std::size_t>(b) < results.size() && results[static_cast<std::size_t>(b)] != 0);
        } else {
            marked = marked || data.printLengthCheck != 0;
        }
        if (marked) {
            m_marked[static_cast<std::size_t>(b)] = true;
        }
    }
}

} // namespace qx::ui
