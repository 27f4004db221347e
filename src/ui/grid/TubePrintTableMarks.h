#pragma once

// Which blocks the grid paints in the error colour: the blocks the output check found at fault
// (in print-length mode the whole document when its check failed), the blocks past the printer's
// pitch table, and the blocks from which the printer's character buffer overflows.

#include "model/EditData.h"

#include <vector>

namespace qx::model {
class Catalogue;
}

namespace qx::ui {

/// Pitch-length mode only: walking the blocks in use from the first, a run starts at every block
/// whose pitch length differs from the one before (the first block starts one); every block at
/// which the run count exceeds `pitchSettingLimit` is listed.
std::vector<int> pitchWarningBlocks(const model::EditData& data, int pitchSettingLimit);

class TubePrintTableMarks final {
public:
    /// Recomputes every mark from the document and its cached check results.
    void rebuild(const model::EditData& data, const model::Catalogue& catalogue);

    /// Whether the block's cells are painted in the error colour; false beyond the blocks in use.
    [[nodiscard]] bool isMarked(int block) const {
        return block >= 0 && block < static_cast<int>(m_marked.size()) && m_marked[static_cast<std::size_t>(block)];
    }
    [[nodiscard]] const std::vector<int>& pitchWarnings() const { return m_pitchWarnings; }

private:
    std::vector<int> m_pitchWarnings;
    std::vector<bool> m_marked;
};

} // namespace qx::ui
