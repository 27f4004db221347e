#include "ui/grid/ForbiddenCharDialog.h"
#include "ui/grid/ForbiddenCharNotice.h"

#include <QCheckBox>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

#include <deque>

namespace qx::ui {
namespace {

/// A notice whose operator answers from a script: true = ticks the box and presses OK.
struct ScriptedNotice {
    explicit ScriptedNotice(std::deque<bool> answers)
        : notice([this](QWidget*) {
              ++shown;
              const bool tick = !script.empty() && script.front();
              if (!script.empty()) {
                  script.pop_front();
              }
              return tick;
          }),
          script(std::move(answers)) {}

    ForbiddenCharNotice notice;
    std::deque<bool> script;
    int shown = 0;
};

TEST(ForbiddenCharNotice, ShowsOncePerCharacterUntilTheBoxIsTicked) {
    struct Row {
        int replaced;
        std::deque<bool> answers;
        int expectedShown;
        bool expectedSuppressed;
    };
    const Row rows[] = {
        {0, {}, 0, false},               // nothing unsupported: nothing shown
        {2, {false, false}, 2, false},   // box left unticked: twice
        {2, {true}, 1, true},            // ticked the first time: once
        {3, {false, true, false}, 2, true},
    };
    for (const Row& row : rows) {
        ScriptedNotice scripted(row.answers);
        EXPECT_EQ(scripted.notice.notify(nullptr, row.replaced), row.expectedShown) << row.replaced;
        EXPECT_EQ(scripted.shown, row.expectedShown);
        EXPECT_EQ(scripted.notice.isSuppressed(), row.expectedSuppressed);
    }
}

TEST(ForbiddenCharNotice, OnceTickedLaterNoticesOfTheRunStaySilent) {
    ScriptedNotice scripted({true});
    scripted.notice.notify(nullptr, 1);
    EXPECT_EQ(scripted.notice.notify(nullptr, 5), 0);
    EXPECT_EQ(scripted.shown, 1);

    // A new run starts with a new notice, which speaks again.
    ScriptedNotice nextRun({});
    EXPECT_EQ(nextRun.notice.notify(nullptr, 1), 1);
}

TEST(ForbiddenCharDialog, ShowsItsTextAndReportsTheCheckBox) {
    CForbiddenCharDialog dialog;
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("コルビンタ PCエディタ"));
    bool textFound = false;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        textFound = textFound ||
                    label->text() == QStringLiteral("未対応の文字が含まれています。\n未対応の文字は空白に置換します。");
    }
    EXPECT_TRUE(textFound);
    EXPECT_EQ(dialog.suppressBox()->text(), QStringLiteral("次回からこのメッセージを表示しない。"));
    EXPECT_FALSE(dialog.isSuppressChecked());
    QTest::mouseClick(dialog.suppressBox(), Qt::LeftButton, Qt::NoModifier,
                      dialog.suppressBox()->rect().center());
    EXPECT_TRUE(dialog.isSuppressChecked());
}

} // namespace
} // namespace qx::ui
