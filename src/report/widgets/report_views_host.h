#pragma once
// What "Manage Report Views" and "Report Properties" need from the document: the
// server's report files, the server-described settings of a file, and copying a view
// to other accounts. Each reports its own failures.

#include "records/report_prop_item.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

struct ReportViewsHost {
    // GETREPORTFILENAMES; nothing after a failure.
    std::function<std::optional<std::vector<std::string>>()> reportFiles;
    // The settings dialog of the file over the settings (ADMINGETREPORTVIEW, the dialog,
    // ADMINSETREPORTVIEW): the new settings, or nothing when cancelled or failed.
    std::function<std::optional<std::string>(const std::string& file, const std::string& settings)> editSettings;
    // "Copy &To...": the accounts chosen and the view copied to each.
    std::function<void(const CReportPropItem& view)> copyTo;
};
