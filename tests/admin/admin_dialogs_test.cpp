// The administration dialogs built offscreen: the child wizard driven through its real
// buttons (group change, a refused page, Finish), the parent sheet's saved record, the
// territory dialog's paste, and the billing defaults grid. With ORV_SCREENSHOT_DIR set,
// every page and dialog is also written there as a PNG file to look at.
#include "admin/billing_defaults_dlg.h"
#include "admin/case_child_prop_sheet.h"
#include "admin/case_parent_prop_sheet.h"
#include "admin/child_sheet_logic.h"
#include "admin/parent_sheet_logic.h"
#include "admin/territory_dlg.h"
#include "admin/territory_sheet_state.h"
#include "admin/user_groups.h"
#include "query/inventory_tree_layout.h"
#include "query/scope_bits.h"
#include "query/widgets/command_menu.h"
#include "support/scripted_prompts.h"
#include "support/widget_application.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>

#include <gtest/gtest.h>

namespace {

void Shoot(QWidget& widget, const QString& name)
{
    const QString folder = qEnvironmentVariable("ORV_SCREENSHOT_DIR");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    widget.resize(widget.size().expandedTo(widget.sizeHint()).expandedTo(QSize(560, 420)));
    EXPECT_TRUE(widget.grab().save(QDir(folder).filePath(name + QStringLiteral(".png"))));
}

void Type(QWidget& parent, const char* name, const QString& text)
{
    auto* edit = parent.findChild<QLineEdit*>(name);
    ASSERT_NE(edit, nullptr) << name;
    edit->setText(text);
}

void Click(QWidget& parent, const char* name)
{
    auto* button = parent.findChild<QPushButton*>(name);
    ASSERT_NE(button, nullptr) << name;
    button->click();
}

}  // namespace

TEST(AdminDialogs, TheChildWizardFollowsTheGroupAndRefusesABadPage)
{
    WidgetApplication();
    ScriptedPrompts prompts;
    CChildSheetLogic logic(true, CAdminChildUser{}, {});
    logic.territoryEntries = {"Northeast::Boston Metro"};
    CCaseChildPropSheet sheet(logic, QStringLiteral("Child Properties"), prompts, {"Office Laser"});
    EXPECT_EQ(sheet.PageCount(), 3);  // Administrators: General, Access, Done

    auto* group = sheet.findChild<QComboBox*>("group");
    ASSERT_NE(group, nullptr);
    group->setCurrentIndex(1);
    emit group->activated(1);
    EXPECT_EQ(sheet.PageCount(), 4);
    EXPECT_EQ(logic.Child().rights, 0xE7280);
    Type(sheet, "name", QStringLiteral("Nora Quill"));
    Type(sheet, "userId", QStringLiteral("nora_q"));
    Shoot(sheet, QStringLiteral("child_wizard_1_general"));
    Click(sheet, "next");
    EXPECT_EQ(sheet.CurrentPage(), 0);
    ASSERT_EQ(prompts.MessageTexts().size(), 1u);
    EXPECT_EQ(prompts.MessageTexts()[0],
              QStringLiteral("User ID field must be a combination of letters and numbers only."));
    EXPECT_TRUE(sheet.findChild<QLineEdit*>("userId")->hasFocus() || !sheet.isVisible());

    Type(sheet, "userId", QStringLiteral("noraq"));
    Click(sheet, "next");
    EXPECT_EQ(sheet.CurrentPage(), 1);
    // Tick "Delete Cases", which the auditors' defaults leave out.
    sheet.findChild<QCheckBox*>("right800")->setChecked(true);
    Shoot(sheet, QStringLiteral("child_wizard_2_access"));
    Click(sheet, "next");
    EXPECT_EQ(sheet.CurrentPage(), 2);
    CAssignCriterion premium;
    premium.category = "Premium";
    premium.value1 = "0";
    premium.value2 = "250000";
    sheet.AddCriterion(premium);
    sheet.AddCriterion(premium);
    EXPECT_EQ(prompts.MessageTexts().back(), QStringLiteral("You can only set one premium range"));
    sheet.findChild<QSpinBox*>("inventoryCap")->setValue(40);
    Shoot(sheet, QStringLiteral("child_wizard_3_assignments"));
    Click(sheet, "next");
    Shoot(sheet, QStringLiteral("child_wizard_4_done"));
    EXPECT_EQ(sheet.findChild<QPushButton*>("next")->text(), QStringLiteral("Finish"));
    Click(sheet, "next");
    EXPECT_EQ(sheet.result(), QDialog::Accepted);
    EXPECT_EQ(logic.Child().rights, SavedRights(0xE7280 | 0x800));
    EXPECT_EQ(logic.Child().inventoryCap, 40);
    EXPECT_EQ(logic.Child().criteria.size(), 1u);
    EXPECT_EQ(logic.Child().name, "Nora Quill");

    // Switching to "Customer Rep" leaves General, Access and Done.
    CChildSheetLogic rep(true, CAdminChildUser{}, {});
    rep.parentNames = {"Atlas Mutual Insurance"};
    CCaseChildPropSheet repSheet(rep, QStringLiteral("Child Properties"), prompts, {});
    auto* repGroup = repSheet.findChild<QComboBox*>("group");
    repGroup->setCurrentIndex(8);
    emit repGroup->activated(8);
    EXPECT_EQ(repSheet.PageCount(), 3);
    EXPECT_EQ(rep.Child().group, 9);
    EXPECT_EQ(rep.Child().rights, 0x40);
    Shoot(repSheet, QStringLiteral("child_wizard_customer_rep"));
}

