#include "bench_cases.h"

#include "records/audit_case.h"
#include "server/database.h"
#include "server/store/inventory_store.h"
#include "server/store/server_time.h"

#include <cmath>
#include <random>
#include <string>

namespace bench {

bool FillCases(CInventoryStore& inventory, int count)
{
    static const char* const kPrefixes[] = {"Harbor", "Summit", "Cedar", "Lakeside", "Pioneer", "Redwood",
                                            "Keystone", "Granite", "Maple", "Riverside", "Sterling", "Willow"};
    static const char* const kBusinesses[] = {"Bakery", "Logistics", "Roofing", "Dental Group", "Auto Body",
                                              "Printing", "Electric", "Plumbing", "Catering", "Trucking"};
    static const char* const kParents[] = {"Atlas Mutual Insurance", "Beacon Premium Audit Co.",
                                           "Cedar Ridge Casualty"};
    static const char* const kChildren[] = {"Dana Whitfield", "Marcus Ortega", "Priya Raman", "Helen Brooks",
                                            "Victor Lindqvist", "Demo Auditor", "Demo Reviewer", "Demo Scheduler"};
    static const char* const kCities[] = {"Boston", "Hartford", "Providence", "Chicago", "Milwaukee",
                                          "Indianapolis", "Cambridge", "Madison"};
    std::mt19937 random(7);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const double today = std::floor(NowDate().date);
    CTransaction transaction(inventory.database);
    if (!transaction.IsOpen())
        return false;
    for (int i = 0; i < count; ++i) {
        CAuditCase c;
        c.insuredName = std::string(kPrefixes[pick(12)]) + " " + kBusinesses[pick(10)] + " " +
                        std::to_string(1 + pick(500));
        c.policyNumber = "WC-" + std::to_string(1000000 + pick(9000000));
        c.parentName = kParents[pick(3)];
        c.childName = kChildren[pick(8)];
        c.childGroupCode = 1 + pick(7);
        c.auditCity = kCities[pick(8)];
        c.masterDueDate = MakeDate(today - 100 + pick(200));
        c.policyEstPremium = (50 + pick(4950)) * 100.0;
        if (inventory.cases.Insert(c, "bench").empty())
            return false;
    }
    return transaction.Commit();
}

namespace {

std::shared_ptr<CCaseQueryColInfo> Column(const char* token, const char* header, int32_t width)
{
    auto column = std::make_shared<CCaseQueryColInfo>();
    column->fieldToken = token;
    column->header = header;
    column->width = width;
    return column;
}

}  // namespace

CCaseQueryData CaseListView(const std::string& name, const std::string& formula)
{
    CCaseQueryData view;
    view.name = name;
    view.scope = 0x4;  // "All Parents"
    view.formula = formula;
    view.sort1Field = "[SysDueDate]";
    view.sort2Field = "[InsuredName]";
    view.columns = {Column("[InsuredName]", "Insured", 180),   Column("[PolicyNumber]", "Policy #", 90),
                    Column("[SysParentName]", "Parent", 160),  Column("[SysChildName]", "Held By", 120),
                    Column("[SysDueDate]", "Due", 80),         Column("[ChildGroupCode]", "Stage", 90),
                    Column("[PolicyEstPrem]", "Premium", 100), Column("[AuditCity]", "City", 100)};
    return view;
}

}  // namespace bench
