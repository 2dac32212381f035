#include "net/connect_reporter.h"

void CMessageConnectReporter::Refused(const std::string& message)
{
    m_messages.push_back(message);
    if (m_display)
        m_display(message);
}

std::string CLogConnectReporter::LogLine(const std::string& message)
{
    return "!*" + message + "\n";
}

void CLogConnectReporter::Refused(const std::string& message)
{
    if (m_sink)
        m_sink(LogLine(message));
}
