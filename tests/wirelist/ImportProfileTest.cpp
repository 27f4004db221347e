#include "wirelist/ImportProfile.h"
#include "wirelist/ImportProfileStore.h"
#include "wirelist/WireListMessages.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace qx::wirelist {
namespace {

ImportProfile fullProfile() {
    ImportProfile p;
    p.name = "盤A 接続リスト";
    p.header = {"", "Verbindungs\tbezeichnung", "Betriebsmittel\n(Quelle)", " Anschluss ", "back\\slash"};
    p.headerRow = 3;
    p.sheet = "Blatt 2";
    p.encoding = "CP1252";
    p.separator = ';';
    p.role(Role::Wire) = "Verbindungsbezeichnung";
    p.role(Role::SourceDevice) = "#2";
    p.role(Role::Target) = ImportProfile::NoColumn;
    p.ends = Ends::Target;
    p.lines = {" {wire} ", "", "{here}\\{there}"};
    p.merge = true;
    p.splitBreaks = false;
    return p;
}

TEST(ImportProfile, WrittenTextReadsBackToTheSameProfile) {
    const ImportProfile written = fullProfile();
    const ProfileReadResult read = readImportProfile(writeImportProfile(written), "a.ini");
    ASSERT_TRUE(read.ok) << read.message;
    EXPECT_EQ(read.profile, written);

    const ImportProfile empty;
    const ProfileReadResult readEmpty = readImportProfile(writeImportProfile(empty), "b.ini");
    ASSERT_TRUE(readEmpty.ok);
    EXPECT_EQ(readEmpty.profile, empty);
}

TEST(ImportProfile, ReadsAHandWrittenFile) {
    const std::string text = "\xEF\xBB\xBF# copied from the office PC\r\n"
                             "\r\n"
                             "  Name = Schaltschrank  \r\n"
                             "ENDS=Both\r\n"
                             "wire = 線番\r\n"
                             "separator = tab\r\n"
                             "encoding = shift_jis\r\n"
                             "line2 = {here}\r\n"
                             "future.key = whatever a later version writes\r\n"
                             "header.row = none\r\n"
                             "merge = on\r\n";
    const ProfileReadResult read = readImportProfile(text, "hand.ini");
    ASSERT_TRUE(read.ok) << read.message;
    EXPECT_EQ(read.profile.name, "Schaltschrank");
    EXPECT_EQ(read.profile.ends, Ends::Both);
    EXPECT_EQ(read.profile.role(Role::Wire), "線番");
    EXPECT_EQ(read.profile.separator, '\t');
    EXPECT_EQ(read.profile.encoding, "CP932");
    EXPECT_EQ(read.profile.lines, (std::vector<std::string>{"", "{here}"}));
    EXPECT_EQ(read.profile.headerRow, 0);
    EXPECT_TRUE(read.profile.merge);
}

TEST(ImportProfile, RefusesWhatIsNoProfileWithTheFileAndLine) {
    const struct {
        const char* name;
        std::string text;
        int messageId;
        const char* message;
    } cases[] = {
        {"too large", std::string(MaxProfileBytes + 1, '#'), WireListMessage::ProfileTooLarge,
         "設定ファイル p.ini は大きすぎるため読込めません。\n(65536 バイトまで)"},
        {"not UTF-8", "name=\x83\x65\x83\x58\x83\x67\n", WireListMessage::ProfileNotUtf8, nullptr},
        {"zero byte", std::string("name=a\0b\n", 9), WireListMessage::ProfileNotUtf8, nullptr},
        {"no key", "name=a\n\njust words\n", WireListMessage::ProfileBadLine,
         "設定ファイル p.ini の 3 行目が正しくありません。"},
        {"ends", "ends=sideways\n", WireListMessage::ProfileBadLine, nullptr},
        {"merge", "merge=maybe\n", WireListMessage::ProfileBadLine, nullptr},
        {"header row", "header.row=-2\n", WireListMessage::ProfileBadLine, nullptr},
        {"encoding", "encoding=EBCDIC\n", WireListMessage::ProfileBadLine, nullptr},
        {"separator", "separator=::\n", WireListMessage::ProfileBadLine, nullptr},
        {"long line", "name=" + std::string(5000, 'x') + "\n", WireListMessage::ProfileBadLine, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ProfileReadResult read = readImportProfile(c.text, "p.ini");
        EXPECT_FALSE(read.ok);
        EXPECT_EQ(read.messageId, c.messageId);
        if (c.message != nullptr) {
            EXPECT_EQ(read.message, c.message);
        }
    }
}

class ImportProfileStoreTest : public testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "qx-profiles-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(root); }

    std::filesystem::path root;
};

TEST_F(ImportProfileStoreTest, SavedProfileIsFoundAgainByTheFilesHeader) {
    const ImportProfileStore store(root / "wirelist");
    ImportProfile profile;
    profile.name = "E/A: Liste*";
    profile.header = {"Wire", "From", "To"};
    profile.lines = {"{wire}"};
    const ImportProfileStore::SaveResult saved = store.save(profile);
    ASSERT_TRUE(saved.ok) << saved.message;
    EXPECT_EQ(saved.path.filename(), "E_A_ Liste_.ini");

    const std::vector<std::string> sameHeader{" Wire", "From ", "To", "", ""};
    const std::optional<ImportProfileStore::Entry> found = store.findFor(sameHeader);
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->profile, profile);
    EXPECT_FALSE(store.findFor(std::vector<std::string>{"Wire", "From"}).has_value());
    EXPECT_FALSE(store.findFor(std::vector<std::string>{}).has_value());
}

