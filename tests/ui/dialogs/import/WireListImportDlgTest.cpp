#include "ui/dialogs/import/WireListImportDlg.h"
#include "ui/dialogs/import/WireListImportModel.h"
#include "ui/dialogs/import/PieceImage.h"

#include "model/Catalogue.h"
#include "model/OperatorSettings.h"
#include "model/TextConversion.h"
#include "output/PrintOptions.h"
#include "support/ScriptedPrompter.h"
#include "support/TypeText.h"
#include "ui/EditDocument.h"
#include "ui/EditorContext.h"
#include "ui/grid/TubePrintTable.h"
#include "ui/table/TableCtrl.h"
#include "wirelist/WireListMessages.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

namespace qx::ui {
namespace {

// Saved by LibreOffice Calc: a header of two rows under merged cells, both ends of four wires, one
// cell of two lines, two footer rows, a second sheet.
const std::string CalcWires = std::string(QX_TEST_DATA_DIR) + "/wirelist/calc-wires.xlsx";
const std::string ShiftJisCsv = std::string(QX_TEST_DATA_DIR) + "/wirelist/shiftjis.csv";

class WireListImportTest : public ::testing::Test {
protected:
    WireListImportTest()
        : store(dir.filePath("settings.ini"), QSettings::IniFormat), catalogue(model::models::QX950W3),
          settings(model::OperatorSettings::defaultsFor(catalogue)),
          context{catalogue, settings, printOptions, prompter, store}, current(model::createEditData(catalogue, 1)) {
        current.blockCount = 2;
        current.line(0, 0).chars = model::utf8ToCodes("before", false).codes;
        current.line(1, 0).chars = model::utf8ToCodes("after", false).codes;
    }

    std::filesystem::path profiles() const { return std::filesystem::path(dir.filePath("profiles").toStdString()); }

    std::string text(const model::EditData& data, int block, int line) const {
        return model::codesToUtf8(data.line(block, line).chars, false);
    }

    std::unique_ptr<CWireListImportDlg> openDialog(const std::string& path) {
        auto dialog = std::make_unique<CWireListImportDlg>(
            WireListImportSetup{context, current, 1, profiles(), QString::fromStdString(path), {}});
        dialog->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        return dialog;
    }

    template <typename T>
    T* child(const QWidget& parent, const QString& name) const {
        T* found = parent.findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }

