#include "support/ScriptedPrompter.h"

#include "output/PrintSettingsStore.h"

#include "model/Catalogue.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace qx::output {
namespace {

namespace fs = std::filesystem;
using testing::ScriptedPrompter;

std::string section(int i, const std::string& name, const std::string& heat, const std::string& cut,
                    const std::string& offset) {
    return "[Section" + std::to_string(i) + "]\r\nName=" + name + "\r\nHeatVol=" + heat +
           "\r\nCutPos=" + cut + "\r\nOffsetY=" + offset + "\r\n";
}

PrintSettingEntry entry(std::string name, int heat, int cut, int offset) {
    return PrintSettingEntry{std::move(name), static_cast<std::int16_t>(heat), static_cast<std::int16_t>(cut),
                             static_cast<std::int16_t>(offset)};
}

class PrintSettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/qx-print-settings-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        m_dir = pattern;
        fs::create_directory(m_dir / "tmp");
        const char* old = std::getenv("TMPDIR");
        m_oldTmp = old != nullptr ? std::optional<std::string>(old) : std::nullopt;
        ::setenv("TMPDIR", (m_dir / "tmp").c_str(), 1);
    }
    void TearDown() override {
        if (m_oldTmp) {
            ::setenv("TMPDIR", m_oldTmp->c_str(), 1);
        } else {
            ::unsetenv("TMPDIR");
        }
        std::error_code ignored;
        fs::remove_all(m_dir, ignored);
    }

    static std::string read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    model::Catalogue m_catalogue{model::models::QX950W3};
    fs::path m_dir;
    std::optional<std::string> m_oldTmp;
};

TEST_F(PrintSettingsStoreTest, WritesTheDocumentedLayout) {
    const PrintSettingEntry sets[] = {entry("A", 5, 0, 0), entry("\x8D\xD7\x8C\x61 B", 8, -20, 12)};
    EXPECT_EQ(formatPrintSettings(std::span(sets, 1)),
              "[Index]\r\nCount=1\r\n[Section0]\r\nName={A}\r\nHeatVol=5\r\nCutPos=0\r\nOffsetY=0\r\n");
    EXPECT_EQ(formatPrintSettings(sets), "[Index]\r\nCount=2\r\n" + section(0, "{A}", "5", "0", "0") +
                                             section(1, "{\x8D\xD7\x8C\x61 B}", "8", "-20", "12"));
    EXPECT_EQ(formatPrintSettings({}), "[Index]\r\nCount=0\r\n");
}

TEST_F(PrintSettingsStoreTest, NewEntryHasTheRowDefaults) {
    EXPECT_EQ(PrintSettingEntry::defaults(m_catalogue), entry("", 4, 0, 0));
}

TEST_F(PrintSettingsStoreTest, LoadingCleansNamesAndNumbers) {
    const std::string text = "[Index]\r\nCount=9\r\n" +
                             section(0, "{ spaced  }", "12", "-25", "3mm") + // clamped, clamped, default
                             section(1, "bare", "", "x", "-11") +
                             section(2, "{}", "5", "5", "5") +          // nameless: dropped
                             section(3, "{bare}", "1", "2", "3") +      // same name as 1: dropped
                             section(4, "{Bare}", "0", "20", "+12") +   // names compare exactly
                             section(5, "\x83\x7D", "-3", "-0", "13") + // ends in a double-byte 0x7D
                             section(6, "{tail", "8", "-20", "-10");
    const std::vector<PrintSettingEntry> expected{
        entry(" spaced  ", 8, -20, 0), entry("bare", 4, 0, -10),   entry("Bare", 1, 20, 12),
        entry("\x83\x7D", 1, 0, 12),   entry("tail", 8, -20, -10),
    };
    EXPECT_EQ(parsePrintSettings(text, m_catalogue), expected);
}

