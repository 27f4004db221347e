#include "ui/dialogs/output/OutputDialogs.h"
#include "ui/dialogs/output/SendDlgV12.h"
#include "ui/dialogs/symbol/MarkDlgV9.h"
#include "ui/dialogs/symbol/SymbolEdit.h"
#include "ui/dialogs/symbol/SymbolGrid.h"
#include "ui/dialogs/symbol/SymbolPreview.h"
#include "ui/dialogs/TargetDlgSpinEdit.h"
#include "ui/EditorContext.h"
#include "model/Catalogue.h"
#include "model/OperatorSettings.h"
#include "output/PrintOptions.h"
#include "render/PrintFont.h"
#include "render/SymbolPictures.h"
#include "support/ScriptedPrompter.h"
#include "support/TypeText.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

namespace qx::ui {
namespace {

using output::testing::ScriptedPrompter;
using Name = std::array<std::int16_t, 11>;

class SendDlgTest : public ::testing::Test {
protected:
    void open(model::ModelType model, Name name = {}) {
        catalogue = std::make_unique<model::Catalogue>(model);
        prompter = ScriptedPrompter();
        handle = createSendDialog(SendDlgSetup{*catalogue, prompter, name});
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
    void click(const char* name) {
        QAbstractButton* b = child<QAbstractButton>(name);
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(std::min(8, b->width() / 2), b->height() / 2));
    }
    void typeInto(QWidget* w, const QString& text) {
        qx::testing::replaceText(w, text);
    }
    /// The name field the model's dialog shows.
    QLineEdit* nameField() {
        auto* symbol = dlg->findChild<QLineEdit*>(QStringLiteral("documentSymbolName"));
        return symbol != nullptr ? symbol : child<QLineEdit>("documentName");
    }

