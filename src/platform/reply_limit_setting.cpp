#include "platform/reply_limit_setting.h"

#include "platform/ini_file.h"

#include <charconv>
#include <string>

int64_t ReplyLimitBytes(const QString& settingsPath, int64_t defaultBytes)
{
    const std::string text = ReadIniValue(settingsPath, "Settings", "MaxReplyMB").value_or(std::string());
    const size_t first = text.find_first_not_of(" \t");
    const size_t last = text.find_last_not_of(" \t");
    if (first == std::string::npos)
        return defaultBytes;
    int64_t megabytes = 0;
    const char* begin = text.data() + first;
    const char* end = text.data() + last + 1;
    const auto [stop, error] = std::from_chars(begin, end, megabytes);
    if (error != std::errc() || stop != end || megabytes < 1 || megabytes > 2047)
        return defaultBytes;
    return megabytes << 20;
}
