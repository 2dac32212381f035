#include "platform/shell_launcher.h"

#include <QProcess>

#include <cerrno>
#include <signal.h>
#include <sys/types.h>

namespace {

// A print job command that neither ends nor fails within this time is given up.
constexpr int kPrintWaitMs = 10 * 60 * 1000;

// The viewer runs detached, so that it outlives the program; it is watched by its
// process id, which init reaps once it ends.
class DetachedProcess : public ShellProcess {
public:
    explicit DetachedProcess(qint64 pid) : pid_(static_cast<pid_t>(pid)) {}
    bool Running() override { return pid_ > 0 && (::kill(pid_, 0) == 0 || errno == EPERM); }

private:
    pid_t pid_;
};

}  // namespace

ProcessShellLauncher::ProcessShellLauncher(QString openProgram, QString printProgram)
    : openProgram_(std::move(openProgram)), printProgram_(std::move(printProgram))
{
}

std::unique_ptr<ShellProcess> ProcessShellLauncher::Open(const QString& path)
{
    QProcess process;
    process.setProgram(openProgram_);
    process.setArguments({path});
    qint64 pid = 0;
    if (!process.startDetached(&pid))
        return nullptr;
    return std::make_unique<DetachedProcess>(pid);
}

bool ProcessShellLauncher::Print(const QString& path, int copies)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(printProgram_, {"-n", QString::number(copies < 1 ? 1 : copies), path});
    if (!process.waitForStarted())
        return false;
    if (!process.waitForFinished(kPrintWaitMs)) {
        process.kill();
        process.waitForFinished();
        return false;
    }
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}
