#include "ui/dialogs/target/TargetRules.h"
#include "model/Catalogue.h"
#include "model/EditData.h"
#include "model/OperatorSettings.h"
#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

#include <optional>

namespace qx::ui {
namespace {

using model::models::QX780;
using model::models::QX790;
using model::models::QX900W;
using model::models::QX950W;
using model::models::QX950W2;
using model::models::QX950W3;
namespace Kind = model::TargetKind;

// ---- Numeric fields --------------------------------------------------------------------------

TEST(TargetRulesNumbers, ReadsTheTwoNumericPatterns) {
    struct Row {
        const char* text;
        std::optional<int> integer; // "^-?[0-9]+(\.[0-9]*)?$" read as an integer
        std::optional<int> tenths;  // the same in tenths, truncated
        std::optional<int> strict;  // "^-?[0-9]*$"
    };
    const Row rows[] = {
        {"12", 12, 120, 12},
        {"-3", -3, -30, -3},
        {"12.34", 12, 123, std::nullopt},
        {"2.3", 2, 23, std::nullopt}, // 2.3 × 10 in floating point would truncate to 22
        {"12.", 12, 120, std::nullopt},
        {"-1.5", -1, -15, std::nullopt},
        {"", std::nullopt, std::nullopt, std::nullopt},
        {"-", std::nullopt, std::nullopt, std::nullopt},
        {".5", std::nullopt, std::nullopt, std::nullopt},
        {" 1", std::nullopt, std::nullopt, std::nullopt},
        {"1a", std::nullopt, std::nullopt, std::nullopt},
        {"1.2.3", std::nullopt, std::nullopt, std::nullopt},
        {"99999999999", std::nullopt, std::nullopt, std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(parseIntegerText(row.text), row.integer);
        EXPECT_EQ(parseTenthsText(row.text), row.tenths);
        EXPECT_EQ(parseStrictIntegerText(row.text), row.strict);
    }
}

TEST(TargetRulesNumbers, FormatsTenthsAndRangeMessages) {
    EXPECT_EQ(formatTenths(35), "3.5");
    EXPECT_EQ(formatTenths(600), "60.0");
    EXPECT_EQ(formatTenths(5), "0.5");
    EXPECT_EQ(formatTenths(-15), "-1.5");
    EXPECT_EQ(integerRangeMessage(10, 300), "10～300の範囲で設定してください。");
    EXPECT_EQ(decimalRangeMessage(50, 100), "5.0～10.0の範囲で設定してください。");
}

// ---- Enabling rules ---------------------------------------------------------------------------

class TargetRulesTest : public ::testing::Test {
protected:
    /// A form on `kind` and `size` of the model's list, as the dialog opens it on default settings.
    TargetForm formOn(const TargetRules& rules, int kind, int size) {
        model::TargetSettings t;
        t.targetKind = static_cast<std::int16_t>(kind);
        t.targetSize = static_cast<std::int16_t>(size);
        return rules.openingForm(t, TargetDlgInitial{});
    }
};

TEST_F(TargetRulesTest, PrintLengthModeChoosesTheCutMarkByMedium) {
    const model::Catalogue catalogue(QX950W3);
    const TargetRules rules(catalogue);
    struct Row {
        int kind;
        int size;
        int cut; // 1 half cut, 3 dotted line
    };
    const Row rows[] = {
        {Kind::Tape, 12, 1},           {Kind::KavTube, 80, 1}, // KAV tubes take a half cut at every size
        {Kind::KavgTube, 46, 1},       {Kind::GeneralTube, 65, 1}, {Kind::GeneralTube, 80, 3},
        {Kind::HeatShrinkTube, 64, 1}, {Kind::Plate05, 100, 3},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.kind << "/" << row.size);
        TargetForm form = formOn(rules, row.kind, row.size);
        form.printLengthMode = true;
        form.pitchCut = 0;
        form.sizeMode = 2;
        const TargetEnabling e = rules.apply(form);
        EXPECT_EQ(form.pitchCut, row.cut);
        EXPECT_EQ(e.halfCut, row.cut == 1);
        EXPECT_EQ(e.dottedLine, row.cut == 3);
        EXPECT_FALSE(e.solidLine);
        EXPECT_FALSE(e.noCut);
        EXPECT_EQ(form.sizeMode, 0);
        EXPECT_FALSE(e.autoSizeModes);
        EXPECT_FALSE(e.pitchAuto);
        EXPECT_TRUE(e.printLengthGroup);
    }
}

TEST_F(TargetRulesTest, PitchModeKeepsCutMarksButPlatesLoseTheHalfCut) {
    const model::Catalogue catalogue(QX950W3);
    const TargetRules rules(catalogue);

    TargetForm plate = formOn(rules, Kind::Plate05, 100);
    plate.pitchCut = 1;
    TargetEnabling e = rules.apply(plate);
    EXPECT_EQ(plate.pitchCut, 2);
    EXPECT_FALSE(e.halfCut);
    EXPECT_TRUE(e.solidLine && e.dottedLine && e.noCut);

    // A general tube of 8.0 mm cannot be half cut, but a selection it has is left alone.
    TargetForm thick = formOn(rules, Kind::GeneralTube, 80);
    thick.pitchCut = 1;
    e = rules.apply(thick);
    EXPECT_EQ(thick.pitchCut, 1);
    EXPECT_FALSE(e.halfCut);

    TargetForm tube = formOn(rules, Kind::KavTube, 52);
    e = rules.apply(tube);
    EXPECT_TRUE(e.halfCut && e.solidLine && e.dottedLine && e.noCut && e.pitchAuto && e.autoSizeModes);
    EXPECT_TRUE(e.printLengthMode);
}

TEST_F(TargetRulesTest, FrameSwitchedOnTakesTheInitialSpacing) {
    const model::Catalogue catalogue(QX950W3);
    const TargetRules rules(catalogue);
    model::TargetSettings t; // frame 0
    TargetForm form = rules.openingForm(t, TargetDlgInitial{2, 0, 0, {}});
    rules.apply(form);
    form.frameOn = true;
    rules.apply(form);
    EXPECT_EQ(form.frameSpacing, 2);

    // A spacing the list does not have (an unclamped "FrameGap") falls back to the row default.
    form = rules.openingForm(t, TargetDlgInitial{7, 0, 0, {}});
    form.frameOn = true;
    rules.apply(form);
    EXPECT_EQ(form.frameSpacing, 1);
}

TEST_F(TargetRulesTest, FirstGenerationTableAndItsExtraRules) {
    const model::Catalogue qx790(QX790);
    const TargetRules rules(qx790);
    struct Row {
        int kind;
        int size;
        int cut;
    };
    // Print-length mode: dotted for plates and sizes above 5.9 mm, else half cut, alone enabled.
    const Row rows[] = {{Kind::KavTube, 64, 3},
                        {Kind::KavTube, 52, 1},
                        {Kind::GeneralTube, 60, 3},
                        {Kind::Tape, 12, 1},
                        {Kind::Plate03, 80, 3}};
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.kind << "/" << row.size);
        TargetForm form = formOn(rules, row.kind, row.size);
        form.printLengthMode = true;
        const TargetEnabling e = rules.apply(form);
        EXPECT_EQ(form.pitchCut, row.cut);
        EXPECT_EQ(form.sizeMode, 0);
        EXPECT_EQ(e.halfCut, row.cut == 1);
        EXPECT_EQ(e.dottedLine, row.cut == 3);
        EXPECT_FALSE(e.solidLine || e.noCut || e.pitchAuto || e.autoSizeModes);
        EXPECT_TRUE(e.printLengthGroup);
    }

