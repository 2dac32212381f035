// The main window over the document: its menus and toolbar hold exactly the commands
// the program carries out, its panes, timer and status bar, and the session seen
// through it (enabling, the tree, the case list emptied when the session goes).
#include "app/document_fixture.h"
#include "app/main_commands.h"
#include "app/main_frame.h"
#include "app/main_frame_layout.h"
#include "app/peer_log_in.h"
#include "app/server_seeding.h"
#include "query/scope_bits.h"
#include "query/widgets/case_list_model.h"
#include "query/widgets/case_view.h"
#include "query/widgets/inventory_tree_view.h"
#include "support/server_process.h"
#include "support/widget_application.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QStackedWidget>
#include <QTimer>
#include <QToolBar>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Each menu as its title followed by its entries' texts; "-" for a separator.
std::vector<QStringList> MenuTexts(const CMainFrame& frame)
{
    std::vector<QStringList> menus;
    for (QAction* menuAction : frame.menuBar()->actions()) {
        QStringList texts{menuAction->text()};
        for (QAction* action : menuAction->menu()->actions())
            texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
        menus.push_back(texts);
    }
    return menus;
}

// The toolbar's buttons as command identifiers; 0 for a separator.
std::vector<int> ToolbarCommands(const CMainFrame& frame)
{
    std::vector<int> ids;
    for (QAction* action : frame.ToolBar()->actions())
        ids.push_back(action->isSeparator() ? 0 : action->data().toInt());
    return ids;
}

QTreeWidgetItem* Child(QTreeWidgetItem* parent, const QString& text)
{
    for (int i = 0; parent != nullptr && i < parent->childCount(); ++i)
        if (parent->child(i)->text(0) == text)
            return parent->child(i);
    return nullptr;
}

QTreeWidgetItem* Root(const CInventoryTreeView& tree, const QString& text)
{
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        if (tree.topLevelItem(i)->text(0) == text)
            return tree.topLevelItem(i);
    return nullptr;
}

}  // namespace

TEST(MainFrame, MenusAndToolbarHoldOnlyTheCommandsTheProgramCarriesOut)
{
    WidgetApplication();
    DocFixture f;
    CMainFrame frame(f.doc);

    const std::vector<QStringList> expected = {
        {"&File", "Log &In...", "Log &Out...", "-", "&Print Setup...", "-", "Launch Tool", "-", "E&xit"},
        {"&Edit", "Cu&t", "&Copy", "&Paste"},
        {"&Cases", "&Search Cases...", "-", "&Open", "&Attachments...", "Pri&nt Attachments...",
         "Save A&ttachments...", "&Export Attachments to", "-", "&Delete", "-", "Export List to Text"},
        {"&View", "&Hidden Tree Nodes", "-", "Logged In User List"},
        {"&Report", "Print Pre&view...", "&Print...", "-", "&First Page", "P&revious Page", "&Next Page",
         "&Last Page", "-", "Zoom &In", "Zoom &Out", "-", "Op&en File...", "&Save As File..."},
        {"&Help", "&About Orvenna Office Client..."},
    };
    EXPECT_EQ(MenuTexts(frame), expected);
    const std::vector<int> previewButtons = {cmdFirstPage, cmdPreviousPage, cmdNextPage, cmdLastPage, 0,
                                             cmdZoomIn,    cmdZoomOut};
    std::vector<int> toolbar = {cmdSearchCases, 0, cmdEditCut, cmdEditCopy, cmdEditPaste, 0, cmdFilePrintPreview,
                                cmdFilePrint, cmdAppAbout, 0, cmdLaunchTool, 0};
    toolbar.insert(toolbar.end(), previewButtons.begin(), previewButtons.end());
    EXPECT_EQ(ToolbarCommands(frame), toolbar);
    EXPECT_FALSE(frame.Action(cmdSearchCases)->icon().isNull());
    EXPECT_FALSE(frame.Action(cmdAppAbout)->icon().isNull());

    EXPECT_EQ(frame.Action(cmdLogIn)->statusTip(), QStringLiteral("Log into server"));
    EXPECT_EQ(frame.Action(cmdLogIn)->toolTip(), QStringLiteral("Log in"));
    EXPECT_EQ(frame.Action(cmdLogOut)->statusTip(), QStringLiteral("Log out of server"));
    EXPECT_EQ(frame.Action(cmdSearchCases)->toolTip(), QStringLiteral("Search Cases"));
    EXPECT_TRUE(frame.Action(cmdHiddenTreeNodes)->isCheckable());
    EXPECT_FALSE(frame.Action(cmdLogIn)->isCheckable());
    EXPECT_NE(frame.Action(cmdPrintSetup), nullptr);

    // A command registered later takes its places in the menu and on the toolbar, with
    // separators only between remaining groups.
    int launched = 0;
    frame.AddCommand(cmdLaunchTool, [&] { ++launched; });
    EXPECT_EQ(MenuTexts(frame)[0], (QStringList{"&File", "Log &In...", "Log &Out...", "-", "&Print Setup...", "-",
                                                "Launch Tool", "-", "E&xit"}));
    toolbar = {cmdSearchCases, 0, cmdEditCut, cmdEditCopy, cmdEditPaste, 0, cmdFilePrintPreview, cmdFilePrint,
               cmdAppAbout,    0, cmdLaunchTool, 0};
    toolbar.insert(toolbar.end(), previewButtons.begin(), previewButtons.end());
    EXPECT_EQ(ToolbarCommands(frame), toolbar);
    frame.Action(cmdLaunchTool)->trigger();
    EXPECT_EQ(launched, 1);

    // A disabled command does nothing even when triggered.
    bool allowed = false;
    frame.AddCommand(cmdZoomIn, [&] { ++launched; }, [&] { return allowed; });
    EXPECT_FALSE(frame.Action(cmdZoomIn)->isEnabled());
    frame.Action(cmdZoomIn)->trigger();
    EXPECT_EQ(launched, 1);
}

