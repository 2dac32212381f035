// The main window's shell commands that act on no document: Print Setup, and Cut, Copy
// and Paste on whichever widget has the focus.
#include "app/edit_commands.h"
#include "app/main_commands.h"
#include "app/main_frame.h"
#include "report/print_setup.h"

#include <QApplication>

void CMainFrame::RegisterShellCommands()
{
    commands_[cmdPrintSetup] = {[this] { RunPrintSetupDialog(this); }, {}, {}};

    const struct {
        int id;
        EditCommand command;
    } edits[] = {{cmdEditCut, EditCommand::cut}, {cmdEditCopy, EditCommand::copy}, {cmdEditPaste, EditCommand::paste}};
    for (const auto& edit : edits) {
        const EditCommand command = edit.command;
        commands_[edit.id] = {[command] { RunEditCommand(command, QApplication::focusWidget()); },
                              [command] { return EditCommandEnabled(command, QApplication::focusWidget()); }, {}};
    }
    // What Cut, Copy and Paste can act on changes with the focus.
    editFocusConnection_ = connect(qApp, &QApplication::focusChanged, this, [this] { UpdateCommands(); });
}