    // Only the QX-790 prints tape at the sizes chosen per line.
    const model::Catalogue qx780(QX780);
    const TargetRules older(qx780);
    TargetForm tape780 = formOn(older, Kind::Tape, 9);
    tape780.sizeMode = 1;
    EXPECT_TRUE(older.apply(tape780).autoSizeModes);
    EXPECT_EQ(tape780.sizeMode, 1);

    TargetForm plate = formOn(rules, Kind::Plate05, 80);
    plate.pitchCut = 1;
    EXPECT_FALSE(rules.apply(plate).halfCut);
    EXPECT_EQ(plate.pitchCut, 2);
}

TEST_F(TargetRulesTest, ChangeHandlers) {
    const model::Catalogue catalogue(QX950W3);
    const TargetRules rules(catalogue);
    TargetForm form = formOn(rules, Kind::GeneralTube, 15);
    rules.targetChanged(form, *catalogue.findTarget(Kind::Tape));
    EXPECT_EQ(rules.sizeOf(form), 5);
    rules.targetChanged(form, *catalogue.findTarget(Kind::GeneralLabel));
    EXPECT_EQ(form.sizeIndex, -1);
    EXPECT_TRUE(rules.canConfirm(form));

    // Models 0 and 1 keep the cut mark on a size change.
    const model::Catalogue first(QX780);
    const TargetRules firstRules(first);
    TargetForm tube = formOn(firstRules, Kind::KavTube, 32);
    tube.pitchCut = 1;
    firstRules.sizeChanged(tube, 0);
    EXPECT_EQ(tube.pitchCut, 1);
}