TEST_F(PrintSettingsStoreTest, LoadingKeepsTheFirstSixWithinCount) {
    std::string text = "[Index]\r\nCount=8\r\n";
    for (int i = 7; i >= 0; --i) { // file order does not matter, the index does
        text += section(i, "{S" + std::to_string(i) + "}", "4", "0", "0");
    }
    const std::vector<PrintSettingEntry> six = parsePrintSettings(text, m_catalogue);
    ASSERT_EQ(six.size(), 6u);
    EXPECT_EQ(six.front().name, "S0");
    EXPECT_EQ(six.back().name, "S5");

    EXPECT_EQ(parsePrintSettings("[Index]\r\nCount=2\r\n" + section(0, "{a}", "1", "1", "1") +
                                     section(2, "{c}", "1", "1", "1"),
                                 m_catalogue)
                  .size(),
              1u);
    EXPECT_TRUE(parsePrintSettings(section(0, "{a}", "1", "1", "1"), m_catalogue).empty()); // no Count
    EXPECT_EQ(parsePrintSettings("[index]\ncount=2147483647\n[SECTION01]\nName=x\n[section1]\nname=y\n",
                                 m_catalogue),
              std::vector<PrintSettingEntry>{entry("y", 4, 0, 0)});
}

TEST_F(PrintSettingsStoreTest, LongNameIsCutToTheReadBuffer) {
    const std::string name(200, 'n');
    const auto sets = parsePrintSettings(
        "[Index]\r\nCount=1\r\n" + section(0, "{" + name + "}", "4", "0", "0"), m_catalogue);
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(sets[0].name, std::string(126, 'n')); // 127 bytes read, the opening brace removed
}

TEST_F(PrintSettingsStoreTest, SaveCreatesTheFoldersAndLoadReadsItBack) {
    const fs::path folder = m_dir / "Documents" / "KAV" / "QX-950W3";
    // Names are Shift_JIS: "太い".
    const std::vector<PrintSettingEntry> sets{entry("\x91\xBE\x82\xA2", 7, -15, 3), entry(" x ", 1, 20, -10)};

    const PrintSettingsSaveResult result = SavePrintSettings(folder, sets);
    ASSERT_TRUE(result.saved()) << result.reason();
    EXPECT_EQ(read(folder / "PrintSettings.ini"), formatPrintSettings(sets));
    EXPECT_EQ(LoadPrintSettings(folder, m_catalogue), sets);
    EXPECT_TRUE(fs::is_empty(m_dir / "tmp")); // the temporary file is gone

    const std::vector<PrintSettingEntry> fewer{entry("one", 2, 0, 0)};
    ASSERT_TRUE(SavePrintSettings(folder, fewer).saved());
    EXPECT_EQ(LoadPrintSettings(folder, m_catalogue), fewer);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()),
              1); // nothing left beside it
}

TEST_F(PrintSettingsStoreTest, MissingFileLoadsNothing) {
    EXPECT_TRUE(LoadPrintSettings(m_dir / "nowhere", m_catalogue).empty());
    EXPECT_TRUE(LoadPrintSettings({}, m_catalogue).empty());
}

TEST_F(PrintSettingsStoreTest, FolderThatCannotBeMadeIsReportedWithTheSystemsReason) {
    std::ofstream(m_dir / "file") << "not a folder";
    const PrintSettingsSaveResult result = SavePrintSettings(m_dir / "file" / "KAV", {});
    EXPECT_EQ(result.status, PrintSettingsSaveResult::Status::FolderFailed);
    EXPECT_FALSE(result.reason().empty());

    ScriptedPrompter prompter;
    showSaveFailure(result, prompter);
    ASSERT_EQ(prompter.shown().size(), 1u);
    EXPECT_EQ(prompter.shown()[0].messageId, SystemMessage);
    EXPECT_EQ(prompter.shown()[0].text, result.reason());
}

TEST_F(PrintSettingsStoreTest, NoTemporaryFolderWritesNothingAndSaysNothing) {
    const fs::path folder = m_dir / "set";
    const std::vector<PrintSettingEntry> old{entry("old", 3, 0, 0)};
    ASSERT_TRUE(SavePrintSettings(folder, old).saved());

    ::setenv("TMPDIR", (m_dir / "no-such-folder").c_str(), 1);
    const PrintSettingsSaveResult result = SavePrintSettings(folder, std::vector{entry("new", 3, 0, 0)});
    EXPECT_EQ(result.status, PrintSettingsSaveResult::Status::NotWritten);
    EXPECT_EQ(LoadPrintSettings(folder, m_catalogue), old);
    ScriptedPrompter prompter;
    showSaveFailure(result, prompter);
    EXPECT_TRUE(prompter.shown().empty());
}

