// Managing views against the real inventory server: editing a view of the current
// log-in re-runs it; a child's case views added, edited, deleted and copied to two
// accounts of which one already has the view; a child's report views with settings
// from the server's dialog; a report's settings for the session change the generated
// report; and a report for three selected cases exported as PDF.
#include "app/document_fixture.h"
#include "app/server_seeding.h"
#include "query/case_list_commands.h"
#include "query/inventory_tree_layout.h"
#include "query/scope_bits.h"
#include "records/ui_dialog.h"
#include "report/widgets/report_view_list_logic.h"
#include "report/widgets/ui_dialog_window.h"
#include "support/server_process.h"
#include "support/widget_application.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

std::vector<QString> Texts(std::initializer_list<const char*> texts)
{
    std::vector<QString> result;
    for (const char* text : texts)
        result.push_back(QString::fromLatin1(text));
    return result;
}

CUIControl* ControlWithId(CUIDialog& dialog, int32_t id)
{
    for (const auto& control : dialog.controls)
        if (control->controlId == id)
            return control.get();
    return nullptr;
}

}  // namespace

TEST(DocumentViewManagement, EditingAViewOfTheLogInRunsItAgainWithTheNewColumns)
{
    CServerProcess server({"--demo"});
    ASSERT_TRUE(server.Start());
    DocFixture f;
    ASSERT_TRUE(f.LogInAs("admin", "admin", server.Port()));
    DocumentDialogs dialogs = f.doc.Dialogs();
    dialogs.editCaseView = [](CCaseQueryData& view, const QString&) {
        view.sort1Field = "[SysDueDate]";
        auto column = std::make_shared<CCaseQueryColInfo>();
        column->fieldToken = "[AuditCity]";
        column->header = "Town";
        column->width = 90;
        view.columns.push_back(column);
        return true;
    };
    f.doc.SetDialogs(dialogs);
    const TreeNodeRef node{kNodeCaseView, "Open Cases", kScopeAllParents, "All Parents"};
    ASSERT_TRUE(f.doc.RunTreeCommand(cmdEditCaseView, node).succeeded);
    ASSERT_EQ(f.observer.runs, 1);
    bool shown = false;
    for (const auto& column : f.observer.lastResults->resultColumns)
        shown = shown || column->header == "Town";
    EXPECT_TRUE(shown);
    EXPECT_TRUE(f.prompts.messages.empty());
}

TEST(DocumentViewManagement, ChildCaseViewsAreManagedAndCopiedUntilTheFirstClash)
{
    CServerProcess server({"--demo"});
    ASSERT_TRUE(server.Start());
    SeedViews(server, "reviewer", {CaseViewDefinition("Shared", kScopeAllParents)});
    DocFixture f;
    ASSERT_TRUE(f.LogInAs("admin", "admin", server.Port()));

    std::vector<std::string> offeredLines;
    DocumentDialogs dialogs = f.doc.Dialogs();
    dialogs.selectUsers = [&](const std::vector<std::string>& lines) -> std::optional<std::vector<size_t>> {
        offeredLines = lines;
        std::vector<size_t> chosen;
        for (const char* wanted : {"Schedulers: Demo Scheduler", "Reviewers: Demo Reviewer"})
            for (size_t i = 0; i < lines.size(); ++i)
                if (lines[i] == wanted)
                    chosen.push_back(i);
        return chosen;
    };
    size_t loaded = 0;
    dialogs.manageCaseViews = [&](std::vector<std::shared_ptr<CCaseQueryData>>& views,
                                  const std::function<void(const CCaseQueryData&)>& copyTo) {
        loaded = views.size();
        auto added = std::make_shared<CCaseQueryData>(CaseViewDefinition("Shared", kScopeAllParents));
        views.push_back(added);
        if (views.size() > 1)
            views.erase(views.begin());  // delete the first one
        added->sort1Field = "[SysDueDate]";
        copyTo(*added);
        return true;
    };
    f.doc.SetDialogs(dialogs);

    const TreeNodeRef auditor{kScopeEachAuditor, "Demo Auditor", kNodeChildrenRoot, "Children"};
    ASSERT_TRUE(f.doc.HasTreeCommand(cmdManageChildCaseViews));
    EXPECT_TRUE(f.doc.RunTreeCommand(cmdManageChildCaseViews, auditor).succeeded);
    EXPECT_EQ(std::count(offeredLines.begin(), offeredLines.end(), "Auditors: Demo Auditor"), 0);
    // The scheduler got the view; the reviewer has one of that name and scope already.
    EXPECT_EQ(f.prompts.MessageTexts(),
              Texts({"User has Case View with same name.  Cannot add", "Error copying view to one or more users"}));

    CInventoryServer::Objects<CCaseQueryData> stored;
    ASSERT_TRUE(f.doc.Server().GetCaseViewPropSet("auditor", stored));
    ASSERT_EQ(stored.size(), loaded == 0 ? 1u : loaded);
    EXPECT_EQ(stored.back()->name, "Shared");
    EXPECT_EQ(stored.back()->sort1Field, "[SysDueDate]");
    ASSERT_TRUE(f.doc.Server().GetCaseViewPropSet("scheduler", stored));
    EXPECT_EQ(stored.back()->name, "Shared");
    ASSERT_TRUE(f.doc.Server().GetCaseViewPropSet("reviewer", stored));
    EXPECT_EQ(std::count_if(stored.begin(), stored.end(), [](const auto& v) { return v->name == "Shared"; }), 1);
}