// ---- Opening -----------------------------------------------------------------------------------

TEST_F(TargetRulesTest, OpeningFallsBackForTargetsAndSizesTheModelDoesNotOffer) {
    const model::Catalogue w3(QX950W3);
    const TargetRules rules(w3);
    TargetForm form = formOn(rules, Kind::Plate03, 80); // the 0.3 mm plate is not offered
    EXPECT_EQ(form.targetIndex, 0);
    EXPECT_EQ(form.sizeIndex, 0);
    form = formOn(rules, Kind::KavTube, 99);
    EXPECT_EQ(rules.kindOf(form), Kind::KavTube);
    EXPECT_EQ(form.sizeIndex, -1);
    EXPECT_FALSE(rules.canConfirm(form));

    const model::Catalogue qx780(QX780);
    const TargetRules first(qx780);
    form = formOn(first, Kind::KavTube, 99);
    EXPECT_EQ(form.sizeIndex, 0);
}

TEST(TargetRulesInitial, NewDocumentsTakeTheOperatorsValuesAndLabelsTheStore) {
    const model::Catalogue catalogue(QX950W3);
    model::OperatorSettings settings = model::OperatorSettings::defaultsFor(catalogue);
    settings.frameGap = 3;
    settings.printFont = 2;
    settings.zeroSlash = 1;
    model::EditData data = model::createEditData(catalogue, 1);
    data.target.frame = 2;
    data.target.printFont = 1;
    const LabelValues stored{70, 300, 30};

    TargetDlgInitial initial = targetDlgInitial(data, settings, true, stored);
    EXPECT_EQ(initial.frameSpacing, 3);
    EXPECT_EQ(initial.printFont, 2);
    EXPECT_EQ(initial.zeroSlash, 1);
    EXPECT_EQ(initial.label, stored);

    initial = targetDlgInitial(data, settings, false, stored);
    EXPECT_EQ(initial.frameSpacing, 2);
    EXPECT_EQ(initial.printFont, 1);
    data.target.frame = 0;
    data.target.frameGap = 3;
    EXPECT_EQ(targetDlgInitial(data, settings, false, stored).frameSpacing, 3);

    data.target.targetKind = Kind::GeneralLabel;
    data.target.labelWidth = 80;
    EXPECT_EQ(targetDlgInitial(data, settings, false, stored).label, (LabelValues{80, 200, 20}));
}

// ---- OK ---------------------------------------------------------------------------------------

TEST_F(TargetRulesTest, AutoPrintLengthIgnoresTheMargins) {
    const model::Catalogue catalogue(QX950W3);
    const TargetRules rules(catalogue);
    TargetForm form = formOn(rules, Kind::KavTube, 32);
    form.printLengthMode = true;
    form.printLengthAuto = true;
    form.printLengthText = "20";
    form.leftMarginText = "30";
    form.rightMarginText = "30";
    rules.apply(form);
    const TargetValidation v = rules.validate(form, model::TargetSettings{});
    ASSERT_TRUE(v.ok);
    EXPECT_EQ(v.settings.printMode, 0x2F22);
    EXPECT_EQ(v.settings.printLength, 0);
    EXPECT_EQ(v.settings.leftMargin, 30);
}

