#include "server/store/case_import.h"

#include "server/store/server_time.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <map>

namespace {

// Reads one value into the case; false when the text does not read as the field's type.
using FieldSetter = std::function<bool(const std::string& value, CAuditCase& record)>;

// An empty value keeps the field's default (a date becomes no date).
bool ReadInteger(const std::string& text, int32_t& value)
{
    if (text.empty())
        return true;
    errno = 0;
    char* end = nullptr;
    const long long parsed = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || parsed < INT32_MIN || parsed > INT32_MAX)
        return false;
    value = static_cast<int32_t>(parsed);
    return true;
}

bool ReadAmount(const std::string& text, double& value)
{
    if (text.empty())
        return true;
    errno = 0;
    char* end = nullptr;
    const double parsed = std::strtod(text.c_str(), &end);
    if (errno != 0 || *end != '\0' || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

bool ReadYesNo(const std::string& text, bool& value)
{
    if (text.empty())
        return true;
    std::string lower;
    for (const char c : text)
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower == "y" || lower == "yes" || lower == "true" || lower == "1")
        value = true;
    else if (lower == "n" || lower == "no" || lower == "false" || lower == "0")
        value = false;
    else
        return false;
    return true;
}

bool ReadDate(const std::string& text, CDateTime& value)
{
    if (text.empty()) {
        value = CDateTime{CDateTime::null, 0.0};
        return true;
    }
    int month = 0;
    int day = 0;
    int year = 0;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%2d/%2d/%4d%c", &month, &day, &year, &tail) != 3 || month < 1 || month > 12 ||
        day < 1 || year < 1900 || year > 9999)
        return false;
    static const int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    if (day > kDays[month - 1] || (month == 2 && day == 29 && !leap))
        return false;
    value = MakeDate(DayNumber(year, month, day));
    return true;
}

template <class T>
FieldSetter Text(std::string T::*member)
{
    return [member](const std::string& value, CAuditCase& record) {
        record.*member = value;
        return true;
    };
}

FieldSetter Integer(int32_t CAuditCase::*member)
{
    return [member](const std::string& value, CAuditCase& record) { return ReadInteger(value, record.*member); };
}

FieldSetter YesNo(bool CAuditCase::*member, bool inverted = false)
{
    return [member, inverted](const std::string& value, CAuditCase& record) {
        bool flag = inverted ? !(record.*member) : record.*member;
        if (!ReadYesNo(value, flag))
            return false;
        record.*member = inverted ? !flag : flag;
        return true;
    };
}

FieldSetter Date(CDateTime CAuditCase::*member)
{
    return [member](const std::string& value, CAuditCase& record) { return ReadDate(value, record.*member); };
}

const std::map<std::string, FieldSetter>& Setters()
{
    using A = CAuditCase;
    static const std::map<std::string, FieldSetter> setters = {
        {"[SerialNum]", Text(&A::serialNumber)},
        {"[SysDueDate]", Date(&A::masterDueDate)},
        {"[AuditorDueDate]", Date(&A::auditorDueDate)},
        {"[SysPriority]", YesNo(&A::priority)},
        {"[IsProductive]", YesNo(&A::nonProductive, true)},
        {"[IsCorrection]", YesNo(&A::correction)},
        {"[HasNewRpts]", YesNo(&A::hasNewProgressReports)},
        {"[Region]", Text(&A::regionName)},
        {"[Territory]", Text(&A::territoryName)},
        {"[SysParentName]", Text(&A::parentName)},
        {"[SysParentStatus]", Integer(&A::parentLinkStatus)},
        {"[DateAssigned]", Date(&A::dateAssigned)},
        {"[DateReturned]", Date(&A::dateReturned)},
        {"[SysChildName]", Text(&A::childName)},
        {"[SysChildStatus]", Integer(&A::childLinkStatus)},
        {"[ChildGroupCode]", Integer(&A::childGroupCode)},
        {"[AgentName]", Text(&A::agentContact)},
        {"[AgentCoName]", Text(&A::agentCompany)},
        {"[AgentAddress1]", Text(&A::agentAddress1)},
        {"[AgentAddress2]", Text(&A::agentAddress2)},
        {"[AgentCity]", Text(&A::agentCity)},
        {"[AgentState]", Text(&A::agentState)},
        {"[AgentZip]", Text(&A::agentZip)},
        {"[AgentPhone]", Text(&A::agentPhone)},
        {"[AgentFax]", Text(&A::agentFax)},
        {"[AgentEMail]", Text(&A::agentEMail)},
        {"[AuditContact]", Text(&A::auditContact)},
        {"[AuditLocName]", Text(&A::auditLocationName)},
        {"[AuditAddress1]", Text(&A::auditAddress1)},
        {"[AuditAddress2]", Text(&A::auditAddress2)},
        {"[AuditCity]", Text(&A::auditCity)},
        {"[AuditState]", Text(&A::auditState)},
        {"[AuditZip]", Text(&A::auditZip)},
        {"[AuditCounty]", Text(&A::auditCounty)},
        {"[AuditPhone]", Text(&A::auditPhone)},
        {"[AuditFax]", Text(&A::auditFax)},
        {"[AuditSrcCode]", Integer(&A::auditSource)},
        {"[AuditType]", Integer(&A::auditType)},
        {"[AuditStartDate]", Date(&A::auditStartDate)},
        {"[AuditEndDate]", Date(&A::auditEndDate)},
        {"[InsuredName]", Text(&A::insuredName)},
        {"[InsuredAddress1]", Text(&A::insuredAddress1)},
        {"[InsuredAddress2]", Text(&A::insuredAddress2)},
        {"[InsuredCity]", Text(&A::insuredCity)},
        {"[InsuredState]", Text(&A::insuredState)},
        {"[InsuredZip]", Text(&A::insuredZip)},
        {"[InsuredPhone]", Text(&A::insuredPhone)},
        {"[InsuredFax]", Text(&A::insuredFax)},
        {"[InsuredEMail]", Text(&A::insuredEMail)},
        {"[InsuredEntity]", Text(&A::insuredEntity)},
        {"[InsuredFedID]", Text(&A::insuredFedId)},
        {"[PolicyInsCo]", Text(&A::policyCarrier)},
        {"[PolicyNumber]", Text(&A::policyNumber)},
        {"[PolicyStartDate]", Date(&A::policyStartDate)},
        {"[PolicyEndDate]", Date(&A::policyEndDate)},
        {"[PolicyType]", Text(&A::policyType)},
        {"[PolicyCode]", Integer(&A::policyCode)},
        {"[PolicyEstPrem]",
         [](const std::string& value, CAuditCase& record) { return ReadAmount(value, record.policyEstPremium); }},
    };
    return setters;
}

