// The case view editor as a widget: OK writes the pages back in login mode, a name
// clash keeps the sheet open on the general page, and "Manage Case Views" edits its set.
// With ORV_SCREENSHOT_DIR set the pages and dialogs are written there as PNG files.
#include "support/scripted_prompts.h"
#include "support/widget_application.h"

#include "query/civil_date.h"
#include "query/scope_bits.h"
#include "query/widgets/case_query_prop_sheet.h"
#include "query/widgets/manage_case_views_dlg.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

#include <gtest/gtest.h>

namespace {

const CDateTime kNow = MakeDateTime(SerialOfDate({2026, 11, 15}), 0.5);

void Save(QWidget& widget, const char* name)
{
    const QString folder = qEnvironmentVariable("ORV_SCREENSHOT_DIR");
    if (folder.isEmpty())
        return;
    widget.show();
    QApplication::processEvents();
    EXPECT_TRUE(widget.grab().save(QDir(folder).filePath(QString::fromLatin1(name))));
}

CCaseQueryData SampleView(const std::string& name)
{
    CCaseQueryData view;
    view.name = name;
    view.scope = kScopeAllParents;
    view.keyDateField = "[SysDueDate]";
    view.period = 13;
    view.sort1Field = "[InsuredName]";
    for (const auto& [token, header] : std::vector<std::pair<std::string, std::string>>{
             {"[CaseNum]", "Case #"}, {"[InsuredName]", "Insured"}, {"[SysDueDate]", "Due"}}) {
        auto column = std::make_shared<CCaseQueryColInfo>();
        column->fieldToken = token;
        column->header = header;
        column->width = 100;
        column->alignment = token == "[SysDueDate]" ? CCaseQueryColInfo::centre : CCaseQueryColInfo::left;
        view.columns.push_back(column);
    }
    return view;
}

}  // namespace

TEST(CaseQueryPropSheet, LoginModeWritesSortAndPeriodBackOnOk)
{
    WidgetApplication();
    ScriptedPrompts prompts;
    CCaseQueryData view = SampleView("Open Cases");
    CCaseQueryPropSheet sheet(view, QStringLiteral("Edit View: Open Cases"), prompts, nullptr, nullptr, &kNow);
    ASSERT_EQ(sheet.Pages()->count(), 2);
    EXPECT_EQ(sheet.findChild<QLineEdit*>(QStringLiteral("from"))->text(), QStringLiteral("10/01/2026"));
    Save(sheet, "editor_period_and_sorting.png");
    sheet.Pages()->setCurrentIndex(1);
    Save(sheet, "editor_columns.png");

    sheet.findChild<QComboBox*>(QStringLiteral("sort1"))->setCurrentIndex(0);
    auto* sort2 = sheet.findChild<QComboBox*>(QStringLiteral("sort2"));
    sort2->setCurrentIndex(sort2->findText(QStringLiteral("Master Due Date")));
    sheet.findChild<QPushButton*>(QStringLiteral("ok"))->click();
    EXPECT_EQ(sheet.result(), QDialog::Accepted);
    EXPECT_EQ(view.sort1Field, "");
    EXPECT_EQ(view.sort2Field, "[SysDueDate]");
    EXPECT_EQ(view.period, 13);
    EXPECT_EQ(view.columns.size(), 3u);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST(CaseQueryPropSheet, FullModeRefusesANameClashOnTheGeneralPage)
{
    WidgetApplication();
    ScriptedPrompts prompts;
    CaseQueryDefinitions set{std::make_shared<CCaseQueryData>(SampleView("Open Cases")),
                             std::make_shared<CCaseQueryData>(SampleView("Mine"))};
    CCaseQueryData edited = *set[1];
    CCaseQueryPropSheet sheet(edited, QStringLiteral("Edit View: Mine"), prompts, &set, nullptr, &kNow);
    sheet.SetOriginal(set[1].get());
    ASSERT_EQ(sheet.Pages()->count(), 3);
    Save(sheet, "editor_general.png");
    sheet.Pages()->setCurrentIndex(2);
    sheet.findChild<QLineEdit*>(QStringLiteral("name"))->setText(QStringLiteral("Open Cases"));
    sheet.findChild<QPushButton*>(QStringLiteral("ok"))->click();
    EXPECT_NE(sheet.result(), QDialog::Accepted);
    EXPECT_EQ(sheet.Pages()->currentIndex(), 0);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, QStringLiteral("Name already exists for View with similar scope.  Pick another."));
    EXPECT_EQ(edited.name, "Mine");

    // Keeping its own name is allowed.
    sheet.findChild<QLineEdit*>(QStringLiteral("name"))->setText(QStringLiteral("Mine"));
    sheet.findChild<QPushButton*>(QStringLiteral("ok"))->click();
    EXPECT_EQ(sheet.result(), QDialog::Accepted);

    CColumnPropsDlg column(CaseQueryEditLogic::RowOf(*set[0]->columns[2]));
    EXPECT_EQ(column.Row(), (CaseQueryColumnRow{"Master Due Date", "Due", "100", "Center"}));
    Save(column, "column_properties.png");
}

TEST(ManageCaseViewsDlg, AddsEditsDeletesAndCopiesTheSelectedView)
{
    WidgetApplication();
    ScriptedPrompts prompts;
    CaseQueryDefinitions set{std::make_shared<CCaseQueryData>(SampleView("Open Cases")),
                             std::make_shared<CCaseQueryData>(SampleView("Due This Month"))};
    std::vector<QString> titles;
    std::vector<std::string> copied;
    CManageCaseViewsDlg dialog(
        set, prompts, [&](const CCaseQueryData& view) { copied.push_back(view.name); }, nullptr,
        [&](CCaseQueryData& view, const QString& title, const CaseQueryDefinitions&, const CCaseQueryData*) {
            titles.push_back(title);
            view.name += " 2";
            return true;
        });
    Save(dialog, "manage_case_views.png");
    auto* list = dialog.List();
    auto click = [&](const char* name) { dialog.findChild<QPushButton*>(QString::fromLatin1(name))->click(); };

    click("edit");  // nothing selected
    EXPECT_EQ(prompts.MessageTexts(), std::vector<QString>{QStringLiteral("Nothing selected")});
    click("add");
    ASSERT_EQ(set.size(), 3u);
    EXPECT_EQ(set[2]->scope, kScopeAllParents);
    EXPECT_EQ(set[2]->territoryTargetField, "[Territory]");
    list->setCurrentRow(0);
    click("edit");
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("Open Cases 2"));
    click("copyTo");
    list->setCurrentRow(1);
    click("delete");
    EXPECT_EQ(titles, (std::vector<QString>{QStringLiteral("Create View"), QStringLiteral("Edit View: Open Cases")}));
    EXPECT_EQ(copied, std::vector<std::string>{"Open Cases 2"});
    ASSERT_EQ(set.size(), 2u);
    EXPECT_EQ(set[1]->name, " 2");
    EXPECT_EQ(list->count(), 2);
}
