#pragma once
// Numbers for new parent and child accounts. A session is bound to its account's
// number, so a number once given out is never given to another account, not even after
// the account that had it was deleted: the highest number ever used is kept in the
// Counters table.

#include "server/database.h"
#include "server/session_user.h"

#include <cstdint>

// The number for a new account of the kind, or 0 when the store failed. The caller holds
// the database lock inside a write transaction and inserts the account with this number.
int64_t NextAccountId(CDatabase& database, AccountKind kind);
