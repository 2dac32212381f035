#pragma once
// Printing the printable attachments of one case, without any window: used by the case
// list's Print attachments and by the unattended "printcases" task.
//
// Every attachment that is both printable and marked to be printed goes out in list
// order: audits and surveys as the report the server makes of them, printed on the
// default printer without a dialog; files fetched into the private temporary folder,
// printed through the shell (waiting for the print command to end) and deleted again.
// A failing attachment is reported through the prompts ("Error receiving file attachment
// from server", "Print file attachment failed - Target App", "Error receiving audit from
// server", "Error receiving survey from server") and the others are still printed.

#include <functional>
#include <string>

class CInventoryServer;
class CReportPrintout;
class ShellLauncher;
class UserPrompts;

struct AttachmentPrintServices {
    // Prints a report on the default printer, silently, with the copies; true when it
    // was printed. Default: report/report_printer.h's Print.
    std::function<bool(CReportPrintout& report, const std::string& documentName, int copies)> printReport;
    // Prints files ("lp -n COPIES"); not owned.
    ShellLauncher* shell = nullptr;
};

// The services of the desktop and of the unattended tasks: the default printer and
// the given shell.
AttachmentPrintServices DefaultAttachmentPrintServices(ShellLauncher& shell);

// GETCASEATTACHMENTS, then prints as above. False when the list could not be had (no
// message: the caller words that failure) or when any printable attachment could not be
// fetched or printed.
bool PrintCaseAttachments(CInventoryServer& server, UserPrompts& prompts, const std::string& caseNumber,
                          int copies, const AttachmentPrintServices& services);
