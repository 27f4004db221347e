#pragma once

#include "ModelType.h"
#include "SettingRow.h"
#include "TargetKind.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace qx::model {

struct TargetSettings;
struct EditLine;

struct ModelLimits {
    int blockLimit = 0;        ///< blocks in one document
    int lineLimit = 0;         ///< text lines in one block
    int charLimit = 0;         ///< character budget of one document
    int pitchSettingLimit = 0; ///< runs of equal pitch length in pitch-length mode
    int seqPerBlockPitch = 0;
    int seqPerFilePitch = 0;
    int seqPerBlockPrint = 0;
    int seqPerFilePrint = 0;

    friend bool operator==(const ModelLimits&, const ModelLimits&) = default;
};

/// One entry of a drop-down list: what the operator sees and what is stored.
struct Choice {
    std::string_view text;
    int value = 0;
};

inline constexpr int ChoiceListCount = 17;

/// One size of a print target: its display text (" 5.0 mm", "φ3.2", "6x17 mm") and stored value.
struct TargetSize {
    std::string_view text;
    int value = 0;
};

/// One print target offered by a model: the kind's display string id and its sizes in order.
struct TargetEntry {
    int textId = 0;
    int kind = 0;
    std::span<const TargetSize> sizes;
};

/// Width and height of a character cell, in printer dots.
struct GlyphCell {
    int width = 0;
    int height = 0;
    friend bool operator==(const GlyphCell&, const GlyphCell&) = default;
};

/// Gaps between characters and between lines, in printer dots.
struct Spacing {
    int charGap = 0;
    int lineGap = 0;
    friend bool operator==(const Spacing&, const Spacing&) = default;
};

/// One step of the automatic character sizing: size index (255 = keep autoTextSize), width mode
/// and the two spacing codes as stored.
struct AutoSizeCandidate {
    std::uint8_t sizeIndex = 0;
    std::uint8_t widthMode = 0;
    std::uint8_t charSpacing = 0;
    std::uint8_t lineSpacing = 0;
    friend bool operator==(const AutoSizeCandidate&, const AutoSizeCandidate&) = default;
};

inline constexpr std::uint8_t KeepAutoTextSize = 255;

struct ValueRange {
    int lower = 0;
    int upper = 0;
    friend bool operator==(const ValueRange&, const ValueRange&) = default;
};

/// Everything that depends on the selected printer model: limits, targets, heights, lists and
/// the {lower, upper, default} row of every setting. Immutable; build one per model.
class Catalogue final {
public:
    explicit Catalogue(ModelType model);

    ModelType model() const { return m_model; }
    const ModelLimits& limits() const { return m_limits; }

    const SettingRange& settingRange(SettingRow row) const;
    const SettingRange& settingRange(int row) const; ///< row 0..60; others give an empty range

    std::span<const Choice> choiceList(int n) const; ///< n 0..16; others give an empty list
    std::span<const TargetEntry> targets() const;

    std::optional<int> findTarget(int targetKind) const;
    std::optional<int> findTargetSize(int targetPosition, int targetSize) const;
    /// Display string id of a target kind on this model (also for the kinds no list offers), or 0.
    int kindTextId(int targetKind) const;

    /// Printable band height in dots, or -1 when the target has none.
    int printHeight(const TargetSettings& target) const;
    /// Height in dots of the piece as drawn.
    int mediumHeight(const TargetSettings& target) const;
    /// Unprintable length at each end of one piece, in dots (rounded).
    int endMarginDots(const TargetSettings& target) const;
    /// Printable length in dots of a piece of the given pitch (0.1 mm), truncated.
    int printableLength(const TargetSettings& target, int pitch) const;
    GlyphCell glyphCell(const TargetSettings& target, const EditLine& line) const;
    Spacing spacing(const TargetSettings& target, const EditLine& line) const;
    /// The plain cell of a character size index 0..5 (no direction, no width mode); {0, 0} otherwise.
    static GlyphCell sizeCell(int sizeIndex);
    /// Gap in dots of a stored character spacing code (0 standard, 1 narrow, 2 close, 3 wide).
    static int charGapDots(int code);
    /// Gap in dots of a stored line spacing code (0 standard, 1 narrow, 2 wide, 3 close).
    static int lineGapDots(int code);
    ValueRange pitchRange(int targetKind) const;
    ValueRange countRange(int targetKind) const;
    /// Longest total print length of a whole run, in millimetres.
    int longestTotalPrintLength(int targetKind) const;

    std::span<const AutoSizeCandidate> autoSizeCandidates(int sizeMode) const; ///< 1, 2, 3; others empty

    bool isW2() const { return qx::model::isW2(m_model); }
    bool isW3() const { return qx::model::isW3(m_model); }
    /// Whether a single-byte character prints at 2.4 mm on this model.
    bool isPrintableAt24(char c) const;
    /// The same for a character code (the full-width forms of those characters).
    bool isPrintableAt24(std::uint16_t code) const;

private:
    ModelType m_model;
    ModelLimits m_limits;
    std::array<SettingRange, SettingRowCount> m_ranges{};
    std::array<std::span<const Choice>, ChoiceListCount> m_choiceLists{};
    std::span<const TargetEntry> m_targets;
};

/// Conversions between tenths of a millimetre and printer dots (0.0845 mm).
int tenthsToDotsRounded(int tenths);
int tenthsToDotsTruncated(int tenths);
/// Dots to tenths of a millimetre, rounded half away from zero (a run one rounding step over a
/// limit is over it).
std::int64_t dotsToTenthsRounded(std::int64_t dots);

} // namespace qx::model
