#pragma once
// The program's emblem: a case folder with a tick on a dark blue tile. The About box
// shows it; the main window takes it as its icon.

#include <QIcon>
#include <QPixmap>

QPixmap ProgramEmblem(int size);
QIcon ProgramIcon();
