#include "OutputTestDocuments.h"

#include "output/PrintLengthLayout.h"
#include "output/RunTotals.h"

#include "model/Catalogue.h"
#include "model/OperatorSettings.h"

#include <gtest/gtest.h>

namespace qx::output {
namespace {

using testdocs::addSequence;
using testdocs::decimalRun;
using testdocs::setLine;

/// `blocks` new tube blocks, each with one line of text and the new block's count 2 and pitch 20.0 mm.
model::EditData tubes(const model::Catalogue& catalogue, int blocks) {
    model::EditData data = model::createEditData(catalogue, 1);
    data.blockCount = static_cast<std::int16_t>(blocks);
    for (int b = 0; b < blocks; ++b)
        setLine(data, b, 0, "MC1-U", 3);
    return data;
}

// Runs counted by hand: pieces = count × sequence values, length = pieces × pitch, times copies.
TEST(RunTotals, CountsBlocksPiecesAndMediumAsCountedByHand) {
    const model::Catalogue catalogue(9);
    const model::OperatorSettings settings;
    struct Row {
        const char* what;
        model::EditData data;
        RunSelection selection;
        RunTotals expected;
    };
    std::vector<Row> rows;
    rows.push_back({"24 new tubes print twice each", tubes(catalogue, 24), {}, {24, 48, 9600}});
    {
        // 1, 3, 5, 7, 9 three times over at 15.0 mm; 2, 4, 6, 8 once at 20.0 mm.
        model::EditData data = tubes(catalogue, 2);
        setLine(data, 0, 0, "W$", 3);
        addSequence(data, 0, decimalRun(1, 10, 1));
        data.block(0).count = 3;
        data.block(0).pitch = 150;
        setLine(data, 1, 0, "W$", 3);
        addSequence(data, 1, decimalRun(2, 9, 2));
        data.block(1).count = 1;
        rows.push_back({"odd and even values", std::move(data), {}, {2, 15 + 4, 15 * 150 + 4 * 200}});
    }
    {
        // Two runs in one block: the shorter one (1..3) ends the block.
        model::EditData data = tubes(catalogue, 1);
        setLine(data, 0, 0, "$-$", 3);
        addSequence(data, 0, decimalRun(1, 5));
        addSequence(data, 0, decimalRun(1, 3));
        rows.push_back({"the shorter of two runs", std::move(data), {}, {1, 6, 1200}});
    }
    {
        // Blocks 2 and 3 of five (counts 1 and 4, pitch 25.0 mm), three copies.
        model::EditData data = tubes(catalogue, 5);
        data.block(1).count = 1;
        data.block(2).count = 4;
        data.block(1).pitch = 250;
        data.block(2).pitch = 250;
        rows.push_back({"a block range and copies", std::move(data), {1, 3, 3, 0}, {2, 15, 3750}});
        model::EditData rotated = tubes(catalogue, 1);
        rows.push_back({"the rotated pattern prints every piece twice", std::move(rotated), {0, -1, 1, 1},
                        {1, 4, 800}});
    }
    {
        // Print length 50 mm, printed 4 times for each of the values 1..3; the range and copies of a
        // print job do not reach a print-length document.
        model::EditData data = tubes(catalogue, 3);
        data.target.printMode = testdocs::PrintLengthMode;
        data.target.printLength = 50;
        data.target.printCount = 4;
        setLine(data, 1, 0, "$", 3);
        addSequence(data, 1, decimalRun(1, 3));
        rows.push_back({"print length, sequence and print count", std::move(data), {1, 2, 5, 0}, {3, 12, 6000}});
    }
    {
        // AUTO print length with a short text: every piece takes the 10 mm minimum, 118 dots;
        // 2 × 3 pieces are 708 dots, 59.8 mm.
        model::EditData data = tubes(catalogue, 1);
        setLine(data, 0, 0, "$", 3);
        data.target.printMode = testdocs::PrintLengthMode;
        data.target.printLength = 0;
        data.target.printCount = 2;
        addSequence(data, 0, decimalRun(7, 9));
        rows.push_back({"AUTO print length", std::move(data), {}, {1, 6, 598}});
    }
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(runTotals(catalogue, settings, row.data, row.selection), row.expected);
    }
}

// With a frame, a reversed block and values from 95 to 105 the run is what the print image lays
// out for each piece, summed: no piece is counted at another's length.
TEST(RunTotals, AutoPrintLengthIsThePiecesAsTheImageLaysThemOut) {
    const model::Catalogue catalogue(9);
    model::EditData data = tubes(catalogue, 3);
    data.target.printMode = testdocs::PrintLengthMode;
    data.target.printLength = 0;
    data.target.printCount = 2;
    data.target.frame = 2;
    data.block(1).reverse = 1;
    setLine(data, 2, 0, "TB$", 3);
    addSequence(data, 2, decimalRun(95, 105));
    std::int64_t dots = 0;
    for (int k = 0; k < 11; ++k)
        dots += layoutPrintLength(catalogue, data, k).mediumWidth;
    const RunTotals totals = runTotals(catalogue, {}, data);
    EXPECT_EQ(totals.pieces, 22);
    EXPECT_EQ(totals.tenths, model::dotsToTenthsRounded(2 * dots));
    EXPECT_GT(layoutPrintLength(catalogue, data, 10).mediumWidth, layoutPrintLength(catalogue, data, 0).mediumWidth);
}

TEST(RunTotals, RecordsAreOnePerBlockOrOneForAPrintLengthDocument) {
    const model::Catalogue catalogue(9);
    model::EditData data = tubes(catalogue, 3);
    data.block(1).count = 5;
    addSequence(data, 2, decimalRun(1, 4));
    setLine(data, 2, 0, "$", 3);
    EXPECT_EQ(runRecords(data), (std::vector<RunRecord>{{0, 2, 1}, {1, 5, 1}, {2, 2, 4}}));
    data.target.printMode = testdocs::PrintLengthMode;
    data.target.printCount = 3;
    EXPECT_EQ(runRecords(data), (std::vector<RunRecord>{{0, 3, 4}}));
}

} // namespace
} // namespace qx::output
