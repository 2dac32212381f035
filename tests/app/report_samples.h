#pragma once
// Reports for the report tests of the program: the report tests' sample (several pages,
// one of them landscape), a one-page report, report files made of them, and the pages
// a printout lays out to.

#include "report/sample_report.h"

#include "report/painter_graphics.h"
#include "report/report_file.h"
#include "report/report_printout.h"
#include "report/rpt_grid_section.h"

#include <QDir>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

inline CReportPrintout OnePageReport()
{
    CReportPrintout printout;
    auto section = std::make_shared<CRptGridSection>();
    section->grid = SmallGrid("Territories", 3);
    printout.sections = {section};
    return printout;
}

// Saves the printout as a report file in the folder and returns its path.
inline QString SavedReport(const QString& folder, const QString& name, CReportPrintout printout)
{
    const QString path = QDir(folder).filePath(name);
    EXPECT_EQ(SaveReportFile(printout, path.toStdString()), "");
    return path;
}

// The orientation of every page, as the preview and printing paginate.
inline std::vector<int> PageOrientationsOf(CReportPrintout& printout)
{
    CPainterGraphics measuring;
    printout.ClearPageOrientations();
    printout.LayOutPage(measuring, 0);
    return printout.PageOrientations();
}
