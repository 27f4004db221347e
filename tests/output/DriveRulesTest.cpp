#include "output/DriveRules.h"

#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace qx::output {
namespace {

namespace fs = std::filesystem;
using testing::ScriptedPrompter;

constexpr std::string_view Filter =
    "コルビンタ PCエディタ ﾌｧｲﾙ形式 (*.QXF)|*.QXF|CSV ﾌｧｲﾙ形式 (*.CSV)|*.CSV||";

// A temporary folder standing in for a mounted card, removed with everything in it.
class Card {
public:
    Card() {
        std::random_device random;
        m_root = (fs::temp_directory_path() / ("qx-card-" + std::to_string(random()))).string() + "/";
        fs::create_directories(m_root);
    }
    ~Card() {
        std::error_code error;
        fs::remove_all(m_root, error);
    }
    Card(const Card&) = delete;
    Card& operator=(const Card&) = delete;

    const std::string& root() const { return m_root; }
    std::string folder(const std::string& relative) const {
        fs::create_directories(m_root + relative);
        return m_root + relative + "/";
    }
    void file(const std::string& relative, std::size_t size = 0) const {
        std::ofstream(m_root + relative, std::ios::binary) << std::string(size, 'x');
    }

private:
    std::string m_root;
};

TEST(DriveRules, NameRule) {
    struct Row {
        std::string_view name;
        bool passes;
    };
    constexpr Row rows[] = {
        {"DATA-01", true},  {"a", true},
        {"12345678", true}, {"-", true},
        {"DATA_01", false}, {"DATAFILES", false},
        {"", false},        {"DATA 01", false},
        {"DATA.01", false}, {"新しいフォルダ", false},
        {"ﾃﾞｰﾀ", false},    {"abc/def", false},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(passesNameRule(row.name), row.passes) << row.name;
    }
}

TEST(DriveRules, FilterGivesTypesAndTheSaveDialogsExtensionList) {
    const std::vector<FileType> types = parseFileTypes(Filter);
    ASSERT_EQ(types.size(), 2u);
    EXPECT_EQ(types[0], (FileType{"コルビンタ PCエディタ ﾌｧｲﾙ形式 (*.QXF)", "*.QXF", ".QXF"}));
    EXPECT_EQ(types[1], (FileType{"CSV ﾌｧｲﾙ形式 (*.CSV)", "*.CSV", ".CSV"}));
    EXPECT_EQ(typeExtensions(types), (std::vector<std::string>{".QXF", ".CSV"}));
    const std::vector<FileType> mixed = parseFileTypes("All|ALL|Text|*.txt||");
    EXPECT_EQ(typeExtensions(mixed), (std::vector<std::string>{"", ".txt"}));
    EXPECT_TRUE(parseFileTypes("").empty());
    EXPECT_EQ(parseFileTypes("dangling").size(), 0u);
    EXPECT_EQ(withLeadingDot("QXF"), ".QXF");
    EXPECT_EQ(withLeadingDot(".QXF"), ".QXF");
}

TEST(DriveRules, TypeChangeKeepsReplacesOrAppendsTheExtension) {
    const std::vector<std::string> extensions{"", ".QXF", ".CSV"};
    struct Row {
        std::string_view name;
        std::string_view extension;
        std::string_view expected;
    };
    constexpr Row rows[] = {
        {"abc.qxf", ".QXF", "abc.qxf"}, {"abc.CSV", ".QXF", "abc.QXF"},     {"abc.csv", ".QXF", "abc.QXF"},
        {"abc", ".CSV", "abc.CSV"},     {"abc.txt", ".CSV", "abc.txt.CSV"}, {"", ".CSV", ""},
        {".CSV", ".QXF", ".CSV.QXF"},   {"abc.QXF", "", "abc.QXF"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(applyTypeExtension(row.name, row.extension, extensions), row.expected) << row.name;
    }
}

TEST(DriveRules, ListColumnsFormats) {
    EXPECT_EQ(formatFileSize(13929), "13,929");
    EXPECT_EQ(formatFileSize(0), "0");
    EXPECT_EQ(formatFileSize(999), "999");
    EXPECT_EQ(formatFileSize(1000), "1,000");
    EXPECT_EQ(formatFileSize(1234567890), "1,234,567,890");
    EXPECT_EQ(formatModifiedTime(2024, 3, 5, 9, 7), "2024/03/05 09:07");
    EXPECT_EQ(formatModifiedTime(1999, 12, 31, 23, 59), "1999/12/31 23:59");
}

TEST(DriveRules, DepthCountsLevelsBelowTheMountPoint) {
    EXPECT_EQ(folderDepth("/media/op/CARD/", "/media/op/CARD/"), 0);
    EXPECT_EQ(folderDepth("/media/op/CARD/DATA/", "/media/op/CARD/"), 1);
    EXPECT_EQ(folderDepth("/media/op/CARD/DATA/SUB/", "/media/op/CARD"), 2);
    EXPECT_EQ(folderDepth("/media/op/CARD/データ/", "/media/op/CARD/"), 1);
    EXPECT_EQ(folderDepth("/media/op/CARD2/DATA/", "/media/op/CARD/"), -1);
    EXPECT_EQ(folderDepth("/media/op/CARD/DATA/", ""), -1);
    EXPECT_EQ(folderName("/media/op/CARD/DATA/"), "DATA");
    EXPECT_EQ(parentFolder("/media/op/CARD/DATA/"), "/media/op/CARD/");
    EXPECT_EQ(asFolder("/media//"), "/media/");
    EXPECT_EQ(asFolder("/"), "/");
}

TEST(DriveRules, RememberedFolderCountsOnlyOnARemovableVolume) {
    const std::vector<RemovableVolume> volumes{{"/media/op/CARD/", "CARD"}, {"/media/op/CARD/inner/", "IN"}};
    EXPECT_EQ(initialDriveFolder("/media/op/CARD/DATA/", volumes), "/media/op/CARD/DATA/");
    EXPECT_EQ(initialDriveFolder("/media/op/CARD//DATA", volumes), "/media/op/CARD/DATA/");
    EXPECT_EQ(initialDriveFolder("/media/op/CARD/../DISK/", volumes), "");
    EXPECT_EQ(initialDriveFolder("/home/op/", volumes), "");
    EXPECT_EQ(initialDriveFolder("E:\\DATA\\", volumes), ""); // from another system
    EXPECT_EQ(initialDriveFolder("", volumes), "");
    EXPECT_EQ(initialDriveFolder("/media/op/CARD/DATA/", {}), "");
    EXPECT_EQ(volumeRootOf("/media/op/CARD/inner/X/", volumes), "/media/op/CARD/inner/");
    EXPECT_EQ(volumeRootOf("/media/op/CARDS/", volumes), std::nullopt);
}

TEST(DriveRules, RememberedRectangles) {
    EXPECT_EQ(parseDialogRect("10,20,300,400"), (DialogRect{10, 20, 300, 400}));
    EXPECT_EQ(parseDialogRect(" -5, 0 ,100,  50"), (DialogRect{-5, 0, 100, 50}));
    EXPECT_EQ(parseDialogRect("1,2,3"), std::nullopt);
    EXPECT_EQ(parseDialogRect("1,2,3,4,5"), std::nullopt);
    EXPECT_EQ(parseDialogRect("1,2,3,x"), std::nullopt);
    EXPECT_EQ(parseDialogRect("100,0,50,10"), std::nullopt);
    EXPECT_EQ(parseDialogRect("1,2,3,99999999999"), std::nullopt);
    EXPECT_EQ(parseDialogRect(""), std::nullopt);
    EXPECT_EQ(formatDialogRect({-5, 0, 100, 50}), "-5,0,100,50");
}

TEST(DriveRules, ListingFiltersByTypeAndSortsByName) {
    Card card;
    card.file("b.QXF", 13929);
    card.file("A.qxf", 3);
    card.file("c.CSV");
    card.folder("D.QXF");
    card.folder("sub");
    const std::vector<ListedFile> files = listFiles(card.root(), ".QXF");
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].name, "A.qxf");
    EXPECT_EQ(files[1].name, "b.QXF");
    EXPECT_EQ(files[1].size, 13929u);
    EXPECT_NE(files[1].modified, 0);
    EXPECT_EQ(listSubfolders(card.root()), (std::vector<std::string>{"D.QXF", "sub"}));
    EXPECT_TRUE(listFiles(card.root() + "missing/", ".QXF").empty());
}

