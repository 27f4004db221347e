#include "ui/dialogs/target/TargetDlg.h"

#include "ui/dialogs/target/TargetDlgV14.h"
#include "model/OperatorSettings.h"

#include <QSettings>

#include <algorithm>

namespace qx::ui {

using model::SettingRow;

CTargetDlg::CTargetDlg(const TargetDlgSetup& setup, QWidget* parent)
    : QDialog(parent), m_prompter(setup.prompter), m_original(setup.target), m_confirmed(setup.target),
      m_rules(setup.catalogue, TargetDlgVariant::FirstGeneration),
      m_form(m_rules.openingForm(setup.target, setup.initial)), m_controls(*this, m_rules) {
    setObjectName(QStringLiteral("CTargetDlg"));
    setWindowTitle(TargetDlgControls::title(setup.newDocument));
    m_controls.addButtons();
    m_controls.setChangeHandler([this](TargetChange change) { onChange(change); });
    showForm();
}

void CTargetDlg::onChange(TargetChange change) {
    m_controls.read(m_form);
    if (change == TargetChange::Target) {
        m_rules.targetChanged(m_form, m_form.targetIndex);
    } else if (change == TargetChange::Size) {
        m_rules.sizeChanged(m_form, m_form.sizeIndex);
    }
    showForm();
}

void CTargetDlg::showForm() {
    m_controls.write(m_form, m_rules.applyFirstGenerationRules(m_form));
}

void CTargetDlg::accept() {
    m_controls.read(m_form);
    if (m_controls.confirm(m_form, m_original, m_prompter, m_confirmed)) {
        QDialog::accept();
    }
}

std::unique_ptr<TargetDlgInterface> createTargetDialog(const TargetDlgSetup& setup, QWidget* parent) {
    switch (targetDlgVariant(setup.catalogue.model())) {
    case TargetDlgVariant::FirstGeneration:
        return std::make_unique<CTargetDlg>(setup, parent);
    case TargetDlgVariant::V9: {
        auto dialog = std::make_unique<CTargetDlgV9>(setup, parent);
        dialog->initialise();
        return dialog;
    }
    case TargetDlgVariant::V12: {
        auto dialog = std::make_unique<CTargetDlgV12>(setup, parent);
        dialog->initialise();
        return dialog;
    }
    case TargetDlgVariant::V14:
        break;
    }
    auto dialog = std::make_unique<CTargetDlgV14>(setup, parent);
    dialog->initialise();
    return dialog;
}

namespace {

const QString LabelWidthKey = QStringLiteral("Label/LabelWidth");
const QString LabelLengthKey = QStringLiteral("Label/LabelLength");
const QString LabelGapKey = QStringLiteral("Label/LabelPitch");

int storedInteger(QSettings& store, const QString& key, int fallback) {
    bool ok = false;
    const int value = store.value(key, fallback).toInt(&ok);
    // The fields hold 16-bit values; anything else in the store is not one of ours.
    return ok && value >= -32768 && value <= 32767 ? value : fallback;
}

} // namespace

LabelValues readStoredLabelValues(QSettings& store, const model::Catalogue& catalogue) {
    return {
        storedInteger(store, LabelWidthKey, catalogue.settingRange(SettingRow::LabelWidth).defaultValue),
        storedInteger(store, LabelLengthKey, catalogue.settingRange(SettingRow::LabelLength).defaultValue),
        storedInteger(store, LabelGapKey, catalogue.settingRange(SettingRow::LabelGap).defaultValue),
    };
}

void saveLabelValues(QSettings& store, const LabelValues& values) {
    store.setValue(LabelWidthKey, values.width);
    store.setValue(LabelLengthKey, values.length);
    store.setValue(LabelGapKey, values.gap);
}

void applyTargetDialogResult(const EditorContext& context, model::EditData& data, bool newDocument,
                             const model::TargetSettings& confirmed,
                             const std::function<void()>& beforeChange) {
    if (beforeChange) {
        beforeChange();
    }
    if (confirmed.targetKind == model::TargetKind::GeneralLabel) {
        saveLabelValues(context.store, {confirmed.labelWidth, confirmed.labelLength, confirmed.labelGap});
    }
    applyConfirmedTarget(data, confirmed, context.catalogue, context.settings, newDocument, context.prompter);
}

bool runTargetSettings(QWidget* parent, const EditorContext& context, model::EditData& data,
                       bool newDocument) {
    return runTargetSettings(parent, context, data, newDocument, {});
}

bool runTargetSettings(QWidget* parent, const EditorContext& context, model::EditData& data, bool newDocument,
                       const std::function<void()>& beforeChange) {
    const LabelValues stored = readStoredLabelValues(context.store, context.catalogue);
    const TargetDlgSetup setup{context.catalogue, context.prompter, data.target, newDocument,
                               targetDlgInitial(data, context.settings, newDocument, stored)};
    const std::unique_ptr<TargetDlgInterface> dialog = createTargetDialog(setup, parent);
    if (dialog->dialog().exec() != QDialog::Accepted) {
        return false;
    }
    applyTargetDialogResult(context, data, newDocument, dialog->confirmedSettings(), beforeChange);
    return true;
}

} // namespace qx::ui
