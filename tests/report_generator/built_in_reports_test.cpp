// The built-in reports' printouts: which sections, rows and totals they hold, which
// cases they cover and how their pages turn. Layout is measured by the tests' fake
// surface (report_fixtures.h), so page counts follow its simple text metrics.
#include "case_fixtures.h"
#include "report/report_fixtures.h"

#include "report/report_file.h"
#include "report/rpt_double_grid_section.h"
#include "server/reports/report_generator.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Column(const CStaticGrid& grid, size_t column)
{
    std::vector<std::string> texts;
    for (const DataItems& row : grid.rows)
        texts.push_back(column < row.cells.size() ? row.cells[column].text : "");
    return texts;
}

const CStaticGrid& GridOf(const CReportPrintout& printout, size_t index)
{
    return *std::dynamic_pointer_cast<CRptGridSection>(printout.sections.at(index))->grid;
}

std::shared_ptr<CReportPrintout> Build(const std::string& file, const std::vector<CAuditCase>& cases,
                                       const std::vector<std::string>& numbers = {})
{
    return ReportGenerator::BuildPrintout(file, cases, numbers, TestContext());
}

}  // namespace

TEST(CaseListingReport, OneGridPerParentWithTotalsAndTheGrandTotal)
{
    const auto cases = SampleCases();
    const auto printout = Build(ReportFiles::kCaseListing, cases);
    ASSERT_NE(printout, nullptr);
    ASSERT_EQ(printout->sections.size(), 4u);  // no parent, Blue Ridge, Northwind, totals

    const CStaticGrid& none = GridOf(*printout, 0);
    EXPECT_EQ(none.title, "(No Parent)");
    const CStaticGrid& blueRidge = GridOf(*printout, 1);
    EXPECT_EQ(blueRidge.title, "Blue Ridge Insurance");
    EXPECT_EQ(Column(blueRidge, 0), (std::vector<std::string>{"B-100", "B-200", "Total"}));
    EXPECT_EQ(Column(blueRidge, 5), (std::vector<std::string>{"100.00", "2,500.00", "2,600.00"}));
    EXPECT_EQ(Column(blueRidge, 4)[1], "11/02/2023") << "120 days before 1 March 2024";
    EXPECT_EQ(blueRidge.rows.back().cells[1].text, "2 cases");
    EXPECT_EQ(blueRidge.rows.back().cells[0].bold, 1);
    EXPECT_EQ(blueRidge.rows[0].cells[0].bold, 0);

    const CStaticGrid& northwind = GridOf(*printout, 2);
    EXPECT_EQ(Column(northwind, 0), (std::vector<std::string>{"A-100", "A-300", "D-100", "Total"}));
    EXPECT_EQ(northwind.rows.back().cells[5].text, "3,000.50");
    // Right-aligned amounts, centred dates.
    EXPECT_EQ(northwind.columns[5].alignment, static_cast<int32_t>(TextFormat::kRight));
    EXPECT_EQ(northwind.rows[0].cells[5].alignment, static_cast<int32_t>(TextFormat::kRight));

    const CStaticGrid& totals = GridOf(*printout, 3);
    EXPECT_EQ(Column(totals, 0), (std::vector<std::string>{"(No Parent)", "Blue Ridge Insurance", "Northwind Mutual",
                                                           "All Parents"}));
    EXPECT_EQ(Column(totals, 1).back(), "7");
    EXPECT_EQ(Column(totals, 2).back(), "5,725.75");

    // Every grid fits the portrait page.
    for (size_t i = 0; i < printout->sections.size(); ++i)
        EXPECT_LE(GridOf(*printout, i).GetWidth(), 799) << i;
    ASSERT_NE(printout->header, nullptr);
    EXPECT_GT(printout->headerHeight, 0);
}

