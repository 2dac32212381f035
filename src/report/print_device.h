#pragma once
// Choosing where a print goes: the command line's printer, a named printer, a PDF file,
// the default printer, or the user's choice in the print dialog.

#include "report/print_pages.h"

#include <string>

class QPrinter;
class QWidget;
struct CPrintRequest;

enum class CPrintDevice {
    none,    // the request names no device
    chosen,  // the request's printer or PDF file is set on the printer
    failed,  // the request's printer does not exist
};

// Sets the request's device on the printer: the command line's printer when the request
// asks for it and there is one, else a named printer; a named output file then makes
// the job a Letter-sized PDF file.
CPrintDevice ChoosePrintDevice(QPrinter& printer, const CPrintRequest& request);
// Sets the system's default printer; false when there is none.
bool ChooseDefaultPrinter(QPrinter& printer);
void SelectPdfFile(QPrinter& printer, const std::string& outputFile);

enum class CPrintDialogResult { accepted, cancelled, unavailable };

// Shows the print dialog (page range and copies, no selection, no print-to-file) for
// pages 1 .. pageCount; on OK, range is the range entered, or the whole range. A
// program without a QApplication cannot show it.
CPrintDialogResult RunPrintDialog(QPrinter& printer, int pageCount, QWidget* parent, CPageRange& range);
