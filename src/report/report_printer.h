#pragma once
// Printing a report printout: on a printer through CUPS, or into a PDF file when an
// output file is named, so that a report can be "printed" without any printer.
//
// Each printed page keeps its own orientation, and the page sits 0.25 in from the left
// and 0.5 in from the top of the sheet in portrait, 0.5 in and 0.25 in in landscape.
// Files are Letter-sized; a printer keeps the paper it is set up with.
//
// These functions need a QGuiApplication (EnsureHeadlessGui() in programs without a
// window); the print dialog needs a QApplication.

#include <string>

class CReportPrintout;
class QWidget;

struct CPrintRequest {
    std::string documentName;            // the job's name, cut to 128 characters
    bool silent = false;                 // no print dialog
    bool useCommandLinePrinter = false;  // the printer of the command line's print-to request
    int copies = 0;                      // silent prints only; 0 keeps the printer's own count
    std::string printerName;             // a named printer instead of the default one
    std::string outputFile;              // print into this PDF file instead of a printer
};

namespace ReportPrint {

inline constexpr size_t kMaxDocumentName = 128;

// Status results of the print functions.
inline constexpr int kDone = 0;      // printed, or cancelled in the dialog, or nothing to print
inline constexpr int kFailed = -1;  // no printer, or the job or a page could not be started

}  // namespace ReportPrint

// The printer that the program was asked on its command line to print to ("print-to");
// empty when it was not. Used by requests with useCommandLinePrinter set.
void SetCommandLinePrinter(const std::string& printerName);
const std::string& CommandLinePrinter();

// Prints the printout. A printout without sections prints nothing and returns kDone.
// Silent prints go to the command-line printer, the named printer or else the default
// printer, and fail (kFailed) when there is none; otherwise the print dialog offers the
// page range and the copies, and cancelling it returns kDone.
int Print(CReportPrintout& printout, const CPrintRequest& request, QWidget* dialogParent = nullptr);

// Prints the printout into a PDF file without a dialog: one PDF page per report page,
// each in its own orientation, the whole report once per copy. kDone or kFailed (the
// file could not be written).
int PrintToPdfFile(CReportPrintout& printout, const std::string& outputFile, const std::string& documentName,
                   int copies = 1);

// What printing a report file gave: ReportPrint::kDone or kFailed, and the message to
// show or log on failure: the report file's own message when it could not be read,
// "Error creating file" when the PDF file could not be written, and empty when no
// printer could be had (the caller words that one).
struct CPrintFileResult {
    int status = ReportPrint::kDone;
    std::string message;
};

// The command line's print flag: opens the report file and prints it once, silently,
// with the path as the document name, on the default printer, or into the PDF file
// outputFile when one is given.
CPrintFileResult PrintReportFile(const std::string& reportPath, const std::string& outputFile = "");
