#pragma once

#include "CharCode.h"
#include "SequenceDefinition.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace qx::model {

class Catalogue;
struct OperatorSettings;

inline constexpr int MaxBlocks = 999;
inline constexpr int MaxLines = 4;
inline constexpr int MaxSequencesPerBlock = 12;

struct EditLine {
    CodeList chars;              ///< exactly the line's characters; empty when never filled
    std::uint8_t charSize = 3;   ///< index into the character-size list (0 = 1.3 mm … 5 = 6.0 mm)
    std::uint8_t charWidth = 0;  ///< 0 standard, 1 half width, 2 double width
    std::uint8_t autoCharSpacing = 1; ///< chosen by automatic sizing; not stored in the image
    std::uint8_t autoLineSpacing = 1; ///< chosen by automatic sizing; not stored in the image

    int charCount() const { return static_cast<int>(chars.size()); }

    friend bool operator==(const EditLine&, const EditLine&) = default;
};

struct EditBlock {
    std::array<EditLine, MaxLines> lines{};
    std::int8_t lineCount = 1;  ///< number of the last line holding characters, 0..4
    std::int16_t count = 2;     ///< continuous count (連続個数): identical pieces printed
    std::int16_t pitch = 200;   ///< pitch length (ピッチ長), tenths of a millimetre
    std::int32_t sequenceCount = 0;
    std::array<tagSEQ_V900, MaxSequencesPerBlock> sequences{};
    std::uint8_t reverse = 0;   ///< 1 = reverse print (反転)
    std::int16_t underline = 0; ///< 1 = underline (下線); models from 5 on only
    std::int16_t reserved = 0;  ///< carried unchanged to and from the printer image

    // Sequence-number definitions, in the order of the 0x2F26 markers in the block's text.
    int sequenceDefinitionCount() const { return sequenceCount; }
    bool hasSequences() const { return sequenceCount > 0; }
    /// Definition i, 0 <= i < sequenceCount; an index outside the twelve slots reads the nearest one.
    const tagSEQ_V900& sequence(int i) const {
        return sequences[static_cast<std::size_t>(std::clamp(i, 0, MaxSequencesPerBlock - 1))];
    }
    /// Appends one definition; a thirteenth is ignored.
    void appendSequence(const tagSEQ_V900& definition);
    /// Replaces every definition; only the first twelve are kept, a count of 0 or less empties.
    void replaceSequences(const tagSEQ_V900* definitions, int n);
    /// Removes n definitions from index i on; later ones move up. Out-of-range requests do nothing.
    void removeSequences(int i, int n);
    void clearSequences() { sequenceCount = 0; }

    friend bool operator==(const EditBlock&, const EditBlock&) = default;
};

/// The print target and the document-wide layout of a document.
struct TargetSettings {
    std::int16_t targetKind = 1;  ///< a TargetKind code
    std::int16_t targetSize = 32; ///< size within the kind (diameter 0.1 mm, tape mm, label format …)
    std::uint16_t printMode = codes::PitchGroupMarker; ///< 0x2F21 pitch-length, 0x2F22 print-length mode
    std::int16_t pitchAuto = 0;   ///< 1 = "AUTO", 0 = "指定"
    std::int16_t labelWidth = 60; ///< tenths of a millimetre
    std::int16_t labelLength = 200;
    std::int16_t labelGap = 20;
    std::int16_t printLength = 0; ///< millimetres, print-length mode; 0 = AUTO
    std::int16_t printCount = 1;  ///< continuous count in print-length mode
    std::int16_t placement = 1;   ///< 0 前, 1 中央, 2 後
    std::int16_t leftMargin = 2;  ///< millimetres, print-length mode
    std::int16_t rightMargin = 2;
    std::int16_t sizeMode = 1;    ///< 0 指定; 1 auto (W2/W3: 1 normal, 2 extended, 3 width auto)
    std::int16_t direction = 0;   ///< 0 horizontal, 1 vertical
    std::int16_t charSpacing = 0; ///< 0 standard, 1 narrow, 2 close, 3 wide
    std::int16_t lineSpacing = 0; ///< 0 standard, 1 narrow, 2 wide, 3 close
    std::int16_t pitchCut = 1;    ///< 0 none, 1 half cut, 2 solid line, 3 dotted line
    std::int16_t frame = 0;       ///< 0 none; otherwise the frame spacing code
    std::int16_t frameGap = 1;    ///< frame spacing offered when the frame is switched on
    std::int16_t printFont = 0;   ///< 0 標準, 1 太字, 2 明快, 3 正方形
    std::uint8_t autoTextSize = 3; ///< size kept by width-auto sizing
    std::int16_t zeroSlash = 0;   ///< 1 = slashed zero

