// Renders the main window against the demo inventory: logged out, logged in with a
// case view run from the tree, the search and logged-in users dialogs over it, and a
// report in the report pane.
// With ORV_SCREENSHOT_DIR set the pictures are written there as PNG files, to look at
// (run under a real X server, such as xvfb-run with QT_QPA_PLATFORM=xcb, to see the
// window as the desktop draws it).
#include "app/command_icons.h"
#include "app/document_fixture.h"
#include "app/logged_users_dlg.h"
#include "app/main_commands.h"
#include "app/main_frame.h"
#include "app/main_frame_layout.h"
#include "app/report_samples.h"
#include "app/search_dlg.h"
#include "query/widgets/case_list_model.h"
#include "query/widgets/case_view.h"
#include "query/widgets/inventory_tree_view.h"
#include "report/widgets/tw_report_view_gp.h"
#include "support/server_process.h"
#include "support/widget_application.h"

#include <QAction>
#include <QDir>
#include <QPainter>
#include <QScreen>

#include <gtest/gtest.h>

namespace {

void Save(QWidget& widget, const QString& name)
{
    widget.show();
    widget.activateWindow();
    QApplication::processEvents();
    const QImage image = widget.grab().toImage();
    ASSERT_FALSE(image.isNull());
    const QString folder = qEnvironmentVariable("ORV_SCREENSHOT_DIR");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    EXPECT_TRUE(image.save(QDir(folder).filePath(name)));
}

QTreeWidgetItem* Find(QTreeWidgetItem* item, const QStringList& path)
{
    for (const QString& text : path) {
        QTreeWidgetItem* next = nullptr;
        for (int i = 0; item != nullptr && i < item->childCount(); ++i)
            if (item->child(i)->text(0) == text)
                next = item->child(i);
        item = next;
    }
    return item;
}

}  // namespace

TEST(Screenshots, MainWindowAgainstTheDemoInventory)
{
    WidgetApplication();
    CServerProcess server({"--demo"});
    ASSERT_TRUE(server.Start());
    DocFixture f;
    f.userId = "admin";
    f.password = "admin";
    f.port = server.Port();

    CMainFrame frame(f.doc);
    frame.resize(1280, 800);
    Save(frame, QStringLiteral("main_logged_out.png"));

    frame.Action(cmdLogIn)->trigger();
    ASSERT_TRUE(f.doc.IsLoggedIn());
    CInventoryTreeView& tree = *frame.TreeView();
    QTreeWidgetItem* root = tree.invisibleRootItem();
    for (const QStringList& path : {QStringList{"Parents"}, QStringList{"Parents", "All Parents"},
                                    QStringList{"Children"}, QStringList{"Regions"}})
        if (QTreeWidgetItem* item = Find(root, path))
            item->setExpanded(true);

    // Run the first view under "All Parents" as a double click would.
    if (QTreeWidgetItem* allParents = Find(root, {"Parents", "All Parents"}); allParents && allParents->childCount() > 0) {
        QTreeWidgetItem* view = allParents->child(0);
        tree.setCurrentItem(view);
        tree.RunCommand(tree.DoubleClickCommandOf(view), view);
    }
    if (frame.CaseView()->Model().rowCount() > 0)
        frame.CaseView()->selectRow(2);
    Save(frame, QStringLiteral("main_logged_in.png"));
    for (const QString& message : f.prompts.MessageTexts())
        std::cerr << "message: " << message.toStdString() << '\n';

    CSearchDlg search(SearchFieldsOf(f.doc.InventoryInfo().searchFields), f.prompts, &frame);
    Save(search, QStringLiteral("search_cases.png"));

    CLoggedUsersDlg users({"admin: Demo Administrator (Administrators) from 127.0.0.1 since 2024-05-02 09:14",
                           "dwhitfield: Dana Whitfield (Auditors) from 10.0.4.21 since 2024-05-02 08:02",
                           "carrier: Atlas Mutual Insurance (Parent) from 10.0.7.3 since 2024-05-02 09:20"},
                          &frame);
    Save(users, QStringLiteral("logged_in_users.png"));
}

