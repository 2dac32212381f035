#pragma once
// The printers of the unattended tasks: reports go silently to the default printer with
// the task's copies; a case's attachments go through the attachment printing of the case
// dialogs.

#include "app/run_task.h"

class CInventoryServer;

// The services RunTask prints with, for the program's own connection.
CTaskServices TaskPrintServices(CInventoryServer& server);
