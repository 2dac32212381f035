#include "app/orvenna_oc_app.h"

#include "app/desktop_dialogs.h"
#include "app/dialog_prompts.h"
#include "app/main_frame.h"
#include "app/orvenna_oc_doc.h"
#include "app/shell_command.h"
#include "app/run_task.h"
#include "app/shell_print.h"
#include "app/task_log.h"
#include "app/task_printing.h"
#include "platform/settings_file.h"

#include <QFile>

#include <iostream>

orv_app_detail::ProcessArguments::ProcessArguments(int argc, char** argv)
{
    for (int i = 0; i < argc && argv[i] != nullptr; ++i)
        received.emplace_back(argv[i]);
    // A print into a PDF file and an incomplete print form show no window.
    const CShellCommand::Kind kind = ParseShellCommand(received).kind;
    const bool windowless = kind == CShellCommand::printFilePdf || kind == CShellCommand::incomplete;
    if (windowless && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // An unattended task shows nothing; from cron there is no display to open either.
    CTaskParams params;
    const bool noDisplay = qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (::ParseTaskArgs(received, params) != taskNone && noDisplay && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

COrvennaOCApp::COrvennaOCApp(int& argc, char** argv)
    : orv_app_detail::ProcessArguments(argc, argv), QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("OrvennaOC"));
    setApplicationDisplayName(QString::fromLatin1(kApplicationTitle));
}

COrvennaOCApp::~COrvennaOCApp()
{
    frame_.reset();
    document_.reset();
    prompts_.reset();
}

TaskKind COrvennaOCApp::ParseTaskArgs(CTaskParams& params) const
{
    return ::ParseTaskArgs(received, params);
}

std::vector<std::string> COrvennaOCApp::ShellArguments() const
{
    std::vector<std::string> arguments;
    for (const QString& argument : QCoreApplication::arguments())
        arguments.push_back(QFile::encodeName(argument).toStdString());
    return arguments;
}

bool COrvennaOCApp::InitInstance()
{
    prompts_ = std::make_unique<DialogPrompts>();
    const CShellCommand shell = ParseShellCommand(ShellArguments());
    if (shell.kind != CShellCommand::none && shell.kind != CShellCommand::openFile) {
        exitCode_ = RunShellPrint(shell, *prompts_, std::cerr);
        return false;
    }

    document_ = std::make_unique<COrvennaOCDoc>(*prompts_, SettingsFilePath());
    // A complete task on the command line runs unattended; the main window is never made.
    CTaskParams params;
    if (const TaskKind task = ParseTaskArgs(params); task != taskNone) {
        const bool succeeded = RunTask(document_->Server(), task, params,
                                       QFile::encodeName(TaskLogFilePath()).toStdString(),
                                       TaskPrintServices(document_->Server()));
        exitCode_ = succeeded ? 0 : 1;
        return false;
    }
    document_->SetDialogs(DesktopDialogs(*prompts_));
    frame_ = std::make_unique<CMainFrame>(*document_);
    prompts_->SetParent(frame_.get());

    // A report file named on the command line is shown (a failure is reported and the
    // program starts all the same).
    if (shell.kind == CShellCommand::openFile)
        document_->OpenReportFile(QFile::decodeName(QByteArray::fromStdString(shell.fileName)));
    frame_->show();
    return true;
}
