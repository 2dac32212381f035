#pragma once
// Runs the real inventory-server binary for end-to-end tests: on a free loopback port
// (--port 0, the port read from its "listening on" log line), with a database in a
// temporary folder unless told otherwise, and with cheap password hashing. Its log is
// collected so that tests can wait for a given event.

#include "support/temp_dir.h"
#include "support/test_database.h"

#include <sys/types.h>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class CServerProcess {
public:
    // Extra command-line options; the database is a test database (a file in a temporary
    // folder, or a new PostgreSQL database; see CTestDatabase) unless databasePath names one.
    explicit CServerProcess(std::vector<std::string> options = {}, std::string databasePath = {});
    ~CServerProcess();  // stops the server
    CServerProcess(const CServerProcess&) = delete;
    CServerProcess& operator=(const CServerProcess&) = delete;

    // Starts the server and waits until it accepts connections. False when it exits or
    // does not get that far in time.
    bool Start();
    int Port() const { return m_port; }
    const std::string& DatabasePath() const { return m_databasePath; }

    // True once a log line containing the fragment has been written (before or after
    // this call), false when none comes within the time.
    bool WaitForLog(const std::string& fragment, int seconds = 10) { return WaitForLogCount(fragment, 1, seconds); }
    // True once at least `count` log lines contain the fragment.
    bool WaitForLogCount(const std::string& fragment, int count, int seconds = 10);
    // How many log lines so far contain the fragment.
    int CountLog(const std::string& fragment);
    std::string Log();

    // Asks the server to stop (SIGTERM) and returns its exit code, or minus the number
    // of the signal that ended it. Returns the same again when called twice.
    int Stop();
    // Ends the server at once (SIGKILL), as a crash would, and returns as Stop does.
    int Kill();

    // Runs the binary to completion with the given options and standard input; returns
    // the exit code and everything it wrote.
    static int RunToEnd(const std::vector<std::string>& options, const std::string& input, std::string& output);

    static const char* BinaryPath();

private:
    void ReadLog(int fd);

    std::vector<std::string> m_options;
    CTempDir m_temp;
    std::unique_ptr<CTestDatabase> m_database;
    std::string m_databasePath;
    pid_t m_pid = -1;
    int m_port = 0;
    int m_exitCode = 0;
    std::thread m_reader;

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<std::string> m_lines;
    bool m_logEnded = false;
};
