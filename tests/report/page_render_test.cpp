// Whole pages drawn as images. With ORV_REPORT_PNG_DIR set, the pages are also written
// there as PNG files to look at.
#include "sample_report.h"

#include "report/page_image.h"
#include "report/painter_graphics.h"

#include <gtest/gtest.h>

#include <cstdlib>

TEST(PageRender, SampleReportPagesReadLikeAReport)
{
    UseHeadlessGui();
    CReportPrintout printout = SampleReport();
    CPainterGraphics measuring;
    const int pages = printout.LayOutPage(measuring, 0);
    // The audit grid and its notes fill two portrait pages, the side-by-side and
    // abreast grids follow on page 2 or 3; then a landscape page and the picture.
    ASSERT_GE(pages, 4);
    EXPECT_EQ(printout.PageOrientation(1), CReportPrintout::kPortrait);
    EXPECT_EQ(printout.PageOrientation(pages - 1), CReportPrintout::kLandscape);
    EXPECT_EQ(printout.PageOrientation(pages), CReportPrintout::kPortrait);

    const char* folder = std::getenv("ORV_REPORT_PNG_DIR");
    for (int page = 1; page <= pages; ++page) {
        const QImage image = RenderReportPage(printout, page, 96);
        ASSERT_FALSE(image.isNull());
        const bool landscape = printout.PageOrientation(page) == CReportPrintout::kLandscape;
        EXPECT_EQ(image.width() > image.height(), landscape) << page;
        // Ink on every page, and none in the left margin of the sheet.
        EXPECT_GT(DarkPixels(image, image.rect()), 2000) << page;
        const int margin = landscape ? 48 : 24;
        EXPECT_EQ(DarkPixels(image, QRect(0, 0, margin - 1, image.height())), 0) << page;
        if (folder)
            image.save(QString("%1/page-%2.png").arg(folder).arg(page));
    }
    EXPECT_TRUE(RenderReportPage(printout, pages + 1).isNull());
}
