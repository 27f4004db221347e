#pragma once

#include "ui/EditorContext.h"
#include "ui/dialogs/target/TargetDlgControls.h"
#include "ui/dialogs/target/TargetDlgInterface.h"
#include "ui/dialogs/target/TargetRules.h"
#include "model/EditData.h"

#include <QDialog>

#include <functional>
#include <memory>

class QSettings;

namespace qx::ui {

/// The target settings dialog of models 0 and 1: the base controls, "自動"/"指定" and a plain
/// frame on/off, with a fixed table of enabling states per mode.
class CTargetDlg final : public QDialog, public TargetDlgInterface {
    Q_OBJECT

public:
    explicit CTargetDlg(const TargetDlgSetup& setup, QWidget* parent = nullptr);

    QDialog& dialog() override { return *this; }
    TargetDlgVariant variant() const override { return TargetDlgVariant::FirstGeneration; }
    const model::TargetSettings& confirmedSettings() const override { return m_confirmed; }

    void accept() override;

private:
    void onChange(TargetChange change);
    void showForm();

    output::Prompter& m_prompter;
    model::TargetSettings m_original;
    model::TargetSettings m_confirmed;
    TargetRules m_rules;
    TargetForm m_form;
    TargetDlgControls m_controls;
};

/// The dialog class of the catalogue's model, loaded and ready to run (CTargetDlg for models 0
/// and 1, CTargetDlgV9, CTargetDlgV12 or CTargetDlgV14 after them). Tests set its controls and
/// call accept() instead of running it.
std::unique_ptr<TargetDlgInterface> createTargetDialog(const TargetDlgSetup& setup,
                                                       QWidget* parent = nullptr);

/// The "Label" section of the settings store: "LabelWidth", "LabelLength", "LabelPitch" (the gap),
/// each defaulting to its setting row.
LabelValues readStoredLabelValues(QSettings& store, const model::Catalogue& catalogue);
void saveLabelValues(QSettings& store, const LabelValues& values);

/// The steps after OK: saves a general label's dimensions to the store and brings the document in
/// line with the confirmed settings (applyConfirmedTarget). `beforeChange`, when given, runs first
/// (the undo step of an existing document).
void applyTargetDialogResult(const EditorContext& context, model::EditData& data, bool newDocument,
                             const model::TargetSettings& confirmed,
                             const std::function<void()>& beforeChange = {});

/// Runs the target settings dialog of the context's model on the document modally. true: OK, and
/// `data` is updated (for a new document with the operator's defaults applied); false: cancelled,
/// `data` untouched.
bool runTargetSettings(QWidget* parent, const EditorContext& context, model::EditData& data,
                       bool newDocument);
/// The same with a step that runs after OK and before `data` changes (the caller's undo record).
bool runTargetSettings(QWidget* parent, const EditorContext& context, model::EditData& data, bool newDocument,
                       const std::function<void()>& beforeChange);

} // namespace qx::ui
