#pragma once
// Case records for the report generator's tests, and the report context they run in.

#include "records/audit_case.h"
#include "server/reports/built_in_reports.h"

#include <string>
#include <vector>

// The tests' "today": 1 March 2024, as a day count of the wire's dates.
inline constexpr int64_t kToday = 45352;

inline CReportContext TestContext()
{
    CReportContext context;
    context.today = kToday;
    return context;
}

inline CAuditCase MakeCase(const std::string& number, const std::string& parent, const std::string& child,
                           double premium, int dueDaysAgo = 0, bool hasDue = true)
{
    CAuditCase item;
    item.caseNumber = number;
    item.parentName = parent;
    item.childName = child;
    item.insuredName = "Insured " + number;
    item.policyNumber = "WC-" + number;
    item.policyEstPremium = premium;
    item.childGroupCode = 1;
    if (hasDue)
        item.auditorDueDate = {CDateTime::valid, static_cast<double>(kToday - dueDaysAgo)};
    return item;
}

// Seven cases under two parents and none: overdue by 10, 45, 75 and 120 days, one due
// in the future, one without a due date, and one completed.
inline std::vector<CAuditCase> SampleCases()
{
    std::vector<CAuditCase> cases;
    cases.push_back(MakeCase("A-300", "Northwind Mutual", "jdoe", 1200.50, 10));
    cases.push_back(MakeCase("A-100", "Northwind Mutual", "asmith", 800, 45));
    cases.push_back(MakeCase("B-200", "Blue Ridge Insurance", "jdoe", 2500, 120));
    cases.push_back(MakeCase("B-100", "Blue Ridge Insurance", "", 100, -5));
    cases.push_back(MakeCase("C-100", "", "asmith", 50, 0, false));
    cases.push_back(MakeCase("C-200", "", "jdoe", 75.25, 75));
    CAuditCase done = MakeCase("D-100", "Northwind Mutual", "jdoe", 1000, 200);
    done.completed = true;
    cases.push_back(done);
    return cases;
}
