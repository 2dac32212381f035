#pragma once
// A printout as a PDF document: one Letter page per report page, in its own orientation,
// drawn as vectors with the report's fonts embedded.

#include <string>

class CReportPrintout;

// The PDF file's bytes; empty when the document could not be made.
std::string ExportPdf(CReportPrintout& printout, const std::string& title);
