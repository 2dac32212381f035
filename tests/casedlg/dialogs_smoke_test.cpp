// Each dialog built offscreen, filled through its controls, confirmed with its real
// button; what it hands back is checked. With ORV_SHOTS_DIR set, the dialogs are also
// saved as pictures (against the demo server) for a person to look at.

#include "casedlg/add_another_case_dlg.h"
#include "casedlg/assign_manually_dlg.h"
#include "casedlg/billing_info_dlg.h"
#include "casedlg/case_editing.h"
#include "casedlg/case_prop_sheet.h"
#include "casedlg/multi_billing_dlg.h"
#include "casedlg/multi_case_props_dlg.h"
#include "e2e/office_client.h"
#include "support/scripted_prompts.h"
#include "support/widget_application.h"
#include "widgets/masked_date_edit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QRadioButton>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

CInventoryInfo SampleInfo()
{
    CInventoryInfo info;
    CParentUser parent;
    parent.name = "Atlas Mutual";
    parent.masterDueDays = 30;
    parent.auditorDueDays = 20;
    info.parents = {parent};
    CChildUser office, auditor;
    office.name = "Office";
    office.group = 0;
    auditor.name = "Ann Auditor";
    auditor.group = 1;
    info.children = {office, auditor};
    info.ownChildName = "Office";
    info.regions = {"East"};
    info.territories = {"East::Metro"};
    info.flagNames = {"Rush", "Bilingual"};
    info.rights = 0x400;
    return info;
}

CAuditCase SampleCase()
{
    CAuditCase c;
    c.caseNumber = "2025-000042";
    c.insuredName = "Acme Tool & Die";
    c.parentName = "Atlas Mutual";
    c.policyStartDate = MakeDate({2025, 1, 1});
    c.policyEndDate = MakeDate({2026, 1, 1});
    c.auditStartDate = MakeDate({2025, 1, 1});
    c.auditEndDate = MakeDate({2025, 12, 31});
    c.dateCreated = MakeDateTime(SerialOfDate({2025, 1, 2}), 0.4);
    return c;
}

