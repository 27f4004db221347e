#include "cli/DocumentIo.h"
#include "cli/Tool.h"
#include "cli/ToolContext.h"

#include "model/TextConversion.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace qx::cli {
namespace {

class ImportCommandTest : public testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "qx-import-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root = pattern;
        write("wires.csv", "Verdrahtungsliste Schrank 3\n"
                           "Leitung;Quelle;Ziel;Menge;Farbe\n"
                           "W1;-X1:1;-K1:A1;3;BK\n"
                           ";-X1:2;-K1:A2;1;BU\n"
                           "W2;-X1:3;-K2:13;;BN\n");
    }
    void TearDown() override { std::filesystem::remove_all(root); }

    std::string path(const std::string& name) const { return (root / name).string(); }

    void write(const std::string& name, std::string_view bytes) const {
        std::ofstream(root / name, std::ios::binary) << bytes;
    }

    int run(std::vector<std::string> args) {
        out.str({});
        err.str({});
        return runQxtool(args, out, err);
    }

    model::EditData readBack(const std::string& name) const {
        std::ostringstream ignored;
        const ToolContext context(model::models::QX950W3, ignored, ignored);
        model::EditData data;
        EXPECT_EQ(readDocument(context, path(name), NewDocumentOptions{1, 32, false}, data), 0) << ignored.str();
        return data;
    }

    std::filesystem::path root;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(ImportCommandTest, UsageErrorsAndRefusedFilesHaveTheirStatus) {
    write("old.xls", std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + std::string(504, '\0'));
    write("bad.ini", "ends=sideways\n");
    const std::string csv = path("wires.csv");
    const struct {
        std::vector<std::string> args;
        int status;
        const char* stderrHas;
    } cases[] = {
        {{"import", csv}, 1, "import needs -o OUT, or --dry-run"},
        {{"import", csv, csv, "--dry-run"}, 1, "import needs one FILE"},
        {{"import", csv, "-o", path("x.txt")}, 1, ""},
        {{"import", csv, "--dry-run", "--ends", "middle"}, 1, "--ends takes source, target or both"},
        {{"import", csv, "--dry-run", "--line", "1", "--line", "2", "--line", "3", "--line", "4", "--line", "5"},
         1, "at most 4 times"},
        {{"import", csv, "--dry-run", "--role", "colour=Farbe"}, 1, "--role needs ROLE=COLUMN"},
        {{"import", csv, "--dry-run", "--encoding", "EBCDIC"}, 1, "43211 文字コード「EBCDIC」には対応していません。"},
        {{"import", csv, "--dry-run", "--separator", "x"}, 1, "43212 区切り文字「x」には対応していません。"},
        {{"import", csv, "--dry-run", "--line", "{Querschnitt}"}, 1,
         "43240 テンプレート「{Querschnitt}」の {Querschnitt} に当たる列がありません。"},
        {{"import", csv, "--dry-run", "--sheet", "Blatt 2"}, 1, "43244 シート「Blatt 2」が見つかりません。"},
        {{"import", path("missing.csv"), "--dry-run"}, 2, ""},
        {{"import", path("old.xls"), "--dry-run"}, 2, "43200 "},
        {{"import", csv, "--dry-run", "--profile", path("bad.ini")}, 2,
         "43249 設定ファイル bad.ini の 1 行目が正しくありません。"},
        {{"import", csv, "--dry-run", "--profile", path("none.ini")}, 2, "43247 設定ファイル none.ini を読込めません。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.back());
        EXPECT_EQ(run(c.args), c.status) << err.str();
        EXPECT_NE(err.str().find(c.stderrHas), std::string::npos) << err.str();
        EXPECT_TRUE(out.str().empty());
    }
    EXPECT_FALSE(std::filesystem::exists(root / "x.txt"));
}

TEST_F(ImportCommandTest, ProfileAndOptionsMakeTheBlocksOfANewDocument) {
    write("schrank.ini", "name=Schrank\n"
                         "ends=both\n"
                         "line1={wire} {Farbe}\n"
                         "line2={here}\n"
                         "count=Menge\n");
    ASSERT_EQ(run({"import", path("wires.csv"), "-o", path("out.QXF"), "--profile", path("schrank.ini"), "--ends",
                   "target"}),
              0)
        << err.str();
    EXPECT_EQ(err.str(), "43230 4 行目: 線番が空のため読込みません。\n");
    const model::EditData data = readBack("out.QXF");
    ASSERT_EQ(data.blockCount, 2);
    const auto text = [&](int b, int l) { return model::codesToUtf8(data.line(b, l).chars, false); };
    EXPECT_EQ(text(0, 0), "Ｗ１　ＢＫ");
    EXPECT_EQ(text(0, 1), "－Ｋ１：Ａ１");
    EXPECT_EQ(data.block(0).count, 3);
    EXPECT_EQ(text(1, 1), "－Ｋ２：１３");
    EXPECT_EQ(data.block(1).count, 2); // an empty count cell: the operator's default for tubes

    // The same list with the roles by hand and the command line's templates, merged into CSV.
    ASSERT_EQ(run({"import", path("wires.csv"), "-o", path("out.CSV"), "--role", "wire=#5", "--role",
                   "target=-", "--line", "{wire}", "--merge"}),
              0)
        << err.str();
    std::ifstream csv(root / "out.CSV", std::ios::binary);
    const std::string written((std::istreambuf_iterator<char>(csv)), std::istreambuf_iterator<char>());
    EXPECT_EQ(written, "BK,,,,3,20.0\r\nBU,,,,1,20.0\r\nBN,,,,1,20.0\r\n");
}

TEST_F(ImportCommandTest, DryRunWritesNothingAndListsPiecesAndSkippedRows) {
    ASSERT_EQ(run({"import", path("wires.csv"), "--dry-run", "-o", path("never.QXF"), "--line", "{wire}", "--line",
                   "{here}>{there}", "--separator", ";", "--encoding", "utf-8"}),
              0)
        << err.str();
    EXPECT_EQ(out.str(), "W1\t-X1:1>-K1:A1\n"
                         "W1\t-K1:A1>-X1:1\n"
                         "W2\t-X1:3>-K2:13\n"
                         "W2\t-K2:13>-X1:3\n"
                         "# 4 行目: 線番が空のため読込みません。\n");
    EXPECT_FALSE(std::filesystem::exists(root / "never.QXF"));
}

} // namespace
} // namespace qx::cli