TEST(DocumentViewManagement, ChildReportViewsTakeTheirSettingsFromTheServersDialog)
{
    CServerProcess server({"--demo"});
    ASSERT_TRUE(server.Start());
    DocFixture f;
    ASSERT_TRUE(f.LogInAs("admin", "admin", server.Port()));
    DocumentDialogs dialogs = f.doc.Dialogs();
    int settingsDialogs = 0;
    dialogs.reportSettings = [&](CUIDialog& dialog) {
        ++settingsDialogs;
        if (CUIControl* title = ControlWithId(dialog, 101))
            title->text = "Auditor Listing";
        return true;
    };
    dialogs.selectUsers = [](const std::vector<std::string>& lines) -> std::optional<std::vector<size_t>> {
        for (size_t i = 0; i < lines.size(); ++i)
            if (lines[i] == "Printers: Demo Printer")
                return std::vector<size_t>{i};
        return std::vector<size_t>{};
    };
    dialogs.manageReportViews = [](std::vector<std::shared_ptr<CReportPropItem>>& views, const ReportViewsHost& host) {
        const std::optional<std::vector<std::string>> files = host.reportFiles();
        if (!files || files->empty())
            return false;
        ReportPropsLogic props;
        props.name = "Listing for auditors";
        props.ChooseFile(files->front());
        std::optional<std::string> settings = host.editSettings(props.file, props.SettingsForRequest());
        if (!settings)
            return false;
        props.SettingsReceived(*settings);
        if (AddReportView(views, props))
            return false;
        host.copyTo(*views.back());
        return true;
    };
    f.doc.SetDialogs(dialogs);

    const TreeNodeRef auditor{kScopeEachAuditor, "Demo Auditor", kNodeChildrenRoot, "Children"};
    EXPECT_TRUE(f.doc.RunTreeCommand(cmdManageChildReportViews, auditor).succeeded);
    EXPECT_EQ(settingsDialogs, 1);
    EXPECT_EQ(f.prompts.MessageTexts(), Texts({"Report View successfully copied"}));
    for (const char* key : {"auditor", "printer"}) {
        CInventoryServer::Objects<CReportPropItem> stored;
        ASSERT_TRUE(f.doc.Server().GetReportViewPropSet(key, stored));
        ASSERT_FALSE(stored.empty());
        EXPECT_EQ(stored.back()->name, "Listing for auditors") << key;
        EXPECT_FALSE(stored.back()->settings.empty());
    }
}

TEST(DocumentViewManagement, SessionSettingsChangeTheReportAndSelectedCasesExportAsPdf)
{
    WidgetApplication();
    CServerProcess server({"--demo"});
    ASSERT_TRUE(server.Start());
    DocFixture f;
    ASSERT_TRUE(f.LogInAs("admin", "admin", server.Port()));
    ASSERT_TRUE(f.doc.RunCaseView("Open Cases", kScopeAllParents, "All Parents", ""));
    std::vector<std::string> cases;
    for (size_t i = 0; i < 3 && i < f.observer.lastResults->rows.size(); ++i)
        cases.push_back(f.observer.lastResults->rows[i]->Cell(0));
    ASSERT_EQ(cases.size(), 3u);
    const std::string report = f.doc.ReportViews().front().name;

    DocumentDialogs dialogs = f.doc.Dialogs();
    dialogs.reportSettings = [](CUIDialog& dialog) {
        // The server's own description, built as the desktop shows it.
        const QString folder = qEnvironmentVariable("ORV_SCREENSHOT_DIR");
        if (!folder.isEmpty() && !CheckUIDialog(dialog)) {
            CUIDialog copy = dialog;
            CUIDialogWindow window(copy);
            window.show();
            QApplication::processEvents();
            window.grab().save(QDir(folder).filePath(QStringLiteral("server_settings_dialog.png")));
        }
        if (CUIControl* title = ControlWithId(dialog, 101))
            title->text = "Three Chosen Cases";
        return true;
    };
    std::vector<std::string> offered;
    dialogs.generateReport = [&](const std::vector<std::string>& names,
                                 const std::function<void(const std::string&)>& properties,
                                 const std::function<void(const std::string&, int)>& generate) {
        offered = names;
        properties(report);
        generate(report, 0);
        generate(report, 1);
    };
    f.doc.SetDialogs(dialogs);
    const QString pdf = f.dir.filePath(QStringLiteral("three.pdf"));
    f.prompts.fileAnswers.push_back(pdf);

    ASSERT_TRUE(f.doc.HasCaseCommand(cmdCaseGenerateReport));
    ASSERT_TRUE(f.doc.CaseCommandEnabled(cmdCaseGenerateReport));
    EXPECT_FALSE(f.doc.RunCaseCommand(cmdCaseGenerateReport, cases));  // nothing for the list to refresh
    EXPECT_EQ(offered.front(), report);
    EXPECT_TRUE(f.prompts.messages.empty());
    EXPECT_EQ(f.observer.reportsShown, 1);
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.read(5), QByteArray("%PDF-"));

    // The session's title is in the report generated now.
    const std::optional<std::string> printout = f.doc.GenerateReport(report, cases, CInventoryServer::outputPrintout);
    ASSERT_TRUE(printout.has_value());
    EXPECT_NE(printout->find("Three Chosen Cases"), std::string::npos);
}
