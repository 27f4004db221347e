#pragma once

// The symbol input dialog of the QX-780 and QX-790: one symbol picked from the picture grid of a
// group; the caller puts it in.

#include "model/CharCode.h"

#include <QDialog>

class QComboBox;
class QPushButton;
class QSettings;

namespace qx::render {
class SymbolCatalogue;
class SymbolPictures;
} // namespace qx::render

namespace qx::ui {

class CSymbolGrid;

class CMarkDlg final : public QDialog {
    Q_OBJECT

public:
    /// `store` holds the remembered group ("MarkDlg_Group" of "Settings").
    CMarkDlg(const render::SymbolCatalogue& symbols, const render::SymbolPictures& pictures, QSettings& store,
             QWidget* parent = nullptr);

    /// The chosen symbol, once OK ("挿入") has been pressed.
    [[nodiscard]] model::CharCode code() const { return m_code; }

    [[nodiscard]] CSymbolGrid& grid() const { return *m_grid; }
    [[nodiscard]] QComboBox& groupCombo() const { return *m_groups; }

    void accept() override;

private:
    const render::SymbolCatalogue& m_symbols;
    QSettings& m_store;
    QComboBox* m_groups;
    CSymbolGrid* m_grid;
    QPushButton* m_ok;
    model::CharCode m_code = 0;
};

} // namespace qx::ui
