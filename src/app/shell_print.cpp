#include "app/shell_print.h"

#include "platform/user_prompts.h"
#include "report/report_file.h"
#include "report/report_printer.h"
#include "report/report_printout.h"

#include <ostream>

namespace {

constexpr const char* kUsage = "usage: OrvennaOC -p FILE.tdf | -pt FILE.tdf PRINTER | -pdf FILE.tdf OUTPUT.pdf";

}  // namespace

int RunShellPrint(const CShellCommand& command, UserPrompts& prompts, std::ostream& errors)
{
    if (!command.IsPrint()) {
        errors << kUsage << '\n';
        return ShellPrintStatus::kUsage;
    }
    const bool toPdf = command.kind == CShellCommand::printFilePdf;

    CReportLoadResult loaded = OpenReportFile(command.fileName);
    if (!loaded.Ok()) {
        if (toPdf)
            errors << "OrvennaOC: " << command.fileName << ": " << loaded.message << '\n';
        else
            prompts.Message(QString::fromLatin1(loaded.message));
        return ShellPrintStatus::kFailed;
    }
    // An empty report prints nothing; a script that asked for a PDF file gets none.
    if (toPdf && loaded.printout->sections.empty()) {
        errors << "OrvennaOC: " << command.fileName << ": the report is empty, nothing printed\n";
        return ShellPrintStatus::kFailed;
    }

    CPrintRequest request;
    request.documentName = command.fileName;
    request.silent = true;
    request.copies = 1;
    if (command.kind == CShellCommand::printFileTo) {
        SetCommandLinePrinter(command.printerName);
        request.useCommandLinePrinter = true;
    }
    if (toPdf)
        request.outputFile = command.outputFile;
    if (Print(*loaded.printout, request) == ReportPrint::kDone)
        return ShellPrintStatus::kPrinted;

    switch (command.kind) {
    case CShellCommand::printFileTo:
        errors << "OrvennaOC: cannot print " << command.fileName << " on the printer " << command.printerName << '\n';
        break;
    case CShellCommand::printFilePdf:
        errors << "OrvennaOC: " << command.outputFile << ": " << ReportFile::kErrorCreating << '\n';
        break;
    default:
        errors << "OrvennaOC: no printer to print " << command.fileName << " on\n";
        break;
    }
    return ShellPrintStatus::kFailed;
}
