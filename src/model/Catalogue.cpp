#include "Catalogue.h"

#include "CatalogueTables.h"
#include "EditData.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <utility>

namespace qx::model {

namespace {

constexpr bool tableRowsInOrder() {
    for (int i = 0; i < SettingRowCount; ++i) {
        if (static_cast<int>(tables::SettingRanges[static_cast<std::size_t>(i)].row) != i)
            return false;
    }
    return true;
}
static_assert(tableRowsInOrder(), "setting rows must follow the row numbers");

constexpr SettingRange NoRange{};

ModelLimits limitsOf(ModelType model) {
    if (!isKnownModel(model))
        return ModelLimits{};
    return model < 5 ? tables::EarlyLimits : tables::LaterLimits;
}

std::span<const tables::KindHeights> heightTable(ModelType model) {
    if (model < 5)
        return tables::PrintHeightsEarly;
    if (model < 8)
        return tables::PrintHeightsW2;
    return tables::PrintHeightsW3;
}

std::span<const TargetEntry> targetsOf(ModelType model) {
    if (model < 0 || model >= static_cast<int>(tables::TargetsByModel.size()))
        return {};
    return tables::TargetsByModel[static_cast<std::size_t>(model)];
}

std::array<std::span<const Choice>, ChoiceListCount> choiceListsOf(ModelType model) {
    using namespace tables;
    const bool first = isFirstGeneration(model);
    const bool later = model >= 5;
    return {{
        ModelList,
        CharSizes,
        CharWidths,
        first ? std::span<const Choice>(NumberSystemsEarly) : std::span<const Choice>(NumberSystems),
        ReverseChoices,
        Directions,
        CharSpacings,
        LineSpacings,
        PitchCuts,
        first ? std::span<const Choice>(FramesEarly) : std::span<const Choice>(Frames),
        PitchModes,
        Placements,
        later ? std::span<const Choice>(SizeModes) : std::span<const Choice>(SizeModesEarly),
        first ? std::span<const Choice>() : std::span<const Choice>(SequenceOutputs),
        PrintFonts,
        Underlines,
        ZeroSlashes,
    }};
}

/// Unprintable length at each end of one piece, in tenths of a millimetre.
int endMarginTenths(const TargetSettings& target) {
    if (isTape(target.targetKind))
        return 10;
    if (isPlate(target.targetKind))
        return 5;
    if (isLabel(target.targetKind))
        return target.labelGap / 2 + 30;
    return 20;
}

} // namespace

Catalogue::Catalogue(ModelType model)
    : m_model(model), m_limits(limitsOf(model)), m_choiceLists(choiceListsOf(model)),
      m_targets(targetsOf(model)) {
    // The limits come first: the print range rows take the block limit.
    const bool later = model >= 5;
    for (std::size_t i = 0; i < m_ranges.size(); ++i)
        m_ranges[i] = later ? tables::SettingRanges[i].later : tables::SettingRanges[i].early;
    const int blocks = m_limits.blockLimit;
    if (blocks > 0) {
        m_ranges[static_cast<std::size_t>(SettingRow::FirstBlock)] = {1, blocks, 1};
        m_ranges[static_cast<std::size_t>(SettingRow::LastBlock)] = {1, blocks, blocks};
    } else {
        // A reserved model holds no limits, so there is no block to print at all.
        m_ranges[static_cast<std::size_t>(SettingRow::FirstBlock)] = {0, 0, 0};
        m_ranges[static_cast<std::size_t>(SettingRow::LastBlock)] = {0, 0, 0};
    }
}

const SettingRange& Catalogue::settingRange(SettingRow row) const {
    return settingRange(static_cast<int>(row));
}

const SettingRange& Catalogue::settingRange(int row) const {
    if (row < 0 || row >= SettingRowCount)
        return NoRange;
    return m_ranges[static_cast<std::size_t>(row)];
}

std::span<const Choice> Catalogue::choiceList(int n) const {
    if (n < 0 || n >= ChoiceListCount)
        return {};
    return m_choiceLists[static_cast<std::size_t>(n)];
}

std::span<const TargetEntry> Catalogue::targets() const {
    return m_targets;
}

std::optional<int> Catalogue::findTarget(int targetKind) const {
    for (std::size_t i = 0; i < m_targets.size(); ++i) {
        if (m_targets[i].kind == targetKind)
            return static_cast<int>(i);
    }
    return std::nullopt;
}

std::optional<int> Catalogue::findTargetSize(int targetPosition, int targetSize) const {
    if (targetPosition < 0 || static_cast<std::size_t>(targetPosition) >= m_targets.size())
        return std::nullopt;
    const auto sizes = m_targets[static_cast<std::size_t>(targetPosition)].sizes;
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        if (sizes[i].value == targetSize)
            return static_cast<int>(i);
    }
    return std::nullopt;
}