TEST(MainFrame, PanesTimerStatusBarAndTitle)
{
    WidgetApplication();
    DocFixture f;
    CMainFrame frame(f.doc);
    frame.resize(1000, 700);
    frame.show();

    EXPECT_EQ(frame.MainSplitter()->widget(0), frame.TreeView());
    EXPECT_EQ(frame.MainSplitter()->widget(1), frame.RightSplitter());
    EXPECT_EQ(frame.RightSplitter()->widget(0), frame.CaseView());
    EXPECT_EQ(frame.RightSplitter()->widget(1), frame.ReportPane());
    EXPECT_EQ(frame.MainSplitter()->sizes().at(0), 160);
    EXPECT_EQ(frame.RightSplitter()->sizes().at(0), 200);

    EXPECT_TRUE(frame.ConnectionTimer()->isActive());
    EXPECT_EQ(frame.ConnectionTimer()->interval(), 30000);

    const QStringList indicators = {"CAP", "NUM", "SCRL"};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(frame.LockIndicator(i)->text(), indicators[i]);

    // The tree and the blank report pane title the document when first shown; the
    // window shows the title before the program's name.
    ASSERT_EQ(f.observer.titles.size(), 2u);
    EXPECT_TRUE(std::is_permutation(f.observer.titles.begin(), f.observer.titles.end(),
                                    std::vector<QString>{"Corvane", "Inventory"}.begin()));
    EXPECT_EQ(frame.windowTitle(), f.doc.DocumentTitle() + QStringLiteral(" - Orvenna Office Client"));
}

