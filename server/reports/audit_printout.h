#pragma once
// The printout of an audit or survey document: its heading fields as a grid under the
// title, then each section with its text blocks and tables. Tables too wide for a
// portrait page get landscape pages of their own. Null once the budget is passed.

#include "server/reports/audit_document.h"
#include "server/reports/report_budget.h"

#include <memory>

class CReportPrintout;

std::shared_ptr<CReportPrintout> BuildAuditPrintout(const CAuditDocument& document, CReportBudget& budget);
// Without a budget: the whole document.
inline std::shared_ptr<CReportPrintout> BuildAuditPrintout(const CAuditDocument& document)
{
    CReportBudget unlimited;
    return BuildAuditPrintout(document, unlimited);
}