std::vector<std::string> SplitLines(const std::string& file)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= file.size()) {
        size_t end = file.find('\n', start);
        if (end == std::string::npos)
            end = file.size();
        std::string line = file.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

std::vector<std::string> SplitTabs(const std::string& line)
{
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        const size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos)
            return fields;
        start = tab + 1;
    }
}

bool Skipped(const std::string& line)
{
    return line.find_first_not_of(" \t") == std::string::npos || line[0] == '#';
}

}  // namespace

std::vector<std::string> ImportableTokens()
{
    std::vector<std::string> tokens;
    for (const auto& [token, setter] : Setters())
        tokens.push_back(token);
    return tokens;
}

std::vector<std::string> ImportCases(CDatabase& database, CCaseStore& cases, const SessionUser& user,
                                     const std::string& file)
{
    const std::vector<std::string> lines = SplitLines(file);
    size_t headerLine = 0;
    while (headerLine < lines.size() && Skipped(lines[headerLine]))
        ++headerLine;
    if (headerLine == lines.size())
        return {"The import file holds no header line"};
    std::vector<const FieldSetter*> columns;
    for (const std::string& token : SplitTabs(lines[headerLine])) {
        const auto found = Setters().find(token);
        if (found == Setters().end())
            return {"Line " + std::to_string(headerLine + 1) + ": the import does not know the field " + token};
        columns.push_back(&found->second);
    }

    std::vector<std::string> results;
    int imported = 0;
    int refused = 0;
    CTransaction transaction(database);
    if (!transaction.IsOpen())
        return {"The inventory cannot be written to now"};
    for (size_t i = headerLine + 1; i < lines.size(); ++i) {
        if (Skipped(lines[i]))
            continue;
        const std::string where = "Line " + std::to_string(i + 1) + ": ";
        if (imported + refused == kMaxImportLines) {
            results.push_back(where + "the import stops after " + std::to_string(kMaxImportLines) + " lines");
            ++refused;
            break;
        }
        const std::vector<std::string> values = SplitTabs(lines[i]);
        if (values.size() > columns.size()) {
            results.push_back(where + "more values than the header names");
            ++refused;
            continue;
        }
        CAuditCase record;
        if (user.boundToParent)
            record.parentName = user.parentName;
        std::string problem;
        for (size_t column = 0; column < values.size() && problem.empty(); ++column)
            if (!(*columns[column])(values[column], record))
                problem = "the value \"" + values[column] + "\" does not read";
        if (problem.empty() && record.insuredName.empty())
            problem = "the insured name is empty";
        if (problem.empty() && user.boundToParent && record.parentName != user.parentName)
            problem = "the case belongs to another parent";
        std::string number;
        if (problem.empty()) {
            // Each line in a savepoint of its own: a line that fails half way (the case
            // stored, its history not) leaves nothing behind.
            std::string error;
            if (!database.Execute("SAVEPOINT import_line", error)) {
                problem = "the case could not be stored";
            } else {
                number = cases.Insert(record, user.name);
                if (number.empty()) {
                    problem = "the case could not be stored";
                    database.Execute("ROLLBACK TO import_line", error);
                }
                database.Execute("RELEASE import_line", error);
            }
        }
        if (!problem.empty()) {
            results.push_back(where + problem);
            ++refused;
            continue;
        }
        results.push_back(where + "created case " + number);
        ++imported;
    }
    if (!transaction.Commit())
        return {"The imported cases could not be stored"};
    if (refused == 0)
        results.push_back(std::to_string(imported) + " case(s) imported successfully");
    else
        results.push_back(std::to_string(imported) + " case(s) imported, " + std::to_string(refused) +
                          " line(s) refused");
    return results;
}
