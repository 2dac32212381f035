#include "admin/user_groups.h"

namespace {

const char* const kGroupNames[kGroupListSize] = {"Administrators", "Auditors",   "Billers",
                                                  "Exporters",      "Importers",  "Printers",
                                                  "Reviewers",      "Schedulers", "Customer Rep"};

struct GroupDefaults {
    int32_t rights;
    bool autoFlagEnabled;
    bool autoFlag;
};

// Groups 0 to 9; group 8 has defaults although the list does not offer it.
const GroupDefaults kDefaults[10] = {
    {0xFFEAA, false, false}, {0xE7280, true, true},   {0xE3645, false, false}, {0xE7C80, false, false},
    {0xF7C15, false, false}, {0xE3555, false, false}, {0xE7480, false, false}, {0xE7410, false, false},
    {0xE3C00, false, false}, {0x40, false, false},
};

}  // namespace

int GroupAtListPosition(int position)
{
    if (position < 0 || position >= kGroupListSize)
        return -1;
    return position == 8 ? kCustomerRepGroup : position;
}

int ListPositionOfGroup(int group)
{
    if (group == kCustomerRepGroup)
        return 8;
    return group >= 0 && group < 8 ? group : -1;
}

std::string UserGroupName(int group)
{
    const int position = ListPositionOfGroup(group);
    return position < 0 ? std::string() : kGroupNames[position];
}

std::vector<std::string> UserGroupNames()
{
    return {std::begin(kGroupNames), std::end(kGroupNames)};
}

std::vector<ChildPage> ChildPagesOfGroup(int group, bool wizard)
{
    std::vector<ChildPage> pages = {ChildPage::general, ChildPage::access};
    switch (group) {
    case 1: case 2: case 3: case 5: case 6: case 7: pages.push_back(ChildPage::assignments); break;
    default: break;
    }
    if (wizard)
        pages.push_back(ChildPage::done);
    return pages;
}

const char* ChildPageTitle(ChildPage page)
{
    switch (page) {
    case ChildPage::general: return "General";
    case ChildPage::access: return "Access";
    case ChildPage::assignments: return "Assignments";
    case ChildPage::done: return "Done";
    }
    return "";
}

GroupDetailField GroupDetailOf(int group)
{
    switch (group) {
    case 1:
        return {GroupDetailKind::typeList, "Type:",
                {"Staff Auditor", "Fee Auditor", "Fee Company", "Regional Office", "Home Office", "Other"}};
    case 3:
    case 4: return {GroupDetailKind::dllName, "Dll Name:", {}};
    case 5: return {GroupDetailKind::printer, "Printer:", {}};
    case 6: return {GroupDetailKind::typeList, "Type:", {"Staff Reviewer", "Fee Reviewer", "Fee Company", "Other"}};
    case kCustomerRepGroup: return {GroupDetailKind::parent, "Parent:", {}};
    default: return {};
    }
}

void ApplyGroupDefaults(CAdminChildUser& child)
{
    child.autoFlagEnabled = false;
    child.autoFlag = false;
    child.fifthInt = 1;
    if (child.group < 0 || child.group > 9)
        return;
    const GroupDefaults& defaults = kDefaults[child.group];
    child.rights = defaults.rights;
    child.autoFlagEnabled = defaults.autoFlagEnabled;
    child.autoFlag = defaults.autoFlag;
}

const std::vector<AccessRight>& AccessRightsList()
{
    static const std::vector<AccessRight> rights = {
        {0x1, "View Parents Tree Node"},
        {0x2, "Manage Parents"},
        {0x4, "View Children Tree Node"},
        {0x8, "Manage Children"},
        {0x10, "View Territories Tree Node"},
        {0x20, "Manage Territories"},
        {0x40, "View Attachments"},
        {0x80, "Edit Attachments"},
        {0x200, "Edit Billing Information"},
        {0x10000, "Create New Cases"},
        {0x400, "Change Case Assignments"},
        {0x800, "Delete Cases"},
        {0x1000, "Perform Global Case Searches"},
        {0x4000, "Edit General Case Information/Properties"},
        {0x20000, "Edit Case Scheduling Info"},
        {0x40000, "View Internal Progress Reports"},
        {0x80000, "View Case Assignment History"},
        {0x100000, "Reset Case Linkages"},
        {0x200000, "Edit Policy Detail"},
        {0x400000, "View Archived Attachments Only"},
    };
    return rights;
}

int32_t ListedRightsMask()
{
    int32_t mask = 0;
    for (const AccessRight& right : AccessRightsList())
        mask |= right.flag;
    return mask;
}
