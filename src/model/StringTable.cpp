#include "StringTable.h"

#include <algorithm>
#include <array>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <optional>

namespace qx::model {

namespace {

// Every numbered text the editor shows, by id. Texts are UTF-8 with line feeds where a message box
// breaks its line; half-width katakana and full-width forms are the operator's, keep them as they
// are.
constexpr std::array Messages = std::to_array<MessageEntry>({
    {40000, "ＭＳ ゴシック"},
    {40001, "@ＭＳ ゴシック"},
    {40002, ".QXF"},
    {40003, ".CSV"},
    {40004, "コルビンタ PCエディタ ﾌｧｲﾙ形式 (*.QXF)|*.QXF|CSV ﾌｧｲﾙ形式 (*.CSV)|*.CSV||"},
    {40005, "ピッチ長モード"},
    {40006, "印字長モード"},
    {40007, "%d - %s"},
    {40008, "%d 行目"},
    {40009, "連続個数"},
    {40010, "ピッチ長"},
    {40011, "反転"},
    {40012, " mm"},
    {40013, " 個"},
    {40014, "テープ"},
    {40015, "カーヴチューブ"},
    {40016, "一般チューブ"},
    {40017, "熱収縮チューブ"},
    {40018, "カーヴ非塩ビチューブ"},
    {40019, "記名板"},
    {40047, "文字ｻｲｽﾞ"},
    {40048, "文字幅"},
    {40049, "連続個数"},
    {40050, "ﾋﾟｯﾁ長"},
    {40051, "反転"},
    {40052, "mm"},
    {40053, "個"},
    {40054, "しない"},
    {40055, "する"},
    {40060, "数字"},
    {40061, "英字丸囲み"},
    {40062, "単位"},
    {40063, "事務記号"},
    {40064, "上付文字"},
    {40065, "下付文字"},
    {40066, "電設①"},
    {40067, "電設②"},
    {40068, "電設③"},
    {40069, "筆記体"},
    {40082, "AUTO"},
    {40087, "自動"},
    {40089, "印刷物設定 (新規作成)"},
    {40090, "印刷物設定"},
    {40091, "名前"},
    {40092, "サイズ"},
    {40093, "更新日時"},
    {40094, "  "},
    {40095, " 印刷高さオーバー "},
    {40096, " ピッチ長オーバー "},
    {40097, " 印字長オーバー "},
    {40098, " 印刷全長オーバー "},
    {40099, " 文字数オーバー "},
    {40100, "{連番}"},
    {40101, "{記号}"},
    {40103, "QX-780"},
    {40104, "QX-790"},
    {40105, "記名板(0.3mm厚)"},
    {40106, "記名板(0.5mm厚)"},
    {40107, "USBメモリ"},
    {40108, "USBメモリへの保存"},
    {40109, "送信(&T)\tCtrl+T"},
    {42000, "この製品はWindowsXp以降でお使いください。"},
    {42001, "使用中のｿﾌﾄよりﾊﾞｰｼﾞｮﾝの新しいｿﾌﾄで作成されたﾌｧｲﾙ、または上位機種で作成されたﾌｧｲﾙは開けません"},
    {42002, "文字数が許容範囲を超えているため、コルビンタ形式に変換できません。"},
    {42003, "連番設定数が設定可能数を超えているため、コルビンタ形式に変換できません。"},
    {42004, "ピッチ長設定数が設定可能数を超えているため、コルビンタ形式に変換できません。"},
    {42005, "ファイル挿入後のブロック数が許容範囲を超えるため、一部のブロックが読込まれません。"},
    {42006, "ファイル挿入後の文字数が許容範囲を超えています。"},
    {42007, "ファイル挿入後の連番設定数が、設定可能数を超えるため、読込みを中断します。\n"
            "ファイル挿入はキャンセルされました。"},
    {42008, "ファイル挿入後のピッチ長設定数が、設定可能数を超えるため、読込みを中断します。\n"
            "ファイル挿入はキャンセルされました。"},
    {42009, "印刷物を設定してください\n"
            "この操作では、印刷するテキストデータのみ（4行）読み込まれます。\n"
            "個数やピッチ長も読み込む場合は、ファイルの挿入で読み込んでください。"},
    {42010, "送信先が見つかりません。\nドライバがインストール済みか確認して下さい。"},
    {42011, "本体をPC通信モードにして下さい"},
    {42012, "データ送信に失敗しました。"},
    {42013, "データ送信完了"},
    {42014, "%s にアクセスできません。\n\nデバイスの準備ができていません。"},
    {42015, "CFカードのルートには保存できません。\n１階層目のフォルダを指定してください。"},
    {42016, "CFカードの２階層目以降のフォルダには保存できません。\n１階層目のフォルダを指定してください。"},
    {42017, "フォルダ名は半角英数８文字以内で指定してください。"},
    {42018, "ファイル名は半角英数８文字以内で指定してください。"},
    {42019, "%s は既に存在します。\n上書きしますか?"},
    {42020, "新規フォルダ"},
    {42021, "新しいフォルダ"},
    {42022, "フォルダの作成に失敗しました。"},
    {42023, "フォルダ名の変更"},
    {42024, "フォルダ名の変更に失敗しました。"},
    {42025, "フォルダ '%s' とフォルダ内の全てのファイルを削除しますか?"},
    {42026, "フォルダの削除に失敗しました。"},
    {42027, "指定されたフォルダ名は既に存在します。別の名前を指定してください。"},
    {42028, "指定されたフォルダが見つかりません。"},
    {42029, "指定された印字長に対して左右余白が大きすぎます。\n"
            "印字長指定値を大きくするか、または、左右余白を小さくしてください。"},
    {42030, "このブロックには入力できません。"},
    {42031, "１ブロックに連番は１個までです。"},
    {42032, "ピッチ長モード時\n１ファイルに連番は１５個までです。"},
    {42033, "印字長モード時\n１ファイルに連番は１個までです。"},
    {42034, "印字長モードでは連番入力は1個までです。\n2個目以降の連番入力は削除されます。"},
    {42035, "ｸﾘｯﾌﾟﾎﾞｰﾄﾞが開けませんでした。"},
    {42036, "ｸﾘｯﾌﾟﾎﾞｰﾄﾞへのﾃﾞｰﾀ設定に失敗しました!"},
    {42037, "データの属性が違うため貼り付けできません。"},
    {42038, "貼り付け位置が有効ブロック数を超えているため、貼り付けできません。"},
    {42039, "ブロックが選択されていないため書式貼り付けはできません。"},
    {42040, "%d～%dの範囲で設定してください。"},
    {42041, "%.1f～%.1fの範囲で設定してください。"},
    {42042, "%o～%oの範囲で設定してください。"},
    {42043, "%X～%Xの範囲で設定してください。"},
    {42044, "A～Zの範囲で設定してください。"},
    {42045, "未対応の文字が含まれています。\n未対応の文字は空白に置換します。"},
    {42048, "USBメモリのルートには保存できません。\n１階層目のフォルダを指定してください。"},
    {42049, "USBメモリの２階層目以降のフォルダには保存できません。\n１階層目のフォルダを指定してください。"},
    {42050, "開始ブロックが終了ブロックを上回っています。\n値を設定し直して下さい。"},
    {42051, "印刷全長エラーです。\n入力画面に戻り連番個数、連続個数、ピッチ長を\n設定し直して下さい。"},
    {42053, "部数印刷全長エラーです。部数を設定し直して下さい。"},
    {42054, "印刷高さオーバーの為印刷できません。"},
    {42055, "ピッチ長オーバーの為印刷できません。"},
    {42056, "印字長オーバーの為印刷できません。"},
    {42057, "印刷全長オーバーの為印刷できません。"},
    {42058, "文字数オーバーの為印刷できません。"},
    {42059, "ピッチ長設定数オーバーの為印刷できません。"},
    {42060, "作成文書が空の為印刷できません。"},
    {42080, "前回、保存されないまま終了した文書が %d 件あります。\n%s\n\n"
            "これらの文書を復元して開きますか?\n[いいえ] を選ぶと、復元用のデータは削除されます。"},
    {42081, "次の復元用のデータは壊れているため開けません。\n%s\n\nこのデータは削除されます。"},
    {42082, "%s (復元)"},
    {42083, "復元用データを書き込めません。文書をこまめに保存してください。"},
    {43000, "QX-900W"},
    {43001, "QX-950W"},
    {43002, "QX-950A"},
    {43003, "KAVチューブ"},
    {43004, "非塩ビチューブ"},
    {43005, "KAVラベル"},
    {43006, "一般ラベル"},
    {43007, "Flat tube"},
    {43008, "ID Plate"},
    {43009, "Oval tube"},
    {43023, " 10.0x40.0 mm "},
    {43034, "a～zの範囲で設定してください。"},
    {43035, "範囲内に奇数がありません。"},
    {43036, "範囲内に偶数がありません。"},
    {43037, "半角の英数字、記号、または空白以外は使えません。"},
    {43038, "選択中の登録情報を削除してもよろしいですか。"},
    {43039, "選択中の登録情報が変更されています。\n登録せずに終了しますか。"},
    {43040, "既に最大登録件数（%d 件）に達しているため、これ以上は登録できません。"},
    {43041, "登録名は %d 文字以内で指定してください。"},
    {43042, "QX-900W2"},
    {43043, "QX-950W2"},
    {43044, "QX-950A2"},
    {43050, "KAVGチューブ"},
    {43059, "未対応の文字が含まれています。"},
    {43060, "下線"},
    {43061, "下線"},
    {43062, "しない"},
    {43063, "する"},
    {43064, "１ブロックに連番は３個までです。"},
    {43065, "ピッチ長モード時\n１ファイルに連番は４５個までです。"},
    {43066, "入力内容にエラーがある為全体イメージが表示できません。"},
    {43067, "作成文書が空の為全体イメージを表示できません。"},
    {43100, "QX-900W3"},
    {43101, "QX-950W3"},
    {43102, "QX-950A3"},
    // Reading wire lists and other tables: (%s) is the place — sheet, row, column — or the part of
    // the workbook where the file was refused.
    {43200, "Excel 97-2003 ブック (*.xls) は読み込めません。\n"
            "Excel で「Excel ブック (*.xlsx)」形式で保存し直してから読み込んでください。"},
    {43201, "パスワードで保護されたブックは読み込めません。\n"
            "保護を解除して保存し直してから読み込んでください。"},
    {43202, "対応していない形式のファイルです。\n"
            "CSV、TSV、TXT、XLSX、ODS 形式のファイルを指定してください。"},
    {43203, "ファイルが壊れているため読み込めません。(%s)"},
    {43204, "ファイルが大きすぎるため読み込めません。\n読み込めるのは展開後の大きさで %s までです。"},
    {43205, "行数が多すぎるため読み込めません。(%s)\n読み込めるのは %d 行までです。"},
    {43206, "列数が多すぎるため読み込めません。(%s)\n読み込めるのは %d 列までです。"},
    {43207, "セルの文字数が多すぎるため読み込めません。(%s)\n１つのセルに読み込めるのは %d バイトまでです。"},
    {43208, "ファイル内の XML の入れ子が深すぎるため読み込めません。(%s)"},
    {43209, "ファイル内の XML に文書型宣言が含まれているため読み込めません。(%s)"},
    {43210, "セルの数が多すぎるため読み込めません。(%s)\n読み込めるのは %d 個までです。"},
    {43211, "文字コード「%s」には対応していません。\n"
            "UTF-8、UTF-16LE、UTF-16BE、CP932、CP1252 のいずれかを指定してください。"},
    {43212, "区切り文字「%s」には対応していません。\n"
            "カンマ、セミコロン、タブ、縦線のいずれかを指定してください。"},
    {43213, "ブックにワークシートがないため読み込めません。"},
    {43214, "シートの数が多すぎるため読み込めません。\n読み込めるのは %d シートまでです。"},
    {43230, "%d 行目: 線番が空のため読込みません。"},
    {43231, "%d 行目: 読込む列がすべて空のため読込みません。"},
    {43232, "%d 行目: 見出し行の繰り返しのため読込みません。"},
    {43233, "%d 行目: 表の後の集計・注記の行のため読込みません。"},
    {43234, "%d 行目: 本数が 0 のため読込みません。"},
    {43235, "%d 行目: 本数「%s」が数値でないため、既定の連続個数にします。"},
    {43236, "%d 行目: １ブロック %d 行を超える行は読込みません。"},
    {43237, "%d 行目: 未対応の文字を空白に置換しました。"},
    {43238, "%d 行目以降の %d 個は、ブロック数の上限 (%d) を超えるため読込みません。"},
    {43239, "読込む列が決まっていません。\n"
            "線番、接続元、接続先のいずれかの列を指定してください。"},
    {43240, "テンプレート「%s」の {%s} に当たる列がありません。"},
    {43241, "テンプレート「%s」の { と } が対応していません。"},
    {43242, "テンプレート「%s」の {%s} に当たる列が指定されていません。"},
    {43243, "列「%s」が見つかりません。"},
    {43244, "シート「%s」が見つかりません。"},
    {43245, "テンプレートは %d 行までです。"},
    {43246, "読込むデータがありません。"},
    {43247, "設定ファイル %s を読込めません。\n"
            "%s"},
    {43248, "設定ファイル %s は大きすぎるため読込めません。\n"
            "(%d バイトまで)"},
    {43249, "設定ファイル %s の %d 行目が正しくありません。"},
    {43250, "設定ファイル %s は UTF-8 のテキストではないため読込めません。"},
    {43251, "設定ファイル %s を保存できません。\n"
            "%s"},
    {43252, "設定ファイル %s に保存しました。"},
    {43253, "ブロック数 %d / %d"},
    {43254, "読込まない行 %d 行"},
    {43255, "空白に置換した文字 %d 文字"},
    {43256, "線番"},
    {43257, "接続元 機器"},
    {43258, "接続元 端子"},
    {43259, "接続先 機器"},
    {43260, "接続先 端子"},
    {43261, "接続元 (機器:端子)"},
    {43262, "接続先 (機器:端子)"},
    {43263, "本数"},
    // Connecting a printer and sending to it.
    {43300, "送信中…"},
    {43301, "プリンタ: %s"},
    {43302, "%s のドライバが見つかりません。\nドライバがインストール済みか確認して下さい。"},
    {43303, "プリンタを追加する権限がありません。\n管理者の権限で次のコマンドを実行して下さい。"},
    {43304, "プリンタ %s を追加しました。"},
    {43305, "このモデルのプリンタが見つかりません。"},
    {43306, "プリンタ %s は既にあります。"},
    // A bulk change of size or width that does not print while the printer sizes the characters.
    {43320, "文字ｻｲｽﾞが自動の文書のため、変更した文字ｻｲｽﾞは印刷されません。\n"
            "印刷物設定で文字ｻｲｽﾞを「指定」にすると、この文字ｻｲｽﾞで印刷されます。"},
    {43321, "文字ｻｲｽﾞが自動の文書のため、変更した文字幅は印刷されません。\n"
            "印刷物設定で文字ｻｲｽﾞを「指定」にすると、この文字幅で印刷されます。"},
    {61696, "ファイル名が正しくありません。"},
    {61697, "ドキュメントを開くことに失敗しました。"},
    {61698, "ドキュメントの保存に失敗しました。"},
    {61699, "%1 への変更を保存しますか?"},
    {61729, "%1\nこのファイルが見つかりません。\nパスとファイル名が正しいかどうか確認してださい。"},
    {61730, "出力先のディスク ドライブの空き容量が不足しています。"},
    {61731, "%1 は使用中のため、読み取れません。"},
    {61732, "%1 は使用中または読み取り専用のため、書き込めません。"},
    {61733, "%1 の読み取り中に予期しないエラーが発生しました。"},
    {61734, "%1 の書き込み中に予期しないエラーが発生しました。"},
});

constexpr bool isSortedAndUnique() {
    for (std::size_t i = 1; i < Messages.size(); ++i) {
        if (Messages[i - 1].id >= Messages[i].id) {
            return false;
        }
    }
    return true;
}
static_assert(isSortedAndUnique(), "the string table must be sorted by id with each id once");

// Widths and precisions beyond this are cut back, so no argument list can make a huge string.
constexpr int MaxFieldWidth = 1024;

struct Conversion {
    std::string flags;
    int width = -1;
    int precision = -1;
    char type = '\0';
};

std::size_t utf8Length(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(
        text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0U) != 0x80U; }));
}