    ScriptedPrompter prompter;
    std::unique_ptr<model::Catalogue> catalogue;
    std::unique_ptr<SendDlgInterface> handle;
    QDialog* dlg = nullptr;
};

Name fullWidth(std::u16string_view ascii) {
    Name name{};
    for (std::size_t i = 0; i < ascii.size(); ++i) {
        name[i] = static_cast<std::int16_t>(ascii[i] == u' ' ? 0x2121 : 0x2300 + ascii[i]);
    }
    return name;
}

// The number and the name follow the destination; the number is checked against 1 to 50 only for
// a document memory, and the input document keeps the name the document had.
TEST_F(SendDlgTest, NumberAndNameOnlyForADocumentMemory) {
    for (const model::ModelType model : {1, 3, 9}) {
        SCOPED_TRACE(model);
        const Name opened = fullWidth(u"AB");
        open(model, opened);
        auto* number = child<CTargetDlgSpinEdit>("documentNumber");
        EXPECT_FALSE(number->isEnabled());
        EXPECT_EQ(number->text(), QStringLiteral("1"));
        if (model > 1) {
            EXPECT_FALSE(nameField()->isEnabled());
            // The QX-900W family shows the name half-width; the later one as it is kept.
            EXPECT_EQ(nameField()->text(), model < 5 ? QStringLiteral("AB") : QStringLiteral("ＡＢ"));
        }
        click("modeMemory");
        EXPECT_TRUE(number->isEnabled());
        typeInto(number, QStringLiteral("51"));
        click("okButton");
        ASSERT_EQ(prompter.shown().size(), 1U);
        EXPECT_EQ(prompter.shown()[0].text, "1～50の範囲で設定してください。");
        EXPECT_TRUE(dlg->isVisible());
        click("modeInput");
        click("okButton");
        EXPECT_EQ(dlg->result(), QDialog::Accepted);
        EXPECT_EQ(handle->mode(), SendMode::InputDocument);
        EXPECT_EQ(handle->documentName(), opened);
    }
}

// The QX-900W family stores half-width letters, digits, signs and blanks only; the later family
// takes any printable character and the printer's symbols, and refuses what has no code.
TEST_F(SendDlgTest, NameCharactersPerGeneration) {
    struct Row {
        model::ModelType model;
        QString typed;
        int refusal;
        std::vector<std::int16_t> codes;
        model::CharCode symbol = 0; ///< put in front of the typed text, as the symbol button does
    };
    const std::vector<Row> rows{
        {3, QStringLiteral("AB 12"), 0, {0x2341, 0x2342, 0x2121, 0x2331, 0x2332}},
        {3, QStringLiteral("Aア"), 43037, {}},
        {9, QStringLiteral("Aア"), 0, {0x2341, 0x2522}},
        {9, QStringLiteral("Z"), 0, {0x2A21, 0x235A}, 0x2A21},
        {9, QStringLiteral("Aé"), 43059, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.model) + " " + row.typed.toStdString());
        open(row.model);
        click("modeMemory");
        typeInto(child<CTargetDlgSpinEdit>("documentNumber"), QStringLiteral("7"));
        typeInto(nameField(), row.typed);
        if (row.symbol != 0) {
            auto* symbolField = dynamic_cast<CSymbolEdit*>(nameField());
            ASSERT_NE(symbolField, nullptr);
            symbolField->setCursorPosition(0);
            symbolField->insertToken(row.symbol);
        }
        click("okButton");
        if (row.refusal != 0) {
            EXPECT_EQ(prompter.shownIds(), std::vector<int>{row.refusal});
            EXPECT_TRUE(dlg->isVisible());
            continue;
        }
        EXPECT_TRUE(prompter.shown().empty());
        ASSERT_EQ(dlg->result(), QDialog::Accepted);
        EXPECT_EQ(handle->documentNumber(), 7);
        Name expected{};
        std::copy(row.codes.begin(), row.codes.end(), expected.begin());
        EXPECT_EQ(handle->documentName(), expected);
    }
}

// A stored name of ten characters holding a printer symbol is shown whole, the symbol as its
// token, and written back with the symbol as its code.
TEST_F(SendDlgTest, QX900WFamilyKeepsTheSymbolsOfAStoredName) {
    Name opened = fullWidth(u"ABCDEFGHI");
    std::copy_backward(opened.begin() + 1, opened.begin() + 9, opened.begin() + 10);
    opened[1] = 0x2A21;
    open(3, opened);
    EXPECT_EQ(nameField()->text(), QStringLiteral("A\"0x2A21\"BCDEFGHI"));
    click("modeMemory");
    typeInto(child<CTargetDlgSpinEdit>("documentNumber"), QStringLiteral("7"));
    click("okButton");
    EXPECT_TRUE(prompter.shown().empty());
    ASSERT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(handle->documentName(), opened);
}

// Ten characters at most, a symbol counting as one; the eleventh is not taken.
TEST_F(SendDlgTest, NameHoldsTenCharacters) {
    for (const model::ModelType model : {3, 9}) {
        open(model);
        click("modeMemory");
        typeInto(nameField(), QStringLiteral("ABCDEFGHIJK"));
        EXPECT_EQ(nameField()->text(), QStringLiteral("ABCDEFGHIJ")) << model;
    }
    open(9);
    click("modeMemory");
    auto* symbolField = dynamic_cast<CSymbolEdit*>(nameField());
    ASSERT_NE(symbolField, nullptr);
    symbolField->setFocus();
    symbolField->insertToken(0x2A21);
    qx::testing::typeText(symbolField, QStringLiteral("BCDEFGHIJK"));
    EXPECT_EQ(nameField()->text(), QStringLiteral("{記号}BCDEFGHIJ"));
}

// --- the send dialog's name field --------------------------------------------------------------------

// The name takes symbols: typed characters up to ten, a symbol through the button's dialog, each
// counting one; the preview shows the symbol's picture.
TEST(SendDlgSymbolTest, NameTakesSymbolsFromTheSymbolDialog) {
    QTemporaryDir dir;
    QSettings store(dir.filePath("settings.ini"), QSettings::IniFormat);
    ScriptedPrompter prompter;
    const render::SymbolPictures pictures(render::resolvePrintFontFamily());
    const model::Catalogue catalogue(model::models::QX950W3);
    model::OperatorSettings settings = model::OperatorSettings::defaultsFor(catalogue);
    output::PrintOptions options;
    EditorContext context{catalogue, settings, options, prompter, store};
    context.symbolPictures = &pictures;
    auto handle = createSendDialog(SendDlgSetup{catalogue, prompter, {}, &context});
    auto* dialog = dynamic_cast<CSendDlgV12*>(handle.get());
    ASSERT_NE(dialog, nullptr);
    dialog->show();
    QApplication::setActiveWindow(dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    QTest::mouseClick(dialog->findChild<QAbstractButton*>("modeMemory"), Qt::LeftButton, {}, QPoint(8, 8));
    ASSERT_TRUE(dialog->symbolButton().isEnabled());
    CSymbolEdit& name = dialog->symbolNameEdit();
    qx::testing::replaceText(&name, QStringLiteral("ＡＢＣＤＥＦＧＨＩ"));

    bool seen = false;
    QTimer::singleShot(50, [&] {
        auto* mark = qobject_cast<CMarkDlgV9*>(QApplication::activeModalWidget());
        if (mark == nullptr) {
            return;
        }
        seen = true;
        EXPECT_EQ(mark->edit().cellText(), QStringLiteral("ＡＢＣＤＥＦＧＨＩ"));
        mark->grid().select(4); // ⑤
        QTest::mouseClick(&mark->insertButton(), Qt::LeftButton);
        QTest::mouseClick(&mark->insertButton(), Qt::LeftButton); // full: not taken
        QTest::mouseClick(mark->findChild<QPushButton*>("okButton"), Qt::LeftButton);
    });
    QTest::mouseClick(&dialog->symbolButton(), Qt::LeftButton);
    ASSERT_TRUE(seen);
    EXPECT_EQ(name.text(), QStringLiteral("ＡＢＣＤＥＦＧＨＩ{記号}"));
    EXPECT_EQ(dialog->symbolNamePreview().tokenText(), QStringLiteral("ＡＢＣＤＥＦＧＨＩ\"0x2A25\""));
    qx::testing::typeText(&name, QStringLiteral("Z"));
    EXPECT_EQ(name.text(), QStringLiteral("ＡＢＣＤＥＦＧＨＩ{記号}"));
    dialog->accept();
    ASSERT_EQ(dialog->result(), QDialog::Accepted);
    const auto stored = dialog->documentName();
    EXPECT_EQ(stored[9], 0x2A25);
    EXPECT_EQ(stored[10], 0);
    // Without an editor context the button has nothing to open.
    auto plain = createSendDialog(SendDlgSetup{catalogue, prompter, {}});
    auto* plainV12 = dynamic_cast<CSendDlgV12*>(plain.get());
    ASSERT_NE(plainV12, nullptr);
    QTest::mouseClick(plainV12->findChild<QAbstractButton*>("modeMemory"), Qt::LeftButton, {}, QPoint(8, 8));
    EXPECT_FALSE(plainV12->symbolButton().isEnabled());
}

} // namespace
} // namespace qx::ui
