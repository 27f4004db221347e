#include "OutputTestDocuments.h"

#include "output/AutoCharSize.h"
#include "output/BlockMeasure.h"
#include "output/OutputValidation.h"

#include "model/OperatorSettings.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace qx::output {
namespace {

using namespace testdocs;
using model::Catalogue;
using model::EditData;
using model::OperatorSettings;
using Build = std::function<void(EditData&)>;
using E = OutputError;

std::string chars(int n) {
    return std::string(static_cast<std::size_t>(n), 'A');
}

struct Fixture {
    Catalogue catalogue{model::models::QX950W3};
    OperatorSettings settings = [this] {
        OperatorSettings s = OperatorSettings::defaultsFor(catalogue);
        s.pitchLenTube = 200;
        s.pitchLenTape = 100;
        return s;
    }();

    /// A W3 document on a φ3.2 tube (46 dots high, 189 printable at pitch 20.0 mm) after `build`.
    EditData document(int sizeMode, const Build& build) const {
        EditData data = newDocument(catalogue, sizeMode);
        data.block(0).count = 1;
        build(data);
        return data;
    }
    E block(int sizeMode, const Build& build) const {
        return checkBlock(catalogue, settings, document(sizeMode, build), 0);
    }
};

void useTape(EditData& data) {
    data.target.targetKind = model::TargetKind::Tape;
    data.target.targetSize = 12; // 88 dots high, the longest run 5,000 mm
}

// ---- Block checks -------------------------------------------------------------------------------

TEST(OutputValidation, SpecifiedPitchBlockCheck) {
    const Fixture f;
    // Given sizes (size mode 0): 1.3 mm takes 16 + 5 dots a character.
    const auto text = [](
                          std::string t, int size, Build more = [](EditData&) {}) {
        return [=](EditData& d) {
            setLine(d, 0, 0, t, size);
            more(d);
        };
    };
    EXPECT_EQ(f.block(0, text(chars(9), 0)), E::None) << "184";
    EXPECT_EQ(f.block(0, text(chars(10), 0)), E::PitchLengthOver) << "205";
    EXPECT_EQ(f.block(0, text(chars(9), 0, [](EditData& d) { d.target.frame = 1; })), E::PitchLengthOver);
    EXPECT_EQ(f.block(0, text(chars(9), 0, [](EditData& d) { d.block(0).reverse = 1; })), E::None) << "188";
    EXPECT_EQ(f.block(0, text("A", 4, [](EditData& d) { d.block(0).underline = 1; })), E::PrintHeightOver);
    EXPECT_EQ(f.block(0, text("A", 0, [](EditData& d) { d.target.targetSize = 33; })), E::PrintHeightOver)
        << "a size with no print height";
    EXPECT_EQ(f.block(0, text(chars(10), 4, [](EditData& d) { setLine(d, 0, 1, "A", 4); })),
              E::PitchLengthOver)
        << "length before height";
    // One sequence number: its last piece (100) decides; two: the widest piece, here the third
    // of 8..17 with 102..93 (10 and 100).
    EXPECT_EQ(f.block(0, text("ABCDEF$", 0, [](EditData& d) { addSequence(d, 0, decimalRun(1, 100)); })),
              E::None);
    EXPECT_EQ(f.block(0, text("ABCDEFG$", 0, [](EditData& d) { addSequence(d, 0, decimalRun(1, 100)); })),
              E::PitchLengthOver);
    EXPECT_EQ(f.block(0, text("ABCDE$$", 0,
                              [](EditData& d) {
                                  addSequence(d, 0, decimalRun(8, 17));
                                  addSequence(d, 0, decimalRun(102, 93));
                              })),
              E::PitchLengthOver);
    // W3 tubes may run 100,000 mm: 20.0 mm × 300 × 16 values is 96,000.
    for (const auto& [last, expected] : {std::pair{16, E::None}, {17, E::TotalLengthOver}}) {
        EXPECT_EQ(f.block(1, text("A$", 3,
                                  [last = last](EditData& d) {
                                      addSequence(d, 0, decimalRun(1, last));
                                      d.block(0).count = 300;
                                  })),
                  expected);
    }
}

// A text that with its margins measures exactly the printable length of its pitch prints; one dot
// more does not.
TEST(OutputValidation, ExactFitPrintsAndOneDotOverDoesNot) {
    const Fixture f;
    const auto framedNine = [](EditData& d) {
        setLine(d, 0, 0, chars(9), 0); // 184 dots
        d.target.frame = 1;             // and 8 dots of margin
    };
    const EditData probe = f.document(0, framedNine);
    ASSERT_EQ(MeasureBlock(f.catalogue, probe.target, probe.block(0), 0).length, 184);
    const auto pitchWithPrintable = [&](int dots) {
        for (int pitch = 100; pitch <= 400; ++pitch) {
            if (f.catalogue.printableLength(probe.target, pitch) == dots)
                return pitch;
        }
        return 0;
    };
    for (const auto& [printable, expected] : {std::pair{192, E::None}, std::pair{191, E::PitchLengthOver}}) {
        const int pitch = pitchWithPrintable(printable);
        ASSERT_NE(pitch, 0) << "no pitch prints " << printable << " dots";
        EXPECT_EQ(f.block(0,
                          [&](EditData& d) {
                              framedNine(d);
                              d.block(0).pitch = static_cast<std::int16_t>(pitch);
                          }),
                  expected)
            << printable << " printable dots at pitch " << pitch;
    }
}

TEST(OutputValidation, AutoPitchBlockCheck) {
    const Fixture f;
    const auto autoPitch = [&](Build build) {
        return f.block(1, [&](EditData& d) {
            d.target.pitchAuto = 1;
            setLine(d, 0, 0, "A", 3);
            build(d);
        });
    };
    // A short text still takes the default pitch: 20.0 mm on a tube, 10.0 mm on tape.
    EXPECT_EQ(autoPitch([](EditData& d) { d.block(0).count = 5000; }), E::None);
    EXPECT_EQ(autoPitch([](EditData& d) { d.block(0).count = 5001; }), E::TotalLengthOver);
    EXPECT_EQ(autoPitch([](EditData& d) { addSequence(d, 0, decimalRun(1, 5001)); }), E::TotalLengthOver);
    EXPECT_EQ(autoPitch([](EditData& d) {
                  useTape(d);
                  d.block(0).count = 501;
              }),
              E::TotalLengthOver);
    EXPECT_EQ(autoPitch([](EditData& d) { setLine(d, 0, 1, "A", 3); }), E::PrintHeightOver);
    // A label may run 1,000 mm; its ends are 47 dots each: (8,800 + 2,745 + 94) × 845 < 10^7.
    const auto label = [&](int n, int count) {
        return autoPitch([=](EditData& d) {
            d.target.targetKind = model::TargetKind::GeneralLabel;
            setLine(d, 0, 0, chars(n), 0);
            d.block(0).count = static_cast<std::int16_t>(count);
        });
    };
    EXPECT_EQ(label(550, 1), E::None);
    EXPECT_EQ(label(560, 1), E::PitchLengthOver);
}

TEST(OutputValidation, ComputeBlockResultsKeepsOtherEntriesAndTheDocument) {
    const Fixture f;
    EditData data = f.document(1, [](EditData& d) {
        d.blockCount = 3;
        setLine(d, 0, 0, "AB", 3);
        setLine(d, 1, 0, chars(40), 3); // even 1.3 mm half width is too long
        setLine(d, 2, 0, "A", 3);
        d.block(2).pitch = 45; // 5 printable dots
    });
    const EditData before = data;
    data.blockCheckResults.values = {9, 9, 9, 9, 9};
    ComputeBlockResults(data, f.catalogue, f.settings, 1, 2);
    EXPECT_EQ(data.blockCheckResults.values, (std::vector<std::int32_t>{9, 2, 9}));
    ComputeBlockResults(data, f.catalogue, f.settings, -5, 100);
    EXPECT_EQ(data.blockCheckResults.values, (std::vector<std::int32_t>{0, 2, 2}));
    EXPECT_EQ(data.blocks, before.blocks) << "the operator's automatic sizes stay";
    const ValidationResult result = ValidateForOutput(data, f.catalogue);
    EXPECT_EQ(result, (ValidationResult{E::PitchLengthOver, 42055, 1}));
    EXPECT_EQ(result.focusColumn(), 0);
}

// ---- ValidateForOutput -------------------------------------------------------------------------

TEST(OutputValidation, EmptyDocumentAndTotalLengthAmongBlocks) {
    const Fixture f;
    EditData empty = f.document(1, [](EditData& d) {
        d.blockCount = 6;
        for (int b = 0; b < 6; ++b)
            d.block(b).pitch = static_cast<std::int16_t>(100 + b % 2 * 100);
        setLine(d, 0, 2, "", 0);
        d.block(3).lineCount = 0;
        d.block(4).lines[3].chars = codesOf("A"); // beyond the used lines
    });
    empty.blockCheckResults.values = {2, 2, 2, 2, 2, 2};
    EXPECT_EQ(ValidateForOutput(empty, Catalogue(3)), (ValidationResult{E::EmptyDocument, 42060, 0}));

    // 20.0 mm × 300 pieces of tape stop a one-block document only.
    EditData data = f.document(1, [](EditData& d) {
        useTape(d);
        setLine(d, 0, 0, "A", 3);
        d.block(0).count = 300;
    });
    ComputeBlockResults(data, f.catalogue, f.settings, 0, 1);
    EXPECT_EQ(ValidateForOutput(data, f.catalogue), (ValidationResult{E::TotalLengthOver, 42057, 0}));
    data.blockCount = 2;
    setLine(data, 1, 0, "A", 3);
    ComputeBlockResults(data, f.catalogue, f.settings, 0, 2);
    EXPECT_EQ(data.blockCheckResults.values[0], 4);
    EXPECT_TRUE(ValidateForOutput(data, f.catalogue).ok()) << "the print dialog checks the chosen range";
    data.blockCheckResults.values.resize(1);
    setLine(data, 1, 0, chars(20), 5);
    EXPECT_TRUE(ValidateForOutput(data, f.catalogue).ok()) << "beyond the cached list counts as 0";
}

TEST(OutputValidation, CharacterAndPitchTableOverflowsPickTheEarlierBlock) {
    const Catalogue catalogue(model::models::QX950W); // 5 pitch settings, 5,000 characters
    const Fixture f;
    const auto build = [&](int firstChange) {
        EditData data = newDocument(catalogue, 1);
        data.blockCount = 10;
        for (int b = 0; b < 10; ++b) {
            setLine(data, b, 0, "A", 3);
            data.block(b).pitch =
                static_cast<std::int16_t>(b >= firstChange && (b - firstChange) % 2 == 0 ? 300 : 200);
        }
        setLine(data, 7, 0, chars(4990), 3);
        ComputeBlockResults(data, catalogue, f.settings, 0, 10);
        return data;
    };
    // Settings at blocks 0 to 4 fill the table; block 5 overflows it, before the characters at 7.
    const EditData early = build(1);
    EXPECT_EQ(characterBudgetOverflowBlock(catalogue, early), 7);
    const ValidationResult pitch = ValidateForOutput(early, catalogue);
    EXPECT_EQ(pitch, (ValidationResult{E::PitchSettingCountOver, 42059, 5}));
    EXPECT_EQ(pitch.focusColumn(), 5);
    // The print command checks a copy, which carries no results: it must find the same fault.
    EXPECT_EQ(checkForPrint(early, catalogue, f.settings).validation, pitch);
    // Settings at blocks 0, 5, 6, 7, 8: the table overflows at block 9, after the characters.
    const EditData late = build(5);
    EXPECT_EQ(pitchTableOverflowBlock(catalogue, late), 9);
    EXPECT_EQ(ValidateForOutput(late, catalogue), (ValidationResult{E::CharCountOver, 42058, 7}));
    EXPECT_EQ(checkForPrint(late, catalogue, f.settings).validation, ValidateForOutput(late, catalogue));
}

// A file can hold more numbers in a block than the model's block takes; the print check refuses
// it at that block with the block limit message of the model and mode.
TEST(OutputValidation, BlockWithMoreSequenceNumbersThanTheModelTakes) {
    const Fixture f;
    struct Row {
        model::ModelType model;
        std::uint16_t mode;
        int held;
        ValidationResult expected;
    };
    for (const Row& row : std::vector<Row>{
             {model::models::QX950W, PitchLengthMode, 1, {E::None, 0, 3}},
             {model::models::QX950W, PitchLengthMode, 2, {E::SequencesPerBlockOver, 42031, 1}},
             {model::models::QX900W, PrintLengthMode, 2, {E::SequencesPerBlockOver, 42031, 1}},
             {model::models::QX950W3, PitchLengthMode, 3, {E::None, 0, 3}},
             {model::models::QX950W3, PitchLengthMode, 4, {E::SequencesPerBlockOver, 43064, 1}},
             {model::models::QX950W3, PrintLengthMode, 2, {E::SequencesPerBlockOver, 42031, 1}}}) {
        SCOPED_TRACE(testing::Message() << row.model << " mode " << row.mode << " held " << row.held);
        const Catalogue catalogue(row.model);
        EditData data = newDocument(catalogue, 1);
        data.target.printMode = row.mode;
        data.blockCount = 3;
        for (int b = 0; b < 3; ++b)
            setLine(data, b, 0, "A", 3);
        setLine(data, 1, 0, std::string(static_cast<std::size_t>(row.held), '$'), 3);
        for (int s = 0; s < row.held; ++s)
            addSequence(data, 1, decimalRun(1, 3));
        const ValidationResult result = checkForPrint(data, catalogue, f.settings).validation;
        EXPECT_EQ(result.error, row.expected.error);
        if (!row.expected.ok()) {
            EXPECT_EQ(result, row.expected);
        }
    }
}

// ---- Budgets -----------------------------------------------------------------------------------

TEST(OutputValidation, CharacterBudgetBoundaries) {
    const Fixture f;
    const auto overflow = [&](const Build& build) {
        return characterBudgetOverflowBlock(f.catalogue, f.document(0, build));
    };
    const auto line = [](int n, std::uint16_t mode = PitchLengthMode) {
        return [=](EditData& d) {
            d.target.printMode = mode;
            setLine(d, 0, 0, chars(n), 0);
        };
    };
    // One code for the first pitch (pitch-length mode only) and one marker per line.
    EXPECT_EQ(overflow(line(4998)), std::nullopt);
    EXPECT_EQ(overflow(line(4999)), 0);
    EXPECT_EQ(overflow(line(4999, PrintLengthMode)), std::nullopt);
    EXPECT_EQ(overflow(line(5000, PrintLengthMode)), 0);
    // A pitch change costs one more: 1 + 2,001 + 1 + 2,997 = 5,000.
    const auto twoBlocks = [](int second, int pitch, int pitchAuto = 0) {
        return [=](EditData& d) {
            d.blockCount = 2;
            d.target.pitchAuto = static_cast<std::int16_t>(pitchAuto);
            setLine(d, 0, 0, chars(2000), 0);
            setLine(d, 1, 0, chars(second), 0);
            d.block(1).pitch = static_cast<std::int16_t>(pitch);
        };
    };
    EXPECT_EQ(overflow(twoBlocks(2996, 100)), std::nullopt);
    EXPECT_EQ(overflow(twoBlocks(2997, 100)), 1);
    EXPECT_EQ(overflow(twoBlocks(2997, 200)), std::nullopt);
    EXPECT_EQ(overflow(twoBlocks(2997, 100, 1)), std::nullopt) << "AUTO pitch sends no block pitches";
    const EditData data = f.document(0, twoBlocks(2997, 100));
    EXPECT_EQ(characterBudget(f.catalogue, data, 0), E::None);
    EXPECT_EQ(characterBudget(f.catalogue, data, 1), E::CharCountOver);
}

TEST(OutputValidation, PitchSettingBudgetBoundaries) {
    const auto listed = [](model::ModelType model, const std::vector<int>& pitches, const Build& more = {}) {
        const Catalogue catalogue(model);
        EditData data = newDocument(catalogue, 1);
        data.blockCount = static_cast<std::int16_t>(pitches.size());
        for (std::size_t b = 0; b < pitches.size(); ++b)
            data.block(static_cast<int>(b)).pitch = static_cast<std::int16_t>(pitches[b]);
        if (more)
            more(data);
        return pitchTableOverflowBlock(catalogue, data);
    };
    const std::vector<int> six{100, 200, 100, 200, 100, 200};
    for (const model::ModelType model : {model::models::QX780, model::models::QX950W}) {
        EXPECT_EQ(listed(model, {100, 200, 100, 200, 100}), std::nullopt) << model;
        EXPECT_EQ(listed(model, six), 5) << "changes, not distinct values";
        EXPECT_EQ(listed(model, {100, 100, 200, 200, 100, 100, 300}), std::nullopt) << "four settings";
        EXPECT_EQ(listed(model, six, [](EditData& d) { d.target.pitchAuto = 1; }), std::nullopt);
        EXPECT_EQ(listed(model, six, [](EditData& d) { d.target.printMode = PrintLengthMode; }),
                  std::nullopt);
    }
    std::vector<int> alternating(model::MaxBlocks);
    for (std::size_t b = 0; b < alternating.size(); ++b)
        alternating[b] = b % 2 == 0 ? 100 : 200;
    EXPECT_EQ(listed(model::models::QX950W3, alternating), std::nullopt) << "999 settings fit";
    EXPECT_EQ(listed(model::models::QX950W2, alternating), std::nullopt);
}

// ---- Print-length document check ---------------------------------------------------------------

TEST(OutputValidation, PrintLengthDocumentCheck) {
    const Fixture f;
    const auto check = [&](const std::string& text, int size, int printLength, const Build& more = {}) {
        return checkDocument(f.catalogue, f.document(0, [&](EditData& d) {
            d.target.printMode = PrintLengthMode;
            d.target.printLength = static_cast<std::int16_t>(printLength);
            setLine(d, 0, 0, text, size);
            if (more)
                more(d);
        }));
    };
    const auto frame = [](int n) {
        return [=](EditData& d) { d.target.frame = static_cast<std::int16_t>(n); };
    };
    // Available (P − 2 − 2) × 10,000 / 845: 3,502 dots for AUTO (300 mm), 544 for 50 mm.
    EXPECT_EQ(check(chars(113), 3, 0), E::None) << "3,498";
    EXPECT_EQ(check(chars(114), 3, 0), E::PrintLengthOver) << "3,529";
    EXPECT_EQ(check(chars(26), 0, 50), E::None) << "541";
    EXPECT_EQ(check(chars(26), 0, 50, frame(1)), E::PrintLengthOver) << "the frame adds 4 + 2 + 2";
    // Heights: 4.0 mm is 46; reverse or underline add 4; a frame f adds 4f + 4.
    EXPECT_EQ(check("A", 4, 0), E::None);
    EXPECT_EQ(check("A", 4, 0, [](EditData& d) { d.block(0).reverse = 1; }), E::PrintHeightOver);
    EXPECT_EQ(check("A", 3, 0, frame(1)), E::None) << "35 + 8";
    EXPECT_EQ(check("A", 3, 0, frame(2)), E::PrintHeightOver) << "35 + 12";

    EditData pitchMode = f.document(0, [](EditData& d) { setLine(d, 0, 0, chars(200), 3); });
    pitchMode.printLengthCheck = 3;
    ComputeDocumentResult(pitchMode, f.catalogue);
    EXPECT_EQ(pitchMode.printLengthCheck, 0) << "pitch-length mode stores 0";
}

TEST(OutputValidation, PrintLengthTotalRun) {
    const Fixture f;
    const auto check = [&](int printLength, int printCount, int lastValue) {
        EditData data = f.document(0, [&](EditData& d) {
            useTape(d);
            d.target.printMode = PrintLengthMode;
            d.target.printLength = static_cast<std::int16_t>(printLength);
            d.target.printCount = static_cast<std::int16_t>(printCount);
            d.blockCount = 2;
            setLine(d, 0, 0, "ABCDEFGHIJ", 3); // 305 dots
            setLine(d, 1, 0, "A$", 3);         // 57 dots, 88 at the value 10
            addSequence(d, 1, decimalRun(1, lastValue));
        });
        ComputeDocumentResult(data, f.catalogue);
        EXPECT_EQ(ValidateForOutput(data, f.catalogue).error, static_cast<E>(data.printLengthCheck));
        return static_cast<E>(data.printLengthCheck);
    };
    // A set print length: printCount × printLength × pieces against 5,000 mm of tape.
    EXPECT_EQ(check(100, 10, 5), E::None);
    EXPECT_EQ(check(100, 10, 6), E::TotalLengthOver);
    // AUTO: ((5 + 305) × 10 + 9 × 57 + 88) × printCount = 3,701 × printCount dots against
    // (5,000 − 4 × printCount × 10) × 10,000 / 845: 51,814 ≤ 52,544 but 55,515 > 52,071.
    EXPECT_EQ(check(0, 14, 10), E::None);
    EXPECT_EQ(check(0, 15, 10), E::TotalLengthOver);
}

// ---- Whole image -------------------------------------------------------------------

TEST(OutputValidation, WholeImageRunLength) {
    const Fixture f;
    const auto image = [&](int pitchAuto, int count0, int count1) {
        EditData data = f.document(1, [&](EditData& d) {
            useTape(d);
            d.target.pitchAuto = static_cast<std::int16_t>(pitchAuto);
            d.blockCount = 2;
            for (int b = 0; b < 2; ++b)
                setLine(d, b, 0, "A", 3);
            d.block(0).count = static_cast<std::int16_t>(count0);
            d.block(1).count = static_cast<std::int16_t>(count1);
        });
        ComputeBlockResults(data, f.catalogue, f.settings, 0, 2);
        return ValidateWholeImage(data, f.catalogue, f.settings);
    };
    // Specified pitch 20.0 mm against 5,000 mm of tape.
    EXPECT_TRUE(image(0, 200, 50).ok());
    EXPECT_EQ(image(0, 200, 200), (ValidationResult{E::TotalLengthOver, 43066, 1}));
    EXPECT_EQ(image(0, 300, 1), (ValidationResult{E::PitchLengthOver, 43066, 0}));
    // AUTO: every piece is 10.0 mm = 118 dots; 501 × 118 dots round to 49,955 tenths.
    EXPECT_TRUE(image(1, 250, 251).ok());
    EXPECT_EQ(image(1, 250, 252), (ValidationResult{E::TotalLengthOver, 43066, 1}));

    EXPECT_EQ(ValidateWholeImage(f.document(1, [](EditData&) {}), f.catalogue, f.settings),
              (ValidationResult{E::EmptyDocument, 43067, 0}));
}

TEST(OutputValidation, OutOfRangeFieldsAreHeldWithinBounds) {
    const Fixture f;
    for (const int blockCount : {-3, 0, 2000}) {
        EditData data = f.document(3, [&](EditData& d) {
            d.blockCount = static_cast<std::int16_t>(blockCount);
            d.target.frame = -7;
            d.target.autoTextSize = 200;
            d.target.charSpacing = 99;
            d.block(0).lineCount = 100;
            d.block(0).sequenceCount = 50;
            d.block(0).count = -5;
            setLine(d, 0, 0, "A$$", 2);
        });
        ComputeBlockResults(data, f.catalogue, f.settings, -10, 5000);
        ComputeDocumentResult(data, f.catalogue);
        EXPECT_EQ(data.blockCheckResults.values.size(), static_cast<std::size_t>(usedBlockCount(data)));
        (void)ValidateWholeImage(data, f.catalogue, f.settings);
        data.target.printMode = PrintLengthMode;
        (void)checkDocument(f.catalogue, data);
    }
}

// ---- The block copy against the whole-document copy ----------------------------------------------

/// The plain way: every block check copies the whole document and resolves the block in the copy.
std::vector<std::int32_t> wholeCopyBlockResults(const EditData& data, const Catalogue& catalogue,
                                                const OperatorSettings& settings) {
    std::vector<std::int32_t> results;
    for (int b = 0; b < usedBlockCount(data); ++b) {
        EditData copy;
        ResolveAutoCharSize(catalogue, data, copy, b, NoPiece);
        results.push_back(
            static_cast<std::int32_t>(checkResolvedBlock(catalogue, settings, copy.target, copy.block(b))));
    }
    return results;
}

E wholeCopyDocumentResult(const EditData& data, const Catalogue& catalogue) {
    EditData copy = data;
    for (int b = 0; b < usedBlockCount(copy); ++b)
        ResolveAutoCharSize(catalogue, copy, copy, b, NoPiece);
    return checkResolvedDocument(catalogue, copy);
}

/// Sixty blocks of every kind of text, size, width, attribute and sequence number.
EditData variedDocument(const Catalogue& catalogue, int sizeMode, int pitchAuto) {
    EditData data = newDocument(catalogue, sizeMode);
    data.target.pitchAuto = static_cast<std::int16_t>(pitchAuto);
    data.blockCount = 60;
    const char* texts[] = {"A", "AB-12", "ABCDEFGH", "A@B", "$", "Q&$", "ABCDEFGHIJKLMNOPQRST", "12$34", ""};
    for (int b = 0; b < 60; ++b) {
        model::EditBlock& block = data.block(b);
        int tokens = 0;
        for (int l = 0; l <= b % 4; ++l) {
            setLine(data, b, l, texts[(b * 3 + l * 5) % 9], (b + l) % 6, (b / 3 + l) % 3);
            tokens += model::countSequenceMarkers(block.lines[static_cast<std::size_t>(l)]);
        }
        for (int t = 0; t < std::min(tokens, 3); ++t)
            addSequence(data, b,
                        t % 2 == 0 ? decimalRun(b * 7 % 100, 95 + b % 20, b % 3) : decimalRun(400, 1, 0, 3));
        block.pitch = static_cast<std::int16_t>(100 + (b % 5) * 50);
        block.count = static_cast<std::int16_t>(1 + b % 7);
        block.reverse = static_cast<std::uint8_t>(b % 5 == 1);
        block.underline = static_cast<std::int16_t>(b % 7 == 2);
    }
    return data;
}

TEST(OutputValidation, BlockCopyGivesTheResultsOfTheWholeDocumentCopy) {
    for (const model::ModelType model : {1, 3, 6, 9}) {
        const Catalogue catalogue(model);
        const OperatorSettings settings = OperatorSettings::defaultsFor(catalogue);
        for (const int sizeMode : {0, 1, 2, 3}) {
            for (const int pitchAuto : {0, 1}) {
                EditData data = variedDocument(catalogue, sizeMode, pitchAuto);
                ComputeBlockResults(data, catalogue, settings, 0, data.blockCount);
                const std::vector<std::int32_t> expected = wholeCopyBlockResults(data, catalogue, settings);
                EXPECT_EQ(data.blockCheckResults.values, expected)
                    << model << " " << sizeMode << " " << pitchAuto;
                EXPECT_GE(std::set<std::int32_t>(expected.begin(), expected.end()).size(), 2u)
                    << "varied outcomes";
            }
        }
        for (const int printLength : {0, 40, 300}) {
            EditData data = variedDocument(catalogue, 0, 0);
            data.target.printMode = PrintLengthMode;
            data.target.printLength = static_cast<std::int16_t>(printLength);
            data.blockCount = 12;
            EXPECT_EQ(checkDocument(catalogue, data), wholeCopyDocumentResult(data, catalogue)) << model;
        }
    }
}

} // namespace
} // namespace qx::output
