#pragma once
// The state and rules of the "Log In" dialog, without the window: the four entries, the
// port check with its messages, and what a confirmation yields. CLoginDlg maps its
// controls to this; the document's log-in runs it through LogInSteps (login_steps.h).

#include "platform/login_settings.h"

#include <optional>
#include <string>

// What a confirmed dialog hands to the connection.
struct LoginEntry {
    std::string userId;
    std::string password;
    std::string host;
    int port = kDefaultServerPort;
    bool useTls = false;
    std::string tlsTrustFile = {};  // empty: the system's CA store
};

class LoginLogic {
public:
    static constexpr size_t kMaxUserIdLength = 20;
    static constexpr int kMinPort = 1;
    static constexpr int kMaxPort = 65535;

    // The saved entries and the password kept from an earlier log-in of this run.
    LoginLogic(const LoginSettings& saved, std::string password);

    // The user ID holds at most 20 characters; a longer text is cut.
    void SetUserId(std::string userId);
    const std::string& UserId() const { return userId_; }

    std::string password;
    std::string host;
    std::string portText;  // as typed
    bool useTls = false;   // the "Use TLS" check box

    // The message that keeps the dialog open, or nothing when the entries can be
    // confirmed: "Please enter an integer." for a port that is not a number, "Please
    // enter an integer between 1 and 65535." for one outside that range.
    std::optional<std::string> Validate() const;

    // The confirmed entries: an empty host becomes "localhost". Call after Validate()
    // found nothing to complain about.
    LoginEntry Confirmed() const;

    // The [Login] settings a confirmation writes back (never the password).
    static LoginSettings SettingsOf(const LoginEntry& entry);

private:
    std::string userId_;
    std::string tlsTrustFile_;  // from the settings file, not the dialog
};

// The integer in `text`: optional blanks, an optional sign, digits, optional blanks;
// nothing for any other text. Values beyond the int range are clamped, so that they
// fail the range test rather than the number test.
std::optional<int> ParseDialogInteger(const std::string& text);
