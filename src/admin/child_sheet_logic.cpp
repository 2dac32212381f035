#include "admin/child_sheet_logic.h"

#include <cctype>

bool IsLettersAndDigits(const std::string& text)
{
    if (text.empty())
        return false;
    for (unsigned char c : text)
        if (!std::isalnum(c))
            return false;
    return true;
}

CChildSheetLogic::CChildSheetLogic(bool adding, CAdminChildUser child, std::vector<CChildUser> knownChildren)
    : m_adding(adding), m_child(std::move(child)), m_known(std::move(knownChildren)),
      m_originalName(m_child.name), m_originalUserId(m_child.userId)
{
    passwordAgain = m_child.password;
    if (GroupDetailOf(m_child.group).kind == GroupDetailKind::dllName)
        dllName = m_child.groupDetail;
    if (m_adding) {
        ApplyGroupDefaults(m_child);
        // A new child starts without a limit, as the server stores one sent without a
        // cap; 0 would keep every automatic assignment away from it.
        m_child.inventoryCap = CAdminChildUser::kNoInventoryCap;
    }
}

void CChildSheetLogic::SetGroup(int group)
{
    if (!m_adding)
        return;
    m_child.group = group;
    ApplyGroupDefaults(m_child);
    // The group-dependent field means something else now.
    m_child.groupDetail.clear();
    dllName.clear();
}

bool CChildSheetLogic::Taken(const std::string CChildUser::*field, const std::string& value,
                             const std::string& ownValue) const
{
    for (const CChildUser& known : m_known) {
        if (known.*field != value)
            continue;
        if (m_adding || value != ownValue)
            return true;
    }
    return false;
}

std::optional<SheetFailure> CChildSheetLogic::ValidateGeneral(int page)
{
    auto fail = [page](const char* field, const char* message) {
        return std::optional<SheetFailure>(SheetFailure{page, field, message});
    };
    if (m_child.name.empty())
        return fail("name", "Name field must be filled in.");
    if (Taken(&CChildUser::name, m_child.name, m_originalName))
        return fail("name", "Name already exists.  Pick another.");
    if (m_child.userId.empty())
        return fail("userId", "User ID field must be filled in.");
    if (!IsLettersAndDigits(m_child.userId))
        return fail("userId", "User ID field must be a combination of letters and numbers only.");
    if (Taken(&CChildUser::loginId, m_child.userId, m_originalUserId))
        return fail("userId", "User ID already exists.  Pick another.");
    if (m_child.password != passwordAgain)
        return fail("passwordAgain", "The second password entered does not match the first.");
    if (GroupDetailOf(m_child.group).kind == GroupDetailKind::dllName)
        m_child.groupDetail = dllName;
    return std::nullopt;
}

std::optional<SheetFailure> CChildSheetLogic::ValidatePage(int page)
{
    const std::vector<ChildPage> pages = Pages();
    if (page < 0 || page >= static_cast<int>(pages.size()))
        return std::nullopt;
    switch (pages[page]) {
    case ChildPage::general: return ValidateGeneral(page);
    case ChildPage::assignments:
        if (m_child.inventoryCap < CAdminChildUser::kNoInventoryCap || m_child.inventoryCap > kMaxInventoryCap)
            return SheetFailure{page, "inventoryCap", "Please enter an integer between -1 and 100000."};
        return std::nullopt;
    default: return std::nullopt;
    }
}

std::optional<SheetFailure> CChildSheetLogic::Validate()
{
    const int count = static_cast<int>(Pages().size());
    for (int page = 0; page < count; ++page)
        if (auto failure = ValidatePage(page))
            return failure;
    return std::nullopt;
}

CChildUser CChildSheetLogic::ListEntry() const
{
    CChildUser entry;
    entry.name = m_child.name;
    entry.group = m_child.group;
    entry.loginId = m_child.userId;
    return entry;
}
