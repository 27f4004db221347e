#include "ui/dialogs/sequence/SeqDlg.h"
#include "ui/dialogs/sequence/SeqDlgV12.h"
#include "ui/dialogs/sequence/SeqDlgV9.h"
#include "ui/dialogs/sequence/SeqEdit.h"
#include "ui/dialogs/symbol/SymbolPreview.h"
#include "model/Catalogue.h"
#include "model/Sequences.h"
#include "support/ScriptedPrompter.h"
#include "ui/grid/CellEdit.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace qx::ui {
namespace {

using model::tagSEQ_V900;
namespace Mode = model::SequenceMode;
namespace Output = model::SequenceOutput;
constexpr model::CharCode Marker = model::codes::SequenceMarker;
constexpr model::CharCode FullA = 0x2341;
constexpr model::CharCode FullB = 0x2342;
constexpr model::CharCode FullHyphen = 0x215D;

tagSEQ_V900 decimal(int start, int end, int digits = 0) {
    return {Mode::Decimal, static_cast<std::uint8_t>(digits), static_cast<std::uint16_t>(start),
            static_cast<std::uint16_t>(end), Output::Every, 0};
}

class SeqDlgTest : public ::testing::Test {
protected:
    template <class Dlg, class... Args> Dlg& open(int model, Args&&... args) {
        catalogue = std::make_unique<model::Catalogue>(model);
        auto dialog = std::make_unique<Dlg>(*catalogue, prompter, std::forward<Args>(args)...);
        Dlg& result = *dialog;
        dlg = std::move(dialog);
        dlg->show();
        QApplication::setActiveWindow(dlg.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
        return result;
    }
    template <class W> W& child(const char* name) {
        W* w = dlg->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return *w;
    }
    QComboBox& mode() { return child<QComboBox>("modeCombo"); }
    CSeqEdit& start() { return child<CSeqEdit>("startEdit"); }
    CSeqEdit& end() { return child<CSeqEdit>("endEdit"); }
    void type(CSeqEdit& edit, const QString& text) {
        edit.setFocus();
        edit.selectAll();
        QTest::keyClick(&edit, Qt::Key_Delete);
        for (const QChar c : text) {
            // Key events carry ASCII only; a full-width character arrives as the input method's text.
            if (c.unicode() < 0x80) {
                QTest::keyClicks(&edit, QString(c));
            } else {
                edit.insert(QString(c));
            }
        }
    }
    void chooseMode(int value) {
        // As the operator does it: through the list, so that the mode's rules follow.
        mode().setFocus();
        while (mode().currentData().toInt() < value) {
            QTest::keyClick(&mode(), Qt::Key_Down);
        }
        while (mode().currentData().toInt() > value) {
            QTest::keyClick(&mode(), Qt::Key_Up);
        }
    }
    bool accepted() const { return dlg->result() == QDialog::Accepted; }

    output::testing::ScriptedPrompter prompter;
    std::unique_ptr<model::Catalogue> catalogue;
    std::unique_ptr<QDialog> dlg;
};

TEST_F(SeqDlgTest, FirstGenerationReadsEmptyAsZeroAndLowerCaseAsUpperCase) {
    auto& seq = open<CSeqDlg>(model::models::QX790, std::nullopt);
    EXPECT_EQ(mode().count(), 4);
    EXPECT_EQ(dlg->findChild<QComboBox*>("outputCombo"), nullptr);
    EXPECT_EQ(mode().currentData().toInt(), Mode::Decimal);
    EXPECT_EQ(start().text(), "0");

    type(start(), "");
    type(end(), "120");
    dlg->accept();
    ASSERT_TRUE(accepted());
    EXPECT_EQ(seq.definition(), decimal(0, 120));

    auto& letters = open<CSeqDlg>(model::models::QX780, std::nullopt);
    chooseMode(Mode::UpperCase);
    type(start(), "a");
    type(end(), "E");
    letters.accept();
    ASSERT_TRUE(accepted());
    EXPECT_EQ(letters.definition().start, 9025);
    EXPECT_EQ(letters.definition().end, 9029);
}

TEST_F(SeqDlgTest, RangeFailuresNameTheModeAndFocusTheEditStartFirst) {
    struct Row {
        int model;
        int mode;
        const char* start;
        const char* end;
        int messageId;
        const char* message;
        bool endFocused;
    };
    const Row rows[] = {
        {model::models::QX790, Mode::Decimal, "12345", "x", 42040, "0～9999の範囲で設定してください。", false},
        {model::models::QX790, Mode::Octal, "7", "8", 42042, "0～7777の範囲で設定してください。", true},
        {model::models::QX950W, Mode::Hexadecimal, "", "1", 42043, "0～FFFFの範囲で設定してください。", false},
        {model::models::QX950W, Mode::LowerCase, "a", "A", 43034, "a～zの範囲で設定してください。", true},
    };
    for (const Row& row : rows) {
        if (model::isFirstGeneration(row.model)) {
            open<CSeqDlg>(row.model, std::nullopt);
        } else {
            open<CSeqDlgV9>(row.model, std::nullopt);
        }
        chooseMode(row.mode);
        type(start(), QString::fromUtf8(row.start));
        type(end(), QString::fromUtf8(row.end));
        prompter = output::testing::ScriptedPrompter();
        dlg->accept();
        EXPECT_FALSE(accepted()) << row.start;
        ASSERT_EQ(prompter.shownIds(), std::vector<int>{row.messageId}) << row.start;
        EXPECT_EQ(prompter.shown()[0].text, row.message);
        EXPECT_TRUE((row.endFocused ? end() : start()).hasFocus()) << row.start;
    }
}

TEST_F(SeqDlgTest, DigitsFollowWhatIsTyped) {
    struct Row {
        int mode;
        const char* start;
        const char* end;
        int digits;
        int first;
        int last;
    };
    const Row rows[] = {
        {Mode::Decimal, "007", "120", 3, 7, 120},
        {Mode::Decimal, "7", "120", 0, 7, 120},
        {Mode::Decimal, "１２", "0100", 4, 12, 100}, // full-width digits read as their numbers
        {Mode::Hexadecimal, "00ff", "0100", 4, 255, 256},
    };
    for (const Row& row : rows) {
        auto& seq = open<CSeqDlgV9>(model::models::QX950W, std::nullopt);
        chooseMode(row.mode);
        type(start(), QString::fromUtf8(row.start));
        type(end(), QString::fromUtf8(row.end));
        seq.accept();
        ASSERT_TRUE(accepted()) << row.start;
        EXPECT_EQ(seq.definition().digits, row.digits) << row.start;
        EXPECT_EQ(seq.definition().start, row.first);
        EXPECT_EQ(seq.definition().end, row.last);
    }
    // Opened again on the hexadecimal run, the edits keep the four digits.
    tagSEQ_V900 hex{Mode::Hexadecimal, 4, 255, 256, Output::Every, 0};
    open<CSeqDlgV9>(model::models::QX950W, hex);
    EXPECT_EQ(start().text(), "00FF");
    EXPECT_EQ(end().text(), "0100");
}

TEST_F(SeqDlgTest, LettersDisableTheOutputAndTakeOneCharacter) {
    auto& seq = open<CSeqDlgV9>(model::models::QX950W, decimal(12, 20));
    auto& output = child<QComboBox>("outputCombo");
    output.setCurrentIndex(output.findData(Output::OddOnly));
    chooseMode(Mode::UpperCase);
    EXPECT_FALSE(output.isEnabled());
    EXPECT_FALSE(child<QLabel>("outputLabel").isEnabled());
    EXPECT_EQ(output.currentData().toInt(), Output::Every);
    EXPECT_EQ(start().text(), "12"); // the old text stays until changed
    seq.accept();
    EXPECT_FALSE(accepted());
    EXPECT_EQ(prompter.shownIds(), std::vector<int>{42044});
    EXPECT_TRUE(start().hasFocus());

    // Two bytes: one full-width letter, nothing more.
    type(start(), QStringLiteral("ＡＢ"));
    EXPECT_EQ(start().text(), QStringLiteral("Ａ"));
    chooseMode(Mode::Decimal);
    EXPECT_TRUE(output.isEnabled());
    type(end(), QStringLiteral("１２３４５"));
    EXPECT_EQ(end().text(), QStringLiteral("１２３４"));
}

TEST_F(SeqDlgTest, LettersAToEOddGiveACE) {
    const tagSEQ_V900 letters{Mode::UpperCase, 0, 9025, 9029, Output::OddOnly, 0};
    auto& seq = open<CSeqDlgV9>(model::models::QX950W, letters);
    EXPECT_EQ(start().text(), "A");
    EXPECT_EQ(end().text(), "E");
    EXPECT_FALSE(child<QComboBox>("outputCombo").isEnabled());
    seq.accept();
    ASSERT_TRUE(accepted());
    ASSERT_EQ(model::sequenceValueCount(seq.definition()), 3);
    std::string printed;
    for (int k = 0; k < 3; ++k) {
        printed += model::formatSequenceValue(seq.definition(), model::sequenceValueAt(seq.definition(), k),
                                              model::models::QX950W);
    }
    EXPECT_EQ(printed, "ACE");
}

TEST_F(SeqDlgTest, ParityIsCheckedAfterTheValues) {
    auto& seq = open<CSeqDlgV9>(model::models::QX950W3, std::nullopt);
    auto& output = child<QComboBox>("outputCombo");
    output.setCurrentIndex(output.findData(Output::OddOnly));
    type(start(), "2");
    type(end(), "2");
    seq.accept();
    EXPECT_EQ(prompter.shownIds(), std::vector<int>{43035});
    EXPECT_FALSE(accepted());
    type(end(), "4");
    seq.accept();
    ASSERT_TRUE(accepted());
    EXPECT_EQ(model::sequenceValueCount(seq.definition()), 1);
    EXPECT_EQ(model::sequenceValueAt(seq.definition(), 0), 3);
}

TEST_F(SeqDlgTest, ClickIntoAnEditSelectsItsWholeText) {
    open<CSeqDlgV9>(model::models::QX950W, decimal(5, 1234));
    start().setFocus();
    QTest::mouseClick(&end(), Qt::LeftButton, {}, QPoint(end().width() - 4, end().height() / 2));
    EXPECT_TRUE(end().hasFocus());
    EXPECT_EQ(end().selectedText(), "1234");
    // A second click in the focused edit places the caret as usual.
    QTest::mouseClick(&end(), Qt::LeftButton, {}, QPoint(4, end().height() / 2));
    EXPECT_TRUE(end().selectedText().isEmpty());
}

class SeqDlgV12Test : public SeqDlgTest {
protected:
    CSeqDlgV12& openLine(int model, const SeqLine& line, bool pitchLength = true,
                         model::SequenceAllowance allowance = {3, 45}) {
        return open<CSeqDlgV12>(model, line, pitchLength, allowance);
    }
    CCellEdit& editor() { return child<CCellEdit>("lineEdit"); }
    QPushButton& insert() { return child<QPushButton>("insertButton"); }
    QPushButton& edit() { return child<QPushButton>("editButton"); }
    /// Selects the shown text from `from` for `length` units, as a drag would leave it.
    void selectShown(int from, int length) {
        editor().setFocus();
        editor().setSelection(from, length);
    }
};

TEST_F(SeqDlgV12Test, SelectingOneTokenLoadsItsDefinitionForEditing) {
    // "Ａ{連番}－{連番}" with two definitions.
    const SeqLine line{{FullA, Marker, FullHyphen, Marker}, {decimal(1, 20, 3), decimal(5, 9)}};
    auto& seq = openLine(model::models::QX950W2, line);
    EXPECT_EQ(editor().text(), QStringLiteral("Ａ{連番}－{連番}"));
    EXPECT_EQ(editor().cursorPosition(), editor().text().size());
    EXPECT_EQ(dlg->findChild<CSymbolPreview*>("linePreview")->tokenText(), editor().cellText());
    EXPECT_EQ(start().text(), "001"); // the line's first definition is the working one
    EXPECT_TRUE(insert().isEnabled());
    EXPECT_FALSE(edit().isEnabled());

    selectShown(6, 4); // the second token
    EXPECT_EQ(start().text(), "5");
    EXPECT_EQ(end().text(), "9");
    EXPECT_TRUE(edit().isEnabled());
    EXPECT_FALSE(insert().isEnabled());

    type(end(), "30");
    QTest::mouseClick(&edit(), Qt::LeftButton);
    EXPECT_TRUE(editor().hasFocus());
    seq.accept();
    ASSERT_TRUE(accepted());
    EXPECT_EQ(seq.result().chars, line.chars);
    ASSERT_EQ(seq.result().sequences.size(), 2u);
    EXPECT_EQ(seq.result().sequences[0], decimal(1, 20, 3));
    EXPECT_EQ(seq.result().sequences[1], decimal(5, 30));
}

TEST_F(SeqDlgV12Test, DeletedTokensTakeTheirDefinitionsAlong) {
    const SeqLine line{{Marker, FullA, Marker, Marker}, {decimal(1, 2), decimal(3, 4), decimal(5, 6)}};
    auto& seq = openLine(model::models::QX950W3, line);
    selectShown(4, 4); // "Ａ{連番}" ... covering "Ａ" and the second token
    QTest::keyClick(&editor(), Qt::Key_Delete);
    EXPECT_EQ(editor().text(), QStringLiteral("{連番}{連番}"));
    seq.accept();
    ASSERT_TRUE(accepted());
    EXPECT_EQ(seq.result().sequences, (std::vector<tagSEQ_V900>{decimal(1, 2), decimal(5, 6)}));
    EXPECT_EQ(seq.result().chars, (model::CodeList{Marker, Marker}));
}

TEST_F(SeqDlgV12Test, InsertPutsOneTokenAtTheCaretAndTheDefinitionInItsPlace) {
    const SeqLine line{{FullA, Marker}, {decimal(7, 8)}};
    auto& seq = openLine(model::models::QX950W2, line);
    editor().setFocus();
    editor().setCursorPosition(1); // between "Ａ" and the token
    type(start(), "1");
    type(end(), "20");
    QTest::mouseClick(&insert(), Qt::LeftButton);
    EXPECT_TRUE(editor().hasFocus());
    EXPECT_EQ(editor().text(), QStringLiteral("Ａ{連番}{連番}"));
    EXPECT_EQ(editor().cursorPosition(), 5);
    seq.accept();
    ASSERT_TRUE(accepted());
    EXPECT_EQ(seq.result().chars, (model::CodeList{FullA, Marker, Marker}));
    EXPECT_EQ(seq.result().sequences, (std::vector<tagSEQ_V900>{decimal(1, 20), decimal(7, 8)}));
}

TEST_F(SeqDlgV12Test, TheKeyboardRunsFromTheLineToInsertAndOnToTheDefinition) {
    openLine(model::models::QX950W3, SeqLine{{FullA}, {}});
    editor().setFocus();
    std::vector<QString> stops;
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        stops.push_back(QApplication::focusWidget()->objectName());
    }
    EXPECT_EQ(stops, (std::vector<QString>{"insertButton", "modeCombo", "outputCombo", "startEdit"}));
}

// Back into the line by the keyboard, the line keeps the caret it had: the definition being
// entered is not replaced by the token's, and 挿入 stays offered.
TEST_F(SeqDlgV12Test, ShiftTabBackIntoTheLineKeepsTheEntries) {
    const SeqLine line{{FullA, Marker, FullB}, {decimal(1, 5, 2)}};
    openLine(model::models::QX900W2, line);
    ASSERT_EQ(editor().cursorPosition(), editor().text().size());
    chooseMode(3); // アルファベット(大)
    type(start(), "B");
    type(end(), "D");
    for (int i = 0; i < 10 && QApplication::focusWidget() != &editor(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
    }
    ASSERT_EQ(QApplication::focusWidget(), &editor());
    EXPECT_FALSE(editor().hasSelectedText());
    EXPECT_EQ(editor().cursorPosition(), editor().text().size());
    EXPECT_EQ(mode().currentData().toInt(), 3);
    EXPECT_EQ(start().text(), "B");
    EXPECT_EQ(end().text(), "D");
    EXPECT_TRUE(insert().isEnabled());
}

TEST_F(SeqDlgV12Test, LimitsOfBlockAndDocumentFollowTheDocumentMode) {
    struct Row {
        int model;
        bool pitchLength;
        model::SequenceAllowance allowance;
        int insertions; ///< how many pass before the refusal
        int refusal;
    };
    const Row rows[] = {
        {model::models::QX950W2, true, {3, 1}, 1, 43065},   // 44 numbers elsewhere in the document
        {model::models::QX900W2, true, {3, 45}, 3, 43064},  // three in one block
        {model::models::QX950W3, false, {1, 1}, 1, 42031},  // print-length mode: one per block
        {model::models::QX900W3, false, {2, 1}, 1, 42033},  // and one per document
    };
    for (const Row& row : rows) {
        auto& seq = openLine(row.model, {}, row.pitchLength, row.allowance);
        for (int i = 0; i < row.insertions; ++i) {
            ASSERT_TRUE(insert().isEnabled()) << row.model << " " << i;
            QTest::mouseClick(&insert(), Qt::LeftButton);
        }
        EXPECT_EQ(static_cast<int>(seq.lineEditor().sequences().size()), row.insertions);
        EXPECT_FALSE(insert().isEnabled()) << row.model;
        EXPECT_EQ(seq.limitCheck(), row.refusal) << row.model;
        // Selecting a token to replace makes room for one again.
        selectShown(0, 4);
        EXPECT_EQ(seq.limitCheck(), 0) << row.model;
    }
}

TEST_F(SeqDlgV12Test, UnsupportedCharactersAreReportedAndBlankedOnOk) {
    auto& seq = openLine(model::models::QX950W3, {{FullA}, {}});
    EXPECT_EQ(editor().text(), QStringLiteral("Ａ"));
    EXPECT_FALSE(editor().hasSelectedText()) << editor().selectedText().toStdString();
    editor().setFocus();
    editor().typeText(QStringLiteral("é"));
    seq.accept();
    ASSERT_TRUE(accepted());
    EXPECT_EQ(prompter.shownIds(), std::vector<int>{42045});
    EXPECT_EQ(seq.result().chars, (model::CodeList{FullA, 0x2121}));
}

} // namespace
} // namespace qx::ui
