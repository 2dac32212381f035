#pragma once
// The document's dialogs on the desktop: each runs modally over the active window and
// reports through `prompts`, which must outlive the document that uses them.

#include "app/document_dialogs.h"

class UserPrompts;

DocumentDialogs DesktopDialogs(UserPrompts& prompts);
