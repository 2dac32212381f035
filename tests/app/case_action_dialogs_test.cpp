// The case actions' dialogs over real data from the server: each is built, its real OK
// button clicked where it validates, and the pictures written to ORV_SCREENSHOT_DIR
// when that is set.
#include "app/case_action_dialogs_desktop.h"
#include "app/case_list_print_host.h"
#include "app/document_fixture.h"
#include "app/reset_links_dlg.h"
#include "casedlg/assignment_history_dlg.h"
#include "casedlg/policy_data_sheet.h"
#include "casedlg/progress_report_dlg.h"
#include "casedlg/schedule_case_dlg.h"
#include "query/case_list_commands.h"
#include "query/widgets/command_menu.h"
#include "query/widgets/case_view.h"
#include "records/admin_child_user.h"
#include "records/audit_case.h"
#include "records/case_schedule_info.h"
#include "support/log_in.h"
#include "support/server_process.h"
#include "support/widget_application.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

void Save(QWidget& widget, const char* name)
{
    widget.show();
    const QImage image = widget.grab().toImage();
    EXPECT_FALSE(image.isNull()) << name;
    const QString folder = qEnvironmentVariable("ORV_SCREENSHOT_DIR");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    EXPECT_TRUE(image.save(QDir(folder).filePath(QString::fromLatin1(name) + QStringLiteral(".png"))));
}

CDateTime Day(double serial)
{
    return CDateTime{CDateTime::valid, serial};
}

}  // namespace

