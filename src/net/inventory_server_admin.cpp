// Parent and child accounts, regions, territories and billing defaults.

#include "net/inventory_server.h"

#include "net/inventory_server_items.h"
#include "records/admin_child_user.h"
#include "records/admin_parent_user.h"
#include "records/admin_region.h"
#include "records/admin_territory.h"
#include "records/billing_def.h"

using namespace inventory_items;

// --- Accounts -------------------------------------------------------------------------------

bool CInventoryServer::GetParentUser(const std::string& parentName, CAdminParentUser& parent)
{
    CCommandRequest request(*this, "GETPARENTUSER");
    return request.Text(parentName).Sent() && ReceiveRecord(*this, parent, kReplyTimeout);
}

bool CInventoryServer::GetChildUser(const std::string& childName, CAdminChildUser& child)
{
    CCommandRequest request(*this, "GETCHILDUSER");
    return request.Text(childName).Sent() && ReceiveRecord(*this, child, kReplyTimeout);
}

int CInventoryServer::SetChildUser(const std::string& childName, const CAdminChildUser& child, EditMode mode)
{
    CCommandRequest request(*this, "SETCHILDUSER");
    if (!request.Text(childName).Record(child).Int(mode).Sent())
        return kCommandFailed;
    return ReceiveCode(*this, kReplyTimeout, kCommandFailed);
}

int CInventoryServer::SetParentUser(const std::string& parentName, const CAdminParentUser& parent, EditMode mode)
{
    CCommandRequest request(*this, "SETPARENTUSER");
    if (!request.Text(parentName).Record(parent).Int(mode).Sent())
        return kCommandFailed;
    return ReceiveCode(*this, kReplyTimeout, kCommandFailed);
}

std::string CInventoryServer::SyncParent(const std::string& parentName)
{
    CCommandRequest request(*this, "SYNCPARENT");
    if (!request.CommandSent())
        return kSyncSendCommandFailed;
    if (!request.Text(parentName).Sent())
        return kSyncSendNameFailed;
    std::string text;
    if (!ReceiveString(text, kLongReplyTimeout))
        return kSyncReceiveFailed;
    return text;
}

bool CInventoryServer::GetLoggedUsers(std::vector<std::string>& lines)
{
    CCommandRequest request(*this, "GETLOGGEDUSERS");
    return request.Sent() && ReceiveTexts(*this, lines, kDefaultReply);
}

// --- Regions and territories ----------------------------------------------------------------

int CInventoryServer::SetRegion(const std::string& regionName, const CAdminRegion& region, EditMode mode)
{
    CCommandRequest request(*this, "SETREGION");
    if (!request.Text(regionName).Record(region).Int(mode).Sent())
        return kCommandFailed;
    return ReceiveCode(*this, kReplyTimeout, kCommandFailed);
}

int CInventoryServer::SetTerritory(const std::string& territoryName, const CAdminTerritory& territory,
                                   EditMode mode)
{
    CCommandRequest request(*this, "SETTERRITORY");
    if (!request.Text(territoryName).Record(territory).Int(mode).Sent())
        return kCommandFailed;
    return ReceiveCode(*this, kReplyTimeout, kCommandFailed);
}

bool CInventoryServer::GetTerritory(CAdminTerritory& territory)
{
    CCommandRequest request(*this, "GETTERRITORY");
    return request.Record(territory).Sent() && ReceiveRecord(*this, territory, kReplyTimeout);
}

// --- Billing defaults -----------------------------------------------------------------------

bool CInventoryServer::GetBillingDefSet(const std::string& accountName, AccountKind kind,
                                        std::vector<CBillingDef>& rows)
{
    CCommandRequest request(*this, "GETBILLINGDEFSET");
    return request.Text(accountName).Int(kind).Sent() && ReceiveRecords(*this, rows, kReplyTimeout);
}

bool CInventoryServer::SetBillingDefSet(const std::string& accountName, AccountKind kind,
                                        const std::vector<CBillingDef>& rows)
{
    CCommandRequest request(*this, "SETBILLINGDEFSET");
    return request.Text(accountName).Int(kind).Records(rows).Sent() && ReceiveSuccess(*this, kReplyTimeout);
}
