// Opens arbitrary bytes as a report file and, when they load, paginates the printout
// and draws its first pages on an image. Malformed input must end in a message, never
// a crash, a hang or an unbounded allocation; absurd sizes must not stall the layout.
#include "codec/mem_file.h"
#include "report/headless_gui.h"
#include "report/page_image.h"
#include "report/painter_graphics.h"
#include "report/report_file.h"
#include "report/report_printout.h"

#include <QImage>

#include <algorithm>
#include <cstdint>
#include <string>

namespace {

constexpr int kPagesDrawn = 3;
constexpr double kDotsPerInch = 24;  // small images: the drawing paths, not the pixels

}  // namespace

// Font fallback for characters that the report fonts lack goes through fontconfig,
// whose caches Qt keeps for the life of the process; they are not leaks of ours.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    EnsureHeadlessGui();
    CMemFile file(std::string(reinterpret_cast<const char*>(data), size));
    const CReportLoadResult loaded = ReadReportStream(file);
    if (!loaded.Ok())
        return 0;
    CReportPrintout& printout = *loaded.printout;
    CPainterGraphics measuring;
    const int pages = printout.LayOutPage(measuring, 0);
    for (int page = 1; page <= std::min(pages, kPagesDrawn); ++page)
        RenderReportPage(printout, page, kDotsPerInch);
    // Storing what was loaded must work too.
    StoreReportBlock(printout);
    return 0;
}
