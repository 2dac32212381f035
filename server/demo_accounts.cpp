#include "server/demo_accounts.h"

#include "server/access_rights.h"

const std::vector<DemoAccount>& DemoAccounts()
{
    static const std::vector<DemoAccount> kAccounts = {
        {{"admin", "Demo Administrator", AccountKind::child, kAdministratorRights}, "admin"},
        {{"auditor", "Demo Auditor", AccountKind::child, kAuditorRights}, "auditor"},
        {{"reviewer", "Demo Reviewer", AccountKind::child, kReviewerRights}, "reviewer"},
        {{"scheduler", "Demo Scheduler", AccountKind::child, kSchedulerRights}, "scheduler"},
        {{"rep", "Demo Customer Rep", AccountKind::child, kCustomerRepRights}, "rep"},
        {{"carrier", "Demo Carrier", AccountKind::parent, 0}, "carrier"},
    };
    return kAccounts;
}

int SeedDemoAccounts(CAccountStore& accounts, int hashIterations, CServerLog& log)
{
    int added = 0;
    for (const DemoAccount& demo : DemoAccounts()) {
        if (accounts.Exists(demo.account.userId))
            continue;
        std::string error;
        if (accounts.Add(demo.account, demo.password, hashIterations, error)) {
            ++added;
            log.Write("demo account '" + demo.account.userId + "' added");
        } else {
            log.Write("cannot add demo account '" + demo.account.userId + "': " + error);
        }
    }
    return added;
}
