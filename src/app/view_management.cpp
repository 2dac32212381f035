#include "app/view_management.h"

#include "app/access_groups.h"
#include "app/orvenna_oc_doc.h"
#include "platform/user_prompts.h"
#include "query/case_view_list.h"
#include "query/inventory_tree_layout.h"
#include "records/case_query_data.h"
#include "records/report_prop_item.h"
#include "records/ui_dialog.h"
#include "report/widgets/report_view_list_logic.h"

namespace {

std::string GroupName(int32_t group)
{
    return group == 9 ? std::string("Customer Rep") : AccessGroupName(group);
}

}  // namespace

ViewManagement::ViewManagement(COrvennaOCDoc& doc)
    : doc_(doc), server_(doc.Server()), prompts_(doc.Prompts()), dialogs_(doc.Dialogs())
{
}

void ViewManagement::Message(const char* text)
{
    prompts_.Message(QString::fromLatin1(text));
}

std::optional<bool> ViewManagement::HasTreeCommand(const DocumentDialogs& dialogs, int commandId)
{
    switch (commandId) {
    case cmdEditReportView: return static_cast<bool>(dialogs.reportSettings);
    case cmdManageChildCaseViews: return static_cast<bool>(dialogs.manageCaseViews);
    case cmdManageChildReportViews: return static_cast<bool>(dialogs.manageReportViews);
    default: return std::nullopt;
    }
}

// --- Report view settings ----------------------------------------------------------------------

bool ViewManagement::RunSettingsDialog(CUIDialog& dialog)
{
    return dialogs_.reportSettings && dialogs_.reportSettings(dialog);
}

bool ViewManagement::EditReportViewSession(const std::string& reportName)
{
    CUIDialog dialog;
    bool done = false;
    {
        WaitCursor wait(prompts_);
        done = server_.GetReportView(reportName, dialog);
    }
    if (!done) {
        Message("Error receiving report view properties from server");
        return false;
    }
    if (!RunSettingsDialog(dialog))
        return false;
    {
        WaitCursor wait(prompts_);
        done = server_.SetReportView(reportName, dialog);
    }
    if (!done) {
        Message("Error sending report view properties to server");
        return false;
    }
    return true;
}

std::optional<std::string> ViewManagement::EditAdminSettings(const std::string& file, const std::string& settings)
{
    CReportPropItem item;
    item.reportFile = file;
    item.settings = settings;
    CUIDialog dialog;
    bool done = false;
    {
        WaitCursor wait(prompts_);
        done = server_.AdminGetReportView(item, dialog);
    }
    if (!done) {
        Message("Failed to get Report View properties from server");
        return std::nullopt;
    }
    if (!RunSettingsDialog(dialog))
        return std::nullopt;
    {
        WaitCursor wait(prompts_);
        done = server_.AdminSetReportView(dialog, item);
    }
    if (!done) {
        Message("Error sending Report View properties to server");
        return std::nullopt;
    }
    return item.settings;
}

// --- Reports for selected cases -------------------------------------------------------------------

bool ViewManagement::GenerateReportForCases(const std::vector<std::string>& caseIds)
{
    if (!dialogs_.generateReport)
        return false;
    std::vector<std::string> names;
    for (const CReportViewParam& view : doc_.ReportViews())
        names.push_back(view.name);
    bool generated = false;
    const auto properties = [this](const std::string& name) { EditReportViewSession(name); };
    const auto generate = [&](const std::string& name, int kind) {
        if (kind == CInventoryServer::outputPrintout)
            generated = doc_.ShowReport(name, caseIds) || generated;
        else
            generated = doc_.ExportReport(name, caseIds, static_cast<CInventoryServer::ReportOutput>(kind)) ||
                        generated;
    };
    dialogs_.generateReport(names, properties, generate);
    return generated;
}

// --- Accounts ------------------------------------------------------------------------------------

std::string ViewManagement::ChildKey(const std::string& childName) const
{
    for (const CChildUser& child : doc_.InventoryInfo().children)
        if (child.name == childName)
            return child.loginId;
    return {};
}

std::vector<ViewManagement::Account> ViewManagement::OtherAccounts(const std::string& exceptKey) const
{
    std::vector<Account> accounts;
    for (const CChildUser& child : doc_.InventoryInfo().children)
        if (child.loginId != exceptKey)
            accounts.push_back({GroupName(child.group) + ": " + child.name, child.loginId});
    return accounts;
}

std::optional<std::vector<std::string>> ViewManagement::ChooseAccounts(const std::string& exceptKey)
{
    if (!dialogs_.selectUsers)
        return std::nullopt;
    const std::vector<Account> accounts = OtherAccounts(exceptKey);
    std::vector<std::string> lines;
    for (const Account& account : accounts)
        lines.push_back(account.line);
    const std::optional<std::vector<size_t>> chosen = dialogs_.selectUsers(lines);
    if (!chosen || chosen->empty())
        return std::nullopt;
    std::vector<std::string> keys;
    for (size_t index : *chosen)
        if (index < accounts.size())
            keys.push_back(accounts[index].key);
    return keys;
}

// --- Copying -----------------------------------------------------------------------------------------

