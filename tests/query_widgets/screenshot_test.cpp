// Renders the tree and the case list with sample data. With ORV_SCREENSHOT_DIR set the
// pictures are written there as PNG files, to look at.
#include "fake_hosts.h"
#include "query/widgets/case_list_model.h"
#include "query/widgets/case_view.h"
#include "query/widgets/empty_view.h"
#include "query/widgets/inventory_tree_view.h"
#include "query/widgets/tree_image_strip.h"
#include "support/widget_application.h"

#include <QDir>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QSplitter>

#include <gtest/gtest.h>

namespace {

void Save(const QImage& image, const char* name)
{
    const QString folder = qEnvironmentVariable("ORV_SCREENSHOT_DIR");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    EXPECT_TRUE(image.save(QDir(folder).filePath(QString::fromLatin1(name))));
}

std::unique_ptr<CCaseQueryResults> ScreenshotResults()
{
    auto results = std::make_unique<CCaseQueryResults>();
    results->resultColumns = {
        SampleColumn("Case #", 0, 0, 0),           SampleColumn("Insured Name", 200, 0, 0),
        SampleColumn("Policy Number", 110, 0, 0),  SampleColumn("Parent", 130, 0, 0),
        SampleColumn("Auditor", 110, 0, 0),        SampleColumn("Due Date", 80, 1, 1),
        SampleColumn("Est. Premium", 95, 2, 4),    SampleColumn("Status", 80, 1, 2),
    };
    const std::vector<std::vector<std::string>> rows = {
        {"A-24017", "Riverside Bakery LLC", "WC-4481207", "Harbor Mutual", "Dana Whitfield", "3/14/2024", "12,450.00", "Open"},
        {"A-24018", "Acme Tool & Die Co.", "GL-0093341", "Harbor Mutual", "Marcus Lee", "3/18/2024", "9,870.50", "Scheduled"},
        {"A-24021", "Bluewater Marine Supply", "WC-4481990", "Northgate Casualty", "Dana Whitfield", "3/02/2024", "48,200.00", "Open"},
        {"A-24025", "Copperline Electric", "WC-5520118", "Keystone Indemnity", "Marcus Lee", "", "3,115.75", "Unassigned"},
        {"A-24026", "Zephyr Logistics Inc.", "AU-7713002", "Harbor Mutual", "Priya Nair", "2/27/2024", "151,000.00", "Review"},
        {"A-24030", "Maple Street Dental Group", "GL-0094410", "Northgate Casualty", "Dana Whitfield", "3/21/2024", "2,480.00", "Open"},
        {"A-24031", "Hillcrest Landscaping", "WC-4482205", "Harbor Mutual", "Tom Becker", "3/25/2024", "18,940.20", "Scheduled"},
        {"A-24033", "Granite Peak Construction", "WC-5521876", "Keystone Indemnity", "Marcus Lee", "3/08/2024", "97,335.00", "Open"},
        {"A-24034", "Sunrise Senior Living", "GL-0095123", "Northgate Casualty", "Priya Nair", "2/29/2024", "36,010.00", "Review"},
        {"A-24036", "Old Town Printing", "WC-4483019", "Harbor Mutual", "Dana Whitfield", "4/01/2024", "5,625.40", "Open"},
        {"A-24040", "Lakeside Auto Body", "AU-7714456", "Keystone Indemnity", "Tom Becker", "3/29/2024", "14,300.00", "Scheduled"},
        {"A-24041", "Northwind Cold Storage", "WC-5522031", "Northgate Casualty", "Marcus Lee", "3/11/2024", "62,780.90", "Open"},
    };
    for (const auto& cells : rows)
        results->rows.push_back(SampleRow(cells));
    return results;
}

}  // namespace

TEST(Screenshots, TreeAndCaseListWithSampleData)
{
    WidgetApplication();
    FakeTreeHost treeHost;
    treeHost.info = SampleInfo(0x3f);
    FakeCaseListHost listHost;

    QSplitter frame(Qt::Horizontal);
    auto* tree = new CInventoryTreeView(&frame);
    tree->SetHost(&treeHost);
    auto* right = new QSplitter(Qt::Vertical, &frame);
    auto* list = new CCaseView(right);
    list->SetHost(&listHost);
    list->Model().SetLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    auto* empty = new CEmptyView(right);
    QString emptyTitle;
    QObject::connect(empty, &CEmptyView::documentTitleRequested, [&](const QString& title) { emptyTitle = title; });
    frame.resize(1100, 560);
    frame.setSizes({250, 850});
    right->setSizes({360, 200});
    frame.show();

    // Open a few branches the way a user would.
    QTreeWidgetItem* parents = tree->topLevelItem(0);
    parents->child(2)->setExpanded(true);  // Harbor Mutual and its views
    QTreeWidgetItem* regions = tree->topLevelItem(2);
    regions->child(2)->setExpanded(true);  // Midwest with its territories
    tree->setCurrentItem(parents->child(2)->child(0));

    auto request = std::make_unique<CCaseQueryRequestInfo>();
    request->target = "Harbor Mutual";
    list->ShowResults(ScreenshotResults(), std::move(request));
    emit list->horizontalHeader()->sectionClicked(4);  // due date, ascending; empty first
    list->selectionModel()->select(list->Model().index(3, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QCoreApplication::processEvents();

    EXPECT_EQ(emptyTitle, QStringLiteral("Inventory"));
    EXPECT_EQ(list->Model().data(list->Model().index(0, 4)).toString(), QString());

    const QImage whole = frame.grab().toImage();
    const QImage treeImage = tree->grab().toImage();
    const QImage listImage = list->grab().toImage();
    ASSERT_FALSE(whole.isNull());
    ASSERT_FALSE(treeImage.isNull());
    ASSERT_FALSE(listImage.isNull());
    Save(whole, "main_panes.png");
    Save(treeImage, "inventory_tree.png");
    Save(listImage, "case_list.png");
    Save(TreeImageStrip(4), "tree_images.png");
}
