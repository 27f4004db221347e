#include "ui/dialogs/output/OutputDialogs.h"
#include "ui/dialogs/TargetDlgSpinEdit.h"
#include "model/Catalogue.h"
#include "model/EditData.h"
#include "model/OperatorSettings.h"
#include "model/TargetKind.h"
#include "output/PrintFieldCheck.h"
#include "output/PrintJob.h"
#include "support/ScriptedPrompter.h"
#include "support/TypeText.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QDialog>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace qx::ui {
namespace {

using output::testing::ScriptedPrompter;

/// `blocks` blocks of pitch 30.0 mm and continuous count 4 on a tube, specified pitch.
model::EditData tubeRun(const model::Catalogue& catalogue, int blocks = 1) {
    model::EditData data = model::createEditData(catalogue, 1);
    data.blockCount = static_cast<std::int16_t>(blocks);
    data.target.pitchAuto = 0;
    for (int b = 0; b < blocks; ++b) {
        data.block(b).pitch = 300;
        data.block(b).count = 4;
        data.block(b).lines[0].chars = {0x2341};
        data.block(b).lineCount = 1;
    }
    return data;
}

class PrintDlgTest : public ::testing::Test {
protected:
    void open(model::ModelType model, const model::EditData& document,
              std::vector<output::PrintSettingEntry> sets = {}, const output::PrintOptions& previous = {}) {
        catalogue = std::make_unique<model::Catalogue>(model);
        settings = model::OperatorSettings::defaultsFor(*catalogue);
        data = document;
        const output::PrintOptions start = output::printDialogStart(
            *catalogue, model, data, output::withPrintParameters(previous, settings.print));
        handle = createPrintDialog(PrintDlgSetup{*catalogue, settings, data, prompter, start, std::move(sets)});
        ASSERT_NE(handle, nullptr);
        dlg = &handle->dialog();
        dlg->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg));
    }

    template <class W> W* child(const char* name) {
        W* w = dlg->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    CTargetDlgSpinEdit* field(const char* name) { return child<CTargetDlgSpinEdit>(name); }
    /// Replaces a field's text as the operator does: select all, type.
    void type(const char* name, const QString& text) {
        CTargetDlgSpinEdit* f = field(name);
        qx::testing::replaceText(f, text);
    }
    void click(const char* name) {
        QAbstractButton* b = child<QAbstractButton>(name);
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(std::min(8, b->width() / 2), b->height() / 2));
    }
    void pressOk() { click("okButton"); }
    QString focusName() const {
        QWidget* focus = QApplication::focusWidget();
        while (focus != nullptr && qobject_cast<CTargetDlgSpinEdit*>(focus) == nullptr) {
            focus = focus->parentWidget();
        }
        return focus != nullptr ? focus->objectName() : QString();
    }

    ScriptedPrompter prompter;
    std::unique_ptr<model::Catalogue> catalogue;
    model::OperatorSettings settings;
    model::EditData data;
    std::unique_ptr<PrintDlgInterface> handle;
    QDialog* dlg = nullptr;
};

// Whatever range the last print took, the dialog opens on the whole document: block 1 to the
// last block, one copy.
TEST_F(PrintDlgTest, OpensOnTheWholeDocument) {
    output::PrintOptions previous;
    previous.startBlock = 2;
    previous.endBlock = 3;
    previous.copies = 4;
    for (const model::ModelType model :
         {model::models::QX790, model::models::QX950W, model::models::QX950W3}) {
        SCOPED_TRACE(model);
        open(model, tubeRun(model::Catalogue(model), 7), {}, previous);
        EXPECT_EQ(field("startBlock")->text(), QStringLiteral("1"));
        EXPECT_EQ(field("endBlock")->text(), QStringLiteral("7"));
        EXPECT_EQ(field("copies")->text(), QStringLiteral("1"));
        pressOk();
        ASSERT_EQ(dlg->result(), QDialog::Accepted);
        EXPECT_EQ(handle->confirmedOptions().startBlock, 1);
        EXPECT_EQ(handle->confirmedOptions().endBlock, 7);
    }
}

// A cut position stored outside its range is shown as stored and refused on OK, not printed as
// a silently different value.
TEST_F(PrintDlgTest, StoredCutPositionOutsideItsRangeIsShownAndRefused) {
    catalogue = std::make_unique<model::Catalogue>(model::models::QX950W3);
    settings = model::OperatorSettings::defaultsFor(*catalogue);
    output::StoredPrintValues stored{};
    stored[0] = 100; // CutPotision: 8.0 mm
    settings.print = output::printParametersFromStore(stored, *catalogue);
    data = tubeRun(*catalogue, 2);
    const output::PrintOptions previous = output::withPrintParameters(output::PrintOptions{}, settings.print);
    const output::PrintOptions start = output::printDialogStart(*catalogue, catalogue->model(), data, previous);
    handle = createPrintDialog(PrintDlgSetup{*catalogue, settings, data, prompter, start, {}});
    ASSERT_NE(handle, nullptr);
    dlg = &handle->dialog();
    dlg->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg));
    EXPECT_EQ(field("cutPosition")->text(), QStringLiteral("8.0"));
    pressOk();
    EXPECT_EQ(prompter.shownIds(), std::vector<int>{42041});
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(focusName(), QStringLiteral("cutPosition"));
}

