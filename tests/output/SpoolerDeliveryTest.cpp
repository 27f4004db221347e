#include "output/SpoolerDelivery.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qx::output {
namespace {

using State = SpoolerJobState;
using Verdict = DeliveryVerdict;

struct Row {
    const char* what;
    State job;
    bool stopped;
    bool processing;
    std::vector<std::string> reasons;
    bool waitOver;
    Verdict verdict;
    const char* reasonPart; ///< part of the diagnostic, "" for none
};

TEST(SpoolerDelivery, EachSituationOfTheQueueGetsItsVerdict) {
    const std::vector<Row> rows{
        {"completed", State::Completed, false, false, {}, false, Verdict::Delivered, ""},
        {"completed though the queue stopped after it",
         State::Completed,
         true,
         false,
         {},
         true,
         Verdict::Delivered,
         ""},
        {"every byte out, backend waits for the printer",
         State::Processing,
         false,
         true,
         {"cups-waiting-for-job-completed"},
         true,
         Verdict::Delivered,
         ""},
        {"behind another job", State::Pending, false, true, {}, false, Verdict::Queued, ""},
        {"not yet started on an idle queue", State::Pending, false, false, {}, false, Verdict::Wait, ""},
        {"still not started when the wait is over",
         State::Pending,
         false,
         false,
         {},
         true,
         Verdict::Queued,
         ""},
        {"being connected",
         State::Processing,
         false,
         true,
         {"connecting-to-device"},
         false,
         Verdict::Wait,
         ""},
        {"still being connected",
         State::Processing,
         false,
         true,
         {"connecting-to-device"},
         true,
         Verdict::Withdrawn,
         "could not connect"},
        {"printer offline",
         State::Processing,
         false,
         true,
         {"offline-report"},
         true,
         Verdict::Withdrawn,
         "offline"},
        {"no sign of the printer",
         State::Processing,
         false,
         true,
         {},
         true,
         Verdict::Withdrawn,
         "did not take the job"},
        {"backend stopped the queue, job back to pending",
         State::Pending,
         true,
         false,
         {"paused"},
         false,
         Verdict::Withdrawn,
         "queue stopped"},
        {"job stopped with its queue",
         State::Stopped,
         true,
         false,
         {},
         false,
         Verdict::Withdrawn,
         "queue stopped"},
        {"job stopped before its queue is seen stopped",
         State::Stopped,
         false,
         true,
         {},
         false,
         Verdict::Withdrawn,
         "stopped"},
        // Someone releasing a held job would print it after the operator was told it failed.
        {"held", State::Held, false, false, {}, false, Verdict::Withdrawn, "holds the job"},
        {"held on a stopped queue", State::Held, true, false, {}, false, Verdict::Withdrawn, "holds"},
        {"aborted", State::Aborted, false, false, {}, false, Verdict::Failed, "aborted"},
        {"cancelled", State::Cancelled, false, false, {}, false, Verdict::Failed, "cancelled"},
        // Every byte is with the spooler: a job a history-less scheduler forgot, or one failed
        // query, is no evidence of failure, even on a stopped queue or after the wait.
        {"state unreadable", State::Unknown, false, false, {}, false, Verdict::Delivered, ""},
        {"state unreadable on a stopped queue",
         State::Unknown,
         true,
         false,
         {},
         true,
         Verdict::Delivered,
         ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        DeliveryObservation seen;
        seen.jobState = row.job;
        seen.queueStopped = row.stopped;
        seen.queueProcessing = row.processing;
        seen.queueReasons = row.reasons;
        seen.queueMessage = "Printer says so.";
        seen.waitOver = row.waitOver;
        const DeliveryJudgement judgement = judgeDelivery(seen);
        EXPECT_EQ(judgement.verdict, row.verdict);
        if (*row.reasonPart == '\0') {
            EXPECT_EQ(judgement.reason, "");
        } else {
            EXPECT_NE(judgement.reason.find(row.reasonPart), std::string::npos) << judgement.reason;
            EXPECT_NE(judgement.reason.find("Printer says so."), std::string::npos) << judgement.reason;
        }
    }
}

TEST(SpoolerDelivery, ReasonsMatchWithTheirSeveritySuffixOnly) {
    const std::vector<std::string> reasons{"offline-report", "media-empty-warning", "connecting-to-devicex"};
    EXPECT_TRUE(hasQueueReason(reasons, "offline"));
    EXPECT_TRUE(hasQueueReason(reasons, "offline-report"));
    EXPECT_TRUE(hasQueueReason(reasons, "media-empty"));
    EXPECT_FALSE(hasQueueReason(reasons, "media"));
    EXPECT_FALSE(hasQueueReason(reasons, "connecting-to-device"));
}

} // namespace
} // namespace qx::output