TEST_F(TargetRulesTest, IntegerFieldsNameTheirRows) {
    struct Row {
        int model;
        const char* count;
        const char* left;
        const char* message; // empty: accepted
        TargetField field;
    };
    const Row rows[] = {
        {QX950W3, "0", "2", "1～300の範囲で設定してください。", TargetField::PrintCount},
        {QX950W, "101", "2", "1～100の範囲で設定してください。", TargetField::PrintCount},
        {QX950W3, "3x", "2", "1～300の範囲で設定してください。", TargetField::PrintCount},
        {QX950W3, "300", "31", "2～30の範囲で設定してください。", TargetField::LeftMargin},
        {QX950W3, "5.9", "2", "", TargetField::None}, // the fraction of an integer field is dropped
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.count);
        const model::Catalogue catalogue(row.model);
        const TargetRules rules(catalogue);
        TargetForm form = formOn(rules, Kind::KavTube, 32);
        form.printLengthMode = true;
        form.printCountText = row.count;
        form.leftMarginText = row.left;
        rules.apply(form);
        const TargetValidation v = rules.validate(form, model::TargetSettings{});
        if (*row.message == '\0') {
            ASSERT_TRUE(v.ok);
            EXPECT_EQ(v.settings.printCount, 5);
        } else {
            EXPECT_FALSE(v.ok);
            EXPECT_EQ(v.messageId, 42040);
            EXPECT_EQ(v.message, row.message);
            EXPECT_EQ(v.field, row.field);
        }
    }
}

TEST_F(TargetRulesTest, PitchModeDoesNotReadThePrintLengthGroup) {
    const model::Catalogue catalogue(QX950W3);
    const TargetRules rules(catalogue);
    model::TargetSettings original;
    original.printLength = 44;
    original.printCount = 7;
    original.labelWidth = 90;
    TargetForm form = rules.openingForm(original, {});
    form.printLengthText = "garbage";
    form.printCountText = "";
    form.labelWidthText = "x";
    rules.apply(form);
    const TargetValidation v = rules.validate(form, original);
    ASSERT_TRUE(v.ok);
    EXPECT_EQ(v.settings.printLength, 44);
    EXPECT_EQ(v.settings.printCount, 7);
    EXPECT_EQ(v.settings.labelWidth, 90);
}

TEST_F(TargetRulesTest, LabelFieldsAreDecimalMillimetres) {
    const model::Catalogue catalogue(QX950W3);
    const TargetRules rules(catalogue);
    struct Row {
        const char* width;
        const char* length;
        const char* gap;
        const char* message;
        TargetField field;
    };
    const Row rows[] = {
        {"4.9", "20.0", "2.0", "5.0～10.0の範囲で設定してください。", TargetField::LabelWidth},
        {"abc", "20.0", "2.0", "5.0～10.0の範囲で設定してください。", TargetField::LabelWidth},
        {"6.0", "40.1", "2.0", "7.3～40.0の範囲で設定してください。", TargetField::LabelLength},
        {"6.0", "20.0", "-0.1", "0.0～10.0の範囲で設定してください。", TargetField::LabelGap},
        {"6.55", "7.3", "0", "", TargetField::None},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.width);
        TargetForm form = formOn(rules, Kind::GeneralLabel, 0);
        form.labelWidthText = row.width;
        form.labelLengthText = row.length;
        form.labelGapText = row.gap;
        rules.apply(form);
        const TargetValidation v = rules.validate(form, model::TargetSettings{});
        if (*row.message == '\0') {
            ASSERT_TRUE(v.ok);
            EXPECT_EQ(v.settings.labelWidth, 65);
            EXPECT_EQ(v.settings.labelLength, 73);
            EXPECT_EQ(v.settings.labelGap, 0);
            EXPECT_EQ(v.settings.targetSize, 0);
        } else {
            EXPECT_FALSE(v.ok);
            EXPECT_EQ(v.messageId, 42041);
            EXPECT_EQ(v.message, row.message);
            EXPECT_EQ(v.field, row.field);
        }
    }
}

