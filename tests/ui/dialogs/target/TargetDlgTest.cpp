#include "ui/dialogs/target/TargetDlg.h"
#include "model/Catalogue.h"
#include "model/EditData.h"
#include "model/OperatorSettings.h"
#include "output/PrintOptions.h"
#include "support/ScriptedPrompter.h"
#include "ui/EditorContext.h"
#include "ui/dialogs/TargetDlgSpinEdit.h"
#include "ui/dialogs/target/TargetDlgV12.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace qx::ui {
namespace {

namespace Kind = model::TargetKind;
using model::models::QX790;
using model::models::QX950W;
using model::models::QX950W2;
using model::models::QX950W3;

class TargetDlgTest : public ::testing::Test {
protected:
    TargetDlgTest() : store(dir.filePath("settings.ini"), QSettings::IniFormat) {}

    /// Opens the dialog of `model` on the settings, shown, as the operator sees it.
    void open(int model, const model::TargetSettings& target, bool newDocument = false,
              TargetDlgInitial initial = {1, 0, 0, {60, 200, 20}}) {
        catalogue = std::make_unique<model::Catalogue>(model);
        const TargetDlgSetup setup{*catalogue, prompter, target, newDocument, initial};
        handle = createTargetDialog(setup);
        dlg = &handle->dialog();
        dlg->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg));
    }

    template <class W> W* child(const char* name) {
        W* w = dlg->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QAbstractButton* button(const char* name) { return child<QAbstractButton>(name); }
    /// Clicks near the left end, where a radio button or check box has its indicator.
    void click(const char* name) {
        QAbstractButton* b = button(name);
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(std::min(10, b->width() / 2), b->height() / 2));
    }
    void key(const char* name, Qt::Key k) { QTest::keyClick(child<QWidget>(name), k); }
    /// Replaces the text of a numeric field by typing.
    void type(const char* name, const char* text) {
        auto* edit = child<CTargetDlgSpinEdit>(name);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, QString::fromLatin1(text));
    }
    QString text(const char* name) { return child<CTargetDlgSpinEdit>(name)->text(); }
    bool enabled(const char* name) { return child<QWidget>(name)->isEnabled(); }
    bool checked(const char* name) { return button(name)->isChecked(); }
    bool focusedIn(const char* name) {
        QWidget* focus = QApplication::focusWidget();
        QWidget* field = child<QWidget>(name);
        return focus != nullptr && (focus == field || field->isAncestorOf(focus));
    }
    bool accepted() const { return dlg->result() == QDialog::Accepted; }

    static model::TargetSettings on(int kind, int size) {
        model::TargetSettings t;
        t.targetKind = static_cast<std::int16_t>(kind);
        t.targetSize = static_cast<std::int16_t>(size);
        return t;
    }

    QTemporaryDir dir;
    QSettings store;
    output::testing::ScriptedPrompter prompter;
    std::unique_ptr<model::Catalogue> catalogue;
    std::unique_ptr<TargetDlgInterface> handle;
    QDialog* dlg = nullptr;
};

TEST_F(TargetDlgTest, FactoryPicksTheClassOfTheModel) {
    const std::pair<int, TargetDlgVariant> rows[] = {{QX790, TargetDlgVariant::FirstGeneration},
                                                     {QX950W, TargetDlgVariant::V9},
                                                     {QX950W2, TargetDlgVariant::V12},
                                                     {QX950W3, TargetDlgVariant::V14}};
    for (const auto& [model, variant] : rows) {
        open(model, on(Kind::KavTube, 32));
        EXPECT_EQ(handle->variant(), variant);
        EXPECT_EQ(dlg->findChild<QWidget*>("frameSpacingCombo") != nullptr,
                  variant != TargetDlgVariant::FirstGeneration);
        EXPECT_EQ(dlg->findChild<QWidget*>("printFontCombo") != nullptr,
                  variant == TargetDlgVariant::V12 || variant == TargetDlgVariant::V14);
        EXPECT_EQ(dlg->findChild<QWidget*>("zeroSlashRadio1") != nullptr, variant == TargetDlgVariant::V14);
    }
    EXPECT_NE(dynamic_cast<CTargetDlgV12*>(handle.get()), nullptr); // V14 derives from V12
    EXPECT_EQ(dlg->windowTitle(), QString::fromUtf8("印刷物設定"));
    open(QX950W3, on(Kind::KavTube, 32), true);
    EXPECT_EQ(dlg->windowTitle(), QString::fromUtf8("印刷物設定 (新規作成)"));
}

