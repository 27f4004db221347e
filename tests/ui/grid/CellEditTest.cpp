#include "ui/grid/CellEdit.h"
#include "ui/table/TableMessages.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>

namespace qx::ui {
namespace {

using model::tagSEQ_V900;

const QString Marker = QStringLiteral("{連番}");
const tagSEQ_V900 Definition{1, 3, 1, 99, 0, 0};

class CellEditTest : public ::testing::Test {
protected:
    CellEditTest() {
        parent.resize(400, 40);
        edit.setGeometry(10, 5, 120, 24);
        edit.setModelType(model::models::QX950W3);
        edit.setLineContextProvider([this] { return context; });
        edit.setCanAddSequence([] { return true; });
    }

    /// "ABC", the marker, "D", as the grid loads a line with one sequence number.
    void loadAbcMarkerD() {
        context.sequences = {Definition};
        edit.setCellText(1, QStringLiteral("ABC\"0x2F26\"D"));
    }

    bool caretOutsideTokens() const {
        const TokenText& text = edit.tokenText();
        const int start = edit.hasSelectedText() ? edit.selectionStart() : edit.cursorPosition();
        const int end = edit.hasSelectedText() ? edit.selectionEnd() : edit.cursorPosition();
        return !text.insideToken(start) && !text.insideToken(end) && !text.insideToken(edit.cursorPosition());
    }

    QWidget parent;
    CCellEdit edit{&parent};
    CellLineContext context{{}, 1, 15, true};
};

TEST_F(CellEditTest, ALoadedLineShowsTheMarkerAsOneTokenAndReadsBackUnchanged) {
    loadAbcMarkerD();
    EXPECT_EQ(edit.text(), QStringLiteral("ＡＢＣ") + Marker + QStringLiteral("Ｄ"));
    EXPECT_EQ(edit.cellText(), QStringLiteral("ＡＢＣ\"0x2F26\"Ｄ"));
    ASSERT_EQ(edit.cellSequenceCount(), 1);
    EXPECT_EQ(edit.cellSequences().front(), Definition);
    EXPECT_FALSE(edit.isCellModified());
}

TEST_F(CellEditTest, TextWithoutTheFlagIsShownUnchanged) {
    edit.setCellText(0, QStringLiteral("\"0x2F26\""));
    EXPECT_EQ(edit.text(), QStringLiteral("\"0x2F26\""));
    EXPECT_EQ(edit.cellText(), QStringLiteral("\"\"0x2F26\"\""));
}

TEST_F(CellEditTest, BackspaceDeletesTheWholeMarkerAndItsDefinition) {
    loadAbcMarkerD();
    edit.setCursorPosition(3 + static_cast<int>(Marker.size()));
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), QStringLiteral("ＡＢＣＤ"));
    EXPECT_EQ(edit.cellText(), QStringLiteral("ＡＢＣＤ"));
    EXPECT_EQ(edit.cellSequenceCount(), 0);
    EXPECT_TRUE(edit.isCellModified());
}

TEST_F(CellEditTest, DeleteBeforeTheMarkerDeletesItWhole) {
    loadAbcMarkerD();
    edit.setCursorPosition(3);
    QTest::keyClick(&edit, Qt::Key_Delete);
    EXPECT_EQ(edit.text(), QStringLiteral("ＡＢＣＤ"));
    EXPECT_EQ(edit.cellSequenceCount(), 0);
}

TEST_F(CellEditTest, TheCaretNeverStopsInsideAToken) {
    loadAbcMarkerD();
    edit.setCursorPosition(3);
    QTest::keyClick(&edit, Qt::Key_Right);
    EXPECT_EQ(edit.cursorPosition(), 7);
    QTest::keyClick(&edit, Qt::Key_Left);
    EXPECT_EQ(edit.cursorPosition(), 3);
    QTest::keyClick(&edit, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(edit.selectedText(), Marker);

    // Any sequence of moving keys keeps both ends out of the token.
    const Qt::Key keys[] = {Qt::Key_Right, Qt::Key_Left, Qt::Key_Down, Qt::Key_Up, Qt::Key_End, Qt::Key_Home};
    for (int i = 0; i < 60; ++i) {
        const Qt::Key key = keys[(i * 7 + i / 3) % 6];
        const Qt::KeyboardModifiers modifiers = (i % 4 == 1) ? Qt::ShiftModifier : Qt::NoModifier;
        QTest::keyClick(&edit, key, modifiers);
        ASSERT_TRUE(caretOutsideTokens()) << "step " << i;
    }
}

TEST_F(CellEditTest, AClickInsideATokenSelectsTheWholeToken) {
    loadAbcMarkerD();
    parent.show();
    for (int x = 1; x < edit.width(); x += 2) {
        QTest::mouseClick(&edit, Qt::LeftButton, Qt::NoModifier, QPoint(x, edit.height() / 2));
        ASSERT_TRUE(caretOutsideTokens()) << "x " << x;
    }
}

TEST_F(CellEditTest, PastedTokenTextStaysLiteral) {
    loadAbcMarkerD();
    QGuiApplication::clipboard()->setText(QStringLiteral("\"0x2F26\"\r\nsecond line"));
    edit.setCursorPosition(0);
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit.text(), QStringLiteral("\"0x2F26\"ＡＢＣ") + Marker + QStringLiteral("Ｄ"));
    EXPECT_EQ(edit.cellText(), QStringLiteral("\"\"0x2F26\"\"ＡＢＣ\"0x2F26\"Ｄ"));
    EXPECT_EQ(edit.tokenText().markerCount(), 1);
    EXPECT_EQ(edit.cellSequenceCount(), 1);
}

