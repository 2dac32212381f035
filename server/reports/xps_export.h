#pragma once
// A printout as an XPS document: a fixed-document package (a zip) holding one fixed
// page per report page. Each page shows the sheet as a 150 dots-per-inch PNG picture
// filling a Letter page in the page's orientation.

#include "server/reports/report_budget.h"

#include <string>

class CReportPrintout;

inline constexpr double kXpsDotsPerInch = 150;

// The package's bytes; empty when it could not be made or passed the budget (checked
// before and after each page).
std::string ExportXps(CReportPrintout& printout, CReportBudget& budget, double dotsPerInch = kXpsDotsPerInch);
