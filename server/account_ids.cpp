#include "server/account_ids.h"

int64_t NextAccountId(CDatabase& database, AccountKind kind)
{
    // The counter starts at the highest number in the table (databases made before it
    // existed) and only ever grows.
    CCachedStatement bump = database.Prepare(
        kind == AccountKind::child
            ? "INSERT INTO Counters (Name, Value) VALUES ('account-child', (SELECT COALESCE(MAX(ChildID), 0)"
              " FROM Children) + 1) ON CONFLICT (Name) DO UPDATE SET Value = greatest(Counters.Value, (SELECT"
              " COALESCE(MAX(ChildID), 0) FROM Children)) + 1 RETURNING Value;"
            : "INSERT INTO Counters (Name, Value) VALUES ('account-parent', (SELECT COALESCE(MAX(ParentID), 0)"
              " FROM Parents) + 1) ON CONFLICT (Name) DO UPDATE SET Value = greatest(Counters.Value, (SELECT"
              " COALESCE(MAX(ParentID), 0) FROM Parents)) + 1 RETURNING Value;");
    if (!bump->Step())
        return 0;
    const int64_t value = bump->ColumnInt(0);
    bump->Step();  // lets the statement finish its write
    return bump->Done() ? value : 0;
}
