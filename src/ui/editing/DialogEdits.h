#pragma once

// What the OK of the sequence-number and symbol dialogs does to the document, and the check that
// comes before the whole image. The dialogs themselves belong to their own room; they hand their
// answer to these.

#include "EditingCommands.h"

#include "model/CharCode.h"
#include "model/SequenceDefinition.h"
#include "output/OutputValidation.h"

#include <vector>

namespace qx::ui {

/// A text line as the line-wise dialogs edit it: its characters and its definitions.
struct LineContent {
    model::CodeList chars;
    std::vector<model::tagSEQ_V900> sequences;
    friend bool operator==(const LineContent&, const LineContent&) = default;
};

class DialogEdits final {
public:
    DialogEdits(const model::Catalogue& catalogue, const model::OperatorSettings& settings)
        : m_catalogue(catalogue), m_settings(settings) {}

    /// Whether the focus cell is one these dialogs work on: a text line of a block or of the row
    /// just after the last block.
    [[nodiscard]] bool focusIsTextLine(const model::EditData& data, const GridState& grid) const;
    /// The focus line's characters and definitions, as the line-wise dialogs start from.
    [[nodiscard]] LineContent focusLine(const model::EditData& data, const GridState& grid) const;

    /// The block-wise sequence dialog (models below 5) answered `definition`: a block without
    /// definitions gets the marker as the focus line's text; the block's definition is replaced.
    CommandOutcome setBlockSequence(model::EditData& data, const GridState& grid, UndoHistory& history,
                                    const model::tagSEQ_V900& definition) const;
    /// A line-wise dialog answered `edited`. With `compareSequences` (the sequence dialog) nothing
    /// happens when both characters and definitions are unchanged; without it (the symbol dialog)
    /// when the characters are. The definitions the dialog returns replace the line's.
    CommandOutcome setLineContent(model::EditData& data, const GridState& grid, UndoHistory& history,
                                  const LineContent& edited, bool compareSequences) const;
    /// The symbol dialog of the first-generation models answered `symbol`: it becomes the focus
    /// line's whole text, and a sequence number that stood there goes with its definitions.
    CommandOutcome setLineSymbol(model::EditData& data, const GridState& grid, UndoHistory& history,
                                 model::CharCode symbol) const;

    /// The check before the whole image: message 0 when it may be shown, 43067 for a document with
    /// nothing to print, 43066 for any other fault, with the block at fault.
    [[nodiscard]] output::ValidationResult wholeImageRefusal(const model::EditData& data) const;

private:
    void appendIfNew(model::EditData& data, int row) const;

    const model::Catalogue& m_catalogue;
    const model::OperatorSettings& m_settings;
};

} // namespace qx::ui