TEST_F(TargetRulesTest, FrameFontAndZeroSlashByVariant) {
    model::TargetSettings original;
    original.printFont = 1;
    original.zeroSlash = 0;
    original.autoTextSize = 3;
    struct Row {
        int model;
        int frame;     // confirmed frame with the frame on and spacing 2 chosen
        int printFont; // confirmed font with 標準 → 明快 chosen
        int zeroSlash;
        int autoTextSize;
    };
    const Row rows[] = {
        {QX790, 1, 1, 0, 3},
        {QX900W, 2, 1, 0, 3},
        {QX950W2, 2, 2, 0, 5},
        {QX950W3, 2, 2, 1, 5},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.model);
        const model::Catalogue catalogue(row.model);
        const TargetRules rules(catalogue);
        TargetForm form = rules.openingForm(original, {});
        form.frameOn = true;
        form.frameSpacing = 2;
        form.printFont = 2;
        form.zeroSlash = 1;
        form.sizeMode = 3;
        form.autoTextSize = 5;
        const TargetValidation v = rules.validate(form, original);
        ASSERT_TRUE(v.ok);
        EXPECT_EQ(v.settings.frame, row.frame);
        EXPECT_EQ(v.settings.printFont, row.printFont);
        EXPECT_EQ(v.settings.zeroSlash, row.zeroSlash);
        EXPECT_EQ(v.settings.autoTextSize, row.autoTextSize);
        form.frameOn = false;
        EXPECT_EQ(rules.validate(form, original).settings.frame, 0);
    }
}

// ---- After OK -----------------------------------------------------------------------------------

class TargetApplyTest : public ::testing::Test {
protected:
    explicit TargetApplyTest(model::ModelType model = QX950W3)
        : catalogue(model), settings(model::OperatorSettings::defaultsFor(catalogue)),
          data(model::createEditData(catalogue, 1)) {
        settings.textSize = 4;
        settings.textWidth = 1;
        settings.numberTape = 3;
        settings.pitchLenTape = 150;
        settings.frameGap = 2;
    }

    model::Catalogue catalogue;
    model::OperatorSettings settings;
    model::EditData data;
    output::testing::ScriptedPrompter prompter;
};

TEST_F(TargetApplyTest, NewGeneralLabelDocumentTakesLabelPitchOnEveryBlock) {
    model::TargetSettings t = data.target;
    t.targetKind = Kind::GeneralLabel;
    t.targetSize = 617;
    t.labelLength = 250;
    t.labelGap = 30;
    EXPECT_FALSE(applyConfirmedTarget(data, t, catalogue, settings, true, prompter));
    EXPECT_EQ(data.target.targetSize, 0);
    for (int b : {0, 500, 998}) {
        EXPECT_EQ(data.block(b).pitch, 280);
        EXPECT_EQ(data.block(b).count, 3);
        EXPECT_EQ(data.line(b, 3).charSize, 4);
        EXPECT_EQ(data.line(b, 0).charWidth, 1);
    }
    EXPECT_TRUE(prompter.shown().empty());
}

TEST_F(TargetApplyTest, KavLabelDerivesItsDimensionsFromTheSize) {
    model::TargetSettings t = data.target;
    t.targetKind = Kind::KavLabel;
    t.targetSize = 623;
    applyConfirmedTarget(data, t, catalogue, settings, false, prompter);
    EXPECT_EQ(data.target.labelWidth, 60);
    EXPECT_EQ(data.target.labelLength, 230);
    EXPECT_EQ(data.target.labelGap, 20);
    EXPECT_EQ(data.block(0).pitch, 250);
    EXPECT_EQ(data.block(998).pitch, 250);
}

TEST_F(TargetApplyTest, ExistingPitchModeDocumentClampsEveryPitchIntoTheKindsRange) {
    data.blockCount = 3;
    data.block(0).pitch = 50;
    data.block(1).pitch = 700;
    data.block(2).pitch = 321;
    data.block(2).count = 9;
    model::TargetSettings t = data.target; // a KAV tube: 10.0 to 60.0 mm
    applyConfirmedTarget(data, t, catalogue, settings, false, prompter);
    EXPECT_EQ(data.block(0).pitch, 100);
    EXPECT_EQ(data.block(1).pitch, 600);
    EXPECT_EQ(data.block(2).pitch, 321);
    EXPECT_EQ(data.block(2).count, 9); // an existing document keeps its counts

    t.targetKind = Kind::Tape;
    t.targetSize = 12;
    data.block(0).pitch = 20;
    applyConfirmedTarget(data, t, catalogue, settings, false, prompter);
    EXPECT_EQ(data.block(0).pitch, 35);
}

