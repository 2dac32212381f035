#include "server/reports/report_generator.h"

#include "records/audit_case.h"
#include "report/headless_gui.h"
#include "report/report_file.h"
#include "server/reports/audit_printout.h"
#include "server/reports/pdf_export.h"
#include "server/reports/report_text.h"
#include "server/reports/tiff_export.h"
#include "server/reports/xps_export.h"

#include <algorithm>
#include <set>

namespace {

struct BuiltIn {
    const char* file;
    const char* title;
    std::shared_ptr<CReportPrintout> (*build)(const CaseList&, const CReportContext&, CReportBudget&);
};

const BuiltIn kBuiltIns[] = {
    {ReportFiles::kCaseListing, "Case Listing by Parent", &BuildCaseListing},
    {ReportFiles::kDueDateAging, "Due Date Aging", &BuildDueDateAging},
    {ReportFiles::kCaseDetail, "Case Detail", &BuildCaseDetail},
};

const BuiltIn* Find(const std::string& file)
{
    for (const BuiltIn& builtIn : kBuiltIns)
        if (file == builtIn.file)
            return &builtIn;
    return nullptr;
}

CGeneratedReport Failed(std::string error)
{
    return {false, {}, std::move(error)};
}

CGeneratedReport OverBudget(const CReportBudget& budget)
{
    return {false, {}, "Stopped while being built: " + budget.Reason(), true};
}

// The cases of the run: those selected, then only those created within the context's
// dates.
CaseList CasesOfRun(const std::vector<CAuditCase>& cases, const std::vector<std::string>& caseNumbers,
                    const CReportContext& context)
{
    CaseList selected = ReportGenerator::SelectCases(cases, caseNumbers);
    std::erase_if(selected, [&](const CAuditCase* item) { return !CreatedWithin(*item, context); });
    return selected;
}

}  // namespace

void InitReportGenerator()
{
    EnsureHeadlessGui();
}

namespace ReportGenerator {

const std::vector<std::string>& ReportFileNames()
{
    static const std::vector<std::string> names = [] {
        std::vector<std::string> list;
        for (const BuiltIn& builtIn : kBuiltIns)
            list.emplace_back(builtIn.file);
        return list;
    }();
    return names;
}

bool IsReportFile(const std::string& name)
{
    return Find(name) != nullptr;
}

std::string OwnTitle(const std::string& reportFile)
{
    const BuiltIn* builtIn = Find(reportFile);
    return builtIn ? builtIn->title : "";
}

CaseList SelectCases(const std::vector<CAuditCase>& cases, const std::vector<std::string>& caseNumbers)
{
    CaseList selected;
    if (caseNumbers.empty()) {
        for (const CAuditCase& item : cases)
            selected.push_back(&item);
        return selected;
    }
    std::set<std::string> taken;
    for (const std::string& number : caseNumbers) {
        if (!taken.insert(number).second)
            continue;
        const auto found = std::find_if(cases.begin(), cases.end(),
                                        [&](const CAuditCase& item) { return item.caseNumber == number; });
        if (found != cases.end())
            selected.push_back(&*found);
    }
    return selected;
}

std::shared_ptr<CReportPrintout> BuildPrintout(const std::string& reportFile, const std::vector<CAuditCase>& cases,
                                               const std::vector<std::string>& caseNumbers,
                                               const CReportContext& context)
{
    const BuiltIn* builtIn = Find(reportFile);
    if (!builtIn)
        return nullptr;
    CReportBudget unlimited;
    return builtIn->build(CasesOfRun(cases, caseNumbers, context), context, unlimited);
}

CGeneratedReport Finish(CReportPrintout& printout, int32_t outputKind, const std::string& title,
                        CReportBudget& budget)
{
    CGeneratedReport report;
    switch (outputKind) {
    case ReportOutput::printout:
        report.bytes = StoreReportBlock(printout);
        break;
    case ReportOutput::pdf:
        report.bytes = ExportPdf(printout, title, budget);
        break;
    case ReportOutput::tiff:
        report.bytes = ExportTiff(printout, budget);
        break;
    case ReportOutput::xps:
        report.bytes = ExportXps(printout, budget);
        break;
    default:
        return Failed("Unknown output kind " + std::to_string(outputKind));
    }
    if (budget.Exceeded())
        return OverBudget(budget);
    if (report.bytes.empty())
        return Failed("The document could not be made");
    report.ok = true;
    return report;
}

CGeneratedReport Generate(const std::string& reportFile, const std::vector<CAuditCase>& cases,
                          const std::vector<std::string>& caseNumbers, int32_t outputKind, CReportContext context)
{
    CReportBudget unlimited;
    return Generate(reportFile, cases, caseNumbers, outputKind, std::move(context), unlimited);
}

CGeneratedReport Generate(const std::string& reportFile, const std::vector<CAuditCase>& cases,
                          const std::vector<std::string>& caseNumbers, int32_t outputKind, CReportContext context,
                          CReportBudget& budget)
{
    const BuiltIn* builtIn = Find(reportFile);
    if (!builtIn)
        return Failed("Unknown report file " + reportFile);
    if (context.today == 0)
        context.today = ReportText::Today();
    std::shared_ptr<CReportPrintout> printout =
        builtIn->build(CasesOfRun(cases, caseNumbers, context), context, budget);
    if (!printout)
        return OverBudget(budget);
    return Finish(*printout, outputKind, ReportTitle(context, builtIn->title), budget);
}

CGeneratedReport RenderAttachment(const std::string& documentBytes, int32_t outputKind)
{
    CReportBudget unlimited;
    return RenderAttachment(documentBytes, outputKind, unlimited);
}

CGeneratedReport RenderAttachment(const std::string& documentBytes, int32_t outputKind, CReportBudget& budget)
{
    CAuditParseResult parsed = ParseAuditDocument(documentBytes);
    if (!parsed.document)
        return Failed(parsed.error);
    std::shared_ptr<CReportPrintout> printout = BuildAuditPrintout(*parsed.document, budget);
    if (!printout)
        return OverBudget(budget);
    return Finish(*printout, outputKind, parsed.document->title, budget);
}

}  // namespace ReportGenerator