bool ViewManagement::CopyCaseView(const CCaseQueryData& view, const std::vector<std::string>& keys)
{
    bool copied = true;
    for (const std::string& key : keys) {
        CInventoryServer::Objects<CCaseQueryData> views;
        bool done = false;
        {
            WaitCursor wait(prompts_);
            done = server_.GetCaseViewPropSet(key, views);
        }
        if (!done) {
            Message("Failed to load user Case Views from server");
            copied = false;
            break;
        }
        if (ViewNameClashes(views, view.name, view.scope)) {
            Message("User has Case View with same name.  Cannot add");
            copied = false;
            break;
        }
        views.push_back(std::make_shared<CCaseQueryData>(view));
        {
            WaitCursor wait(prompts_);
            done = server_.SetCaseViewPropSet(key, views);
        }
        if (!done) {
            Message("Failed to store user Case Views to server");
            copied = false;
            break;
        }
    }
    Message(copied ? "Case View successfully copied" : "Error copying view to one or more users");
    return copied;
}

bool ViewManagement::CopyReportView(const CReportPropItem& view, const std::vector<std::string>& keys)
{
    bool copied = true;
    for (const std::string& key : keys) {
        CInventoryServer::Objects<CReportPropItem> views;
        bool done = false;
        {
            WaitCursor wait(prompts_);
            done = server_.GetReportViewPropSet(key, views);
        }
        if (!done) {
            Message("Failed to load user Report Views from server");
            copied = false;
            break;
        }
        if (ReportViewNameTaken(views, view.name, nullptr)) {
            Message("User has Report View with same name.  Cannot add");
            copied = false;
            break;
        }
        views.push_back(std::make_shared<CReportPropItem>(view));
        {
            WaitCursor wait(prompts_);
            done = server_.SetReportViewPropSet(key, views);
        }
        if (!done) {
            Message("Failed to store user Report Views to server");
            copied = false;
            break;
        }
    }
    Message(copied ? "Report View successfully copied" : "Error copying view to one or more users");
    return copied;
}

// --- Managing a child's views ----------------------------------------------------------------------

bool ViewManagement::ManageCaseViews(const std::string& childName)
{
    if (!dialogs_.manageCaseViews)
        return false;
    const std::string key = ChildKey(childName);
    CInventoryServer::Objects<CCaseQueryData> views;
    bool done = false;
    {
        WaitCursor wait(prompts_);
        done = server_.GetCaseViewPropSet(key, views);
    }
    if (!done) {
        Message("Failed to load Case Views from server");
        return false;
    }
    const auto copyTo = [this, &key](const CCaseQueryData& view) {
        if (const std::optional<std::vector<std::string>> keys = ChooseAccounts(key))
            CopyCaseView(view, *keys);
    };
    if (!dialogs_.manageCaseViews(views, copyTo))
        return false;
    {
        WaitCursor wait(prompts_);
        done = server_.SetCaseViewPropSet(key, views);
    }
    if (!done) {
        Message("Failed to store Case Views to server");
        return false;
    }
    return true;
}

bool ViewManagement::ManageReportViews(const std::string& childName)
{
    if (!dialogs_.manageReportViews)
        return false;
    const std::string key = ChildKey(childName);
    CInventoryServer::Objects<CReportPropItem> views;
    bool done = false;
    {
        WaitCursor wait(prompts_);
        done = server_.GetReportViewPropSet(key, views);
    }
    if (!done) {
        Message("Failed to load Report Views from server");
        return false;
    }
    ReportViewsHost host;
    host.reportFiles = [this]() -> std::optional<std::vector<std::string>> {
        std::vector<std::string> files;
        bool received = false;
        {
            WaitCursor wait(prompts_);
            received = server_.GetReportFileNames(files);
        }
        if (!received) {
            Message("Error receiving report file names from server");
            return std::nullopt;
        }
        return files;
    };
    host.editSettings = [this](const std::string& file, const std::string& settings) {
        return EditAdminSettings(file, settings);
    };
    host.copyTo = [this, &key](const CReportPropItem& view) {
        if (const std::optional<std::vector<std::string>> keys = ChooseAccounts(key))
            CopyReportView(view, *keys);
    };
    if (!dialogs_.manageReportViews(views, host))
        return false;
    {
        WaitCursor wait(prompts_);
        done = server_.SetReportViewPropSet(key, views);
    }
    if (!done) {
        Message("Failed to store Report Views to server");
        return false;
    }
    return true;
}

// --- The document's entry points ---------------------------------------------------------------------

bool COrvennaOCDoc::EditReportViewSession(const std::string& reportName)
{
    Operation operation(*this);
    return ViewManagement(*this).EditReportViewSession(reportName);
}

bool COrvennaOCDoc::GenerateReportForCases(const std::vector<std::string>& caseIds)
{
    Operation operation(*this);
    return ViewManagement(*this).GenerateReportForCases(caseIds);
}

bool COrvennaOCDoc::ManageChildCaseViews(const std::string& childName)
{
    Operation operation(*this);
    return ViewManagement(*this).ManageCaseViews(childName);
}

bool COrvennaOCDoc::ManageChildReportViews(const std::string& childName)
{
    Operation operation(*this);
    return ViewManagement(*this).ManageReportViews(childName);
}

std::optional<TreeCommandOutcome> COrvennaOCDoc::RunViewTreeCommand(int commandId, const TreeNodeRef& node)
{
    TreeCommandOutcome outcome;
    switch (commandId) {
    case cmdEditReportView: outcome.succeeded = EditReportViewSession(node.text); break;
    case cmdManageChildCaseViews: outcome.succeeded = ManageChildCaseViews(node.text); break;
    case cmdManageChildReportViews: outcome.succeeded = ManageChildReportViews(node.text); break;
    default: return std::nullopt;
    }
    return outcome;
}
