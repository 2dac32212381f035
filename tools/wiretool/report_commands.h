#pragma once
// The report-file commands of wiretool; they read the file named on the command line.

#include "stream_commands.h"

#include <string>
#include <vector>

class CReportPrintout;

// dump-report FILE [--rows N]: an outline of a report file, with the first N rows of
// every grid (3 unless given; -1 for all) and the page count.
CToolResult RunDumpReport(const std::vector<std::string>& args);

// The outline of a printout; the page count is counted by laying it out.
std::string DescribePrintout(CReportPrintout& printout, int rowsPerGrid);