TEST_F(TargetDlgTest, ChoosingALabelForcesPitchModeAndShowsTheLabelFields) {
    model::TargetSettings t = on(Kind::KavTube, 32);
    t.printMode = model::codes::Line1Marker;
    open(QX950W3, t);
    EXPECT_TRUE(checked("printModeRadio"));
    EXPECT_TRUE(child<QWidget>("sizeCombo")->isVisible());

    key("targetCombo", Qt::Key_End); // the general label is the last target
    EXPECT_FALSE(enabled("printModeRadio"));
    EXPECT_TRUE(checked("pitchModeRadio"));
    EXPECT_FALSE(enabled("pitchAutoRadio1"));
    EXPECT_TRUE(checked("pitchAutoRadio0"));
    EXPECT_TRUE(checked("pitchCutRadio0"));
    EXPECT_FALSE(enabled("pitchCutRadio1"));
    EXPECT_FALSE(enabled("pitchCutRadio2"));
    EXPECT_FALSE(enabled("pitchCutRadio3"));
    EXPECT_TRUE(child<QWidget>("labelFields")->isVisible());
    EXPECT_FALSE(child<QWidget>("sizeCombo")->isVisible());
    EXPECT_EQ(text("labelWidthEdit"), "6.0");
    EXPECT_EQ(text("labelLengthEdit"), "20.0");
    EXPECT_EQ(text("labelGapEdit"), "2.0");

    key("targetCombo", Qt::Key_Home);
    EXPECT_TRUE(enabled("printModeRadio"));
    EXPECT_TRUE(child<QWidget>("sizeCombo")->isVisible());
    EXPECT_EQ(child<QComboBox>("sizeCombo")->currentIndex(), 0);
}

TEST_F(TargetDlgTest, ALabelTurnsAutoPitchIntoASpecifiedPitch) {
    // Start from AUTO, so a dialog that only keeps what it was given cannot pass.
    model::TargetSettings t = on(Kind::KavTube, 32);
    t.pitchAuto = 1;
    open(QX950W3, t);
    EXPECT_TRUE(checked("pitchAutoRadio1"));
    key("targetCombo", Qt::Key_End); // the general label
    dlg->accept();
    ASSERT_TRUE(accepted());
    EXPECT_EQ(handle->confirmedSettings().pitchAuto, 0);
}

TEST_F(TargetDlgTest, PrintLengthModeEnablesItsGroupAndFixesTheSizeMode) {
    model::TargetSettings t = on(Kind::KavTube, 32);
    t.sizeMode = 2;
    open(QX950W2, t);
    EXPECT_FALSE(enabled("printLengthAutoCheck"));
    EXPECT_FALSE(enabled("printCountEdit"));
    EXPECT_TRUE(enabled("sizeModeRadio2"));

    click("printModeRadio");
    for (const char* name : {"sizeModeRadio1", "sizeModeRadio2", "sizeModeRadio3", "pitchAutoRadio1"}) {
        EXPECT_FALSE(enabled(name)) << name;
    }
    EXPECT_TRUE(checked("sizeModeRadio0"));
    for (const char* name : {"printLengthAutoCheck", "printCountEdit", "placementRadio1", "leftMarginEdit"}) {
        EXPECT_TRUE(enabled(name)) << name;
    }
    EXPECT_TRUE(checked("printLengthAutoCheck")); // print length 0 is AUTO
    EXPECT_FALSE(enabled("printLengthEdit"));
    EXPECT_EQ(text("printLengthEdit"), "10");
    click("printLengthAutoCheck");
    EXPECT_TRUE(enabled("printLengthEdit"));
    EXPECT_TRUE(checked("pitchCutRadio1"));

    click("pitchModeRadio");
    EXPECT_TRUE(enabled("sizeModeRadio2"));
    EXPECT_FALSE(enabled("printLengthEdit"));
}

TEST_F(TargetDlgTest, FrameOffAndOnRestoresTheSpacing) {
    model::TargetSettings t = on(Kind::KavTube, 32);
    t.frame = 3;
    open(QX950W, t);
    auto* spacing = child<QComboBox>("frameSpacingCombo");
    EXPECT_EQ(spacing->currentData().toInt(), 3);

    click("frameRadio0");
    EXPECT_EQ(spacing->currentIndex(), -1);
    EXPECT_FALSE(spacing->isEnabled());
    click("frameRadio1");
    EXPECT_TRUE(spacing->isEnabled());
    EXPECT_EQ(spacing->currentData().toInt(), 3);

    dlg->accept();
    ASSERT_TRUE(accepted());
    EXPECT_EQ(handle->confirmedSettings().frame, 3);
}

