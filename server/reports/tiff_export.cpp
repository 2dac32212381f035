#include "server/reports/tiff_export.h"

#include "report/page_image.h"
#include "report/painter_graphics.h"
#include "report/report_printout.h"

#include <QImage>

#include <tiffio.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

// The file being written, in memory: libtiff writes, seeks back to link directories,
// and reads what it wrote.
struct MemoryFile {
    std::string bytes;
    uint64_t position = 0;
};

tmsize_t ReadProc(thandle_t handle, void* buffer, tmsize_t size)
{
    auto* file = static_cast<MemoryFile*>(handle);
    if (size < 0 || file->position >= file->bytes.size())
        return 0;
    const auto count = std::min<uint64_t>(static_cast<uint64_t>(size), file->bytes.size() - file->position);
    std::memcpy(buffer, file->bytes.data() + file->position, count);
    file->position += count;
    return static_cast<tmsize_t>(count);
}

tmsize_t WriteProc(thandle_t handle, void* buffer, tmsize_t size)
{
    auto* file = static_cast<MemoryFile*>(handle);
    if (size < 0)
        return -1;
    const auto end = file->position + static_cast<uint64_t>(size);
    if (end > file->bytes.size())
        file->bytes.resize(end);
    std::memcpy(file->bytes.data() + file->position, buffer, static_cast<size_t>(size));
    file->position = end;
    return size;
}

toff_t SeekProc(thandle_t handle, toff_t offset, int whence)
{
    auto* file = static_cast<MemoryFile*>(handle);
    uint64_t base = 0;
    if (whence == SEEK_CUR)
        base = file->position;
    else if (whence == SEEK_END)
        base = file->bytes.size();
    file->position = base + offset;
    return file->position;
}

int CloseProc(thandle_t)
{
    return 0;
}

toff_t SizeProc(thandle_t handle)
{
    return static_cast<MemoryFile*>(handle)->bytes.size();
}

int MapProc(thandle_t, void**, toff_t*)
{
    return 0;
}

void UnmapProc(thandle_t, void*, toff_t) {}

struct TiffCloser {
    void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};

bool WritePage(TIFF* tiff, const QImage& sheet, int page, int pages, double dotsPerInch)
{
    const QImage grey = sheet.convertToFormat(QImage::Format_Grayscale8);
    TIFFSetField(tiff, TIFFTAG_SUBFILETYPE, FILETYPE_PAGE);
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, static_cast<uint32_t>(grey.width()));
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, static_cast<uint32_t>(grey.height()));
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 1);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
    TIFFSetField(tiff, TIFFTAG_PREDICTOR, PREDICTOR_HORIZONTAL);
    // Strips of about 64 KiB.
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, static_cast<uint32_t>(std::max(1, (64 << 10) / std::max(1, grey.width()))));
    TIFFSetField(tiff, TIFFTAG_XRESOLUTION, static_cast<float>(dotsPerInch));
    TIFFSetField(tiff, TIFFTAG_YRESOLUTION, static_cast<float>(dotsPerInch));
    TIFFSetField(tiff, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
    TIFFSetField(tiff, TIFFTAG_PAGENUMBER, static_cast<uint16_t>(page - 1), static_cast<uint16_t>(pages));
    TIFFSetField(tiff, TIFFTAG_SOFTWARE, "Orvenna inventory server");
    for (int row = 0; row < grey.height(); ++row) {
        // libtiff takes a non-const buffer and may change it (the predictor works in place).
        std::string line(reinterpret_cast<const char*>(grey.constScanLine(row)), static_cast<size_t>(grey.width()));
        if (TIFFWriteScanline(tiff, line.data(), static_cast<uint32_t>(row), 0) < 0)
            return false;
    }
    return TIFFWriteDirectory(tiff) != 0;
}

}  // namespace

std::string ExportTiff(CReportPrintout& printout, CReportBudget& budget, double dotsPerInch)
{
    CPainterGraphics measuring;
    const int pages = printout.LayOutPage(measuring, 0);
    if (!budget.FitsPages(pages))
        return {};
    MemoryFile file;
    {
        std::unique_ptr<TIFF, TiffCloser> tiff(TIFFClientOpen("report.tif", "w", &file, ReadProc, WriteProc, SeekProc,
                                                             CloseProc, SizeProc, MapProc, UnmapProc));
        if (!tiff)
            return {};
        for (int page = 1; page <= pages; ++page) {
            if (!budget.AddPage())
                return {};
            const QImage sheet = RenderReportPage(printout, page, dotsPerInch);
            if (sheet.isNull() || !WritePage(tiff.get(), sheet, page, pages, dotsPerInch) ||
                !budget.SetDocumentBytes(static_cast<int64_t>(file.bytes.size())))
                return {};
        }
    }
    if (!budget.SetDocumentBytes(static_cast<int64_t>(file.bytes.size())))
        return {};
    return std::move(file.bytes);
}
