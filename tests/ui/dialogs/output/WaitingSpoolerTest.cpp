#include "ui/dialogs/output/WaitingSpooler.h"
#include "ui/dialogs/output/SendingNote.h"

#include "output/SpoolerTransport.h"
#include "support/ScriptedPrompter.h"

#include <QApplication>
#include <QPainter>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <thread>

namespace qx::ui {
namespace {

using output::testing::ScriptedPrompter;
using Bytes = std::vector<std::uint8_t>;

/// A spooler that takes its time to end a document, as CUPS does while it watches the printer, and
/// records each call with whether it came on the user-interface thread.
class SlowSpooler final : public output::Spooler {
public:
    explicit SlowSpooler(std::chrono::milliseconds endTime, bool opens = true)
        : m_endTime(endTime), m_opens(opens) {}

    std::vector<output::SpoolerQueue> queues() override {
        note("queues");
        return {{"office", "Generic Text"}, {"tube-room", "KAV QX-950W3"}};
    }
    bool open(const std::string& queueName) override {
        note("open " + queueName);
        return m_opens;
    }
    bool startDocument(const std::string& documentName) override {
        note("start " + documentName);
        return true;
    }
    std::size_t write(std::span<const std::uint8_t> bytes) override {
        note("write " + std::to_string(bytes.size()));
        return bytes.size();
    }
    bool endDocument() override {
        note("end");
        std::this_thread::sleep_for(m_endTime);
        return true;
    }
    bool close() override {
        note("close");
        return true;
    }

    std::vector<std::string> calls() const {
        std::lock_guard lock(m_mutex);
        return m_calls;
    }
    /// The calls that came on the user-interface thread.
    std::vector<std::string> uiThreadCalls() const {
        std::lock_guard lock(m_mutex);
        return m_uiCalls;
    }

private:
    void note(const std::string& call) {
        std::lock_guard lock(m_mutex);
        m_calls.push_back(call);
        if (std::this_thread::get_id() == m_uiThread) {
            m_uiCalls.push_back(call);
        }
    }

    std::chrono::milliseconds m_endTime;
    bool m_opens;
    std::thread::id m_uiThread = std::this_thread::get_id();
    mutable std::mutex m_mutex;
    std::vector<std::string> m_calls;
    std::vector<std::string> m_uiCalls;
};

/// A window that counts how often it was painted.
class PaintCounter final : public QWidget {
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent*) override {
        ++paints;
        QPainter(this).fillRect(rect(), Qt::white);
    }
};

output::PrintJobResult sampleJob() {
    output::PrintJobResult job;
    job.ok = true;
    job.jobName = "配線.QXF";
    job.bytes = Bytes(28570, 0x1B);
    return job;
}

// While the spooler watches the job, the window keeps painting under a busy cursor and a modal
// note naming the queue; the spooler sees the calls it always saw, and the operator the messages.
TEST(WaitingSpooler, WindowKeepsPaintingUnderTheNoteWhileTheSpoolerWaits) {
    PaintCounter window;
    window.resize(300, 200);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    SlowSpooler slow(std::chrono::milliseconds(600));
    WaitingSpooler waiting(slow, &window);
    ScriptedPrompter prompter;

    int paintsBefore = -1;
    int samples = 0;
    bool noteSeen = true;
    bool busySeen = true;
    QString queueShown;
    QTimer probe;
    probe.setInterval(40);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (waiting.note() == nullptr) {
            return; // not yet sending, or done
        }
        ++samples;
        if (paintsBefore < 0) {
            paintsBefore = window.paints;
        }
        window.update();
        noteSeen =
            noteSeen && waiting.note()->isVisible() && QApplication::activeModalWidget() == waiting.note();
        busySeen = busySeen && QApplication::overrideCursor() != nullptr &&
                   QApplication::overrideCursor()->shape() == Qt::BusyCursor;
        queueShown = waiting.note()->queueText();
    });
    probe.start();

    const int result = output::SendJobToPrinter(9, waiting, prompter, [] { return sampleJob(); });
    output::showSendResult(result, prompter);
    probe.stop();

    EXPECT_EQ(result, output::SendSucceeded);
    EXPECT_EQ(prompter.shownIds(),
              (std::vector<int>{output::MsgPcCommunicationMode, output::MsgSendCompleted}));
    EXPECT_EQ(slow.calls(), (std::vector<std::string>{"queues", "open tube-room", "start 配線.QXF",
                                                      "write 28570", "end", "close"}));
    // Only the quick listing runs on the user-interface thread.
    EXPECT_EQ(slow.uiThreadCalls(), std::vector<std::string>{"queues"});
    EXPECT_GE(samples, 5);
    EXPECT_TRUE(noteSeen);
    EXPECT_TRUE(busySeen);
    EXPECT_EQ(queueShown, QStringLiteral("プリンタ: tube-room"));
    EXPECT_GE(window.paints - paintsBefore, 3) << "the window did not paint while the spooler waited";
    // Gone before the result is told.
    EXPECT_EQ(waiting.note(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// The operator cannot close the note; only the spooler's answer ends it.
TEST(WaitingSpooler, NoteCannotBeClosedByTheOperator) {
    CSendingNote note(QStringLiteral("tube-room"), nullptr);
    note.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&note));
    QTest::keyClick(&note, Qt::Key_Escape);
    EXPECT_TRUE(note.isVisible());
    EXPECT_FALSE(note.close());
    EXPECT_TRUE(note.isVisible());
}

// A queue that does not open gets no close call: the note and the busy cursor still go, and the
// operator is told the failure.
TEST(WaitingSpooler, QueueThatDoesNotOpenLeavesNoNoteBehind) {
    SlowSpooler slow(std::chrono::milliseconds(0), false);
    WaitingSpooler waiting(slow, nullptr);
    ScriptedPrompter prompter;

    const int result = output::SendJobToPrinter(9, waiting, prompter, [] { return sampleJob(); });
    output::showSendResult(result, prompter);

    EXPECT_EQ(result, output::SendFailed);
    EXPECT_EQ(prompter.shownIds(), (std::vector<int>{output::MsgPcCommunicationMode, output::MsgSendFailed}));
    EXPECT_EQ(slow.calls(), (std::vector<std::string>{"queues", "open tube-room"}));
    EXPECT_EQ(waiting.note(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

} // namespace
} // namespace qx::ui
