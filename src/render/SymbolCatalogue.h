#pragma once

// The printer symbols offered by the symbol dialog, in groups, for each printer generation. Plain
// data: no Qt.

#include "model/CharCode.h"
#include "model/ModelType.h"

#include <array>
#include <span>
#include <vector>

namespace qx::render {

/// One symbol of a group: its code and the id of the large picture the dialog shows for it.
struct SymbolCatalogueEntry {
    model::CharCode code = 0;
    int pictureId = 0;
    friend bool operator==(const SymbolCatalogueEntry&, const SymbolCatalogueEntry&) = default;
};

/// A run of consecutive codes whose picture ids run in step.
struct SymbolCodeRange {
    model::CharCode first = 0;
    model::CharCode last = 0;
    int firstPictureId = 0;
};

inline constexpr int SymbolGroupCount = 10;
inline constexpr int MaxSymbolsPerGroup = 77;

struct SymbolGroup {
    int nameId = 0; ///< string id of the group's name (40060 "数字" … 40069 "筆記体")
    std::vector<SymbolCatalogueEntry> entries;
};

/// The symbol groups of one printer generation; the models without symbols get no groups.
class SymbolCatalogue final {
public:
    explicit SymbolCatalogue(model::ModelType model);

    int groupCount() const { return static_cast<int>(m_groups.size()); }
    /// Group i; an index outside the catalogue reads as an empty group.
    const SymbolGroup& group(int i) const;
    /// The remembered group, or 0 when it names none of this catalogue's groups.
    int validGroup(int remembered) const;

private:
    std::vector<SymbolGroup> m_groups;
};

/// Every code that some catalogue offers, ascending, each once.
std::vector<model::CharCode> allCatalogueCodes();

} // namespace qx::render