TEST(Screenshots, AReportInTheReportPane)
{
    WidgetApplication();
    CServerProcess server({"--demo"});
    ASSERT_TRUE(server.Start());
    DocFixture f;
    f.userId = "admin";
    f.password = "admin";
    f.port = server.Port();

    CMainFrame frame(f.doc);
    frame.resize(1280, 800);
    frame.show();
    frame.Action(cmdLogIn)->trigger();
    ASSERT_TRUE(f.doc.IsLoggedIn());
    CInventoryTreeView& tree = *frame.TreeView();
    if (QTreeWidgetItem* allParents = Find(tree.invisibleRootItem(), {"Parents", "All Parents"});
        allParents && allParents->childCount() > 0) {
        allParents->setExpanded(true);
        QTreeWidgetItem* view = allParents->child(0);
        tree.RunCommand(tree.DoubleClickCommandOf(view), view);
    }

    // The server's first report view, double-clicked in the tree.
    QTreeWidgetItem* reports = Find(tree.invisibleRootItem(), {"Reports"});
    ASSERT_TRUE(reports != nullptr && reports->childCount() > 0);
    tree.setCurrentItem(reports->child(0));
    tree.RunCommand(tree.DoubleClickCommandOf(reports->child(0)), reports->child(0));
    ASSERT_EQ(frame.ReportView()->Logic().CurrentPage(), 1);
    Save(frame, QStringLiteral("main_report_preview.png"));

    // A report file opened with "Op&en File...": its landscape page, zoomed out.
    f.prompts.fileAnswers = {SavedReport(f.dir.path(), "Premium Audit Inventory.tdf", SampleReport())};
    frame.Action(cmdOpenReportFile)->trigger();
    const std::vector<int>& orientations = frame.ReportView()->Printout()->PageOrientations();
    const auto landscape = std::find(orientations.begin(), orientations.end(), CReportPrintout::kLandscape);
    ASSERT_NE(landscape, orientations.end());
    while (frame.ReportView()->Logic().CurrentPage() < landscape - orientations.begin() + 1)
        frame.Action(cmdNextPage)->trigger();
    frame.Action(cmdZoomOut)->trigger();
    frame.Action(cmdZoomOut)->trigger();
    Save(frame, QStringLiteral("main_report_landscape.png"));
    for (const QString& message : f.prompts.MessageTexts())
        std::cerr << "message: " << message.toStdString() << '\n';
}

TEST(Screenshots, EveryToolbarButtonHasAPicture)
{
    WidgetApplication();
    std::vector<QIcon> icons;
    for (const MenuEntry& entry : ToolbarLayout())
        if (!entry.IsSeparator()) {
            icons.push_back(CommandIcon(entry.commandId));
            EXPECT_FALSE(icons.back().isNull()) << entry.text;
        }

    // A sheet of them at the toolbar's size and at twice that, to look at.
    QImage sheet(static_cast<int>(icons.size()) * 56 + 8, 96, QImage::Format_ARGB32);
    sheet.fill(QColor(0xf0, 0xf0, 0xf0));
    QPainter painter(&sheet);
    for (size_t i = 0; i < icons.size(); ++i) {
        const int x = 8 + static_cast<int>(i) * 56;
        icons[i].paint(&painter, QRect(x + 14, 8, 20, 20));
        icons[i].paint(&painter, QRect(x, 40, 48, 48));
    }
    painter.end();
    const QString folder = qEnvironmentVariable("ORV_SCREENSHOT_DIR");
    if (!folder.isEmpty()) {
        QDir().mkpath(folder);
        EXPECT_TRUE(sheet.save(QDir(folder).filePath(QStringLiteral("toolbar_pictures.png"))));
    }
}
