#include "formats/AtomicFile.h"
#include "formats/ExtensionKind.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qx::formats {
namespace {

namespace fs = std::filesystem;

std::string contentsOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class AtomicFileTest : public testing::Test {
protected:
    void SetUp() override {
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        folder = fs::temp_directory_path() / ("qx-atomic-" + std::to_string(::getpid()) + "-" + info->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(folder, fs::perms::owner_all, ignored);
        fs::remove_all(folder, ignored);
    }
    /// Every entry of the folder, so that a forgotten temporary file shows.
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path folder;
};

TEST_F(AtomicFileTest, WritesANewFile) {
    const fs::path target = folder / "new.QXF";
    const FileWriteResult result = saveFileAtomically(target.string(), std::string_view("abc"));
    ASSERT_TRUE(result.ok) << result.reason;
    EXPECT_EQ(contentsOf(target), "abc");
    EXPECT_EQ(entries(), (std::vector<std::string>{"new.QXF"}));
}

TEST_F(AtomicFileTest, ReplacesAnExistingFileAndKeepsItsPermissions) {
    const fs::path target = folder / "doc.CSV";
    std::ofstream(target) << "old contents that are longer";
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(saveFileAtomically(target.string(), std::string_view("new")).ok);
    EXPECT_EQ(contentsOf(target), "new");
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(entries(), (std::vector<std::string>{"doc.CSV"}));
}

TEST_F(AtomicFileTest, EmptyContentsMakeAnEmptyFile) {
    const fs::path target = folder / "empty.QXF";
    std::ofstream(target) << "x";
    ASSERT_TRUE(saveFileAtomically(target.string(), std::string_view()).ok);
    EXPECT_EQ(fs::file_size(target), 0u);
}

TEST_F(AtomicFileTest, ATargetThatIsAFolderFailsAndStaysUntouched) {
    const fs::path target = folder / "doc.QXF";
    fs::create_directory(target);
    std::ofstream(target / "inside") << "kept";
    const FileWriteResult result = saveFileAtomically(target.string(), std::string_view("new"));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.errorNumber, EISDIR);
    EXPECT_FALSE(result.reason.empty());
    EXPECT_EQ(contentsOf(target / "inside"), "kept");
    EXPECT_EQ(entries(), (std::vector<std::string>{"doc.QXF"}));
}

TEST_F(AtomicFileTest, AReadOnlyFolderKeepsTheOldFile) {
    const fs::path target = folder / "doc.QXF";
    std::ofstream(target) << "old";
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    if (::access(folder.c_str(), W_OK) == 0) {
        GTEST_SKIP() << "running with rights that ignore folder permissions";
    }
    const FileWriteResult result = saveFileAtomically(target.string(), std::string_view("new"));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.errorNumber, EACCES);
    fs::permissions(folder, fs::perms::owner_all);
    EXPECT_EQ(contentsOf(target), "old");
    EXPECT_EQ(entries(), (std::vector<std::string>{"doc.QXF"}));
}

TEST_F(AtomicFileTest, AMissingFolderFailsWithTheSystemsReason) {
    const FileWriteResult result =
        saveFileAtomically((folder / "no" / "doc.QXF").string(), std::string_view("x"));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.errorNumber, ENOENT);
    EXPECT_EQ(result.reason, std::string(std::strerror(ENOENT)));
}

TEST_F(AtomicFileTest, AFailedWriteKeepsTheOldFileAndLeavesNoTemporary) {
    const fs::path target = folder / "doc.QXF";
    std::ofstream(target) << "old";
    // A file size limit makes the write itself fail part way (EFBIG), as a full disk would.
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 16;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const FileWriteResult result = saveFileAtomically(target.string(), std::string(1000, 'x'));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.errorNumber, EFBIG);
    EXPECT_EQ(contentsOf(target), "old");
    EXPECT_EQ(entries(), (std::vector<std::string>{"doc.QXF"}));
}

TEST_F(AtomicFileTest, FollowsSymbolicLinks) {
    const fs::path real = folder / "real.QXF";
    const fs::path link = folder / "link.QXF";
    std::ofstream(real) << "old";
    fs::create_symlink(real, link);
    ASSERT_TRUE(saveFileAtomically(link.string(), std::string_view("new")).ok);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(contentsOf(real), "new");
}

struct KindCase {
    const char* path;
    ExtensionKind kind;
};

TEST(ExtensionKind, ByTheLastDotOfTheFileName) {
    const KindCase cases[] = {
        {"a.QXF", ExtensionKind::DocumentFile}, {"/x/y/a.qxf", ExtensionKind::DocumentFile},
        {"a.Csv", ExtensionKind::Csv},          {"a.tar.CSV", ExtensionKind::Csv},
        {"a.CSV.bak", ExtensionKind::Other},    {"a", ExtensionKind::Other},
        {"dir.qxf/file", ExtensionKind::Other}, {"a.QXFX", ExtensionKind::Other},
        {"a.", ExtensionKind::Other},           {"", ExtensionKind::Other},
        {".QXF", ExtensionKind::DocumentFile},
    };
    for (const KindCase& c : cases) {
        EXPECT_EQ(extensionKind(c.path), c.kind) << c.path;
    }
}

} // namespace
} // namespace qx::formats
