#include "ui/frames/MainFrameMenus.h"

#include "ui/CommandIds.h"
#include "model/StringTable.h"

#include <algorithm>
#include <array>

namespace qx::ui {

namespace {

using namespace Command;

constexpr MenuItem Separator{};

constexpr MenuItem FileMenuWithoutDocument[] = {
    {FileNew, "新規作成(&N)\tCtrl+N"},
    {FileOpen, "開く(&O)...\tCtrl+O"},
    Separator,
    {EnvironmentSettings, "環境設定(&E)"},
    Separator,
    {AppExit, "終了(&X)"},
};

constexpr MenuItem HelpMenu[] = {
    {HelpIndex, "取扱説明書(&I)"},
    Separator,
    {AppAbout, "ﾊﾞｰｼﾞｮﾝ情報(&A)..."},
};

constexpr MenuBarEntry MenuBar128[] = {
    {"ﾌｧｲﾙ(&F)", FileMenuWithoutDocument},
    {"ﾍﾙﾌﾟ(&H)", HelpMenu},
};

constexpr MenuItem FileMenu[] = {
    {FileNew, "新規作成(&N)\tCtrl+N"},
    {FileOpen, "開く(&O)...\tCtrl+O"},
    {FileClose, "閉じる(&C)"},
    {FileSave, "上書き保存(&S)\tCtrl+S"},
    {FileSaveAs, "名前を付けて保存(&A)..."},
    Separator,
    {FileInsert, "ﾌｧｲﾙ挿入(&I)..."},
    {TargetSettings, "印刷物設定(&G)..."},
    Separator,
    {Send, "送信(&T)...\tCtrl+T"},
    {FilePrint, "印刷(&P)...\tCtrl+P"},
    {WholeImage, "全体ｲﾒｰｼﾞ(&V)"},
    Separator,
    {EnvironmentSettings, "環境設定(&E)..."},
    Separator,
    {AppExit, "終了(&X)"},
};

constexpr MenuItem PasteMenu[] = {
    {Paste, "ﾃｷｽﾄ貼り付け(&T)\tCtrl+V"},
    {FormatPaste, "書式貼り付け(&F)"},
};

constexpr MenuItem PeriodMenu[] = {
    {PeriodAdd, "付加(&A)"},
    {PeriodRemove, "解除(&D)"},
};

constexpr MenuItem BulkChangeMenu[] = {
    {BulkCharSize, "文字ｻｲｽﾞ(&S)..."},
    {BulkCharWidth, "文字幅(&W)..."},
    {BulkCount, "連続個数(&N)..."},
    {BulkPitch, "ﾋﾟｯﾁ長(&P)..."},
    {BulkUnderline, "下線(&U)..."},
    {BulkReverse, "反転(&R)..."},
};

// The paste submenu is the sixth entry: the menu adjustments find it there.
constexpr MenuItem EditMenu[] = {
    {Undo, "元に戻す(&U)\tCtrl+Z"},
    {Redo, "やり直す(&R)\tCtrl+Y"},
    Separator,
    {Cut, "切り取り(&T)\tCtrl+X"},
    {Copy, "ｺﾋﾟｰ(&C)\tCtrl+C"},
    {0, "貼り付け(&P)", PasteMenu},
    {Clear, "消去(&D)\tDel"},
    Separator,
    {Sequence, "連番設定(&Q)..."},
    {Symbol, "記号入力(&M)..."},
    Separator,
    {Frame, "枠囲み(&F)"},
    {0, "ﾋﾟﾘｵﾄﾞ(&O)", PeriodMenu},
    {PitchSort, "ﾋﾟｯﾁ長並べ替え(&S)"},
    Separator,
    {0, "一括変更(&K)", BulkChangeMenu},
};

constexpr MenuItem BlockMenu[] = {
    {BlockInsert, "ﾌﾞﾛｯｸ挿入(&I)"},
    {BlockDelete, "ﾌﾞﾛｯｸ削除(&D)"},
};

constexpr MenuItem WindowMenu[] = {
    {WindowNew, "新しいｳｨﾝﾄﾞｳを開く(&N)"},
    {WindowTile, "並べて表示(&T)"},
};

constexpr MenuBarEntry MenuBar129[] = {
    {"ﾌｧｲﾙ(&F)", FileMenu},
    {"編集(&E)", EditMenu},
    {"ﾌﾞﾛｯｸ(&B)", BlockMenu},
    {"ｳｨﾝﾄﾞｳ(&W)", WindowMenu},
    {"ﾍﾙﾌﾟ(&H)", HelpMenu},
};

constexpr MenuItem BulkChangeMenuEarly[] = {
    {BulkCharSize, "文字ｻｲｽﾞ(&S)..."},
    {BulkCharWidth, "文字幅(&W)..."},
    {BulkCount, "連続個数(&N)..."},
    {BulkPitch, "ﾋﾟｯﾁ長(&P)..."},
    {BulkReverse, "反転(&R)..."},
};

constexpr Accelerator Accelerators128[] = {
    {"F1", Help},
    {"Shift+F1", ContextHelp},
    {"F2", BeginEdit},
    {"Del", Clear},
    {"Shift+Del", Cut},
    {"Ctrl+X", Cut},
    {"Ctrl+C", Copy},
    {"Ctrl+Ins", Copy},
    {"Ctrl+V", Paste},
    {"Shift+Ins", Paste},
    {"Ctrl+Z", Undo},
    {"Alt+Backspace", Undo},
    {"Ctrl+Y", Redo},
    {"Ctrl+N", FileNew},
    {"Ctrl+O", FileOpen},
    {"Ctrl+S", FileSave},
    {"Ctrl+P", FilePrint},
    {"Ctrl+T", Send},
    {"F6", NextPane},
    {"Shift+F6", PreviousPane},
};

constexpr int ToolBar128[] = {
    FileNew, FileOpen, FileSave, 0,
    Send, FilePrint, WholeImage, 0,
    Undo, Redo, 0,
    Cut, Copy, Paste, FormatPaste, 0,
    Sequence, Frame, Symbol, PitchSort,
};

constexpr std::array<std::string_view, 4> StatusIndicators{"ｶﾅ", "CAP", "NUM", "SCRL"};

constexpr int SendWithoutDialogText = 40109;

} // namespace

std::span<const MenuBarEntry> menuBarWithoutDocument() { return MenuBar128; }

std::vector<AdjustedMenu> menuBarWithDocument(model::ModelType modelType) {
    std::vector<AdjustedMenu> bar;
    for (const MenuBarEntry& entry : MenuBar129) {
        bar.push_back({entry.title, std::vector<MenuItem>(entry.items.begin(), entry.items.end())});
    }
    std::vector<MenuItem>& file = bar[0].items;
    if (modelType == model::models::QX780) {
        const auto send = std::find_if(file.begin(), file.end(), [](const MenuItem& m) { return m.command == Send; });
        if (send != file.end()) {
            file.erase(send);
            const auto print =
                std::find_if(file.begin(), file.end(), [](const MenuItem& m) { return m.command == FilePrint; });
            file.insert(print, MenuItem{Send, model::messageText(SendWithoutDialogText)});
        }
    }
    std::vector<MenuItem>& edit = bar[1].items;
    if (modelType <= 4 && !edit.empty() && edit.front().command == Undo) {
        for (MenuItem& item : edit) {
            if (item.isSubmenu() && item.submenu.data() == BulkChangeMenu) {
                item.submenu = BulkChangeMenuEarly;
            }
        }
    }
    return bar;
}

std::span<const Accelerator> acceleratorTable() { return Accelerators128; }

std::span<const int> toolBarCommands() { return ToolBar128; }

std::span<const std::string_view> statusIndicators() { return StatusIndicators; }

} // namespace qx::ui
