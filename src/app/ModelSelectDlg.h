#pragma once

#include "model/Catalogue.h"
#include "model/ModelType.h"

#include <QDialog>

#include <optional>
#include <span>

class QComboBox;
class QPushButton;

namespace qx::app {

/// The model an OK takes from the list: the selected entry's model index, nothing while no entry
/// is selected or the entry carries no model (−1).
std::optional<model::ModelType> chosenModel(int selectedIndex, int entryModel);

/// "機種選択": the printer model of this run. It has only OK; Esc and the close box do nothing,
/// so it ends only with a model picked.
class CModelSelectDlg final : public QDialog {
    Q_OBJECT

public:
    /// `models` is the model list (choice list 0); `current` is selected when the list holds it.
    CModelSelectDlg(std::span<const model::Choice> models, model::ModelType current, QWidget* parent = nullptr);

    /// The model picked; the starting model until OK has taken a choice.
    model::ModelType modelType() const { return m_modelType; }

    QComboBox& modelList() const { return *m_list; }
    QPushButton& okButton() const { return *m_ok; }

    void accept() override;
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QComboBox* m_list;
    QPushButton* m_ok;
    model::ModelType m_modelType;
};

} // namespace qx::app
