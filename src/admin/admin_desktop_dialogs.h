#pragma once
// The administration dialogs as the desktop program shows them: the child and parent
// sheets, the account cards, the region and territory dialogs and the billing defaults
// grid, each modal over the active window; `prompts` must outlive the dialogs.

#include "admin/admin_dialogs.h"

class UserPrompts;

AdminDialogs DesktopAdminDialogs(UserPrompts& prompts);

// The names of the printers installed on this computer (CUPS through Qt).
std::vector<std::string> InstalledPrinterNames();
