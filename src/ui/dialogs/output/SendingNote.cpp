#include "SendingNote.h"

#include "model/StringTable.h"

#include <QCloseEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace qx::ui {

namespace {

constexpr int MsgSending = 43300;      ///< "送信中…"
constexpr int MsgSendingQueue = 43301; ///< "プリンタ: %s"

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

CSendingNote::CSendingNote(const QString& queueName, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("sendingNote"));
    setWindowTitle(fromUtf8(model::messageText(MsgSending)));
    setWindowModality(Qt::ApplicationModal);
    auto* layout = new QVBoxLayout(this);
    auto* sending = new QLabel(fromUtf8(model::messageText(MsgSending)), this);
    sending->setObjectName(QStringLiteral("sendingText"));
    const std::string queue = queueName.toStdString();
    m_queue = new QLabel(fromUtf8(model::formatMessage(MsgSendingQueue, {queue})), this);
    m_queue->setObjectName(QStringLiteral("sendingQueue"));
    m_queue->setTextFormat(Qt::PlainText);
    layout->addWidget(sending);
    layout->addWidget(m_queue);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setContentsMargins(24, 16, 24, 16);
}

QString CSendingNote::queueText() const {
    return m_queue->text();
}

// The send cannot be interrupted once the spooler has it; the note goes when the spooler answers.
void CSendingNote::reject() {}

void CSendingNote::closeEvent(QCloseEvent* event) {
    event->ignore();
}

} // namespace qx::ui
