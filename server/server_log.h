#pragma once
// The server's log: one line per event, time-stamped, written whole even when several
// connection threads log at once. Goes to standard error unless a sink is installed.

#include <functional>
#include <mutex>
#include <string>

class CServerLog {
public:
    using Sink = std::function<void(const std::string& line)>;

    CServerLog() = default;
    explicit CServerLog(Sink sink) : m_sink(std::move(sink)) {}

    void Write(const std::string& message);

    // Client-supplied text made safe for one log line: control bytes, quotes, backslashes
    // and bytes above 0x7E are escaped, and long texts are cut.
    static std::string Printable(const std::string& text, size_t maxLength = 64);

private:
    std::mutex m_mutex;
    Sink m_sink;
};
