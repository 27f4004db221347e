#pragma once

#include "ui/dialogs/settings/ConfigDlgFields.h"
#include "ui/dialogs/settings/ConfigDlgInterface.h"

#include <QDialog>
#include <QString>

class QBoxLayout;
class QGridLayout;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSlider;

namespace qx::ui {

class CTargetDlgSpinEdit;

/// The environment settings of the QX-900W to QX-950 and the base of the later ones: adds the
/// frame spacing and the named print settings (register, delete, choose). initialise() (the
/// factory calls it) adds the later variants' controls once the object is complete.
class CConfigDlgV9 : public QDialog, public ConfigDlgInterface {
    Q_OBJECT

public:
    explicit CConfigDlgV9(const ConfigDlgSetup& setup, QWidget* parent = nullptr);

    /// Adds the variant's controls and loads every field; later calls do nothing.
    void initialise();

    QDialog& dialog() override { return *this; }
    const model::OperatorSettings& confirmedSettings() const override { return m_settings; }
    const std::vector<output::PrintSettingEntry>& namedSets() const override { return m_sets; }
    bool hasNamedSets() const override { return true; }

    /// Whether a named set's fields were changed since it was chosen or registered.
    bool hasUnregisteredEdit() const { return m_unregistered; }

    void accept() override;

    static constexpr int NameBytes = 32;
    static constexpr int NameCharacters = 16;

protected:
    /// Builds a later variant's controls into the editing part, as rows of its grid: caption in
    /// the first column, control from the second on.
    virtual void addVariantControls(QGridLayout& grid);
    virtual void writeVariant(const model::OperatorSettings& settings);
    virtual void readVariant(model::OperatorSettings& settings) const;

    const model::Catalogue& catalogue() const { return m_catalogue; }

private:
    void buildPrintPart(QBoxLayout& layout);
    void updateButtons();
    void chooseSet(int row);
    void registerSet();
    void deleteSet();
    void showSetFields(const output::PrintSettingEntry& entry);
    /// The lower half taken back: the cut and vertical positions checked, the density read.
    bool readPrintPart(output::PrintSettingEntry& entry);
    void markEdited();

    const model::Catalogue& m_catalogue;
    output::Prompter& m_prompter;
    model::OperatorSettings m_settings;
    std::vector<output::PrintSettingEntry> m_sets;
    output::PrintSettingEntry m_edited;
    ConfigDlgFields m_fields;
    QBoxLayout* m_layout = nullptr;
    QComboBox* m_frameGap = nullptr;
    QLineEdit* m_name = nullptr;
    QListWidget* m_list = nullptr;
    CTargetDlgSpinEdit* m_cut = nullptr;
    CTargetDlgSpinEdit* m_offsetY = nullptr;
    QSlider* m_heatVol = nullptr;
    QPushButton* m_register = nullptr;
    QPushButton* m_delete = nullptr;
    QString m_offsetText;
    QString m_nameText;
    bool m_loading = false;
    bool m_unregistered = false;
    bool m_initialised = false;
};

} // namespace qx::ui
