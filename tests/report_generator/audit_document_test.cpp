// Audit and survey documents: what the parser keeps and refuses, and the printout made
// from them.
#include "report/report_fixtures.h"

#include "server/reports/audit_document.h"
#include "server/reports/audit_printout.h"
#include "server/reports/report_generator.h"

#include <gtest/gtest.h>

namespace {

const char kAudit[] =
    "ORVENNA AUDIT 1\r\n"
    "Title: Premium Audit 2023\r\n"
    "Case: A-300\r\n"
    "Insured: Northwind Tools: West\r\n"
    "\r\n"
    "Opening remarks\n"
    "\n"
    "# Payroll by classification\n"
    "| Code | Description | Payroll |\n"
    "|------|:-----------:|--------:|\n"
    "| 8810 | Clerical office | 120,000.00 |\n"
    "| 5403 | Carpentry | 88,500.00 | extra cell\n"
    "| 8742 |\n"
    "Payroll verified against the quarterly returns.\n"
    "Second line.\n"
    "# Empty section\n";

}  // namespace

TEST(AuditDocument, FieldsSectionsTextAndTables)
{
    const CAuditParseResult parsed = ParseAuditDocument(kAudit);
    ASSERT_TRUE(parsed.document.has_value()) << parsed.error;
    const CAuditDocument& document = *parsed.document;
    EXPECT_EQ(document.kind, CAuditDocument::Kind::audit);
    EXPECT_EQ(document.title, "Premium Audit 2023");
    ASSERT_EQ(document.fields.size(), 2u);
    EXPECT_EQ(document.fields[1].first, "Insured");
    EXPECT_EQ(document.fields[1].second, "Northwind Tools: West") << "only the first colon separates";

    ASSERT_EQ(document.sections.size(), 3u);
    EXPECT_EQ(document.sections[0].heading, "");
    EXPECT_EQ(document.sections[0].parts.at(0).text, "Opening remarks");

    const CAuditSection& payroll = document.sections[1];
    EXPECT_EQ(payroll.heading, "Payroll by classification");
    ASSERT_EQ(payroll.parts.size(), 2u);
    const CAuditTable& table = payroll.parts[0].table;
    EXPECT_EQ(table.header, (std::vector<std::string>{"Code", "Description", "Payroll"}));
    ASSERT_EQ(table.rows.size(), 3u) << "the rule row under the header is not a row";
    EXPECT_EQ(table.rows[1], (std::vector<std::string>{"5403", "Carpentry", "88,500.00"}));
    EXPECT_EQ(table.rows[2], (std::vector<std::string>{"8742", "", ""}));
    EXPECT_EQ(payroll.parts[1].text, "Payroll verified against the quarterly returns.\nSecond line.");
    EXPECT_TRUE(document.sections[2].parts.empty());
}

TEST(AuditDocument, SurveysAndRefusals)
{
    const CAuditParseResult survey = ParseAuditDocument("ORVENNA SURVEY 1\nLocation: Plant 2\n");
    ASSERT_TRUE(survey.document.has_value());
    EXPECT_EQ(survey.document->kind, CAuditDocument::Kind::survey);
    EXPECT_EQ(survey.document->title, "Survey");
    EXPECT_TRUE(survey.document->sections.empty());

    EXPECT_FALSE(ParseAuditDocument("").document.has_value());
    EXPECT_FALSE(ParseAuditDocument("ORVENNA AUDIT 2\n").document.has_value());
    EXPECT_FALSE(ParseAuditDocument(std::string("\x7f" "ELF\x02\x01", 6)).document.has_value());
    EXPECT_FALSE(ParseAuditDocument("ORVENNA AUDIT 1\nno colon here\n").document.has_value());

    std::string wide = "ORVENNA AUDIT 1\n\n";
    for (size_t i = 0; i <= AuditFormat::kMaxColumns; ++i)
        wide += "|c";
    EXPECT_EQ(ParseAuditDocument(wide).error, "Too many table columns");

    // Many narrow rows count as wide ones: the table stays within its cell budget.
    std::string tall = "ORVENNA AUDIT 1\n\n|h\n";
    for (size_t i = 0; i <= AuditFormat::kMaxTableCells / AuditFormat::kMaxColumns; ++i)
        tall += "|\n";
    EXPECT_EQ(ParseAuditDocument(tall).error, "Too many table cells");

    EXPECT_EQ(ParseAuditDocument("ORVENNA AUDIT 1\n\n" + std::string(AuditFormat::kMaxLineLength + 1, 'x')).error,
              "Line too long");
    EXPECT_EQ(ParseAuditDocument(std::string(AuditFormat::kMaxBytes + 1, '\n')).error, "Document too large");
}

TEST(AuditPrintout, FieldsGridThenEachSectionsPartsWithWideTablesInLandscape)
{
    std::string text = kAudit;
    text += "# Wide\n|";
    for (int i = 0; i < 14; ++i)
        text += " Column heading " + std::to_string(i) + " |";
    text += "\n";
    const CAuditParseResult parsed = ParseAuditDocument(text);
    ASSERT_TRUE(parsed.document.has_value());
    const auto printout = BuildAuditPrintout(*parsed.document);

    ASSERT_EQ(printout->sections.size(), 6u);
    const auto fields = std::dynamic_pointer_cast<CRptGridSection>(printout->sections[0]);
    ASSERT_NE(fields, nullptr);
    EXPECT_EQ(fields->grid->rows.size(), 2u);
    const auto table = std::dynamic_pointer_cast<CRptGridSection>(printout->sections[2]);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->grid->title, "Payroll by classification");
    EXPECT_EQ(table->orientation, 0);
    EXPECT_EQ(table->grid->columns[2].alignment, static_cast<int32_t>(TextFormat::kRight)) << "amounts";
    EXPECT_EQ(table->grid->columns[1].alignment, 0);
    const auto after = std::dynamic_pointer_cast<CRptMultiTextSection>(printout->sections[3]);
    ASSERT_NE(after, nullptr);
    EXPECT_EQ(after->title, "") << "the heading titles only the section's first part";
    const auto wide = std::dynamic_pointer_cast<CRptGridSection>(printout->sections[5]);
    ASSERT_NE(wide, nullptr);
    EXPECT_EQ(wide->orientation, CReportPrintout::kLandscape);
    EXPECT_LE(wide->grid->GetWidth(), 1000);

    CFakeGraphics graphics;
    const int pages = printout->LayOutPage(graphics, 0);
    EXPECT_EQ(printout->PageOrientation(pages), CReportPrintout::kLandscape);
    EXPECT_EQ(printout->PageOrientation(1), CReportPrintout::kPortrait);
}

TEST(AuditPrintout, AttachmentsComeBackAsPrintoutsOrDocuments)
{
    InitReportGenerator();
    const CGeneratedReport printout = ReportGenerator::RenderAttachment(kAudit, ReportOutput::printout);
    ASSERT_TRUE(printout.ok) << printout.error;
    const CGeneratedReport pdf = ReportGenerator::RenderAttachment(kAudit, ReportOutput::pdf);
    ASSERT_TRUE(pdf.ok);
    EXPECT_EQ(pdf.bytes.rfind("%PDF-", 0), 0u);
    const CGeneratedReport broken = ReportGenerator::RenderAttachment("not an audit", ReportOutput::pdf);
    EXPECT_FALSE(broken.ok);
    EXPECT_EQ(broken.error, "Not an audit or survey document");
}
