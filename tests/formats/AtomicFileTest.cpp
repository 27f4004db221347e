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
#include <chrono>
#include <fcntl.h>
#include <functional>
#include <grp.h>
#include <optional>
#include <ostream>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace qx::formats {

// Names the parameter in test listings.
void PrintTo(TemporaryFile temporary, std::ostream* out) {
    *out << (temporary == TemporaryFile::Named ? "named" : "unnamed where possible");
}

namespace {

namespace fs = std::filesystem;

std::string contentsOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

/// Runs a save as an ordinary user, whose folder permissions hold: here when the test is not run
/// by root, otherwise in a child process that gives up root's rights for those of "nobody".
/// Returns the save's error number (0 when it succeeded), or nothing when no such user could be had.
std::optional<int> errorOfUnprivilegedSave(const std::function<FileWriteResult()>& save) {
    if (::geteuid() != 0) {
        const FileWriteResult result = save();
        return result.ok ? 0 : result.errorNumber;
    }
    constexpr uid_t Nobody = 65534;
    constexpr int NoUser = 255;
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(Nobody) != 0 || ::setuid(Nobody) != 0) {
            ::_exit(NoUser);
        }
        const FileWriteResult result = save();
        ::_exit(result.ok ? 0 : std::min(result.errorNumber, NoUser - 1));
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) == NoUser) {
        return std::nullopt;
    }
    return WEXITSTATUS(status);
}

/// Whether the folder's file system offers unnamed files.
bool offersUnnamedFiles(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd < 0) {
        return false;
    }
    ::close(fd);
    return true;
}

/// Every case runs through both kinds of temporary file.
class AtomicFileTest : public testing::TestWithParam<TemporaryFile> {
protected:
    void SetUp() override {
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        std::string name = info->name();
        std::replace(name.begin(), name.end(), '/', '-');
        folder = fs::temp_directory_path() / ("qx-atomic-" + std::to_string(::getpid()) + "-" + name);
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

    FileWriteResult save(const fs::path& target, std::string_view bytes) const {
        return saveFileAtomically(target.string(), bytes, GetParam());
    }

    fs::path folder;
};

TEST_P(AtomicFileTest, WritesANewFile) {
    const fs::path target = folder / "new.QXF";
    const FileWriteResult result = save(target, std::string_view("abc"));
    ASSERT_TRUE(result.ok) << result.reason;
    EXPECT_EQ(result.unnamedTemporary,
              GetParam() == TemporaryFile::UnnamedWherePossible && offersUnnamedFiles(folder));
    EXPECT_EQ(contentsOf(target), "abc");
    EXPECT_EQ(entries(), (std::vector<std::string>{"new.QXF"}));
}

TEST_P(AtomicFileTest, ReplacesAnExistingFileAndKeepsItsPermissions) {
    const fs::path target = folder / "doc.CSV";
    std::ofstream(target) << "old contents that are longer";
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(save(target, std::string_view("new")).ok);
    EXPECT_EQ(contentsOf(target), "new");
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(entries(), (std::vector<std::string>{"doc.CSV"}));
}

TEST_P(AtomicFileTest, EmptyContentsMakeAnEmptyFile) {
    const fs::path target = folder / "empty.QXF";
    std::ofstream(target) << "x";
    ASSERT_TRUE(save(target, std::string_view()).ok);
    EXPECT_EQ(fs::file_size(target), 0u);
}

TEST_P(AtomicFileTest, ATargetThatIsAFolderFailsAndStaysUntouched) {
    const fs::path target = folder / "doc.QXF";
    fs::create_directory(target);
    std::ofstream(target / "inside") << "kept";
    const FileWriteResult result = save(target, std::string_view("new"));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.errorNumber, EISDIR);
    EXPECT_FALSE(result.reason.empty());
    EXPECT_EQ(contentsOf(target / "inside"), "kept");
    EXPECT_EQ(entries(), (std::vector<std::string>{"doc.QXF"}));
}

TEST_P(AtomicFileTest, AReadOnlyFolderKeepsTheOldFile) {
    const fs::path target = folder / "doc.QXF";
    std::ofstream(target) << "old";
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    const std::optional<int> error = errorOfUnprivilegedSave([&] { return save(target, "new"); });
    if (!error) {
        GTEST_SKIP() << "no unprivileged user to run the save as";
    }
    EXPECT_EQ(*error, EACCES);
    fs::permissions(folder, fs::perms::owner_all);
    EXPECT_EQ(contentsOf(target), "old");
    EXPECT_EQ(entries(), (std::vector<std::string>{"doc.QXF"}));
}

TEST_P(AtomicFileTest, AMissingFolderFailsWithTheSystemsReason) {
    const FileWriteResult result =
        save(folder / "no" / "doc.QXF", std::string_view("x"));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.errorNumber, ENOENT);
    EXPECT_EQ(result.reason, std::string(std::strerror(ENOENT)));
}

TEST_P(AtomicFileTest, AFailedWriteKeepsTheOldFileAndLeavesNoTemporary) {
    const fs::path target = folder / "doc.QXF";
    std::ofstream(target) << "old";
    // A file size limit makes the write itself fail part way (EFBIG), as a full disk would.
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 16;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::string big(1000, 'x');
    const FileWriteResult result = save(target, big);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.errorNumber, EFBIG);
    EXPECT_EQ(contentsOf(target), "old");
    EXPECT_EQ(entries(), (std::vector<std::string>{"doc.QXF"}));
}

TEST_P(AtomicFileTest, FollowsSymbolicLinks) {
    const fs::path real = folder / "real.QXF";
    const fs::path link = folder / "link.QXF";
    std::ofstream(real) << "old";
    fs::create_symlink(real, link);
    ASSERT_TRUE(save(link, std::string_view("new")).ok);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(contentsOf(real), "new");
}

// A save killed at any moment leaves the old file or the new one. Through an unnamed file it
// leaves nothing else: a stray name exists only between the link and the rename, two calls with
// nothing written between them, so one trial in many could hit it at most.
TEST_P(AtomicFileTest, ASaveKilledPartWayLeavesAWholeFile) {
    const fs::path target = folder / "doc.QXF";
    const std::string oldBytes(1 << 20, 'o');
    const std::string newBytes(1 << 20, 'n');
    ASSERT_TRUE(save(target, oldBytes).ok);
    std::mt19937 random(12345);
    constexpr int Trials = 20;
    int strays = 0;
    for (int trial = 0; trial < Trials; ++trial) {
        const pid_t child = ::fork();
        if (child == 0) {
            for (;;) {
                save(target, newBytes);
                save(target, oldBytes);
            }
        }
        ASSERT_GT(child, 0);
        std::this_thread::sleep_for(std::chrono::microseconds(500 + random() % 20000));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const std::string now = contentsOf(target);
        EXPECT_TRUE(now == oldBytes || now == newBytes) << "trial " << trial << ": " << now.size() << " bytes";
        for (const std::string& name : entries()) {
            if (name != "doc.QXF") {
                ++strays;
                fs::remove(folder / name);
            }
        }
    }
    if (GetParam() == TemporaryFile::UnnamedWherePossible && offersUnnamedFiles(folder)) {
        EXPECT_LE(strays, 1);
    }
}

INSTANTIATE_TEST_SUITE_P(BothTemporaries, AtomicFileTest,
                         testing::Values(TemporaryFile::UnnamedWherePossible, TemporaryFile::Named),
                         [](const testing::TestParamInfo<TemporaryFile>& p) {
                             return p.param == TemporaryFile::Named ? std::string("Named")
                                                                    : std::string("Unnamed");
                         });

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
