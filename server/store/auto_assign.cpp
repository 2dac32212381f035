#include "server/store/auto_assign.h"

#include "server/store/case_fields.h"

#include <cstdlib>
#include <map>
#include <set>

namespace {

bool CategoryAdmits(const CAssignCriterion& criterion, const AutoAssignCase& facts,
                    const std::function<bool(const std::string&)>& formulaHolds)
{
    const std::string& category = criterion.category;
    if (category == "Territory")
        return facts.region == criterion.value1 && (criterion.value2.empty() || facts.territory == criterion.value2);
    if (category == "Premium") {
        char* end = nullptr;
        const double low = std::strtod(criterion.value1.c_str(), &end);
        const double high = std::strtod(criterion.value2.c_str(), &end);
        return facts.premium >= low && facts.premium <= high;
    }
    if (category == "Parent")
        return facts.parent == criterion.value1;
    if (category == "Formula")
        return formulaHolds(criterion.value1);
    if (category == "Child")
        return !facts.previousChild.empty() && facts.previousChild == criterion.value1;
    // A category the server does not know limits nothing.
    return true;
}

bool FormulaHoldsFor(CDatabase& database, int64_t caseId, const std::string& formula)
{
    const CompiledFormula compiled = CaseFormulaCompiler().Compile(formula, 2);
    if (!compiled.ok)
        return false;
    CCachedStatement select =
        database.Prepare("SELECT 1 FROM Cases c WHERE c.CaseID = ?1 AND " + compiled.sql + ";");
    select->BindInt(1, caseId);
    int index = 2;
    for (const SqlValue& value : compiled.parameters) {
        if (const int64_t* number = std::get_if<int64_t>(&value))
            select->BindInt(index, *number);
        else
            select->BindText(index, std::get<std::string>(value));
        ++index;
    }
    return select->Step();
}

}  // namespace

bool CriteriaAdmit(const std::vector<CAssignCriterion>& criteria, const AutoAssignCase& facts,
                   const std::function<bool(const std::string&)>& formulaHolds)
{
    // Per category: whether it has criteria, and whether one of them admitted the case.
    std::map<std::string, bool> admitted;
    for (const CAssignCriterion& criterion : criteria) {
        bool& any = admitted[criterion.category];
        if (!any)
            any = CategoryAdmits(criterion, facts, formulaHolds);
    }
    for (const auto& [category, any] : admitted)
        if (!any)
            return false;
    return true;
}

int ChooseCandidate(const std::vector<AutoAssignCandidate>& candidates, const AutoAssignCase& facts,
                    const std::function<bool(const std::string&)>& formulaHolds)
{
    int chosen = -1;
    for (size_t i = 0; i < candidates.size(); ++i) {
        const AutoAssignCandidate& candidate = candidates[i];
        if (candidate.inventoryCap == 0)
            continue;
        if (candidate.inventoryCap > 0 && candidate.openCases >= candidate.inventoryCap)
            continue;
        if (!CriteriaAdmit(candidate.criteria, facts, formulaHolds))
            continue;
        if (chosen < 0) {
            chosen = static_cast<int>(i);
            continue;
        }
        const AutoAssignCandidate& best = candidates[chosen];
        if (candidate.openCases < best.openCases ||
            (candidate.openCases == best.openCases && candidate.name < best.name))
            chosen = static_cast<int>(i);
    }
    return chosen;
}

bool WantsAutoAssignment(const CAuditCase& record)
{
    return record.childName.empty() && record.childGroupCode == CAuditCase::kAutoChildGroup;
}

bool AutoAssign(CDatabase& database, int64_t caseId, CAuditCase& record, const std::string& previousChild)
{
    std::vector<AutoAssignCandidate> candidates;
    std::map<int64_t, size_t> byId;
    {
        CCachedStatement select = database.Prepare(
            "SELECT ch.ChildID, ch.Name, ch.InventoryCap,"
            " (SELECT COUNT(*) FROM Cases k WHERE k.ChildName = ch.Name AND k.Completed = 0 AND k.Archive = 0)"
            " FROM Children ch WHERE ch.GroupCode = ? ORDER BY ch.Name;");
        select->BindInt(1, kAutoAssignGroup);
        while (select->Step()) {
            byId[select->ColumnInt(0)] = candidates.size();
            candidates.push_back({select->ColumnText(1), static_cast<int32_t>(select->ColumnInt(2)),
                                  select->ColumnInt(3), {}});
        }
    }
    if (candidates.empty())
        return false;
    {
        CCachedStatement select = database.Prepare(
            "SELECT a.ChildID, a.Category, a.Value1, a.Value2 FROM AssignCriteria a"
            " JOIN Children ch ON ch.ChildID = a.ChildID WHERE ch.GroupCode = ? ORDER BY a.ChildID, a.Position;");
        select->BindInt(1, kAutoAssignGroup);
        while (select->Step()) {
            const auto found = byId.find(select->ColumnInt(0));
            if (found == byId.end())
                continue;
            CAssignCriterion criterion;
            criterion.category = select->ColumnText(1);
            criterion.value1 = select->ColumnText(2);
            criterion.value2 = select->ColumnText(3);
            candidates[found->second].criteria.push_back(std::move(criterion));
        }
    }
    const AutoAssignCase facts{record.regionName, record.territoryName, record.policyEstPremium, record.parentName,
                               previousChild};
    const int chosen = ChooseCandidate(candidates, facts, [&](const std::string& formula) {
        return FormulaHoldsFor(database, caseId, formula);
    });
    if (chosen < 0)
        return false;
    record.childName = candidates[chosen].name;
    record.childGroupCode = kAutoAssignGroup;
    record.manualAssignment = false;
    return true;
}