TEST_F(ImportProfileStoreTest, BrokenFilesAreReportedAndPassedOver) {
    const ImportProfileStore store(root);
    ImportProfile good;
    good.name = "good";
    ASSERT_TRUE(store.save(good).ok);
    std::ofstream(root / "broken.ini") << "this is not a profile\n";
    std::ofstream(root / "huge.ini") << std::string(MaxProfileBytes + 10, '#');
    std::ofstream(root / "notes.txt") << "not a profile file at all";
    std::filesystem::create_directory(root / "folder.ini");

    std::vector<std::string> problems;
    const std::vector<ImportProfileStore::Entry> entries = store.list(&problems);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].profile.name, "good");
    ASSERT_EQ(problems.size(), 3u);
    EXPECT_EQ(problems[0], "設定ファイル broken.ini の 1 行目が正しくありません。");
    EXPECT_EQ(problems[2], "設定ファイル huge.ini は大きすぎるため読込めません。\n(65536 バイトまで)");
}

TEST_F(ImportProfileStoreTest, SaveIntoAPlaceThatIsAFileFailsWithAMessage) {
    std::ofstream(root / "occupied") << "x";
    const ImportProfileStore store(root / "occupied");
    const ImportProfileStore::SaveResult saved = store.save(ImportProfile{});
    EXPECT_FALSE(saved.ok);
    EXPECT_EQ(saved.messageId, WireListMessage::ProfileNotSaved);
}

TEST(ImportProfile, FileNamesHoldNoPathAndStayShort) {
    EXPECT_EQ(profileFileName(""), "配線リスト.ini");
    EXPECT_EQ(profileFileName("../.."), "_.ini");
    EXPECT_EQ(profileFileName(" . "), "配線リスト.ini");
    EXPECT_EQ(profileFileName("a\nb\x80"), "a_b_.ini");
    const std::string longName = profileFileName(std::string(30, 'x') + "接続接続接続接続接続接続接続");
    EXPECT_LE(longName.size(), 64u);
    EXPECT_TRUE(longName.ends_with("続.ini")); // never a character cut in two
}

} // namespace
} // namespace qx::wirelist
