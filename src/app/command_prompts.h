#pragma once
// The status-bar text and tool tip of every command, as one table. The main window shows
// the text in its status bar while a menu entry or toolbar button is pointed at.

#include "app/main_frame_layout.h"

// The command's prompt from the table; empty texts for a command the table lacks.
CommandPrompt CommandPromptFromTable(int commandId);
