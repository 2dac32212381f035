// The finished documents of output kinds 1 to 3: a PDF with a page per report page, a
// TIFF with a directory per page, an XPS package with its required parts. With
// ORV_REPORT_DOC_DIR set they are also written there to open in a viewer.
#include "case_fixtures.h"
#include "package_readers.h"

#include "report/painter_graphics.h"
#include "server/reports/report_generator.h"
#include "server/reports/zip_writer.h"

#include <QByteArray>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace {

void Keep(const std::string& bytes, const std::string& name)
{
    if (const char* folder = std::getenv("ORV_REPORT_DOC_DIR"))
        std::ofstream(std::string(folder) + "/" + name, std::ios::binary) << bytes;
}

// The orientations LayOutPage gives the printout, 1 portrait 2 landscape.
std::vector<int> Orientations(const std::string& file, const std::vector<CAuditCase>& cases)
{
    InitReportGenerator();
    auto printout = ReportGenerator::BuildPrintout(file, cases, {}, TestContext());
    CPainterGraphics measuring;
    printout->LayOutPage(measuring, 0);
    return printout->PageOrientations();
}

// Many cases, so that the listing runs over several pages.
std::vector<CAuditCase> ManyCases()
{
    std::vector<CAuditCase> cases;
    for (int i = 0; i < 130; ++i)
        cases.push_back(MakeCase("N-" + std::to_string(1000 + i), i % 3 ? "Northwind Mutual" : "Blue Ridge",
                                 i % 2 ? "jdoe" : "asmith", 100.0 * i, i));
    return cases;
}

int PdfPageCount(const std::string& pdf)
{
    static const QRegularExpression page(R"(/Type\s*/Page\b(?!s))");
    int count = 0;
    auto it = page.globalMatch(QString::fromLatin1(QByteArray::fromStdString(pdf)));
    while (it.hasNext()) {
        it.next();
        ++count;
    }
    return count;
}

}  // namespace

TEST(ReportDocuments, PdfHasAPagePerReportPage)
{
    InitReportGenerator();
    const auto cases = ManyCases();
    const std::vector<int> orientations = Orientations(ReportFiles::kCaseListing, cases);
    ASSERT_GE(orientations.size(), 3u);
    const CGeneratedReport pdf = ReportGenerator::Generate(ReportFiles::kCaseListing, cases, {}, ReportOutput::pdf,
                                                           TestContext());
    ASSERT_TRUE(pdf.ok) << pdf.error;
    Keep(pdf.bytes, "case-listing.pdf");
    EXPECT_EQ(pdf.bytes.rfind("%PDF-", 0), 0u);
    EXPECT_NE(pdf.bytes.find("%%EOF"), std::string::npos);
    EXPECT_EQ(PdfPageCount(pdf.bytes), static_cast<int>(orientations.size()));
}

TEST(ReportDocuments, LandscapeReportsGiveLandscapePdfPages)
{
    InitReportGenerator();
    const auto cases = SampleCases();
    const CGeneratedReport pdf = ReportGenerator::Generate(ReportFiles::kCaseDetail, cases, {"A-300", "B-200"},
                                                           ReportOutput::pdf, TestContext());
    ASSERT_TRUE(pdf.ok) << pdf.error;
    Keep(pdf.bytes, "case-detail.pdf");
    EXPECT_EQ(PdfPageCount(pdf.bytes), 2);
    static const QRegularExpression box(R"(/MediaBox\s*\[\s*0\s+0\s+792(\.0+)?\s+612(\.0+)?\s*\])");
    EXPECT_EQ(QString::fromLatin1(QByteArray::fromStdString(pdf.bytes)).count(box), 2);

    const CGeneratedReport aging = ReportGenerator::Generate(ReportFiles::kDueDateAging, cases, {}, ReportOutput::pdf,
                                                             TestContext());
    ASSERT_TRUE(aging.ok);
    Keep(aging.bytes, "due-date-aging.pdf");
}

