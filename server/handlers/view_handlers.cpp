// Case views and report view lists of each account, running a case view, and the
// inventory info of the logged-in user.

#include "query/case_field_catalogue.h"
#include "records/case_query_data.h"
#include "records/case_query_request_info.h"
#include "records/case_query_results.h"
#include "records/case_view_param.h"
#include "records/inventory_info.h"
#include "records/record_list.h"
#include "records/report_prop_item.h"
#include "records/report_view_param.h"
#include "server/access_rights.h"
#include "server/connection_pool.h"
#include "server/handlers/handlers.h"
#include "server/store/server_time.h"
#include "server/store/status.h"

namespace {

ViewOwner OwnerOf(const SessionUser& user)
{
    return ViewOwner{user.kind, user.accountId};
}

// The owner of the views named by an account key (a login id) when the user may manage
// them: their own always, a child's with the right to manage children, a parent's with
// the right to manage parents.
bool ManagedOwner(CCommandContext& c, const std::string& key, ViewOwner& owner)
{
    if (!c.LoggedIn() || !c.Inventory().accounts.FindLogin(key, owner.kind, owner.accountId))
        return false;
    const SessionUser& user = *c.User();
    if (owner.kind == user.kind && owner.accountId == user.accountId)
        return true;
    return user.HasAny(owner.kind == AccountKind::child ? Right::manageChildren : Right::manageParents);
}

}  // namespace

bool HandleGetCaseViewParamSet(CCommandContext& c)
{
    if (!c.LoggedIn())
        return c.ReplyNoRecord();
    CRecordList<CCaseViewParam> views(c.Inventory().views.CaseViewParams(OwnerOf(*c.User())));
    return c.ReplyRecord(views);
}

bool HandleGetCaseView(CCommandContext& c)
{
    int32_t viewId = 0;
    if (!c.ReadInt(viewId, "case view number"))
        return false;
    CCaseQueryData view;
    if (!c.LoggedIn() || !c.Inventory().views.GetCaseView(OwnerOf(*c.User()), viewId, view))
        return c.ReplyNoRecord();
    return c.ReplyRecord(view);
}

bool HandleSetCaseView(CCommandContext& c)
{
    int32_t viewId = 0;
    CCaseQueryData view;
    if (!c.ReadInt(viewId, "case view number") || !c.ReadRecord(view, "case view"))
        return false;
    if (!c.LoggedIn())
        return c.ReplyStatus(Status::failed);
    return c.ReplyStatus(c.Inventory().views.SetCaseView(OwnerOf(*c.User()), viewId, view));
}

// A view that cannot be run is refused like any record reply (the client reports that
// no query data came); the log says why, a formula error with its position.
bool HandleGenerateCaseView(CCommandContext& c)
{
    CCaseQueryRequestInfo request;
    if (!c.ReadRecord(request, "query request"))
        return false;
    if (!c.LoggedIn())
        return c.ReplyNoRecord();
    CCaseQueryResults results;
    std::string reason;
    if (!c.Inventory().queries.Run(*c.User(), request, NowDate(), results, reason)) {
        c.Log("GENERATECASEVIEW of view " + std::to_string(request.viewId) + " for '" +
              CServerLog::Printable(request.target) + "': " + CServerLog::Printable(reason, 400));
        return c.ReplyNoRecord();
    }
    // The rows are all read: the database connection is free for other commands while
    // they go out, however slow the link.
    CConnectionPool::GiveBackEarly(c.Inventory().database);
    return c.ReplyRecord(results);
}

bool HandleGetCaseViewPropSet(CCommandContext& c)
{
    std::string key;
    if (!c.ReadText(key, "account key"))
        return false;
    ViewOwner owner;
    CObjectList<CCaseQueryData> views;
    if (!ManagedOwner(c, key, owner) || !c.Inventory().views.GetCaseViewSet(owner, views.items))
        return c.ReplyNoRecord();
    return c.ReplyRecord(views);
}

