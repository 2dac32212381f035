#include "report_commands.h"

#include "report/headless_gui.h"
#include "report/painter_graphics.h"
#include "report/report_file.h"
#include "report/report_printout.h"
#include "report/rpt_double_grid_section.h"
#include "report/rpt_grid_section.h"
#include "report/rpt_metafile_section.h"
#include "report/rpt_multi3_grid_section.h"
#include "report/rpt_multi_text_section.h"
#include "report/static_grid.h"

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <stdexcept>

namespace {

constexpr size_t kMaxQuoted = 60;

// A text cut to a readable length, with line breaks and other bytes that are not
// printable ASCII escaped, so that a crafted file cannot send terminal escape sequences
// through the dump. Quotes and backslashes are escaped when the text goes in quotes.
std::string Escaped(const std::string& text, bool quoted)
{
    std::string out;
    for (size_t i = 0; i < text.size() && i < kMaxQuoted; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else if (c == '\t')
            out += "\\t";
        else if (quoted && (c == '"' || c == '\\'))
            out += std::string("\\") + static_cast<char>(c);
        else if (c < 0x20 || c >= 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        } else
            out += static_cast<char>(c);
    }
    if (quoted)
        out = '"' + out + '"';
    if (text.size() > kMaxQuoted)
        out += "... (" + std::to_string(text.size()) + " characters)";
    return out;
}

// A text in quotes, escaped as above.
std::string Quote(const std::string& text)
{
    return Escaped(text, true);
}

std::string OrientationName(int orientation)
{
    if (orientation == CReportPrintout::kPortrait)
        return "portrait";
    if (orientation == CReportPrintout::kLandscape)
        return "landscape";
    return "orientation " + std::to_string(orientation);
}

std::string Flags(const CReportSection& section)
{
    std::string flags;
    if (section.orientation != 0)
        flags += ", " + OrientationName(section.orientation);
    if (section.fullPage)
        flags += ", full page";
    if (section.newPage)
        flags += ", new page";
    if (section.skip)
        flags += ", skipped";
    return flags;
}

void DescribeGrid(std::ostream& out, const CStaticGrid& grid, const std::string& indent, int rowsShown)
{
    out << indent << "grid " << Quote(grid.title) << ": " << grid.columns.size() << " columns, " << grid.rows.size()
        << " rows, width " << grid.GetWidth() << ", title/header/row heights " << grid.titleHeight << "/"
        << grid.headerHeight << "/" << grid.rowHeight << ", fonts " << grid.titleFontSize << "/"
        << grid.headerFontSize << "/" << grid.cellFontSize << (grid.wrapCells ? ", wrapping cells" : "") << "\n";
    if (!grid.columns.empty()) {
        out << indent << "  columns:";
        for (size_t i = 0; i < grid.columns.size(); ++i) {
            const HeaderItem& column = grid.columns[i];
            out << (i ? ", " : " ") << Quote(column.label) << " to " << column.rightEdge;
        }
        out << "\n";
    }
    if (!grid.GetComment().empty())
        out << indent << "  comment: " << Quote(grid.GetComment()) << "\n";
    const size_t shown = rowsShown < 0 ? grid.rows.size() : std::min(grid.rows.size(), static_cast<size_t>(rowsShown));
    for (size_t r = 0; r < shown; ++r) {
        out << indent << "  row " << r + 1 << ":";
        const auto& cells = grid.rows[r].cells;
        for (size_t c = 0; c < cells.size(); ++c)
            out << (c ? " | " : " ") << Escaped(cells[c].text, false);
        out << "\n";
    }
    if (shown < grid.rows.size())
        out << indent << "  ... " << grid.rows.size() - shown << (grid.rows.size() - shown == 1 ? " more row\n" : " more rows\n");
}

void DescribeSection(std::ostream& out, const CReportSection* section, const std::string& indent, int rowsShown)
{
    if (!section) {
        out << "none\n";
        return;
    }
    const std::string inner = indent + "  ";
    if (const auto* text = dynamic_cast<const CRptMultiTextSection*>(section)) {
        out << "text" << Flags(*section) << ", font " << text->fontSize;
        if (!text->title.empty())
            out << ", title " << Quote(text->title);
        out << ": " << Quote(text->text) << "\n";
    } else if (const auto* grid = dynamic_cast<const CRptGridSection*>(section)) {
        out << "grid section" << Flags(*section) << "\n";
        if (grid->grid)
            DescribeGrid(out, *grid->grid, inner, rowsShown);
        else
            out << inner << "no grid\n";
    } else if (const auto* three = dynamic_cast<const CRptMulti3GridSection*>(section)) {
        out << "grids three abreast" << Flags(*section) << ", " << three->grids.size() << " grids"
            << (three->grids.size() % 3 ? " (not a multiple of 3: not printed)" : "") << "\n";
        for (const CStaticGrid& g : three->grids)
            DescribeGrid(out, g, inner, rowsShown);
    } else if (const auto* twin = dynamic_cast<const CRptDoubleGridSection*>(section)) {
        out << "grids side by side" << Flags(*section) << ", left area to " << twin->leftAreaRight
            << ", right grid at " << twin->rightGridX << "\n";
        for (const auto* g : {twin->left.get(), twin->right.get()}) {
            if (g)
                DescribeGrid(out, *g, inner, rowsShown);
            else
                out << inner << "no grid\n";
        }
    } else if (const auto* picture = dynamic_cast<const CRptMetafileSection*>(section)) {
        out << "picture" << Flags(*section) << ", " << picture->picture.GetBytes().size() << " bytes, kind "
            << picture->picture.kind << "\n";
    } else {
        out << "empty section" << Flags(*section) << "\n";
    }
}

// "4 (1-2 portrait, 3 landscape, 4 portrait)"
std::string PageSummary(const CReportPrintout& printout, int pages)
{
    std::string text = std::to_string(pages) + " (";
    const auto& orientations = printout.PageOrientations();
    for (size_t first = 0; first < orientations.size();) {
        size_t last = first;
        while (last + 1 < orientations.size() && orientations[last + 1] == orientations[first])
            ++last;
        if (first)
            text += ", ";
        text += std::to_string(first + 1);
        if (last > first)
            text += "-" + std::to_string(last + 1);
        text += " " + OrientationName(orientations[first]);
        first = last + 1;
    }
    return text + ")";
}

}  // namespace

