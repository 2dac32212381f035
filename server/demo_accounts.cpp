#include "server/demo_accounts.h"

#include "server/access_rights.h"

const std::vector<DemoAccount>& DemoAccounts()
{
    static const std::vector<DemoAccount> kAccounts = {
        {{"admin", "Demo Administrator", AccountKind::child, kAdministratorRights, Group::administrators}, "admin"},
        {{"auditor", "Demo Auditor", AccountKind::child, kAuditorRights, Group::auditors}, "auditor"},
        {{"biller", "Demo Biller", AccountKind::child, kBillerRights, Group::billers}, "biller"},
        {{"exporter", "Demo Exporter", AccountKind::child, kExporterRights, Group::exporters}, "exporter"},
        {{"importer", "Demo Importer", AccountKind::child, kImporterRights, Group::importers}, "importer"},
        {{"printer", "Demo Printer", AccountKind::child, kPrinterRights, Group::printers}, "printer"},
        {{"reviewer", "Demo Reviewer", AccountKind::child, kReviewerRights, Group::reviewers}, "reviewer"},
        {{"scheduler", "Demo Scheduler", AccountKind::child, kSchedulerRights, Group::schedulers}, "scheduler"},
        {{"rep", "Demo Customer Rep", AccountKind::child, kCustomerRepRights, Group::customerReps}, "rep"},
        {{"carrier", "Atlas Mutual Insurance", AccountKind::parent, kParentRights}, "carrier"},
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
