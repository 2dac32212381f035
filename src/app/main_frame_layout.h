#pragma once
// The main window's menus and toolbar as data: every command in its place, with its
// menu text, status-bar text and tool tip. The frame shows only the entries of the
// commands the program carries out (AvailableEntries), so a command appears in the menu
// and on the toolbar when its handler is registered, and a separator only between two
// entries that remain.

#include "query/menu_entry.h"

#include <QKeySequence>
#include <QList>
#include <QString>

#include <vector>

// The menu bar: one popup per menu, in order.
const std::vector<MenuEntry>& MainMenuLayout();

// The toolbar buttons in order; separators between the groups. The texts stand for the
// commands that no menu names.
const std::vector<MenuEntry>& ToolbarLayout();

// What the status bar shows while a command is pointed at, and its tool tip; empty
// when there is none (the tool tip then follows the menu text).
struct CommandPrompt {
    QString statusText;
    QString toolTip;
};
CommandPrompt CommandPromptOf(int commandId);

// The keyboard shortcuts of a command; none for most.
QList<QKeySequence> CommandShortcuts(int commandId);

// A menu text as a tool tip: without the mnemonic marks and the trailing dots.
QString ToolTipOfMenuText(const QString& menuText);
