#pragma once

#include <QDialog>

class QLabel;

namespace qx::ui {

/// The small modal note shown while a job goes to the spooler: "送信中…" and the queue it goes to.
/// It has no buttons and cannot be closed by the operator; whoever showed it closes it.
class CSendingNote final : public QDialog {
    Q_OBJECT
public:
    CSendingNote(const QString& queueName, QWidget* parent);

    QString queueText() const;

protected:
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* m_queue = nullptr;
};

} // namespace qx::ui
