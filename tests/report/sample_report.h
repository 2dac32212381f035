#pragma once
// A report like the server sends: a header, an audit grid with a comment that runs
// over two pages, notes, two grids side by side, three grids abreast, a landscape
// grid and a full-page picture.

#include "qt_fixtures.h"

#include "report/report_printout.h"
#include "report/rpt_double_grid_section.h"
#include "report/rpt_grid_section.h"
#include "report/rpt_metafile_section.h"
#include "report/rpt_multi3_grid_section.h"
#include "report/rpt_multi_text_section.h"
#include "report/static_grid.h"
#include "report/text_format.h"

#include <memory>
#include <string>

inline std::shared_ptr<CStaticGrid> AuditGrid(int rows)
{
    auto grid = std::make_shared<CStaticGrid>();
    grid->title = "Open Premium Audits";
    grid->shadeTitle = 1;
    grid->titleFontSize = 14;
    grid->cellFontSize = 9;
    grid->headerFontSize = 9;
    const struct {
        const char* label;
        int right;
        unsigned alignment;
    } columns[] = {{"Case No.", 90, 0},      {"Insured Name", 290, 0}, {"Auditor", 410, 0},
                   {"Due Date", 500, TextFormat::kCentre}, {"Status", 600, 0}, {"Premium", 720, TextFormat::kRight}};
    for (size_t i = 0; i < std::size(columns); ++i) {
        HeaderItem& column = grid->Column(i);
        column.label = columns[i].label;
        column.rightEdge = columns[i].right;
        column.width = columns[i].right - (i ? columns[i - 1].right : 0);
        column.alignment = static_cast<int32_t>(columns[i].alignment);
    }
    grid->Column(1).style = HeaderItem::kThickRightLine;
    const char* insured[] = {"Harbor Freight Logistics", "Maple Ridge Dental Group", "Northwind Roofing LLC",
                             "Blue Heron Catering", "Caldwell & Sons Masonry", "Summit Peak Outfitters"};
    const char* auditors[] = {"J. Alvarez", "M. Chen", "R. Okafor", "S. Lindqvist"};
    const char* statuses[] = {"Assigned", "Scheduled", "In Review", "Returned"};
    for (int i = 0; i < rows; ++i) {
        grid->AddRow({"PA-" + std::to_string(240100 + i), insured[i % 6], auditors[i % 4],
                      std::to_string(1 + i % 12) + "/" + std::to_string(1 + (i * 7) % 28) + "/2025",
                      statuses[i % 4], "$" + std::to_string(1200 + (i * 379) % 9000) + ".00"});
    }
    grid->rows[3].cells[1].bold = 1;
    grid->rows[5].cells[4].overflow = 1;
    grid->rows[5].cells[4].text = "Returned - insured asked for a second visit";
    grid->rows[5].cells[5].text.clear();  // room for the overflowing status
    grid->SetComment("Audits past their due date are listed first. Premiums are estimated from the "
                     "policy declarations and may change after the audit is reviewed.");
    return grid;
}

inline std::shared_ptr<CStaticGrid> SmallGrid(const std::string& title, int rows)
{
    auto grid = std::make_shared<CStaticGrid>();
    grid->title = title;
    grid->titleHeight = 25;
    grid->titleFontSize = 11;
    grid->cellFontSize = 9;
    grid->headerFontSize = 9;
    grid->Column(0) = {"Territory", 140, 0, 140, 0};
    grid->Column(1) = {"Cases", 100, static_cast<int32_t>(TextFormat::kRight), 240, 0};
    for (int i = 0; i < rows; ++i)
        grid->AddRow({"Territory " + std::string(1, static_cast<char>('A' + i)), std::to_string(3 + i * 5)});
    return grid;
}

inline CReportPrintout SampleReport(bool withPicture = true)
{
    CReportPrintout printout;
    printout.headerHeight = 30;
    printout.shadeRemainder = 1;
    auto header = std::make_shared<CRptMultiTextSection>();
    header->text = "Orvenna Insurance Services - Premium Audit Inventory - Region North";
    header->fontSize = 14;
    printout.header = header;

    auto audits = std::make_shared<CRptGridSection>();
    audits->grid = AuditGrid(70);

    auto notes = std::make_shared<CRptMultiTextSection>();
    notes->title = "Reviewer Notes";
    for (int i = 0; i < 6; ++i)
        notes->text += "Audits marked In Review wait for the reviewer's sign-off before the premium is billed. "
                       "Returned audits go back to the auditor with the reviewer's remarks.\r\n";

    auto twin = std::make_shared<CRptDoubleGridSection>();
    twin->left = SmallGrid("Cases by Territory", 4);
    twin->right = SmallGrid("Surveys by Territory", 7);
    twin->leftAreaRight = 390;
    twin->rightGridX = 400;

    auto abreast = std::make_shared<CRptMulti3GridSection>();
    abreast->grids = {*SmallGrid("Auditors", 3), *SmallGrid("Reviewers", 2), *SmallGrid("Schedulers", 3)};

    auto wide = std::make_shared<CRptGridSection>();
    wide->orientation = CReportPrintout::kLandscape;
    wide->grid = AuditGrid(30);
    wide->grid->title = "Audits by Carrier (landscape)";
    wide->grid->SetComment("");
    wide->grid->Column(6) = {"Carrier", 260, 0, 980, 0};
    for (auto& row : wide->grid->rows)
        row.cells.push_back({"Westbrook Mutual", 0, 0, 0});

    printout.sections = {audits, notes, twin, abreast, wide};
    if (withPicture) {
        auto picture = std::make_shared<CRptMetafileSection>();
        picture->picture.SetBytes(RectangleMetafile());
        printout.sections.push_back(picture);
    }
    return printout;
}
