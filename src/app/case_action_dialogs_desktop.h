#pragma once
// The case actions' dialogs on the desktop, modal over the active window.

#include "app/case_actions.h"

class UserPrompts;

CaseActionDialogs DesktopCaseActionDialogs(UserPrompts& prompts);
