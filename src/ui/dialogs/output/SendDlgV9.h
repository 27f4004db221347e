#pragma once

#include "ui/dialogs/output/SendDlgControls.h"
#include "ui/dialogs/output/SendDlgInterface.h"

#include <QDialog>

#include <span>
#include <vector>

class QBoxLayout;
class QLabel;
class QLineEdit;

namespace qx::ui {

/// The send dialog of the QX-900W to QX-950 and the base of the later one: adds the name the
/// document is stored under ("文書名", up to 10 half-width characters). initialise() (the
/// factory calls it) runs the overridable set-up once the object is complete.
class CSendDlgV9 : public QDialog, public SendDlgInterface {
    Q_OBJECT

public:
    explicit CSendDlgV9(const SendDlgSetup& setup, QWidget* parent = nullptr);

    /// Sets up the number, loads the name and applies the enabling; later calls do nothing.
    void initialise();

    QDialog& dialog() override { return *this; }
    SendMode mode() const override;
    int documentNumber() const override { return m_number; }
    std::array<std::int16_t, 11> documentName() const override { return m_confirmedName; }

    void accept() override;

    /// The longest name the printer keeps.
    static constexpr int NameLength = 10;

protected:
    /// The number and name controls follow the mode.
    virtual void updateEnabling();
    /// Shows the name of the document (its codes up to the first 0).
    virtual void loadName(std::span<const model::CharCode> codes);
    /// The name as codes, at most NameLength of them.
    virtual std::vector<model::CharCode> storeName() const;
    /// The number's range and default (row 39).
    virtual void setupNumberRange();
    /// The last check of OK in document-memory mode.
    virtual bool finalCheck();

    SendDlgControls& controls() { return m_controls; }
    QLineEdit& plainName() const { return *m_plainName; }
    QLabel& nameLabel() const { return *m_nameLabel; }
    QBoxLayout& nameRow() const { return *m_nameRow; }
    output::Prompter& prompter() const { return m_prompter; }

private:
    const model::Catalogue& m_catalogue;
    output::Prompter& m_prompter;
    std::array<std::int16_t, 11> m_openedName;
    std::array<std::int16_t, 11> m_confirmedName;
    SendDlgControls m_controls;
    QLabel* m_nameLabel = nullptr;
    QLineEdit* m_plainName = nullptr;
    QBoxLayout* m_nameRow = nullptr;
    int m_number = 0;
    bool m_initialised = false;
};

} // namespace qx::ui
