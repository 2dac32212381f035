#pragma once
// Opening and printing files the way the desktop does: "open" starts the user's viewer
// for the file (xdg-open) and hands back its process, "print" sends the file to the
// default printer (lp -n COPIES) and waits for the print command to end. Tests replace
// the programs or the whole interface.

#include <QString>
#include <QStringList>

#include <memory>

// A started viewer. Running() turns false once the process has ended, or could not be
// watched any longer.
class ShellProcess {
public:
    virtual ~ShellProcess() = default;
    virtual bool Running() = 0;
};

class ShellLauncher {
public:
    virtual ~ShellLauncher() = default;
    // Starts the viewer; null when it could not be started.
    virtual std::unique_ptr<ShellProcess> Open(const QString& path) = 0;
    // Prints `copies` copies and waits for the print command to end; true when it ended
    // with status 0.
    virtual bool Print(const QString& path, int copies) = 0;
};

// The real one: `openProgram PATH` and `printProgram -n COPIES PATH` through QProcess.
class ProcessShellLauncher : public ShellLauncher {
public:
    explicit ProcessShellLauncher(QString openProgram = "xdg-open", QString printProgram = "lp");
    std::unique_ptr<ShellProcess> Open(const QString& path) override;
    bool Print(const QString& path, int copies) override;

private:
    QString openProgram_;
    QString printProgram_;
};