// The QX-790 checks the run before the positions; the later dialogs the positions first. Either
// way the refusal keeps the dialog open with the focus on the field it names.
TEST_F(PrintDlgTest, EachGenerationRefusesInItsOrderAndFocusesTheField) {
    struct Row {
        model::ModelType model;
        const char* cut;
        int expected;
        const char* focus;
    };
    const Row rows[] = {
        {1, "2.05", 42050, "startBlock"}, {3, "2.05", 42041, "cutPosition"}, {9, "2.05", 42041, "cutPosition"},
        {1, "0.0", 42050, "startBlock"},  {9, "0.0", 42050, "startBlock"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.model) + " " + row.cut);
        prompter = ScriptedPrompter();
        open(row.model, tubeRun(model::Catalogue(row.model), 5));
        type("startBlock", QStringLiteral("5"));
        type("endBlock", QStringLiteral("3"));
        type("cutPosition", QString::fromLatin1(row.cut));
        pressOk();
        ASSERT_EQ(prompter.shownIds(), std::vector<int>{row.expected});
        EXPECT_TRUE(dlg->isVisible());
        EXPECT_EQ(dlg->result(), QDialog::Rejected);
        EXPECT_EQ(focusName(), QString::fromLatin1(row.focus));
        handle.reset();
    }
}

// 120.0 mm over 4 pieces allows -1.2 to 6.0 mm: the QX-790 refuses 6.05 as typed, the later ones
// take its tenths; 6.1 is refused everywhere.
TEST_F(PrintDlgTest, TotalLengthCorrectionBounds) {
    struct Row {
        model::ModelType model;
        const char* typed;
        bool accepted;
    };
    for (const Row& row : {Row{1, "6.05", false}, Row{1, "6.0", true}, Row{9, "6.05", true},
                           Row{9, "6.1", false}, Row{3, "-1.25", true}, Row{3, "-1.3", false}}) {
        SCOPED_TRACE(std::to_string(row.model) + " " + row.typed);
        prompter = ScriptedPrompter();
        open(row.model, tubeRun(model::Catalogue(row.model)));
        type("revision", QString::fromLatin1(row.typed));
        pressOk();
        if (row.accepted) {
            EXPECT_TRUE(prompter.shown().empty());
            EXPECT_EQ(dlg->result(), QDialog::Accepted);
            EXPECT_EQ(handle->confirmedOptions().revision, row.typed[0] == '-' ? 288 : 360);
            EXPECT_EQ(handle->confirmedOptions().printSelect, 1);
        } else {
            ASSERT_EQ(prompter.shown().size(), 1U);
            EXPECT_EQ(prompter.shown()[0].messageId, 42041);
            EXPECT_EQ(prompter.shown()[0].text, "-1.2～6.0の範囲で設定してください。");
            EXPECT_EQ(focusName(), QStringLiteral("revision"));
        }
        handle.reset();
    }
}

// AUTO pitch: the correction is neither shown nor asked, and the job has no REVISION line; a label
// keeps its one copy in a disabled field; print-length mode empties the run's fields.
TEST_F(PrintDlgTest, FieldsTheDocumentFixesAreDisabled) {
    const model::Catalogue w3(9);
    model::EditData autoPitch = tubeRun(w3);
    autoPitch.target.pitchAuto = 1;
    open(9, autoPitch);
    EXPECT_FALSE(field("revision")->isEnabled());
    EXPECT_TRUE(field("revision")->text().isEmpty());
    EXPECT_TRUE(field("copies")->isEnabled());
    pressOk();
    ASSERT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_TRUE(prompter.shown().empty());
    const output::PrintJobResult job =
        output::BuildPrintJob(data, *catalogue, settings, handle->confirmedOptions(), "auto");
    ASSERT_TRUE(job.ok);
    const std::string header(job.bytes.begin(), job.bytes.begin() + 400);
    EXPECT_EQ(header.find("REVISION"), std::string::npos);
    EXPECT_NE(header.find("@PJL SET PRINT COPIES=01\n"), std::string::npos);

    model::EditData label = tubeRun(w3);
    label.target.targetKind = model::TargetKind::KavLabel;
    open(9, label);
    EXPECT_FALSE(field("copies")->isEnabled());
    EXPECT_EQ(field("copies")->text(), QStringLiteral("1"));
    EXPECT_FALSE(child<QWidget>("lowTempMode")->isEnabled());
    EXPECT_FALSE(child<QWidget>("pattern180")->isEnabled());
    pressOk();
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(handle->confirmedOptions().copies, 1);

    model::EditData printLength = tubeRun(w3);
    printLength.target.printMode = 0x2F22;
    for (const model::ModelType model : {1, 9}) {
        open(model, printLength);
        for (const char* name : {"copies", "startBlock", "endBlock", "revision"}) {
            EXPECT_FALSE(field(name)->isEnabled()) << name;
            EXPECT_TRUE(field(name)->text().isEmpty()) << name;
        }
        EXPECT_TRUE(child<QWidget>("lowTempMode")->isEnabled());
    }
}