TEST(DriveRules, ReadinessAsksRetryUntilTheCardIsBack) {
    Card card;
    FolderDriveProvider drives({{card.root(), "CARD"}});
    drives.setReady(card.root(), false);
    ScriptedPrompter cancelled({Answer::Retry, Answer::Cancel});
    EXPECT_FALSE(waitForDrive(&drives, card.root(), cancelled));
    ASSERT_EQ(cancelled.shownIds(), (std::vector<int>{42014, 42014}));
    EXPECT_EQ(cancelled.shown()[0].buttons, Buttons::RetryCancel);
    EXPECT_EQ(cancelled.shown()[0].icon, Icon::Error);
    EXPECT_EQ(cancelled.shown()[0].text.find(card.root() + " にアクセスできません。"), 0u);

    drives.setReady(card.root(), true);
    ScriptedPrompter ready;
    EXPECT_TRUE(waitForDrive(&drives, card.root(), ready));
    EXPECT_TRUE(ready.shown().empty());

    ScriptedPrompter noProvider;
    EXPECT_FALSE(waitForDrive(nullptr, card.root(), noProvider));
    EXPECT_EQ(noProvider.shownIds(), (std::vector<int>{42014}));
}

struct SaveRow {
    const char* label;
    const char* folder; ///< below the card root; nullptr for no folder chosen
    const char* fileName;
    model::ModelType model;
    SaveStep step;
    int messageId; ///< 0: nothing shown
};

