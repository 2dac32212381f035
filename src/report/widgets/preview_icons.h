#pragma once
// Toolbar icons of the preview's paging and zoom commands, drawn rather than shipped.

#include <QIcon>

// The icon of a ReportCommand id; a null icon for commands without one.
QIcon PreviewIcon(int commandId);