TEST(CaseListingReport, SelectedCasesOnlyInTheGivenOrder)
{
    const auto cases = SampleCases();
    const auto printout = Build(ReportFiles::kCaseListing, cases, {"B-200", "A-300", "B-200", "Z-999"});
    ASSERT_EQ(printout->sections.size(), 3u);
    EXPECT_EQ(Column(GridOf(*printout, 0), 0), (std::vector<std::string>{"B-200", "Total"}));
    EXPECT_EQ(Column(GridOf(*printout, 1), 0), (std::vector<std::string>{"A-300", "Total"}));
    EXPECT_EQ(Column(GridOf(*printout, 2), 1).back(), "2");

    const CaseList selected = ReportGenerator::SelectCases(cases, {"C-200", "A-100"});
    ASSERT_EQ(selected.size(), 2u);
    EXPECT_EQ(selected[0]->caseNumber, "C-200");
    EXPECT_EQ(selected[1]->caseNumber, "A-100");
    EXPECT_EQ(ReportGenerator::SelectCases(cases, {}).size(), cases.size());
}

TEST(CaseListingReport, NoCasesGiveANoticeInsteadOfGrids)
{
    const auto printout = Build(ReportFiles::kCaseListing, {});
    ASSERT_EQ(printout->sections.size(), 1u);
    const auto text = std::dynamic_pointer_cast<CRptMultiTextSection>(printout->sections[0]);
    ASSERT_NE(text, nullptr);
    EXPECT_NE(text->text.find("No cases"), std::string::npos);
}

TEST(DueDateAgingReport, BracketsSideBySideWithAuditorsThenTheCasesOfEachBracket)
{
    const auto printout = Build(ReportFiles::kDueDateAging, SampleCases());
    ASSERT_NE(printout, nullptr);
    const auto intro = std::dynamic_pointer_cast<CRptMultiTextSection>(printout->sections.at(0));
    ASSERT_NE(intro, nullptr);
    EXPECT_NE(intro->text.find("03/01/2024"), std::string::npos);
    EXPECT_NE(intro->text.find("1 of the 7"), std::string::npos) << intro->text;

    const auto side = std::dynamic_pointer_cast<CRptDoubleGridSection>(printout->sections.at(1));
    ASSERT_NE(side, nullptr);
    EXPECT_EQ(Column(*side->left, 0), (std::vector<std::string>{"Over 90 days", "61 - 90 days", "31 - 60 days",
                                                                "1 - 30 days", "Not yet due", "No due date",
                                                                "All open cases"}));
    EXPECT_EQ(Column(*side->left, 1), (std::vector<std::string>{"1", "1", "1", "1", "1", "1", "6"}));
    EXPECT_EQ(Column(*side->left, 2).back(), "4,725.75");
    // Overdue by auditor: jdoe has 10, 75 and 120 days; asmith 45.
    EXPECT_EQ(Column(*side->right, 0), (std::vector<std::string>{"asmith", "jdoe"}));
    EXPECT_EQ(Column(*side->right, 1), (std::vector<std::string>{"1", "3"}));
    EXPECT_EQ(Column(*side->right, 2), (std::vector<std::string>{"45", "120"}));
    EXPECT_LT(side->left->GetWidth(), side->rightGridX);
    EXPECT_LE(side->rightGridX + side->right->GetWidth(), 800);

    // Then one grid per bracket that has cases, oldest first.
    std::vector<std::string> titles;
    for (size_t i = 2; i < printout->sections.size(); ++i)
        titles.push_back(GridOf(*printout, i).title);
    EXPECT_EQ(titles, (std::vector<std::string>{"Over 90 days", "61 - 90 days", "31 - 60 days", "1 - 30 days",
                                                "Not yet due", "No due date"}));
    const CStaticGrid& over90 = GridOf(*printout, 2);
    EXPECT_EQ(over90.rows.at(0).cells.at(4).text, "120");
    EXPECT_EQ(GridOf(*printout, 6).rows.at(0).cells.at(4).text, "") << "not yet due shows no days over";
}

TEST(DueDateAgingReport, TheMasterDueDateStandsInForAMissingAuditorDueDate)
{
    CAuditCase item = MakeCase("M-1", "P", "kim", 10, 0, false);
    item.masterDueDate = {CDateTime::valid, static_cast<double>(kToday - 31)};
    const auto printout = Build(ReportFiles::kDueDateAging, {item});
    const auto side = std::dynamic_pointer_cast<CRptDoubleGridSection>(printout->sections.at(1));
    EXPECT_EQ(Column(*side->left, 1), (std::vector<std::string>{"0", "0", "1", "0", "0", "0", "1"}));
}

