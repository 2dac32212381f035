#include "platform/login_settings.h"

#include "platform/ini_file.h"

#include <climits>

namespace {

constexpr size_t kMaxTextLength = 253;  // a 254-character buffer with its terminator

const std::string kSection = "Login";
const std::string kUserIdKey = "UserID";
const std::string kHostKey = "Host";
const std::string kPortKey = "Port";
const std::string kTlsKey = "TLS";
const std::string kTlsTrustFileKey = "TLSCertFile";

std::string SettingText(const IniFile& file, const std::string& key)
{
    return file.Value(kSection, key).value_or(std::string()).substr(0, kMaxTextLength);
}

// Leading blanks, an optional sign and the digits that follow; anything after them is
// ignored. Values beyond the int range saturate.
int LeadingInteger(const std::string& text)
{
    size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t'))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+'))
        negative = text[at++] == '-';
    long long value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        value = value * 10 + (text[at] - '0');
        if (value > INT_MAX)
            return negative ? INT_MIN : INT_MAX;
    }
    return static_cast<int>(negative ? -value : value);
}

}  // namespace

LoginSettings ReadLoginSettings(const QString& settingsPath)
{
    const IniFile file = IniFile::Load(settingsPath);
    LoginSettings login;
    login.userId = SettingText(file, kUserIdKey);
    login.host = SettingText(file, kHostKey);
    if (const std::optional<std::string> port = file.Value(kSection, kPortKey))
        login.port = LeadingInteger(*port);
    login.useTls = LeadingInteger(file.Value(kSection, kTlsKey).value_or(std::string())) != 0;
    login.tlsTrustFile = file.Value(kSection, kTlsTrustFileKey).value_or(std::string());
    return login;
}

bool WriteLoginSettings(const QString& settingsPath, const LoginSettings& login)
{
    // Only these lines change; the rest of the hand-edited file stays as it is. "TLS" is
    // written when it is on, or when the file already names it.
    std::vector<std::pair<std::string, std::string>> values = {
        {kUserIdKey, login.userId}, {kHostKey, login.host}, {kPortKey, std::to_string(login.port)}};
    if (login.useTls || ReadIniValue(settingsPath, kSection, kTlsKey))
        values.push_back({kTlsKey, login.useTls ? "1" : "0"});
    return WriteIniValues(settingsPath, kSection, values);
}