std::string DescribePrintout(CReportPrintout& printout, int rowsPerGrid)
{
    std::ostringstream out;
    out << "printout: " << printout.sections.size() << " sections, " << OrientationName(printout.defaultOrientation)
        << ", section gap " << printout.sectionGap << ", header height " << printout.headerHeight
        << ", footer height " << printout.footerHeight
        << (printout.shadeRemainder ? ", shaded remainder" : "") << "\n";
    out << "header: ";
    DescribeSection(out, printout.header.get(), "", rowsPerGrid);
    out << "footer: ";
    DescribeSection(out, printout.footer.get(), "", rowsPerGrid);
    for (size_t i = 0; i < printout.sections.size(); ++i) {
        out << "section " << i + 1 << ": ";
        DescribeSection(out, printout.sections[i].get(), "", rowsPerGrid);
    }
    EnsureHeadlessGui();
    CPainterGraphics measuring;
    const int pages = printout.LayOutPage(measuring, 0);
    out << "pages: " << PageSummary(printout, pages) << "\n";
    return out.str();
}

CToolResult RunDumpReport(const std::vector<std::string>& args)
{
    std::string path;
    int rows = 3;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--rows") {
            if (i + 1 >= args.size())
                return {2, "", "--rows needs a number"};
            try {
                size_t used = 0;
                rows = std::stoi(args[++i], &used);
                if (used != args[i].size() || rows < -1)
                    throw std::invalid_argument("rows");
            } catch (const std::exception&) {
                return {2, "", "--rows needs a number of rows, or -1 for all"};
            }
        } else if (path.empty() && !args[i].empty() && args[i][0] != '-') {
            path = args[i];
        } else {
            return {2, "", "unknown option: " + args[i]};
        }
    }
    if (path.empty())
        return {2, "", "dump-report needs a report file"};

    const CReportLoadResult loaded = OpenReportFile(path);
    if (!loaded.Ok())
        return {1, "", path + ": " + loaded.message};
    return {0, "report file: " + path + "\n" + DescribePrintout(*loaded.printout, rows), ""};
}
