#include "model/Catalogue.h"
#include "model/EditData.h"
#include "ui/CommandIds.h"
#include "ui/frames/KorvintaViewHeader.h"
#include "ui/frames/MainFrameMenus.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

namespace qx::ui {
namespace {

std::vector<int> commandsOf(const std::vector<MenuItem>& items) {
    std::vector<int> commands;
    for (const MenuItem& item : items) {
        commands.push_back(item.command);
    }
    return commands;
}

const MenuItem* find(const std::vector<MenuItem>& items, int command) {
    const auto it = std::find_if(items.begin(), items.end(), [command](const MenuItem& m) { return m.command == command; });
    return it == items.end() ? nullptr : &*it;
}

TEST(MainFrameMenus, AcceleratorTableMatchesTheShortcutList) {
    std::multimap<int, std::string> keys;
    for (const Accelerator& a : acceleratorTable()) {
        keys.emplace(a.command, std::string(a.keys));
    }
    const std::multimap<int, std::string> expected{
        {57670, "F1"},     {57669, "Shift+F1"}, {32775, "F2"},       {57632, "Del"},      {57635, "Shift+Del"},
        {57635, "Ctrl+X"}, {57634, "Ctrl+C"},   {57634, "Ctrl+Ins"}, {57637, "Ctrl+V"},   {57637, "Shift+Ins"},
        {57643, "Ctrl+Z"}, {57643, "Alt+Backspace"}, {57644, "Ctrl+Y"}, {57600, "Ctrl+N"}, {57601, "Ctrl+O"},
        {57603, "Ctrl+S"}, {57607, "Ctrl+P"},   {32773, "Ctrl+T"},   {57680, "F6"},       {57681, "Shift+F6"},
    };
    EXPECT_EQ(keys, expected);
}

TEST(MainFrameMenus, WithoutDocumentOnlyFileAndHelp) {
    const auto bar = menuBarWithoutDocument();
    ASSERT_EQ(bar.size(), 2u);
    EXPECT_EQ(bar[0].title, "ﾌｧｲﾙ(&F)");
    EXPECT_EQ(bar[1].title, "ﾍﾙﾌﾟ(&H)");
    EXPECT_EQ(bar[0].items[0].text, "新規作成(&N)\tCtrl+N");
    EXPECT_EQ(bar[0].items[1].text, "開く(&O)...\tCtrl+O");
}

TEST(MainFrameMenus, Qx780SendsWithoutDialogRightBeforePrint) {
    const std::vector<AdjustedMenu> bar = menuBarWithDocument(0);
    const std::vector<int> file = commandsOf(bar[0].items);
    const auto send = std::find(file.begin(), file.end(), Command::Send);
    ASSERT_NE(send, file.end());
    EXPECT_EQ(*(send + 1), Command::FilePrint);
    EXPECT_EQ(find(bar[0].items, Command::Send)->text, "送信(&T)\tCtrl+T");
    EXPECT_EQ(find(menuBarWithDocument(9)[0].items, Command::Send)->text, "送信(&T)...\tCtrl+T");
}

TEST(MainFrameMenus, UnderlineBulkChangeOnlyFromModelFive) {
    for (const int model : {0, 1, 2, 3, 4, 5, 9}) {
        const std::vector<AdjustedMenu> bar = menuBarWithDocument(model);
        ASSERT_EQ(bar[1].title, "編集(&E)");
        const auto& edit = bar[1].items;
        // The paste submenu is the sixth entry, led by text paste.
        ASSERT_TRUE(edit[5].isSubmenu());
        EXPECT_EQ(edit[5].submenu.front().command, Command::Paste);
        const MenuItem& bulk = edit.back();
        ASSERT_EQ(bulk.text, "一括変更(&K)");
        const bool hasUnderline = std::any_of(bulk.submenu.begin(), bulk.submenu.end(),
                                              [](const MenuItem& m) { return m.command == Command::BulkUnderline; });
        EXPECT_EQ(hasUnderline, model > 4) << model;
    }
}

// The commands that work on every block whatever is selected never tell the operator they work
// on the selection.
TEST(MainFrameMenus, WholeDocumentCommandsDoNotPromptForTheSelection) {
    for (const int command :
         {Command::PeriodAdd, Command::PeriodRemove, Command::PitchSort, Command::BulkCharSize,
          Command::BulkCharWidth, Command::BulkCount, Command::BulkPitch, Command::BulkUnderline,
          Command::BulkReverse}) {
        const std::string_view prompt = commandPrompt(command);
        EXPECT_FALSE(prompt.empty()) << command;
        EXPECT_EQ(prompt.find("選択範囲"), std::string_view::npos) << command << ": " << prompt;
    }
}

TEST(MainFrameMenus, ToolBarOrder) {
    const std::vector<int> expected{57600, 57601, 57603, 0,     32773, 57607, 32797, 0,     57643, 57644,
                                    0,     57635, 57634, 57637, 32776, 0,     32777, 32778, 32781, 32782};
    EXPECT_EQ(std::vector<int>(toolBarCommands().begin(), toolBarCommands().end()), expected);
}

TEST(ViewHeader, TextsFollowModeTargetAndSize) {
    const model::Catalogue catalogue(9);
    model::EditData data = model::createEditData(catalogue, 1);
    ViewHeaderTexts texts = viewHeaderTexts(data.target, catalogue);
    EXPECT_EQ(texts.mode, QStringLiteral("ピッチ長モード"));
    EXPECT_FALSE(texts.target.isEmpty());
    ASSERT_TRUE(texts.size);

    data.target.printMode = model::codes::Line1Marker;
    data.target.targetKind = 8;
    data.target.labelWidth = 60;
    data.target.labelLength = 205;
    texts = viewHeaderTexts(data.target, catalogue);
    EXPECT_EQ(texts.mode, QStringLiteral("印字長モード"));
    EXPECT_EQ(texts.size, QStringLiteral("6.0x20.5 mm"));

    data.target.targetKind = 1;
    data.target.targetSize = 9999; // no such size: the shown size stays
    EXPECT_FALSE(viewHeaderTexts(data.target, catalogue).size);
}

TEST(ViewHeader, StaticsSitSideBySideAboveTheGrid) {
    const ViewLayout layout = layoutView(HeaderTextWidths{100, 80, 90, 14}, 2, 2, QSize(600, 400));
    EXPECT_EQ(layout.mode, QRect(2, 2, 104, 18));
    EXPECT_EQ(layout.target, QRect(108, 2, 84, 18));
    EXPECT_EQ(layout.size, QRect(194, 2, 94, 18));
    EXPECT_EQ(layout.grid, QRect(0, 20, 600, 380));
}

} // namespace
} // namespace qx::ui