TEST_F(TargetDlgTest, WidthAutoSizeComboFollowsItsMode) {
    model::TargetSettings t = on(Kind::KavTube, 32);
    t.sizeMode = 3;
    t.autoTextSize = 4;
    open(QX950W2, t);
    auto* size = child<QComboBox>("autoTextSizeCombo");
    EXPECT_TRUE(size->isEnabled());
    EXPECT_EQ(size->currentData().toInt(), 4);

    click("sizeModeRadio1");
    EXPECT_FALSE(size->isEnabled());
    EXPECT_EQ(size->currentIndex(), -1);
    click("sizeModeRadio3");
    EXPECT_EQ(size->currentData().toInt(), 4);
}

TEST_F(TargetDlgTest, FirstGenerationTableOnQx790Tape) {
    model::TargetSettings t = on(Kind::Tape, 9);
    t.sizeMode = 1;
    open(QX790, t);
    EXPECT_FALSE(enabled("sizeModeRadio1"));
    EXPECT_TRUE(checked("sizeModeRadio0"));
    EXPECT_EQ(button("sizeModeRadio0")->text(), QString::fromUtf8("指定 (行単位で指定)"));
    EXPECT_EQ(button("frameRadio1")->text(), QString::fromUtf8("あり"));
    EXPECT_EQ(dlg->findChild<QWidget*>("labelFields"), nullptr);

    click("printModeRadio");
    EXPECT_TRUE(checked("pitchCutRadio1"));
    EXPECT_TRUE(enabled("pitchCutRadio1"));
    for (const char* name : {"pitchCutRadio2", "pitchCutRadio3", "pitchCutRadio0"}) {
        EXPECT_FALSE(enabled(name)) << name;
    }
}

TEST_F(TargetDlgTest, ThickTubeSizeSelectsTheDottedLine) {
    open(QX950W3, on(Kind::GeneralTube, 15));
    EXPECT_TRUE(checked("pitchCutRadio1"));
    key("sizeCombo", Qt::Key_End); // φ8.0
    EXPECT_EQ(child<QComboBox>("sizeCombo")->currentData().toInt(), 80);
    EXPECT_TRUE(checked("pitchCutRadio3"));
    EXPECT_FALSE(enabled("pitchCutRadio1"));
}

TEST_F(TargetDlgTest, MarginsTooLargeForThePrintLengthKeepTheDialogOpen) {
    model::TargetSettings t = on(Kind::KavTube, 32);
    t.printMode = model::codes::Line1Marker;
    open(QX950W3, t);
    click("printLengthAutoCheck");
    type("printLengthEdit", "20");
    type("leftMarginEdit", "8");
    type("rightMarginEdit", "7");
    click("okButton");
    EXPECT_EQ(prompter.shownIds(), std::vector<int>{42029});
    EXPECT_FALSE(accepted());
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_TRUE(focusedIn("printLengthEdit"));

    type("rightMarginEdit", "6");
    click("okButton");
    ASSERT_TRUE(accepted());
    const model::TargetSettings& s = handle->confirmedSettings();
    EXPECT_EQ(s.printMode, model::codes::Line1Marker);
    EXPECT_EQ(s.printLength, 20);
    EXPECT_EQ(s.leftMargin, 8);
    EXPECT_EQ(s.rightMargin, 6);
}

TEST_F(TargetDlgTest, OutOfRangeCountNamesItsLimits) {
    model::TargetSettings t = on(Kind::KavTube, 32);
    t.printMode = model::codes::Line1Marker;
    open(QX950W, t);
    type("printCountEdit", "101");
    dlg->accept();
    ASSERT_EQ(prompter.shown().size(), 1u);
    EXPECT_EQ(prompter.shown()[0].messageId, 42040);
    EXPECT_EQ(prompter.shown()[0].text, "1～100の範囲で設定してください。");
    EXPECT_TRUE(focusedIn("printCountEdit"));
    EXPECT_FALSE(accepted());
}

TEST_F(TargetDlgTest, LabelSpinStepsInTenthsAndFollowsTypedText) {
    open(QX950W3, on(Kind::GeneralLabel, 0), false, {1, 0, 0, {60, 200, 20}});
    auto* width = child<CTargetDlgSpinEdit>("labelWidthEdit");
    QTest::keyClick(width, Qt::Key_Up);
    EXPECT_EQ(width->text(), "6.1");
    type("labelWidthEdit", "9.55");
    EXPECT_EQ(width->position(), 95);
    QTest::keyClick(width, Qt::Key_Up);
    EXPECT_EQ(width->text(), "9.6");
    type("labelWidthEdit", "12"); // outside the range: the spin stays where it was
    QTest::keyClick(width, Qt::Key_Down);
    EXPECT_EQ(width->text(), "9.5");

    dlg->accept();
    ASSERT_TRUE(accepted());
    EXPECT_EQ(handle->confirmedSettings().labelWidth, 95);
    EXPECT_EQ(handle->confirmedSettings().targetSize, 0);
}