TEST_F(TargetApplyTest, FrameGapFollowsTheFrameOnLaterModels) {
    model::TargetSettings t = data.target;
    t.frame = 3;
    applyConfirmedTarget(data, t, catalogue, settings, false, prompter);
    EXPECT_EQ(data.target.frameGap, 3);
    t.frame = 0;
    applyConfirmedTarget(data, t, catalogue, settings, false, prompter);
    EXPECT_EQ(data.target.frameGap, 2);

    const model::Catalogue first(QX790);
    model::EditData older = model::createEditData(first, 1);
    older.target.frameGap = 1;
    model::TargetSettings o = older.target;
    o.frame = 1;
    o.frameGap = 3;
    applyConfirmedTarget(older, o, first, settings, false, prompter);
    EXPECT_EQ(older.target.frameGap, 1);
}

TEST_F(TargetApplyTest, PrintLengthModeWithOneSequenceSaysNothing) {
    data.line(0, 0).chars = {model::codes::SequenceMarker};
    data.block(0).appendSequence(model::tagSEQ_V900{});
    model::TargetSettings t = data.target;
    t.printMode = model::codes::Line1Marker;
    EXPECT_FALSE(applyConfirmedTarget(data, t, catalogue, settings, false, prompter));
    EXPECT_TRUE(prompter.shown().empty());
    EXPECT_EQ(data.block(0).sequenceCount, 1);
}

// ---- Bulk change ------------------------------------------------------------------------------

TEST(PackageRules, RangesAndInitialValuesByItemAndKind) {
    struct Row {
        PackageItem item;
        int kind;
        int model;
        int lower;
        int upper;
        int initial; // from the settings below
        int unitId;
    };
    const Row rows[] = {
        {PackageItem::Pitch, Kind::Tape, QX950W, 40, 600, 150, 40052},
        {PackageItem::Pitch, Kind::Tape, QX950W2, 35, 600, 150, 40052},
        {PackageItem::Pitch, Kind::Plate05, QX950W3, 25, 600, 150, 40052},
        {PackageItem::Pitch, Kind::KavTube, QX950W3, 100, 600, 250, 40052},
        {PackageItem::Count, Kind::KavTube, QX950W3, 1, 300, 4, 40053},
        {PackageItem::Count, Kind::Tape, QX900W, 1, 100, 3, 40053},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(row.item) << "/" << row.kind << "/" << row.model);
        const model::Catalogue catalogue(row.model);
        model::OperatorSettings settings = model::OperatorSettings::defaultsFor(catalogue);
        settings.pitchLenTape = 150;
        settings.pitchLenTube = 250;
        settings.numberTape = 3;
        settings.numberTube = 4;
        const PackageItemSpec entry = packageItemSpec(row.item, row.kind, catalogue, settings);
        EXPECT_EQ(entry.listIndex, -1);
        EXPECT_EQ(entry.range, (model::ValueRange{row.lower, row.upper}));
        EXPECT_EQ(entry.initial, row.initial);
        EXPECT_EQ(entry.unitId, row.unitId);
    }

    const model::Catalogue w3(QX950W3);
    const model::OperatorSettings defaults = model::OperatorSettings::defaultsFor(w3);
    EXPECT_EQ(packageItemSpec(PackageItem::Underline, Kind::Tape, w3, defaults).listIndex, 15);
    EXPECT_EQ(packageItemSpec(PackageItem::Reverse, Kind::Tape, w3, defaults).listIndex, 4);
    EXPECT_EQ(packageItemSpec(PackageItem::CharWidth, Kind::Tape, w3, defaults).nameId, 40048);
}

} // namespace
} // namespace qx::ui
