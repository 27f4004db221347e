#pragma once

#include "PrintOptions.h"

#include "model/EditData.h"
#include "model/ModelType.h"

#include <cstdint>
#include <optional>
#include <string>

namespace qx::model {
class Catalogue;
struct OperatorSettings;
} // namespace qx::model

namespace qx::output {

inline constexpr int MsgStartAfterEnd = 42050; ///< "開始ブロックが終了ブロックを上回っています。..."
inline constexpr int MsgTotalLength = 42051;       ///< "印刷全長エラーです。..."
inline constexpr int MsgCopiesTotalLength = 42053; ///< "部数印刷全長エラーです。..."

/// The text fields of a print dialog as the operator left them. A field without text keeps the
/// value the dialog opened with (a field the dialog disables, or an option nobody gave).
struct PrintFieldTexts {
    std::optional<std::string> copies;
    std::optional<std::string> startBlock;
    std::optional<std::string> endBlock;
    std::optional<std::string> revision;    ///< millimetres, one decimal
    std::optional<std::string> cutPosition; ///< millimetres, one decimal
    std::optional<std::string> printOffsetY;
};

/// The field a refusal puts the focus on.
enum class PrintField { None, Copies, StartBlock, EndBlock, Revision, CutPosition, PrintOffsetY };

struct PrintFieldCheck {
    bool ok = false;
    int messageId = 0;
    std::string message;
    PrintField field = PrintField::None;
    /// 42051 or 42053: the run itself is too long, whatever is typed.
    bool runTooLong = false;
    PrintOptions options; ///< stored form; with the typed values when ok
};

/// The options a print dialog opens with for the document, from `current` (the application's
/// options, stored form): print now, the whole document once, no total-length correction, low
/// speed off on other targets than tubes from the QX-900W on.
PrintOptions printDialogStart(const model::Catalogue& catalogue, model::ModelType model,
                              const model::EditData& data, PrintOptions current);

/// The print dialog's check on OK, in the order of the model's dialog: the QX-790 checks the
/// block fields, the run and the correction before the cut and vertical positions; later models
/// check the three ranges first. The correction is compared as typed on the QX-790 and after
/// truncation to tenths on later models. `opened` is what the dialog opened with (stored form),
/// including the print pattern, which doubles the counts it prints twice.
PrintFieldCheck checkPrintFields(const model::Catalogue& catalogue, const model::OperatorSettings& settings,
                                 const model::EditData& data, const PrintOptions& opened,
                                 const PrintFieldTexts& typed);

/// Length of the blocks [first, end) in tenths of a millimetre as the print dialog counts it, with
/// the printed pieces; the count of each block is its effective count for the print pattern.
struct PrintRunTotal {
    std::int64_t tenths = 0;
    std::int64_t pieces = 0;
};
PrintRunTotal printRunTotal(const model::Catalogue& catalogue, const model::OperatorSettings& settings,
                            const model::EditData& data, int first, int end, int printType);

/// A block's continuous count as the print dialog counts it for the pattern: the rotated pattern
/// prints every piece twice, the cross-ferrule ones a block of one line with a solidus.
int effectiveCount(const model::EditBlock& block, int printType);

} // namespace qx::output