TEST(ReportDocuments, TiffHasADirectoryPerPageInItsOrientation)
{
    InitReportGenerator();
    const auto cases = SampleCases();
    // The detail of two cases: two landscape pages; the listing: portrait.
    const CGeneratedReport detail = ReportGenerator::Generate(ReportFiles::kCaseDetail, cases, {"A-300", "B-200"},
                                                              ReportOutput::tiff, TestContext());
    ASSERT_TRUE(detail.ok) << detail.error;
    Keep(detail.bytes, "case-detail.tif");
    EXPECT_TRUE(detail.bytes.rfind("II*", 0) == 0 || detail.bytes.rfind("MM", 0) == 0);
    using Size = std::pair<uint32_t, uint32_t>;
    // A sheet is 11 x 8.5 inches at 200 dots per inch.
    EXPECT_EQ(TiffPages(detail.bytes), (std::vector<Size>{{2200, 1700}, {2200, 1700}}));

    const CGeneratedReport listing = ReportGenerator::Generate(ReportFiles::kCaseListing, ManyCases(), {},
                                                               ReportOutput::tiff, TestContext());
    ASSERT_TRUE(listing.ok);
    const auto pages = TiffPages(listing.bytes);
    EXPECT_EQ(pages.size(), Orientations(ReportFiles::kCaseListing, ManyCases()).size());
    for (const Size& page : pages)
        EXPECT_EQ(page, Size(1700, 2200));
}

TEST(ReportDocuments, XpsIsAFixedDocumentPackage)
{
    InitReportGenerator();
    const auto cases = SampleCases();
    const CGeneratedReport xps = ReportGenerator::Generate(ReportFiles::kCaseListing, cases, {}, ReportOutput::xps,
                                                           TestContext());
    ASSERT_TRUE(xps.ok) << xps.error;
    Keep(xps.bytes, "case-listing.xps");
    const auto entries = ReadZip(xps.bytes);
    ASSERT_TRUE(entries.has_value());
    for (const char* part : {"[Content_Types].xml", "_rels/.rels", "FixedDocumentSequence.fdseq",
                             "Documents/1/FixedDocument.fdoc", "Documents/1/Pages/1.fpage",
                             "Documents/1/Pages/_rels/1.fpage.rels", "Documents/1/Resources/Images/1.png"})
        EXPECT_EQ(entries->count(part), 1u) << part;

    const std::string& types = entries->at("[Content_Types].xml");
    EXPECT_NE(types.find("application/vnd.ms-package.xps-fixedpage+xml"), std::string::npos);
    EXPECT_NE(entries->at("_rels/.rels").find("Target=\"/FixedDocumentSequence.fdseq\""), std::string::npos);
    EXPECT_NE(entries->at("FixedDocumentSequence.fdseq").find("/Documents/1/FixedDocument.fdoc"), std::string::npos);

    // One page part per report page, each listed in the document.
    const size_t pages = Orientations(ReportFiles::kCaseListing, cases).size();
    size_t fixedPages = 0;
    for (const auto& [name, bytes] : *entries)
        if (name.size() > 6 && name.compare(name.size() - 6, 6, ".fpage") == 0) {
            ++fixedPages;
            EXPECT_NE(entries->at("Documents/1/FixedDocument.fdoc").find("Source=\"/" + name + "\""),
                      std::string::npos);
            EXPECT_NE(bytes.find("Width=\"816\" Height=\"1056\""), std::string::npos);
        }
    EXPECT_EQ(fixedPages, pages);
    EXPECT_EQ(entries->at("Documents/1/Resources/Images/1.png").substr(1, 3), "PNG");
}

TEST(ZipWriter, EntriesReadBackWithTheirBytesAndCrcs)
{
    CZipWriter zip;
    EXPECT_TRUE(zip.Add("a.txt", "hello"));
    EXPECT_TRUE(zip.Add("dir/empty", ""));
    EXPECT_TRUE(zip.Add("bin", std::string("\0\xff\x01", 3)));
    const std::string archive = zip.Finish();
    const auto entries = ReadZip(archive);
    ASSERT_TRUE(entries.has_value());
    EXPECT_EQ(entries->size(), 3u);
    EXPECT_EQ(entries->at("a.txt"), "hello");
    EXPECT_EQ(entries->at("dir/empty"), "");
    EXPECT_EQ(entries->at("bin"), std::string("\0\xff\x01", 3));

    // A flipped data byte no longer matches its CRC.
    std::string damaged = archive;
    damaged[30 + 5] = 'j';
    EXPECT_FALSE(ReadZip(damaged).has_value());
}
