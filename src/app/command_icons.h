#pragma once
// The pictures of the toolbar buttons, drawn for this program: a null icon for a
// command that has none.

#include <QIcon>

QIcon CommandIcon(int commandId);
