#include "server/store/report_cases.h"

#include <set>

std::vector<CAuditCase> ReadReportCases(CDatabase& database, CCaseStore& cases, const SessionUser& user,
                                        const std::vector<std::string>& caseNumbers)
{
    CReadTransaction read(database);
    std::vector<std::string> numbers;
    if (caseNumbers.empty()) {
        CCachedStatement select = database.Prepare(user.boundToParent
                                                       ? "SELECT CaseNumber FROM Cases WHERE ParentName = ?"
                                                         " ORDER BY CaseNumber;"
                                                       : "SELECT CaseNumber FROM Cases ORDER BY CaseNumber;");
        if (user.boundToParent)
            select->BindText(1, user.parentName);
        while (select->Step())
            numbers.push_back(select->ColumnText(0));
    } else {
        std::set<std::string> taken;
        for (const std::string& number : caseNumbers)
            if (taken.insert(number).second)
                numbers.push_back(number);
    }
    std::vector<CAuditCase> result;
    result.reserve(numbers.size());
    for (const std::string& number : numbers) {
        CAuditCase record;
        if (cases.Reach(user, number, &record) != 0)
            result.push_back(std::move(record));
    }
    return result;
}
