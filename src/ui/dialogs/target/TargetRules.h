#pragma once

#include "model/Catalogue.h"
#include "model/EditData.h"
#include "model/ModelType.h"
#include "output/NumberField.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace qx::model {
struct OperatorSettings;
}

namespace qx::output {
class Prompter;
}

namespace qx::ui {

// ---- Numeric fields --------------------------------------------------------------------------

/// Message ids of the numeric fields and of the target dialog.
namespace targetMessages {
inline constexpr int IntegerRange = 42040;     ///< "%d～%dの範囲で設定してください。"
inline constexpr int DecimalRange = 42041;     ///< "%.1f～%.1fの範囲で設定してください。"
inline constexpr int MarginsTooLarge = 42029;  ///< the margins leave less than 6 mm of the print length
inline constexpr int SequencesReduced = 42034; ///< print-length mode keeps only the first sequence
inline constexpr int TitleNewDocument = 40089; ///< "印刷物設定 (新規作成)"
inline constexpr int TitleExisting = 40090;    ///< "印刷物設定"
} // namespace targetMessages

// The numeric field checks are the output library's, shared with the print, send and environment
// dialogs.
using output::decimalRangeMessage;
using output::formatTenths;
using output::integerRangeMessage;
using output::parseIntegerText;
using output::parseStrictIntegerText;
using output::parseTenthsText;

// ---- The dialog's state ---------------------------------------------------------------------

/// The dialog class that serves a model: CTargetDlg (models 0, 1), CTargetDlgV9 (2-4),
/// CTargetDlgV12 (5-7), CTargetDlgV14 (8-10).
enum class TargetDlgVariant { FirstGeneration, V9, V12, V14 };

TargetDlgVariant targetDlgVariant(model::ModelType model);
constexpr bool isV9Family(TargetDlgVariant v) {
    return v != TargetDlgVariant::FirstGeneration;
}

/// The three label dimensions in tenths of a millimetre (width, length, gap between labels).
struct LabelValues {
    int width = 0;
    int length = 0;
    int gap = 0;
    friend bool operator==(const LabelValues&, const LabelValues&) = default;
};

/// The values the caller hands to the dialog besides the document.
struct TargetDlgInitial {
    int frameSpacing = 1; ///< the spacing restored when the frame is switched on
    int printFont = 0;
    int zeroSlash = 0;
    LabelValues label; ///< the label fields of a document that is not a general label
};

/// What the caller passes for a document: for a new one the operator's "FrameGap", "PrintFont"
/// and "ZeroSlash", otherwise the document's own; the label fields come from `stored` (the
/// "Label" section) unless the document is a general label.
TargetDlgInitial targetDlgInitial(const model::EditData& data, const model::OperatorSettings& settings,
                                  bool newDocument, const LabelValues& stored);

/// Every control of the dialog as a value: selections are stored values of their lists (radio
/// groups) or positions (target and size combos); the numeric fields hold the text as typed.
struct TargetForm {
    int targetIndex = -1; ///< position in the model's target list; -1 none
    int sizeIndex = -1;   ///< position in the selected target's sizes; -1 none
    bool printLengthMode = false;
    int pitchAuto = 0; ///< list 10 value: 1 AUTO, 0 指定
    bool printLengthAuto = false;
    int sizeMode = 0; ///< list 12 value
    int placement = 1;
    int direction = 0;
    int charSpacing = 0;
    int lineSpacing = 0;
    int pitchCut = 1; ///< list 8 value: 1 half cut, 2 solid, 3 dotted, 0 none
    bool frameOn = false;
    int frameSpacing = 0; ///< value of the spacing combo's selection, 0 none (V9 family)
    int rememberedFrameSpacing = 1;
    int autoTextSize = -1; ///< list 1 value of the width-auto size combo, -1 none (V12, V14)
    int rememberedAutoTextSize = -1;
    int printFont = 0; ///< list 14 value (V12, V14)
    int zeroSlash = 0; ///< 1 あり, 0 なし (V14)
    std::string printLengthText;
    std::string printCountText;
    std::string leftMarginText;
    std::string rightMarginText;
    std::string labelWidthText;
    std::string labelLengthText;
    std::string labelGapText;

    friend bool operator==(const TargetForm&, const TargetForm&) = default;
};

/// Which controls the enabling rules leave enabled (and whether the label fields replace the size).
struct TargetEnabling {
    bool printLengthMode = true;   ///< "印字長ﾓｰﾄﾞ"
    bool pitchAuto = true;         ///< pitch "AUTO"
    bool pitchSpecified = true;    ///< pitch "指定"
    bool autoSizeModes = true;     ///< every size mode but "指定"
    bool printLengthGroup = false; ///< AUTO check, continuous count, placement, margins
    bool printLengthEdit = false;  ///< the print length edit and its unit
    bool halfCut = true;
    bool solidLine = true;
    bool dottedLine = true;
    bool noCut = true;
    bool frameSpacing = false; ///< the spacing combo (V9 family)
    bool autoTextSize = false; ///< the width-auto size combo (V12, V14)
    bool labelFields = false;  ///< the label fields shown and the size combo hidden

