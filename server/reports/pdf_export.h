#pragma once
// A printout as a PDF document: one Letter page per report page, in its own orientation,
// drawn as vectors with the report's fonts embedded.

#include "server/reports/report_budget.h"

#include <string>

class CReportPrintout;

// The PDF file's bytes; empty when the document could not be made or passed the budget
// (checked before each page).
std::string ExportPdf(CReportPrintout& printout, const std::string& title, CReportBudget& budget);
