// The fixtures under tests/data/wirelist were saved by the real programs (LibreOffice Calc,
// openpyxl) or written in the encodings shops send; each lies beside the table it must give.

#include "WorkbookBytes.h"
#include "wirelist/TableReader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace qx::wirelist;
using qx::wirelist::testing::dumpTable;

namespace {

const std::filesystem::path Folder = std::filesystem::path(QX_TEST_DATA_DIR) / "wirelist";
constexpr std::string_view ExpectedSuffix = ".expected.txt";

std::string slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::filesystem::path> fixtures() {
    std::vector<std::filesystem::path> inputs;
    for (const auto& entry : std::filesystem::directory_iterator(Folder)) {
        const std::string name = entry.path().filename().string();
        if (name.ends_with(ExpectedSuffix)) {
            inputs.push_back(Folder / name.substr(0, name.size() - ExpectedSuffix.size()));
        }
    }
    std::sort(inputs.begin(), inputs.end());
    return inputs;
}

} // namespace

TEST(TableReaderGolden, EveryFixtureGivesItsTable) {
    const auto inputs = fixtures();
    ASSERT_GE(inputs.size(), 7u);
    for (const auto& input : inputs) {
        SCOPED_TRACE(input.filename().string());
        ASSERT_TRUE(std::filesystem::exists(input));
        const TableReadResult result = readTableFile(input);
        ASSERT_TRUE(result.ok) << result.message;
        EXPECT_EQ(dumpTable(result.table), slurp(input.string() + std::string(ExpectedSuffix)));
    }
}

TEST(TableReaderGolden, WorkbooksFromBothProgramsAgree) {
    // Calc's XLSX shows what its ODS shows: the number formats turn the stored values back into
    // the very texts the ODS holds.
    const auto xlsx = readTableFile(Folder / "calc-wires.xlsx");
    const auto ods = readTableFile(Folder / "calc-wires.ods");
    ASSERT_TRUE(xlsx.ok && ods.ok);
    EXPECT_EQ(dumpTable(xlsx.table), dumpTable(ods.table));
    EXPECT_EQ(xlsx.table.encoding, "");
    EXPECT_EQ(xlsx.table.separator, 0);
}

TEST(TableReaderGolden, EveryCutOfAWorkbookIsRefusedCleanly) {
    for (const char* name : {"calc-wires.xlsx", "calc-wires.ods"}) {
        const std::string bytes = slurp(Folder / name);
        for (std::size_t length = 0; length < bytes.size(); ++length) {
            const TableReadResult result = readTableBytes(std::string_view(bytes).substr(0, length));
            if (length >= 4) { // shorter prefixes do not yet look like a container and read as text
                ASSERT_FALSE(result.ok) << name << " cut at " << length;
                ASSERT_NE(result.messageId, 0);
                ASSERT_FALSE(result.message.empty());
            }
        }
    }
}

TEST(TableReaderGolden, FilesAreRefusedBeforeTheyAreRead) {
    const auto missing = Folder / "no-such-file.csv";
    const TableReadResult absent = readTableFile(missing);
    EXPECT_FALSE(absent.ok);
    EXPECT_EQ(absent.messageId, 61729);
    EXPECT_NE(absent.message.find(missing.string()), std::string::npos);

    // A file larger than a table may unpack to is not read at all.
    const auto csv = Folder / "shiftjis.csv";
    TableLimits limits;
    limits.maxUnpackedBytes = std::filesystem::file_size(csv);
    EXPECT_TRUE(readTableFile(csv, {}, limits).ok);
    limits.maxUnpackedBytes -= 1;
    const TableReadResult large = readTableFile(csv, {}, limits);
    EXPECT_FALSE(large.ok);
    EXPECT_EQ(large.messageId, 43204);

    const TableReadResult folder = readTableFile(Folder);
    EXPECT_FALSE(folder.ok);
    EXPECT_EQ(folder.messageId, 61733);
}
