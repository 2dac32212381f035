#include "app/login_steps.h"

std::optional<LoginEntry> LogInSteps(const QString& settingsPath, const std::string& keptPassword,
                                     const LoginDialogRunner& runDialog)
{
    LoginLogic logic(ReadLoginSettings(settingsPath), keptPassword);
    if (!runDialog(logic))
        return std::nullopt;
    LoginEntry entry = logic.Confirmed();
    // A settings file that cannot be written does not stop the log-in.
    WriteLoginSettings(settingsPath, LoginLogic::SettingsOf(entry));
    return entry;
}
