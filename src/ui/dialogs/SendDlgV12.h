#pragma once

#include "ui/dialogs/SendDlgV9.h"

namespace qx::ui {

/// The send dialog of the QX-900W2 on: the document name may carry the printer's symbols, kept in
/// their token form, and may hold any character the printers print.
///
/// The name field is a plain line edit for now, limited to 10 characters and checked like the
/// symbol-capable one; symbolNameEdit() is where that edit (with its preview and symbol button)
/// takes its place.
class CSendDlgV12 final : public CSendDlgV9 {
    Q_OBJECT

public:
    explicit CSendDlgV12(const SendDlgSetup& setup, QWidget* parent = nullptr);

    QLineEdit& symbolNameEdit() const { return *m_symbolName; }

protected:
    void updateEnabling() override;
    void loadName(std::span<const model::CharCode> codes) override;
    std::vector<model::CharCode> storeName() const override;
    void setupNumberRange() override;
    bool finalCheck() override;

private:
    QLineEdit* m_symbolName = nullptr;
    QString m_lastAccepted;
};

} // namespace qx::ui
