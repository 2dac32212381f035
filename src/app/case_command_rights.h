#pragma once
// Which access rights each command of the case list needs. One table for every area's
// case commands (properties, billing, attachments, reports, the case actions): a command
// is enabled when the user holds any of its rights bits, or always when it lists none.
// The table says nothing about whether the program carries a command out; the document
// asks each area for that.

#include <cstdint>
#include <optional>
#include <vector>

struct CaseCommandRight {
    int commandId = 0;
    int32_t anyOf = 0;  // 0: no right needed
};

// Every case list command with the rights it needs, in menu order.
const std::vector<CaseCommandRight>& CaseCommandRights();

// The rights entry of a command; nothing for a command the table does not hold.
std::optional<CaseCommandRight> CaseCommandRightOf(int commandId);

// Whether a user with `rights` may give the command. A command the table does not hold
// is allowed: its area decides.
bool CaseCommandAllowed(int commandId, int32_t rights);
