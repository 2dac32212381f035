#pragma once
// Carrying out the command line's print forms (shell_command.h): the report file is
// opened and printed once, silently, one copy, under its path as the document name; the
// program ends afterwards.
//
// A report file that cannot be read is reported with its own message in a message box
// by -p and -pt. The -pdf form, meant for scripts and for machines without a printer or
// a display, shows no window at all and reports on `errors` only; an empty report,
// which prints nothing, fails it, since no file is made. A print that finds no printer
// is reported on `errors`.

#include "app/shell_command.h"

#include <iosfwd>

class UserPrompts;

// Exit statuses of the program after a print form.
namespace ShellPrintStatus {
inline constexpr int kPrinted = 0;
inline constexpr int kFailed = 1;
inline constexpr int kUsage = 2;  // an incomplete print form
}  // namespace ShellPrintStatus

// Prints as the command asks (one of the print kinds, or incomplete) and returns the
// program's exit status.
int RunShellPrint(const CShellCommand& command, UserPrompts& prompts, std::ostream& errors);