template <class T>
T* Find(QWidget& root, const char* name)
{
    T* found = root.findChild<T*>(QLatin1String(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

void Shoot(QWidget& widget, const QString& name)
{
    const QString folder = qEnvironmentVariable("ORV_SHOTS_DIR");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    widget.show();
    QApplication::processEvents();
    widget.grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

}  // namespace

TEST(CaseDialogs, SheetRefusesAnEmptyNameThenHandsBackTheEdits)
{
    WidgetApplication();
    const CInventoryInfo info = SampleInfo();
    CasePropsLogic logic(info, SampleCase(), false, {2025, 1, 15});
    ScriptedPrompts prompts;
    CCasePropSheet sheet(logic, prompts, false);
    EXPECT_EQ(sheet.windowTitle(), "Case Properties");
    ASSERT_EQ(sheet.Tabs()->count(), 4);
    EXPECT_EQ(sheet.Tabs()->tabText(0), "General");
    EXPECT_EQ(sheet.Tabs()->tabText(3), "User-Defined Flags");
    // The General page filled the due dates from the parent-less defaults on opening.
    EXPECT_EQ(Find<CMaskedDateEdit>(sheet, "masterDueDate")->State(), DateFieldState::valid);

    Find<QLineEdit>(sheet, "serialNumber")->setText("SN-7");
    sheet.ShowPage(1);
    auto* name = Find<QLineEdit>(sheet, "insuredName");
    name->clear();
    QTest::mouseClick(Find<QPushButton>(sheet, "ok"), Qt::LeftButton);
    EXPECT_EQ(sheet.result(), QDialog::Rejected);  // still open
    ASSERT_EQ(prompts.MessageTexts().size(), 1u);
    EXPECT_EQ(prompts.MessageTexts()[0], "Name field must be filled in.");
    EXPECT_EQ(sheet.Tabs()->currentIndex(), 1);

    QTest::keyClicks(name, "Acme Holdings");
    Find<QLineEdit>(sheet, "policyCode")->setText("10000");
    QTest::mouseClick(Find<QPushButton>(sheet, "ok"), Qt::LeftButton);
    EXPECT_EQ(prompts.MessageTexts().back(), "Please enter an integer between 0 and 9999.");
    Find<QLineEdit>(sheet, "policyCode")->setText("77");
    QTest::mouseClick(Find<QPushButton>(sheet, "ok"), Qt::LeftButton);
    EXPECT_EQ(sheet.result(), QDialog::Accepted);
    EXPECT_EQ(logic.Case().insuredName, "Acme Holdings");
    EXPECT_EQ(logic.Case().serialNumber, "SN-7");
    EXPECT_EQ(logic.Case().policyCode, 77);
}

TEST(CaseDialogs, WizardWalksThePagesAndFinishes)
{
    WidgetApplication();
    const CInventoryInfo info = SampleInfo();
    CasePropsLogic logic(info, CasePropsLogic::NewCase(), true, {2025, 1, 15});
    ScriptedPrompts prompts;
    CCasePropSheet sheet(logic, prompts, false);
    EXPECT_EQ(sheet.windowTitle(), "Create New Case");
    ASSERT_EQ(sheet.PageCount(), 5);
    EXPECT_EQ(sheet.Tabs()->tabText(0), "Insured and Policy");
    EXPECT_FALSE(sheet.Next());  // no name yet
    EXPECT_EQ(prompts.MessageTexts().back(), "Name field must be filled in.");
    Find<QLineEdit>(sheet, "insuredName")->setText("New Insured");
    Find<QComboBox>(sheet, "policyCarrier")->setEditText("Atlas Mutual");
    auto* inception = Find<CMaskedDateEdit>(sheet, "policyStartDate");
    inception->setCursorPosition(0);
    QTest::keyClicks(inception, "03012025");
    // The period helper filled the expiration one year on.
    EXPECT_EQ(Find<CMaskedDateEdit>(sheet, "policyEndDate")->text(), "03/01/2026");
    EXPECT_TRUE(sheet.Next());
    // The audit period was taken from the policy period.
    EXPECT_EQ(Find<CMaskedDateEdit>(sheet, "auditEndDate")->text(), "03/01/2026");
    EXPECT_TRUE(sheet.Next());
    EXPECT_EQ(Find<QComboBox>(sheet, "parentName")->currentText(), "Atlas Mutual");
    EXPECT_TRUE(sheet.Next());
    EXPECT_TRUE(sheet.Next());
    QTest::mouseClick(Find<QPushButton>(sheet, "finish"), Qt::LeftButton);
    EXPECT_EQ(sheet.result(), QDialog::Accepted);
    EXPECT_EQ(logic.Case().parentName, "Atlas Mutual");
    EXPECT_EQ(DateText(logic.Case().masterDueDate), "03/31/2026");
}

TEST(CaseDialogs, AssignManuallyAndAddAnother)
{
    WidgetApplication();
    const CInventoryInfo info = SampleInfo();
    AssignManuallyLogic logic(info, {false, -1, ""}, true);
    CAssignManuallyDlg hidden(logic, {});
    EXPECT_TRUE(Find<QPushButton>(hidden, "history")->isHidden());
    int opened = 0;
    CAssignManuallyDlg dialog(logic, [&] { ++opened; });
    QTest::mouseClick(Find<QPushButton>(dialog, "history"), Qt::LeftButton);
    EXPECT_EQ(opened, 1);
    Find<QRadioButton>(dialog, "archive")->click();
    EXPECT_FALSE(Find<QComboBox>(dialog, "group")->isEnabled());
    EXPECT_EQ(logic.Result().group, 8);

    CAddAnotherCaseDlg another;
    QTest::mouseClick(Find<QPushButton>(another, "fromPrevious"), Qt::LeftButton);
    EXPECT_EQ(another.GetChoice(), CAddAnotherCaseDlg::Choice::fromPrevious);
}

TEST(CaseDialogs, MultiCaseDialogGivesOnlyWhatWasChosen)
{
    WidgetApplication();
    const CInventoryInfo info = SampleInfo();
    CCaseMultiProps common;
    common.priority = CCaseMultiProps::mixed;
    common.correction = CCaseMultiProps::checked;
    common.parentGiven = 1;
    common.parentName = "Atlas Mutual";
    common.parentLinkStatus = 2;
    common.userFlagsMixed = 0x2;
    MultiCasePropsLogic logic(info, common);
    CMultiCasePropsDlg dialog(logic);
    EXPECT_EQ(Find<QCheckBox>(dialog, "priority")->checkState(), Qt::PartiallyChecked);
    Find<QCheckBox>(dialog, "priority")->setCheckState(Qt::Checked);
    Find<QCheckBox>(dialog, "sendToParent")->click();
    Find<CMaskedDateEdit>(dialog, "auditorDueDate")->setText("02/30/2026");  // no date: unchanged
    dialog.accept();
    const CCaseMultiProps& result = logic.Result();
    EXPECT_EQ(result.priority, 1);
    EXPECT_EQ(result.correction, 1);
    EXPECT_EQ(result.archived, 0);
    EXPECT_EQ(result.parentGiven, 0);
    EXPECT_EQ(result.parentLinkStatus, 3);
    EXPECT_EQ(result.parentLinkStatusGiven, 1);
    EXPECT_EQ(result.auditorDueDateGiven, 0);
    EXPECT_EQ(result.territoryGiven, 0);
    EXPECT_EQ(result.userFlagsGiven, 0);
}

TEST(CaseDialogs, MultiCaseBillingRecomputesRows)
{
    WidgetApplication();
    std::vector<CMultiBillingEntry> entries(2);
    entries[0].entry.parentName = "Atlas Mutual";
    entries[0].entry.kind = CBillingEntry::hourly;
    entries[0].opaqueText1 = "2025-000001";
    entries[0].opaqueText2 = "Acme";
    entries[1].entry.childName = "Ann Auditor";
    entries[1].entry.kind = CBillingEntry::flat;
    CMultiCaseBillingDlg dialog(entries);
    QTableWidget* grid = dialog.Grid();
    EXPECT_EQ(grid->verticalHeaderItem(0)->text(), "P");
    EXPECT_EQ(grid->verticalHeaderItem(1)->text(), "C");
    grid->item(0, 3)->setText("80");
    grid->item(0, 4)->setText("60");
    grid->item(0, 5)->setText("1");
    EXPECT_EQ(grid->item(0, 7)->text(), "80.00");
    grid->item(1, 6)->setText("42.125");
    EXPECT_EQ(grid->item(1, 7)->text(), "42.13");
    dialog.accept();
    EXPECT_DOUBLE_EQ(entries[0].entry.billedAmount, 80.0);
    EXPECT_DOUBLE_EQ(entries[1].entry.firstHourRate, 42.13);
}

// The billing dialog and the pictures need the real server.
class CaseDialogsWithServer : public InventoryEndToEnd {};

TEST_F(CaseDialogsWithServer, BillingDialogStoresWhatIsTyped)
{
    WidgetApplication();
    auto admin = LogIn("admin");
    ASSERT_TRUE(admin->LoggedIn());
    CInventoryInfo info;
    ASSERT_TRUE(admin->GetInventoryInfo(false, info));
    CAuditCase c = SampleCase();
    c.parentName = info.parents.front().name;
    const std::string number = admin->CreateCase(c);
    ASSERT_FALSE(number.empty());
    ScriptedPrompts prompts;
    BillingLogic logic(*admin, prompts, number, c.parentName);
    ASSERT_TRUE(logic.Load());
    CBillingInfoDlg dialog(logic, prompts);
    EXPECT_EQ(dialog.windowTitle(), "Billing Information  (Creating new amount)");
    Find<QLineEdit>(dialog, "firstHourRate")->setText("80");
    Find<QLineEdit>(dialog, "additionalRate")->setText("60");
    auto* hours = Find<QLineEdit>(dialog, "hours");
    hours->clear();
    QTest::keyClicks(hours, "2.5");
    QTest::mouseClick(Find<QPushButton>(dialog, "update"), Qt::LeftButton);
    Find<QRadioButton>(dialog, "flat")->click();
    Find<QLineEdit>(dialog, "flatAmount")->setText("45.5");
    QTest::mouseClick(Find<QPushButton>(dialog, "update"), Qt::LeftButton);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(dialog.List()->topLevelItemCount(), 2);
    EXPECT_EQ(Find<QLabel>(dialog, "total")->text(), "215.50");
    QTest::mouseClick(Find<QPushButton>(dialog, "delete"), Qt::LeftButton);
    EXPECT_EQ(prompts.MessageTexts().back(), "Nothing has been selected!");
    Shoot(dialog, "billing_dialog");
}

TEST_F(CaseDialogsWithServer, Pictures)
{
    if (qEnvironmentVariable("ORV_SHOTS_DIR").isEmpty())
        GTEST_SKIP() << "ORV_SHOTS_DIR not set";
    WidgetApplication();
    auto admin = LogIn("admin");
    CInventoryInfo info;
    ASSERT_TRUE(admin->GetInventoryInfo(false, info));
    ScriptedPrompts prompts;
    CAuditCase c = SampleCase();
    c.parentName = info.parents.front().name;
    c.insuredAddress1 = "12 Main St";
    c.insuredCity = "Springfield";
    c.insuredState = "IL";
    c.memo = "Call the owner before the visit.";
    const std::string number = admin->CreateCase(c);
    ASSERT_TRUE(admin->GetCase(number, c));
    {
        CasePropsLogic logic(info, c, false, {2025, 1, 15});
        CCasePropSheet sheet(logic, prompts, false);
        for (int i = 0; i < sheet.PageCount(); ++i) {
            sheet.ShowPage(i);
            Shoot(sheet, QStringLiteral("sheet_edit_%1").arg(i + 1));
        }
    }
    {
        CasePropsLogic logic(info, CasePropsLogic::NewCase(), true, {2025, 1, 15});
        CCasePropSheet sheet(logic, prompts, false);
        Find<QLineEdit>(sheet, "insuredName")->setText("New Insured");
        Find<CMaskedDateEdit>(sheet, "policyStartDate")->setText("03/01/2025");
        Find<CMaskedDateEdit>(sheet, "policyEndDate")->setText("03/01/2026");
        for (int i = 0; i < sheet.PageCount(); ++i) {
            Shoot(sheet, QStringLiteral("sheet_wizard_%1").arg(i + 1));
            sheet.Next();
        }
    }
    std::vector<std::string> numbers{number, admin->CreateCase(c), admin->CreateCase(c)};
    CCaseMultiProps common;
    ASSERT_EQ(admin->GetMultiCaseProps(numbers, common), 0);
    MultiCasePropsLogic multi(info, common);
    CMultiCasePropsDlg multiDialog(multi);
    Shoot(multiDialog, "multi_case_props");

    BillingLogic billing(*admin, prompts, number, c.parentName);
    billing.Load();
    billing.Buffer().firstHourRate = 80;
    billing.Buffer().additionalRate = 60;
    billing.Buffer().hours = 2.5;
    billing.Buffer().memo = "Field visit";
    billing.Update();
    billing.Buffer().kind = CBillingEntry::flat;
    billing.Buffer().flatAmount = 125;
    billing.Buffer().discount = 10;
    billing.Update();
    CBillingInfoDlg billingDialog(billing, prompts);
    billingDialog.EditRow(0);
    Shoot(billingDialog, "billing_dialog_entries");

    std::vector<CMultiBillingEntry> proposals;
    ASSERT_TRUE(admin->GetMultiCaseBilling(numbers, CInventoryServer::billParentsAndChildren, proposals));
    CMultiCaseBillingDlg multiBilling(proposals);
    Shoot(multiBilling, "multi_case_billing");
}
