#pragma once
// A page of a report drawn as an image of the sheet: white paper with the page placed
// at its margins (0.25 in left and 0.5 in top in portrait, 0.5 in and 0.25 in in
// landscape), as a printer places it.

#include <QImage>

class CReportPrintout;

// Page margins in page units for an orientation.
struct CPageMargins {
    double x = 25;
    double y = 50;

    static CPageMargins For(int orientation);
};

// Paginates the printout when it has not been paginated yet, then draws page n
// (1-based) at the given resolution (at most 600 dots per inch). A page out of range
// gives a null image.
QImage RenderReportPage(CReportPrintout& printout, int page, double dotsPerInch = 96);
