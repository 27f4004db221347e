#pragma once

#include "model/SequenceDefinition.h"

#include <QString>

#include <functional>
#include <string>

class QBoxLayout;
class QComboBox;
class QDialog;
class QLabel;
class QPushButton;

namespace qx::model {
class Catalogue;
}

namespace qx::output {
class Prompter;
}

namespace qx::ui {

class CSeqEdit;

/// The control OK's checks stop at.
enum class SeqField { Mode, Output, Start, End };

/// What the operator entered, as the controls hold it: the mode and output values of the combos
/// (-1 when nothing is chosen) and the two texts as typed.
struct SeqEntry {
    int mode = -1;
    int output = 0;
    QString start;
    QString end;
};

/// The outcome of OK's checks: the definition, or the message to show and the control to focus.
struct SeqEntryCheck {
    bool ok = false;
    SeqField field = SeqField::Mode;
    int messageId = 0;
    std::string message; ///< the message text with its bounds filled in (UTF-8)
    model::tagSEQ_V900 definition;
};

/// OK's checks in their order: mode, output (when the dialog has one), start, end, the parity of
/// the run; then the fill width follows from the two texts as typed.
SeqEntryCheck checkSeqEntry(const model::Catalogue& catalogue, const SeqEntry& entry, bool hasOutput);

/// A value as the start and end edits show it.
QString seqValueText(const model::tagSEQ_V900& definition, int value, int model);

/// Whether the mode counts in numbers (octal, decimal, hexadecimal) rather than letters.
constexpr bool isNumberMode(int mode) { return mode >= 0 && mode <= 2; }

/// The controls every sequence number dialog carries: "モード", "出力" (from model 2 on),
/// "開始No." and "終了No.", with the buttons at the side; the dialog classes own one each.
class SeqDlgControls final {
public:
    SeqDlgControls(QDialog& dialog, const model::Catalogue& catalogue, bool hasOutput);

    SeqDlgControls(const SeqDlgControls&) = delete;
    SeqDlgControls& operator=(const SeqDlgControls&) = delete;

    /// Where a variant adds its controls: above the mode, start and end.
    QBoxLayout& topLayout() { return *m_top; }

    /// Shows a definition: mode and output selected, values formatted.
    void show(const model::tagSEQ_V900& definition);
    [[nodiscard]] SeqEntry entry() const;
    /// OK's checks on the controls: shows the failure's message and focuses its control.
    bool check(output::Prompter& prompter, model::tagSEQ_V900& confirmed);

    /// The operator changed the mode: output back to its first entry, then the mode's rules.
    void modeChanged();
    /// The output combo and its label only for the number modes; each edit takes 8 bytes for
    /// numbers and 2 for a letter (from model 2 on).
    void applyModeRules();

    [[nodiscard]] QComboBox& modeCombo() const { return *m_mode; }
    [[nodiscard]] QComboBox* outputCombo() const { return m_output; }
    [[nodiscard]] CSeqEdit& startEdit() const { return *m_start; }
    [[nodiscard]] CSeqEdit& endEdit() const { return *m_end; }
    [[nodiscard]] QPushButton& okButton() const { return *m_ok; }

private:
    void focus(SeqField field);

    const model::Catalogue& m_catalogue;
    bool m_hasOutput;
    QBoxLayout* m_top = nullptr;
    QComboBox* m_mode = nullptr;
    QLabel* m_outputLabel = nullptr;
    QComboBox* m_output = nullptr;
    CSeqEdit* m_start = nullptr;
    CSeqEdit* m_end = nullptr;
    QPushButton* m_ok = nullptr;
    bool m_writing = false;
};

} // namespace qx::ui
