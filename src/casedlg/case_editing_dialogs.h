#pragma once
// The real dialogs behind CaseEditingDialogs, for the desktop program.

#include "casedlg/case_editing.h"

class UserPrompts;
class QWidget;

// `parent` (may be null) owns nothing; the dialogs are modal and live for one call.
CaseEditingDialogs DesktopCaseEditingDialogs(UserPrompts& prompts, QWidget* parent = nullptr);