TEST_F(TargetDlgTest, OkWaitsForASizeTheModelOffers) {
    open(QX950W3, on(Kind::KavTube, 99));
    auto* ok = child<QPushButton>("okButton");
    EXPECT_EQ(child<QComboBox>("sizeCombo")->currentIndex(), -1);
    EXPECT_FALSE(ok->isEnabled());
    dlg->accept();
    EXPECT_FALSE(accepted());
    EXPECT_TRUE(prompter.shown().empty());

    key("sizeCombo", Qt::Key_Home);
    EXPECT_TRUE(ok->isEnabled());
    click("okButton");
    ASSERT_TRUE(accepted());
    EXPECT_EQ(handle->confirmedSettings().targetSize, 25);
}

// ---- After OK and the modal runner ----------------------------------------------------------

class TargetDlgRunTest : public TargetDlgTest {
protected:
    TargetDlgRunTest() : w3(QX950W3), settings(model::OperatorSettings::defaultsFor(w3)) {}

    model::Catalogue w3;
    model::OperatorSettings settings;
    output::PrintOptions printOptions;
    EditorContext context{w3, settings, printOptions, prompter, store};
};

TEST_F(TargetDlgRunTest, GeneralLabelSavesItsDimensionsAndSetsEveryPitch) {
    store.setValue("Label/LabelWidth", 80);
    store.setValue("Label/LabelLength", 300);
    store.setValue("Label/LabelPitch", 30);
    model::EditData data = model::createEditData(w3, 1);
    open(QX950W3, data.target, true,
         targetDlgInitial(data, settings, true, readStoredLabelValues(store, w3)));
    key("targetCombo", Qt::Key_End);
    EXPECT_EQ(text("labelWidthEdit"), "8.0");
    type("labelLengthEdit", "25.0");
    click("okButton");
    ASSERT_TRUE(accepted());

    applyTargetDialogResult(context, data, true, handle->confirmedSettings());
    EXPECT_EQ(store.value("Label/LabelWidth").toInt(), 80);
    EXPECT_EQ(store.value("Label/LabelLength").toInt(), 250);
    EXPECT_EQ(store.value("Label/LabelPitch").toInt(), 30);
    EXPECT_EQ(data.target.targetKind, Kind::GeneralLabel);
    EXPECT_EQ(data.block(0).pitch, 280);
    EXPECT_EQ(data.block(998).pitch, 280);
}

TEST_F(TargetDlgRunTest, SwitchingToPrintLengthModeReducesSequences) {
    model::EditData data = model::createEditData(w3, 1);
    data.blockCount = 2;
    data.line(0, 0).chars = {model::codes::SequenceMarker, model::codes::SequenceMarker};
    data.line(1, 0).chars = {model::codes::SequenceMarker};
    data.block(0).appendSequence(model::tagSEQ_V900{});
    data.block(0).appendSequence(model::tagSEQ_V900{});
    data.block(1).appendSequence(model::tagSEQ_V900{});
    open(QX950W3, data.target);
    click("printModeRadio");
    click("okButton");
    ASSERT_TRUE(accepted());
    EXPECT_TRUE(prompter.shown().empty());

    int undoSteps = 0;
    applyTargetDialogResult(context, data, false, handle->confirmedSettings(), [&] { ++undoSteps; });
    EXPECT_EQ(undoSteps, 1);
    EXPECT_EQ(prompter.shownIds(), std::vector<int>{42034});
    EXPECT_EQ(model::documentSequenceCount(data), 1);
    EXPECT_EQ(data.line(0, 0).chars, (model::CodeList{model::codes::SequenceMarker, 0x2121}));
    EXPECT_EQ(data.line(1, 0).chars, (model::CodeList{0x2121}));
}

/// Presses a button of the modal dialog once it runs.
void pressInModalDialog(const char* buttonName) {
    QTimer::singleShot(0, [buttonName] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        auto* b = modal->findChild<QAbstractButton*>(QString::fromLatin1(buttonName));
        ASSERT_NE(b, nullptr);
        b->click();
    });
}

TEST_F(TargetDlgRunTest, RunnerLeavesTheDocumentAloneWhenCancelled) {
    model::EditData data = model::createEditData(w3, 1);
    data.block(0).pitch = 50;
    const model::EditData before = data;
    pressInModalDialog("cancelButton");
    EXPECT_FALSE(runTargetSettings(nullptr, context, data, false));
    EXPECT_TRUE(data.target == before.target);
    EXPECT_TRUE(data.blocks == before.blocks);

    pressInModalDialog("okButton");
    EXPECT_TRUE(runTargetSettings(nullptr, context, data, false));
    EXPECT_EQ(data.block(0).pitch, 100); // clamped into the tube range
}

} // namespace
} // namespace qx::ui