TEST(CaseDetailReport, EveryCaseStartsALandscapePage)
{
    auto cases = SampleCases();
    cases[0].memo = "Insured asks for a morning appointment.";
    cases[0].policyPages.resize(2);
    cases[0].policyPages[0].label = "Locations";
    cases[0].policyPages[0].text = "12 Main St\n14 Main St";
    const auto printout = Build(ReportFiles::kCaseDetail, cases, {"A-300", "B-200"});
    ASSERT_NE(printout, nullptr);
    EXPECT_EQ(printout->defaultOrientation, CReportPrintout::kLandscape);

    // heading, two double grids, memo, two policy pages; B-200: heading, grids.
    ASSERT_EQ(printout->sections.size(), 9u);
    const auto firstHeading = std::dynamic_pointer_cast<CRptMultiTextSection>(printout->sections[0]);
    const auto secondHeading = std::dynamic_pointer_cast<CRptMultiTextSection>(printout->sections[6]);
    ASSERT_NE(firstHeading, nullptr);
    ASSERT_NE(secondHeading, nullptr);
    EXPECT_EQ(firstHeading->title, "Case A-300 - Insured A-300");
    EXPECT_EQ(secondHeading->title, "Case B-200 - Insured B-200");
    EXPECT_EQ(firstHeading->newPage, 0);
    EXPECT_EQ(secondHeading->newPage, 1);
    EXPECT_EQ(std::dynamic_pointer_cast<CRptMultiTextSection>(printout->sections[4])->title, "Locations");
    EXPECT_EQ(std::dynamic_pointer_cast<CRptMultiTextSection>(printout->sections[5])->title, "Policy Detail");

    const auto insured = std::dynamic_pointer_cast<CRptDoubleGridSection>(printout->sections[1]);
    ASSERT_NE(insured, nullptr);
    EXPECT_EQ(insured->left->title, "Insured");
    EXPECT_EQ(insured->right->title, "Policy");
    EXPECT_EQ(insured->right->rows.at(2).cells.at(1).text, "WC-A-300");
    EXPECT_LE(insured->rightGridX + insured->right->GetWidth(), 1000);

    CFakeGraphics graphics;
    const int pages = printout->LayOutPage(graphics, 0);
    EXPECT_GE(pages, 2);
    for (int page = 1; page <= pages; ++page)
        EXPECT_EQ(printout->PageOrientation(page), CReportPrintout::kLandscape) << page;
    // B-200 begins on a page of its own: the last page holds its heading.
    graphics.Clear();
    printout->LayOutPage(graphics, pages);
    EXPECT_NE(graphics.FindText("Case B-200 - Insured B-200"), nullptr);
}

TEST(ReportGeneratorRuns, UnknownReportsAndKindsAreRefusedAndKindZeroIsTheReportBlock)
{
    const auto cases = SampleCases();
    EXPECT_EQ(ReportGenerator::ReportFileNames(),
              (std::vector<std::string>{"CaseListing.rpt", "DueDateAging.rpt", "CaseDetail.rpt"}));
    const CGeneratedReport unknown = ReportGenerator::Generate("Nope.rpt", cases, {}, ReportOutput::printout,
                                                               TestContext());
    EXPECT_FALSE(unknown.ok);
    EXPECT_TRUE(unknown.bytes.empty());
    EXPECT_FALSE(ReportGenerator::Generate(ReportFiles::kCaseListing, cases, {}, 4, TestContext()).ok);
    EXPECT_FALSE(ReportGenerator::Generate(ReportFiles::kCaseListing, cases, {}, -1, TestContext()).ok);

    const CGeneratedReport block = ReportGenerator::Generate(ReportFiles::kCaseListing, cases, {},
                                                             ReportOutput::printout, TestContext());
    ASSERT_TRUE(block.ok) << block.error;
    const CReportLoadResult loaded = LoadReportBlock(block.bytes);
    ASSERT_TRUE(loaded.Ok()) << loaded.message;
    EXPECT_EQ(loaded.printout->sections.size(), 4u);
    EXPECT_EQ(StoreReportBlock(*loaded.printout), block.bytes);
}
