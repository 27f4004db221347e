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
    {WireListImport, "配線リスト読込(&W)..."},
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

struct CommandPrompt {
    int command;
    std::string_view text; ///< prompt, line feed, tool tip
};

constexpr CommandPrompt CommandPrompts[] = {
    {FileNew, "新しい印刷データを作成します\n新規作成"},
    {FileOpen, "保存した印刷データやCSVファイルを開きます\n開く"},
    {FileClose, "作業中の印刷データを閉じます\n閉じる"},
    {FileSave, "作業中の印刷データを上書きして保存します\n上書き保存"},
    {FileSaveAs, "作業中の印刷データを新しい名前で保存します\n名前を付けて保存"},
    {FileInsert, "ファイルのブロックをフォーカス行の前に挿入します\nファイル挿入"},
    {WireListImport, "ECADや表計算の配線リストからブロックを作ってフォーカス行の前に挿入します\n配線リスト読込"},
    {TargetSettings, "印刷物設定画面の表示\n印刷物設定"},
    {Send, "印刷データをプリンタのメモリへ送信します\n送信"},
    {FilePrint, "印刷データをプリンタへ送って印刷します\n印刷"},
    {WholeImage, "連続・連番設定を反映した複数ﾌﾞﾛｯｸの印刷ｲﾒｰｼﾞを表示\n全体ｲﾒｰｼﾞ"},
    {EnvironmentSettings, "印刷条件や保存先などの環境設定画面の表示\n環境設定"},
    {AppExit, "プログラムを終了します\n終了"},
    {Undo, "直前の操作を取り消します\n元に戻す"},
    {Redo, "取り消した操作をやり直します\nやり直す"},
    {Cut, "選択範囲を切り取ってクリップボードへ移します\n切り取り"},
    {Copy, "選択範囲をクリップボードへコピーします\nｺﾋﾟｰ"},
    {Paste, "クリップボードの内容をフォーカス位置へ貼り付けます\n貼り付け"},
    {FormatPaste, "クリップボードのブロックの書式だけを貼り付けます\n書式貼り付け"},
    {Clear, "選択範囲の内容を消去します\n消去"},
    {BeginEdit, "フォーカスのあるセルを編集します\n編集"},
    {Sequence, "連番設定画面の表示\n連番設定"},
    {Symbol, "記号入力画面の表示\n記号入力"},
    {Frame, "印字の枠囲みを付ける・外す\n枠囲み"},
    {PeriodAdd, "全ブロックの全行の末尾にﾋﾟﾘｵﾄﾞを付けます\nﾋﾟﾘｵﾄﾞ付加"},
    {PeriodRemove, "全ブロックの全行の末尾のﾋﾟﾘｵﾄﾞを外します\nﾋﾟﾘｵﾄﾞ解除"},
    {PitchSort, "同じﾋﾟｯﾁ長のブロックが続くように並べ替えます\nﾋﾟｯﾁ長並べ替え"},
    {BulkCharSize, "全ブロックの文字ｻｲｽﾞを一括して変更します\n文字ｻｲｽﾞ一括変更"},
    {BulkCharWidth, "全ブロックの文字幅を一括して変更します\n文字幅一括変更"},
    {BulkCount, "全ブロックの連続個数を一括して変更します\n連続個数一括変更"},
    {BulkPitch, "全ブロックのﾋﾟｯﾁ長を一括して変更します\nﾋﾟｯﾁ長一括変更"},
    {BulkUnderline, "全ブロックの下線を一括して変更します\n下線一括変更"},
    {BulkReverse, "全ブロックの反転を一括して変更します\n反転一括変更"},
    {BlockInsert, "フォーカス行の前に空のブロックを挿入します\nﾌﾞﾛｯｸ挿入"},
    {BlockDelete, "選択範囲のブロックを削除します\nﾌﾞﾛｯｸ削除"},
    {WindowNew, "作業中の印刷データを表示するウィンドウをもう1つ開きます\n新しいｳｨﾝﾄﾞｳ"},
    {WindowTile, "ウィンドウを重ならないように並べて表示します\n並べて表示"},
    {HelpIndex, "取扱説明書を開きます\n取扱説明書"},
    {Help, "取扱説明書を開きます\nﾍﾙﾌﾟ"},
    {ContextHelp, "画面の項目を指して、その説明を取扱説明書で開きます\n項目のﾍﾙﾌﾟ"},
    {AppAbout, "プログラムのバージョン情報を表示します\nﾊﾞｰｼﾞｮﾝ情報"},
    {ZoomIn, "全体ｲﾒｰｼﾞを1段階拡大して表示します\n拡大"},
    {ZoomOut, "全体ｲﾒｰｼﾞを1段階縮小して表示します\n縮小"},
    {ZoomAtPoint, "ｸﾘｯｸした位置を中心に拡大(左ｸﾘｯｸ)・縮小(右ｸﾘｯｸ)します\n部分拡大"},
    {FitLength, "全体ｲﾒｰｼﾞの全長が収まるように表示します\n全体表示"},
    {FitHeight, "印刷物の高さが収まるように表示します\n高さ基準"},
};

constexpr std::array<std::string_view, 4> StatusIndicators{"ｶﾅ", "CAP", "NUM", "SCRL"};

constexpr int SendWithoutDialogText = 40109;

} // namespace

std::span<const MenuBarEntry> menuBarWithoutDocument() { return MenuBar128; }

std::string_view commandPrompt(int command) {
    for (const CommandPrompt& prompt : CommandPrompts) {
        if (prompt.command == command) {
            return prompt.text;
        }
    }
    if (command >= RecentFileFirst && command < RecentFileFirst + 5) {
        return "この印刷データを開きます\n最近使ったファイル";
    }
    return {};
}

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
