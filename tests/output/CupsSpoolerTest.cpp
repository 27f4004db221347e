// The CUPS spooler against a real, private CUPS scheduler: scripts/cups-test-fixture runs cupsd on
// a Unix socket in a temporary folder, the queues print through the socket backend to fake
// printers on loopback ports of this process, and the tests compare what those printers received.
#include "support/ScriptedPrompter.h"

#include "output/CupsSpooler.h"
#include "output/SpoolerTransport.h"

#include <gtest/gtest.h>

#if QX_HAVE_CUPS
#include <cups/cups.h>
#endif

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace qx::output {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing::ScriptedPrompter;
namespace fs = std::filesystem;

#ifndef QX_CUPS_FIXTURE
#define QX_CUPS_FIXTURE ""
#endif

/// Runs a program with arguments (no shell) and returns its exit status, or -1.
int run(const std::vector<std::string>& argv) {
    const pid_t pid = ::fork();
    if (pid < 0) {
        return -1;
    }
    if (pid == 0) {
        const int null = ::open("/dev/null", O_RDONLY);
        if (null >= 0) {
            ::dup2(null, 0);
        }
        std::vector<char*> args;
        for (const std::string& a : argv) {
            args.push_back(const_cast<char*>(a.c_str()));
        }
        args.push_back(nullptr);
        ::execv(args[0], args.data());
        ::_exit(127);
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            return -1;
        }
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<std::string> fixture(std::initializer_list<std::string> args) {
    std::vector<std::string> argv{"/bin/bash", QX_CUPS_FIXTURE};
    argv.insert(argv.end(), args);
    return argv;
}

/// A printer on a loopback port that records every connection's bytes as one job. A busy printer
/// may keep the connection open for a while after the last byte: `hold` long.
class FakePrinter final {
public:
    explicit FakePrinter(std::chrono::milliseconds hold = {}) : m_hold(hold) {
        m_listen = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof(address);
        if (m_listen < 0 || ::bind(m_listen, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
            ::listen(m_listen, 4) != 0 ||
            ::getsockname(m_listen, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
            ::pipe(m_stop) != 0) {
            return;
        }
        m_port = ntohs(address.sin_port);
        m_thread = std::thread([this] { serve(); });
    }
    ~FakePrinter() {
        if (m_thread.joinable()) {
            const char c = 0;
            [[maybe_unused]] const ssize_t ignored = ::write(m_stop[1], &c, 1);
            m_thread.join();
        }
        for (const int fd : {m_listen, m_stop[0], m_stop[1]}) {
            if (fd >= 0) {
                ::close(fd);
            }
        }
    }
    FakePrinter(const FakePrinter&) = delete;
    FakePrinter& operator=(const FakePrinter&) = delete;

    int port() const { return m_port; }
    std::string uri() const {
        // SNMP off: the socket backend would otherwise spend seconds asking the fake for supplies.
        return "socket://127.0.0.1:" + std::to_string(m_port) + "/?snmp=false";
    }
    std::vector<Bytes> jobs() const {
        std::lock_guard lock(m_mutex);
        return m_jobs;
    }

private:
    bool waitReadable(int fd) const {
        pollfd fds[2] = {{fd, POLLIN, 0}, {m_stop[0], POLLIN, 0}};
        while (::poll(fds, 2, -1) < 0) {
            if (errno != EINTR) {
                return false;
            }
        }
        return (fds[1].revents & POLLIN) == 0;
    }

    void serve() {
        while (waitReadable(m_listen)) {
            const int connection = ::accept4(m_listen, nullptr, nullptr, SOCK_CLOEXEC);
            if (connection < 0) {
                continue;
            }
            Bytes job;
            std::uint8_t buffer[8192];
            bool stopped = false;
            for (;;) {
                if (!waitReadable(connection)) {
                    stopped = true;
                    break;
                }
                const ssize_t got = ::recv(connection, buffer, sizeof(buffer), 0);
                if (got <= 0) {
                    break;
                }
                job.insert(job.end(), buffer, buffer + got);
            }
            if (!stopped && m_hold.count() > 0) {
                pollfd stop = {m_stop[0], POLLIN, 0};
                stopped = ::poll(&stop, 1, static_cast<int>(m_hold.count())) > 0;
            }
            {
                // Recorded before the connection closes: the backend finishes only after that.
                std::lock_guard lock(m_mutex);
                m_jobs.push_back(std::move(job));
            }
            ::close(connection);
            if (stopped) {
                return;
            }
        }
    }

    std::chrono::milliseconds m_hold;
    int m_listen = -1;
    int m_stop[2] = {-1, -1};
    int m_port = 0;
    std::thread m_thread;
    mutable std::mutex m_mutex;
    std::vector<Bytes> m_jobs;
};

/// A printer that takes connections (the system accepts them for it) and never reads a byte.
class NeverReadingPrinter final {
public:
    NeverReadingPrinter() {
        m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof(address);
        if (m_fd >= 0 && ::bind(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 &&
            ::listen(m_fd, 4) == 0 &&
            ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
            m_port = ntohs(address.sin_port);
        }
    }
    ~NeverReadingPrinter() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    NeverReadingPrinter(const NeverReadingPrinter&) = delete;
    NeverReadingPrinter& operator=(const NeverReadingPrinter&) = delete;
    std::string uri() const { return "socket://127.0.0.1:" + std::to_string(m_port) + "/?snmp=false"; }

private:
    int m_fd = -1;
    int m_port = 0;
};

/// A loopback port that refuses every connection: bound, never listening.
class RefusingPort final {
public:
    RefusingPort() {
        m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof(address);
        if (m_fd >= 0 && ::bind(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 &&
            ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
            m_port = ntohs(address.sin_port);
        }
    }
    ~RefusingPort() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    RefusingPort(const RefusingPort&) = delete;
    RefusingPort& operator=(const RefusingPort&) = delete;
    std::string uri() const { return "socket://127.0.0.1:" + std::to_string(m_port) + "/?snmp=false"; }
    /// The backend gives up on the printer at its first retry.
    std::string givingUpUri() const { return uri() + "&contimeout=1"; }

private:
    int m_fd = -1;
    int m_port = 0;
};

/// A job as the printers read it, with the bytes a text path would alter: NUL, CR, LF, Ctrl-D,
/// ESC and every high byte.
Bytes sampleJob(std::size_t size) {
    Bytes job;
    const std::string head = "\x1B%-12345X@PJL SET MACHINE=QX950_3\n\r\n\x04";
    job.assign(head.begin(), head.end());
    std::uint32_t state = 12345;
    while (job.size() < size) {
        state = state * 1103515245u + 12345u;
        job.push_back(static_cast<std::uint8_t>(state >> 16));
    }
    job.resize(size);
    return job;
}

PrintJobResult jobOf(std::string name, Bytes bytes) {
    PrintJobResult result;
    result.ok = true;
    result.jobName = std::move(name);
    result.bytes = std::move(bytes);
    return result;
}

class CupsSpoolerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { startSuite({}); }

    /// Starts the suite's scheduler with these options of the fixture's serve command.
    static void startSuite(std::vector<std::string> serveOptions) {
        s_skipReason.clear();
        s_failure.clear();
#if !QX_HAVE_CUPS
        s_skipReason = "built without libcups";
        return;
#else
        if (std::string(QX_CUPS_FIXTURE).empty() || run(fixture({"check"})) != 0) {
            s_skipReason = "cupsd or lpadmin is not installed: the CUPS spooler tests need the cups and "
                           "cups-client packages";
            return;
        }
        startScheduler(std::move(serveOptions));
#endif
    }

    static void TearDownTestSuite() {
        if (s_cupsd > 0) {
            ::kill(s_cupsd, SIGTERM);
            int status = 0;
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
            while (::waitpid(s_cupsd, &status, WNOHANG) == 0) {
                if (std::chrono::steady_clock::now() > deadline) {
                    ::kill(s_cupsd, SIGKILL);
                    ::waitpid(s_cupsd, &status, 0);
                    break;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
            s_cupsd = 0;
        }
        if (!s_dir.empty()) {
            std::error_code ignored;
            fs::remove_all(s_dir, ignored);
            s_dir.clear();
        }
    }

    void SetUp() override {
        if (!s_skipReason.empty()) {
            GTEST_SKIP() << s_skipReason;
        }
        ASSERT_TRUE(s_failure.empty()) << s_failure;
    }

    void TearDown() override {
        for (const std::string& name : m_queues) {
            run(fixture({"remove-queue", s_dir.string(), name}));
        }
    }

    static std::string socketPath() {
        return (s_dir / "cups.sock").string();
    }

    void addQueue(const std::string& name, const std::string& driver, const std::string& uri) {
        m_queues.push_back(name);
        ASSERT_EQ(run(fixture({"add-queue", s_dir.string(), name, driver, uri})), 0) << log();
    }

    void queueCommand(const std::string& command, const std::string& name) {
        ASSERT_EQ(run(fixture({command, s_dir.string(), name})), 0) << log();
    }

    static std::string log() {
        std::ifstream in(s_dir / "log" / "error_log");
        std::stringstream text;
        text << in.rdbuf();
        const std::string all = text.str();
        return "\n--- cupsd error_log (end) ---\n" + all.substr(all.size() > 4000 ? all.size() - 4000 : 0);
    }

#if QX_HAVE_CUPS
    /// The jobs of a queue that CUPS still means to print.
    static int activeJobs(const std::string& queue) {
        http_t* http =
            httpConnect2(socketPath().c_str(), 0, nullptr, AF_LOCAL, HTTP_ENCRYPTION_NEVER, 1, 5000, nullptr);
        if (http == nullptr) {
            return -1;
        }
        cups_job_t* jobs = nullptr;
        const int count = cupsGetJobs2(http, &jobs, queue.c_str(), 0, CUPS_WHICHJOBS_ACTIVE);
        cupsFreeJobs(count, jobs);
        httpClose(http);
        return count;
    }

    /// The state CUPS gives the job, 0 when it does not know it.
    static int jobStateOf(const std::string& queue, int jobId) {
        http_t* http =
            httpConnect2(socketPath().c_str(), 0, nullptr, AF_LOCAL, HTTP_ENCRYPTION_NEVER, 1, 5000, nullptr);
        if (http == nullptr) {
            return 0;
        }
        cups_job_t* jobs = nullptr;
        const int count = cupsGetJobs2(http, &jobs, queue.c_str(), 0, CUPS_WHICHJOBS_ALL);
        int state = 0;
        for (int i = 0; i < count; ++i) {
            if (jobs[i].id == jobId) {
                state = jobs[i].state;
            }
        }
        cupsFreeJobs(count, jobs);
        httpClose(http);
        return state;
    }

    static std::string jobTitle(const std::string& queue, int jobId) {
        http_t* http =
            httpConnect2(socketPath().c_str(), 0, nullptr, AF_LOCAL, HTTP_ENCRYPTION_NEVER, 1, 5000, nullptr);
        if (http == nullptr) {
            return {};
        }
        cups_job_t* jobs = nullptr;
        const int count = cupsGetJobs2(http, &jobs, queue.c_str(), 0, CUPS_WHICHJOBS_ALL);
        std::string title;
        for (int i = 0; i < count; ++i) {
            if (jobs[i].id == jobId && jobs[i].title != nullptr) {
                title = jobs[i].title;
            }
        }
        cupsFreeJobs(count, jobs);
        httpClose(http);
        return title;
    }
#endif

    CupsSpooler spooler(std::chrono::milliseconds timeout = std::chrono::seconds(10)) const {
        return CupsSpooler(socketPath(), timeout);
    }

    std::vector<std::string> m_queues;

    /// Every real job fits many times over; only the refusal test sends more.
    static constexpr std::size_t MaxRequestSize = 200000;

    static inline fs::path s_dir;
    static inline pid_t s_cupsd = 0;
    static inline std::string s_skipReason;
    static inline std::string s_failure;

private:
    static void startScheduler(std::vector<std::string> serveOptions) {
        // A short folder name: a Unix socket path has room for about a hundred bytes.
        char pattern[] = "/tmp/qx-cups-XXXXXX";
        if (::mkdtemp(pattern) == nullptr) {
            s_failure = "cannot create the scheduler's folder";
            return;
        }
        s_dir = pattern;
        const std::string out = (s_dir / "cupsd.out").string();
        const pid_t parent = ::getpid();
        const pid_t pid = ::fork();
        if (pid < 0) {
            s_failure = "cannot start cupsd";
            return;
        }
        if (pid == 0) {
            // The scheduler ends with this test process, even when the test crashes.
            ::prctl(PR_SET_PDEATHSIG, SIGTERM);
            if (::getppid() != parent) {
                ::_exit(1);
            }
            const int log = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (log >= 0) {
                ::dup2(log, 1);
                ::dup2(log, 2);
            }
            std::vector<std::string> argv{
                "/bin/bash",    QX_CUPS_FIXTURE,      "serve",
                s_dir.string(), "--max-request-size", std::to_string(MaxRequestSize)};
            argv.insert(argv.end(), serveOptions.begin(), serveOptions.end());
            std::vector<char*> args;
            for (std::string& a : argv) {
                args.push_back(a.data());
            }
            args.push_back(nullptr);
            ::execv(args[0], args.data());
            ::_exit(127);
        }
        s_cupsd = pid;
        // Only this test process talks to the private scheduler.
        ::setenv("CUPS_SERVER", socketPath().c_str(), 1);

        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (std::chrono::steady_clock::now() < deadline) {
            int status = 0;
            if (::waitpid(pid, &status, WNOHANG) == pid) {
                s_cupsd = 0;
                std::ifstream in(out);
                std::stringstream text;
                text << in.rdbuf();
                s_failure = "cupsd stopped at once:\n" + text.str() + log();
                return;
            }
            const int probe = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            const std::string path = socketPath();
            path.copy(address.sun_path, sizeof(address.sun_path) - 1);
            const bool up = ::connect(probe, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
            ::close(probe);
            if (up) {
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        s_failure = "cupsd did not open its socket in time" + log();
    }
};

TEST_F(CupsSpoolerTest, JobArrivesByteForByteUnderTheDocumentsTitle) {
    FakePrinter printer;
    addQueue("qx950w3", "KAV QX-950W3", printer.uri());
    const Bytes bytes = sampleJob(28476 + 94);
    CupsSpooler cups = spooler();
    ScriptedPrompter prompter;

    const int result = SendJobToPrinter(9, cups, prompter, [&] { return jobOf("配線リスト.QXF", bytes); });

    ASSERT_EQ(result, SendSucceeded) << cups.lastError() << log();
    ASSERT_EQ(printer.jobs().size(), 1u);
    EXPECT_TRUE(printer.jobs()[0] == bytes) << "received " << printer.jobs()[0].size() << " bytes";
    EXPECT_EQ(prompter.shownIds(), std::vector<int>{MsgPcCommunicationMode});
#if QX_HAVE_CUPS
    EXPECT_EQ(jobTitle("qx950w3", cups.lastJobId()), "配線リスト.QXF");
#endif
}

TEST_F(CupsSpoolerTest, FirstListedQueueOfTheDriverGetsTheJob) {
    FakePrinter office;
    FakePrinter second;
    FakePrinter first;
    addQueue("qx-office", "Generic Text", office.uri());
    addQueue("qx-tubes-b", "KAV QX-900W2", second.uri()); // added first, listed second
    addQueue("qx-tubes-a", "KAV QX-900W2", first.uri());
    CupsSpooler cups = spooler();

    const std::vector<SpoolerQueue> queues = cups.queues();
    const std::vector<SpoolerQueue> expected{
        {"qx-office", "Generic Text"}, {"qx-tubes-a", "KAV QX-900W2"}, {"qx-tubes-b", "KAV QX-900W2"}};
    EXPECT_EQ(queues, expected);

    ScriptedPrompter prompter;
    ASSERT_EQ(SendJobToPrinter(5, cups, prompter, [] { return jobOf("a", sampleJob(1000)); }), SendSucceeded)
        << cups.lastError() << log();
    EXPECT_EQ(first.jobs().size(), 1u);
    EXPECT_TRUE(second.jobs().empty());
    EXPECT_TRUE(office.jobs().empty());
}

TEST_F(CupsSpoolerTest, DriverDifferingInCaseOrSuffixIsNotFound) {
    FakePrinter printer;
    addQueue("qx-lower", "kav qx-950w3", printer.uri());
    addQueue("qx-longer", "KAV QX-950W", printer.uri());
    CupsSpooler cups = spooler();

    for (const model::ModelType model : {9, 4}) {
        SCOPED_TRACE(model);
        ScriptedPrompter prompter;
        bool built = false;
        EXPECT_EQ(SendJobToPrinter(model, cups, prompter,
                                   [&] {
                                       built = true;
                                       return jobOf("a", {1});
                                   }),
                  SendNotStarted);
        EXPECT_EQ(prompter.shownIds(), std::vector<int>{MsgNoPrinterQueue});
        EXPECT_FALSE(built);
    }
    EXPECT_TRUE(printer.jobs().empty());
}

TEST_F(CupsSpoolerTest, CancellingThePcModePromptSendsNothing) {
    FakePrinter printer;
    addQueue("qx950w", "KAV QX-950W", printer.uri());
    CupsSpooler cups = spooler();
    ScriptedPrompter prompter({Answer::Cancel});
    bool built = false;

    EXPECT_EQ(SendJobToPrinter(3, cups, prompter,
                               [&] {
                                   built = true;
                                   return jobOf("a", {1});
                               }),
              SendNotStarted);
    EXPECT_FALSE(built);
    EXPECT_EQ(prompter.shownIds(), std::vector<int>{MsgPcCommunicationMode});
    showSendResult(SendNotStarted, prompter);
    EXPECT_EQ(prompter.shownIds(), std::vector<int>{MsgPcCommunicationMode});
#if QX_HAVE_CUPS
    EXPECT_EQ(activeJobs("qx950w"), 0);
#endif
    EXPECT_TRUE(printer.jobs().empty());
}

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// A printer that cannot be reached keeps the job waiting in CUPS; the operator is told that the
// send failed once the wait is over, and the job is withdrawn so it cannot print unexpectedly later.
TEST_F(CupsSpoolerTest, UnreachablePrinterIsAFailureAndLeavesNoJob) {
    RefusingPort port;
    addQueue("qx780", "KAV QX-780", port.uri());
    CupsSpooler cups = spooler(std::chrono::milliseconds(1500));
    ScriptedPrompter prompter;

    const auto start = Clock::now();
    const int result = SendJobToPrinter(0, cups, prompter, [] { return jobOf("a", sampleJob(5000)); });
    const double seconds = secondsSince(start);
    showSendResult(result, prompter);
    RecordProperty("seconds", std::to_string(seconds));

    EXPECT_EQ(result, SendFailed);
    EXPECT_EQ(prompter.shownIds(), (std::vector<int>{MsgPcCommunicationMode, MsgSendFailed}));
    EXPECT_GE(seconds, 1.5);
    EXPECT_LT(seconds, 4.0);
    EXPECT_NE(cups.lastError().find("did not take the job"), std::string::npos) << cups.lastError();
#if QX_HAVE_CUPS
    EXPECT_EQ(activeJobs("qx780"), 0) << log();
    EXPECT_EQ(jobStateOf("qx780", cups.lastJobId()), IPP_JSTATE_CANCELED);
#endif
}

// When the backend gives up on the printer and stops the queue, the job would print whenever the
// queue is restarted: it is withdrawn as soon as the queue stops, before the wait is over.
TEST_F(CupsSpoolerTest, QueueStoppedByItsBackendIsAFailureAndLeavesNoJob) {
    RefusingPort port;
    addQueue("qx950w2", "KAV QX-950W2", port.givingUpUri());
    queueCommand("stop-on-error", "qx950w2");
    CupsSpooler cups = spooler(std::chrono::seconds(20));
    ScriptedPrompter prompter;

    const auto start = Clock::now();
    EXPECT_EQ(SendJobToPrinter(6, cups, prompter, [] { return jobOf("a", sampleJob(5000)); }), SendFailed);
    RecordProperty("seconds", std::to_string(secondsSince(start)));
    EXPECT_LT(secondsSince(start), 15.0);
    // CUPS may show the job stopped a moment before its queue: both are told as stopped.
    EXPECT_NE(cups.lastError().find("stopped"), std::string::npos) << cups.lastError();
#if QX_HAVE_CUPS
    EXPECT_EQ(activeJobs("qx950w2"), 0) << log();
#endif
}

TEST_F(CupsSpoolerTest, StoppedQueueIsAFailureAndLeavesNoJob) {
    FakePrinter printer;
    addQueue("qx790", "KAV QX-790", printer.uri());
    queueCommand("stop-queue", "qx790");
    CupsSpooler cups = spooler();
    ScriptedPrompter prompter;

    const auto start = Clock::now();
    EXPECT_EQ(SendJobToPrinter(1, cups, prompter, [] { return jobOf("a", sampleJob(5000)); }), SendFailed);
    RecordProperty("seconds", std::to_string(secondsSince(start)));
    EXPECT_LT(secondsSince(start), 1.0); // seen at once, no timeout
    EXPECT_EQ(cups.lastJobId(), 0);      // never handed to the queue
    EXPECT_NE(cups.lastError().find("stopped"), std::string::npos) << cups.lastError();
#if QX_HAVE_CUPS
    EXPECT_EQ(activeJobs("qx790"), 0) << log();
#endif
    EXPECT_TRUE(printer.jobs().empty());
}

TEST_F(CupsSpoolerTest, QueueRejectingJobsIsAFailure) {
    FakePrinter printer;
    addQueue("qx900w", "KAV QX-900W", printer.uri());
    queueCommand("reject-jobs", "qx900w");
    CupsSpooler cups = spooler();
    ScriptedPrompter prompter;

    const auto start = Clock::now();
    EXPECT_EQ(SendJobToPrinter(2, cups, prompter, [] { return jobOf("a", sampleJob(100)); }), SendFailed);
    EXPECT_LT(secondsSince(start), 1.0);
    EXPECT_EQ(cups.lastJobId(), 0);
    EXPECT_NE(cups.lastError().find("does not accept jobs"), std::string::npos) << cups.lastError();
    EXPECT_TRUE(printer.jobs().empty());
}

// An aborted job is CUPS's own decision and is gone. A held job would print whenever someone
// releases it, after the operator was told that the send failed: it is withdrawn. Either way the
// operator is told that the send failed, and nothing is left to print.
TEST_F(CupsSpoolerTest, JobHeldOrAbortedByCupsIsAFailure) {
    FakePrinter printer;
    RefusingPort port;
    addQueue("qx-held", "KAV QX-950W3", printer.uri());
    queueCommand("hold-new-jobs", "qx-held");
    addQueue("qx-aborts", "KAV QX-950A3", port.givingUpUri());

    struct Case {
        model::ModelType model;
        std::string queue;
        std::string said;
        int state;
    };
    for (const Case& c : {Case{9, "qx-held", "holds the job", 7}, Case{10, "qx-aborts", "aborted", 8}}) {
        SCOPED_TRACE(c.queue);
        CupsSpooler cups = spooler(std::chrono::seconds(20));
        ScriptedPrompter prompter;
        const int result =
            SendJobToPrinter(c.model, cups, prompter, [] { return jobOf("a", sampleJob(900)); });
        showSendResult(result, prompter);
        EXPECT_EQ(result, SendFailed);
        EXPECT_EQ(prompter.shownIds(), (std::vector<int>{MsgPcCommunicationMode, MsgSendFailed}));
        EXPECT_NE(cups.lastError().find(c.said), std::string::npos) << cups.lastError();
#if QX_HAVE_CUPS
        EXPECT_EQ(jobStateOf(c.queue, cups.lastJobId()), c.state) << log();
        EXPECT_EQ(activeJobs(c.queue), 0) << log();
#endif
    }
    EXPECT_TRUE(printer.jobs().empty());
}

// A busy printer takes every byte and keeps its connection open; the job has been delivered and is
// never cancelled. A printer that never reads takes a whole job into its connection just the same.
TEST_F(CupsSpoolerTest, PrinterHoldingItsConnectionOrNeverReadingHasTheJob) {
    FakePrinter busy(std::chrono::seconds(4));
    NeverReadingPrinter deaf;
    addQueue("qx-busy", "KAV QX-900W3", busy.uri());
    addQueue("qx-deaf", "KAV QX-950W2", deaf.uri());
    const Bytes bytes = sampleJob(28476 + 94);

    for (const auto& [model, queue] :
         {std::pair<model::ModelType, std::string>{8, "qx-busy"}, {6, "qx-deaf"}}) {
        SCOPED_TRACE(queue);
        CupsSpooler cups = spooler(std::chrono::seconds(10));
        ScriptedPrompter prompter;
        const auto start = Clock::now();
        const int result = SendJobToPrinter(model, cups, prompter, [&] { return jobOf("a", bytes); });
        RecordProperty(queue + "-seconds", std::to_string(secondsSince(start)));
        EXPECT_EQ(result, SendSucceeded) << cups.lastError() << log();
        EXPECT_LT(secondsSince(start), 3.0);
#if QX_HAVE_CUPS
        // Completed, or about to be while the backend waits for the printer to finish.
        const int state = jobStateOf(queue, cups.lastJobId());
        EXPECT_TRUE(state == IPP_JSTATE_PROCESSING || state == IPP_JSTATE_COMPLETED) << state;
#endif
    }
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    while (busy.jobs().empty() && Clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ASSERT_EQ(busy.jobs().size(), 1u);
    EXPECT_TRUE(busy.jobs()[0] == bytes);
}

// A job queued behind another on a working queue is the spooler's to deliver: the operator is told
// it was sent at once, and it prints when the printer is free.
TEST_F(CupsSpoolerTest, JobBehindAnotherIsReportedSentAndPrintsLater) {
    FakePrinter busy(std::chrono::seconds(3));
    addQueue("qx950", "KAV QX-950", busy.uri());
    const Bytes first = sampleJob(3000);
    const Bytes second = sampleJob(4000);

    CupsSpooler cups = spooler(std::chrono::seconds(10));
    ScriptedPrompter prompter;
    ASSERT_EQ(SendJobToPrinter(4, cups, prompter, [&] { return jobOf("first", first); }), SendSucceeded)
        << cups.lastError() << log();
    const auto start = Clock::now();
    EXPECT_EQ(SendJobToPrinter(4, cups, prompter, [&] { return jobOf("second", second); }), SendSucceeded)
        << cups.lastError() << log();
    RecordProperty("seconds", std::to_string(secondsSince(start)));
    EXPECT_LT(secondsSince(start), 1.0);
#if QX_HAVE_CUPS
    EXPECT_EQ(jobStateOf("qx950", cups.lastJobId()), IPP_JSTATE_PENDING);
#endif

    const auto deadline = Clock::now() + std::chrono::seconds(15);
    while (busy.jobs().size() < 2 && Clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ASSERT_EQ(busy.jobs().size(), 2u) << log();
    EXPECT_TRUE(busy.jobs()[0] == first);
    EXPECT_TRUE(busy.jobs()[1] == second);
}

// The scheduler refuses a document larger than it allows only once the document is finished; the
// diagnostic carries CUPS's own words, and nothing is left to print.
TEST_F(CupsSpoolerTest, DocumentRefusedByTheSchedulerSaysWhatCupsSaid) {
    FakePrinter printer;
    addQueue("qx-small", "KAV QX-950W3", printer.uri());
    CupsSpooler cups = spooler();
    ScriptedPrompter prompter;

    const int result =
        SendJobToPrinter(9, cups, prompter, [] { return jobOf("a", sampleJob(MaxRequestSize + 1000)); });
    showSendResult(result, prompter);
    EXPECT_EQ(result, SendFailed);
    EXPECT_EQ(prompter.shownIds(), (std::vector<int>{MsgPcCommunicationMode, MsgSendFailed}));
#if QX_HAVE_CUPS
    EXPECT_EQ(cups.lastError(), httpStatus(HTTP_STATUS_REQUEST_TOO_LARGE));
    EXPECT_EQ(activeJobs("qx-small"), 0) << log();
#endif
    EXPECT_TRUE(printer.jobs().empty());
}

TEST_F(CupsSpoolerTest, UnreachableSchedulerListsNoQueues) {
    CupsSpooler cups((s_dir / "no-such.sock").string(), std::chrono::seconds(1));
    EXPECT_TRUE(cups.queues().empty());
    EXPECT_FALSE(cups.open("qx"));
}

/// A scheduler that keeps no job history (PreserveJobHistory No): it forgets every job the moment
/// it is done.
class CupsSpoolerWithoutHistoryTest : public CupsSpoolerTest {
protected:
    static void SetUpTestSuite() { startSuite({"--no-job-history"}); }
};

// Every byte reached the printer and the scheduler forgot the job at once: that is no evidence of
// a failure. Told "failed", the operator would send again and the tubes would print twice.
TEST_F(CupsSpoolerWithoutHistoryTest, ForgottenJobWasDeliveredOnce) {
    FakePrinter printer;
    addQueue("qx-nohistory", "KAV QX-950W3", printer.uri());
    for (std::size_t round = 1; round <= 3; ++round) {
        SCOPED_TRACE(round);
        const Bytes bytes = sampleJob(28476 + 94 + round);
        CupsSpooler cups = spooler();
        ScriptedPrompter prompter;

        const int result = SendJobToPrinter(9, cups, prompter, [&] { return jobOf("a", bytes); });
        showSendResult(result, prompter);

        EXPECT_EQ(result, SendSucceeded) << cups.lastError() << log();
        EXPECT_EQ(prompter.shownIds(), (std::vector<int>{MsgPcCommunicationMode, MsgSendCompleted}));
        const auto deadline = Clock::now() + std::chrono::seconds(10);
        while (printer.jobs().size() < round && Clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        ASSERT_EQ(printer.jobs().size(), round);
        EXPECT_TRUE(printer.jobs().back() == bytes);
    }
}

} // namespace
} // namespace qx::output
