#include "OutputTestDocuments.h"

#include "output/AutoCharSize.h"
#include "output/BlockMeasure.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qx::output {
namespace {

using namespace testdocs;
using model::Catalogue;
using model::EditBlock;
using model::EditData;

/// What the fitting wrote into the lines: size, width and the two spacing codes.
using Chosen = std::array<int, 4>;

Chosen resolved(const Catalogue& catalogue, const EditData& data, int piece = NoPiece) {
    EditBlock block = data.block(0);
    ResolveAutoCharSize(catalogue, data.target, block, piece);
    const model::EditLine& last = block.lines[static_cast<std::size_t>(block.lineCount - 1)];
    EXPECT_EQ(block.lines[0].charSize, last.charSize) << "every used line gets the same";
    const model::EditLine& l = block.lines[0];
    return {l.charSize, l.charWidth, l.autoCharSpacing, l.autoLineSpacing};
}

EditData documentWith(const Catalogue& catalogue, int sizeMode, const std::vector<std::string>& lines) {
    EditData data = newDocument(catalogue, sizeMode);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        setLine(data, 0, static_cast<int>(i), lines[i], 3);
        data.block(0).lines[i].autoCharSpacing = 0; // codes the older generations never write
        data.block(0).lines[i].autoLineSpacing = 0;
    }
    return data;
}

struct WalkRow {
    const char* name;
    std::vector<std::string> lines;
    Chosen expected;
};

void expectWalk(model::ModelType model, int sizeMode, const std::vector<WalkRow>& rows) {
    const Catalogue catalogue(model);
    for (const WalkRow& row : rows)
        EXPECT_EQ(resolved(catalogue, documentWith(catalogue, sizeMode, row.lines)), row.expected)
            << "model " << model << ": " << row.name;
}

std::string letters(int n) {
    return std::string("ABCDEFGHIJKLMNOPQRSTUVWXYZ").substr(0, static_cast<std::size_t>(n));
}

// Every walk runs on a φ3.2 KAV tube with pitch 20.0 mm: 189 printable dots along the piece.
// Cells: size 0 16×16, 1 18×23, 2 22×28, 3 26×35, 4 36×46, 5 52×70; half width (w + 1) / 2.

TEST(AutoCharSize, ThirdGenerationWalks) {
    // Print height 46; normal auto leaves 2 dots (narrow) between characters and lines.
    expectWalk(model::models::QX950W3, 1,
               {
                   {"5 × 36 + 4 × 2 = 188 at 4.0 mm", {letters(5)}, {4, 0, 1, 1}},
                   {"7: 3.0 mm is 194, 2.4 mm 166", {letters(7)}, {2, 0, 1, 1}},
                   {"a kanji skips 2.4 mm", {letters(6) + "@"}, {1, 0, 1, 1}},
                   {"10: 2.0 mm is 198, half width 108", {letters(10)}, {1, 1, 1, 1}},
                   {"two lines: 2 × 16 + 2 = 34 high", {letters(10), "A"}, {0, 0, 1, 1}},
                   {"far too long still gets the smallest", {std::string(60, 'A')}, {0, 1, 1, 1}},
               });
    // Extended auto tries the close, narrow and standard spacings (gaps 0, 2, 5) of each size.
    expectWalk(model::models::QX950W3, 2, {{"7 at 3.0 mm close: 182", {letters(7)}, {3, 0, 2, 3}}});
    // Width auto keeps autoTextSize (3.0 mm) and varies width and spacing only.
    expectWalk(model::models::QX950W3, 3,
               {
                   {"6: standard spacing 181", {letters(6)}, {3, 0, 0, 0}},
                   {"10: half width standard 175", {letters(10)}, {3, 1, 0, 0}},
                   {"13: the smallest, untested", {letters(13)}, {3, 1, 2, 3}},
               });
}

