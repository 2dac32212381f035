// Report layout cost beside serialization, measured in the same run on the same
// printout of about 1000 pages: pagination (the measure walk over every page), drawing
// page 500 (which measures pages 1 to 499 and the rest again), and writing the printout
// as a report block and as a compressed report file.
#include "codec/mem_file.h"
#include "report/headless_gui.h"
#include "report/page_image.h"
#include "report/painter_graphics.h"
#include "report/report_file.h"
#include "report/report_printout.h"
#include "report/rpt_grid_section.h"
#include "report/rpt_multi_text_section.h"
#include "report/static_grid.h"
#include "report/text_format.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kTargetPages = 1000;
constexpr int kRuns = 5;

// One region's part of the report: a note and a grid of 120 cases (a little over two
// pages).
void AddRegion(CReportPrintout& printout, int region)
{
    static const char* const kNames[] = {"Harbor Freight Logistics LLC", "Maple Street Bakery",
                                         "Northwind Plumbing & Heating", "Blue Ridge Construction Co.",
                                         "Summit Dental Group PC", "Riverside Auto Body"};
    auto note = std::make_shared<CRptMultiTextSection>();
    note->title = "Region " + std::to_string(region);
    note->text = "Open premium audits of the region, oldest due date first. Premiums are estimated from the "
                 "policy declarations and may change after review.";
    note->fontSize = 10;
    printout.sections.push_back(note);

    auto grid = std::make_shared<CStaticGrid>();
    grid->title = "Open Audits - Region " + std::to_string(region);
    grid->shadeTitle = 1;
    grid->cellFontSize = 9;
    grid->headerFontSize = 9;
    const int rights[] = {90, 330, 450, 540, 640, 780};
    const char* labels[] = {"Case No.", "Insured Name", "Auditor", "Due Date", "Status", "Premium"};
    for (int c = 0; c < 6; ++c) {
        grid->Column(static_cast<size_t>(c)).label = labels[c];
        grid->Column(static_cast<size_t>(c)).rightEdge = rights[c];
        grid->Column(static_cast<size_t>(c)).alignment = c == 5 ? TextFormat::kRight : 0;
    }
    for (int r = 0; r < 120; ++r) {
        std::string number = "PA-";
        number += std::to_string(region * 1000 + r);
        std::string premium = "$";
        premium += std::to_string(1200 + 37 * r);
        premium += ".00";
        grid->AddRow({number, kNames[r % 6], "J. Alvarez", "3/15/2025", "Assigned", premium});
    }
    auto section = std::make_shared<CRptGridSection>();
    section->grid = grid;
    printout.sections.push_back(section);
}

double Milliseconds(const std::function<void()>& work)
{
    double best = 1e300;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
        best = std::min(best, spent.count());
    }
    return best;
}

}  // namespace

int main()
{
    EnsureHeadlessGui();
    CReportPrintout printout;
    CPainterGraphics measuring;
    // Regions share pages, so the count is found by paginating as regions are added.
    for (int region = 1; printout.LayOutPage(measuring, 0) < kTargetPages; ++region)
        AddRegion(printout, region);

    int pages = 0;
    const double paginate = Milliseconds([&] { pages = printout.LayOutPage(measuring, 0); });
    QImage page;
    const double draw = Milliseconds([&] { page = RenderReportPage(printout, 500, 96); });
    std::string block;
    const double serialize = Milliseconds([&] { block = StoreReportBlock(printout); });
    size_t compressedSize = 0;
    const double compress = Milliseconds([&] {
        CMemFile file;
        WriteReportStream(printout, file);
        compressedSize = static_cast<size_t>(file.GetLength());
    });

    std::printf("printout: %d pages, %zu sections, report block %zu bytes, report file %zu bytes\n", pages,
                printout.sections.size(), block.size(), compressedSize);
    std::printf("best of %d runs, milliseconds:\n", kRuns);
    std::printf("  paginate all pages          %9.1f\n", paginate);
    std::printf("  draw page 500 (96 dpi)      %9.1f   (%s)\n", draw, page.isNull() ? "no page" : "drawn");
    std::printf("  serialize (report block)    %9.1f\n", serialize);
    std::printf("  serialize + compress (file) %9.1f\n", compress);
    return page.isNull() ? 1 : 0;
}
