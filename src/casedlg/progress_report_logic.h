#pragma once
// The rules of the "Progress Report" dialog: the entries of a case as its grid shows
// them, the new, properties and remove actions with their messages and server calls,
// and the Copy All text. The list is loaded again after every change that the server
// took.

#include "net/inventory_server.h"
#include "records/progress_rpt_entry.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

class UserPrompts;

// The "Progress Report Properties" dialog's fields.
struct ProgressEntryForm {
    static constexpr size_t kMaxCommentLength = 2048;

    std::string comment;
    std::string dateText;       // "MM/DD/YYYY"
    bool internal = false;
    bool showInternal = false;  // the check box is offered only with the right
    CDateTime preset;           // the date the form was opened with

    // The entered date: the preset one (with its time of day) while the text still shows
    // its day, else midnight of the day typed; nothing when the text is no date.
    std::optional<CDateTime> EnteredDate() const;
    // The message that keeps the dialog open, or nothing.
    std::optional<std::string> Validate() const;
};

class ProgressReportLogic {
public:
    static constexpr int32_t kRightProgressReports = 0x40000;

    // Runs the properties dialog over the form; true on OK.
    using EntryEditor = std::function<bool(ProgressEntryForm& form)>;

    struct Column {
        std::string header;
        int width = 0;
    };

    ProgressReportLogic(CInventoryServer& server, UserPrompts& prompts, std::string caseId, int32_t rights);

    // GETCASEPROGRESSRPTS; false after a failure, which has been shown.
    bool Load();

    const std::string& CaseId() const { return caseId_; }
    bool HasRight() const { return hasRight_; }
    const std::vector<CProgressRptEntry>& Entries() const { return entries_; }
    std::vector<Column> Columns() const;
    std::vector<std::string> RowTexts(size_t row) const;
    // Properties and Remove are disabled on a linked entry.
    bool ChangeEnabled(int row) const;

    // The buttons. Each returns true when the server took a change.
    bool New(const EntryEditor& editor);
    bool Properties(int row, const EntryEditor& editor);
    bool Remove(int row);

    // Every entry in list order as "date by name:", its comment and a blank line, CR LF.
    std::string CopyAllText() const;

    // Whether any change reached the server while the dialog was open.
    bool Changed() const { return changed_; }

private:
    bool Selected(int row);
    // Runs the editor until the form validates or the user cancels.
    bool Edit(ProgressEntryForm& form, const EntryEditor& editor);
    bool Store(const CProgressRptEntry& entry, CInventoryServer::EditMode mode, const char* failure);

    CInventoryServer& server_;
    UserPrompts& prompts_;
    std::string caseId_;
    bool hasRight_;
    std::vector<CProgressRptEntry> entries_;
    bool changed_ = false;
};
