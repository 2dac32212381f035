#pragma once
// The account behind an open session, as the command handlers check it: read again
// from the database before each command, so that a change of rights takes effect at
// once and a deleted account can do nothing more.

#include <cstdint>
#include <string>

enum class AccountKind { parent, child };

struct SessionUser {
    AccountKind kind = AccountKind::child;
    int64_t accountId = 0;  // ParentID or ChildID
    std::string loginId;
    std::string name;       // the account's name: the key of parents and children
    int32_t rights = 0;
    int32_t group = -1;     // a child's user group; -1 for a parent
    // Parent accounts, and customer reps (tied to one parent by their group detail),
    // reach only the cases of that one parent.
    bool boundToParent = false;
    std::string parentName;

    bool IsParent() const { return kind == AccountKind::parent; }
    // True when the rights hold any of the bits.
    bool HasAny(int32_t bits) const { return (rights & bits) != 0; }
    bool MayReachCaseOf(const std::string& caseParent) const { return !boundToParent || caseParent == parentName; }
};
