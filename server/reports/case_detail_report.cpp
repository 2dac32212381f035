#include "server/reports/built_in_reports.h"

#include "records/audit_case.h"
#include "report/rpt_double_grid_section.h"
#include "server/reports/grid_builder.h"
#include "server/reports/report_text.h"

namespace {

constexpr int32_t kFieldWidth = 150;
constexpr int32_t kValueWidth = 335;
constexpr int32_t kRightGridX = 505;

using Rows = std::vector<std::pair<std::string, std::string>>;

std::shared_ptr<CStaticGrid> FieldGrid(const std::string& title, const Rows& rows, CReportBudget& budget)
{
    auto grid = ReportBlocks::Grid(title, {{"Field", kFieldWidth, 0}, {"Value", kValueWidth, 0}});
    for (const auto& [field, value] : rows)
        ReportBlocks::AddRow(*grid, {field, value}, budget);
    return grid;
}

std::shared_ptr<CRptDoubleGridSection> SideBySide(std::shared_ptr<CStaticGrid> left, std::shared_ptr<CStaticGrid> right)
{
    auto section = std::make_shared<CRptDoubleGridSection>();
    section->orientation = CReportPrintout::kLandscape;
    section->left = std::move(left);
    section->right = std::move(right);
    section->leftAreaRight = kFieldWidth + kValueWidth + 1;  // a filler box as wide as the left grid
    section->rightGridX = kRightGridX;
    return section;
}

std::string Joined(std::initializer_list<std::string> parts, const char* separator)
{
    std::string text;
    for (const std::string& part : parts) {
        if (part.empty())
            continue;
        if (!text.empty())
            text += separator;
        text += part;
    }
    return text;
}

std::string Address(const std::string& line1, const std::string& line2)
{
    return Joined({line1, line2}, ", ");
}

std::string Place(const std::string& city, const std::string& state, const std::string& zip)
{
    return Joined({Joined({city, state}, ", "), zip}, " ");
}

std::string Period(const CDateTime& from, const CDateTime& to)
{
    const std::string start = ReportText::Date(from);
    const std::string end = ReportText::Date(to);
    return start.empty() && end.empty() ? std::string() : start + " - " + end;
}

std::string Status(const CAuditCase& item)
{
    std::string status = item.completed ? "Completed" : "Open";
    if (item.archive)
        status += ", archived";
    if (item.priority)
        status += ", priority";
    if (item.nonProductive)
        status += ", non-productive";
    if (item.correction)
        status += ", correction";
    return status;
}

// Adds the case's pages; false once the budget is passed.
bool AddCase(CReportPrintout& printout, const CAuditCase& item, bool first, const CReportContext& context,
             CReportBudget& budget)
{
    auto heading = ReportBlocks::Text(
        "Case " + item.caseNumber + (item.insuredName.empty() ? "" : " - " + item.insuredName),
        "Status: " + Status(item) + "\nAuditor due date: " + ReportText::Date(item.auditorDueDate) +
            "    Master due date: " + ReportText::Date(item.masterDueDate) +
            "\nCreated: " + ReportText::Date(item.dateCreated) + "    Assigned: " +
            ReportText::Date(item.dateAssigned) + "    Returned: " + ReportText::Date(item.dateReturned) +
            (item.serialNumber.empty() ? "" : "\nSerial number: " + item.serialNumber));
    heading->orientation = CReportPrintout::kLandscape;
    heading->newPage = first ? 0 : 1;
    ReportBlocks::AddText(printout, heading, budget);

    printout.sections.push_back(SideBySide(
        FieldGrid("Insured", {{"Name", item.insuredName},
                              {"Federal ID", item.insuredFedId},
                              {"Address", Address(item.insuredAddress1, item.insuredAddress2)},
                              {"City", Place(item.insuredCity, item.insuredState, item.insuredZip)},
                              {"Phone", item.insuredPhone},
                              {"Fax", item.insuredFax},
                              {"E-Mail", item.insuredEMail},
                              {"Entity", item.insuredEntity}},
                  budget),
        FieldGrid("Policy", {{"Carrier", item.policyCarrier},
                             {"Type", item.policyType},
                             {"Number", item.policyNumber},
                             {"Period", Period(item.policyStartDate, item.policyEndDate)},
                             {"Est. Premium", ReportText::Amount(item.policyEstPremium)},
                             {"Parent", item.parentName},
                             {"Auditor", item.childName},
                             {"Region / Territory", Joined({item.regionName, item.territoryName}, " / ")}},
                  budget)));

    printout.sections.push_back(SideBySide(
        FieldGrid("Audit Location", {{"Name", item.auditLocationName},
                                     {"Contact", item.auditContact},
                                     {"Address", Address(item.auditAddress1, item.auditAddress2)},
                                     {"City", Place(item.auditCity, item.auditState, item.auditZip)},
                                     {"County", item.auditCounty},
                                     {"Phone", item.auditPhone},
                                     {"Audit Period", Period(item.auditStartDate, item.auditEndDate)}},
                  budget),
        FieldGrid("Agent", {{"Contact", item.agentContact},
                            {"Company", item.agentCompany},
                            {"Address", Address(item.agentAddress1, item.agentAddress2)},
                            {"City", Place(item.agentCity, item.agentState, item.agentZip)},
                            {"Phone", item.agentPhone},
                            {"Fax", item.agentFax},
                            {"E-Mail", item.agentEMail}},
                  budget)));

    if (context.printMemo && !item.memo.empty()) {
        auto memo = ReportBlocks::Text("Memo", item.memo);
        memo->orientation = CReportPrintout::kLandscape;
        ReportBlocks::AddText(printout, memo, budget);
    }
    if (!context.printPolicyPages)
        return !budget.Exceeded();
    for (const CPolicyPage& page : item.policyPages) {
        auto text = ReportBlocks::Text(page.label.empty() ? "Policy Detail" : page.label, page.text);
        text->orientation = CReportPrintout::kLandscape;
        if (!ReportBlocks::AddText(printout, text, budget))
            return false;
    }
    return !budget.Exceeded();
}

}  // namespace

std::shared_ptr<CReportPrintout> BuildCaseDetail(const CaseList& cases, const CReportContext& context,
                                                 CReportBudget& budget)
{
    auto printout = std::make_shared<CReportPrintout>();
    printout->defaultOrientation = CReportPrintout::kLandscape;
    SetPageHeader(*printout, ReportTitle(context, "Case Detail"),
                  "As of " + ReportText::DateOfDay(context.today) + CreatedRangeNote(context));
    for (size_t i = 0; i < cases.size(); ++i)
        if (!AddCase(*printout, *cases[i], i == 0, context, budget))
            return nullptr;
    if (cases.empty())
        printout->sections.push_back(ReportBlocks::Text("", "No cases were selected for this report."));
    return printout;
}