TEST_F(PrintSettingsStoreTest, FolderFollowsTheModelName) {
    EXPECT_EQ(printSettingsFolder("/home/u/Documents", m_catalogue),
              fs::path("/home/u/Documents/KAV/QX-950W3"));
    EXPECT_EQ(printSettingsFolder("/d", model::Catalogue(model::models::QX790)), fs::path("/d/KAV/QX-790"));
    EXPECT_EQ(printSettingsFolder("/d", model::Catalogue(model::models::QX950A)),
              fs::path("/d/KAV")); // no list entry

    model::OperatorSettings settings;
    settings.documentsFolder = "/home/u/ドキュメント"; // as the desktop told the editor
    EXPECT_EQ(defaultPrintSettingsFolder(settings, m_catalogue),
              fs::path("/home/u/ドキュメント/KAV/QX-950W3"));
    ::setenv("XDG_DOCUMENTS_DIR", "/srv/docs", 1);
    EXPECT_EQ(defaultPrintSettingsFolder({}, m_catalogue), fs::path("/srv/docs/KAV/QX-950W3"));
    ::unsetenv("XDG_DOCUMENTS_DIR");
}

/// Runs with HOME in the test folder and without the two XDG variables, restoring them after.
class UserDirsTest : public PrintSettingsStoreTest {
protected:
    void SetUp() override {
        PrintSettingsStoreTest::SetUp();
        for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DOCUMENTS_DIR"}) {
            const char* value = std::getenv(name);
            m_saved.emplace_back(name, value != nullptr ? std::optional<std::string>(value) : std::nullopt);
            ::unsetenv(name);
        }
        ::setenv("HOME", m_dir.c_str(), 1);
        fs::create_directories(m_dir / ".config");
    }
    void TearDown() override {
        for (const auto& [name, value] : m_saved) {
            if (value) {
                ::setenv(name.c_str(), value->c_str(), 1);
            } else {
                ::unsetenv(name.c_str());
            }
        }
        PrintSettingsStoreTest::TearDown();
    }
    std::vector<std::pair<std::string, std::optional<std::string>>> m_saved;
};

TEST_F(UserDirsTest, AJapaneseDesktopsDocumentsFolderHoldsTheSets) {
    std::ofstream(m_dir / ".config" / "user-dirs.dirs") << "# This file is written by xdg-user-dirs-update\n"
                                                           "XDG_DESKTOP_DIR=\"$HOME/デスクトップ\"\n"
                                                           "XDG_DOCUMENTS_DIR=\"$HOME/ドキュメント\"\n";
    EXPECT_EQ(userDocumentsFolder(), m_dir / "ドキュメント");
    EXPECT_EQ(defaultPrintSettingsFolder({}, m_catalogue), m_dir / "ドキュメント" / "KAV" / "QX-950W3");

    fs::remove(m_dir / ".config" / "user-dirs.dirs");
    EXPECT_EQ(userDocumentsFolder(), m_dir / "Documents"); // no file: the desktop's default

    fs::create_directories(m_dir / "conf");
    ::setenv("XDG_CONFIG_HOME", (m_dir / "conf").c_str(), 1);
    std::ofstream(m_dir / "conf" / "user-dirs.dirs") << "XDG_DOCUMENTS_DIR=\"/srv/書類\"\r\n";
    EXPECT_EQ(userDocumentsFolder(), fs::path("/srv/書類"));
}

