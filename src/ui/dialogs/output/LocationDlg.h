#pragma once

#include "model/ModelType.h"

#include <QDialog>

class QPushButton;

namespace qx::ui {

/// "保存先を選択してください": whether a document goes to the computer's disk or to the removable
/// memory the printer reads (a CF card for the QX-780, a USB memory for every later model).
class CLocationDlg final : public QDialog {
    Q_OBJECT

public:
    /// The choice on OK.
    enum Location { None = 0, HardDisk = 1, Removable = 2 };

    explicit CLocationDlg(model::ModelType model, QWidget* parent = nullptr);

    /// HardDisk or Removable after OK; None before or after cancel.
    int choice() const { return m_choice; }

private:
    void choose(int location);

    int m_choice = None;
};

} // namespace qx::ui