TEST(AdminDialogs, SheetsInEditModeAndTheOtherDialogs)
{
    WidgetApplication();
    ScriptedPrompts prompts;
    CAdminChildUser child;
    child.group = 6;
    child.name = "Rhea Reviewer";
    child.userId = "rhea";
    child.rights = 0xE7480 | 0x2000;  // a flag the page does not list
    child.groupDetail = "Fee Reviewer";
    CAssignCriterion territory;
    territory.category = "Territory";
    territory.value1 = "Northeast";
    territory.value2 = "Boston Metro";
    child.criteria = {territory};
    CChildSheetLogic logic(false, child, {});
    CCaseChildPropSheet sheet(logic, QStringLiteral("Properties for Rhea Reviewer"), prompts, {});
    auto* tabs = sheet.findChild<QTabWidget*>();
    ASSERT_NE(tabs, nullptr);
    EXPECT_FALSE(sheet.findChild<QComboBox*>("group")->isEnabled());
    for (int page = 0; page < sheet.PageCount(); ++page) {
        sheet.SetCurrentPage(page);
        Shoot(sheet, QStringLiteral("child_edit_%1_%2").arg(page + 1).arg(tabs->tabText(page)));
    }
    Click(sheet, "ok");
    EXPECT_EQ(sheet.result(), QDialog::Accepted);
    EXPECT_EQ(logic.Child().rights, SavedRights(0xE7480));  // the unlisted flags cleared
    EXPECT_EQ(logic.Child().rights & 0x2000, 0);
    EXPECT_EQ(logic.Child().groupDetail, "Fee Reviewer");

    CAdminParentUser parent;
    parent.name = "Harbor Mutual";
    parent.type = "Carrier";
    parent.connectionKind = "*DIRECT*";
    parent.connectionUserId = "harbor";
    parent.hostName = "inventory.harbor.example:9000";
    parent.useBilling = true;
    parent.chargeModes[0] = 1;
    parent.chargeRates[0] = {85.0, 60.0};
    parent.reservedOne = 7;
    for (bool adding : {true, false}) {
        CParentSheetLogic parentLogic(adding, parent, {});
        CCaseParentPropSheet parentSheet(parentLogic, adding ? QStringLiteral("Parent Properties")
                                                             : QStringLiteral("Properties for Harbor Mutual"),
                                         prompts, nullptr);
        for (int page = 0; page < parentSheet.PageCount(); ++page) {
            parentSheet.SetCurrentPage(page);
            Shoot(parentSheet, QStringLiteral("parent_%1_%2").arg(adding ? "wizard" : "edit").arg(page + 1));
        }
        if (!adding) {
            Click(parentSheet, "ok");
            EXPECT_EQ(parentSheet.result(), QDialog::Accepted);
            EXPECT_EQ(parentLogic.Saved().reservedOne, 1);
            EXPECT_DOUBLE_EQ(parentLogic.Saved().chargeRates[0].additional, 60.0);
            EXPECT_EQ(parentLogic.Saved().connectionKind, "*DIRECT*");
        }
    }

    CAdminTerritory record;
    record.regionName = "Northeast";
    record.territoryName = "Harbor District";
    record.billingCode = 2;
    CTerritorySheetState state(record, {"Northeast::Harbor District", "Northeast::Boston Metro"});
    CTerritoryDlg territoryDlg(state, prompts);
    EXPECT_TRUE(territoryDlg.PasteZipCodes(QStringLiteral("02901\r\n02902\r\n02903\r\n")));
    EXPECT_FALSE(territoryDlg.PasteZipCodes(QStringLiteral("02904\n02902\n")));
    EXPECT_EQ(prompts.MessageTexts().back(), QStringLiteral("Zip code 02902 is already in the list."));
    EXPECT_TRUE(territoryDlg.PasteCounties(QStringLiteral("Providence\tRI\nKent\tRI\n")));
    Shoot(territoryDlg, QStringLiteral("territory"));
    EXPECT_EQ(state.Territory().zipCodes.size(), 3u);
    EXPECT_EQ(state.Territory().countyStates, (std::vector<std::string>{"RI", "RI"}));

    CBillingDef row;
    row.hourly = 1;
    row.firstAmount = 95;
    row.additionalHoursRate = 70;
    row.billedHours = 3;
    row.description = "Carrier hourly";
    row.auditSource = -1;
    row.auditType = -1;
    row.policyCode = -1;
    row.nonProductive = 2;
    CBillingDefaultsDlg billing({row});
    billing.SetCell(1, colHourlyOrFlat, QStringLiteral("Flat"));
    billing.SetCell(1, colFlatAmount, QStringLiteral("150"));
    Shoot(billing, QStringLiteral("billing_defaults"));
    const std::vector<CBillingDef> rows = billing.Rows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_DOUBLE_EQ(rows[1].firstAmount, 150.0);
    EXPECT_EQ(rows[1].hourly, 0);
}

