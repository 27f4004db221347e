#pragma once

// The dialogs the editing commands open, as the document window fills them in. The sequence,
// symbol, whole-image and bulk-change dialogs live in their own room; until an entry is filled
// its command stays disabled.

#include "DialogEdits.h"

#include "formats/FileInsert.h"
#include "model/Sequences.h"

#include <QString>

#include <functional>
#include <optional>
#include <string>

class QWidget;

namespace qx::ui {

/// What the line-wise sequence dialog starts from.
struct LineSequenceRequest {
    LineContent line;
    bool pitchLengthMode = true;
    model::SequenceAllowance allowance; ///< definitions the line may hold within block and document
};

/// What the line-wise symbol dialog edits: the line in token form ("0x%04X" in quotes for a
/// special code) and its definitions.
struct LineTokenText {
    std::string utf8;
    std::vector<model::tagSEQ_V900> sequences;
};

/// How the whole-image preview was left.
struct WholeImageAnswer {
    enum class Choice { Closed, Send, Print };
    Choice choice = Choice::Closed;
    int seqOrder = 0; ///< the order shown, handed to the print command with the print choice
};

/// What the wire-list import starts from.
struct WireListImportRequest {
    const model::EditData& current;
    int position = 0; ///< the pieces go before this block; −1: they make the document's blocks
    QString path;     ///< a file already chosen (a file insert of a workbook); empty: the dialog asks
};

struct EditingDialogs {
    /// Sequence number, models below 5: the block's definition to start from, if it has one.
    std::function<std::optional<model::tagSEQ_V900>(QWidget*, const std::optional<model::tagSEQ_V900>&)>
        blockSequence;
    /// Sequence number, models from 5 on.
    std::function<std::optional<LineContent>(QWidget*, const LineSequenceRequest&)> lineSequences;
    /// Symbol input, models 0 and 1: the one symbol code chosen.
    std::function<std::optional<model::CharCode>(QWidget*)> symbol;
    /// Symbol input, models from 2 on.
    std::function<std::optional<LineTokenText>(QWidget*, const LineTokenText&)> lineSymbols;
    /// The whole-image preview of a document that passed its check.
    std::function<WholeImageAnswer(QWidget*, const model::EditData&)> wholeImage;
    /// The bulk-change dialog of an attribute: the value, or nothing when cancelled.
    std::function<std::optional<int>(QWidget*, BulkAttribute)> bulkChange;
    /// The document file the operator picks for a file insert; empty when none.
    std::function<QString(QWidget*)> insertFile;
    /// The wire-list import: the record with the pieces inserted, or nothing when cancelled.
    std::function<std::optional<formats::FileInsertResult>(QWidget*, const WireListImportRequest&)> wireListImport;
};

} // namespace qx::ui
