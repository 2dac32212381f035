#pragma once
// The program's settings file. It is named after the program file, so that a copy of the
// program under another name keeps settings of its own: the file name's extension gives
// way to "INI" ("OrvennaOC.EXE" reads "OrvennaOC.INI"), and a name without an extension
// gets ".INI" appended ("OrvennaOC" reads "OrvennaOC.INI"). The file lives beside the
// program; when the program's folder cannot be written, it lives in the user's
// configuration folder ($XDG_CONFIG_HOME, normally ~/.config) under the same name.

#include <QString>

// The settings file name for a program file name (or path; only its last component
// counts). A leading dot does not start an extension.
QString SettingsFileNameFor(const QString& programFile);

// The settings file path for the program at `programPath`: beside it when
// `programFolderWritable`, else in `configFolder`.
QString SettingsFilePathFor(const QString& programPath, bool programFolderWritable,
                            const QString& configFolder);

// The settings file path of the running program (needs the application object). The
// program's folder is tested for writing, and the user's configuration folder is
// Qt's generic configuration location.
QString SettingsFilePath();
