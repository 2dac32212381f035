#include "casedlg/multi_case_props_logic.h"

#include "casedlg/case_props_logic.h"

MultiCasePropsLogic::MultiCasePropsLogic(const CInventoryInfo& info, CCaseMultiProps common)
    : info_(info), common_(std::move(common)), result_(common_)
{
    // Nothing is applied until the user chooses it.
    result_.parentGiven = 0;
    result_.parentLinkStatusGiven = 0;
    result_.childLinkStatusGiven = 0;
    result_.assignmentGiven = 0;
    result_.territoryGiven = 0;
    result_.masterDueDateGiven = 0;
    result_.auditorDueDateGiven = 0;
    result_.userFlagsGiven = 0;
    result_.completed = 0;
}

std::vector<std::string> MultiCasePropsLogic::ParentEntries() const
{
    std::vector<std::string> entries{kNoneEntry};
    for (const CParentUser& parent : info_.parents)
        entries.push_back(parent.name);
    return entries;
}

std::string MultiCasePropsLogic::ParentEntry() const
{
    if (!common_.parentGiven)
        return {};
    return common_.parentName.empty() ? std::string(kNoneEntry) : common_.parentName;
}

void MultiCasePropsLogic::ChooseParent(const std::string& entry)
{
    if (entry.empty()) {
        result_.parentGiven = 0;
        return;
    }
    result_.parentGiven = 1;
    result_.parentName = entry == kNoneEntry ? std::string() : entry;
    result_.parentLinkStatus = CAuditCase::parentNotLinked;
    result_.parentLinkStatusGiven = 1;
}

std::vector<std::string> MultiCasePropsLogic::TerritoryEntries() const
{
    std::vector<std::string> entries{kNoneEntry};
    entries.insert(entries.end(), info_.territories.begin(), info_.territories.end());
    return entries;
}

std::string MultiCasePropsLogic::TerritoryEntry() const
{
    if (!common_.territoryGiven)
        return {};
    if (common_.regionName.empty() && common_.territoryName.empty())
        return kNoneEntry;
    return common_.regionName + "::" + common_.territoryName;
}

void MultiCasePropsLogic::ChooseTerritory(const std::string& entry)
{
    if (entry.empty()) {
        result_.territoryGiven = 0;
        return;
    }
    result_.territoryGiven = 1;
    if (entry == kNoneEntry) {
        result_.regionName.clear();
        result_.territoryName.clear();
    } else {
        std::tie(result_.regionName, result_.territoryName) = CasePropsLogic::SplitTerritory(entry);
    }
}

bool MultiCasePropsLogic::SendToParentChecked() const
{
    return result_.parentLinkStatus == 6 || result_.parentLinkStatus == 3;
}

bool MultiCasePropsLogic::SendToParentEnabled() const
{
    const int32_t p = result_.parentLinkStatus, c = result_.childLinkStatus;
    return c != 1 && c != 2 && (p == 1 || p == 2 || p == 3 || p == 6);
}

bool MultiCasePropsLogic::SendToChildChecked() const
{
    return result_.childLinkStatus == 1;
}

bool MultiCasePropsLogic::SendToChildEnabled() const
{
    const int32_t p = result_.parentLinkStatus, c = result_.childLinkStatus;
    return p != 3 && p != 6 && (c == 1 || c == 3);
}

void MultiCasePropsLogic::SetSendToParent(bool on)
{
    int32_t& p = result_.parentLinkStatus;
    if (on && p == 1) p = 6;
    else if (on && p == 2) p = 3;
    else if (!on && p == 6) p = 1;
    else if (!on && p == 3) p = 2;
    result_.parentLinkStatusGiven = p != common_.parentLinkStatus || result_.parentGiven;
}

void MultiCasePropsLogic::SetSendToChild(bool on)
{
    result_.childLinkStatus = on ? CAuditCase::childToBeLinked : CAuditCase::childUnlinked;
    result_.childLinkStatusGiven = result_.childLinkStatus != common_.childLinkStatus;
}

CaseAssignment MultiCasePropsLogic::Assignment() const
{
    return {result_.manualAssignment != 0, result_.childGroupCode, result_.childName};
}

void MultiCasePropsLogic::Assign(const CaseAssignment& assignment)
{
    result_.assignmentGiven = 1;
    result_.manualAssignment = assignment.manual ? 1 : 0;
    result_.childGroupCode = assignment.group;
    result_.childName = assignment.childName;
}

void MultiCasePropsLogic::SetMasterDueDate(const DateFieldValue& value)
{
    result_.masterDueDateGiven = value.state == DateFieldState::valid;
    result_.masterDueDate = DateFieldDateTime(value);
}

void MultiCasePropsLogic::SetAuditorDueDate(const DateFieldValue& value)
{
    result_.auditorDueDateGiven = value.state == DateFieldState::valid;
    result_.auditorDueDate = DateFieldDateTime(value);
}

void MultiCasePropsLogic::SetFlags(int32_t priority, int32_t correction, int32_t archived, int32_t transferOut,
                                   bool completed)
{
    result_.priority = priority;
    result_.correction = correction;
    result_.archived = archived;
    result_.transferOut = transferOut;
    result_.completed = completed ? 1 : 0;
}

void MultiCasePropsLogic::SetUserFlags(int32_t on, int32_t mixed)
{
    result_.userFlags = on & ~mixed;
    result_.userFlagsMixed = mixed;
    result_.userFlagsGiven = (on != common_.userFlags || mixed != common_.userFlagsMixed) ? 1 : 0;
}