// The rotated pattern prints every piece twice: 18,000 mm three times fits the 100,000 mm of a
// tube's copies, twice that does not. The cross-ferrule patterns are not offered.
TEST_F(PrintDlgTest, RotatedPatternCountsEveryPieceTwice) {
    const model::Catalogue w3(9);
    model::EditData run = tubeRun(w3);
    run.block(0).pitch = 600;
    run.block(0).count = 300;
    open(9, run);
    EXPECT_TRUE(child<QAbstractButton>("patternNormal")->isChecked());
    EXPECT_FALSE(child<QWidget>("patternCross")->isVisible());
    EXPECT_FALSE(child<QWidget>("patternCross180")->isVisible());
    type("copies", QStringLiteral("3"));
    type("revision", QStringLiteral("0"));
    click("pattern180");
    pressOk();
    EXPECT_EQ(prompter.shownIds(), std::vector<int>{42053});
    EXPECT_EQ(focusName(), QStringLiteral("copies"));
    click("patternNormal");
    pressOk();
    ASSERT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(handle->confirmedOptions().printType, 0);
    EXPECT_EQ(handle->confirmedOptions().copies, 3);
}

// The dialog says what the job will print while the range, the copies and the pattern are chosen:
// three blocks of 4 pieces at 30.0 mm; blocks 2 to 3 twice; rotated, every piece twice.
TEST_F(PrintDlgTest, RunTotalsFollowTheChosenRangeCopiesAndPattern) {
    const model::Catalogue w3(9);
    open(9, tubeRun(w3, 3));
    auto* totals = child<QLabel>("runTotals");
    ASSERT_NE(totals, nullptr);
    EXPECT_EQ(totals->text(), QStringLiteral("3 ﾌﾞﾛｯｸ　12 個　全長 360.0 mm"));
    type("startBlock", QStringLiteral("2"));
    type("copies", QStringLiteral("2"));
    EXPECT_EQ(totals->text(), QStringLiteral("2 ﾌﾞﾛｯｸ　16 個　全長 480.0 mm"));
    type("endBlock", QStringLiteral("")); // being retyped: the last totals stand
    EXPECT_EQ(totals->text(), QStringLiteral("2 ﾌﾞﾛｯｸ　16 個　全長 480.0 mm"));
    type("endBlock", QStringLiteral("2"));
    click("pattern180");
    EXPECT_EQ(totals->text(), QStringLiteral("1 ﾌﾞﾛｯｸ　16 個　全長 480.0 mm"));

    // A print-length document prints whole and once, whatever the fields held.
    model::EditData printLength = tubeRun(w3, 3);
    printLength.target.printMode = 0x2F22;
    printLength.target.printLength = 40;
    printLength.target.printCount = 5;
    open(9, printLength);
    EXPECT_EQ(child<QLabel>("runTotals")->text(), QStringLiteral("3 ﾌﾞﾛｯｸ　5 個　全長 200.0 mm"));
}

// A named set fills the cut position, vertical position and density; OK stores them with their
// offsets, and the switches as ticked.
TEST_F(PrintDlgTest, NamedSetFillsTheMachineParameters) {
    const model::Catalogue w(3);
    output::PrintSettingEntry thin{"Thin", 7, -15, 3};
    output::PrintSettingEntry thick{"Thick", 2, 5, -4};
    open(3, tubeRun(w), {thin, thick});
    auto* names = child<QComboBox>("settingName");
    ASSERT_EQ(names->count(), 2);
    EXPECT_EQ(names->currentIndex(), -1);
    names->setFocus();
    QTest::keyClick(names, Qt::Key_Down);
    QTest::keyClick(names, Qt::Key_Down);
    EXPECT_EQ(field("cutPosition")->text(), QStringLiteral("0.5"));
    EXPECT_EQ(field("printOffsetY")->text(), QStringLiteral("-4"));
    EXPECT_EQ(child<QSlider>("heatVol")->value(), 2);
    click("frontFeed");
    click("seqOrderSequence");
    pressOk();
    ASSERT_EQ(dlg->result(), QDialog::Accepted);
    const output::PrintOptions& o = handle->confirmedOptions();
    EXPECT_EQ(o.cutPosAdjust, 25);
    EXPECT_EQ(o.prnOffsetY, 6);
    EXPECT_EQ(o.heatVol, 2);
    EXPECT_EQ(o.frontFeed, 1);
    EXPECT_EQ(o.seqOrder, 1);
}

} // namespace
} // namespace qx::ui
