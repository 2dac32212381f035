#include "server/reports/xps_export.h"

#include "report/page_image.h"
#include "report/painter_graphics.h"
#include "report/report_printout.h"
#include "server/reports/zip_writer.h"

#include <QBuffer>
#include <QImage>

namespace {

// XPS lengths are in 1/96 inch: a Letter sheet is 816 x 1056.
constexpr int kLetterShort = 816;
constexpr int kLetterLong = 1056;

const char* const kContentTypes =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Default Extension=\"fdseq\" ContentType=\"application/vnd.ms-package.xps-fixeddocumentsequence+xml\"/>"
    "<Default Extension=\"fdoc\" ContentType=\"application/vnd.ms-package.xps-fixeddocument+xml\"/>"
    "<Default Extension=\"fpage\" ContentType=\"application/vnd.ms-package.xps-fixedpage+xml\"/>"
    "<Default Extension=\"png\" ContentType=\"image/png\"/>"
    "</Types>";

const char* const kPackageRelationships =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"R0\" Type=\"http://schemas.microsoft.com/xps/2005/06/fixedrepresentation\" "
    "Target=\"/FixedDocumentSequence.fdseq\"/>"
    "</Relationships>";

const char* const kSequence =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<FixedDocumentSequence xmlns=\"http://schemas.microsoft.com/xps/2005/06\">"
    "<DocumentReference Source=\"/Documents/1/FixedDocument.fdoc\"/>"
    "</FixedDocumentSequence>";

std::string PagePath(int page)
{
    return "Documents/1/Pages/" + std::to_string(page) + ".fpage";
}

std::string ImagePath(int page)
{
    return "Documents/1/Resources/Images/" + std::to_string(page) + ".png";
}

std::string Size(int width, int height)
{
    return "Width=\"" + std::to_string(width) + "\" Height=\"" + std::to_string(height) + "\"";
}

std::string FixedPage(int page, int width, int height)
{
    const std::string w = std::to_string(width);
    const std::string h = std::to_string(height);
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<FixedPage xmlns=\"http://schemas.microsoft.com/xps/2005/06\" " +
           Size(width, height) + " xml:lang=\"en-US\">"
           "<Path Data=\"M 0,0 L " + w + ",0 " + w + "," + h + " 0," + h + " Z\">"
           "<Path.Fill><ImageBrush ImageSource=\"/" + ImagePath(page) + "\" Viewbox=\"0,0," + w + "," + h +
           "\" ViewboxUnits=\"Absolute\" Viewport=\"0,0," + w + "," + h +
           "\" ViewportUnits=\"Absolute\"/></Path.Fill></Path></FixedPage>";
}

std::string PageRelationships(int page)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
           "<Relationship Id=\"R1\" Type=\"http://schemas.microsoft.com/xps/2005/06/required-resource\" "
           "Target=\"/" + ImagePath(page) + "\"/></Relationships>";
}

std::string Png(const QImage& image)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!image.convertToFormat(QImage::Format_RGB32).save(&buffer, "PNG"))
        return {};
    return buffer.data().toStdString();
}

}  // namespace

std::string ExportXps(CReportPrintout& printout, CReportBudget& budget, double dotsPerInch)
{
    CPainterGraphics measuring;
    const int pages = printout.LayOutPage(measuring, 0);
    if (!budget.FitsPages(pages))
        return {};

    // The archive refuses entries past the budget's bytes; the budget learns its size
    // after each page.
    CZipWriter zip(static_cast<uint64_t>(budget.MaxBytes()));
    std::string document = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                           "<FixedDocument xmlns=\"http://schemas.microsoft.com/xps/2005/06\">";
    bool added = zip.Add("[Content_Types].xml", kContentTypes) && zip.Add("_rels/.rels", kPackageRelationships) &&
                 zip.Add("FixedDocumentSequence.fdseq", kSequence);
    for (int page = 1; added && page <= pages; ++page) {
        if (!budget.AddPage())
            return {};
        const bool landscape = printout.PageOrientation(page) == CReportPrintout::kLandscape;
        const int width = landscape ? kLetterLong : kLetterShort;
        const int height = landscape ? kLetterShort : kLetterLong;
        const std::string png = Png(RenderReportPage(printout, page, dotsPerInch));
        if (png.empty())
            return {};
        document += "<PageContent Source=\"/" + PagePath(page) + "\" " + Size(width, height) + "/>";
        const std::string fixedPage = FixedPage(page, width, height);
        const std::string relationships = PageRelationships(page);
        added = zip.Add(PagePath(page), fixedPage) &&
                zip.Add("Documents/1/Pages/_rels/" + std::to_string(page) + ".fpage.rels", relationships) &&
                zip.Add(ImagePath(page), png);
        // A part the archive refused counts as if it had been added: past the budget
        // either way when that was why.
        const uint64_t size = added ? zip.Size() : zip.Size() + fixedPage.size() + relationships.size() + png.size();
        if (!budget.SetDocumentBytes(static_cast<int64_t>(size)))
            return {};
    }
    document += "</FixedDocument>";
    if (!added)
        return {};
    added = zip.Add("Documents/1/FixedDocument.fdoc", document);
    if (!budget.SetDocumentBytes(static_cast<int64_t>(added ? zip.Size() : zip.Size() + document.size())) || !added)
        return {};
    return zip.Finish();
}
