#pragma once

#include "ui/dialogs/target/TargetDlgControls.h"
#include "ui/dialogs/target/TargetDlgInterface.h"
#include "ui/dialogs/target/TargetRules.h"

#include <QDialog>

namespace qx::ui {

/// The target settings dialog of models 2 to 4 and the base of the later ones: adds the label
/// dimensions of a general label and the frame spacing. The later classes add their controls and
/// rules by overriding the virtual operations; initialise() (the factory calls it) builds and
/// loads them once the object is complete.
class CTargetDlgV9 : public QDialog, public TargetDlgInterface {
    Q_OBJECT

public:
    explicit CTargetDlgV9(const TargetDlgSetup& setup, QWidget* parent = nullptr);

    /// Adds the variant's controls, loads every control from the document and applies the rules.
    /// Call once after construction; later calls do nothing.
    void initialise();

    QDialog& dialog() override { return *this; }
    TargetDlgVariant variant() const override { return m_rules.variant(); }
    const model::TargetSettings& confirmedSettings() const override { return m_confirmed; }

    void accept() override;

protected:
    CTargetDlgV9(const TargetDlgSetup& setup, TargetDlgVariant variant, QWidget* parent);

    /// Builds the controls a later variant carries into the layouts of controls().
    virtual void addVariantControls();
    /// Shows the variant's part of the form.
    virtual void writeVariantControls(const TargetForm& form, const TargetEnabling& enabling);
    /// Reads the variant's controls into the form.
    virtual void readVariantControls(TargetForm& form) const;
    /// The enabling rules, in their order, with the selections they force.
    virtual TargetEnabling applyRules(TargetForm& form) const;

    TargetDlgControls& controls() { return m_controls; }
    const TargetRules& rules() const { return m_rules; }

private:
    void onChange(TargetChange change);
    void showForm();

    output::Prompter& m_prompter;
    TargetDlgInitial m_initial;
    model::TargetSettings m_original;
    model::TargetSettings m_confirmed;
    TargetRules m_rules;
    TargetForm m_form;
    TargetDlgControls m_controls;
    bool m_initialised = false;
};

} // namespace qx::ui