int Catalogue::kindTextId(int targetKind) const {
    // QX-780 has a single plate, so it is not told apart by thickness.
    if (targetKind == TargetKind::Plate03 && m_model == models::QX780)
        return tables::text::Plate;
    for (const auto& row : tables::KindTexts) {
        if (row.kind == targetKind)
            return isFirstGeneration(m_model) ? row.firstGeneration : row.later;
    }
    return 0;
}

int Catalogue::printHeight(const TargetSettings& target) const {
    if (isLabel(target.targetKind)) {
        const int h = (target.labelWidth * 13432 / 10 - 31671) / 1000;
        // Only a label narrower than any the dialog allows comes out negative: it has no band.
        if (h < 0)
            return -1;
        return std::min(h, tables::LabelHeightCap);
    }
    for (const auto& kindRow : heightTable(m_model)) {
        if (kindRow.kind != target.targetKind)
            continue;
        for (const auto& row : kindRow.sizes) {
            if (row.size == target.targetSize)
                return row.dots;
        }
        return -1;
    }
    return -1;
}

int Catalogue::mediumHeight(const TargetSettings& target) const {
    int tenths = target.targetSize;
    if (isTape(target.targetKind))
        tenths = target.targetSize * 10; // tape widths are whole millimetres
    else if (isLabel(target.targetKind))
        tenths = target.labelWidth;
    const int dots = tenthsToDotsRounded(tenths);
    const int band = printHeight(target);
    // A thin tube still has to show its whole band and a little edge around it.
    return dots < band ? band + 4 : dots;
}

int Catalogue::endMarginDots(const TargetSettings& target) const {
    return tenthsToDotsRounded(endMarginTenths(target));
}

int Catalogue::printableLength(const TargetSettings& target, int pitch) const {
    int margins = 40;
    if (isTape(target.targetKind))
        margins = 20;
    else if (isPlate(target.targetKind))
        margins = 10;
    else if (isLabel(target.targetKind))
        margins = target.labelGap + 60;
    return tenthsToDotsTruncated(pitch - margins);
}

GlyphCell Catalogue::sizeCell(int sizeIndex) {
    if (sizeIndex < 0 || sizeIndex >= static_cast<int>(std::size(tables::GlyphCells)))
        return {};
    return tables::GlyphCells[static_cast<std::size_t>(sizeIndex)];
}

GlyphCell Catalogue::glyphCell(const TargetSettings& target, const EditLine& line) const {
    GlyphCell cell = sizeCell(line.charSize);
    const bool vertical = target.direction == 1;
    if (vertical)
        std::swap(cell.width, cell.height);
    // Vertical text on a flat medium runs along the piece, so its width mode acts on the height.
    const bool alongPiece = vertical && target.isPitchLengthMode() && !isTube(target.targetKind);
    int& advance = alongPiece ? cell.height : cell.width;
    if (line.charWidth == tables::width::Half)
        advance = (advance + 1) / 2;
    else if (line.charWidth == tables::width::Double)
        advance = advance * 2;
    return cell;
}