TEST(CaseActionDialogs, EachDialogOverRealData)
{
    WidgetApplication();
    CServerProcess server({"--demo"});
    ASSERT_TRUE(server.Start());
    {
        CInventoryServer admin;
        ASSERT_TRUE(LogIn(admin, "127.0.0.1", server.Port(), "admin", "admin").LoggedIn());
        CAdminChildUser chief;
        chief.name = "Chief Examiner";
        chief.userId = "chief";
        chief.password = "chief";
        chief.inventoryCap = CAdminChildUser::kNoInventoryCap;
        chief.rights = 0x3FFFFF;
        ASSERT_EQ(admin.SetChildUser("", chief, CInventoryServer::modeAdd), 0);
    }
    DocFixture f;
    ASSERT_TRUE(f.LogInAs("chief", "chief", server.Port()));
    CInventoryServer& s = f.doc.Server();
    CAuditCase record;
    record.insuredName = "Harbor Roofing LLC";
    record.parentName = "Beacon Premium Audit Co.";
    record.childName = "Dana Whitfield";
    record.childGroupCode = 1;
    const std::string number = s.CreateCase(record);
    ASSERT_FALSE(number.empty());
    ASSERT_TRUE(s.GetCase(number, record));
    record.childName = "Marcus Ortega";
    ASSERT_EQ(s.SetCase(number, record), 0);
    const char* comments[] = {"Called the insured; audit set for next week.",
                              "Payroll records incomplete - asked for Q3 ledgers.", "Waiting on the broker's reply."};
    for (int i = 0; i < 3; ++i) {
        CProgressRptEntry entry;
        entry.entryDate = Day(46080 + 3 * i);
        entry.comment = comments[i];
        entry.internal = i == 1;
        ASSERT_TRUE(s.SetCaseProgressRpt(number, entry, CInventoryServer::modeAdd));
    }
    CPolicyPage locations;
    locations.label = "Locations";
    locations.text = "1  12 Main St, Boston MA        Office\r\n2  40 Dock Rd, Boston MA        Warehouse";
    CPolicyPage payroll;
    payroll.label = "Payroll";
    payroll.text = "Class 8810  Clerical      $412,000";
    ASSERT_TRUE(s.SetCasePolicyDetail(number, {locations, payroll}));
    CCaseScheduleInfo schedule;
    schedule.scheduledStart = CDateTime{CDateTime::valid, 46090 + 9.5 / 24};
    schedule.scheduledEnd = CDateTime{CDateTime::valid, 46090 + 11.0 / 24};
    ASSERT_TRUE(s.SetCaseScheduleInfo(number, schedule));

    // Progress reports, with and without the right.
    ProgressReportLogic progress(s, f.prompts, number, 0x3FFFFF);
    ASSERT_TRUE(progress.Load());
    CProgressReportDlg progressDlg(progress, f.prompts);
    EXPECT_EQ(progressDlg.Grid()->rowCount(), 3);
    EXPECT_EQ(progressDlg.Grid()->item(1, 3)->text(), QStringLiteral("Yes"));
    Save(progressDlg, "progress_report");
    ProgressReportLogic limited(s, f.prompts, number, 0);
    ASSERT_TRUE(limited.Load());
    CProgressReportDlg limitedDlg(limited, f.prompts);
    EXPECT_EQ(limitedDlg.Grid()->columnCount(), 3);
    Save(limitedDlg, "progress_report_without_right");
    ProgressEntryForm form;
    form.comment = comments[0];
    form.dateText = "03/02/2026";
    form.showInternal = true;
    CProgressEntryDlg entryDlg(form, f.prompts);
    Save(entryDlg, "progress_report_properties");
    entryDlg.findChild<QLineEdit*>(QStringLiteral("date"))->setText(QStringLiteral("13/02/2026"));
    entryDlg.findChild<QPushButton*>(QStringLiteral("ok"))->click();
    EXPECT_TRUE(entryDlg.isVisible());
    EXPECT_EQ(f.prompts.MessageTexts().back(), QStringLiteral("The date entered is invalid."));

    // Schedule: the stored range shows; an impossible date keeps the dialog open.
    CCaseScheduleInfo loaded;
    ASSERT_TRUE(s.GetCaseScheduleInfo(number, loaded));
    ScheduleLogic scheduleLogic(loaded);
    CScheduleCaseDlg scheduleDlg(scheduleLogic, f.prompts);
    EXPECT_EQ(scheduleDlg.findChild<QLineEdit*>(QStringLiteral("date"))->text(), QStringLiteral("03/09/2026"));
    EXPECT_EQ(scheduleDlg.findChild<QLineEdit*>(QStringLiteral("startTime"))->text(), QStringLiteral("09:30 AM"));
    Save(scheduleDlg, "schedule_case");
    scheduleDlg.findChild<QLineEdit*>(QStringLiteral("date"))->setText(QStringLiteral("02/30/2026"));
    scheduleDlg.findChild<QPushButton*>(QStringLiteral("ok"))->click();
    EXPECT_TRUE(scheduleDlg.isVisible());
    EXPECT_EQ(f.prompts.MessageTexts().back(), QStringLiteral("The date/time is invalid"));
    scheduleDlg.findChild<QCheckBox*>(QStringLiteral("scheduled"))->click();
    EXPECT_FALSE(scheduleDlg.findChild<QLineEdit*>(QStringLiteral("date"))->isEnabled());
    scheduleDlg.findChild<QPushButton*>(QStringLiteral("ok"))->click();
    EXPECT_FALSE(scheduleDlg.isVisible());
    EXPECT_FALSE(scheduleLogic.scheduled);

    // Policy data with its configure tab.
    std::vector<CPolicyPage> pages;
    ASSERT_TRUE(s.GetCasePolicyDetail(number, pages));
    PolicyDetailLogic policy(pages, 0x3FFFFF);
    CPolicyDataSheet sheet(policy, f.prompts);
    sheet.SetLabelAsker([](QWidget*) { return std::optional<std::string>("Vehicles"); });
    EXPECT_EQ(sheet.Tabs()->count(), 3);
    Save(sheet, "policy_data");
    sheet.NewPage();
    EXPECT_EQ(sheet.Tabs()->tabText(2), QStringLiteral("Vehicles"));
    sheet.Tabs()->setCurrentIndex(sheet.Tabs()->count() - 1);
    Save(sheet, "policy_data_configure");
    PolicyDetailLogic readOnly(pages, 0);
    CPolicyDataSheet readOnlySheet(readOnly, f.prompts);
    EXPECT_EQ(readOnlySheet.Tabs()->count(), 2);

    // Assignment history and the reset dialog.
    std::vector<CTrackingEntry> history;
    ASSERT_TRUE(s.GetCaseTracking(number, history));
    CAssignmentHistoryDlg historyDlg(history);
    EXPECT_EQ(historyDlg.List()->topLevelItemCount(), static_cast<int>(history.size()));
    Save(historyDlg, "assignment_history");
    CResetLinksDlg resetDlg;
    EXPECT_EQ(resetDlg.Choice(), CInventoryServer::resetBothLinks);
    Save(resetDlg, "reset_case_linkages");

    // The case list's context menu as this program offers it.
    f.doc.SetCaseActionDialogs(DesktopCaseActionDialogs(f.prompts));
    CCaseView view;
    CaseListPrintHost host(f.doc, view);
    view.SetHost(&host);
    QMenu menu;
    FillCommandMenu(
        menu, view.ContextMenuEntries(), [](int) {}, [&host](int id) { return host.CaseCommandEnabled(id); });
    menu.adjustSize();
    for (int id : {cmdCaseProgressReport, cmdCasePolicyDetail, cmdCaseAssignmentHistory, cmdCaseSchedule,
                   cmdCaseDelete, cmdCaseResetLinks, cmdListExportText}) {
        EXPECT_TRUE(host.HasCaseCommand(id)) << id;
        EXPECT_TRUE(host.CaseCommandEnabled(id)) << id;
    }
    Save(menu, "case_list_context_menu");
    view.SetHost(nullptr);
}
