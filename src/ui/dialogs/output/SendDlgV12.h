#pragma once

#include "ui/dialogs/output/SendDlgV9.h"

class QToolButton;

namespace qx::ui {

struct EditorContext;
class CSymbolEdit;
class CSymbolPreview;

/// The send dialog of the QX-900W2 on: the document name may carry the printer's symbols, kept in
/// their token form, shown with their pictures in the preview beside the field; the button next
/// to it opens the symbol dialog on the name.
class CSendDlgV12 final : public CSendDlgV9 {
    Q_OBJECT

public:
    explicit CSendDlgV12(const SendDlgSetup& setup, QWidget* parent = nullptr);

    CSymbolEdit& symbolNameEdit() const { return *m_symbolName; }
    CSymbolPreview& symbolNamePreview() const { return *m_preview; }
    QToolButton& symbolButton() const { return *m_symbolButton; }

    /// The symbol button: the symbol dialog edits the name (ten characters at most).
    void inputSymbols();

protected:
    void updateEnabling() override;
    void loadName(std::span<const model::CharCode> codes) override;
    std::vector<model::CharCode> storeName() const override;
    void setupNumberRange() override;
    bool finalCheck() override;

private:
    const EditorContext* m_editor;
    CSymbolEdit* m_symbolName = nullptr;
    CSymbolPreview* m_preview = nullptr;
    QToolButton* m_symbolButton = nullptr;
};

} // namespace qx::ui