    bool isPrintLengthMode() const { return printMode == codes::Line1Marker; }
    bool isPitchLengthMode() const { return !isPrintLengthMode(); }

    friend bool operator==(const TargetSettings&, const TargetSettings&) = default;
};

/// Per-block results of the last output check: working data that a copy never takes along.
class BlockCheckResults {
public:
    BlockCheckResults() = default;
    BlockCheckResults(const BlockCheckResults&) {}
    BlockCheckResults(BlockCheckResults&&) noexcept = default;
    BlockCheckResults& operator=(const BlockCheckResults&) {
        values.clear();
        return *this;
    }
    BlockCheckResults& operator=(BlockCheckResults&&) noexcept = default;

    std::vector<std::int32_t> values;
};

/// The 999 block slots of a document, on the heap so that moving a document is cheap; the number
/// of slots never changes.
class BlockSlots {
public:
    EditBlock& operator[](int i) { return m_blocks[static_cast<std::size_t>(i)]; }
    const EditBlock& operator[](int i) const { return m_blocks[static_cast<std::size_t>(i)]; }
    static constexpr int size() { return MaxBlocks; }
    auto begin() { return m_blocks.begin(); }
    auto end() { return m_blocks.end(); }
    auto begin() const { return m_blocks.begin(); }
    auto end() const { return m_blocks.end(); }

    friend bool operator==(const BlockSlots&, const BlockSlots&) = default;

private:
    std::vector<EditBlock> m_blocks = std::vector<EditBlock>(MaxBlocks);
};

/// The whole document in memory. All 999 block slots always exist; only the first blockCount
/// belong to the document, the others keep whatever they hold and are ignored by every output.
/// Copying is a deep copy (undo, clipboard and checks rely on it); moving is cheap.
struct EditData {
    TargetSettings target;
    std::int16_t blockCount = 1;
    BlockSlots blocks;
    std::array<std::int16_t, 7> extraSettings{1, 4, 0, 30, 1, 0, 1}; ///< stored and read back unchanged
    std::array<std::int16_t, 11> sendSettings{};                     ///< kept for the send dialog
    std::int32_t printLengthCheck = 0;  ///< result of the last print-length check; not stored
    BlockCheckResults blockCheckResults; ///< not stored, not copied

    EditBlock& block(int i) { return blocks[i]; }
    const EditBlock& block(int i) const { return blocks[i]; }
    EditLine& line(int b, int l) { return block(b).lines[static_cast<std::size_t>(l)]; }
    const EditLine& line(int b, int l) const { return block(b).lines[static_cast<std::size_t>(l)]; }
};

} // namespace qx::model

namespace qx::model {

/// A new record with every field at the selected model's default; frameGap is the operator's.
EditData createEditData(const Catalogue& catalogue, int frameGap);

/// Writes the creation defaults over an existing record, keeping its working check results.
void reinitialiseEditData(EditData& data, const Catalogue& catalogue, int frameGap);

/// Sets every block's sizes, count and pitch to the operator's defaults for the record's target.
void applyOperatorDefaults(EditData& data, const OperatorSettings& settings);

/// Copies the source blocks [start, end) into the destination from `position` on and advances
/// `position`. At position 0 the source's target and document settings come first, followed by
/// the operator's defaults.
void appendBlocks(const EditData& source, EditData& destination, int& position, int start, int end,
                  const OperatorSettings& settings);

/// Number of 0x2F26 markers in a line; with stopAt > 0 the count stops once it reaches stopAt.
int countSequenceMarkers(const EditLine& line, int stopAt = 0);

/// Sum of the sequence definitions of the blocks in use.
int documentSequenceCount(const EditData& data);

/// Whether one more definition stays within the document limit of the current mode.
bool canAddSequence(const EditData& data, const Catalogue& catalogue);

bool isTubeTarget(const TargetSettings& target);
bool isLabelTarget(const TargetSettings& target);
int defaultCount(const TargetSettings& target, const OperatorSettings& settings);
int defaultPitch(const TargetSettings& target, const OperatorSettings& settings);

} // namespace qx::model
