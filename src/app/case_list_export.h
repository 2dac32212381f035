#pragma once
// Export List to Text: the shown case list as a tab-separated text file. The header
// holds the column labels from the second column on (the first is the key column with
// the case numbers), then one line per row in the order the server sent them; tabs
// between the values, CR LF after each line, the texts byte for byte as received,
// without quoting.

#include <QString>

#include <optional>
#include <string>

class CCaseQueryResults;
class UserPrompts;

// The file's bytes.
std::string CaseListText(const CCaseQueryResults& results);

// Writes the bytes through a temporary file that replaces `path` only when complete;
// the system's error text on failure, nothing on success.
std::optional<QString> WriteCaseListText(const CCaseQueryResults& results, const QString& path);

// The command: nothing without rows; otherwise the save dialog ("Export Case View To
// Text File") and the file, a failure shown in the system's words. True when written.
bool ExportCaseListToText(UserPrompts& prompts, const CCaseQueryResults* results);
