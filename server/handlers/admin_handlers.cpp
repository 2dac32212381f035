// Parent and child accounts, regions and territories, billing defaults, the logged-in
// users, and the look-ups of the case properties (zip code, territory by location).

#include "records/admin_child_user.h"
#include "records/admin_parent_user.h"
#include "records/admin_region.h"
#include "records/admin_territory.h"
#include "records/billing_def.h"
#include "records/record_list.h"
#include "records/region_loc_rec.h"
#include "server/access_rights.h"
#include "server/handlers/handlers.h"
#include "server/parent_sync.h"
#include "server/store/status.h"

bool HandleGetParentUser(CCommandContext& c)
{
    std::string name;
    if (!c.ReadText(name, "parent name"))
        return false;
    const bool own = c.LoggedIn() && c.User()->boundToParent && c.User()->parentName == name;
    CAdminParentUser parent;
    if (!(own || c.Allowed(Right::viewParents | Right::manageParents)) ||
        !c.Inventory().accounts.GetParent(name, parent))
        return c.ReplyNoRecord();
    return c.ReplyRecord(parent);
}

bool HandleSetParentUser(CCommandContext& c)
{
    std::string name;
    CAdminParentUser parent;
    int32_t mode = 0;
    if (!c.ReadText(name, "parent name") || !c.ReadRecord(parent, "parent") || !c.ReadInt(mode, "mode"))
        return false;
    if (!c.Allowed(Right::manageParents))
        return c.ReplyStatus(c.LoggedIn() ? Status::denied : Status::failed);
    return c.ReplyStatus(c.Inventory().accounts.SetParent(name, parent, mode, *c.User()));
}

bool HandleGetChildUser(CCommandContext& c)
{
    std::string name;
    if (!c.ReadText(name, "child name"))
        return false;
    const bool own = c.LoggedIn() && !c.User()->IsParent() && c.User()->name == name;
    CAdminChildUser child;
    if (!(own || c.Allowed(Right::viewChildren | Right::manageChildren)) ||
        !c.Inventory().accounts.GetChild(name, child))
        return c.ReplyNoRecord();
    return c.ReplyRecord(child);
}

bool HandleSetChildUser(CCommandContext& c)
{
    std::string name;
    CAdminChildUser child;
    int32_t mode = 0;
    if (!c.ReadText(name, "child name") || !c.ReadRecord(child, "child") || !c.ReadInt(mode, "mode"))
        return false;
    if (!c.Allowed(Right::manageChildren))
        return c.ReplyStatus(c.LoggedIn() ? Status::denied : Status::failed);
    return c.ReplyStatus(c.Inventory().accounts.SetChild(name, child, mode, *c.User()));
}

namespace {
constexpr size_t kMaxSyncOutcomeLength = 512;
}  // namespace

bool HandleSyncParent(CCommandContext& c)
{
    std::string name;
    if (!c.ReadText(name, "parent name"))
        return false;
    if (!c.LoggedIn())
        return c.ReplyText("Not logged in");
    if (!c.Allowed(Right::manageParents))
        return c.ReplyText("Access denied");
    ParentConnection connection;
    if (!c.Inventory().accounts.GetParentConnection(name, connection))
        return c.ReplyText("Parent " + name + " not found");
    if (!c.Server().options.parentSync)
        return c.ReplyText("This server does not connect to parents");
    // No lock is held while the parent's server is reached.
    // The outcome may quote what the parent's server sent (a redirect's host line): it
    // is escaped in the log and cut to a sane length before it is sent on.
    std::string outcome = SyncWithParent(name, connection);
    if (outcome.size() > kMaxSyncOutcomeLength)
        outcome.resize(kMaxSyncOutcomeLength);
    c.Log("SYNCPARENT '" + CServerLog::Printable(name) +
          "': " + (outcome.empty() ? std::string("connected") : CServerLog::Printable(outcome)));
    return c.ReplyText(outcome);
}