TEST_F(CellEditTest, EscCancelsAndTabAndEnterCommitAndMove) {
    QSignalSpy moves(&edit, &CCellEdit::commitMoveRequested);
    QSignalSpy cancels(&edit, &CCellEdit::cancelRequested);
    QTest::keyClick(&edit, Qt::Key_Escape);
    EXPECT_EQ(cancels.count(), 1);
    EXPECT_EQ(moves.count(), 0);

    QTest::keyClick(&edit, Qt::Key_Tab);
    QTest::keyClick(&edit, Qt::Key_Backtab, Qt::ShiftModifier);
    QTest::keyClick(&edit, Qt::Key_Return);
    QTest::keyClick(&edit, Qt::Key_Enter, Qt::ShiftModifier);
    ASSERT_EQ(moves.count(), 4);
    const std::pair<int, bool> expected[] = {
        {CommitKey::Tab, false}, {CommitKey::Tab, true}, {CommitKey::Enter, false}, {CommitKey::Enter, true}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(moves.at(i).at(0).toInt(), expected[i].first) << i;
        EXPECT_EQ(moves.at(i).at(1).toBool(), expected[i].second) << i;
    }
    EXPECT_EQ(cancels.count(), 1);
}

TEST_F(CellEditTest, JapaneseTypedThroughTheInputMethodIsCommitted) {
    loadAbcMarkerD();
    edit.setCursorPosition(0);
    QInputMethodEvent composing(QStringLiteral("にほんご"), {});
    QApplication::sendEvent(&edit, &composing);
    EXPECT_EQ(edit.cellText(), QStringLiteral("ＡＢＣ\"0x2F26\"Ｄ")); // nothing stored while composing

    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("日本語"));
    QApplication::sendEvent(&edit, &commit);
    EXPECT_EQ(edit.cellText(), QStringLiteral("日本語ＡＢＣ\"0x2F26\"Ｄ"));
    EXPECT_EQ(edit.cursorPosition(), 3);
    EXPECT_EQ(edit.cellSequenceCount(), 1);
}

TEST_F(CellEditTest, AnInputMethodCommitReplacesASelectedTokenWithItsDefinition) {
    loadAbcMarkerD();
    edit.setSelection(3, static_cast<int>(Marker.size()));
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("番号"));
    QApplication::sendEvent(&edit, &commit);
    EXPECT_EQ(edit.cellText(), QStringLiteral("ＡＢＣ番号Ｄ"));
    EXPECT_EQ(edit.cellSequenceCount(), 0);
}

TEST_F(CellEditTest, TheCompositionWindowGoesOverTheEditorAtTheCaret) {
    loadAbcMarkerD();
    edit.setCursorPosition(2);
    const QRect at = edit.inputMethodQuery(Qt::ImCursorRectangle).toRect();
    EXPECT_TRUE(edit.rect().contains(at.topLeft()));
    EXPECT_EQ(at.top(), 0);
    EXPECT_EQ(at.height(), edit.height());
    EXPECT_TRUE(edit.inputMethodQuery(Qt::ImEnabled).toBool());
    edit.setReadOnly(true);
    EXPECT_FALSE(edit.inputMethodQuery(Qt::ImEnabled).toBool());
}

TEST_F(CellEditTest, TypingIntoAnEditorOpenedEmptyDropsTheLinesDefinitions) {
    context.sequences = {Definition};
    QTest::keyClicks(&edit, QStringLiteral("xy"));
    EXPECT_EQ(edit.cellText(), QStringLiteral("xy"));
    EXPECT_EQ(edit.cellSequenceCount(), 0);
}

