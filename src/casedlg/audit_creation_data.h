#pragma once
// What the companion application gets to create a new audit for a case: 27 texts of the
// case in a fixed order, dates as "%m/%d/%Y", the audit source, type and the
// non-productive flag as numbers, archived as a string array.

#include <string>
#include <vector>

class CAuditCase;

namespace AuditCreationData {

std::vector<std::string> Texts(const CAuditCase& auditCase);
// The texts archived as a string array.
std::string Encode(const CAuditCase& auditCase);

}  // namespace AuditCreationData
