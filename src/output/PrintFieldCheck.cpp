#include "PrintFieldCheck.h"

#include "AutoCharSize.h"
#include "BlockMeasure.h"
#include "NumberField.h"
#include "OutputValidation.h"

#include "model/Catalogue.h"
#include "model/OperatorSettings.h"
#include "model/Sequences.h"
#include "model/StringTable.h"
#include "model/TargetKind.h"

#include <algorithm>

namespace qx::output {

namespace {

using model::SettingRow;

constexpr model::CharCode FullWidthSolidus = 0x213F;

std::int16_t narrow(long long value) {
    return static_cast<std::int16_t>(std::clamp<long long>(value, INT16_MIN, INT16_MAX));
}

/// The longest run that one print job may repeat over its copies, in millimetres.
int copiesLimit(model::ModelType model, const model::TargetSettings& target) {
    if (model::isLabel(target.targetKind))
        return 1000;
    if (model::isTubeTarget(target))
        return model == model::models::QX790 ? 50000 : 100000;
    return 7000;
}

bool hasOneLineWithSolidus(const model::EditBlock& block) {
    int used = 0;
    bool solidus = false;
    for (int l = 0; l < block.lineCount && l < static_cast<int>(block.lines.size()); ++l) {
        const model::EditLine& line = block.lines[static_cast<std::size_t>(l)];
        if (line.chars.empty())
            continue;
        ++used;
        solidus = std::find(line.chars.begin(), line.chars.end(), FullWidthSolidus) != line.chars.end();
    }
    return used == 1 && solidus;
}

PrintFieldCheck refusal(const FieldCheck& field, PrintField focus) {
    PrintFieldCheck check;
    check.messageId = field.messageId;
    check.message = field.message;
    check.field = focus;
    return check;
}

PrintFieldCheck refusal(int messageId, PrintField focus, bool runTooLong) {
    PrintFieldCheck check;
    check.messageId = messageId;
    check.message = model::formatMessage(messageId);
    check.field = focus;
    check.runTooLong = runTooLong;
    return check;
}

/// The checks of one OK press, on a working copy of the options.
class Checker {
public:
    Checker(const model::Catalogue& catalogue, const model::OperatorSettings& settings,
            const model::EditData& data, const PrintOptions& opened, const PrintFieldTexts& typed)
        : m_catalogue(catalogue), m_settings(settings), m_data(data), m_typed(typed), m_options(opened),
          m_blocks(std::max(usedBlockCount(data), 1)), m_pitchLength(data.target.isPitchLengthMode()) {}

    // (a) copies, start and end block
    std::optional<PrintFieldCheck> blockFields() {
        if (!m_pitchLength)
            return std::nullopt;
        const model::SettingRange& copies = m_catalogue.settingRange(SettingRow::Copies);
        if (auto refused =
                integer(m_typed.copies, copies.lower, copies.upper, PrintField::Copies, m_options.copies))
            return refused;
        const int first = m_catalogue.settingRange(SettingRow::FirstBlock).lower;
        if (auto refused =
                integer(m_typed.startBlock, first, m_blocks, PrintField::StartBlock, m_options.startBlock))
            return refused;
        const int last = m_catalogue.settingRange(SettingRow::LastBlock).lower;
        return integer(m_typed.endBlock, last, m_blocks, PrintField::EndBlock, m_options.endBlock);
    }

    // (b) cut position
    std::optional<PrintFieldCheck> cutPosition() {
        if (!m_typed.cutPosition)
            return std::nullopt;
        const model::SettingRange& range = m_catalogue.settingRange(SettingRow::CutPosition);
        const FieldCheck field = checkTenthsField(*m_typed.cutPosition, range.lower, range.upper);
        if (!field.ok)
            return refusal(field, PrintField::CutPosition);
        m_options.cutPosAdjust = storedCutPosition(field.value);
        return std::nullopt;
    }

    // (c) vertical print position
    std::optional<PrintFieldCheck> printOffset() {
        if (!m_typed.printOffsetY)
            return std::nullopt;
        const model::SettingRange& range = m_catalogue.settingRange(SettingRow::PrintOffsetY);
        const FieldCheck field = checkIntegerField(*m_typed.printOffsetY, range.lower, range.upper);
        if (!field.ok)
            return refusal(field, PrintField::PrintOffsetY);
        m_options.prnOffsetY = storedPrintOffsetY(field.value);
        return std::nullopt;
    }

