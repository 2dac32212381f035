#pragma once
// The first steps of logging in, up to the connection: read the saved [Login] entries,
// offer them with the kept password in the dialog, and on confirmation apply
// "localhost" for an empty host and write the entries back (the password never).

#include "app/login_logic.h"

#include <QString>

#include <functional>
#include <optional>

// Shows the dialog over the logic; true when the user confirmed it. The desktop passes
// a function that runs CLoginDlg, tests one that types into the logic.
using LoginDialogRunner = std::function<bool(LoginLogic&)>;

// The confirmed entries, or nothing when the user cancelled (then nothing is written).
std::optional<LoginEntry> LogInSteps(const QString& settingsPath, const std::string& keptPassword,
                                     const LoginDialogRunner& runDialog);
