#include "server/reports/audit_printout.h"

#include "report/report_printout.h"
#include "report/text_format.h"
#include "server/reports/built_in_reports.h"
#include "server/reports/grid_builder.h"

#include <algorithm>
#include <cmath>

namespace {

// Column widths follow the longest text of each column at about this many page units
// a character, within these bounds.
constexpr double kUnitsPerChar = 6.5;
constexpr int32_t kMinColumnWidth = 45;
constexpr int32_t kMaxColumnWidth = 400;
constexpr int32_t kPortraitWidth = 785;
constexpr int32_t kLandscapeWidth = 985;

bool LooksNumeric(const std::string& text)
{
    if (text.empty())
        return false;
    bool digit = false;
    for (char c : text) {
        if (c >= '0' && c <= '9')
            digit = true;
        else if (c != ',' && c != '.' && c != '-' && c != '+' && c != '$' && c != '%' && c != ' ')
            return false;
    }
    return digit;
}

std::shared_ptr<CReportSection> TableSection(const CAuditTable& table, const std::string& title, CReportBudget& budget)
{
    const size_t count = table.header.size();
    std::vector<double> natural(count);
    std::vector<bool> numeric(count, true);
    std::vector<bool> anyText(count, false);
    for (size_t c = 0; c < count; ++c)
        natural[c] = static_cast<double>(table.header[c].size());
    for (const auto& row : table.rows)
        for (size_t c = 0; c < count; ++c) {
            natural[c] = std::max(natural[c], static_cast<double>(row[c].size()));
            if (!row[c].empty()) {
                anyText[c] = true;
                numeric[c] = numeric[c] && LooksNumeric(row[c]);
            }
        }
    double total = 0;
    for (double& width : natural) {
        width = std::clamp(width * kUnitsPerChar + 10, static_cast<double>(kMinColumnWidth),
                           static_cast<double>(kMaxColumnWidth));
        total += width;
    }
    const bool landscape = total > kPortraitWidth;
    const double room = landscape ? kLandscapeWidth : kPortraitWidth;
    const double scale = total > room ? room / total : 1.0;

    std::vector<CGridColumn> columns;
    for (size_t c = 0; c < count; ++c)
        columns.push_back({table.header[c], static_cast<int32_t>(std::floor(natural[c] * scale)),
                           anyText[c] && numeric[c] ? TextFormat::kRight : 0u});
    auto grid = ReportBlocks::Grid(title, columns);
    for (const auto& row : table.rows)
        if (!ReportBlocks::AddRow(*grid, row, budget))
            return nullptr;
    auto section = ReportBlocks::GridSection(grid);
    if (landscape)
        section->orientation = CReportPrintout::kLandscape;
    return section;
}

}  // namespace

std::shared_ptr<CReportPrintout> BuildAuditPrintout(const CAuditDocument& document, CReportBudget& budget)
{
    auto printout = std::make_shared<CReportPrintout>();
    SetPageHeader(*printout, document.title,
                  document.kind == CAuditDocument::Kind::audit ? "Premium audit" : "Loss-control survey");
    if (!document.fields.empty()) {
        auto fields = ReportBlocks::Grid("", {{"Item", 220, 0}, {"Entry", 565, 0}});
        for (const auto& [name, value] : document.fields)
            if (!ReportBlocks::AddRow(*fields, {name, value}, budget))
                return nullptr;
        printout->sections.push_back(ReportBlocks::GridSection(fields));
    }
    for (const CAuditSection& section : document.sections) {
        bool first = true;
        for (const CAuditPart& part : section.parts) {
            const std::string title = first ? section.heading : std::string();
            if (part.IsTable()) {
                auto table = TableSection(part.table, title, budget);
                if (!table)
                    return nullptr;
                printout->sections.push_back(std::move(table));
            } else if (!ReportBlocks::AddText(*printout, ReportBlocks::Text(title, part.text), budget)) {
                return nullptr;
            }
            first = false;
        }
        if (section.parts.empty() && !section.heading.empty())
            printout->sections.push_back(ReportBlocks::Text(section.heading, " "));
    }
    return printout;
}
