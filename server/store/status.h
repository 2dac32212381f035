#pragma once
// Result codes of the commands that answer with a status integer. The office client
// knows 0, -1 and -2 by their meaning; -3 it shows as a failure of its own operation.

namespace Status {
inline constexpr int ok = 0;
// The request cannot be carried out: an unknown case, account, region, territory or
// entry, an invalid mode or value, or a failure of the store.
inline constexpr int failed = -1;
// The case is linked or being linked (or became so while the user edited it); an
// account, region or territory is referenced elsewhere; the selected cases differ in
// their link statuses.
inline constexpr int linked = -2;
// The user's access rights do not allow it.
inline constexpr int denied = -3;
}  // namespace Status
