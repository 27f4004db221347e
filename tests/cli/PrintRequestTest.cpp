#include "cli/PrintRequest.h"
#include "cli/ConsolePrompter.h"
#include "cli/ExitStatus.h"
#include "cli/ToolContext.h"
#include "model/TargetKind.h"

#include <gtest/gtest.h>

#include <sstream>

namespace qx::cli {
namespace {

/// A tube document of one block: pitch 30.0 mm, continuous count 4, one character.
model::EditData tubeDocument(const ToolContext& context) {
    model::EditData data = model::createEditData(context.catalogue(), 1);
    data.block(0).pitch = 300;
    data.block(0).count = 4;
    data.line(0, 0).chars = {0x2341};
    return data;
}

struct OptionsRun {
    std::optional<output::PrintOptions> options;
    int status = 0;
    std::string err;
};

OptionsRun jobOptionsOf(model::ModelType model, const model::EditData& data, bool send,
                        std::vector<std::pair<std::string, std::string>> options) {
    std::ostringstream out;
    std::ostringstream err;
    const ToolContext context(model, out, err);
    Invocation invocation;
    invocation.options = std::move(options);
    OptionsRun run;
    run.options = jobOptions(context, invocation, data, send, run.status);
    run.err = err.str();
    return run;
}

model::EditData documentFor(model::ModelType model) {
    std::ostringstream sink;
    return tubeDocument(ToolContext(model, sink, sink));
}

TEST(PrintRequest, StartsAsThePrintDialogOfAFreshStore) {
    for (model::ModelType model : {1, 3, 9}) {
        model::EditData data = documentFor(model);
        data.blockCount = 3;
        const OptionsRun run = jobOptionsOf(model, data, false, {});
        ASSERT_TRUE(run.options) << model << run.err;
        EXPECT_EQ(*run.options, (output::PrintOptions{1, 0, 4, 20, 0, 0, 0, 10, 1, 3, 1, 300, 0})) << model;
    }
    const OptionsRun send = jobOptionsOf(9, documentFor(9), true, {{"--memory", "7"}});
    ASSERT_TRUE(send.options);
    EXPECT_EQ(*send.options, (output::PrintOptions{0, 7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(PrintRequest, ShownValuesBecomeStoredOnes) {
    const OptionsRun run = jobOptionsOf(9, documentFor(9), false,
                                        {{"--cut", "-1.55"},
                                         {"--offset", "-10"},
                                         {"--revision", "6.05"},
                                         {"--heat", "8"},
                                         {"--seq-order", "1"},
                                         {"--type", "1"},
                                         {"--front-feed", ""}});
    ASSERT_TRUE(run.options) << run.err;
    EXPECT_EQ(run.options->cutPosAdjust, 5); // -1.5 mm after truncation
    EXPECT_EQ(run.options->prnOffsetY, 0);
    EXPECT_EQ(run.options->heatVol, 8);
    EXPECT_EQ(run.options->seqOrder, 1);
    EXPECT_EQ(run.options->printType, 1);
    EXPECT_EQ(run.options->frontFeed, 1);
    // The rotated pattern doubles the count: 30.0 mm × 8 pieces allows up to 12.0 mm.
    EXPECT_EQ(run.options->revision, 360);
}

TEST(PrintRequest, CorrectionBoundsFollowTheChosenRun) {
    // 30.0 mm over 4 pieces: −1.2 mm to 6.0 mm; 6.05 truncates to 6.0.
    struct Row {
        const char* value;
        bool accepted;
    };
    for (const Row& r : {Row{"6.05", true}, Row{"6.1", false}, Row{"-1.2", true}, Row{"-1.3", false},
                         Row{"1.", true}, Row{".5", false}, Row{"1e1", false}}) {
        const OptionsRun run = jobOptionsOf(3, documentFor(3), false, {{"--revision", r.value}});
        EXPECT_EQ(run.options.has_value(), r.accepted) << r.value;
        if (!r.accepted) {
            EXPECT_EQ(run.status, ExitStatus::Usage);
            EXPECT_EQ(run.err.rfind("42041 -1.2～6.0の範囲で設定してください。\n", 0), 0u) << run.err;
        }
    }
}

TEST(PrintRequest, QX790RefusesACorrectionBeyondItsBoundBeforeTruncation) {
    const OptionsRun early = jobOptionsOf(1, documentFor(1), false, {{"--revision", "6.05"}});
    EXPECT_FALSE(early.options);
    EXPECT_EQ(early.err.rfind("42041 -1.2～6.0の範囲で設定してください。\n", 0), 0u) << early.err;
    const OptionsRun later = jobOptionsOf(9, documentFor(9), false, {{"--revision", "6.05"}});
    ASSERT_TRUE(later.options) << later.err;
    EXPECT_EQ(later.options->revision, 360);
}

TEST(PrintRequest, CutPositionRangeIsExact) {
    for (const char* value : {"2.0", "-2.0", "2.00", "0"}) {
        EXPECT_TRUE(jobOptionsOf(9, documentFor(9), false, {{"--cut", value}}).options) << value;
    }
    for (const char* value : {"2.01", "-2.05", "3", "-", "+1", "1.5mm"}) {
        const OptionsRun run = jobOptionsOf(9, documentFor(9), false, {{"--cut", value}});
        EXPECT_FALSE(run.options) << value;
        EXPECT_EQ(run.err.rfind("42041 -2.0～2.0", 0), 0u) << run.err;
    }
}

TEST(PrintRequest, OptionsTheDialogDisablesAreRefused) {
    model::EditData autoPitch = documentFor(9);
    autoPitch.target.pitchAuto = 1;
    model::EditData printLength = documentFor(9);
    printLength.target.printMode = model::codes::Line1Marker;
    model::EditData label = documentFor(9);
    label.target.targetKind = model::TargetKind::KavLabel;
    struct Row {
        model::ModelType model;
        const model::EditData* data;
        bool send;
        const char* option;
        const char* value;
    };
    const model::EditData tube = documentFor(9);
    const model::EditData early = documentFor(3);
    const Row rows[] = {
        {9, &autoPitch, false, "--revision", "0"}, {9, &printLength, false, "--copies", "2"},
        {9, &printLength, false, "--start", "1"},  {9, &label, false, "--copies", "1"},
        {9, &label, false, "--low-speed", ""},     {3, &early, false, "--type", "0"},
        {9, &tube, false, "--memory", "1"},        {9, &tube, true, "--copies", "1"},
        {9, &printLength, false, "--type", "1"},
    };
    for (const Row& r : rows) {
        const OptionsRun run = jobOptionsOf(r.model, *r.data, r.send, {{r.option, r.value}});
        EXPECT_FALSE(run.options) << r.option;
        EXPECT_EQ(run.status, ExitStatus::Usage) << r.option;
    }
    // Low-speed mode goes off by itself on non-tube targets.
    const OptionsRun labelRun = jobOptionsOf(9, label, false, {});
    ASSERT_TRUE(labelRun.options);
    EXPECT_EQ(labelRun.options->lowTempMode, 0);
}

TEST(PrintRequest, RunChecksOfTheDialog) {
    model::EditData data = documentFor(9);
    data.blockCount = 2;
    data.block(1) = data.block(0);
    const OptionsRun reversed = jobOptionsOf(9, data, false, {{"--start", "2"}, {"--end", "1"}});
    EXPECT_FALSE(reversed.options);
    EXPECT_EQ(reversed.err.rfind("42050 ", 0), 0u);

    // 5,000 mm of tube is well within one run; 30 copies of it are not.
    data.block(0).pitch = 10000;
    data.block(0).count = 5;
    data.blockCount = 1;
    const OptionsRun copies = jobOptionsOf(9, data, false, {{"--copies", "30"}});
    EXPECT_FALSE(copies.options);
    EXPECT_EQ(copies.status, ExitStatus::Invalid);
    EXPECT_EQ(copies.err.rfind("42053 ", 0), 0u);

    data.block(0).count = 101; // 101,000 mm: longer than any run of tube
    const OptionsRun total = jobOptionsOf(9, data, false, {});
    EXPECT_FALSE(total.options);
    EXPECT_EQ(total.status, ExitStatus::Invalid);
    EXPECT_EQ(total.err.rfind("42051 ", 0), 0u);
}

TEST(ConsolePrompter, AnswersWithoutATerminalOnlyWhenTold) {
    const output::Prompt question{42011, {}, output::Buttons::OkCancel, output::Icon::Default};
    std::ostringstream err;
    std::istringstream none;
    EXPECT_EQ(ConsolePrompter(err, none, false, false).prompt(question), output::Answer::Cancel);
    EXPECT_EQ(ConsolePrompter(err, none, false, true).prompt(question), output::Answer::Ok);
    EXPECT_EQ(err.str().rfind("42011 本体をPC通信モードにして下さい\n", 0), 0u);

    std::istringstream no("n\n");
    EXPECT_EQ(ConsolePrompter(err, no, true, false).prompt(question), output::Answer::Cancel);
    std::istringstream enter("\n");
    EXPECT_EQ(ConsolePrompter(err, enter, true, false).prompt(question), output::Answer::Ok);
    std::istringstream closed;
    EXPECT_EQ(ConsolePrompter(err, closed, true, false).prompt(question), output::Answer::Cancel);
}

} // namespace
} // namespace qx::cli
