#pragma once
// The user groups of child accounts as the child sheet offers them: their numbers and
// names, the pages each group has, the group-dependent field of the General page and
// the defaults a new child takes when its group is chosen.

#include "records/admin_child_user.h"

#include <cstdint>
#include <string>
#include <vector>

inline constexpr int kCustomerRepGroup = 9;
// Places in the group list; place 8 holds group 9 (group 8, the archive, is not offered).
inline constexpr int kGroupListSize = 9;

// The group at a place of the group list (-1 outside it) and the place of a group (-1
// for group 8 and numbers outside the list).
int GroupAtListPosition(int position);
int ListPositionOfGroup(int group);
// "Administrators" ... "Schedulers", "Customer Rep"; empty for group 8 and unknown numbers.
std::string UserGroupName(int group);
// The nine names in list order.
std::vector<std::string> UserGroupNames();

enum class ChildPage { general, access, assignments, done };
// The pages of the child sheet for a group; the wizard ends with "Done".
std::vector<ChildPage> ChildPagesOfGroup(int group, bool wizard);
const char* ChildPageTitle(ChildPage page);

// What the General page's group-dependent field is for a group.
enum class GroupDetailKind { none, typeList, dllName, printer, parent };
struct GroupDetailField {
    GroupDetailKind kind = GroupDetailKind::none;
    std::string label;                 // "Type:", "Dll Name:", "Printer:", "Parent:"; empty for none
    std::vector<std::string> choices;  // the fixed type lists; printers and parents come from elsewhere
};
GroupDetailField GroupDetailOf(int group);

// Sets the rights (unless the group has no defaults), the auto-flag pair and the fifth
// int of a new child from its group, as the add wizard does on every group change.
void ApplyGroupDefaults(CAdminChildUser& child);

// The rights of the Access page, in the order the page lists them.
struct AccessRight {
    int32_t flag;
    const char* label;
};
const std::vector<AccessRight>& AccessRightsList();
// Every flag the Access page lists.
int32_t ListedRightsMask();
// The rights the Access page saves: exactly the listed flags among `ticked`.
inline int32_t SavedRights(int32_t ticked) { return ticked & ListedRightsMask(); }
