#pragma once
// The administration commands of the inventory tree, carried out for the document:
// adding, changing, deleting, showing and synchronising parent and child accounts,
// regions and territories, and their billing defaults. Each command talks to the server,
// runs its dialog, reports every failure once in its own words and, on success, brings
// the document's lists (the inventory info) up to date; a refusal leaves them as they
// were.

#include "admin/admin_dialogs.h"
#include "net/inventory_server.h"
#include "query/widgets/inventory_tree_host.h"
#include "records/inventory_info.h"

#include <string>

class UserPrompts;

class CAccountAdmin {
public:
    CAccountAdmin(CInventoryServer& server, UserPrompts& prompts, CInventoryInfo& info, const AdminDialogs& dialogs)
        : m_server(server), m_prompts(prompts), m_info(info), m_dialogs(dialogs)
    {
    }

    // Whether the tree command is one of these and its dialog is there.
    static bool Handles(int commandId, const AdminDialogs& dialogs);
    TreeCommandOutcome Run(int commandId, const TreeNodeRef& node);
    // Whether the tree must be built again from the lists after the command succeeded
    // (the commands whose change the tree does not make in place itself).
    static bool ChangesTreeLists(int commandId);

    bool AddChild();
    // The new name on success.
    TreeCommandOutcome EditChild(const std::string& name);
    bool DeleteChild(const std::string& name);
    bool ViewChild(const std::string& name);
    bool AddParent();
    TreeCommandOutcome EditParent(const std::string& name);
    bool DeleteParent(const std::string& name);
    bool ViewParent(const std::string& name);
    bool ConnectParent(const std::string& name);
    bool ManageBillingDefaults(const std::string& account, CInventoryServer::AccountKind kind);
    bool AddRegion();
    TreeCommandOutcome EditRegion(const std::string& name);
    bool DeleteRegion(const std::string& name);
    TreeCommandOutcome AddTerritory(const std::string& region);
    TreeCommandOutcome EditTerritory(const std::string& region, const std::string& territory);
    bool DeleteTerritory(const std::string& region, const std::string& territory);

private:
    void Message(const char* text);
    bool ShowCard(AccountCard card);

    CInventoryServer& m_server;
    UserPrompts& m_prompts;
    CInventoryInfo& m_info;
    const AdminDialogs& m_dialogs;
};
