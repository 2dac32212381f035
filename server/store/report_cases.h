#pragma once
// The cases a report runs over, read whole (policy pages included) as the user may see
// them: accounts tied to one parent get that parent's cases only.

#include "records/audit_case.h"
#include "server/database.h"
#include "server/session_user.h"
#include "server/store/case_store.h"

#include <string>
#include <vector>

// With no case numbers every case the user may see, by case number; otherwise the cases
// of the numbers given, in the order given, passing over numbers the user cannot see
// and numbers given before.
std::vector<CAuditCase> ReadReportCases(CDatabase& database, CCaseStore& cases, const SessionUser& user,
                                        const std::vector<std::string>& caseNumbers);
