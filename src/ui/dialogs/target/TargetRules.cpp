#include "ui/dialogs/target/TargetRules.h"

#include "model/OperatorSettings.h"
#include "model/Sequences.h"
#include "model/StringTable.h"
#include "model/TargetChoice.h"
#include "model/TargetKind.h"
#include "output/Prompter.h"

#include <algorithm>
#include <cstdint>

namespace qx::ui {

using model::SettingRow;
namespace TargetKind = model::TargetKind;

namespace {

// List numbers of the catalogue's choice lists that the dialog shows.
constexpr int ListCharSize = 1;
constexpr int ListCharWidth = 2;
constexpr int ListReverse = 4;
constexpr int ListDirection = 5;
constexpr int ListCharSpacing = 6;
constexpr int ListLineSpacing = 7;
constexpr int ListPitchCut = 8;
constexpr int ListFrame = 9;
constexpr int ListPitchAuto = 10;
constexpr int ListPlacement = 11;
constexpr int ListSizeMode = 12;
constexpr int ListPrintFont = 14;
constexpr int ListUnderline = 15;

// Stored values of the cut marks and size modes that the rules name.
constexpr int CutNone = 0;
constexpr int CutHalf = 1;
constexpr int CutSolid = 2;
constexpr int CutDotted = 3;
constexpr int SizeModeSpecified = 0;
constexpr int SizeModeWidthAuto = 3;
constexpr int PitchSpecified = 0;

std::string integerText(int value) {
    return std::to_string(value);
}

bool listHas(std::span<const model::Choice> list, int value) {
    return std::any_of(list.begin(), list.end(),
                       [value](const model::Choice& c) { return c.value == value; });
}

/// The value itself when the list offers it, else the row's default, else the list's first value.
int listValueOr(const model::Catalogue& catalogue, int list, int value, SettingRow fallbackRow) {
    const auto choices = catalogue.choiceList(list);
    if (choices.empty() || listHas(choices, value)) {
        return value;
    }
    const int fallback = catalogue.settingRange(fallbackRow).defaultValue;
    return listHas(choices, fallback) ? fallback : choices.front().value;
}

/// The frame spacing combo of the V9 family offers the frame list's entries that draw a frame.
bool isFrameSpacing(const model::Catalogue& catalogue, int value) {
    return value >= 1 && listHas(catalogue.choiceList(ListFrame), value);
}

/// Reads one integer field against its row; on failure fills `result` with 42040.
std::optional<int> takeInteger(const model::Catalogue& catalogue, const std::string& text, SettingRow row,
                               TargetField field, TargetValidation& result) {
    const model::SettingRange& range = catalogue.settingRange(row);
    const output::FieldCheck check = output::checkIntegerField(text, range.lower, range.upper);
    if (check.ok) {
        return check.value;
    }
    result.field = field;
    result.messageId = check.messageId;
    result.message = check.message;
    return std::nullopt;
}

/// Reads one label field in tenths against its row; on failure fills `result` with 42041.
std::optional<int> takeTenths(const model::Catalogue& catalogue, const std::string& text, SettingRow row,
                              TargetField field, TargetValidation& result) {
    const model::SettingRange& range = catalogue.settingRange(row);
    const output::FieldCheck check =
        output::checkTenthsField(text, range.lower, range.upper, output::TenthsComparison::Truncated);
    if (check.ok) {
        return check.value;
    }
    result.field = field;
    result.messageId = check.messageId;
    result.message = check.message;
    return std::nullopt;
}

std::int16_t narrow(int value) {
    return static_cast<std::int16_t>(std::clamp(value, -32768, 32767));
}

} // namespace

// ---- Numeric fields --------------------------------------------------------------------------

// ---- Variants and opening values ------------------------------------------------------------

TargetDlgVariant targetDlgVariant(model::ModelType model) {
    if (model::isFirstGeneration(model)) {
        return TargetDlgVariant::FirstGeneration;
    }
    if (model < 5) {
        return TargetDlgVariant::V9;
    }
    return model < 8 ? TargetDlgVariant::V12 : TargetDlgVariant::V14;
}

TargetDlgInitial targetDlgInitial(const model::EditData& data, const model::OperatorSettings& settings,
                                  bool newDocument, const LabelValues& stored) {
    TargetDlgInitial initial;
    const model::TargetSettings& t = data.target;
    if (newDocument) {
        initial.frameSpacing = settings.frameGap;
        initial.printFont = settings.printFont;
        initial.zeroSlash = settings.zeroSlash;
    } else {
        initial.frameSpacing = t.frame >= 1 ? t.frame : t.frameGap;
        initial.printFont = t.printFont;
        initial.zeroSlash = t.zeroSlash;
    }
    if (t.targetKind == TargetKind::GeneralLabel) {
        initial.label = {t.labelWidth, t.labelLength, t.labelGap};
    } else {
        initial.label = stored;
    }
    return initial;
}

TargetRules::TargetRules(const model::Catalogue& catalogue)
    : TargetRules(catalogue, targetDlgVariant(catalogue.model())) {}

TargetRules::TargetRules(const model::Catalogue& catalogue, TargetDlgVariant variant)
    : m_catalogue(catalogue), m_variant(variant) {}

std::span<const model::TargetSize> TargetRules::sizesOf(int targetIndex) const {
    const auto targets = m_catalogue.targets();
    if (targetIndex < 0 || targetIndex >= static_cast<int>(targets.size())) {
        return {};
    }
    return targets[static_cast<std::size_t>(targetIndex)].sizes;
}

int TargetRules::kindOf(const TargetForm& form) const {
    const auto targets = m_catalogue.targets();
    if (form.targetIndex < 0 || form.targetIndex >= static_cast<int>(targets.size())) {
        return -1;
    }
    return targets[static_cast<std::size_t>(form.targetIndex)].kind;
}

int TargetRules::sizeOf(const TargetForm& form) const {
    const auto sizes = sizesOf(form.targetIndex);
    if (form.sizeIndex < 0 || form.sizeIndex >= static_cast<int>(sizes.size())) {
        return -1;
    }
    return sizes[static_cast<std::size_t>(form.sizeIndex)].value;
}

TargetForm TargetRules::openingForm(const model::TargetSettings& target,
                                    const TargetDlgInitial& initial) const {
    const model::Catalogue& c = m_catalogue;
    TargetForm form;

    // A kind the model does not offer (a document made for another model) falls back to the first
    // target and its first size on every model; a size missing from an offered target selects
    // nothing on the V9 family, so the operator has to choose one.
    if (const auto position = c.findTarget(target.targetKind)) {
        form.targetIndex = *position;
        if (const auto size = c.findTargetSize(*position, target.targetSize)) {
            form.sizeIndex = *size;
        } else if (!isV9Family(m_variant) && !sizesOf(*position).empty()) {
            form.sizeIndex = 0;
        }
    } else if (!c.targets().empty()) {
        form.targetIndex = 0;
        form.sizeIndex = sizesOf(0).empty() ? -1 : 0;
    }

    form.printLengthMode = target.isPrintLengthMode();
    form.pitchAuto = listValueOr(c, ListPitchAuto, target.pitchAuto, SettingRow::PitchAuto);
    form.printLengthAuto = target.printLength == 0;
    form.printLengthText = integerText(form.printLengthAuto ? c.settingRange(SettingRow::PrintLength).lower
                                                            : target.printLength);
    form.printCountText = integerText(target.printCount);
    form.leftMarginText = integerText(target.leftMargin);
    form.rightMarginText = integerText(target.rightMargin);
    form.sizeMode = listValueOr(c, ListSizeMode, target.sizeMode, SettingRow::SizeMode);
    form.placement = listValueOr(c, ListPlacement, target.placement, SettingRow::Placement);
    form.direction = listValueOr(c, ListDirection, target.direction, SettingRow::Direction);
    form.charSpacing = listValueOr(c, ListCharSpacing, target.charSpacing, SettingRow::CharSpacing);
    form.lineSpacing = listValueOr(c, ListLineSpacing, target.lineSpacing, SettingRow::LineSpacing);
    form.pitchCut = listValueOr(c, ListPitchCut, target.pitchCut, SettingRow::PitchCut);

    form.frameOn = target.frame > 0;
    if (isV9Family(m_variant)) {
        form.frameSpacing = isFrameSpacing(c, target.frame) ? target.frame : 0;
        // A stored spacing outside the list would leave "あり" without a spacing.
        form.rememberedFrameSpacing = isFrameSpacing(c, initial.frameSpacing)
                                          ? initial.frameSpacing
                                          : c.settingRange(SettingRow::FrameGap).defaultValue;
        const LabelValues& label = initial.label;
        form.labelWidthText = formatTenths(label.width);
        form.labelLengthText = formatTenths(label.length);
        form.labelGapText = formatTenths(label.gap);
    }
    if (m_variant == TargetDlgVariant::V12 || m_variant == TargetDlgVariant::V14) {
        const auto sizes = c.choiceList(ListCharSize);
        form.autoTextSize = listHas(sizes, target.autoTextSize) ? target.autoTextSize : -1;
        form.rememberedAutoTextSize = form.autoTextSize;
        form.printFont = listValueOr(c, ListPrintFont, initial.printFont, SettingRow::PrintFont);
    }
    if (m_variant == TargetDlgVariant::V14) {
        form.zeroSlash = initial.zeroSlash > 0 ? 1 : 0;
    }
    return form;
}

// ---- Enabling rules -------------------------------------------------------------------------

TargetEnabling TargetRules::apply(TargetForm& form) const {
    if (m_variant == TargetDlgVariant::FirstGeneration) {
        return applyFirstGenerationRules(form);
    }
    TargetEnabling enabling = applyFamilyRules(form);
    if (m_variant != TargetDlgVariant::V9) {
        applyWidthAutoRule(form, enabling);
    }
    return enabling;
}

TargetEnabling TargetRules::applyFirstGenerationRules(TargetForm& form) const {
    const int kind = kindOf(form);
    const int size = sizeOf(form);
    const bool pitch = !form.printLengthMode;
    TargetEnabling e;
    e.printLengthMode = true;
    e.pitchAuto = e.pitchSpecified = pitch;
    e.autoSizeModes = pitch;
    e.halfCut = e.solidLine = e.dottedLine = e.noCut = pitch;
    e.printLengthGroup = !pitch;
    e.printLengthEdit = !pitch && !form.printLengthAuto;
    if (!pitch) {
        form.sizeMode = SizeModeSpecified;
        if (model::isPlate(kind) || size > 59) {
            form.pitchCut = CutDotted;
            e.dottedLine = true;
        } else {
            form.pitchCut = CutHalf;
            e.halfCut = true;
        }
    } else {
        if (model::isPlate(kind)) {
            if (form.pitchCut == CutHalf) {
                form.pitchCut = CutSolid;
            }
            e.halfCut = false;
        }
        // The QX-790 prints tape only at the size chosen per line.
        if (model::isTape(kind) && m_catalogue.model() == model::models::QX790) {
            form.sizeMode = SizeModeSpecified;
            e.autoSizeModes = false;
        }
    }
    return e;
}

TargetEnabling TargetRules::applyFamilyRules(TargetForm& form) const {
    const int kind = kindOf(form);
    const int size = sizeOf(form);
    const bool label = model::isLabel(kind);
    TargetEnabling e;

    // 1. Labels are printed in pitch-length mode only.
    e.printLengthMode = !label;
    if (label) {
        form.printLengthMode = false;
    }
    const bool pitch = !form.printLengthMode;

    // 2, 3. A label's pitch follows its dimensions, so it is always specified.
    e.pitchSpecified = pitch;
    e.pitchAuto = pitch && !label;
    if (label && pitch) {
        form.pitchAuto = PitchSpecified;
    }

    // 4. Print-length mode prints every line at the size chosen for it.
    e.autoSizeModes = pitch;
    if (!pitch) {
        form.sizeMode = SizeModeSpecified;
    }

    // 5, 6.
    e.printLengthGroup = !pitch;
    e.printLengthEdit = !pitch && !form.printLengthAuto;

    // 7. Half cut: never on plates and labels; in print-length mode only on media thin enough.
    bool halfAllowed = !(kind >= TargetKind::Plate03 && kind <= TargetKind::GeneralLabel);
    if (!pitch) {
        halfAllowed =
            halfAllowed && (kind == TargetKind::KavTube || kind == TargetKind::KavgTube || size < 66);
    }
    const bool halfBlocked =
        (kind == TargetKind::GeneralTube && size == 80) || (kind == TargetKind::HeatShrinkTube && size == 68);
    e.halfCut = halfAllowed && !halfBlocked;
    if (!pitch && halfAllowed) {
        form.pitchCut = CutHalf;
    }

    // 8. Solid line.
    e.solidLine = !label && pitch;
    if (model::isPlate(kind) && pitch && form.pitchCut == CutHalf) {
        form.pitchCut = CutSolid;
    }

    // 9. Dotted line: what print-length mode uses where a half cut is not allowed.
    if (!pitch && !halfAllowed) {
        form.pitchCut = CutDotted;
        e.dottedLine = true;
    } else {
        e.dottedLine = pitch && !label;
    }

    // 10. Labels are separated by their gap, not by a cut mark.
    if (label) {
        form.pitchCut = CutNone;
        e.noCut = true;
    } else {
        e.noCut = pitch;
    }

    // 11. The spacing combo keeps the spacing while the frame is off.
    if (!form.frameOn) {
        if (form.frameSpacing > 0) {
            form.rememberedFrameSpacing = form.frameSpacing;
        }
        form.frameSpacing = 0;
        e.frameSpacing = false;
    } else {
        e.frameSpacing = true;
        if (form.frameSpacing == 0) {
            form.frameSpacing = form.rememberedFrameSpacing;
        }
    }

    e.labelFields = kind == TargetKind::GeneralLabel;
    return e;
}

void TargetRules::applyWidthAutoRule(TargetForm& form, TargetEnabling& enabling) {
    if (form.sizeMode == SizeModeWidthAuto) {
        enabling.autoTextSize = true;
        if (form.autoTextSize < 0) {
            form.autoTextSize = form.rememberedAutoTextSize;
        }
    } else {
        if (form.autoTextSize >= 0) {
            form.rememberedAutoTextSize = form.autoTextSize;
        }
        form.autoTextSize = -1;
        enabling.autoTextSize = false;
    }
}

void TargetRules::targetChanged(TargetForm& form, int targetIndex) const {
    form.targetIndex = targetIndex;
    form.sizeIndex = sizesOf(targetIndex).empty() ? -1 : 0;
}

bool TargetRules::canConfirm(const TargetForm& form) const {
    const int kind = kindOf(form);
    return kind >= 0 && (kind == TargetKind::GeneralLabel || sizeOf(form) >= 0);
}

void TargetRules::sizeChanged(TargetForm& form, int sizeIndex) const {
    form.sizeIndex = sizeIndex;
    if (isV9Family(m_variant)) {
        const int kind = kindOf(form);
        const int size = sizeOf(form);
        // These tubes are too thick for a half cut: the dotted line marks the pieces instead.
        if (((kind == TargetKind::KavTube || kind == TargetKind::GeneralTube) && size == 80) ||
            (kind == TargetKind::HeatShrinkTube && size == 68)) {
            form.pitchCut = CutDotted;
        }
    }
}

// ---- OK ---------------------------------------------------------------------------------------

TargetValidation TargetRules::validate(const TargetForm& form, const model::TargetSettings& original) const {
    const model::Catalogue& c = m_catalogue;
    TargetValidation result;
    model::TargetSettings s = original;

    const int kind = kindOf(form);
    if (kind < 0) {
        result.field = TargetField::Target;
        return result;
    }
    const bool generalLabel = kind == TargetKind::GeneralLabel;
    if (!generalLabel && sizeOf(form) < 0) {
        result.field = TargetField::Size;
        return result;
    }
    s.targetKind = narrow(kind);
    s.targetSize = generalLabel ? std::int16_t{0} : narrow(sizeOf(form));

    if (generalLabel && isV9Family(m_variant)) {
        const auto width =
            takeTenths(c, form.labelWidthText, SettingRow::LabelWidth, TargetField::LabelWidth, result);
        if (!width) {
            return result;
        }
        const auto length =
            takeTenths(c, form.labelLengthText, SettingRow::LabelLength, TargetField::LabelLength, result);
        if (!length) {
            return result;
        }
        const auto gap =
            takeTenths(c, form.labelGapText, SettingRow::LabelGap, TargetField::LabelGap, result);
        if (!gap) {
            return result;
        }
        s.labelWidth = narrow(*width);
        s.labelLength = narrow(*length);
        s.labelGap = narrow(*gap);
    }

    s.printMode = form.printLengthMode ? model::codes::Line1Marker : model::codes::PitchGroupMarker;
    s.pitchAuto = narrow(form.pitchAuto);

    if (form.printLengthMode) {
        int printLength = 0;
        if (!form.printLengthAuto) {
            const auto v = takeInteger(c, form.printLengthText, SettingRow::PrintLength,
                                       TargetField::PrintLength, result);
            if (!v) {
                return result;
            }
            printLength = *v;
        }
        const auto count =
            takeInteger(c, form.printCountText, SettingRow::CountTube, TargetField::PrintCount, result);
        if (!count) {
            return result;
        }
        const auto left =
            takeInteger(c, form.leftMarginText, SettingRow::LeftMargin, TargetField::LeftMargin, result);
        if (!left) {
            return result;
        }
        const auto right =
            takeInteger(c, form.rightMarginText, SettingRow::RightMargin, TargetField::RightMargin, result);
        if (!right) {
            return result;
        }
        // The printer needs at least 6 mm between the margins to print anything.
        if (printLength != 0 && printLength - *left - *right < 6) {
            result.field = TargetField::PrintLength;
            result.messageId = targetMessages::MarginsTooLarge;
            result.message = std::string(model::messageText(targetMessages::MarginsTooLarge));
            return result;
        }
        s.printLength = narrow(printLength);
        s.printCount = narrow(*count);
        s.leftMargin = narrow(*left);
        s.rightMargin = narrow(*right);
        s.placement = narrow(form.placement);
    }

    s.sizeMode = narrow(form.sizeMode);
    s.direction = narrow(form.direction);
    s.charSpacing = narrow(form.charSpacing);
    s.lineSpacing = narrow(form.lineSpacing);
    s.pitchCut = narrow(form.pitchCut);

    if (isV9Family(m_variant)) {
        s.frame = narrow(form.frameOn ? form.frameSpacing : 0);
    } else {
        s.frame = form.frameOn ? std::int16_t{1} : std::int16_t{0};
    }
    if (m_variant == TargetDlgVariant::V12 || m_variant == TargetDlgVariant::V14) {
        if (form.autoTextSize >= 0) {
            s.autoTextSize = static_cast<std::uint8_t>(form.autoTextSize);
        }
        s.printFont = narrow(form.printFont);
    }
    if (m_variant == TargetDlgVariant::V14) {
        s.zeroSlash = narrow(form.zeroSlash);
    }

    result.ok = true;
    result.settings = s;
    return result;
}

// ---- After OK -----------------------------------------------------------------------------------

bool applyConfirmedTarget(model::EditData& data, const model::TargetSettings& confirmed,
                          const model::Catalogue& catalogue, const model::OperatorSettings& settings,
                          bool newDocument, output::Prompter& prompter) {
    const bool reduced = model::applyChosenTarget(data, confirmed, catalogue, settings, newDocument);
    if (reduced) {
        prompter.show(targetMessages::SequencesReduced);
    }
    return reduced;
}

// ---- Bulk change ------------------------------------------------------------------------------

PackageItemSpec packageItemSpec(PackageItem item, int targetKind, const model::Catalogue& catalogue,
                                const model::OperatorSettings& settings) {
    PackageItemSpec entry;
    const auto rowRange = [&catalogue](SettingRow row) {
        const model::SettingRange& r = catalogue.settingRange(row);
        return model::ValueRange{r.lower, r.upper};
    };
    switch (item) {
    case PackageItem::CharSize:
        entry.nameId = 40047;
        entry.listIndex = ListCharSize;
        entry.initial = settings.textSize;
        break;
    case PackageItem::CharWidth:
        entry.nameId = 40048;
        entry.listIndex = ListCharWidth;
        entry.initial = settings.textWidth;
        break;
    case PackageItem::Count: {
        const bool tube = model::isTube(targetKind);
        entry.nameId = 40049;
        entry.unitId = 40053;
        entry.range = rowRange(tube ? SettingRow::CountTube : SettingRow::CountOther);
        entry.initial = tube ? settings.numberTube : settings.numberTape;
        break;
    }
    case PackageItem::Pitch: {
        const bool tapeLike = model::isTape(targetKind) || targetKind == TargetKind::IdPlate;
        entry.nameId = 40050;
        entry.unitId = 40052;
        entry.decimals = 1;
        if (tapeLike) {
            entry.range = rowRange(SettingRow::PitchTape);
        } else if (model::isPlate(targetKind)) {
            entry.range = rowRange(SettingRow::PitchPlate);
        } else {
            entry.range = rowRange(SettingRow::PitchTube);
        }
        entry.initial = tapeLike || model::isPlate(targetKind) ? settings.pitchLenTape : settings.pitchLenTube;
        break;
    }
    case PackageItem::Underline:
        entry.nameId = 43060;
        entry.listIndex = ListUnderline;
        entry.initial = catalogue.settingRange(SettingRow::Underline).defaultValue;
        break;
    case PackageItem::Reverse:
        entry.nameId = 40051;
        entry.listIndex = ListReverse;
        entry.initial = catalogue.settingRange(SettingRow::Reverse).defaultValue;
        break;
    }
    return entry;
}

PackageValue parsePackageValue(const PackageItemSpec& entry, std::string_view text) {
    PackageValue result;
    const std::optional<int> value =
        entry.decimals == 1 ? parseTenthsText(text) : parseStrictIntegerText(text);
    if (value && *value >= entry.range.lower && *value <= entry.range.upper) {
        result.ok = true;
        result.value = *value;
        return result;
    }
    if (entry.decimals == 1) {
        result.messageId = targetMessages::DecimalRange;
        result.message = decimalRangeMessage(entry.range.lower, entry.range.upper);
    } else {
        result.messageId = targetMessages::IntegerRange;
        result.message = integerRangeMessage(entry.range.lower, entry.range.upper);
    }
    return result;
}

} // namespace qx::ui
