#include "app/login_logic.h"

#include <cctype>
#include <climits>

LoginLogic::LoginLogic(const LoginSettings& saved, std::string password)
    : password(std::move(password)), host(saved.host), portText(std::to_string(saved.port)),
      useTls(saved.useTls), tlsTrustFile_(saved.tlsTrustFile)
{
    SetUserId(saved.userId);
}

void LoginLogic::SetUserId(std::string userId)
{
    if (userId.size() > kMaxUserIdLength)
        userId.resize(kMaxUserIdLength);
    userId_ = std::move(userId);
}

std::optional<std::string> LoginLogic::Validate() const
{
    const std::optional<int> port = ParseDialogInteger(portText);
    if (!port)
        return "Please enter an integer.";
    if (*port < kMinPort || *port > kMaxPort)
        return "Please enter an integer between " + std::to_string(kMinPort) + " and " +
               std::to_string(kMaxPort) + ".";
    return std::nullopt;
}

LoginEntry LoginLogic::Confirmed() const
{
    LoginEntry entry;
    entry.userId = userId_;
    entry.password = password;
    entry.host = host.empty() ? "localhost" : host;
    entry.port = ParseDialogInteger(portText).value_or(kDefaultServerPort);
    entry.useTls = useTls;
    entry.tlsTrustFile = tlsTrustFile_;
    return entry;
}

LoginSettings LoginLogic::SettingsOf(const LoginEntry& entry)
{
    return {entry.userId, entry.host, entry.port, entry.useTls, entry.tlsTrustFile};
}

std::optional<int> ParseDialogInteger(const std::string& text)
{
    auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    size_t at = 0;
    while (at < text.size() && blank(text[at]))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+'))
        negative = text[at++] == '-';
    const size_t digitsFrom = at;
    long long value = 0;
    for (; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); ++at)
        if (value <= INT_MAX)
            value = value * 10 + (text[at] - '0');
    if (at == digitsFrom)
        return std::nullopt;
    while (at < text.size() && blank(text[at]))
        ++at;
    if (at != text.size())
        return std::nullopt;
    if (value > INT_MAX)
        return negative ? INT_MIN : INT_MAX;
    return static_cast<int>(negative ? -value : value);
}
