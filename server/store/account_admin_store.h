#pragma once
// Parent and child accounts as the administration commands read and write them, with
// their assignment criteria and billing defaults. Passwords are never stored or sent
// back: a record read from here carries empty passwords, and a change that sends an
// empty password keeps the one the account has.

#include "records/admin_child_user.h"
#include "records/admin_parent_user.h"
#include "records/billing_def.h"
#include "records/child_user.h"
#include "records/parent_user.h"
#include "server/database.h"
#include "server/session_user.h"

#include <string>
#include <vector>

// The mode argument of the SET commands.
namespace Mode {
inline constexpr int add = 0;
inline constexpr int change = 1;
inline constexpr int remove = 2;
}  // namespace Mode

// Billing defaults belong to a parent (kind 0) or a child (kind 1).
inline constexpr int kParentAccount = 0;
inline constexpr int kChildAccount = 1;
inline constexpr size_t kMaxBillingDefaults = 20;
inline constexpr size_t kMaxCriteria = 256;

// Where SYNCPARENT connects to.
struct ParentConnection {
    std::string connectionKind;
    std::string hostName;
    // The connection user id and password to log in there with (see parent_secrets.h);
    // empty when none was stored.
    std::string userId;
    std::string password;
};

class CAccountAdminStore {
public:
    CAccountAdminStore(CDatabase& database, int hashIterations) : m_db(database), m_hashIterations(hashIterations) {}

    bool GetParent(const std::string& name, CAdminParentUser& parent);
    bool GetChild(const std::string& name, CAdminChildUser& child);

    // Add (the record's name is the new key), change (the account called `name` takes
    // the record's values, a new name included) or remove the account called `name`.
    // Returns a Status code; removing an account that cases, billing entries, criteria
    // or customer reps refer to gives Status::linked, and no account removes itself.
    int SetParent(const std::string& name, const CAdminParentUser& parent, int mode, const SessionUser& actor);
    int SetChild(const std::string& name, const CAdminChildUser& child, int mode, const SessionUser& actor);

    bool GetBillingDefaults(const std::string& account, int kind, std::vector<CBillingDef>& rows);
    int SetBillingDefaults(const std::string& account, int kind, const std::vector<CBillingDef>& rows);

    bool GetParentConnection(const std::string& name, ParentConnection& connection);

    // The directory lists of the inventory info, in name order. Hidden accounts are left
    // out unless asked for.
    std::vector<CParentUser> ListParents(bool withHidden);
    std::vector<CChildUser> ListChildren(bool withHidden);
    bool FindParentEntry(const std::string& name, CParentUser& entry);
    bool FindChildEntry(const std::string& name, CChildUser& entry);

    // The account key of the view commands (a login id) as its owner column and id.
    bool FindLogin(const std::string& loginId, AccountKind& kind, int64_t& accountId);

private:
    CDatabase& m_db;
    int m_hashIterations;
};

// The billing default rows of an account (kind 0 parent, 1 child), in order. The caller
// holds the database lock.
std::vector<CBillingDef> ReadBillingDefaults(CDatabase& database, int kind, const std::string& account);

// Letters and digits only, and not empty: the form of every login id.
bool IsValidLoginId(const std::string& loginId);
