#pragma once
// A printout as a multi-page TIFF file: one directory per report page, 8-bit grey at
// 200 dots per inch, LZW-compressed, each page the whole sheet in its orientation.

#include "server/reports/report_budget.h"

#include <string>

class CReportPrintout;

inline constexpr double kTiffDotsPerInch = 200;

// The TIFF file's bytes; empty when it could not be made or passed the budget (checked
// before and after each page).
std::string ExportTiff(CReportPrintout& printout, CReportBudget& budget, double dotsPerInch = kTiffDotsPerInch);