bool HandleGetLoggedUsers(CCommandContext& c)
{
    CStringList users;
    if (!c.LoggedIn())
        return c.ReplyNoRecord();
    // The list names staff accounts and their addresses: a parent, or a customer rep
    // of one, sees its own session's line alone.
    if (!c.User()->boundToParent)
        users.items = c.Server().liveSessions.Describe();
    else
        users.items.push_back(c.Server().liveSessions.DescribeOne(c.User()->loginId));
    return c.ReplyRecord(users);
}

bool HandleSetRegion(CCommandContext& c)
{
    std::string name;
    CAdminRegion region;
    int32_t mode = 0;
    if (!c.ReadText(name, "region name") || !c.ReadRecord(region, "region") || !c.ReadInt(mode, "mode"))
        return false;
    if (!c.Allowed(Right::manageTerritories))
        return c.ReplyStatus(c.LoggedIn() ? Status::denied : Status::failed);
    return c.ReplyStatus(c.Inventory().geo.SetRegion(name, region, mode));
}

bool HandleSetTerritory(CCommandContext& c)
{
    std::string name;
    CAdminTerritory territory;
    int32_t mode = 0;
    if (!c.ReadText(name, "territory name") || !c.ReadRecord(territory, "territory") || !c.ReadInt(mode, "mode"))
        return false;
    if (!c.Allowed(Right::manageTerritories))
        return c.ReplyStatus(c.LoggedIn() ? Status::denied : Status::failed);
    return c.ReplyStatus(c.Inventory().geo.SetTerritory(name, territory, mode));
}

bool HandleGetTerritory(CCommandContext& c)
{
    CAdminTerritory territory;
    if (!c.ReadRecord(territory, "territory"))
        return false;
    if (!c.Allowed(Right::viewTerritories | Right::manageTerritories) || !c.Inventory().geo.GetTerritory(territory))
        return c.ReplyNoRecord();
    return c.ReplyRecord(territory);
}

namespace {

// Billing defaults of parents are managed with the parents, those of children with the
// children.
bool MayManageBillingDefaults(const CCommandContext& c, int32_t kind)
{
    return c.Allowed(kind == kParentAccount ? Right::manageParents : Right::manageChildren);
}

}  // namespace

bool HandleGetBillingDefSet(CCommandContext& c)
{
    std::string name;
    int32_t kind = 0;
    if (!c.ReadText(name, "account name") || !c.ReadInt(kind, "account kind"))
        return false;
    CRecordList<CBillingDef> rows;
    if (!MayManageBillingDefaults(c, kind) || !c.Inventory().accounts.GetBillingDefaults(name, kind, rows.items))
        return c.ReplyNoRecord();
    return c.ReplyRecord(rows);
}

bool HandleSetBillingDefSet(CCommandContext& c)
{
    std::string name;
    int32_t kind = 0;
    CRecordList<CBillingDef> rows;
    if (!c.ReadText(name, "account name") || !c.ReadInt(kind, "account kind") ||
        !c.ReadRecord(rows, "billing defaults"))
        return false;
    if (!MayManageBillingDefaults(c, kind))
        return c.ReplyStatus(c.LoggedIn() ? Status::denied : Status::failed);
    return c.ReplyStatus(c.Inventory().accounts.SetBillingDefaults(name, kind, rows.items));
}

bool HandleGetTerritoryByLoc(CCommandContext& c)
{
    CRegionLocRec location;
    if (!c.ReadRecord(location, "location"))
        return false;
    if (!c.LoggedIn())
        return c.ReplyNoRecord();
    CRegionTerrRec answer;
    c.Inventory().geo.TerritoryOf(location, answer);
    return c.ReplyRecord(answer);
}

bool HandleGetCityStateFromZip(CCommandContext& c)
{
    std::string zip;
    if (!c.ReadText(zip, "zip code"))
        return false;
    if (!c.LoggedIn())
        return c.ReplyNoRecord();
    // An unknown zip code gets an empty list, which fills nothing in.
    CStringList cityAndState;
    std::string city;
    std::string state;
    if (c.Inventory().geo.CityStateOf(zip, city, state))
        cityAndState.items = {city, state};
    return c.ReplyRecord(cityAndState);
}