TEST(AutoCharSize, OlderGenerationWalks) {
    // Print height 36 below model 5; gaps fixed at 2 and 2, codes written as 1 and 1.
    expectWalk(model::models::QX950W, 1,
               {
                   {"4.0 mm is too high", {letters(5)}, {3, 0, 1, 1}},
                   {"10: 2.0 mm half width", {letters(10)}, {1, 1, 1, 1}},
                   {"two lines only at 1.3 mm", {"ABC", "A"}, {0, 0, 1, 1}},
               });
    expectWalk(model::models::QX950W, 2, {{"the normal list whatever the mode", {letters(7)}, {2, 0, 1, 1}}});
    // The first generation: sizes 4, 3, 2, 1 at standard width, then 2.0 mm half width untested.
    expectWalk(model::models::QX790, 1,
               {
                   {"a kanji skips 2.4 mm", {letters(6) + "@"}, {1, 0, 1, 1}},
                   {"9 at 2.0 mm: 178", {letters(9)}, {1, 0, 1, 1}},
                   {"10: the smallest", {letters(10)}, {1, 1, 1, 1}},
                   {"two lines fit nothing: 2 × 23 + 2 = 48", {"A", "A"}, {1, 1, 1, 1}},
               });
}

TEST(AutoCharSize, MarginsAndDirectionPerGeneration) {
    struct Row {
        model::ModelType model;
        int frame, reverse, underline, direction, kind;
        int expectedSize;
    };
    const int tube = model::TargetKind::KavTube;
    const int tape = model::TargetKind::Tape; // 12 mm: 213 dots along the piece, 88 across
    const Row rows[] = {
        {9, 0, 0, 0, 0, tube, 4},                           // 46 high holds 4.0 mm
        {9, 0, 0, 1, 0, tube, 3},                           // the underline takes 4 of the height
        {9, 0, 1, 0, 0, tube, 3}, {9, 2, 0, 0, 0, tube, 2}, // 46 − 12 = 34
        {3, 0, 0, 1, 0, tube, 3},                           // no underline margin before the third generation
        {3, 2, 0, 0, 0, tube, 1},                           // 36 − 12 = 24
        {1, 2, 0, 0, 0, tube, 2},                           // the first generation takes 8 for any frame: 28
        {9, 0, 0, 0, 0, tape, 5},                           // 160 of 213, 70 of 88
        {9, 0, 0, 0, 1, tape, 3},                           // vertical: 82 of 88
        {9, 0, 0, 0, 1, tube, 4},                           // the cell turns: 3 × 46 + 4 = 142 long, 36 high
    };
    for (const Row& row : rows) {
        const Catalogue catalogue(row.model);
        EditData data = documentWith(catalogue, 1, {"ABC"});
        data.target.frame = static_cast<std::int16_t>(row.frame);
        data.target.direction = static_cast<std::int16_t>(row.direction);
        data.target.targetKind = static_cast<std::int16_t>(row.kind);
        data.target.targetSize = row.kind == tape ? 12 : 32;
        data.block(0).reverse = static_cast<std::uint8_t>(row.reverse);
        data.block(0).underline = static_cast<std::int16_t>(row.underline);
        EXPECT_EQ(resolved(catalogue, data)[0], row.expectedSize)
            << "model " << row.model << " frame " << row.frame << " reverse " << row.reverse << " underline "
            << row.underline << " direction " << row.direction << " kind " << row.kind;
    }
}

TEST(AutoCharSize, SequenceTokensCountByPieceAndGeneration) {
    const Catalogue w3(model::models::QX950W3);
    EditData data = documentWith(w3, 1, {"ABCD$"});
    addSequence(data, 0, decimalRun(98, 102));
    EXPECT_EQ(resolved(w3, data, 0)[0], 3) << "ABCD98: 6 positions";
    EXPECT_EQ(resolved(w3, data, 4)[0], 2) << "ABCD102: 7 positions";
    EXPECT_EQ(resolved(w3, data, NoPiece)[0], 2) << "no piece: 102";

    // The third generation reads the widest value of the pieces printed; the second the run's own
    // last value, although another definition cuts the pieces short.
    EditData cut = documentWith(w3, 1, {"ABC$$"});
    addSequence(cut, 0, decimalRun(1, 1000));
    addSequence(cut, 0, decimalRun(1, 5));
    EXPECT_EQ(resolved(w3, cut)[0], 4) << "ABC55: 5 positions";
    EXPECT_EQ(resolved(Catalogue(model::models::QX950W), cut), (Chosen{1, 0, 1, 1})) << "ABC10005: 158";
}

