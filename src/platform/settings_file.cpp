#include "platform/settings_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString SettingsFileNameFor(const QString& programFile)
{
    const QString name = QFileInfo(programFile).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot > 0 ? name.left(dot) : name;
    return stem + QStringLiteral(".INI");
}

QString SettingsFilePathFor(const QString& programPath, bool programFolderWritable,
                            const QString& configFolder)
{
    const QString name = SettingsFileNameFor(programPath);
    const QString folder = programFolderWritable ? QFileInfo(programPath).absolutePath() : configFolder;
    return QDir(folder).filePath(name);
}

QString SettingsFilePath()
{
    const QString program = QCoreApplication::applicationFilePath();
    const bool writable = QFileInfo(QFileInfo(program).absolutePath()).isWritable();
    return SettingsFilePathFor(program, writable,
                               QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}
