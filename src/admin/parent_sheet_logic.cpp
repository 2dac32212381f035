#include "admin/parent_sheet_logic.h"

#include "admin/child_sheet_logic.h"

#include <cstdio>

CParentSheetLogic::CParentSheetLogic(bool adding, CAdminParentUser parent, std::vector<CParentUser> knownParents)
    : m_adding(adding), m_parent(std::move(parent)), m_known(std::move(knownParents)), m_originalName(m_parent.name)
{
    if (m_parent.connectionKind != CAdminParentUser::kDirectConnection)
        m_parent.connectionKind = CAdminParentUser::kNoConnection;
    passwordAgain = m_parent.connectionPassword;
}

std::vector<ParentPage> CParentSheetLogic::Pages() const
{
    std::vector<ParentPage> pages = {ParentPage::general, ParentPage::contact, ParentPage::connection,
                                     ParentPage::billing};
    if (m_adding)
        pages.push_back(ParentPage::done);
    return pages;
}

const char* CParentSheetLogic::PageTitle(ParentPage page)
{
    switch (page) {
    case ParentPage::general: return "General";
    case ParentPage::contact: return "Contact Info";
    case ParentPage::connection: return "Connection Info";
    case ParentPage::billing: return "Billing Defaults";
    case ParentPage::done: return "Done";
    }
    return "";
}

std::vector<std::string> CParentSheetLogic::TypeChoices()
{
    return {"Carrier", "Fee Company", "Rating Bureau", "Regional Office", "Home Office", "Other"};
}

const char* CParentSheetLogic::ConnectionKindText(const std::string& kind)
{
    return kind == CAdminParentUser::kDirectConnection ? "LAN, WAN, or INTERNET (Parent is a Korrimat user)"
                                                       : "None (Parent is not a Korrimat user)";
}

std::optional<SheetFailure> CParentSheetLogic::ValidatePage(int page) const
{
    const std::vector<ParentPage> pages = Pages();
    if (page < 0 || page >= static_cast<int>(pages.size()))
        return std::nullopt;
    auto fail = [page](std::string field, std::string message) {
        return std::optional<SheetFailure>(SheetFailure{page, std::move(field), std::move(message)});
    };
    switch (pages[page]) {
    case ParentPage::general:
        if (m_parent.name.empty())
            return fail("name", "Name field must be filled in.");
        for (const CParentUser& known : m_known)
            if (known.name == m_parent.name && (m_adding || m_parent.name != m_originalName))
                return fail("name", "Name already exists.  Pick another.");
        return std::nullopt;
    case ParentPage::connection:
        if (!ConnectionFieldsEnabled())
            return std::nullopt;
        if (m_parent.connectionUserId.empty())
            return fail("connectionUserId", "User ID field must be filled in.");
        if (!IsLettersAndDigits(m_parent.connectionUserId))
            return fail("connectionUserId", "User ID field must be a combination of letters and numbers only.");
        // The parent list holds no connection user ids: the server refuses a taken one.
        if (m_parent.connectionPassword != passwordAgain)
            return fail("passwordAgain", "The second password entered does not match the first.");
        return std::nullopt;
    case ParentPage::billing: {
        char message[80];
        for (size_t i = 0; i < m_parent.chargeRates.size(); ++i) {
            const auto& rate = m_parent.chargeRates[i];
            for (double value : {rate.first, rate.additional}) {
                if (value < 0.0 || value > kMaxChargeRate) {
                    std::snprintf(message, sizeof message, "Please enter a number between 0 and %.2f.", kMaxChargeRate);
                    return fail("rate" + std::to_string(i), message);
                }
            }
        }
        for (size_t i = 0; i < m_parent.discounts.size(); ++i) {
            const auto& discount = m_parent.discounts[i];
            if (discount.days < 0.0 || discount.days > kMaxDiscountDays)
                return fail("discountDays", "Please enter a number between 0 and 999.");
            if (discount.percent < 0.0 || discount.percent > kMaxDiscountPercent)
                return fail("discountPercent", "Please enter a number between 0 and 100.");
        }
        return std::nullopt;
    }
    default: return std::nullopt;
    }
}

std::optional<SheetFailure> CParentSheetLogic::Validate() const
{
    const int count = static_cast<int>(Pages().size());
    for (int page = 0; page < count; ++page)
        if (auto failure = ValidatePage(page))
            return failure;
    return std::nullopt;
}

CAdminParentUser CParentSheetLogic::Saved() const
{
    CAdminParentUser saved = m_parent;
    saved.reservedText.clear();
    saved.reservedZero = 0;
    saved.reservedOne = 1;
    return saved;
}
