#pragma once
// The rules of "Manage Report Views" and "Report Properties" without windows: the
// order of the checks on OK, settings that go stale when another report file is
// chosen, and the name clashes when a view is added or edited.

#include "records/report_prop_item.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

using ReportPropItems = std::vector<std::shared_ptr<CReportPropItem>>;

struct ReportPropsFailure {
    enum Field { file, name };
    Field field;
    std::string message;
};

class ReportPropsLogic {
public:
    static constexpr size_t kMaxNameLength = 80;
    static constexpr const char* kNoFile = "A report file name must be selected";
    static constexpr const char* kBlankName = "The report name cannot be blank";
    static constexpr const char* kNoReport = "A report must first be selected";
    static constexpr const char* kAddClash = "Report name already exists.  It cannot be added.";
    static constexpr const char* kEditClash = "Report name already exists.  The changes will not be stored.";

    ReportPropsLogic() = default;
    explicit ReportPropsLogic(const CReportPropItem& item);

    // Another file makes the settings stale: they belong to the file chosen before.
    void ChooseFile(const std::string& newFile);
    // The first refusal: no file, then a blank name.
    std::optional<ReportPropsFailure> Validate() const;
    // "Settings...": the settings to send with the chosen file; stale ones are dropped
    // first.
    const std::string& SettingsForRequest();
    // The server's settings after the settings dialog; no longer stale.
    void SettingsReceived(std::string newSettings);
    // The item the dialog stands for; stale settings are dropped.
    CReportPropItem Item() const;

    std::string name;
    std::string file;
    std::string settings;
    bool stale = false;
};

// Adds the view unless its name is taken; the message when it is.
std::optional<std::string> AddReportView(ReportPropItems& views, const ReportPropsLogic& props);
// Rewrites entry `index` unless another entry has the new name; the message when it has.
std::optional<std::string> EditReportView(ReportPropItems& views, size_t index, const ReportPropsLogic& props);
// True when an entry other than `except` has the name.
bool ReportViewNameTaken(const ReportPropItems& views, const std::string& name, const CReportPropItem* except);
