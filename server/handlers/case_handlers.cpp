// Cases: fetching, storing, creating and deleting them, the properties of many cases
// at once, link resets, and each case's policy pages, schedule and history.

#include "codec/binary_object.h"
#include "records/audit_case.h"
#include "records/case_multi_props.h"
#include "records/case_schedule_info.h"
#include "records/record_list.h"
#include "records/tracking_entry.h"
#include "server/access_rights.h"
#include "server/handlers/handlers.h"
#include "server/store/case_import.h"
#include "server/store/status.h"

bool HandleGetCase(CCommandContext& c)
{
    std::string number;
    if (!c.ReadText(number, "case number"))
        return false;
    CAuditCase record;
    if (!c.LoggedIn() || !c.Inventory().cases.Get(*c.User(), number, record))
        return c.ReplyNoRecord();
    return c.ReplyRecord(record);
}

bool HandleSetCase(CCommandContext& c)
{
    std::string number;
    CAuditCase record;
    if (!c.ReadText(number, "case number") || !c.ReadRecord(record, "case"))
        return false;
    if (!c.LoggedIn())
        return c.ReplyStatus(Status::failed);
    return c.ReplyStatus(c.Inventory().cases.Update(*c.User(), number, record));
}

bool HandleCreateCase(CCommandContext& c)
{
    CAuditCase record;
    if (!c.ReadRecord(record, "case"))
        return false;
    // An account tied to a parent (the parent itself, or a customer rep of it) orders
    // cases for that parent; the store refuses any other parent.
    std::string number;
    const bool ordersForItsParent = c.LoggedIn() && c.User()->boundToParent && !c.User()->parentName.empty();
    if (ordersForItsParent || c.Allowed(Right::createCases))
        number = c.Inventory().cases.Create(*c.User(), record);
    if (number.empty())
        c.Log("CREATECASE refused");
    return c.ReplyText(number);
}

bool HandleDeleteCases(CCommandContext& c)
{
    CStringList ids;
    if (!c.ReadRecord(ids, "case identifiers"))
        return false;
    if (!c.Allowed(Right::deleteCases))
        return c.ReplyStatus(c.LoggedIn() ? Status::denied : Status::failed);
    return c.ReplyStatus(c.Inventory().cases.Delete(*c.User(), ids.items));
}

bool HandleGetMultiCaseProps(CCommandContext& c)
{
    CStringList ids;
    if (!c.ReadRecord(ids, "case identifiers"))
        return false;
    if (!c.Allowed(Right::editCases))
        return c.ReplyStatus(c.LoggedIn() ? Status::denied : Status::failed);
    CCaseMultiProps props;
    const int status = c.Inventory().cases.GetMultiProps(*c.User(), ids.items, props);
    if (!c.ReplyStatus(status))
        return false;
    return status != Status::ok || c.ReplyRecord(props);
}

bool HandleSetMultiCaseProps(CCommandContext& c)
{
    CStringList ids;
    CCaseMultiProps props;
    if (!c.ReadRecord(ids, "case identifiers") || !c.ReadRecord(props, "case properties"))
        return false;
    if (!c.Allowed(Right::editCases))
        return c.ReplyStatus(c.LoggedIn() ? Status::denied : Status::failed);
    return c.ReplyStatus(c.Inventory().cases.SetMultiProps(*c.User(), ids.items, props));
}

bool HandleResetCaseLinks(CCommandContext& c)
{
    CStringList ids;
    int32_t choice = 0;
    if (!c.ReadRecord(ids, "case identifiers") || !c.ReadInt(choice, "reset choice"))
        return false;
    if (!c.Allowed(Right::resetLinks))
        return c.ReplyStatus(c.LoggedIn() ? Status::denied : Status::failed);
    return c.ReplyStatus(c.Inventory().cases.ResetLinks(*c.User(), ids.items, choice));
}

bool HandleGetCaseTracking(CCommandContext& c)
{
    std::string number;
    if (!c.ReadText(number, "case number"))
        return false;
    // The history dialog, and the party lists of billing and manual assignment, read it.
    CRecordList<CTrackingEntry> entries;
    if (!c.Allowed(Right::viewAssignmentHistory | Right::editBilling | Right::changeAssignments) ||
        !c.Inventory().cases.GetTracking(*c.User(), number, entries.items))
        return c.ReplyNoRecord();
    return c.ReplyRecord(entries);
}

bool HandleGetCasePolicyDetail(CCommandContext& c)
{
    std::string number;
    if (!c.ReadText(number, "case number"))
        return false;
    CRecordList<CPolicyPage> pages;
    if (!c.LoggedIn() || !c.Inventory().cases.GetPolicyPages(*c.User(), number, pages.items))
        return c.ReplyNoRecord();
    return c.ReplyRecord(pages);
}

bool HandleSetCasePolicyDetail(CCommandContext& c)
{
    std::string number;
    CRecordList<CPolicyPage> pages;
    if (!c.ReadText(number, "case number") || !c.ReadRecord(pages, "policy detail"))
        return false;
    if (!c.Allowed(Right::editPolicyDetail))
        return c.ReplyStatus(c.LoggedIn() ? Status::denied : Status::failed);
    return c.ReplyStatus(c.Inventory().cases.SetPolicyPages(*c.User(), number, pages.items));
}

bool HandleGetCaseScheduleInfo(CCommandContext& c)
{
    std::string number;
    if (!c.ReadText(number, "case number"))
        return false;
    CCaseScheduleInfo schedule;
    if (!c.Allowed(Right::editSchedules) || !c.Inventory().cases.GetSchedule(*c.User(), number, schedule))
        return c.ReplyNoRecord();
    return c.ReplyRecord(schedule);
}

bool HandleSetCaseScheduleInfo(CCommandContext& c)
{
    std::string number;
    CCaseScheduleInfo schedule;
    if (!c.ReadText(number, "case number") || !c.ReadRecord(schedule, "schedule"))
        return false;
    if (!c.Allowed(Right::editSchedules))
        return c.ReplyStatus(c.LoggedIn() ? Status::denied : Status::failed);
    return c.ReplyStatus(c.Inventory().cases.SetSchedule(*c.User(), number, schedule));
}

bool HandleImportCases(CCommandContext& c)
{
    CBinaryObject file;
    if (!c.ReadRecord(file, "import file"))
        return false;
    // Importing is open to those who may create cases or manage any part of the inventory.
    if (!c.LoggedIn() || !(c.User()->IsParent() || c.Allowed(Right::createCases | Right::manageParents |
                                                              Right::manageChildren | Right::manageTerritories)))
        return c.ReplyNoRecord();
    CStringList results(ImportCases(c.Inventory().database, c.Inventory().cases, *c.User(), file.GetBytes()));
    c.Log("IMPORTCASES: " + CServerLog::Printable(results.items.back()));
    return c.ReplyRecord(results);
}
