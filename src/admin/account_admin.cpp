#include "admin/account_admin.h"

#include "admin/child_sheet_logic.h"
#include "admin/geo_names.h"
#include "admin/parent_sheet_logic.h"
#include "admin/territory_sheet_state.h"
#include "admin/user_groups.h"
#include "platform/user_prompts.h"
#include "query/inventory_tree_layout.h"
#include "query/scope_bits.h"
#include "records/admin_child_user.h"
#include "records/admin_parent_user.h"
#include "records/admin_region.h"
#include "records/admin_territory.h"

#include <algorithm>

namespace {

constexpr int32_t kRightsToShowChildren = kRightViewChildren | kRightEditChildren;
constexpr int32_t kRightsToShowParents = kRightViewParents | kRightEditParents;

QString Latin1(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

void OfferChoices(CChildSheetLogic& sheet, const CInventoryInfo& info)
{
    for (const CParentUser& parent : info.parents)
        sheet.parentNames.push_back(parent.name);
    for (const CChildUser& child : info.children)
        sheet.childNames.push_back(child.name);
    sheet.territoryEntries = info.territories;
}

std::string CardAddress(const std::string& line1, const std::string& line2, const std::string& city,
                        const std::string& state, const std::string& zip)
{
    std::string address = line1;
    if (!line2.empty())
        address += "\r\n" + line2;
    return address + "\r\n" + city + ", " + state + " " + zip;
}

template <class T, class Pred>
void EraseIf(std::vector<T>& list, Pred pred)
{
    list.erase(std::remove_if(list.begin(), list.end(), pred), list.end());
}

}  // namespace

void CAccountAdmin::Message(const char* text)
{
    m_prompts.Message(QString::fromLatin1(text));
}

bool CAccountAdmin::Handles(int commandId, const AdminDialogs& dialogs)
{
    switch (commandId) {
    case cmdViewChild:
    case cmdViewParent: return static_cast<bool>(dialogs.accountCard);
    case cmdEditChild:
    case cmdAddChild: return static_cast<bool>(dialogs.childSheet);
    case cmdEditParent:
    case cmdAddParent: return static_cast<bool>(dialogs.parentSheet);
    case cmdDeleteChild:
    case cmdDeleteParent:
    case cmdConnectToParent:
    case cmdDeleteRegion:
    case cmdDeleteTerritory: return true;
    case cmdManageBillingDefaults: return static_cast<bool>(dialogs.billingDefaults);
    case cmdAddRegion:
    case cmdEditRegion: return static_cast<bool>(dialogs.region);
    case cmdAddTerritory:
    case cmdEditTerritory: return static_cast<bool>(dialogs.territory);
    default: return false;
    }
}

bool CAccountAdmin::ChangesTreeLists(int commandId)
{
    switch (commandId) {
    case cmdAddChild:
    case cmdAddParent:
    case cmdEditParent:
    case cmdDeleteParent:
    case cmdAddRegion: return true;
    default: return false;
    }
}

TreeCommandOutcome CAccountAdmin::Run(int commandId, const TreeNodeRef& node)
{
    auto done = [](bool succeeded) { return TreeCommandOutcome{succeeded, {}}; };
    switch (commandId) {
    case cmdViewChild: return done(ViewChild(node.text));
    case cmdViewParent: return done(ViewParent(node.text));
    case cmdEditChild: return EditChild(node.text);
    case cmdDeleteChild: return done(DeleteChild(node.text));
    case cmdAddChild: return done(AddChild());
    case cmdAddParent: return done(AddParent());
    case cmdEditParent: return EditParent(node.text);
    case cmdDeleteParent: return done(DeleteParent(node.text));
    case cmdConnectToParent: return done(ConnectParent(node.text));
    case cmdManageBillingDefaults:
        return done(ManageBillingDefaults(node.text, node.kind == kScopeEachParent ? CInventoryServer::parentAccount
                                                                                   : CInventoryServer::childAccount));
    case cmdAddRegion: return done(AddRegion());
    case cmdEditRegion: return EditRegion(node.text);
    case cmdDeleteRegion: return done(DeleteRegion(node.text));
    case cmdAddTerritory: return AddTerritory(node.text);
    case cmdEditTerritory: return EditTerritory(node.parentText, node.text);
    case cmdDeleteTerritory: return done(DeleteTerritory(node.parentText, node.text));
    default: return {};
    }
}

// --- Children ---------------------------------------------------------------------------------

bool CAccountAdmin::AddChild()
{
    CChildSheetLogic sheet(true, CAdminChildUser{}, m_info.children);
    OfferChoices(sheet, m_info);
    if (!m_dialogs.childSheet(sheet, QStringLiteral("Child Properties")))
        return false;
    const int status = m_server.SetChildUser(sheet.Child().name, sheet.Child(), CInventoryServer::modeAdd);
    if (status != 0) {
        Message("Failed to add new child user");
        return false;
    }
    m_info.children.push_back(sheet.ListEntry());
    return true;
}

TreeCommandOutcome CAccountAdmin::EditChild(const std::string& name)
{
    CAdminChildUser child;
    if (!m_server.GetChildUser(name, child)) {
        Message("Failed to get child user from server");
        return {};
    }
    CChildSheetLogic sheet(false, std::move(child), m_info.children);
    OfferChoices(sheet, m_info);
    if (!m_dialogs.childSheet(sheet, QStringLiteral("Properties for ") + Latin1(name)))
        return {};
    if (m_server.SetChildUser(name, sheet.Child(), CInventoryServer::modeChange) != 0) {
        Message("Failed to edit child user");
        return {};
    }
    for (CChildUser& entry : m_info.children) {
        if (entry.name == name) {
            entry = sheet.ListEntry();
            break;
        }
    }
    return {true, sheet.Child().name};
}

bool CAccountAdmin::DeleteChild(const std::string& name)
{
    if (!m_prompts.AskYesNo(QStringLiteral("Delete ") + Latin1(name) + QStringLiteral(".  Are you sure?")))
        return false;
    const int status = m_server.SetChildUser(name, CAdminChildUser{}, CInventoryServer::modeDelete);
    if (status == -2) {
        Message("Failed to delete child user because it is referenced elsewhere in database");
        return false;
    }
    if (status != 0) {
        Message("Failed to delete child user due to an unspecified error");
        return false;
    }
    EraseIf(m_info.children, [&](const CChildUser& entry) { return entry.name == name; });
    return true;
}

bool CAccountAdmin::ShowCard(AccountCard card)
{
    if (m_dialogs.accountCard)
        m_dialogs.accountCard(card);
    return true;
}

bool CAccountAdmin::ViewChild(const std::string& name)
{
    if ((m_info.rights & kRightsToShowChildren) == 0) {
        Message("Access denied");
        return false;
    }
    CAdminChildUser child;
    if (!m_server.GetChildUser(name, child)) {
        Message("Failed to get child user from server");
        return false;
    }
    AccountCard card;
    card.title = Latin1(child.name);
    card.fields = {{"Group:", UserGroupName(child.group)},
                   {"Address:", CardAddress(child.address1, child.address2, child.city, child.state, child.zip)},
                   {"E-Mail:", child.email},
                   {"Fax:", child.fax},
                   {"Name:", child.name},
                   {"Notes:", child.notes},
                   {"Phone:", child.phone},
                   {GroupDetailOf(child.group).label.empty() ? "Detail:" : GroupDetailOf(child.group).label,
                    child.groupDetail}};
    return ShowCard(std::move(card));
}

// --- Parents ----------------------------------------------------------------------------------

bool CAccountAdmin::AddParent()
{
    CParentSheetLogic sheet(true, CAdminParentUser{}, m_info.parents);
    if (!m_dialogs.parentSheet(sheet, QStringLiteral("Parent Properties")))
        return false;
    const CAdminParentUser parent = sheet.Saved();
    if (m_server.SetParentUser(parent.name, parent, CInventoryServer::modeAdd) != 0) {
        Message("Failed to add new parent user");
        return false;
    }
    CParentUser entry;
    entry.name = parent.name;
    entry.masterDueDays = parent.masterDueDays;
    entry.auditorDueDays = parent.auditDueDays;
    m_info.parents.push_back(entry);
    return true;
}

TreeCommandOutcome CAccountAdmin::EditParent(const std::string& name)
{
    CAdminParentUser parent;
    if (!m_server.GetParentUser(name, parent)) {
        Message("Failed to get parent user from server");
        return {};
    }
    CParentSheetLogic sheet(false, std::move(parent), m_info.parents);
    if (!m_dialogs.parentSheet(sheet, QStringLiteral("Properties for ") + Latin1(name)))
        return {};
    const CAdminParentUser saved = sheet.Saved();
    if (m_server.SetParentUser(name, saved, CInventoryServer::modeChange) != 0) {
        Message("Failed to edit parent user");
        return {};
    }
    for (CParentUser& entry : m_info.parents) {
        if (entry.name == name) {
            entry.name = saved.name;
            entry.masterDueDays = saved.masterDueDays;
            entry.auditorDueDays = saved.auditDueDays;
            break;
        }
    }
    return {true, saved.name};
}

bool CAccountAdmin::DeleteParent(const std::string& name)
{
    if (!m_prompts.AskYesNo(QStringLiteral("Delete ") + Latin1(name) + QStringLiteral(".  Are you sure?")))
        return false;
    const int status = m_server.SetParentUser(name, CAdminParentUser{}, CInventoryServer::modeDelete);
    if (status == -2) {
        Message("Failed to delete parent because it is referenced elsewhere in database");
        return false;
    }
    if (status != 0) {
        Message("Failed to delete parent due to an unspecified error");
        return false;
    }
    EraseIf(m_info.parents, [&](const CParentUser& entry) { return entry.name == name; });
    return true;
}

bool CAccountAdmin::ViewParent(const std::string& name)
{
    if ((m_info.rights & kRightsToShowParents) == 0) {
        Message("Access denied");
        return false;
    }
    CAdminParentUser parent;
    if (!m_server.GetParentUser(name, parent)) {
        Message("Failed to get parent user from server");
        return false;
    }
    AccountCard card;
    card.title = Latin1(parent.name);
    card.fields = {{"Type:", parent.type},
                   {"Address:", CardAddress(parent.address1, parent.address2, parent.city, parent.state, parent.zip)},
                   {"Contact:", parent.contact},
                   {"E-Mail:", parent.email},
                   {"Fax:", parent.fax},
                   {"Name:", parent.name},
                   {"Notes:", parent.notes},
                   {"Phone:", parent.phone}};
    return ShowCard(std::move(card));
}

bool CAccountAdmin::ConnectParent(const std::string& name)
{
    if (!m_prompts.AskYesNo(QStringLiteral("Connect to ") + Latin1(name) +
                            QStringLiteral(".  Are you sure?  This operation could take several minutes.")))
        return false;
    std::string text;
    {
        WaitCursor wait(m_prompts);
        text = m_server.SyncParent(name);
    }
    m_prompts.Message(text.empty() ? QStringLiteral("Operation successful") : Latin1(text),
                      text.empty() ? UserPrompts::Icon::information : UserPrompts::Icon::exclamation);
    return text.empty();
}

bool CAccountAdmin::ManageBillingDefaults(const std::string& account, CInventoryServer::AccountKind kind)
{
    std::vector<CBillingDef> rows;
    if (!m_server.GetBillingDefSet(account, kind, rows)) {
        Message("Failed to get billing info from server");
        return false;
    }
    if (!m_dialogs.billingDefaults(rows))
        return false;
    if (!m_server.SetBillingDefSet(account, kind, rows)) {
        Message("Failed to send billing info to server");
        return false;
    }
    return true;
}

// --- Regions and territories ------------------------------------------------------------------

bool CAccountAdmin::AddRegion()
{
    std::string name;
    if (!m_dialogs.region(name))
        return false;
    if (auto refusal = CheckRegionName(name, m_info.regions)) {
        m_prompts.Message(Latin1(*refusal));
        return false;
    }
    CAdminRegion region;
    region.name = name;
    if (m_server.SetRegion({}, region, CInventoryServer::modeAdd) != 0) {
        Message("Failed to add new region");
        return false;
    }
    m_info.regions.push_back(name);
    return true;
}

TreeCommandOutcome CAccountAdmin::EditRegion(const std::string& oldName)
{
    std::string name = oldName;
    if (!m_dialogs.region(name))
        return {};
    if (name.empty()) {
        Message("The region name cannot be blank.");
        return {};
    }
    if (name == oldName)
        return {};
    if (auto refusal = CheckRegionName(name, m_info.regions)) {
        m_prompts.Message(Latin1(*refusal));
        return {};
    }
    CAdminRegion region;
    region.name = name;
    if (m_server.SetRegion(oldName, region, CInventoryServer::modeChange) != 0) {
        Message("Failed to edit region");
        return {};
    }
    std::replace(m_info.regions.begin(), m_info.regions.end(), oldName, name);
    // The region's territories move with it.
    for (std::string& entry : m_info.territories) {
        const TerritoryEntry split = SplitTerritoryEntry(entry);
        if (split.region == oldName && entry.find("::") != std::string::npos)
            entry = TerritoryEntryText(name, split.territory);
    }
    return {true, name};
}

bool CAccountAdmin::DeleteRegion(const std::string& name)
{
    if (!m_prompts.AskYesNo(QStringLiteral("Do you wish to delete ") + Latin1(name) + QStringLiteral("?"), true))
        return false;
    CAdminRegion region;
    region.name = name;
    const int status = m_server.SetRegion(name, region, CInventoryServer::modeDelete);
    if (status == -2) {
        Message("Region is referenced by one or more cases, so it cannot be deleted");
        return false;
    }
    if (status != 0) {
        Message("Failed to delete region");
        return false;
    }
    EraseIf(m_info.regions, [&](const std::string& entry) { return entry == name; });
    EraseIf(m_info.territories, [&](const std::string& entry) {
        return entry.find("::") != std::string::npos && SplitTerritoryEntry(entry).region == name;
    });
    return true;
}

TreeCommandOutcome CAccountAdmin::AddTerritory(const std::string& region)
{
    CAdminTerritory record;
    record.regionName = region;
    CTerritorySheetState state(std::move(record), m_info.territories);
    if (!m_dialogs.territory(state))
        return {};
    if (auto refusal = state.Check()) {
        m_prompts.Message(Latin1(*refusal));
        return {};
    }
    const CAdminTerritory& territory = state.Territory();
    if (m_server.SetTerritory({}, territory, CInventoryServer::modeAdd) != 0) {
        Message("Failed to add new territory");
        return {};
    }
    m_info.territories.push_back(TerritoryEntryText(region, territory.territoryName));
    return {true, territory.territoryName};
}

TreeCommandOutcome CAccountAdmin::EditTerritory(const std::string& region, const std::string& name)
{
    CAdminTerritory record;
    record.regionName = region;
    record.territoryName = name;
    if (!m_server.GetTerritory(record)) {
        Message("Failed to retrieve territory");
        return {};
    }
    CTerritorySheetState state(std::move(record), m_info.territories);
    if (!m_dialogs.territory(state))
        return {};
    if (auto refusal = state.Check()) {
        m_prompts.Message(Latin1(*refusal));
        return {};
    }
    const CAdminTerritory& territory = state.Territory();
    if (m_server.SetTerritory(name, territory, CInventoryServer::modeChange) != 0) {
        Message("Failed to edit territory");
        return {};
    }
    std::replace(m_info.territories.begin(), m_info.territories.end(), TerritoryEntryText(region, name),
                 TerritoryEntryText(region, territory.territoryName));
    return {true, territory.territoryName};
}

bool CAccountAdmin::DeleteTerritory(const std::string& region, const std::string& name)
{
    if (!m_prompts.AskYesNo(QStringLiteral("Do you wish to delete ") + Latin1(name) + QStringLiteral("?"), true))
        return false;
    CAdminTerritory record;
    record.regionName = region;
    record.territoryName = name;
    const int status = m_server.SetTerritory(name, record, CInventoryServer::modeDelete);
    if (status == -2) {
        Message("Territory is referenced by one or more cases, so it cannot be deleted");
        return false;
    }
    if (status != 0) {
        Message("Failed to delete territory");
        return false;
    }
    EraseIf(m_info.territories,
            [&](const std::string& entry) { return entry == TerritoryEntryText(region, name); });
    return true;
}