// The first `count` characters of a UTF-8 text, never cutting a character in two.
std::string_view utf8Prefix(std::string_view text, std::size_t count) {
    std::size_t seen = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0U) != 0x80U) {
            if (seen == count) {
                return text.substr(0, i);
            }
            ++seen;
        }
    }
    return text;
}

std::string utf8Encode(long long codePoint) {
    std::string out;
    if (codePoint <= 0 || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
        return out;
    }
    const auto cp = static_cast<unsigned long>(codePoint);
    auto put = [&out](unsigned long byte) { out.push_back(static_cast<char>(byte)); };
    if (cp < 0x80) {
        put(cp);
    } else if (cp < 0x800) {
        put(0xC0 | (cp >> 6));
        put(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        put(0xE0 | (cp >> 12));
        put(0x80 | ((cp >> 6) & 0x3F));
        put(0x80 | (cp & 0x3F));
    } else {
        put(0xF0 | (cp >> 18));
        put(0x80 | ((cp >> 12) & 0x3F));
        put(0x80 | ((cp >> 6) & 0x3F));
        put(0x80 | (cp & 0x3F));
    }
    return out;
}

// Pads a text field by characters, not bytes, so that a Japanese text lines up like a Latin one.
void appendPadded(std::string& out, std::string_view text, const Conversion& conv) {
    if (conv.precision >= 0) {
        text = utf8Prefix(text, static_cast<std::size_t>(conv.precision));
    }
    const std::size_t length = utf8Length(text);
    const std::size_t width = conv.width > 0 ? static_cast<std::size_t>(conv.width) : 0;
    const std::size_t pad = width > length ? width - length : 0;
    const bool left = conv.flags.find('-') != std::string::npos;
    if (!left) {
        out.append(pad, ' ');
    }
    out.append(text);
    if (left) {
        out.append(pad, ' ');
    }
}

bool isIntegerType(char t) {
    return std::string_view("diuoxX").find(t) != std::string_view::npos;
}
bool isRealType(char t) {
    return std::string_view("fFeEgGaA").find(t) != std::string_view::npos;
}

// One snprintf call with a conversion built here from checked parts: only the flags that the
// conversion defines, and the length modifier that matches the value passed.
template <typename Value>
void appendPrintf(std::string& out, const Conversion& conv, std::string_view allowedFlags,
                  std::string_view lengthModifier, char type, Value value) {
    std::string format = "%";
    for (char flag : conv.flags) {
        if (allowedFlags.find(flag) != std::string_view::npos) {
            format.push_back(flag);
        }
    }
    if (conv.width >= 0) {
        format += std::to_string(conv.width);
    }
    if (conv.precision >= 0) {
        format += '.';
        format += std::to_string(conv.precision);
    }
    format += lengthModifier;
    format.push_back(type);

    const int needed = std::snprintf(nullptr, 0, format.c_str(), value);
    if (needed <= 0) {
        return;
    }
    std::string buffer(static_cast<std::size_t>(needed) + 1, '\0');
    std::snprintf(buffer.data(), buffer.size(), format.c_str(), value);
    buffer.resize(static_cast<std::size_t>(needed));
    if (isRealType(type)) {
        // The operator's messages always read "3.5～60.0", whatever numeric locale the desktop set.
        const std::string_view point = std::localeconv()->decimal_point;
        if (!point.empty() && point != ".") {
            if (const std::size_t at = buffer.find(point); at != std::string::npos) {
                buffer.replace(at, point.size(), ".");
            }
        }
    }
    out += buffer;
}

bool isKnownType(char t) {
    return isIntegerType(t) || isRealType(t) || t == 'c' || t == 's';
}

// A real that fits a long long, truncated toward zero as a C cast would.
bool realToInteger(double v, long long& result) {
    if (!std::isfinite(v) || v <= -9.2e18 || v >= 9.2e18) {
        return false;
    }
    result = static_cast<long long>(v);
    return true;
}

void appendReal(std::string& out, const Conversion& conv, char type, double v) {
    appendPrintf(out, conv, "-+ #0", "", type, v);
}

std::string plainText(const MessageArg& arg) {
    switch (arg.kind()) {
    case MessageArg::Kind::Integer:
        return std::to_string(arg.integer());
    case MessageArg::Kind::Real: {
        std::string out;
        appendReal(out, Conversion{}, 'g', arg.real());
        return out;
    }
    case MessageArg::Kind::Text:
        break;
    }
    return std::string(arg.text());
}

void appendInteger(std::string& out, const Conversion& conv, long long v) {
    switch (conv.type) {
    case 'd':
    case 'i':
        appendPrintf(out, conv, "-+ 0", "ll", conv.type, v);
        break;
    case 'u':
        appendPrintf(out, conv, "-0", "ll", 'u', static_cast<unsigned long long>(v));
        break;
    default: // o x X
        appendPrintf(out, conv, "-#0", "ll", conv.type, static_cast<unsigned long long>(v));
        break;
    }
}

void appendConversion(std::string& out, const Conversion& conv, const MessageArg& arg) {
    const char type = conv.type;
    if (type == 's' || arg.kind() == MessageArg::Kind::Text) {
        std::string text = plainText(arg);
        if (type == 'c' && arg.kind() == MessageArg::Kind::Text) {
            text = std::string(utf8Prefix(text, 1));
        }
        appendPadded(out, text, conv);
        return;
    }
    if (type == 'c') {
        long long code = arg.integer();
        if (arg.kind() == MessageArg::Kind::Real && !realToInteger(arg.real(), code)) {
            code = 0;
        }
        Conversion padding = conv;
        padding.precision = -1;
        appendPadded(out, utf8Encode(code), padding);
        return;
    }
    if (isRealType(type)) {
        const double v =
            arg.kind() == MessageArg::Kind::Real ? arg.real() : static_cast<double>(arg.integer());
        appendReal(out, conv, type, v);
        return;
    }
    long long v = arg.integer();
    if (arg.kind() == MessageArg::Kind::Real && !realToInteger(arg.real(), v)) {
        Conversion whole = conv;
        whole.precision = 0;
        appendReal(out, whole, 'f', arg.real());
        return;
    }
    appendInteger(out, conv, v);
}

} // namespace