bool HandleSetCaseViewPropSet(CCommandContext& c)
{
    std::string key;
    CObjectList<CCaseQueryData> views;
    if (!c.ReadText(key, "account key") || !c.ReadRecord(views, "case views"))
        return false;
    ViewOwner owner;
    if (!ManagedOwner(c, key, owner))
        return c.ReplyStatus(c.LoggedIn() ? Status::denied : Status::failed);
    return c.ReplyStatus(c.Inventory().views.SetCaseViewSet(owner, views.items));
}

bool HandleGetReportViewParamSet(CCommandContext& c)
{
    if (!c.LoggedIn())
        return c.ReplyNoRecord();
    CRecordList<CReportViewParam> views(c.Inventory().views.ReportViewParams(OwnerOf(*c.User())));
    return c.ReplyRecord(views);
}

bool HandleGetReportViewPropSet(CCommandContext& c)
{
    std::string key;
    if (!c.ReadText(key, "account key"))
        return false;
    ViewOwner owner;
    CObjectList<CReportPropItem> views;
    if (!ManagedOwner(c, key, owner) || !c.Inventory().views.GetReportViewSet(owner, views.items))
        return c.ReplyNoRecord();
    return c.ReplyRecord(views);
}

bool HandleSetReportViewPropSet(CCommandContext& c)
{
    std::string key;
    CObjectList<CReportPropItem> views;
    if (!c.ReadText(key, "account key") || !c.ReadRecord(views, "report views"))
        return false;
    ViewOwner owner;
    if (!ManagedOwner(c, key, owner))
        return c.ReplyStatus(c.LoggedIn() ? Status::denied : Status::failed);
    return c.ReplyStatus(c.Inventory().views.SetReportViewSet(owner, views.items));
}

bool HandleGetInventoryInfo(CCommandContext& c)
{
    int32_t showHidden = 0;
    if (!c.ReadInt(showHidden, "show hidden nodes flag"))
        return false;
    if (!c.LoggedIn())
        return c.ReplyNoRecord();
    const SessionUser& user = *c.User();
    CInventoryStore& inventory = c.Inventory();
    CInventoryInfo info;

    if (user.HasAny(Right::viewTerritories | Right::manageTerritories | Right::editCases)) {
        info.regions = inventory.geo.RegionNames();
        info.territories = inventory.geo.TerritoryEntries();
    }
    // Hidden accounts are listed on request to those who manage them.
    if (user.HasAny(Right::viewParents | Right::manageParents)) {
        info.parents = inventory.accounts.ListParents(showHidden != 0 && user.HasAny(Right::manageParents));
    } else if (user.boundToParent) {
        CParentUser own;
        if (inventory.accounts.FindParentEntry(user.parentName, own))
            info.parents.push_back(own);
    }
    // Those who assign cases need every child to choose from.
    if (user.HasAny(Right::viewChildren | Right::manageChildren | Right::changeAssignments)) {
        info.children = inventory.accounts.ListChildren(showHidden != 0 && user.HasAny(Right::manageChildren));
    } else if (!user.IsParent()) {
        CChildUser own;
        if (inventory.accounts.FindChildEntry(user.name, own))
            info.children.push_back(own);
    }
    for (const CaseFieldEntry& field : CaseFieldCatalogue::Fields()) {
        CCaseFieldInfo entry;
        entry.label = std::string(field.label);
        entry.token = std::string(field.token);
        entry.type = field.type;
        entry.searchable = field.searchable;
        info.searchFields.push_back(std::move(entry));
    }
    info.flagNames = inventory.FlagNames();
    info.ownChildName = user.IsParent() ? std::string() : user.name;
    info.ownParentName = user.boundToParent ? user.parentName : std::string();
    info.rights = user.rights;
    info.defaultMasterDueDays = inventory.DefaultMasterDueDays();
    info.defaultAuditorDueDays = inventory.DefaultAuditorDueDays();
    if (user.IsParent()) {
        CParentUser own;
        if (inventory.accounts.FindParentEntry(user.name, own)) {
            info.defaultMasterDueDays = own.masterDueDays;
            info.defaultAuditorDueDays = own.auditorDueDays;
        }
    }
    info.refreshAfterCommands = 1;
    return c.ReplyRecord(info);
}