TEST(MainFrame, CommandsAndPanesFollowTheSession)
{
    WidgetApplication();
    CServerProcess server({"--demo"});
    ASSERT_TRUE(server.Start());
    DocFixture f;
    f.userId = "admin";
    f.password = "admin";
    f.port = server.Port();
    CMainFrame frame(f.doc);

    EXPECT_TRUE(frame.Action(cmdLogIn)->isEnabled());
    for (int id : {cmdLogOut, cmdHiddenTreeNodes, cmdLoggedInUserList, cmdSearchCases})
        EXPECT_FALSE(frame.Action(id)->isEnabled()) << id;
    EXPECT_EQ(frame.TreeView()->topLevelItemCount(), 0);

    frame.Action(cmdLogIn)->trigger();
    ASSERT_TRUE(f.doc.IsLoggedIn());
    EXPECT_FALSE(frame.Action(cmdLogIn)->isEnabled());
    for (int id : {cmdLogOut, cmdHiddenTreeNodes, cmdLoggedInUserList})
        EXPECT_TRUE(frame.Action(id)->isEnabled()) << id;
    ASSERT_NE(Root(*frame.TreeView(), "Parents"), nullptr);
    EXPECT_NE(Child(Root(*frame.TreeView(), "Parents"), "Atlas Mutual Insurance"), nullptr);

    frame.Action(cmdHiddenTreeNodes)->trigger();
    EXPECT_TRUE(frame.Action(cmdHiddenTreeNodes)->isChecked());
    EXPECT_NE(Child(Root(*frame.TreeView(), "Parents"), "Great Lakes Rating Bureau"), nullptr);

    // A list on show, then the server goes: the timer's check empties tree and list.
    frame.CaseView()->ShowResults(std::make_unique<CCaseQueryResults>(peer_log_in::Table({"Acme"})),
                                  std::make_unique<CCaseQueryRequestInfo>());
    EXPECT_EQ(frame.CaseView()->Model().rowCount(), 1);
    server.Stop();
    frame.OnConnectionTimer();
    EXPECT_FALSE(f.doc.IsLoggedIn());
    EXPECT_EQ(frame.TreeView()->topLevelItemCount(), 0);
    EXPECT_EQ(frame.CaseView()->Model().rowCount(), 0);
    EXPECT_TRUE(frame.Action(cmdLogIn)->isEnabled());
    EXPECT_FALSE(frame.Action(cmdLogOut)->isEnabled());
    EXPECT_TRUE(f.prompts.messages.empty());
}

TEST(MainFrame, AViewRunFromTheTreeFillsTheListAndLogOutEmptiesIt)
{
    WidgetApplication();
    using namespace peer_log_in;
    CFakePeer peer;
    DocFixture f;
    CInventoryInfo info;
    info.rights = 0x3;
    info.parents.resize(1);
    info.parents[0].name = "Atlas Mutual Insurance";
    ScriptLogIn(peer, RecordList(std::vector<CCaseViewParam>{View(7, "Open Cases", kScopeAllParents)}),
                RecordList(std::vector<CReportViewParam>{}), Record(info));
    peer.ReadLine().ReadEnvelope().Write(Record(Table({"Acme Tool & Die", "Birch Bakery"})));
    peer.ReadToEnd();
    peer.Start();
    f.userId = "joe";
    f.password = "secret";
    f.port = peer.Port();
    CMainFrame frame(f.doc);
    frame.Action(cmdLogIn)->trigger();
    ASSERT_TRUE(f.doc.IsLoggedIn());

    QTreeWidgetItem* view = Child(Child(Root(*frame.TreeView(), "Parents"), "All Parents"), "Open Cases");
    ASSERT_NE(view, nullptr);
    frame.TreeView()->RunCommand(frame.TreeView()->DoubleClickCommandOf(view), view);
    EXPECT_EQ(frame.CaseView()->Model().rowCount(), 2);
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Open Cases for All Parents (2) - Orvenna Office Client"));

    f.prompts.answers = {true};
    frame.Action(cmdLogOut)->trigger();
    EXPECT_FALSE(f.doc.IsLoggedIn());
    EXPECT_EQ(frame.CaseView()->Model().rowCount(), 0);
    EXPECT_EQ(frame.TreeView()->topLevelItemCount(), 0);
    ASSERT_TRUE(peer.WaitDone());
    EXPECT_NE(peer.Received().find("CLOSESESSION\r\n"), std::string::npos);
}
