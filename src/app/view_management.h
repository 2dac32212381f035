#pragma once
// The document's operations on views beyond running them: a report view's settings for
// this session, reports for the cases selected in the list, and managing the case and
// report views of a child account, with copying a view to several accounts. Each
// failure is reported once, in its own words, and leaves the lists as they were.

#include "net/inventory_server.h"
#include "report/widgets/report_views_host.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class CCaseQueryData;
class COrvennaOCDoc;
class CReportPropItem;
class CUIDialog;
struct DocumentDialogs;
class UserPrompts;

class ViewManagement {
public:
    // An account that a view can be copied to: its line in "Select Users" and its key.
    struct Account {
        std::string line;
        std::string key;
    };

    explicit ViewManagement(COrvennaOCDoc& doc);

    // GETREPORTVIEW, the settings dialog, SETREPORTVIEW on OK.
    bool EditReportViewSession(const std::string& reportName);
    // "Generate Report For Selected Cases" for the cases; Display or Export per choice.
    bool GenerateReportForCases(const std::vector<std::string>& caseIds);
    // GETCASEVIEWPROPSET for the child, "Manage Case Views", SETCASEVIEWPROPSET on OK.
    bool ManageCaseViews(const std::string& childName);
    // The same for report views.
    bool ManageReportViews(const std::string& childName);

    // Copies the view to each account in turn, stopping at the first clash or failure;
    // then the final message. True when every account got it.
    bool CopyCaseView(const CCaseQueryData& view, const std::vector<std::string>& keys);
    bool CopyReportView(const CReportPropItem& view, const std::vector<std::string>& keys);

    // The children of the user's list but the one with this key, as group name, ": " and
    // name, in list order.
    std::vector<Account> OtherAccounts(const std::string& exceptKey) const;
    // The key of the child with this name; empty when there is none.
    std::string ChildKey(const std::string& childName) const;

    // The tree commands carried out here: "&Edit " on a report view, "Manage &Case
    // Views..." and "Manage &Report Views..." on a child. Nothing for other commands.
    static std::optional<bool> HasTreeCommand(const DocumentDialogs& dialogs, int commandId);

private:
    // The settings dialog over a received description; false when cancelled or refused.
    bool RunSettingsDialog(CUIDialog& dialog);
    std::optional<std::string> EditAdminSettings(const std::string& file, const std::string& settings);
    // "Select Users" over the other accounts: the chosen keys, or nothing.
    std::optional<std::vector<std::string>> ChooseAccounts(const std::string& exceptKey);
    void Message(const char* text);

    COrvennaOCDoc& doc_;
    CInventoryServer& server_;
    UserPrompts& prompts_;
    const DocumentDialogs& dialogs_;
};