    QTemporaryDir dir;
    QSettings store;
    model::Catalogue catalogue;
    model::OperatorSettings settings;
    output::PrintOptions printOptions;
    output::testing::ScriptedPrompter prompter;
    EditorContext context;
    model::EditData current;
};

TEST_F(WireListImportTest, ModelPreviewsTheBlocksAtTheInsertPosition) {
    WireListImportModel model(current, 1, catalogue, settings, profiles());
    EXPECT_FALSE(model.canInsert());
    ASSERT_TRUE(model.open(CalcWires)) << model.readMessage();
    EXPECT_EQ(model.mapping().headerRows, 2);
    ASSERT_TRUE(model.canInsert()) << model.problem();
    const model::EditData& preview = model.preview();
    ASSERT_EQ(preview.blockCount, 2 + 8);
    EXPECT_EQ(text(preview, 0, 0), "ｂｅｆｏｒｅ");
    EXPECT_EQ(text(preview, 1, 0), "００１２");
    EXPECT_EQ(text(preview, 1, 1), "Ｘ１：１");
    EXPECT_EQ(preview.block(1).count, 2); // the sheet's 本数
    EXPECT_EQ(text(preview, 2, 1), "Ｋ１：Ａ１");
    EXPECT_EQ(text(preview, 9, 0), "ａｆｔｅｒ");
    EXPECT_EQ(model.firstInsertedBlock(), 1);
    EXPECT_EQ(model.insertedBlocks(), 8);
    EXPECT_EQ(model.reportLines(), (std::vector<std::string>{"7 行目: 表の後の集計・注記の行のため読込みません。",
                                                             "8 行目: 表の後の集計・注記の行のため読込みません。",
                                                             "6 行目: 本数「TRUE」が数値でないため、既定の連続個数にします。"}));

    model.profile().ends = wirelist::Ends::Target;
    model.update();
    EXPECT_EQ(model.preview().blockCount, 2 + 4);
    EXPECT_EQ(text(model.preview(), 1, 1), "Ｋ１：Ａ１");

    model.setSheet(1);
    EXPECT_EQ(model.profile().sheet, "メモ");
    EXPECT_FALSE(model.canInsert());
    EXPECT_EQ(model.preview().blockCount, 2);

    const formats::FileInsertResult refused = model.result();
    EXPECT_FALSE(refused.ok);
}

TEST_F(WireListImportTest, SavedProfileComesBackWithAFileOfTheSameHeader) {
    {
        WireListImportModel model(current, 0, catalogue, settings, profiles());
        ASSERT_TRUE(model.open(CalcWires));
        model.profile().lines = {"{wire}", "{here}>{there}"};
        model.profile().ends = wirelist::Ends::Source;
        const wirelist::ImportProfileStore::SaveResult saved = model.saveProfile("盤A");
        ASSERT_TRUE(saved.ok) << saved.message;
    }
    WireListImportModel again(current, 0, catalogue, settings, profiles());
    ASSERT_TRUE(again.open(CalcWires));
    EXPECT_EQ(again.profileName(), "盤A");
    EXPECT_EQ(again.mapping().pieces.size(), 4u);
    EXPECT_EQ(text(again.preview(), 0, 1), "Ｘ１：１＞Ｋ１：Ａ１");

    // Another kind of file is not taken for it: its own headers decide.
    ASSERT_TRUE(again.open(ShiftJisCsv));
    EXPECT_EQ(again.table().encoding, "CP932");
    EXPECT_EQ(again.profileName(), "");
    EXPECT_EQ(again.mapping().ends, wirelist::Ends::Both);
    EXPECT_EQ(again.mapping().pieces.size(), 4u);
}

TEST_F(WireListImportTest, RefusedFileKeepsWhatWasReadAndSaysWhy) {
    const QString bad = dir.filePath("old.xls");
    QFile file(bad);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + QByteArray(504, '\0'));
    file.close();
    auto dialog = openDialog(CalcWires);
    EXPECT_FALSE(dialog->openFile(bad));
    ASSERT_EQ(prompter.shownIds(), (std::vector<int>{43200}));
    EXPECT_EQ(dialog->model().mapping().pieces.size(), 8u);
}

TEST_F(WireListImportTest, DialogPreviewFollowsEveryChange) {
    auto dialog = openDialog(CalcWires);
    const EditDocument& previewDocument = dialog->previewGrid().document();
    auto* blocks = child<QLabel>(*dialog, QStringLiteral("blocksUsed"));
    EXPECT_EQ(blocks->text(), QStringLiteral("ブロック数 10 / 999"));
    EXPECT_EQ(child<QLineEdit>(*dialog, QStringLiteral("line2"))->text(), QStringLiteral("{here}"));
    // The inserted blocks are selected in the preview, the first one drawn.
    EXPECT_EQ(dialog->previewGrid().grid().selection().top, 1);
    EXPECT_EQ(dialog->previewGrid().grid().selection().bottom, 8);
    EXPECT_EQ(dialog->pieceImage().block(), 1);

    testing::replaceText(child<QLineEdit>(*dialog, QStringLiteral("line2")), QStringLiteral("{here}>{there}"));
    EXPECT_EQ(text(previewDocument.data(), 1, 1), "Ｘ１：１＞Ｋ１：Ａ１");
    EXPECT_EQ(text(previewDocument.data(), 2, 1), "Ｋ１：Ａ１＞Ｘ１：１");

    QTest::mouseClick(child<QRadioButton>(*dialog, QStringLiteral("ends_source")), Qt::LeftButton);
    EXPECT_EQ(blocks->text(), QStringLiteral("ブロック数 6 / 999"));

    // A field naming no column: nothing to insert, and the reason beside the preview.
    testing::replaceText(child<QLineEdit>(*dialog, QStringLiteral("line3")), QStringLiteral("{長さ}"));
    auto* problem = child<QLabel>(*dialog, QStringLiteral("problem"));
    EXPECT_EQ(problem->text(), QStringLiteral("テンプレート「{長さ}」の {長さ} に当たる列がありません。"));
    auto* ok = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    EXPECT_FALSE(ok->isEnabled());
    testing::replaceText(child<QLineEdit>(*dialog, QStringLiteral("line3")), QStringLiteral("{色}"));
    EXPECT_TRUE(ok->isEnabled());
    EXPECT_TRUE(problem->text().isEmpty());
    EXPECT_EQ(text(previewDocument.data(), 2, 2), "赤"); // row 4's colour cell holds two lines
    EXPECT_EQ(text(previewDocument.data(), 2, 3), "白");

    EXPECT_EQ(child<QListWidget>(*dialog, QStringLiteral("report"))->count(), 3);

    // The wire number's column taken away: the templates that need it say so.
    auto* wire = child<QComboBox>(*dialog, QStringLiteral("role_wire"));
    wire->setCurrentIndex(0);
    emit wire->activated(0);
    EXPECT_EQ(problem->text(), QStringLiteral("テンプレート「{wire}」の {wire} に当たる列が指定されていません。"));
    EXPECT_FALSE(dialog->insertResult().ok);
}

TEST_F(WireListImportTest, OkGivesTheMergedRecordAndSavingKeepsTheChoices) {
    {
        auto dialog = openDialog(CalcWires);
        testing::replaceText(child<QLineEdit>(*dialog, QStringLiteral("line1")), QStringLiteral("{wire}-{本数}"));
        QTest::mouseClick(child<QRadioButton>(*dialog, QStringLiteral("ends_target")), Qt::LeftButton);
        testing::replaceText(child<QLineEdit>(*dialog, QStringLiteral("profileName")), QStringLiteral("計装盤"));
        QTest::mouseClick(child<QPushButton>(*dialog, QStringLiteral("saveProfile")), Qt::LeftButton);
        ASSERT_EQ(prompter.shownIds(), (std::vector<int>{wirelist::WireListMessage::ProfileSaved}));
        EXPECT_TRUE(std::filesystem::exists(profiles() / "計装盤.ini"));

        auto* ok = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        QTest::mouseClick(ok, Qt::LeftButton);
        EXPECT_EQ(dialog->QDialog::result(), QDialog::Accepted);
        const formats::FileInsertResult result = dialog->insertResult();
        ASSERT_TRUE(result.ok);
        ASSERT_EQ(result.data.blockCount, 2 + 4);
        EXPECT_EQ(text(result.data, 1, 0), "００１２－２");
        EXPECT_EQ(text(result.data, 1, 1), "Ｋ１：Ａ１");
    }
    auto dialog = openDialog(CalcWires);
    EXPECT_EQ(child<QComboBox>(*dialog, QStringLiteral("profiles"))->currentText(), QStringLiteral("計装盤"));
    EXPECT_EQ(child<QLineEdit>(*dialog, QStringLiteral("line1"))->text(), QStringLiteral("{wire}-{本数}"));
    EXPECT_TRUE(child<QRadioButton>(*dialog, QStringLiteral("ends_target"))->isChecked());

    // Back to no profile: the headers decide again.
    auto* profilesCombo = child<QComboBox>(*dialog, QStringLiteral("profiles"));
    profilesCombo->setCurrentIndex(0);
    emit profilesCombo->activated(0);
    EXPECT_EQ(child<QLineEdit>(*dialog, QStringLiteral("line1"))->text(), QStringLiteral("{wire}"));
    EXPECT_TRUE(child<QRadioButton>(*dialog, QStringLiteral("ends_both"))->isChecked());
}

TEST_F(WireListImportTest, TextFileShowsItsEncodingAndSeparatorAndRereadsWhenChanged) {
    auto dialog = openDialog(ShiftJisCsv);
    auto* encoding = child<QComboBox>(*dialog, QStringLiteral("encoding"));
    auto* separator = child<QComboBox>(*dialog, QStringLiteral("separator"));
    EXPECT_TRUE(encoding->isEnabled());
    EXPECT_EQ(encoding->currentText(), QStringLiteral("自動判別 (CP932)"));
    EXPECT_EQ(separator->currentText(), QStringLiteral("自動判別 (カンマ ( , ))"));
    EXPECT_EQ(dialog->model().mapping().pieces.size(), 4u);

    // Read as Windows-1252 the header is no longer Japanese: nothing is found to map.
    encoding->setCurrentIndex(5);
    emit encoding->activated(5);
    EXPECT_EQ(dialog->model().table().encoding, "CP1252");
    EXPECT_FALSE(dialog->model().canInsert());
    encoding->setCurrentIndex(0);
    emit encoding->activated(0);
    EXPECT_TRUE(dialog->model().canInsert());

    auto xlsx = openDialog(CalcWires);
    EXPECT_FALSE(child<QComboBox>(*xlsx, QStringLiteral("encoding"))->isEnabled());
    EXPECT_TRUE(child<QComboBox>(*xlsx, QStringLiteral("sheet"))->isEnabled());
}

} // namespace
} // namespace qx::ui