TEST(AutoCharSize, TwoPointFourIsLoweredForCharactersItCannotPrint) {
    const std::tuple<model::ModelType, const char*, int> rows[] = {
        {9, "AB-12", 2},                                             // the hyphen is one of the signs
        {3, "AB-12", 1},                                             // no signs before the third generation
        {1, "AB-12", 1}, {1, "Ab12", 2}, {9, "A@", 1}, {9, "A&", 1}, // a printer symbol
        {3, "AB$", 2},                                               // a sequence token does not count
    };
    for (const auto& [model, text, expected] : rows) {
        const Catalogue catalogue(model);
        EditData data = newDocument(catalogue, 0);
        setLine(data, 0, 0, text, 2);
        EXPECT_EQ(resolved(catalogue, data)[0], expected) << model << " " << text;
    }
}

TEST(AutoCharSize, TwoPointFourKeepsTheEndsOfEachFullWidthRange) {
    // Digits, upper and lower case letters, first and last of each range, on every generation.
    for (const model::ModelType model : {model::models::QX790, model::models::QX950W, model::models::QX950W3}) {
        const Catalogue catalogue(model);
        for (const char* text : {"XYZ", "9", "z", "0Aa"}) {
            EditData data = newDocument(catalogue, 0);
            setLine(data, 0, 0, text, 2);
            EXPECT_EQ(resolved(catalogue, data)[0], 2) << model << " " << text;
        }
    }
}

TEST(AutoCharSize, HalfWidthOfAnOddCellRoundsUp) {
    // Vertical text on a tube turns the 18 × 23 cell of 2.0 mm: half width advances (23 + 1) / 2
    // = 12 dots. 13 letters take 13 × 12 + 12 × 2 = 180 of 189 dots, 14 take 194.
    const Catalogue catalogue(model::models::QX950W3);
    for (const auto& [count, expected] : {std::pair{13, Chosen{1, 1, 1, 1}}, std::pair{14, Chosen{0, 1, 1, 1}}}) {
        EditData data = documentWith(catalogue, 1, {letters(count)});
        data.target.direction = 1;
        EXPECT_EQ(resolved(catalogue, data), expected) << count << " letters";
    }
}

TEST(AutoCharSize, OnlyTheNormalisationRunsOutsideTheAutomaticModes) {
    const Catalogue catalogue(model::models::QX950W3);
    for (int variant = 0; variant < 3; ++variant) {
        EditData data = newDocument(catalogue, variant == 0 ? 0 : 1);
        data.target.pitchAuto = variant == 1 ? 1 : 0;
        if (variant == 2)
            data.target.printMode = PrintLengthMode;
        setLine(data, 0, 0, "A@", 2, 2);
        setLine(data, 0, 1, "ABC", 5, 1);
        setLine(data, 0, 2, "@", 2); // beyond the used lines: left alone
        data.block(0).lineCount = 2;
        EditBlock block = data.block(0);
        ResolveAutoCharSize(catalogue, data.target, block, NoPiece);
        EXPECT_EQ((Chosen{block.lines[0].charSize, block.lines[0].charWidth, block.lines[1].charSize,
                          block.lines[1].charWidth}),
                  (Chosen{1, 2, 5, 1}))
            << variant;
        EXPECT_EQ(block.lines[2].charSize, 2) << variant;
    }
}

TEST(AutoCharSize, DocumentFormCopiesAndNeverTouchesTheDocument) {
    const Catalogue catalogue(model::models::QX950W3);
    EditData document = documentWith(catalogue, 1, {"ABCDEFG"});
    document.blockCount = 2;
    setLine(document, 1, 0, letters(10), 3);
    const EditData before = document;

    EditData destination = newDocument(catalogue, 0);
    destination.printLengthCheck = 3;
    destination.blockCheckResults.values = {1, 2};
    ResolveAutoCharSize(catalogue, document, destination, 1, NoPiece);
    EXPECT_EQ(document.blocks, before.blocks);
    EXPECT_EQ(destination.block(0), document.block(0)) << "only the named block is resolved";
    EXPECT_EQ(destination.block(1).lines[0].charWidth, 1);
    EXPECT_EQ(destination.printLengthCheck, 3);
    EXPECT_EQ(destination.blockCheckResults.values.size(), 2u);

    // A model index the printers do not know resolves nothing and copies nothing.
    EditData untouched = newDocument(catalogue, 0);
    ResolveAutoCharSize(Catalogue(11), document, untouched, 0, NoPiece);
    EXPECT_EQ(untouched.target.sizeMode, 0);
    EXPECT_EQ(untouched.block(0).lines[0].chars.size(), 0u);
}

} // namespace
} // namespace qx::output
