#pragma once
// The state and checks of the parent property sheet, without windows: the parent record
// being edited, the second password box, and the record as every save writes it.

#include "admin/sheet_failure.h"
#include "records/admin_parent_user.h"
#include "records/parent_user.h"

#include <optional>
#include <string>
#include <vector>

enum class ParentPage { general, contact, connection, billing, done };

inline constexpr double kMaxChargeRate = 999.99;
inline constexpr double kMaxDiscountDays = 999.0;
inline constexpr double kMaxDiscountPercent = 100.0;

class CParentSheetLogic {
public:
    CParentSheetLogic(bool adding, CAdminParentUser parent, std::vector<CParentUser> knownParents);

    bool Adding() const { return m_adding; }
    CAdminParentUser& Parent() { return m_parent; }
    const CAdminParentUser& Parent() const { return m_parent; }
    const std::string& OriginalName() const { return m_originalName; }

    std::string passwordAgain;

    std::vector<ParentPage> Pages() const;
    static const char* PageTitle(ParentPage page);
    static std::vector<std::string> TypeChoices();
    // The two connection kinds as the radio buttons read.
    static const char* ConnectionKindText(const std::string& kind);

    // Whether the connection's user id and password boxes can be used.
    bool ConnectionFieldsEnabled() const { return m_parent.connectionKind != CAdminParentUser::kNoConnection; }

    std::optional<SheetFailure> ValidatePage(int page) const;
    std::optional<SheetFailure> Validate() const;

    // The record as the sheet stores it: the fields it always writes the same way set.
    CAdminParentUser Saved() const;

private:
    bool m_adding;
    CAdminParentUser m_parent;
    std::vector<CParentUser> m_known;
    std::string m_originalName;
};
