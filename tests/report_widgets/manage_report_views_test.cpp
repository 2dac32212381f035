// "Manage Report Views" and "Report Properties": the order of the checks on OK, stale
// settings after another report file, and the name clashes of Add and Edit. With
// ORV_SCREENSHOT_DIR set both dialogs are written there as PNG files.
#include "support/scripted_prompts.h"
#include "support/widget_application.h"

#include "report/widgets/manage_report_views_dlg.h"
#include "report/widgets/report_props_dlg.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

void Save(QWidget& widget, const char* name)
{
    const QString folder = qEnvironmentVariable("ORV_SCREENSHOT_DIR");
    if (folder.isEmpty())
        return;
    widget.show();
    QApplication::processEvents();
    EXPECT_TRUE(widget.grab().save(QDir(folder).filePath(QString::fromLatin1(name))));
}

std::shared_ptr<CReportPropItem> Item(const std::string& name, const std::string& file, const std::string& settings)
{
    auto item = std::make_shared<CReportPropItem>();
    item->name = name;
    item->reportFile = file;
    item->settings = settings;
    return item;
}

}  // namespace

TEST(ReportPropsLogic, ChecksFileThenNameAndDropsStaleSettings)
{
    ReportPropsLogic props(*Item("", "", "old"));
    EXPECT_EQ(props.Validate()->message, ReportPropsLogic::kNoFile);
    props.ChooseFile("aging.rpt");
    EXPECT_EQ(props.Validate()->message, ReportPropsLogic::kBlankName);
    EXPECT_EQ(props.Validate()->field, ReportPropsFailure::name);
    props.name = "Aging";
    EXPECT_FALSE(props.Validate());
    // The settings belonged to the file chosen before.
    EXPECT_TRUE(props.stale);
    EXPECT_EQ(props.Item().settings, "");
    EXPECT_EQ(props.SettingsForRequest(), "");
    props.SettingsReceived("new");
    EXPECT_EQ(props.Item().settings, "new");

    ReportPropItems views{Item("Listing", "listing.rpt", "a"), Item("Aging", "aging.rpt", "b")};
    EXPECT_EQ(AddReportView(views, props), std::string(ReportPropsLogic::kAddClash));
    EXPECT_EQ(views.size(), 2u);
    // Keeping its own name is allowed; taking another view's is refused and keeps it.
    EXPECT_FALSE(EditReportView(views, 1, props));
    EXPECT_EQ(views[1]->settings, "new");
    props.name = "Listing";
    EXPECT_EQ(EditReportView(views, 1, props), std::string(ReportPropsLogic::kEditClash));
    EXPECT_EQ(views[1]->name, "Aging");
}

TEST(ManageReportViewsDlg, ShowsTheViewsAndTheirPropertiesAndCopiesTheSelectedOne)
{
    WidgetApplication();
    ScriptedPrompts prompts;
    ReportPropItems views{Item("Case Listing", "Case Listing", "a"), Item("Due Date Aging", "Due Date Aging", "b")};
    std::vector<std::string> copied;
    int settingsAsked = 0;
    ReportViewsHost host;
    host.reportFiles = [] { return std::optional<std::vector<std::string>>({"Case Listing", "Due Date Aging"}); };
    host.editSettings = [&](const std::string&, const std::string& settings) {
        ++settingsAsked;
        return std::optional<std::string>(settings + "+");
    };
    host.copyTo = [&](const CReportPropItem& view) { copied.push_back(view.name); };
    CManageReportViewsDlg dialog(views, host, prompts);
    Save(dialog, "manage_report_views.png");
    dialog.findChild<QPushButton*>(QStringLiteral("copyTo"))->click();
    EXPECT_EQ(prompts.MessageTexts(), std::vector<QString>{QStringLiteral("Nothing selected")});
    dialog.List()->setCurrentRow(1);
    dialog.findChild<QPushButton*>(QStringLiteral("copyTo"))->click();
    EXPECT_EQ(copied, std::vector<std::string>{"Due Date Aging"});

    ReportPropsLogic props(*views[1]);
    CReportPropsDlg properties(props, host, prompts);
    EXPECT_EQ(properties.findChild<QComboBox*>(QStringLiteral("file"))->currentText(), QStringLiteral("Due Date Aging"));
    Save(properties, "report_properties.png");
    properties.findChild<QPushButton*>(QStringLiteral("settings"))->click();
    EXPECT_EQ(settingsAsked, 1);
    EXPECT_EQ(props.settings, "b+");
    properties.findChild<QLineEdit*>(QStringLiteral("name"))->clear();
    properties.findChild<QPushButton*>(QStringLiteral("ok"))->click();
    EXPECT_NE(properties.result(), QDialog::Accepted);
    EXPECT_EQ(prompts.MessageTexts().back(), QStringLiteral("The report name cannot be blank"));
}
