#include "ui/frames/WindowLayout.h"

#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace qx::ui {
namespace {

TEST(WindowLayout, MainPositionNeedsExactlyTenIntegers) {
    const auto placement = parseMainPosition("0,1,-1,-1,-1,-1,10,20,810,620");
    ASSERT_TRUE(placement);
    EXPECT_EQ(placement->showState, ShowState::Normal);
    EXPECT_EQ(placement->normalRect(), QRect(10, 20, 800, 600));
    EXPECT_EQ(placement->minimisedX, -1);

    for (const char* bad : {"", "0,1,-1,-1,-1,-1,10,20,810", "0,1,-1,-1,-1,-1,10,20,810,620,5",
                            "0,1,-1,-1,-1,-1,10,20,810,x", "0,1,-1,-1,-1,-1,10,20,810,620x", "-1,1,0,0,0,0,0,0,9,9",
                            "0,1,-1,-1,-1,-1,10,20,10,620"}) {
        EXPECT_FALSE(parseMainPosition(bad)) << bad;
    }
}

TEST(WindowLayout, HiddenAndMinimisedStatesComeBackNormal) {
    for (const unsigned state : {0u, 2u, 7u}) {
        const std::string text = "0," + std::to_string(state) + ",-1,-1,-1,-1,0,0,100,100";
        EXPECT_EQ(parseMainPosition(text)->showState, ShowState::Normal) << state;
    }
    EXPECT_EQ(parseMainPosition("0,3,-1,-1,-1,-1,0,0,100,100")->showState, ShowState::Maximised);

    WindowPlacement minimised;
    minimised.showState = ShowState::Minimised;
    minimised.right = 640;
    minimised.bottom = 480;
    EXPECT_EQ(formatMainPosition(minimised), QStringLiteral("0,1,-1,-1,-1,-1,0,0,640,480"));
}

TEST(WindowLayout, ChildSizeNeedsTwoPositiveIntegers) {
    EXPECT_EQ(parseChildSize("870,708"), QSize(870, 708));
    EXPECT_EQ(parseChildSize(" 870 , 708 "), QSize(870, 708));
    for (const char* bad : {"870", "870,708,1", "0,708", "870,-5", "a,b", ""}) {
        EXPECT_FALSE(parseChildSize(bad)) << bad;
    }
    EXPECT_EQ(formatChildSize(QSize(870, 708)), QStringLiteral("870,708"));
}

TEST(WindowLayout, DefaultsAreShareOfTheScreenAndTheMainWindow) {
    // 85 % of 1000 wide, 85 % of (800 + 20 menu) high, centred in the work area.
    const QRect rect = defaultMainRect(QRect(0, 0, 1000, 800), 20);
    EXPECT_EQ(rect.size(), QSize(850, 697));
    EXPECT_EQ(rect.center(), QRect(0, 0, 1000, 800).center());
    EXPECT_EQ(defaultChildSize(QSize(1088, 886)), QSize(870, 708));
}

TEST(WindowLayout, PaneSizesKeepElevenPixels) {
    EXPECT_EQ(paneSizesFor(QSize(1000, 600), 230, 70), (PaneSizes{770, 420}));
    EXPECT_EQ(paneSizesFor(QSize(200, 10), 230, 70), (PaneSizes{11, 11}));
    EXPECT_EQ(ratioPercent(700, 1000), 70);
    EXPECT_EQ(ratioPercent(5, 0), 0);
    EXPECT_EQ(paneRatioFrom(std::nullopt), 70);
    EXPECT_EQ(paneRatioFrom(250), 100);
    EXPECT_EQ(columnWidthFrom(std::nullopt), 94);
    EXPECT_EQ(columnWidthFrom(0), 94);
    EXPECT_EQ(columnWidthFrom(120), 120);
    EXPECT_EQ(columnSizeKey(3), QStringLiteral("ColumnSize03"));
}

TEST(WindowLayout, StoredIntegersAreWholeNumbers) {
    EXPECT_EQ(parseStoredInteger(" 42 "), 42);
    EXPECT_EQ(parseStoredInteger("-7"), -7);
    EXPECT_FALSE(parseStoredInteger("42abc"));
    EXPECT_FALSE(parseStoredInteger(""));
    EXPECT_FALSE(parseStoredInteger("99999999999"));
}

TEST(WindowLayout, PositionTextSurvivesTheStore) {
    QTemporaryDir dir;
    QSettings store(dir.filePath(QStringLiteral("layout.ini")), QSettings::IniFormat);
    WindowPlacement placement;
    placement.showState = ShowState::Maximised;
    placement.left = 5;
    placement.top = 6;
    placement.right = 705;
    placement.bottom = 506;
    writeStoredText(store, QStringLiteral("WndMainPosition"), formatMainPosition(placement));
    writeColumnWidths(store, {80, 90});
    store.sync();

    QSettings again(dir.filePath(QStringLiteral("layout.ini")), QSettings::IniFormat);
    const auto text = readStoredText(again, QStringLiteral("WndMainPosition"));
    ASSERT_TRUE(text);
    EXPECT_EQ(parseMainPosition(text->toStdString()), placement);
    EXPECT_EQ(readColumnWidths(again, 3), (std::vector<int>{80, 90, 94}));
}

} // namespace
} // namespace qx::ui
