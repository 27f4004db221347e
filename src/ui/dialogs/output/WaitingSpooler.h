#pragma once

#include "output/Spooler.h"

#include <QPointer>

#include <functional>
#include <memory>

class QWidget;

namespace qx::ui {

class CSendingNote;

/// A spooler whose slow calls (from opening a queue to closing it; ending a document waits until
/// the printer has the job, up to the delivery timeout) run off the user-interface thread, while
/// the window keeps painting under a busy cursor and a modal note naming the queue, which also
/// keeps the operator from starting a second command meanwhile. The calls, their order and their
/// results are those of the wrapped spooler.
class WaitingSpooler final : public output::Spooler {
public:
    /// `parent` is the window the note belongs to.
    WaitingSpooler(output::Spooler& spooler, QWidget* parent);
    ~WaitingSpooler() override;

    WaitingSpooler(const WaitingSpooler&) = delete;
    WaitingSpooler& operator=(const WaitingSpooler&) = delete;

    std::vector<output::SpoolerQueue> queues() override;
    bool open(const std::string& queueName) override;
    bool startDocument(const std::string& documentName) override;
    std::size_t write(std::span<const std::uint8_t> bytes) override;
    bool endDocument() override;
    bool close() override;

    /// The note while a queue is open, else null.
    CSendingNote* note() const;

private:
    void beginWait(const std::string& queueName);
    void endWait();

    output::Spooler& m_spooler;
    QPointer<QWidget> m_parent;
    std::unique_ptr<CSendingNote> m_note;
    bool m_busyCursor = false;
};

/// Runs `work` on a thread of its own and returns its result, handling the user-interface
/// thread's events (painting, timers) until it is done.
bool runOffUiThread(const std::function<bool()>& work);

} // namespace qx::ui
