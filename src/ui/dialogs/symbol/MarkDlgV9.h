#pragma once

// The symbol input dialog from the QX-900W on: the whole text line is edited in the dialog, the
// picked symbol goes in at the caret (or over the selection), and the line with its sequence
// definitions comes back.

#include "model/ModelType.h"
#include "model/SequenceDefinition.h"

#include <QDialog>
#include <QString>

#include <vector>

class QComboBox;
class QPushButton;
class QSettings;

namespace qx::output {
class Prompter;
}

namespace qx::render {
class SymbolCatalogue;
class SymbolPictures;
} // namespace qx::render

namespace qx::ui {

class CSymbolEdit;
class CSymbolGrid;
class CSymbolPreview;

/// The line the dialog edits: token form ("0xHHHH" in double quotes for a special code, a
/// literal quote doubled) and the definitions of its markers in text order.
struct SymbolLine {
    QString tokenForm;
    std::vector<model::tagSEQ_V900> sequences;
    friend bool operator==(const SymbolLine&, const SymbolLine&) = default;
};

class CMarkDlgV9 final : public QDialog {
    Q_OBJECT

public:
    struct Setup {
        const render::SymbolCatalogue& symbols;
        const render::SymbolPictures& pictures;
        output::Prompter& prompter;
        QSettings& store; ///< holds the remembered group
        model::ModelType model = 0;
        SymbolLine line;
        /// The most characters the line may hold (the send dialog's document name: 10); 0: any.
        int characterLimit = 0;
    };

    explicit CMarkDlgV9(const Setup& setup, QWidget* parent = nullptr);

    /// The edited line, once OK has passed.
    [[nodiscard]] const SymbolLine& editedLine() const { return m_result; }

    [[nodiscard]] CSymbolGrid& grid() const { return *m_grid; }
    [[nodiscard]] QComboBox& groupCombo() const { return *m_groups; }
    [[nodiscard]] CSymbolEdit& edit() const { return *m_edit; }
    [[nodiscard]] CSymbolPreview& preview() const { return *m_preview; }
    [[nodiscard]] QPushButton& insertButton() const { return *m_insert; }

    /// "挿入" (1170): the selected symbol replaces the field's selection; the caret follows it.
    void insertSymbol();

    void accept() override;

private:
    const render::SymbolCatalogue& m_symbols;
    output::Prompter& m_prompter;
    QSettings& m_store;
    QComboBox* m_groups;
    CSymbolGrid* m_grid;
    CSymbolEdit* m_edit;
    CSymbolPreview* m_preview;
    QPushButton* m_insert;
    SymbolLine m_result;
};

} // namespace qx::ui
