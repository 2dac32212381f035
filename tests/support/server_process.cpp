#include "support/server_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>

extern char** environ;

namespace {

// Under the sanitizers a start with a fresh database takes a while; this only bounds
// how long a broken start can hold up the tests.
constexpr int kStartLimitSeconds = 60;
constexpr int kStopLimitSeconds = 30;

// Spawns the server with its standard error (and output) on `logFd` and its standard
// input on `inputFd` (or /dev/null when -1).
pid_t Spawn(const std::vector<std::string>& options, int logFd, int inputFd)
{
    std::vector<std::string> arguments{CServerProcess::BinaryPath()};
    arguments.insert(arguments.end(), options.begin(), options.end());
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (inputFd >= 0)
        posix_spawn_file_actions_adddup2(&actions, inputFd, 0);
    else
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, logFd, 1);
    posix_spawn_file_actions_adddup2(&actions, logFd, 2);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

int ExitCode(int status)
{
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    return WIFSIGNALED(status) ? -WTERMSIG(status) : -1;
}

}  // namespace

const char* CServerProcess::BinaryPath()
{
    return ORV_INVENTORY_SERVER_PATH;
}

CServerProcess::CServerProcess(std::vector<std::string> options, std::string databasePath)
    : m_options(std::move(options))
{
    if (databasePath.empty()) {
        m_database = std::make_unique<CTestDatabase>(m_temp.File("inventory.db"));
        m_databasePath = m_database->Target();
    } else {
        m_databasePath = std::move(databasePath);
    }
}

CServerProcess::~CServerProcess()
{
    Stop();
}

bool CServerProcess::Start()
{
    int log[2];
    if (::pipe2(log, O_CLOEXEC) != 0)
        return false;
    std::vector<std::string> options{"--port", "0", "--db", m_databasePath, "--hash-iterations", "1000"};
    options.insert(options.end(), m_options.begin(), m_options.end());
    m_pid = Spawn(options, log[1], -1);
    ::close(log[1]);
    if (m_pid < 0) {
        ::close(log[0]);
        return false;
    }
    m_reader = std::thread(&CServerProcess::ReadLog, this, log[0]);

    const std::string marker = "listening on 127.0.0.1:";
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait_for(lock, std::chrono::seconds(kStartLimitSeconds), [&] {
        for (const std::string& line : m_lines) {
            const size_t at = line.find(marker);
            if (at != std::string::npos) {
                m_port = std::atoi(line.c_str() + at + marker.size());
                return true;
            }
        }
        return m_logEnded;
    });
    return m_port > 0;
}

void CServerProcess::ReadLog(int fd)
{
    std::string pending;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        pending.append(buffer, static_cast<size_t>(n));
        size_t end;
        while ((end = pending.find('\n')) != std::string::npos) {
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                m_lines.push_back(pending.substr(0, end));
            }
            m_changed.notify_all();
            pending.erase(0, end + 1);
        }
    }
    ::close(fd);
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!pending.empty())
        m_lines.push_back(pending);
    m_logEnded = true;
    m_changed.notify_all();
}

bool CServerProcess::WaitForLogCount(const std::string& fragment, int count, int seconds)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    auto enough = [&] {
        int found = 0;
        for (const std::string& line : m_lines)
            found += line.find(fragment) != std::string::npos ? 1 : 0;
        return found >= count;
    };
    return m_changed.wait_for(lock, std::chrono::seconds(seconds), [&] { return enough() || m_logEnded; }) &&
           enough();
}

int CServerProcess::CountLog(const std::string& fragment)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    int count = 0;
    for (const std::string& line : m_lines)
        count += line.find(fragment) != std::string::npos ? 1 : 0;
    return count;
}

std::string CServerProcess::Log()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::string text;
    for (const std::string& line : m_lines)
        text += line + "\n";
    return text;
}

int CServerProcess::Stop()
{
    if (m_pid < 0)
        return m_exitCode;
    ::kill(m_pid, SIGTERM);
    {
        // The log pipe closes when the process is gone.
        std::unique_lock<std::mutex> lock(m_mutex);
        if (!m_changed.wait_for(lock, std::chrono::seconds(kStopLimitSeconds), [this] { return m_logEnded; }))
            ::kill(m_pid, SIGKILL);
    }
    int status = 0;
    while (::waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
    }
    m_exitCode = ExitCode(status);
    m_pid = -1;
    if (m_reader.joinable())
        m_reader.join();
    return m_exitCode;
}

int CServerProcess::Kill()
{
    if (m_pid >= 0)
        ::kill(m_pid, SIGKILL);
    return Stop();
}

int CServerProcess::RunToEnd(const std::vector<std::string>& options, const std::string& input, std::string& output)
{
    int log[2];
    int in[2];
    if (::pipe2(log, O_CLOEXEC) != 0)
        return -1;
    if (::pipe2(in, O_CLOEXEC) != 0) {
        ::close(log[0]);
        ::close(log[1]);
        return -1;
    }
    const pid_t pid = Spawn(options, log[1], in[0]);
    ::close(log[1]);
    ::close(in[0]);
    if (pid >= 0) {
        // Small inputs fit in the pipe, so writing before reading cannot block.
        [[maybe_unused]] const ssize_t written = ::write(in[1], input.data(), input.size());
    }
    ::close(in[1]);
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(log[0], buffer, sizeof buffer)) != 0) {
        if (n < 0 && errno != EINTR)
            break;
        if (n > 0)
            output.append(buffer, static_cast<size_t>(n));
    }
    ::close(log[0]);
    if (pid < 0)
        return -1;
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return ExitCode(status);
}
