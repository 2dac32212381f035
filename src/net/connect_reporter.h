#pragma once
// Where the log-in sequence reports a refusal: one text per refusal, in the words the
// user reads. A user at the screen gets a message; an unattended task gets a task-log
// line "!*" + text + LF.

#include <functional>
#include <string>
#include <utility>
#include <vector>

class CConnectReporter {
public:
    virtual ~CConnectReporter() = default;
    // Called once per failed log-in, with the refusal's text.
    virtual void Refused(const std::string& message) = 0;
};

// For an interactive log-in: each text is handed to a display function (the message
// box of the caller's choice) and kept.
class CMessageConnectReporter : public CConnectReporter {
public:
    using Display = std::function<void(const std::string& message)>;

    explicit CMessageConnectReporter(Display display = {}) : m_display(std::move(display)) {}

    void Refused(const std::string& message) override;
    const std::vector<std::string>& Messages() const { return m_messages; }

private:
    Display m_display;
    std::vector<std::string> m_messages;
};

// For a batch task: each text becomes one line of the task log.
class CLogConnectReporter : public CConnectReporter {
public:
    using LineSink = std::function<void(const std::string& line)>;

    explicit CLogConnectReporter(LineSink sink) : m_sink(std::move(sink)) {}

    void Refused(const std::string& message) override;
    // "!*" + message + "\n".
    static std::string LogLine(const std::string& message);

private:
    LineSink m_sink;
};
