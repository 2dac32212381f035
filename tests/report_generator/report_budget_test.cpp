// Reports stop as soon as they pass their budget while being built: each report and
// output kind with a tiny budget is refused after a part of it was made (the budget
// counts what was built), and a report within the server's default budget comes out
// as it does without one.
#include "case_fixtures.h"

#include "report/painter_graphics.h"
#include "server/reports/report_generator.h"
#include "server/server_options.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

std::vector<CAuditCase> Cases(int count)
{
    std::vector<CAuditCase> cases;
    for (int i = 0; i < count; ++i)
        cases.push_back(MakeCase("N-" + std::to_string(1000 + i), i % 3 ? "Northwind Mutual" : "Blue Ridge",
                                 i % 2 ? "jdoe" : "asmith", 100.0 * i, i));
    return cases;
}

// An audit whose one table runs over many pages.
std::string LongAudit()
{
    std::string text = "ORVENNA AUDIT 1\nTitle: Long audit\nInsured: Northwind Tools\n\n# Payroll\n"
                       "| Code | Description | Payroll |\n|---|---|---|\n";
    for (int i = 0; i < 600; ++i)
        text += "| " + std::to_string(8000 + i) + " | Classification " + std::to_string(i) + " | 1,000.00 |\n";
    return text;
}

using Builder = std::function<CGeneratedReport(int32_t kind, CReportBudget&)>;

Builder Report(const char* file, std::vector<CAuditCase> cases)
{
    return [file, cases = std::move(cases)](int32_t kind, CReportBudget& budget) {
        return ReportGenerator::Generate(file, cases, {}, kind, TestContext(), budget);
    };
}

Builder Attachment()
{
    return [](int32_t kind, CReportBudget& budget) {
        return ReportGenerator::RenderAttachment(LongAudit(), kind, budget);
    };
}

}  // namespace

TEST(ReportBudget, EachReportAndKindStopsOnceItPassesItsBudget)
{
    InitReportGenerator();
    constexpr int64_t kNone = CReportBudget::kNoLimit;
    struct Row {
        const char* name;
        Builder run;
        int32_t kind;
        int64_t maxBytes;
        int64_t maxPages;
    };
    const Row rows[] = {
        {"listing printout by bytes", Report(ReportFiles::kCaseListing, Cases(400)), ReportOutput::printout, 2048, kNone},
        {"aging printout by bytes", Report(ReportFiles::kDueDateAging, Cases(400)), ReportOutput::printout, 2048, kNone},
        {"detail printout by bytes", Report(ReportFiles::kCaseDetail, Cases(60)), ReportOutput::printout, 4096, kNone},
        {"attachment printout by bytes", Attachment(), ReportOutput::printout, 2048, kNone},
        {"listing PDF by pages", Report(ReportFiles::kCaseListing, Cases(400)), ReportOutput::pdf, kNone, 2},
        {"listing PDF by bytes", Report(ReportFiles::kCaseListing, Cases(200)), ReportOutput::pdf, 8000, kNone},
        {"aging TIFF by bytes", Report(ReportFiles::kDueDateAging, Cases(400)), ReportOutput::tiff, 100000, kNone},
        {"attachment TIFF by pages", Attachment(), ReportOutput::tiff, kNone, 3},
        {"detail XPS by bytes", Report(ReportFiles::kCaseDetail, Cases(60)), ReportOutput::xps, 100000, kNone},
        {"attachment XPS by bytes", Attachment(), ReportOutput::xps, 100000, kNone},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        // What the whole report takes, built without a budget but not drawn.
        CReportBudget whole;
        const CGeneratedReport printout = row.run(ReportOutput::printout, whole);
        ASSERT_TRUE(printout.ok);

        CReportBudget budget(row.maxBytes, row.maxPages);
        const CGeneratedReport report = row.run(row.kind, budget);
        EXPECT_FALSE(report.ok);
        EXPECT_TRUE(report.overBudget);
        EXPECT_TRUE(report.bytes.empty());
        EXPECT_NE(report.error.find(budget.Reason()), std::string::npos);
        EXPECT_EQ(budget.PastPages(), row.maxPages != kNone);
        if (row.kind == ReportOutput::printout) {
            // Stopped within a row of the limit, a small part of the whole.
            EXPECT_LT(budget.PrintoutBytes(), budget.MaxPrintoutBytes() + 1024);
            EXPECT_LT(budget.PrintoutBytes() * 4, whole.PrintoutBytes());
        } else {
            // Within a page of the limit, and far from the whole document.
            EXPECT_LE(budget.Pages(), row.maxPages == kNone ? 3 : row.maxPages);
            EXPECT_LT(budget.DocumentBytes(), row.maxBytes == kNone ? 1 << 20 : row.maxBytes + 400000);
        }
    }
}

TEST(ReportBudget, ReportsWithinTheDefaultBudgetAreUnchanged)
{
    InitReportGenerator();
    const ServerOptions defaults;
    const auto cases = Cases(130);
    for (const int32_t kind : {ReportOutput::printout, ReportOutput::tiff, ReportOutput::xps}) {
        SCOPED_TRACE(kind);
        CReportBudget budget(defaults.maxReportBytes, defaults.maxReportPages);
        const CGeneratedReport bounded =
            ReportGenerator::Generate(ReportFiles::kCaseListing, cases, {}, kind, TestContext(), budget);
        const CGeneratedReport free = ReportGenerator::Generate(ReportFiles::kCaseListing, cases, {}, kind, TestContext());
        ASSERT_TRUE(bounded.ok) << bounded.error;
        EXPECT_EQ(bounded.bytes, free.bytes);
        EXPECT_FALSE(budget.Exceeded());
        EXPECT_GT(budget.PrintoutBytes(), 0);
        if (kind != ReportOutput::printout) {
            EXPECT_GE(budget.Pages(), 3);
            EXPECT_EQ(budget.DocumentBytes(), static_cast<int64_t>(bounded.bytes.size()));
        }
    }
}
