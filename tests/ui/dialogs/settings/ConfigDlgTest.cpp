#include "ui/dialogs/settings/ConfigDialogs.h"
#include "ui/dialogs/TargetDlgSpinEdit.h"
#include "model/Catalogue.h"
#include "support/ScriptedPrompter.h"
#include "support/TypeText.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace qx::ui {
namespace {

using output::Answer;
using output::testing::ScriptedPrompter;

class ConfigDlgTest : public ::testing::Test {
protected:
    void open(model::ModelType model, std::vector<output::PrintSettingEntry> sets = {},
              std::deque<Answer> answers = {}) {
        catalogue = std::make_unique<model::Catalogue>(model);
        prompter = ScriptedPrompter(std::move(answers));
        model::OperatorSettings settings = model::OperatorSettings::defaultsFor(*catalogue);
        settings.pitchLenTape = 35; // the stored setting may hold 3.5 mm
        handle = createConfigDialog(ConfigDlgSetup{*catalogue, prompter, settings, std::move(sets)});
        dlg = &handle->dialog();
        dlg->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg));
    }
    template <class W> W* child(const char* name) {
        W* w = dlg->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void typeInto(const char* name, const QString& text) {
        QWidget* w = child<QWidget>(name);
        qx::testing::replaceText(w, text);
    }
    void click(const char* name) { QTest::mouseClick(child<QAbstractButton>(name), Qt::LeftButton); }
    QStringList listed() {
        QStringList names;
        auto* list = child<QListWidget>("setList");
        for (int i = 0; i < list->count(); ++i) {
            names << list->item(i)->text();
        }
        return names;
    }

    ScriptedPrompter prompter;
    std::unique_ptr<model::Catalogue> catalogue;
    std::unique_ptr<ConfigDlgInterface> handle;
    QDialog* dlg = nullptr;
};

// Later models refuse a tape pitch under their fixed 4.0 mm; the QX-790 keeps its own row's
// limit and stores a typed pitch cut to tenths.
TEST_F(ConfigDlgTest, PitchesAreCheckedAgainstTheirGenerationsRange) {
    open(6);
    click("okButton");
    ASSERT_EQ(prompter.shown().size(), 1U);
    EXPECT_EQ(prompter.shown()[0].messageId, 42041);
    EXPECT_EQ(prompter.shown()[0].text, "4.0～60.0の範囲で設定してください。");
    EXPECT_TRUE(dlg->isVisible());

    open(1);
    typeInto("pitchLenTube", QStringLiteral("12.34"));
    typeInto("pitchLenTape", QStringLiteral("5.0"));
    typeInto("numberTape", QStringLiteral("0"));
    click("okButton");
    ASSERT_EQ(prompter.shown().size(), 1U);
    EXPECT_EQ(prompter.shown()[0].messageId, 42040);
    typeInto("numberTape", QStringLiteral("3"));
    click("okButton");
    ASSERT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(handle->confirmedSettings().pitchLenTube, 123);
    EXPECT_EQ(handle->confirmedSettings().pitchLenTape, 50);
    EXPECT_EQ(handle->confirmedSettings().numberTape, 3);
    EXPECT_FALSE(handle->hasNamedSets());
}

// The later variants add the print font and the slashed zero; each is taken back from its control.
TEST_F(ConfigDlgTest, LaterVariantsCarryFontAndSlashedZero) {
    open(3);
    EXPECT_EQ(dlg->findChild<QComboBox*>(QStringLiteral("printFont")), nullptr);
    open(6);
    EXPECT_NE(dlg->findChild<QComboBox*>(QStringLiteral("printFont")), nullptr);
    EXPECT_EQ(dlg->findChild<QAbstractButton*>(QStringLiteral("zeroSlashOn")), nullptr);
    open(9);
    auto* font = child<QComboBox>("printFont");
    ASSERT_GT(font->count(), 1);
    font->setCurrentIndex(1);
    click("zeroSlashOn");
    typeInto("pitchLenTape", QStringLiteral("4.0"));
    click("okButton");
    ASSERT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(handle->confirmedSettings().printFont, font->itemData(1).toInt());
    EXPECT_EQ(handle->confirmedSettings().zeroSlash, 1);
}

