#pragma once
// Korrimat's side of a new audit: the creation data the office client sends (an archived
// array of 27 texts describing the case) and the audit document started from it, in the
// inventory server's audit text format.

#include <optional>
#include <string>
#include <vector>

namespace AuditTemplate {

inline constexpr size_t kCreationTexts = 27;

// The 27 texts of an archived string array; nothing when the bytes are not one, or the
// count differs.
std::optional<std::vector<std::string>> DecodeCreationData(const std::string& bytes);
std::string EncodeCreationData(std::vector<std::string> texts);

// A new audit for the case: heading fields from the texts, and the sections an auditor
// fills in.
std::string NewAudit(const std::vector<std::string>& texts);

}  // namespace AuditTemplate