std::span<const MessageEntry> messageTable() {
    return Messages;
}

namespace {

const MessageEntry* findMessage(int id) {
    const auto it = std::lower_bound(Messages.begin(), Messages.end(), id,
                                     [](const MessageEntry& e, int key) { return e.id < key; });
    return it != Messages.end() && it->id == id ? &*it : nullptr;
}

} // namespace

std::string_view messageText(int id) {
    const MessageEntry* entry = findMessage(id);
    return entry != nullptr ? entry->text : std::string_view{};
}

bool hasMessage(int id) {
    return findMessage(id) != nullptr;
}

std::string_view documentTemplateField(int index) {
    std::string_view rest = DocumentTemplateText;
    for (int i = 0; i < 7; ++i) {
        const std::size_t end = rest.find('\n');
        const std::string_view field = rest.substr(0, end);
        if (i == index) {
            return field;
        }
        if (end == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(end + 1);
    }
    return {};
}

std::string formatText(std::string_view pattern, std::initializer_list<MessageArg> args) {
    const MessageArg* const argv = args.begin();
    const std::size_t argc = args.size();
    std::size_t nextArg = 0;
    auto takeArg = [&]() -> const MessageArg* { return nextArg < argc ? &argv[nextArg++] : nullptr; };
    // A '*' takes its number from the argument list; anything that is not a number means no value.
    auto takeStar = [&]() -> std::optional<int> {
        const MessageArg* arg = takeArg();
        long long v = 0;
        if (arg == nullptr || arg->kind() == MessageArg::Kind::Text) {
            return std::nullopt;
        }
        if (arg->kind() == MessageArg::Kind::Real && !realToInteger(arg->real(), v)) {
            return std::nullopt;
        }
        if (arg->kind() == MessageArg::Kind::Integer) {
            v = arg->integer();
        }
        return static_cast<int>(std::clamp<long long>(v, -MaxFieldWidth, MaxFieldWidth));
    };

    std::string out;
    out.reserve(pattern.size() + 16);
    const std::size_t n = pattern.size();
    std::size_t i = 0;
    while (i < n) {
        const std::size_t percent = pattern.find('%', i);
        out.append(pattern.substr(i, percent == std::string_view::npos ? n - i : percent - i));
        if (percent == std::string_view::npos) {
            break;
        }
        i = percent + 1;
        if (i < n && pattern[i] == '%') {
            out.push_back('%');
            ++i;
            continue;
        }

        Conversion conv;
        bool onlyDigitWidth = true; // "%1".."%9" with nothing else: a framework-style insert
        while (i < n && std::string_view("-+ #0").find(pattern[i]) != std::string_view::npos) {
            conv.flags.push_back(pattern[i++]);
            onlyDigitWidth = false;
        }
        if (i < n && pattern[i] == '*') {
            ++i;
            if (const std::optional<int> width = takeStar()) {
                // A negative '*' width means left-justified, as in printf.
                if (*width < 0) {
                    conv.flags.push_back('-');
                }
                conv.width = *width < 0 ? -*width : *width;
            }
            onlyDigitWidth = false;
        } else {
            std::size_t digits = 0;
            while (i < n && pattern[i] >= '0' && pattern[i] <= '9') {
                conv.width = std::min(std::max(conv.width, 0) * 10 + (pattern[i] - '0'), MaxFieldWidth);
                ++i;
                ++digits;
            }
            onlyDigitWidth = onlyDigitWidth && digits == 1 && conv.width >= 1;
        }
        if (i < n && pattern[i] == '.') {
            ++i;
            onlyDigitWidth = false;
            if (i < n && pattern[i] == '*') {
                ++i;
                const std::optional<int> precision = takeStar();
                conv.precision = precision && *precision >= 0 ? *precision : -1;
            } else {
                conv.precision = 0;
                while (i < n && pattern[i] >= '0' && pattern[i] <= '9') {
                    conv.precision = std::min(conv.precision * 10 + (pattern[i] - '0'), MaxFieldWidth);
                    ++i;
                }
            }
        }
        while (i < n && std::string_view("hlLqjzt").find(pattern[i]) != std::string_view::npos) {
            ++i;
            onlyDigitWidth = false;
        }

        if (i < n && isKnownType(pattern[i])) {
            conv.type = pattern[i++];
            if (const MessageArg* arg = takeArg()) {
                appendConversion(out, conv, *arg);
            }
        } else if (onlyDigitWidth) {
            const auto index = static_cast<std::size_t>(conv.width - 1);
            if (index < argc) {
                out += plainText(argv[index]);
            }
        } else {
            // Not a conversion: show it as written rather than guess.
            out.append(pattern.substr(percent, i - percent));
        }
    }
    return out;
}

std::string formatMessage(int id, std::initializer_list<MessageArg> args) {
    return formatText(messageText(id), args);
}

} // namespace qx::model
