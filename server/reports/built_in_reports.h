#pragma once
// The report files the server runs itself. Each builds a printout from the cases it is
// given, in the order given.

#include "report/report_printout.h"
#include "server/reports/report_budget.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CAuditCase;

// What a report needs besides its cases: the day it runs and the settings of the report
// view that runs it. The defaults print each report in full under its own title.
struct CReportContext {
    int64_t today = 0;  // the day the report is run, as a day count of the wire's dates

    std::string title;                   // the page header's title; empty: the report's own
    std::optional<int64_t> createdFrom;  // only cases created on or after this day
    std::optional<int64_t> createdTo;    // only cases created on or before this day
    bool includeClosed = true;           // Case Listing: completed and archived cases too
    bool orderByInsuredName = false;     // Case Listing: each parent's cases by insured name
    uint32_t stages = 0x1FF;             // Case Listing: bit g lists the cases of child group code g
    bool ageByMasterDueDate = false;     // Due Date Aging: the master due date alone counts
    bool listBracketCases = true;        // Due Date Aging: each bracket's cases after the summary
    bool printMemo = true;               // Case Detail
    bool printPolicyPages = true;        // Case Detail
};

using CaseList = std::vector<const CAuditCase*>;

// Every case under its parent: one grid per parent with a total row, and the totals of
// all parents at the end.
std::shared_ptr<CReportPrintout> BuildCaseListing(const CaseList& cases, const CReportContext& context,
                                                  CReportBudget& budget);
// Open cases by how far past their due date they are: a summary of the age brackets
// beside the overdue count of each auditor, then the cases of each bracket.
std::shared_ptr<CReportPrintout> BuildDueDateAging(const CaseList& cases, const CReportContext& context,
                                                   CReportBudget& budget);
// One or more landscape pages per case with all its data and its policy pages.
std::shared_ptr<CReportPrintout> BuildCaseDetail(const CaseList& cases, const CReportContext& context,
                                                 CReportBudget& budget);

// The page header every built-in report carries: the report title in a title bar, and
// one line under it.
void SetPageHeader(CReportPrintout& printout, const std::string& title, const std::string& line);
// The context's title, or the report's own when the context has none.
std::string ReportTitle(const CReportContext& context, const char* ownTitle);
// ", created MM/DD/YYYY - MM/DD/YYYY" (or "from" / "up to" one day) when the context
// limits the creation dates; empty otherwise.
std::string CreatedRangeNote(const CReportContext& context);
// Whether a case falls within the context's creation dates (a case without a creation
// date does not when there are any).
bool CreatedWithin(const CAuditCase& item, const CReportContext& context);