TEST(DriveRules, SaveChecksInTheirOrder) {
    Card card;
    card.folder("DATA/SUB");
    card.folder("DATA_01");
    card.folder("DATAFILES");
    const SaveRow rows[] = {
        {"no folder", nullptr, "abc", 9, SaveStep::FocusFolders, 0},
        {"no name", "DATA", "", 9, SaveStep::FocusFileName, 0},
        {"folder gone", "GONE", "abc", 9, SaveStep::Stay, 42014},
        {"card root", "", "abc", 0, SaveStep::Stay, 42015},
        {"usb root", "", "abc", 9, SaveStep::Stay, 42048},
        {"card two levels", "DATA/SUB", "abc", 0, SaveStep::Stay, 42016},
        {"usb two levels", "DATA/SUB", "abc", 5, SaveStep::Stay, 42049},
        {"underscore folder", "DATA_01", "abc", 9, SaveStep::Stay, 42017},
        {"long folder", "DATAFILES", "abc", 9, SaveStep::Stay, 42017},
        {"long name", "DATA", "ABCDEFGHI", 9, SaveStep::Stay, 42018},
        {"wide name", "DATA", "データ", 9, SaveStep::Stay, 42018},
        {"other type's extension", "DATA", "abc.CSV", 9, SaveStep::Stay, 42018},
        {"name of the extension only", "DATA", ".QXF", 9, SaveStep::Stay, 42018},
        {"good", "DATA", "abc", 9, SaveStep::Accept, 0},
    };
    for (const SaveRow& row : rows) {
        ScriptedPrompter prompter;
        const std::string folder = row.folder == nullptr ? "" : card.root() + row.folder;
        const SaveOutcome outcome =
            decideSave({folder, card.root(), row.fileName, ".QXF", row.model}, prompter);
        EXPECT_EQ(outcome.step, row.step) << row.label;
        EXPECT_EQ(prompter.shownIds(),
                  row.messageId == 0 ? std::vector<int>{} : std::vector<int>{row.messageId})
            << row.label;
    }
}

TEST(DriveRules, SaveAddsTheExtensionOnlyWhenMissing) {
    Card card;
    const std::string data = card.folder("DATA");
    ScriptedPrompter prompter;
    SaveOutcome outcome = decideSave({data, card.root(), "abc.qxf", ".QXF", 9}, prompter);
    EXPECT_EQ(outcome.step, SaveStep::Accept);
    EXPECT_EQ(outcome.path, data + "abc.qxf");
    outcome = decideSave({data, card.root(), "abc", ".QXF", 9}, prompter);
    EXPECT_EQ(outcome.fileName, "abc.QXF");
    EXPECT_EQ(outcome.path, data + "abc.QXF");
    outcome = decideSave({data.substr(0, data.size() - 1), card.root(), "list", ".CSV", 9}, prompter);
    EXPECT_EQ(outcome.path, data + "list.CSV");
}

TEST(DriveRules, FolderOperationsReportWhatTheyCannotDo) {
    Card card;
    const std::string data = card.folder("DATA");
    card.folder("OTHER");
    ScriptedPrompter prompter({Answer::Yes});
    EXPECT_EQ(createFolder(card.root() + "GONE/", "X", prompter).result, FolderResult::Refused);
    EXPECT_EQ(createFolder(card.root(), "../X", prompter).result, FolderResult::Refused);
    EXPECT_EQ(renameFolder(card.root() + "GONE/", card.root(), "NEW", prompter).result,
              FolderResult::Vanished);
    EXPECT_EQ(renameFolder(data, card.root(), "OTHER", prompter).result, FolderResult::Refused);
    EXPECT_EQ(prompter.shownIds(), (std::vector<int>{42022, 42017, 42028, 42027}));
    EXPECT_EQ(prompter.shown().back().icon, Icon::Error);

    // A volume root is no folder: neither renamed nor emptied.
    EXPECT_EQ(renameFolder(card.root(), card.root(), "ROOT", prompter).result, FolderResult::Unchanged);
    EXPECT_EQ(deleteFolder(card.root(), card.root(), prompter).result, FolderResult::Unchanged);
    EXPECT_EQ(prompter.shown().size(), 4u);
    EXPECT_TRUE(fs::exists(data));
}

TEST(DriveRules, DeleteStopsAtALinkOutOfTheFolder) {
    Card card;
    Card outside;
    outside.file("keep.QXF");
    card.folder("DATA/SUB");
    card.file("DATA/SUB/a.QXF");
    fs::create_directory_symlink(outside.root(), card.root() + "DATA/link");
    ScriptedPrompter prompter({Answer::Yes});
    EXPECT_EQ(deleteFolder(card.root() + "DATA/", card.root(), prompter).result, FolderResult::Done);
    EXPECT_FALSE(fs::exists(card.root() + "DATA"));
    EXPECT_TRUE(fs::exists(outside.root() + "keep.QXF"));
}

} // namespace
} // namespace qx::output
