#pragma once
// The page loop shared by report and list printing: starts the job, then prints the
// pages of the range, once per copy that the device does not make by itself (a PDF
// file gets the pages again for each copy), and ends the job.

#include <QtGlobal>

#include <functional>

class QPainter;
class QPrinter;

struct CPageRange {
    int from = 1;
    int to = 0;
};

// orientationOf gives a page's orientation (1 portrait, 2 landscape; anything else keeps
// the printer's); drawPage draws a page on the painter, whose state it may change.
// ReportPrint::kDone, or kFailed when the job or a page could not be started (the job is
// then aborted). A range whose last page is below its first starts and ends the job.
int PrintPages(QPrinter& printer, CPageRange range, const std::function<int(int)>& orientationOf,
               const std::function<void(QPainter&, int)>& drawPage);
