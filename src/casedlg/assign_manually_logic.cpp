#include "casedlg/assign_manually_logic.h"

#include "casedlg/case_props_logic.h"

#include <algorithm>

namespace {

// The access groups a case can be assigned to, with their indices.
struct GroupEntry {
    const char* name;
    int32_t index;
};
constexpr GroupEntry kGroups[] = {{"Auditors", 1}, {"Billers", 2}, {"Exporters", 3},
                                  {"Printers", 5}, {"Reviewers", 6}, {"Schedulers", 7}};

int32_t GroupIndex(const std::string& name)
{
    for (const GroupEntry& group : kGroups)
        if (name == group.name)
            return group.index;
    return -1;
}

}  // namespace

AssignManuallyLogic::AssignManuallyLogic(const CInventoryInfo& info, CaseAssignment start, bool caseHasNumber)
    : info_(info), start_(std::move(start)), caseHasNumber_(caseHasNumber)
{
    if (!start_.manual)
        choice_ = Choice::program;
    else if (start_.group == CAuditCase::kArchiveGroup)
        choice_ = Choice::archive;
    else
        choice_ = Choice::child;
    if (start_.group == CAuditCase::kArchiveGroup || start_.group == CAuditCase::kAutoChildGroup)
        group_ = kAutoEntry;
    else if (start_.group == CAuditCase::kNoChildGroup)
        group_ = kNoneEntry;
    else
        group_ = CasePropsLogic::ChildGroupText(start_.group).toStdString();
    if (GroupIndex(group_) < 0 && group_ != kAutoEntry && group_ != kNoneEntry)
        group_ = kAutoEntry;
    const std::vector<std::string> names = NameEntries();
    name_ = std::find(names.begin(), names.end(), start_.childName) != names.end() && !start_.childName.empty()
                ? start_.childName
                : std::string(kAutoEntry);
}

void AssignManuallyLogic::SetGroup(const std::string& group)
{
    group_ = group;
    const std::vector<std::string> names = NameEntries();
    if (std::find(names.begin(), names.end(), name_) == names.end())
        name_ = kAutoEntry;
}

std::vector<std::string> AssignManuallyLogic::GroupEntries()
{
    std::vector<std::string> entries;
    for (const GroupEntry& group : kGroups)
        entries.emplace_back(group.name);
    entries.emplace_back(kAutoEntry);
    entries.emplace_back(kNoneEntry);
    return entries;
}

std::vector<std::string> AssignManuallyLogic::NameEntries() const
{
    std::vector<std::string> names;
    const int32_t index = GroupIndex(group_);
    if (index >= 0)
        for (const CChildUser& child : info_.children)
            if (child.group == index)
                names.push_back(child.name);
    names.emplace_back(kAutoEntry);
    return names;
}

bool AssignManuallyLogic::NameEnabled() const
{
    return choice_ == Choice::child && GroupIndex(group_) >= 0;
}

CaseAssignment AssignManuallyLogic::Result() const
{
    CaseAssignment result = start_;
    if (choice_ == Choice::program) {
        result.manual = false;
        return result;
    }
    result.manual = true;
    result.childName.clear();
    if (choice_ == Choice::archive)
        result.group = CAuditCase::kArchiveGroup;
    else if (group_ == kAutoEntry)
        result.group = CAuditCase::kAutoChildGroup;
    else if (group_ == kNoneEntry)
        result.group = CAuditCase::kNoChildGroup;
    else {
        result.group = GroupIndex(group_);
        if (name_ != kAutoEntry)
            result.childName = name_;
    }
    return result;
}
