#include "output/PrintOptions.h"

#include "model/OperatorSettings.h"

#include <gtest/gtest.h>

using namespace qx::output;

TEST(PrintOptions, ShownAndStoredFormsDifferByTheirOffsets) {
    struct Row {
        int shownCut, storedCut, shownOffset, storedOffset, shownRevision, storedRevision;
    };
    const Row rows[] = {
        {0, 20, 0, 10, 0, 300},
        {-20, 0, -10, 0, -300, 0},
        {20, 40, 12, 22, 300, 600},
        {5, 25, -3, 7, -12, 288},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(storedCutPosition(r.shownCut), r.storedCut);
        EXPECT_EQ(shownCutPosition(static_cast<std::int16_t>(r.storedCut)), r.shownCut);
        EXPECT_EQ(storedPrintOffsetY(r.shownOffset), r.storedOffset);
        EXPECT_EQ(shownPrintOffsetY(static_cast<std::int16_t>(r.storedOffset)), r.shownOffset);
        EXPECT_EQ(storedRevision(r.shownRevision), r.storedRevision);
        EXPECT_EQ(shownRevision(static_cast<std::int16_t>(r.storedRevision)), r.shownRevision);
    }
}

TEST(PrintOptions, StoredFormSaturatesInsteadOfWrapping) {
    EXPECT_EQ(storedRevision(40000), 32767);
    EXPECT_EQ(storedCutPosition(-40000), -32768);
    EXPECT_EQ(storedPrintOffsetY(32760), 32767);
}

TEST(PrintOptions, MachineParametersTravelBothWays) {
    const qx::model::PrintParameters p{7, 25, 1, 1, 1, 3};
    PrintOptions o;
    o.copies = 4;
    o.printSelect = 1;
    const PrintOptions with = withPrintParameters(o, p);
    EXPECT_EQ(with.heatVol, 7);
    EXPECT_EQ(with.cutPosAdjust, 25);
    EXPECT_EQ(with.frontFeed, 1);
    EXPECT_EQ(with.lowTempMode, 1);
    EXPECT_EQ(with.seqOrder, 1);
    EXPECT_EQ(with.prnOffsetY, 3);
    EXPECT_EQ(with.copies, 4); // the per-job fields stay
    EXPECT_EQ(with.printSelect, 1);
    EXPECT_EQ(printParametersOf(with), p);
}
