#include "app/launch_tool.h"

#include "platform/ini_file.h"
#include "platform/user_prompts.h"

#include <QProcess>
#include <QStringList>

namespace {

constexpr size_t kMaxToolPathLength = 255;

}  // namespace

QString ReadToolPath(const QString& settingsPath)
{
    const std::string path = ReadIniValue(settingsPath, "Settings", "ToolPath").value_or(std::string());
    return QString::fromLatin1(path.substr(0, kMaxToolPathLength));
}

bool StartDetachedCommandLine(const QString& commandLine)
{
    QStringList arguments = QProcess::splitCommand(commandLine);
    if (arguments.isEmpty())
        return false;
    const QString program = arguments.takeFirst();
    // A detached start reports a program that cannot be run, and leaves no process.
    return QProcess::startDetached(program, arguments);
}

bool LaunchTool(UserPrompts& prompts, const QString& settingsPath, const ToolStarter& start)
{
    const QString commandLine = ReadToolPath(settingsPath);
    if (commandLine.trimmed().isEmpty()) {
        prompts.Message(QStringLiteral("There isn't an application currently configured"));
        return false;
    }
    if (!start(commandLine)) {
        prompts.Message(QStringLiteral("Attempt to launch tool failed"));
        return false;
    }
    return true;
}
