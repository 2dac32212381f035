#pragma once
// The report files the server runs itself. Each builds a printout from the cases it is
// given, in the order given.

#include "report/report_printout.h"

#include <cstdint>
#include <memory>
#include <vector>

class CAuditCase;

// What a report needs besides its cases.
struct CReportContext {
    int64_t today = 0;  // the day the report is run, as a day count of the wire's dates
};

using CaseList = std::vector<const CAuditCase*>;

// Every case under its parent: one grid per parent with a total row, and the totals of
// all parents at the end.
std::shared_ptr<CReportPrintout> BuildCaseListing(const CaseList& cases, const CReportContext& context);
// Open cases by how far past their due date they are: a summary of the age brackets
// beside the overdue count of each auditor, then the cases of each bracket.
std::shared_ptr<CReportPrintout> BuildDueDateAging(const CaseList& cases, const CReportContext& context);
// One or more landscape pages per case with all its data and its policy pages.
std::shared_ptr<CReportPrintout> BuildCaseDetail(const CaseList& cases, const CReportContext& context);

// The page header every built-in report carries: the report title in a title bar, and
// one line under it.
void SetPageHeader(CReportPrintout& printout, const std::string& title, const std::string& line);
