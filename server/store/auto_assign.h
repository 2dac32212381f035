#pragma once
// Automatic assignment: the child the server gives a case that is created for, or
// handed on to, "*AUTO*" (child group -2 and no child name).
//
// The candidates are the auditors (group 1). An auditor takes a case when, in every
// criterion category it has criteria of, at least one criterion admits the case (a
// category without criteria admits every case):
//   Territory  the case's region equals value 1 and, when value 2 is not empty, its
//              territory equals value 2;
//   Premium    the case's estimated premium lies from value 1 to value 2, both included;
//   Parent     the case's parent name equals value 1;
//   Formula    the case view formula of value 1 holds for the case (a formula that does
//              not compile admits nothing);
//   Child      the child who had the case before (for a new case, the child account that
//              created it) is value 1.
// and when its inventory cap leaves room: -1 is no limit, 0 takes no cases at all, n
// takes cases while fewer than n open cases (not completed, not archived) are its.
// Of the auditors that qualify, the one with the fewest open cases wins; on a tie, the
// first in name order. When none qualifies the case stays with "*AUTO*".

#include "records/assign_criterion.h"
#include "records/audit_case.h"
#include "server/database.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

inline constexpr int32_t kAutoAssignGroup = 1;  // the auditors

// What the criteria look at in a case.
struct AutoAssignCase {
    std::string region;
    std::string territory;
    double premium = 0.0;
    std::string parent;
    std::string previousChild;
};

struct AutoAssignCandidate {
    std::string name;
    int32_t inventoryCap = -1;
    int64_t openCases = 0;
    std::vector<CAssignCriterion> criteria;
};

// Whether the criteria admit the case; `formulaHolds` decides a formula criterion.
bool CriteriaAdmit(const std::vector<CAssignCriterion>& criteria, const AutoAssignCase& facts,
                   const std::function<bool(const std::string&)>& formulaHolds);

// The index of the chosen candidate, -1 for none.
int ChooseCandidate(const std::vector<AutoAssignCandidate>& candidates, const AutoAssignCase& facts,
                    const std::function<bool(const std::string&)>& formulaHolds);

// Whether the record asks for automatic assignment.
bool WantsAutoAssignment(const CAuditCase& record);

// Picks the auditor for the stored case `caseId` (whose values `record` holds) and
// sets the record's child name, group and manual flag accordingly; false when no one
// qualifies and the record is left as it is. The caller holds the database lock and
// stores the record.
bool AutoAssign(CDatabase& database, int64_t caseId, CAuditCase& record, const std::string& previousChild);
