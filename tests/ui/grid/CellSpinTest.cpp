#include "ui/grid/CellDropDown.h"
#include "ui/grid/CellSpinCount.h"
#include "ui/grid/CellSpinEdit.h"
#include "ui/grid/CellSpinPitch.h"
#include "ui/table/TableMessages.h"

#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace qx::ui {
namespace {

TEST(CellSpin, PitchTextBecomesTenthsAndStepsByATenth) {
    CCellSpinPitch spin;
    spin.setRange(100, 600);
    spin.setCellText(0, QStringLiteral("12.5"));
    EXPECT_EQ(spin.position(), 125);
    EXPECT_EQ(spin.cellText(), QStringLiteral("12.5"));
    QTest::keyClick(spin.edit(), Qt::Key_Up);
    EXPECT_EQ(spin.cellText(), QStringLiteral("12.6"));
    EXPECT_EQ(spin.position(), 126);
    EXPECT_TRUE(spin.isCellModified());
}

TEST(CellSpin, KeysSentToTheCompositeReachTheInnerEdit) {
    CCellSpinCount spin;
    spin.setRange(1, 300);
    spin.setCellText(0, QStringLiteral("7"));
    QTest::keyClick(&spin, Qt::Key_Up);
    EXPECT_EQ(spin.cellText(), QStringLiteral("8"));
    QTest::keyClicks(&spin, QStringLiteral("5"));
    EXPECT_EQ(spin.cellText(), QStringLiteral("85"));
}

TEST(CellSpin, TheArrowsStopAtTheEndsOfTheRange) {
    CCellSpinCount spin;
    spin.setRange(1, 300);
    spin.setCellText(0, QStringLiteral("300"));
    QTest::keyClick(spin.edit(), Qt::Key_Up);
    EXPECT_EQ(spin.cellText(), QStringLiteral("300"));
    spin.setCellText(0, QStringLiteral("2"));
    QTest::keyClick(spin.edit(), Qt::Key_Down);
    QTest::keyClick(spin.edit(), Qt::Key_Down);
    EXPECT_EQ(spin.cellText(), QStringLiteral("1"));
    const auto buttons = spin.findChildren<QToolButton*>();
    ASSERT_EQ(buttons.size(), 2);
    for (QToolButton* button : buttons) {
        EXPECT_EQ(button->focusPolicy(), Qt::NoFocus); // clicking an arrow does not end the edit
    }
}

TEST(CellSpin, TypedValuesOutsideTheRangeAreLeftForTheTableToRefuse) {
    CCellSpinCount spin;
    spin.setRange(1, 300);
    spin.setCellText(0, QString());
    QTest::keyClicks(spin.edit(), QStringLiteral("500"));
    EXPECT_EQ(spin.cellText(), QStringLiteral("500"));
    EXPECT_EQ(spin.position(), 500);
}

TEST(CellSpin, AnArrowAfterAHugeTypedNumberStopsAtTheNearestEnd) {
    // The position of a typed number far outside any range sits at the integer limits; a step from
    // there must land on the range's end on that side, not wrap round to the other.
    CCellSpinCount count;
    count.setRange(1, 300);
    count.setCellText(0, QStringLiteral("99999999999999"));
    QTest::keyClick(count.edit(), Qt::Key_Up);
    EXPECT_EQ(count.cellText(), QStringLiteral("300"));
    count.setCellText(0, QStringLiteral("-99999999999999"));
    QTest::keyClick(count.edit(), Qt::Key_Down);
    EXPECT_EQ(count.cellText(), QStringLiteral("1"));

    CCellSpinPitch pitch;
    pitch.setRange(100, 600);
    pitch.setCellText(0, QString(10, QChar(0xFF19))); // ten full-width nines
    QTest::keyClick(pitch.edit(), Qt::Key_Up);
    EXPECT_EQ(pitch.cellText(), QStringLiteral("60.0"));
}

TEST(CellSpin, TheRangeIsHeldAsSixteenBitValues) {
    CCellSpinCount spin;
    EXPECT_EQ(spin.lower(), 0);
    EXPECT_EQ(spin.upper(), 100);
    spin.setRange(-100000, 100000);
    EXPECT_EQ(spin.lower(), -32768);
    EXPECT_EQ(spin.upper(), 32767);
}

TEST(CellSpin, EscCancelsAndNeverCommitsAndMoves) {
    CCellSpinCount spin;
    QSignalSpy moves(&spin, &CCellSpin::commitMoveRequested);
    QSignalSpy cancels(&spin, &CCellSpin::cancelRequested);
    QTest::keyClick(spin.edit(), Qt::Key_Escape);
    EXPECT_EQ(cancels.count(), 1);
    EXPECT_EQ(moves.count(), 0);
    QTest::keyClick(spin.edit(), Qt::Key_Tab);
    QTest::keyClick(spin.edit(), Qt::Key_Return, Qt::ShiftModifier);
    ASSERT_EQ(moves.count(), 2);
    EXPECT_EQ(moves.at(0).at(0).toInt(), CommitKey::Tab);
    EXPECT_EQ(moves.at(1).at(0).toInt(), CommitKey::Enter);
    EXPECT_TRUE(moves.at(1).at(1).toBool());
}

TEST(CellDropDown, ListsTheTwoChoicesAndSelectsByPrefix) {
    CCellDropDown underline(CCellDropDown::UnderlineKind);
    ASSERT_EQ(underline.count(), 2);
    EXPECT_EQ(underline.itemText(0), QStringLiteral("しない"));
    EXPECT_EQ(underline.itemText(1), QStringLiteral("する"));
    underline.setCellText(0, QStringLiteral("する"));
    EXPECT_EQ(underline.cellText(), QStringLiteral("する"));
    underline.setCellText(0, QString()); // an empty row: the first item
    EXPECT_EQ(underline.cellText(), QStringLiteral("しない"));
    EXPECT_TRUE(underline.isCellModified());
}

TEST(CellDropDown, EscCancelsAndEnterCommitsAndMoves) {
    CCellDropDown reverse(CCellDropDown::ReverseKind);
    QSignalSpy moves(&reverse, &CCellDropDown::commitMoveRequested);
    QSignalSpy cancels(&reverse, &CCellDropDown::cancelRequested);
    QTest::keyClick(&reverse, Qt::Key_Escape);
    QTest::keyClick(&reverse, Qt::Key_Return);
    QTest::keyClick(&reverse, Qt::Key_Tab);
    EXPECT_EQ(cancels.count(), 1);
    ASSERT_EQ(moves.count(), 2);
    EXPECT_EQ(moves.at(0).at(0).toInt(), CommitKey::Enter);
    EXPECT_EQ(moves.at(1).at(0).toInt(), CommitKey::Tab);
}

} // namespace
} // namespace qx::ui
