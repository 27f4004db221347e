// A recovery copy is written while the operator works; the editor may die at any moment of it.
// The writer program is killed at random moments a hundred times, and what it leaves must be
// either refused or a whole copy of one of the two documents it writes, and nothing of it may
// stay in the folder once a start has looked. Where a kill lands depends on the machine's load;
// what the test proves must not.
#include "app/RecoveryCopies.h"
#include "torture/TortureDocuments.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <thread>

#include <csignal>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace qx::app {
namespace {

/// Starts the writer; its standard output comes back through `readEnd`.
pid_t startWriter(const QString& folder, int& readEnd) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) {
        return -1;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    const QByteArray folderArg = QFile::encodeName(folder);
    char program[] = QX_RECOVERY_TORTURE_WRITER;
    char* argv[] = {program, const_cast<char*>(folderArg.constData()), nullptr};
    pid_t pid = -1;
    if (::posix_spawn(&pid, program, &actions, nullptr, argv, environ) != 0) {
        pid = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    readEnd = pipeEnds[0];
    return pid;
}

/// Waits for the writer's "ready": its first copy is whole. A writer that dies first closes the
/// pipe. The minute is only a guard against a hung writer: a loaded machine's disk may take
/// seconds for the first copy's flushes, and that must not fail the test.
bool waitReady(int readEnd) {
    pollfd fd{readEnd, POLLIN, 0};
    char buffer[16];
    return ::poll(&fd, 1, 60000) == 1 && ::read(readEnd, buffer, sizeof buffer) > 0;
}

TEST(RecoveryTorture, KilledWritesLeaveWholeCopiesOrNone) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = dir.filePath(QStringLiteral("recovery"));
    const std::vector<std::uint8_t> images[2] = {torture::tortureImage(0), torture::tortureImage(1)};
    ASSERT_GT(images[0].size(), 20000u);
    ASSERT_NE(images[0], images[1]);
    const model::Catalogue catalogue(9);
    const model::OperatorSettings settings = model::OperatorSettings::defaultsFor(catalogue);

    std::mt19937 random(20261210);
    int copiesSeen = 0;
    for (int kill = 0; kill < 100; ++kill) {
        int readEnd = -1;
        const pid_t writer = startWriter(folder, readEnd);
        ASSERT_GT(writer, 0);
        // Most kills fall among the writes; every tenth may fall anywhere from the start on.
        const bool duringWrites = kill % 10 != 0;
        if (duringWrites) {
            ASSERT_TRUE(waitReady(readEnd)) << "the writer did not start, kill " << kill;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(std::uniform_int_distribution<int>(0, 15000)(random)));
        ::kill(writer, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(writer, &status, 0), writer);
        ::close(readEnd);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer ended by itself, kill " << kill;

        RecoveryCopies reader(folder);
        const LeftRecoveryCopies left = reader.findLeftCopies(9);
        // A copy is only ever there with its sidecar: none can be unreadable.
        EXPECT_TRUE(left.unreadable.empty()) << "kill " << kill;
        if (duringWrites) {
            EXPECT_GE(left.offered.size(), 1u) << "kill " << kill;
        }
        for (const LeftRecoveryCopy& copy : left.offered) {
            ++copiesSeen;
            QFile file(copy.copyPath);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            const std::vector<std::uint8_t> read(bytes.begin(), bytes.end());
            const std::optional<model::EditData> loaded = reader.load(copy, catalogue, settings);
            if (read == images[0] || read == images[1]) {
                EXPECT_TRUE(loaded) << "a whole copy was refused, kill " << kill;
            } else {
                EXPECT_FALSE(loaded) << "a damaged copy of " << read.size() << " bytes opened, kill " << kill;
                ADD_FAILURE() << "a copy that is neither document, kill " << kill;
            }
            reader.discard(copy);
        }
        reader.releaseClaims();
    }
    EXPECT_GE(copiesSeen, 90);
    // Nothing of the killed runs is left behind; the last reader's own lock went with it.
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList());
}

} // namespace
} // namespace qx::app
