// Automatic assignment as a table: cases against auditors with criteria and inventory
// caps, who gets each case, who is passed over and when no one does.
#include "server/store/auto_assign.h"

#include <gtest/gtest.h>

namespace {

CAssignCriterion Criterion(const char* category, const char* value1, const char* value2 = "")
{
    CAssignCriterion criterion;
    criterion.category = category;
    criterion.value1 = value1;
    criterion.value2 = value2;
    return criterion;
}

}  // namespace

TEST(AutoAssign, CasesGoToTheQualifyingAuditorWithTheFewestOpenCases)
{
    const std::vector<AutoAssignCandidate> auditors = {
        // Boston, small premiums, any parent.
        {"Ann", -1, 5, {Criterion("Territory", "Northeast", "Boston"), Criterion("Premium", "0", "50000")}},
        // The whole Northeast region or the Midwest's Ohio, for Atlas only; full at 3 cases.
        {"Bob", 3, 2, {Criterion("Territory", "Northeast"), Criterion("Territory", "Midwest", "Ohio"),
                       Criterion("Parent", "Atlas")}},
        // Takes no cases at all.
        {"Cal", 0, 0, {}},
        // Only the cases its formula admits.
        {"Dee", -1, 1, {Criterion("Formula", "[AuditType] = 2")}},
        // Cases that Ann had before.
        {"Eve", -1, 0, {Criterion("Child", "Ann")}},
    };
    struct Row {
        const char* what;
        AutoAssignCase facts;
        bool formulaHolds;
        const char* expected;  // "" for no one
    };
    const Row rows[] = {
        {"Boston, small premium, Atlas: Bob has fewer cases than Ann", {"Northeast", "Boston", 100, "Atlas", ""},
         false, "Bob"},
        {"Boston, small premium, other parent: only Ann", {"Northeast", "Boston", 100, "Cedar", ""}, false, "Ann"},
        {"premium at the end of Ann's range", {"Northeast", "Boston", 50000, "Cedar", ""}, false, "Ann"},
        {"premium above Ann's range", {"Northeast", "Boston", 50001, "Cedar", ""}, false, ""},
        {"Ohio for Atlas: Bob by the second territory", {"Midwest", "Ohio", 1e6, "Atlas", ""}, false, "Bob"},
        {"Indiana for Atlas: no territory of Bob's", {"Midwest", "Indiana", 1e6, "Atlas", ""}, false, ""},
        {"the formula holds: Dee", {"South", "Texas", 1, "Beacon", ""}, true, "Dee"},
        {"Ann had it: Eve, with no cases, before Dee", {"South", "Texas", 1, "Beacon", "Ann"}, true, "Eve"},
    };
    for (const Row& row : rows) {
        const int chosen = ChooseCandidate(auditors, row.facts, [&](const std::string&) { return row.formulaHolds; });
        EXPECT_EQ(chosen < 0 ? std::string() : auditors[chosen].name, row.expected) << row.what;
    }

    // Bob at his cap is passed over; Ann, unlimited, takes the case instead.
    std::vector<AutoAssignCandidate> full = auditors;
    full[1].openCases = 3;
    const AutoAssignCase atlasBoston{"Northeast", "Boston", 100, "Atlas", ""};
    EXPECT_EQ(full[ChooseCandidate(full, atlasBoston, [](const std::string&) { return false; })].name, "Ann");
    // Equal open cases: the first in name order.
    full[1].openCases = 5;
    full[1].inventoryCap = -1;
    EXPECT_EQ(full[ChooseCandidate(full, atlasBoston, [](const std::string&) { return false; })].name, "Ann");
    // An auditor without criteria takes any case unless its cap says no.
    const std::vector<AutoAssignCandidate> open = {{"Zed", -1, 40, {}}, {"Cal", 0, 0, {}}};
    EXPECT_EQ(ChooseCandidate(open, AutoAssignCase{}, [](const std::string&) { return false; }), 0);
}
