#pragma once
// The dialogs the document runs in the middle of its operations. The desktop fills them
// with real dialogs (desktop_dialogs.h); tests with functions that answer at once. An
// empty function means the program does not have that dialog, and the operations that
// need it are not offered.

#include "app/case_actions.h"
#include "admin/admin_dialogs.h"
#include "app/login_steps.h"
#include "casedlg/case_editing.h"
#include "casedlg/case_ordering.h"
#include "query/search_fields.h"
#include "report/widgets/report_views_host.h"

#include <QString>

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class AttachmentPropsLogic;
class CCaseAttachments;
class CBinaryObject;
class CCaseQueryData;
class CReportPropItem;
class CUIDialog;

struct DocumentDialogs {
    // "Log In": true when confirmed (see login_steps.h).
    LoginDialogRunner logIn;

    // "Search Cases", offering the server's searchable fields: the search formula
    // entered, or nothing when cancelled.
    std::function<std::optional<std::string>(const std::vector<SearchField>& fields)> search;

    // The case view editor for the current log-in, titled `title`: edits the definition
    // in place, true on OK.
    std::function<bool(CCaseQueryData& view, const QString& title)> editCaseView;

    // "Currently Logged In Users", listing the server's lines.
    std::function<void(const std::vector<std::string>& lines)> loggedInUsers;

    // The case properties sheet, the create-cases wizard, editing many cases and billing.
    CaseEditingDialogs caseEditing;
    // The case list's own actions: reset linkages, progress reports, schedule, policy
    // detail, assignment history.
    CaseActionDialogs caseActions;
    // The settings dialog built from the server's description: the values edited in
    // place, true on OK.
    std::function<bool(CUIDialog& dialog)> reportSettings;
    // "Generate Report For Selected Cases" over the report view names; `properties` and
    // `generate` (kind 0 display, 1 to 3 the exports) carry out its buttons.
    std::function<void(const std::vector<std::string>& reportNames,
                       const std::function<void(const std::string& name)>& properties,
                       const std::function<void(const std::string& name, int kind)>& generate)>
        generateReport;
    // "Manage Case Views" over an account's definitions, edited in place; true on OK.
    std::function<bool(std::vector<std::shared_ptr<CCaseQueryData>>& views,
                       const std::function<void(const CCaseQueryData& view)>& copyTo)>
        manageCaseViews;
    // "Manage Report Views" over an account's report views, edited in place; true on OK.
    std::function<bool(std::vector<std::shared_ptr<CReportPropItem>>& views, const ReportViewsHost& host)>
        manageReportViews;
    // "Select Users": the indexes of the lines chosen, in list order; nothing when
    // cancelled.
    std::function<std::optional<std::vector<size_t>>(const std::vector<std::string>& lines)> selectUsers;
    // "Attachment Properties": edits the logic in place, true on OK.
    std::function<bool(AttachmentPropsLogic& props)> attachmentProps;
    // "Attachments" of one case.
    std::function<bool(CCaseAttachments& attachments, const std::string& caseNumber)> attachments;
    // "Orvenna Import Client", sending each file with the function given (IMPORTCASES).
    using ImportSender = std::function<bool(const CBinaryObject& file, std::vector<std::string>& lines)>;
    std::function<void(const ImportSender& send)> importCases;

    // Ordering cases: "Select Product and Parent", the order wizard, "Add Another Case".
    CaseOrderDialogs orderCases;
    // The administration dialogs of the tree's account, region and territory commands.
    AdminDialogs admin;
};