TEST_F(CellEditTest, AnEditorOpenedEmptyOffersTheSequenceItemOfTheLineItReplaces) {
    // The line holds the one definition its block allows; typing replaces the line, so its
    // definition does not count against the editor.
    edit.setModelType(model::models::QX950W);
    context = {{Definition}, 1, 15, true};
    EXPECT_TRUE(edit.canInsertSequence());
    EXPECT_EQ(edit.cellSequenceCount(), 0);
    QTest::keyClicks(&edit, QStringLiteral("x"));
    EXPECT_EQ(edit.cellSequenceCount(), 0);
}

TEST_F(CellEditTest, ThereIsNoUndoWhileEditing) {
    loadAbcMarkerD();
    QTest::keyClicks(&edit, QStringLiteral("e"));
    QTest::keyClick(&edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(edit.cellText(), QStringLiteral("ＡＢＣ\"0x2F26\"Ｄe"));
    EXPECT_FALSE(edit.isUndoAvailable());
}

TEST_F(CellEditTest, TheSequenceItemFollowsTheAllowancesOnTheOlderModels) {
    struct Row {
        model::ModelType model;
        int blockAllowance;
        int documentAllowance;
        bool canAdd;
        bool expected;
    };
    const Row rows[] = {
        {model::models::QX780, 0, 15, true, false},  // another line of the block holds the one allowed
        {model::models::QX950W, 1, 0, true, false},  // the document is full
        {model::models::QX950W, 1, 15, false, false}, // the table refuses
        {model::models::QX950W, 1, 15, true, true},
        {model::models::QX950W3, 0, 0, false, true}, // the later dialog checks for itself
    };
    for (const Row& row : rows) {
        edit.setModelType(row.model);
        context = {{}, row.blockAllowance, row.documentAllowance, true};
        edit.setCanAddSequence([&row] { return row.canAdd; });
        edit.setCellText(1, QString());
        EXPECT_EQ(edit.canInsertSequence(), row.expected) << row.model << " " << row.blockAllowance;
        bool found = false;
        for (const CellEditMenuItem& item : edit.contextMenuItems()) {
            if (item.command == CellEditCommand::Sequence) {
                found = true;
                EXPECT_EQ(item.enabled, row.expected);
            }
        }
        EXPECT_TRUE(found);
    }
}

TEST_F(CellEditTest, TheClipboardItemsNeedASelection) {
    loadAbcMarkerD();
    QGuiApplication::clipboard()->clear();
    const auto enabled = [this](int command) {
        for (const CellEditMenuItem& item : edit.contextMenuItems()) {
            if (item.command == command) {
                return item.enabled;
            }
        }
        return false;
    };
    EXPECT_FALSE(enabled(CellEditCommand::Cut));
    EXPECT_FALSE(enabled(CellEditCommand::Paste));
    edit.setSelection(0, 2);
    EXPECT_TRUE(enabled(CellEditCommand::Cut));
    EXPECT_TRUE(enabled(CellEditCommand::Delete));
    edit.runCommand(CellEditCommand::Cut);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("ＡＢ"));
    EXPECT_EQ(edit.cellText(), QStringLiteral("Ｃ\"0x2F26\"Ｄ"));
    EXPECT_TRUE(enabled(CellEditCommand::Paste));
}

TEST_F(CellEditTest, TheEditorWidensWithItsTextUpToItsParentsEdge) {
    parent.show();
    edit.setAutoWiden(true);
    edit.setCellText(0, QString());
    QTest::keyClicks(&edit, QStringLiteral("abcdefghijklmnopq"));
    const int grown = edit.width();
    EXPECT_GT(grown, 120);
    QTest::keyClicks(&edit, QString(200, u'w'));
    EXPECT_EQ(edit.geometry().right(), parent.width() - 1);
}

TEST_F(CellEditTest, KeysReportTheSequenceUnderTheSelection) {
    loadAbcMarkerD();
    int reports = 0;
    std::optional<tagSEQ_V900> last;
    QObject::connect(&edit, &CCellEdit::sequenceSelected, &edit, [&](const tagSEQ_V900* definition) {
        ++reports;
        last = definition != nullptr ? std::optional(*definition) : std::nullopt;
    });
    edit.setCursorPosition(3);
    QTest::keyClick(&edit, Qt::Key_Right, Qt::ShiftModifier);
    ASSERT_GE(reports, 1);
    EXPECT_EQ(last, Definition);
    QTest::keyClick(&edit, Qt::Key_End);
    EXPECT_EQ(last, std::nullopt);
}

} // namespace
} // namespace qx::ui
