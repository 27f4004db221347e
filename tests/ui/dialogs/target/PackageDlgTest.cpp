#include "ui/dialogs/target/PackageDlg.h"
#include "model/Catalogue.h"
#include "model/OperatorSettings.h"
#include "support/ScriptedPrompter.h"
#include "ui/dialogs/TargetDlgSpinEdit.h"

#include <QComboBox>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace qx::ui {
namespace {

namespace Kind = model::TargetKind;

class PackageDlgTest : public ::testing::Test {
protected:
    void open(int model, int kind, PackageItem item) {
        catalogue = std::make_unique<model::Catalogue>(model);
        settings = model::OperatorSettings::defaultsFor(*catalogue);
        dlg = std::make_unique<CPackageDlg>(*catalogue, settings, prompter, kind, item);
        dlg->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
    }
    CTargetDlgSpinEdit* edit() { return dlg->findChild<CTargetDlgSpinEdit*>("valueEdit"); }
    void type(const char* text) {
        QTest::keyClick(edit(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit(), Qt::Key_Delete);
        QTest::keyClicks(edit(), QString::fromLatin1(text));
    }
    QString unit() { return dlg->findChild<QLabel*>("unitLabel")->text(); }

    output::testing::ScriptedPrompter prompter;
    std::unique_ptr<model::Catalogue> catalogue;
    model::OperatorSettings settings;
    std::unique_ptr<CPackageDlg> dlg;
};

TEST_F(PackageDlgTest, TapePitchRangeDependsOnTheModelGroup) {
    open(model::models::QX950W, Kind::Tape, PackageItem::Pitch);
    EXPECT_EQ(dlg->windowTitle(), QString::fromUtf8("一括変更 (ﾋﾟｯﾁ長)"));
    EXPECT_EQ(unit(), "mm");
    ASSERT_NE(edit(), nullptr);
    EXPECT_EQ(edit()->text(), "10.0");
    EXPECT_EQ(edit()->lower(), 40);
    EXPECT_EQ(edit()->upper(), 600);

    open(model::models::QX950W2, Kind::Tape, PackageItem::Pitch);
    EXPECT_EQ(edit()->lower(), 35);
    type("3.4");
    dlg->accept();
    ASSERT_EQ(prompter.shown().size(), 1u);
    EXPECT_EQ(prompter.shown()[0].messageId, 42041);
    EXPECT_EQ(prompter.shown()[0].text, "3.5～60.0の範囲で設定してください。");
    EXPECT_NE(dlg->result(), QDialog::Accepted);

    type("12.56");
    dlg->accept();
    ASSERT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(dlg->value(), 125);
}

TEST_F(PackageDlgTest, ArrowsStepTheCountWithinItsRange) {
    open(model::models::QX950W3, Kind::KavTube, PackageItem::Count);
    EXPECT_EQ(unit(), QString::fromUtf8("個"));
    EXPECT_EQ(edit()->text(), "2");
    QTest::keyClick(edit(), Qt::Key_Down);
    EXPECT_EQ(edit()->text(), "1");
    QTest::keyClick(edit(), Qt::Key_Down); // already at the lower limit
    EXPECT_EQ(edit()->text(), "1");
    type("299");
    QTest::keyClick(edit(), Qt::Key_Up);
    EXPECT_EQ(edit()->text(), "300");
    QTest::keyClick(edit(), Qt::Key_Up);
    EXPECT_EQ(edit()->text(), "300");

    type("2.5");
    dlg->accept();
    ASSERT_EQ(prompter.shownIds(), std::vector<int>{42040});
    EXPECT_EQ(prompter.shown()[0].text, "1～300の範囲で設定してください。");
}

TEST_F(PackageDlgTest, ListItemsReturnTheirStoredValue) {
    open(model::models::QX950W3, Kind::Tape, PackageItem::Reverse);
    EXPECT_EQ(edit(), nullptr);
    auto* list = dlg->findChild<QComboBox*>("valueCombo");
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->currentText(), QString::fromUtf8("しない"));
    QTest::keyClick(list, Qt::Key_Down);
    dlg->accept();
    ASSERT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(dlg->value(), 1);

    open(model::models::QX950W3, Kind::Tape, PackageItem::CharSize);
    list = dlg->findChild<QComboBox*>("valueCombo");
    EXPECT_EQ(list->currentData().toInt(), settings.textSize);
    EXPECT_EQ(list->count(), 6);
}

} // namespace
} // namespace qx::ui