    // (d) to (g): the run chosen, its copies and its correction
    std::optional<PrintFieldCheck> run() {
        if (!m_pitchLength)
            return std::nullopt;
        if (m_options.startBlock > m_options.endBlock)
            return refusal(MsgStartAfterEnd, PrintField::StartBlock, false);
        const int first = m_options.startBlock - 1;
        const int end = m_options.endBlock;
        model::EditData counted = m_data;
        for (int b = first; b < end; ++b)
            counted.block(b).count = narrow(effectiveCount(counted.block(b), m_options.printType));
        if (checkRunLength(m_catalogue, m_settings, counted, first, end).error != OutputError::None)
            return refusal(MsgTotalLength, PrintField::None, true);
        const PrintRunTotal total =
            printRunTotal(m_catalogue, m_settings, m_data, first, end, m_options.printType);
        if (std::int64_t{copiesLimit(m_catalogue.model(), m_data.target)} * 10 <
            total.tenths * m_options.copies)
            return refusal(MsgCopiesTotalLength, PrintField::Copies, true);
        if (m_data.target.pitchAuto == 1 || !m_typed.revision)
            return std::nullopt;
        const model::SettingRange& range = m_catalogue.settingRange(SettingRow::LengthRevision);
        const auto upper = static_cast<int>(std::min<std::int64_t>(range.upper, total.tenths * 5 / 100));
        const auto lower = static_cast<int>(std::max<std::int64_t>(range.lower, -3 * total.pieces));
        // The QX-790's dialog compares the typed millimetres; the later ones their tenths.
        const TenthsComparison comparison = m_catalogue.model() == model::models::QX790
                                                ? TenthsComparison::Exact
                                                : TenthsComparison::Truncated;
        const FieldCheck field = checkTenthsField(*m_typed.revision, lower, upper, comparison);
        if (!field.ok)
            return refusal(field, PrintField::Revision);
        m_options.revision = storedRevision(field.value);
        return std::nullopt;
    }

    PrintFieldCheck passed() const {
        PrintFieldCheck check;
        check.ok = true;
        check.options = m_options;
        return check;
    }

private:
    std::optional<PrintFieldCheck> integer(const std::optional<std::string>& text, int lower, int upper,
                                           PrintField focus, std::int16_t& target) {
        if (!text)
            return std::nullopt;
        const FieldCheck field = checkIntegerField(*text, lower, upper);
        if (!field.ok)
            return refusal(field, focus);
        target = narrow(field.value);
        return std::nullopt;
    }

    const model::Catalogue& m_catalogue;
    const model::OperatorSettings& m_settings;
    const model::EditData& m_data;
    const PrintFieldTexts& m_typed;
    PrintOptions m_options;
    int m_blocks;
    bool m_pitchLength;
};

} // namespace

int effectiveCount(const model::EditBlock& block, int printType) {
    const bool twice = printType == 1 || ((printType == 2 || printType == 3) && hasOneLineWithSolidus(block));
    return twice ? block.count * 2 : block.count;
}

PrintOptions printDialogStart(const model::Catalogue& catalogue, model::ModelType model,
                              const model::EditData& data, PrintOptions current) {
    PrintOptions o = current;
    o.printSelect = 1;
    o.startBlock = 1;
    o.endBlock = narrow(std::max(usedBlockCount(data), 1));
    o.copies = 1;
    o.revision = storedRevision(catalogue.settingRange(SettingRow::LengthRevision).defaultValue);
    if (model >= 2 && !model::isTubeTarget(data.target))
        o.lowTempMode = 0;
    return o;
}

PrintRunTotal printRunTotal(const model::Catalogue& catalogue, const model::OperatorSettings& settings,
                            const model::EditData& data, int first, int end, int printType) {
    const model::TargetSettings& target = data.target;
    PrintRunTotal total;
    if (target.pitchAuto != 1) {
        for (int b = first; b < end; ++b) {
            const model::EditBlock& block = data.block(b);
            const std::int64_t pieces =
                std::int64_t{model::blockPieceCount(block)} * effectiveCount(block, printType);
            total.tenths += pieces * block.pitch;
            total.pieces += pieces;
        }
        return total;
    }
    // AUTO pitch: every piece is as long as its text with margins, at least the default pitch.
    const int minimumTenths = model::isTubeTarget(target) ? settings.pitchLenTube : settings.pitchLenTape;
    const std::int64_t minimum = model::tenthsToDotsRounded(minimumTenths);
    std::int64_t dots = 0;
    for (int b = first; b < end; ++b) {
        model::EditBlock resolved = data.block(b);
        ResolveAutoCharSize(catalogue, target, resolved, NoPiece);
        const BlockExtent margins = autoPitchMargins(catalogue, target, resolved);
        std::int64_t blockDots = 0;
        for (const PieceRun& run : measurePieceRuns(catalogue, target, resolved)) {
            const std::int64_t piece = std::max<std::int64_t>(run.extent.length + margins.length, minimum);
            blockDots += piece * run.pieceCount;
        }
        dots += blockDots * effectiveCount(resolved, printType);
        total.pieces += std::int64_t{model::blockPieceCount(resolved)} * effectiveCount(resolved, printType);
    }
    total.tenths = model::dotsToTenthsRounded(dots);
    return total;
}

PrintFieldCheck checkPrintFields(const model::Catalogue& catalogue, const model::OperatorSettings& settings,
                                 const model::EditData& data, const PrintOptions& opened,
                                 const PrintFieldTexts& typed) {
    Checker checker(catalogue, settings, data, opened, typed);
    if (catalogue.model() == model::models::QX790) {
        if (auto refused = checker.blockFields())
            return *refused;
        if (auto refused = checker.run())
            return *refused;
        if (auto refused = checker.cutPosition())
            return *refused;
        if (auto refused = checker.printOffset())
            return *refused;
        return checker.passed();
    }
    for (auto step : {&Checker::blockFields, &Checker::cutPosition, &Checker::printOffset, &Checker::run}) {
        if (auto refused = (checker.*step)())
            return *refused;
    }
    return checker.passed();
}

} // namespace qx::output
