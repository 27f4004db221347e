#include "WaitingSpooler.h"

#include "SendingNote.h"

#include <QApplication>
#include <QEventLoop>
#include <QMetaObject>

#include <thread>

namespace qx::ui {

bool runOffUiThread(const std::function<bool()>& work) {
    QEventLoop loop;
    bool result = false;
    std::thread worker([&] {
        result = work();
        // Queued: the loop handles it once it runs, even when the work was over before it started.
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    return result;
}

WaitingSpooler::WaitingSpooler(output::Spooler& spooler, QWidget* parent)
    : m_spooler(spooler), m_parent(parent) {}

WaitingSpooler::~WaitingSpooler() {
    endWait();
}

std::vector<output::SpoolerQueue> WaitingSpooler::queues() {
    return m_spooler.queues();
}

bool WaitingSpooler::open(const std::string& queueName) {
    beginWait(queueName);
    const bool opened = runOffUiThread([&] { return m_spooler.open(queueName); });
    if (!opened) {
        endWait(); // no close follows a queue that did not open
    }
    return opened;
}

bool WaitingSpooler::startDocument(const std::string& documentName) {
    return runOffUiThread([&] { return m_spooler.startDocument(documentName); });
}

std::size_t WaitingSpooler::write(std::span<const std::uint8_t> bytes) {
    std::size_t taken = 0;
    runOffUiThread([&] {
        taken = m_spooler.write(bytes);
        return true;
    });
    return taken;
}

bool WaitingSpooler::endDocument() {
    return runOffUiThread([&] { return m_spooler.endDocument(); });
}

bool WaitingSpooler::close() {
    const bool closed = runOffUiThread([&] { return m_spooler.close(); });
    endWait(); // before the caller tells the result
    return closed;
}

CSendingNote* WaitingSpooler::note() const {
    return m_note.get();
}

void WaitingSpooler::beginWait(const std::string& queueName) {
    if (!m_busyCursor) {
        QApplication::setOverrideCursor(Qt::BusyCursor);
        m_busyCursor = true;
    }
    m_note = std::make_unique<CSendingNote>(QString::fromStdString(queueName), m_parent.data());
    m_note->show();
}

void WaitingSpooler::endWait() {
    m_note.reset();
    if (m_busyCursor) {
        QApplication::restoreOverrideCursor();
        m_busyCursor = false;
    }
}

} // namespace qx::ui