TEST(AdminDialogs, TreeContextMenusOfTheAccountNodes)
{
    WidgetApplication();
    const int32_t rights = 0xFFEAA | 0x1 | 0x4 | 0x10;
    const TreeNodeRef nodes[] = {
        {kScopeEachParent, "Atlas Mutual Insurance", kScopeAllParents, "All Parents"},
        {kScopeEachAuditor, "Dana Whitfield", kScopeAllChildren, "All Children"},
        {kScopeEachRegion, "Northeast", kNodeRegionsRoot, "Regions"},
        {kScopeEachTerritory, "Boston Metro", kScopeEachRegion, "Northeast"},
        {kNodeChildrenRoot, "Children", 0, ""},
    };
    const char* names[] = {"menu_parent", "menu_auditor", "menu_region", "menu_territory", "menu_children_root"};
    for (size_t i = 0; i < std::size(nodes); ++i) {
        QMenu menu;
        FillCommandMenu(menu, InventoryTreeLayout::ContextMenu(nodes[i], rights, {}), [](int) {});
        EXPECT_FALSE(menu.actions().isEmpty()) << names[i];
        menu.adjustSize();
        const QString folder = qEnvironmentVariable("ORV_SCREENSHOT_DIR");
        if (!folder.isEmpty())
            menu.grab().save(QDir(folder).filePath(QString::fromLatin1(names[i]) + ".png"));
    }
}
