#pragma once
// The application object. It keeps the process's argument vector exactly as the
// program received it, before Qt takes its own options out, because the task options
// are read from that and not from Qt's parsed form. Its start-up creates the one
// document and the main window; it owns them for the whole run and takes them down
// (the main window first, then the document, which closes an open session) before the
// framework goes.

#include "app/task_params.h"

#include <QApplication>

#include <memory>
#include <string>
#include <vector>

class CMainFrame;
class COrvennaOCDoc;
class DialogPrompts;

inline constexpr char kApplicationTitle[] = "Orvenna Office Client";

namespace orv_app_detail {
// Copies the arguments before QApplication's constructor sees them. A print into a PDF
// file needs no display, nor does an incomplete print form, which only says how the
// forms go: unless told otherwise, Qt then starts without one.
struct ProcessArguments {
    ProcessArguments(int argc, char** argv);
    std::vector<std::string> received;
};
}  // namespace orv_app_detail

class COrvennaOCApp : private orv_app_detail::ProcessArguments, public QApplication {
public:
    COrvennaOCApp(int& argc, char** argv);
    ~COrvennaOCApp() override;

    // Creates the document and the main window and shows the window, with the report
    // file of the command line in the report pane when one is named. True to enter the
    // event loop. Nothing connects here: the user logs in with the Log In command.
    // A print form of the command line (shell_command.h) prints and returns false.
    bool InitInstance();
    // The program's exit status when InitInstance returned false.
    int ExitCode() const { return exitCode_; }

    // The command line after Qt took its own options out, for the report file forms.
    std::vector<std::string> ShellArguments() const;

    COrvennaOCDoc* Document() const { return document_.get(); }
    CMainFrame* MainFrame() const { return frame_.get(); }

    // The arguments as received, the program's own name first.
    const std::vector<std::string>& RawArguments() const { return received; }

    // Fills `params` from the raw arguments and returns the task kind (see task_params.h).
    TaskKind ParseTaskArgs(CTaskParams& params) const;

private:
    // In this order, so that they go in the reverse one.
    std::unique_ptr<DialogPrompts> prompts_;
    std::unique_ptr<COrvennaOCDoc> document_;
    std::unique_ptr<CMainFrame> frame_;
    int exitCode_ = 0;
};
