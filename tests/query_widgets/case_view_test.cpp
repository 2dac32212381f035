// The case list widget: the selection it hands to the commands, the refresh and removal
// after them, its keys, and which menu entries it shows.
#include "fake_hosts.h"
#include "query/case_list_commands.h"
#include "query/widgets/case_list_model.h"
#include "query/widgets/case_view.h"
#include "support/widget_application.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>

#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;

class CaseViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WidgetApplication();
        view.SetHost(&host);
        view.Model().SetLocale(QLocale(QLocale::English, QLocale::UnitedStates));
        auto request = std::make_unique<CCaseQueryRequestInfo>();
        request->viewId = 1;
        request->target = "Harbor Mutual";
        view.ShowResults(SampleResults(), std::move(request));
        host.title = QStringLiteral("Open Audits for Harbor Mutual (5)");
        // Rows by insured name: A-1002, A-1003, A-1005, A-1001, A-1006.
    }

    void Select(std::initializer_list<int> rows)
    {
        view.clearSelection();
        for (int row : rows)
            view.selectionModel()->select(view.Model().index(row, 0),
                                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QCoreApplication::sendEvent(&view, &event);
    }

    QApplication& application = WidgetApplication();  // before any widget
    FakeCaseListHost host;
    CCaseView view;
};

}  // namespace

TEST_F(CaseViewTest, ColumnsTakeTheResultWidthsAndTheSortShowsInTheHeader)
{
    EXPECT_EQ(view.horizontalHeader()->sectionSize(0), 190);
    EXPECT_EQ(view.horizontalHeader()->sectionSize(2), 95);
    EXPECT_EQ(view.horizontalHeader()->sortIndicatorSection(), 0);
    emit view.horizontalHeader()->sectionClicked(0);
    EXPECT_TRUE(view.Model().SortDescending());
    EXPECT_EQ(view.horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);

    view.ShowResults(nullptr, nullptr);
    EXPECT_EQ(view.horizontalHeader()->sectionSize(0), 100);
    EXPECT_EQ(view.Model().headerData(0, Qt::Horizontal).toString(), QStringLiteral("Empty..."));
}

TEST_F(CaseViewTest, NothingSelectedIsSaidOnceAndTheCommandIsNotGiven)
{
    host.commands = {cmdCaseProperties, cmdCaseSchedule};
    view.RunCommand(cmdCaseSchedule);
    view.RunCommand(cmdCaseProperties);
    EXPECT_TRUE(host.ran.empty());
    ASSERT_EQ(host.prompts.messages.size(), 2u);
    EXPECT_EQ(host.prompts.messages[0].text, QStringLiteral("Nothing has been selected!"));
    EXPECT_EQ(host.prompts.messages[0].caption, QStringLiteral("Error"));
    EXPECT_EQ(host.prompts.messages[0].icon, UserPrompts::Icon::exclamation);
}

TEST_F(CaseViewTest, SelectedCasesGoInListOrderAndOneCaseCommandsTakeTheFocusedRow)
{
    host.commands = {cmdCaseBilling, cmdCaseSchedule};
    host.changes = false;
    Select({3, 0, 2});
    view.selectionModel()->setCurrentIndex(view.Model().index(3, 0), QItemSelectionModel::NoUpdate);
    EXPECT_EQ(view.FocusedRow(), 3);
    view.RunCommand(cmdCaseBilling);
    view.RunCommand(cmdCaseSchedule);
    ASSERT_EQ(host.ran.size(), 2u);
    EXPECT_EQ(host.ran[0].second, (Strings{"A-1002", "A-1005", "A-1001"}));
    EXPECT_EQ(host.ran[1].second, Strings{"A-1001"}) << "the focused row, not the first selected";
    EXPECT_TRUE(host.queried.empty());  // nothing changed, nothing run again
}

