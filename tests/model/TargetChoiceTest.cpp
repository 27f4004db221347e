#include "model/TargetChoice.h"

#include "model/Catalogue.h"
#include "model/OperatorSettings.h"
#include "model/TargetKind.h"

#include <gtest/gtest.h>

namespace qx::model {
namespace {

namespace Kind = TargetKind;

/// A document whose target settings all differ from what a label imposes, so that a skipped step
/// cannot pass: print-length mode, AUTO pitch, half cut, automatic size, a size value of 32.
EditData startingDocument(const Catalogue& catalogue) {
    EditData data = createEditData(catalogue, 1);
    data.target.pitchAuto = 1;
    data.target.pitchCut = 1;
    data.target.sizeMode = 1;
    data.blockCount = 2;
    data.block(1).pitch = 321;
    return data;
}

TEST(TargetChoice, ALabelPrintsPieceByPieceAtItsOwnLength) {
    const Catalogue catalogue(models::QX950W3);
    const OperatorSettings settings = OperatorSettings::defaultsFor(catalogue);
    struct Row {
        int kind;
        int size;
        int storedSize, width, length, gap, pitch;
    };
    // A KAV label's size value is width mm × 100 + length mm; a general label keeps its own fields.
    for (const Row row : {Row{Kind::KavLabel, 617, 617, 60, 170, 20, 190},
                          Row{Kind::GeneralLabel, 32, 0, 55, 250, 15, 265}}) {
        SCOPED_TRACE(row.kind);
        for (const bool newDocument : {true, false}) {
            EditData data = startingDocument(catalogue);
            TargetSettings chosen = data.target;
            chosen.printMode = codes::Line1Marker;
            chosen.targetKind = static_cast<std::int16_t>(row.kind);
            chosen.targetSize = static_cast<std::int16_t>(row.size);
            chosen.labelWidth = 55;
            chosen.labelLength = 250;
            chosen.labelGap = 15;
            EXPECT_FALSE(applyChosenTarget(data, chosen, catalogue, settings, newDocument));
            const TargetSettings& t = data.target;
            EXPECT_EQ(t.targetSize, row.storedSize);
            EXPECT_EQ(t.labelWidth, row.width);
            EXPECT_EQ(t.labelLength, row.length);
            EXPECT_EQ(t.labelGap, row.gap);
            EXPECT_TRUE(t.isPitchLengthMode());
            EXPECT_EQ(t.pitchAuto, 0);
            EXPECT_EQ(t.pitchCut, 0);
            EXPECT_EQ(data.block(1).pitch, row.pitch);
            EXPECT_EQ(data.block(998).pitch, row.pitch);
        }
    }
}

TEST(TargetChoice, AutomaticSizeOnlyWhereTheTargetAndModeHaveOne) {
    struct Row {
        ModelType model;
        int kind;
        int size;
        bool printLengthMode;
        int sizeMode;
    };
    for (const Row row : {Row{models::QX790, Kind::Tape, 12, false, 0},
                          Row{models::QX790, Kind::KavTube, 32, false, 1},
                          Row{models::QX950W3, Kind::Tape, 12, false, 1},
                          Row{models::QX950W3, Kind::KavTube, 32, true, 0}}) {
        SCOPED_TRACE(testing::Message() << row.model << " kind " << row.kind);
        const Catalogue catalogue(row.model);
        EditData data = startingDocument(catalogue);
        TargetSettings chosen = data.target;
        chosen.targetKind = static_cast<std::int16_t>(row.kind);
        chosen.targetSize = static_cast<std::int16_t>(row.size);
        chosen.printMode = row.printLengthMode ? codes::Line1Marker : codes::PitchGroupMarker;
        applyChosenTarget(data, chosen, catalogue, OperatorSettings::defaultsFor(catalogue), true);
        EXPECT_EQ(data.target.sizeMode, row.sizeMode);
        EXPECT_EQ(data.target.pitchAuto, 1); // only a label forces the pitch
    }
}

} // namespace
} // namespace qx::model
