#include "platform/login_settings.h"

#include <QSettings>
#include <QStringList>

#include <climits>

namespace {

constexpr qsizetype kMaxTextLength = 253;  // a 254-character buffer with its terminator

const QString kSection = QStringLiteral("Login");
const QString kUserIdKey = QStringLiteral("UserID");
const QString kHostKey = QStringLiteral("Host");
const QString kPortKey = QStringLiteral("Port");
const QString kTlsKey = QStringLiteral("TLS");
const QString kTlsTrustFileKey = QStringLiteral("TLSCertFile");

// An unquoted value with commas comes back from the INI reader as a list; the user
// wrote one text, so it is joined again.
QString TextOf(const QVariant& value)
{
    if (value.metaType().id() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

std::string SettingText(const QSettings& settings, const QString& key)
{
    return TextOf(settings.value(key)).left(kMaxTextLength).toLatin1().toStdString();
}

// Leading blanks, an optional sign and the digits that follow; anything after them is
// ignored. Values beyond the int range saturate.
int LeadingInteger(const QString& text)
{
    qsizetype at = 0;
    while (at < text.size() && text[at].isSpace())
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == QLatin1Char('-') || text[at] == QLatin1Char('+')))
        negative = text[at++] == QLatin1Char('-');
    long long value = 0;
    for (; at < text.size() && text[at] >= QLatin1Char('0') && text[at] <= QLatin1Char('9'); ++at) {
        value = value * 10 + (text[at].unicode() - '0');
        if (value > INT_MAX)
            return negative ? INT_MIN : INT_MAX;
    }
    return static_cast<int>(negative ? -value : value);
}

}  // namespace

LoginSettings ReadLoginSettings(const QString& settingsPath)
{
    QSettings settings(settingsPath, QSettings::IniFormat);
    settings.beginGroup(kSection);
    LoginSettings login;
    login.userId = SettingText(settings, kUserIdKey);
    login.host = SettingText(settings, kHostKey);
    if (settings.contains(kPortKey))
        login.port = LeadingInteger(TextOf(settings.value(kPortKey)));
    login.useTls = LeadingInteger(TextOf(settings.value(kTlsKey))) != 0;
    login.tlsTrustFile = TextOf(settings.value(kTlsTrustFileKey)).toStdString();
    return login;
}

bool WriteLoginSettings(const QString& settingsPath, const LoginSettings& login)
{
    QSettings settings(settingsPath, QSettings::IniFormat);
    settings.beginGroup(kSection);
    settings.setValue(kUserIdKey, QString::fromLatin1(login.userId));
    settings.setValue(kHostKey, QString::fromLatin1(login.host));
    settings.setValue(kPortKey, QString::number(login.port));
    if (login.useTls)
        settings.setValue(kTlsKey, QStringLiteral("1"));
    else
        settings.remove(kTlsKey);
    settings.endGroup();
    settings.sync();
    return settings.status() == QSettings::NoError;
}
