#pragma once
// The state and checks of the child property sheet, without windows: the child record
// being edited, the second password box, the pages of its group and, in the add
// wizard, the group defaults applied on every group change.

#include "admin/sheet_failure.h"
#include "admin/user_groups.h"
#include "records/admin_child_user.h"
#include "records/child_user.h"

#include <optional>
#include <string>
#include <vector>

inline constexpr int kMaxInventoryCap = 100000;

class CChildSheetLogic {
public:
    // Adding (a wizard with the group defaults of group 0) or changing `child`. The
    // document's child list decides which names and user ids are taken.
    CChildSheetLogic(bool adding, CAdminChildUser child, std::vector<CChildUser> knownChildren);

    bool Adding() const { return m_adding; }
    CAdminChildUser& Child() { return m_child; }
    const CAdminChildUser& Child() const { return m_child; }
    // The name the child had when the sheet opened (the key of the change).
    const std::string& OriginalName() const { return m_originalName; }

    // The second password box; it starts with the stored password.
    std::string passwordAgain;
    // What the group-dependent field and the criterion dialog offer: the document's
    // parent and child names and its "region::territory" entries.
    std::vector<std::string> parentNames;
    std::vector<std::string> childNames;
    std::vector<std::string> territoryEntries;

    // The DLL name text box of groups 3 and 4, copied into the group detail by Validate.
    std::string dllName;

    // Changes the group (adding only) and applies its defaults.
    void SetGroup(int group);
    std::vector<ChildPage> Pages() const { return ChildPagesOfGroup(m_child.group, m_adding); }

    // The checks of page `page` (an index into Pages()); nothing when it passes. The
    // General page's pass also takes the DLL name into the group detail.
    std::optional<SheetFailure> ValidatePage(int page);
    // Every page in order, as OK and Finish do.
    std::optional<SheetFailure> Validate();

    // The name, group and user id as the document's child list holds them.
    CChildUser ListEntry() const;

private:
    std::optional<SheetFailure> ValidateGeneral(int page);
    bool Taken(const std::string CChildUser::*field, const std::string& value,
               const std::string& ownValue) const;

    bool m_adding;
    CAdminChildUser m_child;
    std::vector<CChildUser> m_known;
    std::string m_originalName;
    std::string m_originalUserId;
};

// Letters and digits only, and not empty.
bool IsLettersAndDigits(const std::string& text);