int Catalogue::charGapDots(int code) {
    if (code < 0 || code >= static_cast<int>(std::size(tables::CharGapDots)))
        return tables::CharGapDots[tables::gap::Standard];
    return tables::CharGapDots[static_cast<std::size_t>(code)];
}

int Catalogue::lineGapDots(int code) {
    if (code < 0 || code >= static_cast<int>(std::size(tables::LineGapDots)))
        return tables::LineGapDots[tables::gap::Standard];
    return tables::LineGapDots[static_cast<std::size_t>(code)];
}

Spacing Catalogue::spacing(const TargetSettings& target, const EditLine& line) const {
    // With an automatic size and a given pitch the gaps belong to the chosen size, not to the
    // document's spacing settings.
    if (target.isPitchLengthMode() && target.sizeMode != 0 && target.pitchAuto == 0) {
        if (m_model < 5)
            return {charGapDots(tables::gap::Narrow), lineGapDots(tables::gap::Narrow)};
        return {charGapDots(line.autoCharSpacing), lineGapDots(line.autoLineSpacing)};
    }
    return {charGapDots(target.charSpacing), lineGapDots(target.lineSpacing)};
}

ValueRange Catalogue::pitchRange(int targetKind) const {
    SettingRow row;
    if (targetKind == TargetKind::IdPlate)
        row = SettingRow::PitchIdPlate;
    else if (isTube(targetKind))
        row = SettingRow::PitchTube;
    else if (isTape(targetKind))
        row = SettingRow::PitchTape;
    else if (isPlate(targetKind))
        row = SettingRow::PitchPlate;
    else if (isLabel(targetKind))
        row = SettingRow::PitchLabel;
    else
        return {}; // not a target kind at all
    const SettingRange& range = settingRange(row);
    return {range.lower, range.upper};
}

ValueRange Catalogue::countRange(int targetKind) const {
    const SettingRange& range =
        settingRange(isTube(targetKind) ? SettingRow::CountTube : SettingRow::CountOther);
    return {range.lower, range.upper};
}

int Catalogue::longestTotalPrintLength(int targetKind) const {
    if (isLabel(targetKind))
        return 1000;
    if (!isTube(targetKind))
        return 5000;
    return m_model < 5 ? 20000 : 100000;
}

std::span<const AutoSizeCandidate> Catalogue::autoSizeCandidates(int sizeMode) const {
    switch (sizeMode) {
    case 1:
        return tables::NormalAuto;
    case 2:
        return tables::ExtendedAuto;
    case 3:
        return tables::WidthAuto;
    default:
        return {};
    }
}

bool Catalogue::isPrintableAt24(char c) const {
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))
        return true;
    if (m_model < 5)
        return false;
    return std::ranges::any_of(tables::SymbolsAt24, [c](const auto& s) { return s.ascii == c; });
}

bool Catalogue::isPrintableAt24(std::uint16_t code) const {
    if ((code >= 0x2330 && code <= 0x2339) || (code >= 0x2341 && code <= 0x235A) ||
        (code >= 0x2361 && code <= 0x237A))
        return true;
    if (m_model < 5)
        return false;
    return std::ranges::any_of(tables::SymbolsAt24, [code](const auto& s) { return s.code == code; });
}

int tenthsToDotsRounded(int tenths) {
    const std::int64_t n = static_cast<std::int64_t>(tenths) * 1000;
    const std::int64_t magnitude = ((n < 0 ? -n : n) * 2 + 845) / (2 * 845);
    return static_cast<int>(n < 0 ? -magnitude : magnitude);
}

int tenthsToDotsTruncated(int tenths) {
    return static_cast<int>(static_cast<std::int64_t>(tenths) * 1000 / 845);
}

std::int64_t dotsToTenthsRounded(std::int64_t dots) {
    const std::int64_t n = dots * 845;
    return n < 0 ? -((-n + 500) / 1000) : (n + 500) / 1000;
}

} // namespace qx::model