TEST(UserDirs, OnlyAPlainQuotedPathIsTaken) {
    const fs::path home = "/home/作業者";
    struct Row {
        const char* text;
        std::optional<fs::path> folder;
    };
    const Row rows[] = {
        {"XDG_DOCUMENTS_DIR=\"$HOME/ドキュメント\"", fs::path("/home/作業者/ドキュメント")},
        {"  XDG_DOCUMENTS_DIR=\"$HOME\"  ", home},
        {"XDG_DOCUMENTS_DIR=\"/data/My \\\"Docs\\\"\"", fs::path("/data/My \"Docs\"")},
        {"XDG_DOCUMENTS_DIR=\"$HOME/a\"\nXDG_DOCUMENTS_DIR=\"$HOME/b\"", fs::path("/home/作業者/b")},
        {"XDG_DOCUMENTS_DIR=\"$HOME/a\"\nXDG_DOCUMENTS_DIR=oops", fs::path("/home/作業者/a")},
        {"XDG_DOCUMENTS_DIR=$HOME/Documents", std::nullopt},    // unquoted
        {"XDG_DOCUMENTS_DIR=\"Documents\"", std::nullopt},      // relative
        {"XDG_DOCUMENTS_DIR=\"$HOMEX/d\"", std::nullopt},       // another variable
        {"XDG_DOCUMENTS_DIR=\"/a/$(rm -rf x)\"", std::nullopt}, // no expansion but $HOME
        {"XDG_DOCUMENTS_DIR=\"/a/`id`\"", std::nullopt},
        {"XDG_DOCUMENTS_DIR=\"/a\" \"/b\"", std::nullopt},
        {"XDG_DOCUMENTS_DIR=\"/a\tb\"", std::nullopt}, // control character
        {"XDG_DOCUMENTS_DIR=\"/a\\\"", std::nullopt},  // escape at the end
        {"# XDG_DOCUMENTS_DIR=\"/a\"", std::nullopt},
        {"XDG_DOCUMENTS_DIRX=\"/a\"", std::nullopt},
        {"", std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(documentsFolderFromUserDirs(row.text, home), row.folder);
    }
    EXPECT_EQ(documentsFolderFromUserDirs("XDG_DOCUMENTS_DIR=\"$HOME/d\"", {}), std::nullopt);
    const std::string withNul("XDG_DOCUMENTS_DIR=\"/a\0b\"", 24);
    EXPECT_EQ(documentsFolderFromUserDirs(withNul, home), std::nullopt);
}

TEST(PrintValuesStore, AbsentValuesTakeTheRowDefaults) {
    const model::Catalogue catalogue(model::models::QX900W2);
    const model::PrintParameters p = printParametersFromStore({}, catalogue);
    EXPECT_EQ(p.cutPosition, 20);
    EXPECT_EQ(p.printOffsetY, 10);
    EXPECT_EQ(p.frontFeed, 0);
    EXPECT_EQ(p.lowTempMode, 0);
    EXPECT_EQ(p.seqOrder, 0);
    EXPECT_EQ(p.heatVolume, 4);
}

// The two positions are read as stored (the print dialog refuses them when out of range); the
// switches and the density are held within what their controls can show.
TEST(PrintValuesStore, StoredValuesKeepLow16BitsAndTheirStoredRange) {
    const model::Catalogue catalogue(model::models::QX950W3);
    struct Row {
        int index; // in PrintValueNames order
        int stored;
        int expected;
    };
    const Row rows[] = {
        {0, 25, 25}, {0, 40, 40}, {0, 41, 41}, {0, 100, 100}, {0, -5, -5}, {0, 65536 + 3, 3}, {1, 22, 22},
        {1, 23, 23}, {1, -1, -1}, {2, 1, 1},   {2, 7, 1},  {3, 1, 1},         {4, 1, 1},
        {4, -2, 0},  {5, 8, 8},   {5, 9, 8},   {5, 0, 1},  {5, 65536 + 6, 6},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(PrintValueNames[static_cast<std::size_t>(row.index)]) + " " +
                     std::to_string(row.stored));
        StoredPrintValues stored{};
        stored[static_cast<std::size_t>(row.index)] = row.stored;
        const model::PrintParameters p = printParametersFromStore(stored, catalogue);
        const int values[] = {p.cutPosition, p.printOffsetY, p.frontFeed,
                              p.lowTempMode, p.seqOrder,     p.heatVolume};
        EXPECT_EQ(values[row.index], row.expected);
    }
}

} // namespace
} // namespace qx::output