// Registering: a name found ignoring case updates that set; a seventh name and a name of 17
// characters are refused with the limits named; 16 full-width characters (32 bytes) are taken.
TEST_F(ConfigDlgTest, RegisteringNamedSets) {
    std::vector<output::PrintSettingEntry> sets;
    for (const char* name : {"ABC", "B", "C", "D", "E"}) {
        sets.push_back({name, 4, 0, 0});
    }
    open(9, sets);
    typeInto("setName", QStringLiteral("abc"));
    typeInto("cutPosition", QStringLiteral("1.5"));
    click("registerButton");
    EXPECT_TRUE(prompter.shown().empty());
    EXPECT_EQ(listed(), (QStringList{"ABC", "B", "C", "D", "E"}));
    EXPECT_EQ(handle->namedSets()[0].cutPos, 15);
    EXPECT_EQ(handle->namedSets()[0].name, "ABC");

    const QString sixteen(16, QChar(0xFF21)); // Ａ
    typeInto("setName", sixteen + QChar(0xFF21));
    EXPECT_EQ(child<QLineEdit>("setName")->text(), sixteen) << "32 bytes at most";
    typeInto("setName", QString(17, QChar('x')));
    click("registerButton");
    ASSERT_EQ(prompter.shown().size(), 1U);
    EXPECT_EQ(prompter.shown()[0].text, "登録名は 16 文字以内で指定してください。");
    typeInto("setName", sixteen);
    click("registerButton");
    EXPECT_EQ(listed().size(), 6);
    EXPECT_EQ(listed().back(), sixteen);
    typeInto("setName", QStringLiteral("G"));
    click("registerButton");
    ASSERT_EQ(prompter.shown().size(), 2U);
    EXPECT_EQ(prompter.shown()[1].text, "既に最大登録件数（6 件）に達しているため、これ以上は登録できません。");
    EXPECT_EQ(listed().size(), 6);
}

// The sets are stored in the printer's code page: a name with a character outside it is refused
// at registration, with the name field keeping the focus, rather than stored without its name.
TEST_F(ConfigDlgTest, NameOutsideTheCodePageIsRefusedAtRegistration) {
    open(9, {{"A", 5, 0, 2}});
    typeInto("setName", QStringLiteral("Café"));
    click("registerButton");
    EXPECT_EQ(prompter.shownIds(), std::vector<int>{43059});
    EXPECT_EQ(listed(), QStringList{"A"});
    EXPECT_EQ(dlg->focusWidget(), child<QLineEdit>("setName"));
    typeInto("setName", QStringLiteral("Cafe"));
    click("registerButton");
    EXPECT_EQ(listed(), (QStringList{"A", "Cafe"}));
    ASSERT_EQ(handle->namedSets().size(), 2U);
    EXPECT_EQ(handle->namedSets()[1].name, "Cafe");
}

// A set changed and not registered is asked about on OK: No stays. Deleting asks first. A letter
// typed into the vertical position is not taken.
TEST_F(ConfigDlgTest, UnregisteredEditsAndDeletingAreAsked) {
    open(3, {{"A", 5, 0, 2}, {"B", 3, -10, -1}}, {Answer::No, Answer::Yes, Answer::Yes});
    typeInto("pitchLenTape", QStringLiteral("4.0"));
    auto* list = child<QListWidget>("setList");
    list->setCurrentRow(1);
    EXPECT_EQ(child<QLineEdit>("setName")->text(), QStringLiteral("B"));
    EXPECT_EQ(child<CTargetDlgSpinEdit>("cutPosition")->text(), QStringLiteral("-1.0"));
    EXPECT_TRUE(child<QAbstractButton>("deleteButton")->isEnabled());
    auto* offset = child<CTargetDlgSpinEdit>("printOffsetY");
    offset->setFocus();
    QTest::keyClick(offset, Qt::Key_End);
    QTest::keyClick(offset, Qt::Key_X);
    EXPECT_EQ(offset->text(), QStringLiteral("-1"));
    child<QSlider>("heatVol")->setValue(6);
    click("okButton");
    EXPECT_EQ(prompter.shownIds(), std::vector<int>{43039});
    EXPECT_TRUE(dlg->isVisible());
    click("deleteButton");
    EXPECT_EQ(prompter.shownIds(), (std::vector<int>{43039, 43038}));
    EXPECT_EQ(listed(), QStringList{"A"});
    click("okButton");
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    ASSERT_EQ(handle->namedSets().size(), 1U);
    EXPECT_EQ(handle->namedSets()[0].name, "A");
}

} // namespace
} // namespace qx::ui
