#pragma once
// Audit and survey documents as the server keeps them: a small text format of our own
// (server/reports/README.md describes it). Parsing checks the form and keeps every
// limit; it never trusts a count it has not read.

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct CAuditTable {
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;  // each as wide as the header
};

// A section's body in order: text blocks and tables.
struct CAuditPart {
    std::string text;    // used when table is empty
    CAuditTable table;
    bool IsTable() const { return !table.header.empty(); }
};

struct CAuditSection {
    std::string heading;  // empty for the text before the first heading
    std::vector<CAuditPart> parts;
};

struct CAuditDocument {
    enum class Kind { audit, survey };

    Kind kind = Kind::audit;
    std::string title;  // the "Title" field, or "Audit" / "Survey"
    std::vector<std::pair<std::string, std::string>> fields;  // the other heading fields, in order
    std::vector<CAuditSection> sections;
};

namespace AuditFormat {

inline constexpr const char* kAuditMagic = "ORVENNA AUDIT 1";
inline constexpr const char* kSurveyMagic = "ORVENNA SURVEY 1";

inline constexpr size_t kMaxBytes = 16u << 20;
inline constexpr size_t kMaxLineLength = 64u << 10;
inline constexpr size_t kMaxColumns = 32;
inline constexpr size_t kMaxFields = 200;
inline constexpr size_t kMaxSections = 10000;
// Table rows count as kMaxColumns cells each, whatever their width.
inline constexpr size_t kMaxTableCells = 1u << 20;

}  // namespace AuditFormat

struct CAuditParseResult {
    std::optional<CAuditDocument> document;
    std::string error;  // why there is none
};

CAuditParseResult ParseAuditDocument(const std::string& bytes);
