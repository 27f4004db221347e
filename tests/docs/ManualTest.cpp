#include "model/StringTable.h"
#include "support/FileText.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <memory>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace {

/// The text of the generated PDF as a reader would find it (poppler's pdftotext).
std::string pdfText(const std::string& path) {
    const std::string command = "pdftotext -enc UTF-8 '" + path + "' - 2>/dev/null";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string text;
    if (!pipe) {
        return text;
    }
    std::array<char, 4096> buffer{};
    for (std::size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), pipe.get())) > 0;) {
        text.append(buffer.data(), n);
    }
    return text;
}

TEST(Manual, PdfHasEveryChapter) {
    const std::string text = pdfText(QX_MANUAL_PDF);
    ASSERT_FALSE(text.empty()) << "no readable PDF at " << QX_MANUAL_PDF;
    for (const char* chapter : {"起動と機種の選択", "印刷物設定", "ブロックの入力", "編集の操作", "保存", "CSV ファイルの形式",
                                "印刷と送信", "プリンタの接続", "全体イメージ", "環境設定", "qxtool", "メッセージと対処"}) {
        EXPECT_NE(text.find(chapter), std::string::npos) << chapter;
    }
}

// An operator looks a message up by the number it shows; a number that the program never shows
// would send them nowhere.
TEST(Manual, EveryQuotedMessageExists) {
    const std::string source = qx::testing::fileText(QX_MANUAL_SOURCE);
    ASSERT_FALSE(source.empty());
    const std::regex id(R"((?:^|[^0-9])((?:4[0-9]|6[0-9])[0-9]{3})(?![0-9]))");
    std::set<int> quoted;
    for (auto it = std::sregex_iterator(source.begin(), source.end(), id); it != std::sregex_iterator(); ++it) {
        quoted.insert(std::stoi((*it)[1].str()));
    }
    EXPECT_GE(quoted.size(), 30u);
    for (const int messageId : quoted) {
        EXPECT_FALSE(qx::model::messageText(messageId).empty()) << messageId;
    }
}

} // namespace
