#pragma once
// The [Login] section of the settings file: the user ID, host and port offered by the
// log-in dialog and written back after every confirmed dialog. The password is never
// part of it. Texts are the wire's 8-bit texts (Latin-1), one byte per character.

#include <QString>

#include <string>

inline constexpr int kDefaultServerPort = 9000;

struct LoginSettings {
    std::string userId;
    std::string host;  // may be empty; the dialog applies "localhost" on confirmation
    int port = kDefaultServerPort;
    // "TLS=1": the conversation runs over TLS. "TLSCertFile": a PEM file of the
    // certificate to trust instead of the system's CA store (a pinned server
    // certificate); only read, the user writes it into the file.
    bool useTls = false;
    std::string tlsTrustFile = {};
};

// Reads "UserID", "Host" and "Port" from section "Login". Absent keys give the empty
// text, and 9000 for the port; a port that is present converts like the INI reader's
// integers (leading digits with an optional sign; none gives 0). Texts are cut to 253
// characters, the most the reader's buffer holds.
LoginSettings ReadLoginSettings(const QString& settingsPath);

// Writes the three keys to section "Login", the port as a decimal number. False when
// the file could not be written.
bool WriteLoginSettings(const QString& settingsPath, const LoginSettings& settings);
