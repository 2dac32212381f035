#include "platform/companion_settings.h"

#include "platform/unique_file.h"

#include <QFileInfo>
#include <QSettings>

namespace Companion {

QString ProgramSetting()
{
    const QSettings settings(QSettings::NativeFormat, QSettings::UserScope, "Corvane", "Korrimat 4.0");
    return settings.value("Settings/DDEPath").toString();
}

QString Program()
{
    const QString setting = ProgramSetting();
    return setting.isEmpty() ? QString(kDefaultProgram) : setting;
}

bool Installed()
{
    const QString setting = ProgramSetting();
    return !setting.isEmpty() && QFileInfo(setting).isFile();
}

QString SocketName()
{
    const QString variable = qEnvironmentVariable("ORV_DDE_SOCKET");
    if (!variable.isEmpty())
        return variable;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QString folder = !runtime.isEmpty() && QFileInfo(runtime).isDir() ? runtime : PrivateTempFolder();
    return folder + "/Orvenna.Edit";
}

}  // namespace Companion