    friend bool operator==(const TargetEnabling&, const TargetEnabling&) = default;
};

/// The field that gets the focus when the operator's input is refused.
enum class TargetField {
    None,
    Target,
    Size,
    LabelWidth,
    LabelLength,
    LabelGap,
    PrintLength,
    PrintCount,
    LeftMargin,
    RightMargin,
};

/// The outcome of taking the controls back on OK.
struct TargetValidation {
    bool ok = false;
    model::TargetSettings settings; ///< the confirmed settings when ok
    TargetField field = TargetField::None;
    int messageId = 0;   ///< 0: refused without a message (no size chosen)
    std::string message; ///< the message text with its limits filled in
};

/// The decisions of the target settings dialog, free of widgets: opening values, the enabling
/// rules with the selections they force, the change handlers and the checks on OK.
class TargetRules final {
public:
    /// The rules of the variant that serves the catalogue's model, or of the variant named.
    explicit TargetRules(const model::Catalogue& catalogue);
    TargetRules(const model::Catalogue& catalogue, TargetDlgVariant variant);

    const model::Catalogue& catalogue() const { return m_catalogue; }
    TargetDlgVariant variant() const { return m_variant; }

    /// The target kind and size value of the current selections; -1 when nothing is selected.
    int kindOf(const TargetForm& form) const;
    int sizeOf(const TargetForm& form) const;
    std::span<const model::TargetSize> sizesOf(int targetIndex) const;

    /// The controls as the dialog opens on the document (before the enabling rules).
    TargetForm openingForm(const model::TargetSettings& target, const TargetDlgInitial& initial) const;

    /// The enabling rules of the dialog's variant, in their order, with the selections they force.
    TargetEnabling apply(TargetForm& form) const;
    /// The rules of CTargetDlg (models 0, 1).
    TargetEnabling applyFirstGenerationRules(TargetForm& form) const;
    /// The eleven rules of the CTargetDlgV9 family and the label/size visibility.
    TargetEnabling applyFamilyRules(TargetForm& form) const;
    /// CTargetDlgV12's extra rule: the width-auto size combo follows "文字幅ｵｰﾄ".
    static void applyWidthAutoRule(TargetForm& form, TargetEnabling& enabling);

    /// Another target was chosen: its first size is selected (none for a target without sizes).
    /// The enabling rules follow.
    void targetChanged(TargetForm& form, int targetIndex) const;
    /// Another size was chosen; the V9 family selects "点線" for sizes that cannot take a half cut.
    /// The enabling rules follow.
    void sizeChanged(TargetForm& form, int sizeIndex) const;

    /// Whether OK can succeed as far as the selections go: a target, and a size unless it is a
    /// general label.
    bool canConfirm(const TargetForm& form) const;

    /// Takes the controls back onto `original` with every check of OK, in the order of the dialog.
    TargetValidation validate(const TargetForm& form, const model::TargetSettings& original) const;

private:
    const model::Catalogue& m_catalogue;
    TargetDlgVariant m_variant;
};

// ---- After OK -----------------------------------------------------------------------------------

/// Brings the document in line with the confirmed settings: the label dimensions of a label
/// target, the settings themselves (with the frame gap of the V9 family), the operator's defaults
/// for a new document or the pitch of every block for an existing one, and in print-length mode
/// the reduction of the sequence numbers after message 42034. Returns whether sequence numbers
/// were removed. The caller records the undo step before and saves the label fields of a general
/// label.
bool applyConfirmedTarget(model::EditData& data, const model::TargetSettings& confirmed,
                          const model::Catalogue& catalogue, const model::OperatorSettings& settings,
                          bool newDocument, output::Prompter& prompter);

// ---- Bulk change ------------------------------------------------------------------------------

/// The attributes the bulk-change dialog sets, in the order of its commands.
enum class PackageItem { CharSize = 0, CharWidth = 1, Count = 2, Pitch = 3, Underline = 4, Reverse = 5 };

/// How the bulk-change dialog shows one attribute for a target kind.
struct PackageItemSpec {
    int nameId = 0;          ///< string id of the attribute's name
    int unitId = 0;          ///< string id of the unit, 0 none
    int listIndex = -1;      ///< ChoiceList of a list item; -1 for a numeric item
    int decimals = 0;        ///< numeric items: 0 ("%d") or 1 ("%.1f" of value / 10)
    model::ValueRange range; ///< numeric items: the spin's range (tenths for the pitch)
    int initial = 0;         ///< initial value (list value or number)
};

PackageItemSpec packageItemSpec(PackageItem item, int targetKind, const model::Catalogue& catalogue,
                                const model::OperatorSettings& settings);

/// Reads the typed text of a numeric item: the value, or the message to show (42040 or 42041).
struct PackageValue {
    bool ok = false;
    int value = 0;
    int messageId = 0;
    std::string message;
};

PackageValue parsePackageValue(const PackageItemSpec& entry, std::string_view text);

using output::formatFieldValue;

} // namespace qx::ui
