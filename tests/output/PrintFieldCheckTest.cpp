#include "OutputTestDocuments.h"

#include "output/PrintFieldCheck.h"

#include "model/Catalogue.h"
#include "model/OperatorSettings.h"
#include "model/TargetKind.h"

#include <gtest/gtest.h>

namespace qx::output {
namespace {

using testdocs::setLine;

/// One block of pitch 30.0 mm and continuous count 4 on a tube, specified pitch.
model::EditData tubeRun(const model::Catalogue& catalogue) {
    model::EditData data = model::createEditData(catalogue, 1);
    data.target.pitchAuto = 0;
    data.block(0).pitch = 300;
    data.block(0).count = 4;
    setLine(data, 0, 0, "A", 0);
    return data;
}

PrintFieldCheck check(const model::Catalogue& catalogue, const model::EditData& data, PrintFieldTexts typed,
                      const model::OperatorSettings& settings = {}) {
    const PrintOptions opened = printDialogStart(catalogue, catalogue.model(), data, PrintOptions{});
    return checkPrintFields(catalogue, settings, data, opened, typed);
}

// 120.0 mm over 4 pieces allows −1.2 to 6.0 mm. The QX-790's dialog compares 6.05 as typed; the
// later ones compare its tenths, 6.0.
TEST(PrintFieldCheck, QX790ComparesTheCorrectionAsTypedLaterModelsItsTenths) {
    struct Row {
        model::ModelType model;
        const char* typed;
        bool accepted;
        std::int16_t stored;
    };
    const Row rows[] = {
        {1, "6.05", false, 0},  {1, "6.0", true, 360},  {1, "-1.2", true, 288}, {1, "-1.21", false, 0},
        {3, "6.05", true, 360}, {9, "6.05", true, 360}, {9, "6.1", false, 0},   {9, "-1.25", true, 288},
        {9, "-1.3", false, 0},  {5, "x", false, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.model) + " " + row.typed);
        const model::Catalogue catalogue(row.model);
        PrintFieldTexts typed;
        typed.revision = row.typed;
        const PrintFieldCheck result = check(catalogue, tubeRun(catalogue), typed);
        EXPECT_EQ(result.ok, row.accepted);
        if (row.accepted) {
            EXPECT_EQ(result.options.revision, row.stored);
        } else {
            EXPECT_EQ(result.messageId, 42041);
            EXPECT_EQ(result.message, "-1.2～6.0の範囲で設定してください。");
            EXPECT_EQ(result.field, PrintField::Revision);
        }
    }
}

// The QX-790 checks the run before the cut position; the later dialogs the other way round.
TEST(PrintFieldCheck, EachGenerationChecksInItsDialogsOrder) {
    PrintFieldTexts typed;
    typed.startBlock = "2";
    typed.endBlock = "1";
    typed.cutPosition = "2.05";
    for (const model::ModelType model : {1, 3, 9}) {
        SCOPED_TRACE(model);
        const model::Catalogue catalogue(model);
        model::EditData data = tubeRun(catalogue);
        data.blockCount = 2;
        data.block(1) = data.block(0);
        const PrintFieldCheck result = check(catalogue, data, typed);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.messageId, model == 1 ? 42050 : 42041);
        EXPECT_EQ(result.field, model == 1 ? PrintField::StartBlock : PrintField::CutPosition);
    }
}

// AUTO pitch on a KAV label with a 1.0 mm gap and 10.0 mm tape pitch: "AA" 35 times and "A" 65
// times come to 11,835 dots, 1000.06 mm, one rounding step over the 1000 mm of a label run.
TEST(PrintFieldCheck, RunTotalRoundsDotsToTenths) {
    const model::Catalogue catalogue(9);
    model::OperatorSettings settings;
    settings.pitchLenTape = 100;
    model::EditData data = model::createEditData(catalogue, 1);
    data.target.targetKind = model::TargetKind::KavLabel;
    data.target.labelGap = 10;
    data.target.pitchAuto = 1;
    data.blockCount = 2;
    setLine(data, 0, 0, "AA", 0);
    data.block(0).count = 35;
    setLine(data, 1, 0, "A", 0);
    for (const int count : {65, 64}) {
        SCOPED_TRACE(count);
        data.block(1).count = static_cast<std::int16_t>(count);
        const PrintRunTotal total = printRunTotal(catalogue, settings, data, 0, 2, 0);
        EXPECT_EQ(total.tenths, count == 65 ? 10001 : 9901);
        const PrintFieldCheck result = check(catalogue, data, {}, settings);
        EXPECT_EQ(result.ok, count == 64);
        EXPECT_EQ(result.messageId, count == 64 ? 0 : 42051);
    }
}

} // namespace
} // namespace qx::output
