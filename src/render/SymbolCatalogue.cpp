#include "SymbolCatalogue.h"

#include <algorithm>

namespace qx::render {

namespace {

// Picture ids run in step with the codes inside each range.
constexpr SymbolCodeRange Circled1To40{0x2A21, 0x2A48, 227};
constexpr SymbolCodeRange CircledLetters{0x2A49, 0x2A62, 267};
constexpr SymbolCodeRange RomanNumerals{0x2A63, 0x2A68, 293};
constexpr SymbolCodeRange NegativeCircled{0x2A69, 0x2A72, 299};
constexpr SymbolCodeRange OfficeMarks{0x2A73, 0x2A79, 309};
constexpr SymbolCodeRange Units{0x2B21, 0x2B48, 316};
constexpr SymbolCodeRange Superscripts{0x2B50, 0x2B66, 356};
constexpr SymbolCodeRange Subscripts{0x2B67, 0x2B7D, 379};
constexpr SymbolCodeRange ElectricalOne{0x2C21, 0x2C3E, 402};
constexpr SymbolCodeRange ElectricalTwo{0x2C3F, 0x2C4D, 432};
constexpr SymbolCodeRange ElectricalThree{0x2C4E, 0x2C63, 447};
constexpr SymbolCodeRange ScriptLetters{0x2850, 0x2869, 201};
constexpr SymbolCodeRange Parenthesized1To16{0x2C66, 0x2C75, 636};
constexpr SymbolCodeRange Parenthesized17To20{0x2C76, 0x2C79, 720};
constexpr SymbolCodeRange Circled41To47{0x2E75, 0x2E7B, 724};
constexpr SymbolCodeRange ElectricalOneAdded{0x2846, 0x284D, 712};

enum class Generation { First, Second, Third };

constexpr int GroupNameIds[SymbolGroupCount] = {40060, 40061, 40062, 40063, 40064,
                                                40065, 40066, 40067, 40068, 40069};

void append(std::vector<SymbolCatalogueEntry>& entries, const SymbolCodeRange& range) {
    for (int code = range.first; code <= range.last; ++code)
        entries.push_back({static_cast<model::CharCode>(code), range.firstPictureId + (code - range.first)});
}

std::vector<SymbolCatalogueEntry> groupEntries(int group, Generation generation) {
    std::vector<SymbolCatalogueEntry> entries;
    switch (group) {
    case 0:
        append(entries, Circled1To40);
        if (generation == Generation::First) {
            append(entries, RomanNumerals);
            append(entries, NegativeCircled);
        } else {
            append(entries, NegativeCircled);
            append(entries, Parenthesized1To16);
            if (generation == Generation::Third) {
                append(entries, Parenthesized17To20);
                append(entries, Circled41To47);
            }
        }
        break;
    case 1: append(entries, CircledLetters); break;
    case 2: append(entries, Units); break;
    case 3: append(entries, OfficeMarks); break;
    case 4: append(entries, Superscripts); break;
    case 5: append(entries, Subscripts); break;
    case 6:
        append(entries, ElectricalOne);
        if (generation == Generation::Third)
            append(entries, ElectricalOneAdded);
        break;
    case 7: append(entries, ElectricalTwo); break;
    case 8: append(entries, ElectricalThree); break;
    case 9: append(entries, ScriptLetters); break;
    default: break;
    }
    return entries;
}

} // namespace

SymbolCatalogue::SymbolCatalogue(model::ModelType model) {
    Generation generation;
    if (model == 0 || model == 1)
        generation = Generation::First;
    else if (model == 2 || model == 3)
        generation = Generation::Second;
    else if (model == 5 || model == 6 || model == 8 || model == 9)
        generation = Generation::Third;
    else
        return;
    for (int g = 0; g < SymbolGroupCount; ++g)
        m_groups.push_back({GroupNameIds[g], groupEntries(g, generation)});
}

const SymbolGroup& SymbolCatalogue::group(int i) const {
    static const SymbolGroup Empty{};
    if (i < 0 || i >= groupCount())
        return Empty;
    return m_groups[static_cast<std::size_t>(i)];
}

int SymbolCatalogue::validGroup(int remembered) const {
    return remembered >= 0 && remembered < groupCount() ? remembered : 0;
}

std::vector<model::CharCode> allCatalogueCodes() {
    std::vector<model::CharCode> codes;
    for (const model::ModelType m : {0, 2, 5}) {
        const SymbolCatalogue catalogue(m);
        for (int g = 0; g < catalogue.groupCount(); ++g)
            for (const SymbolCatalogueEntry& e : catalogue.group(g).entries)
                codes.push_back(e.code);
    }
    std::sort(codes.begin(), codes.end());
    codes.erase(std::unique(codes.begin(), codes.end()), codes.end());
    return codes;
}

} // namespace qx::render
