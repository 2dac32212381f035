#pragma once
// Printing the case list's printout (CListPrintout) and showing its print preview. The
// list's logical page follows the paper: portrait paper gives the 800 x 1000 page,
// landscape paper the 1000 x 800 one, each stretched over the printable area.

struct CPrintRequest;
class CListPrintout;
class QPainter;
class QPrinter;
class QWidget;

// "Print L&ist...": the print dialog unless silent; a request with an output file
// prints into that PDF file. ReportPrint::kDone (also when cancelled) or kFailed.
int PrintList(CListPrintout& list, const CPrintRequest& request, QWidget* dialogParent = nullptr);

// "Print Preview &List": the preview of the same pages, from which the user may print.
void ShowListPrintPreview(CListPrintout& list, QWidget* parent);

// Lays the list out for the printer's paper and prints every page on it (the preview's
// and the print's common part). ReportPrint::kDone or kFailed.
int PrintListPages(CListPrintout& list, QPrinter& printer);
