#pragma once

#include "ui/dialogs/output/PrintDlgControls.h"
#include "ui/dialogs/output/PrintDlgInterface.h"

#include <QDialog>

class QComboBox;

namespace qx::ui {

/// The print dialog of the QX-900W to QX-950 and the base of the later one: the machine
/// parameters checked first, low speed only on tubes, and the named print settings under "名前".
/// initialise() (the factory calls it) runs the overridable set-up once the object is complete.
class CPrintDlgV9 : public QDialog, public PrintDlgInterface {
    Q_OBJECT

public:
    explicit CPrintDlgV9(const PrintDlgSetup& setup, QWidget* parent = nullptr);

    /// Builds the variant's controls and applies the enabling rules; later calls do nothing.
    void initialise();

    QDialog& dialog() override { return *this; }
    const output::PrintOptions& confirmedOptions() const override { return m_confirmed; }

    void accept() override;

protected:
    /// The enabling rules and the name list.
    virtual void setupControls();
    /// OK's checks (a) to (g); true when they all pass and confirmedOptions() holds the job's options.
    virtual bool checkInput();
    /// The print pattern whose doubling the run's length counts (this dialog prints each piece once).
    virtual int countedPattern() const { return 0; }

    PrintDlgControls& controls() { return m_controls; }
    const model::EditData& data() const { return m_data; }
    const output::PrintOptions& opened() const { return m_opened; }
    output::PrintOptions& confirmed() { return m_confirmed; }

private:
    void chooseNamedSet(int index);

    const model::Catalogue& m_catalogue;
    const model::OperatorSettings& m_settings;
    const model::EditData& m_data;
    output::Prompter& m_prompter;
    output::PrintOptions m_opened;
    output::PrintOptions m_confirmed;
    std::vector<output::PrintSettingEntry> m_namedSets;
    PrintDlgControls m_controls;
    QComboBox* m_names = nullptr;
    bool m_initialised = false;
};

} // namespace qx::ui
