#pragma once
// A printout as a multi-page TIFF file: one directory per report page, 8-bit grey at
// 200 dots per inch, LZW-compressed, each page the whole sheet in its orientation.

#include <string>

class CReportPrintout;

inline constexpr double kTiffDotsPerInch = 200;

// The TIFF file's bytes; empty when it could not be made.
std::string ExportTiff(CReportPrintout& printout, double dotsPerInch = kTiffDotsPerInch);
