#include "support/ScriptedPrompter.h"

#include "output/SpoolerTransport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qx::output {
namespace {

using testing::ScriptedPrompter;

/// A spooler in memory that fails the step it is told to and logs every call.
class ScriptedSpooler final : public Spooler {
public:
    std::vector<SpoolerQueue> listed;
    std::string failAt;      // "open", "start", "write", "end", "close"
    std::size_t shortBy = 0; // the write takes this many bytes fewer
    std::vector<std::string> calls;
    std::string openedQueue;
    std::string documentName;
    std::vector<std::uint8_t> written;

    std::vector<SpoolerQueue> queues() override {
        calls.push_back("queues");
        return listed;
    }
    bool open(const std::string& queueName) override {
        calls.push_back("open");
        openedQueue = queueName;
        return failAt != "open";
    }
    bool startDocument(const std::string& name) override {
        calls.push_back("start");
        documentName = name;
        return failAt != "start";
    }
    std::size_t write(std::span<const std::uint8_t> bytes) override {
        calls.push_back("write");
        if (failAt == "write") {
            return 0;
        }
        written.assign(bytes.begin(), bytes.end());
        return bytes.size() - shortBy;
    }
    bool endDocument() override {
        calls.push_back("end");
        return failAt != "end";
    }
    bool close() override {
        calls.push_back("close");
        return failAt != "close";
    }
};

PrintJobResult job(std::string name, std::vector<std::uint8_t> bytes) {
    PrintJobResult result;
    result.ok = true;
    result.jobName = std::move(name);
    result.bytes = std::move(bytes);
    return result;
}

TEST(SpoolerTransport, DriverNamesFollowTheModelTable) {
    EXPECT_EQ(modelDriverName(0), "KAV QX-780");
    EXPECT_EQ(modelDriverName(1), "KAV QX-790");
    EXPECT_EQ(modelDriverName(2), "KAV QX-900W");
    EXPECT_EQ(modelDriverName(3), "KAV QX-950W");
    EXPECT_EQ(modelDriverName(4), "KAV QX-950");
    EXPECT_EQ(modelDriverName(5), "KAV QX-900W2");
    EXPECT_EQ(modelDriverName(6), "KAV QX-950W2");
    EXPECT_EQ(modelDriverName(7), "KAV QX-950A2");
    EXPECT_EQ(modelDriverName(8), "KAV QX-900W3");
    EXPECT_EQ(modelDriverName(9), "KAV QX-950W3");
    EXPECT_EQ(modelDriverName(10), "KAV QX-950A3");
    EXPECT_FALSE(modelDriverName(-1));
    EXPECT_FALSE(modelDriverName(11));
}

TEST(SpoolerTransport, WritesTheWholeJobToTheFirstMatchingQueueInOneWrite) {
    ScriptedSpooler spooler;
    spooler.listed = {
        {"office", "Generic PostScript"}, {"tubes-1", "KAV QX-950W2"}, {"tubes-2", "KAV QX-950W2"}};
    ScriptedPrompter prompter;
    const std::vector<std::uint8_t> bytes{0x1B, 0x25, 0x00, 0xFF, 0x0A};

    const int result = SendJobToPrinter(6, spooler, prompter, [&] { return job("Document1", bytes); });

    EXPECT_EQ(result, SendSucceeded);
    EXPECT_EQ(spooler.openedQueue, "tubes-1");
    EXPECT_EQ(spooler.documentName, "Document1");
    EXPECT_EQ(spooler.written, bytes);
    EXPECT_EQ(spooler.calls, (std::vector<std::string>{"queues", "open", "start", "write", "end", "close"}));
    ASSERT_EQ(prompter.shown().size(), 1u);
    EXPECT_EQ(prompter.shown()[0], (Prompt{MsgPcCommunicationMode, {}, Buttons::OkCancel, Icon::Default}));
}

TEST(SpoolerTransport, UnknownModelSendsNothingAndSaysNothing) {
    for (const model::ModelType model : {-1, 11, 1000}) {
        ScriptedSpooler spooler;
        spooler.listed = {{"q", "KAV QX-950W3"}};
        ScriptedPrompter prompter;
        bool built = false;
        EXPECT_EQ(SendJobToPrinter(model, spooler, prompter,
                                   [&] {
                                       built = true;
                                       return job("d", {1});
                                   }),
                  SendNotStarted);
        EXPECT_TRUE(spooler.calls.empty());
        EXPECT_TRUE(prompter.shown().empty());
        EXPECT_FALSE(built);
    }
}

TEST(SpoolerTransport, NoMatchingQueueShows42010Only) {
    struct Row {
        model::ModelType model;
        std::string driver;
    };
    // Letter case and the model 4 case are tried against CUPS as well.
    const Row rows[] = {
        {3, "KAV QX-950"},    // no prefix match
        {9, "KAV QX-950W3 "}, // no trimming
        {9, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.driver);
        ScriptedSpooler spooler;
        spooler.listed = {{"q", row.driver}};
        ScriptedPrompter prompter;
        bool built = false;
        EXPECT_EQ(SendJobToPrinter(row.model, spooler, prompter,
                                   [&] {
                                       built = true;
                                       return job("d", {1});
                                   }),
                  SendNotStarted);
        EXPECT_EQ(prompter.shownIds(), std::vector<int>{MsgNoPrinterQueue});
        EXPECT_EQ(prompter.shown()[0].buttons, Buttons::Ok);
        EXPECT_FALSE(built);
        EXPECT_EQ(spooler.calls, std::vector<std::string>{"queues"});
    }
}

TEST(SpoolerTransport, AnythingButOkOn42011BuildsNothing) {
    for (const Answer answer : {Answer::Cancel, Answer::No}) {
        ScriptedSpooler spooler;
        spooler.listed = {{"q", "KAV QX-790"}};
        ScriptedPrompter prompter({answer});
        bool built = false;
        EXPECT_EQ(SendJobToPrinter(1, spooler, prompter,
                                   [&] {
                                       built = true;
                                       return job("d", {1});
                                   }),
                  SendNotStarted);
        EXPECT_FALSE(built);
        EXPECT_EQ(prompter.shownIds(), std::vector<int>{MsgPcCommunicationMode});
        EXPECT_EQ(spooler.calls, std::vector<std::string>{"queues"});
    }
}

TEST(SpoolerTransport, RefusedJobShowsTheEncoderMessageAndOpensNoQueue) {
    ScriptedSpooler spooler;
    spooler.listed = {{"q", "KAV QX-900W3"}};
    ScriptedPrompter prompter;
    PrintJobResult refused;
    refused.refusal = PrintJobRefusal::Encoder;
    refused.messageId = 42003;
    refused.failedBlock = 7;

    EXPECT_EQ(SendJobToPrinter(8, spooler, prompter, [&] { return refused; }), SendNotStarted);
    EXPECT_EQ(prompter.shownIds(), (std::vector<int>{MsgPcCommunicationMode, 42003}));
    EXPECT_EQ(spooler.calls, std::vector<std::string>{"queues"});

    // A silent refusal (a version the model does not take) adds no message.
    ScriptedPrompter quiet;
    EXPECT_EQ(SendJobToPrinter(8, spooler, quiet, [] { return PrintJobResult{}; }), SendNotStarted);
    EXPECT_EQ(quiet.shownIds(), std::vector<int>{MsgPcCommunicationMode});
}

TEST(SpoolerTransport, EveryFailingStepGivesMinusOneAndWhatWasBegunIsUndone) {
    struct Row {
        std::string failAt;
        std::size_t shortBy;
        std::vector<std::string> calls;
    };
    const std::vector<std::string> all{"queues", "open", "start", "write", "end", "close"};
    const Row rows[] = {
        {"open", 0, {"queues", "open"}},
        {"start", 0, {"queues", "open", "start", "close"}},
        {"write", 0, all},
        {"", 1, all}, // a short write is no delivery, and the document is still ended and closed
        {"end", 0, all},
        {"close", 0, all},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.failAt + " short by " + std::to_string(row.shortBy));
        ScriptedSpooler spooler;
        spooler.listed = {{"q", "KAV QX-950W"}};
        spooler.failAt = row.failAt;
        spooler.shortBy = row.shortBy;
        ScriptedPrompter prompter;
        const int result = SendJobToPrinter(3, spooler, prompter, [] { return job("d", {1, 2, 3}); });
        EXPECT_EQ(result, SendFailed);
        EXPECT_EQ(spooler.calls, row.calls);

        showSendResult(result, prompter);
        EXPECT_EQ(prompter.shownIds(), (std::vector<int>{MsgPcCommunicationMode, MsgSendFailed}));
    }
}

TEST(SpoolerTransport, AnEmptyJobIsNeverReportedAsSent) {
    ScriptedSpooler spooler;
    spooler.listed = {{"q", "KAV QX-950W"}};
    ScriptedPrompter prompter;
    EXPECT_EQ(SendJobToPrinter(3, spooler, prompter, [] { return job("d", {}); }), SendFailed);
    EXPECT_EQ(spooler.calls, std::vector<std::string>{"queues"});
}

TEST(SpoolerTransport, FinalMessageFollowsTheResult) {
    ScriptedPrompter prompter;
    showSendResult(SendSucceeded, prompter);
    showSendResult(SendNotStarted, prompter);
    showSendResult(SendFailed, prompter);
    ASSERT_EQ(prompter.shown().size(), 2u);
    EXPECT_EQ(prompter.shown()[0], (Prompt{MsgSendCompleted, {}, Buttons::Ok, Icon::Information}));
    EXPECT_EQ(prompter.shown()[1].messageId, MsgSendFailed);
}

} // namespace
} // namespace qx::output