TEST_F(CaseViewTest, AChangedCaseHasItsRowRefreshedFromTheQueryRunAgain)
{
    host.commands = {cmdCaseSchedule, cmdCaseProperties};
    host.nextResults = SampleResults();
    host.nextResults->rows[4]->cells[4] = "Scheduled";  // A-1005
    host.nextResults->rows[0]->cells[4] = "Closed";     // A-1001, not the one changed
    Select({2});
    view.RunCommand(cmdCaseSchedule);
    ASSERT_EQ(host.queried, Strings{"Harbor Mutual"});
    EXPECT_EQ(view.Model().data(view.Model().index(2, 3)).toString(), QStringLiteral("Scheduled"));
    EXPECT_EQ(view.Model().data(view.Model().index(3, 3)).toString(), QStringLiteral("Open"));

    // Several cases changed: the whole table is replaced.
    Select({0, 1});
    view.RunCommand(cmdCaseProperties);
    EXPECT_EQ(host.queried.size(), 2u);
    EXPECT_EQ(view.Model().data(view.Model().index(3, 3)).toString(), QStringLiteral("Closed"));

    // A failed query leaves the list as it was; so does the setting against refreshing.
    host.nextResults.reset();
    Select({2});
    view.RunCommand(cmdCaseSchedule);
    EXPECT_EQ(view.Model().data(view.Model().index(2, 3)).toString(), QStringLiteral("Scheduled"));
    host.refresh = false;
    view.RunCommand(cmdCaseSchedule);
    EXPECT_EQ(host.queried.size(), 3u);
}

TEST_F(CaseViewTest, DeleteRemovesTheSelectedRowsAndRewritesTheTitleCount)
{
    host.commands = {cmdCaseDelete};
    Select({1, 3});
    Press(Qt::Key_Delete);
    ASSERT_EQ(host.ran.size(), 1u);
    EXPECT_EQ(host.ran[0].second, (Strings{"A-1003", "A-1001"}));
    EXPECT_EQ(view.Model().rowCount(), 3);
    EXPECT_EQ(view.Model().RowOfCase("A-1003"), -1);
    EXPECT_EQ(host.title, QStringLiteral("Open Audits for Harbor Mutual (3)"));
    EXPECT_TRUE(host.queried.empty());

    // Refused by the host: nothing is removed.
    host.changes = false;
    Select({0});
    Press(Qt::Key_Delete);
    EXPECT_EQ(view.Model().rowCount(), 3);

    // Without the right the key does nothing and asks nothing.
    host.disabled = {cmdCaseDelete};
    Press(Qt::Key_Delete);
    EXPECT_EQ(host.ran.size(), 2u);
    EXPECT_TRUE(host.prompts.questions.empty());
}

TEST_F(CaseViewTest, EnterOpensThePropertiesAndKeysOfMissingCommandsDoNothing)
{
    Select({0});
    Press(Qt::Key_Return);
    Press(Qt::Key_Delete);
    EXPECT_TRUE(host.ran.empty());
    EXPECT_TRUE(host.prompts.messages.empty());

    host.commands = {cmdCaseProperties};
    host.changes = false;
    Press(Qt::Key_Enter);
    ASSERT_EQ(host.ran.size(), 1u);
    EXPECT_EQ(host.ran[0].first, cmdCaseProperties);
}

TEST_F(CaseViewTest, MenuShowsOnlyTheCommandsTheProgramHas)
{
    EXPECT_TRUE(view.ContextMenuEntries().empty());
    host.commands = {cmdCaseProperties, cmdCaseDelete, cmdCaseExportAttachmentsTiff, cmdListExportText};
    std::vector<std::string> texts;
    for (const MenuEntry& entry : view.ContextMenuEntries())
        texts.push_back(entry.IsSeparator() ? "-" : entry.text);
    EXPECT_EQ(texts, (Strings{"&Properties...", "-", "&Export Attachments to", "-", "&Delete", "-",
                              "E&xport List to Text..."}));
    EXPECT_EQ(view.ContextMenuEntries()[2].submenu.size(), 1u);
    EXPECT_EQ(view.ContextMenuEntries()[2].submenu[0].text, "TIFF...");
}
