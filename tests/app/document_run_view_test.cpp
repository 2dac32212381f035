// Running case views and searches against the real inventory server and its demo
// views: the table the server computes reaches the list, the title counts its rows, and
// a view the server cannot run is reported without touching title or list.
#include "app/document_fixture.h"
#include "app/main_commands.h"
#include "app/server_seeding.h"
#include "query/case_view_list.h"
#include "query/scope_bits.h"
#include "support/server_process.h"

#include <gtest/gtest.h>

namespace {

int InsuredColumn(const CCaseQueryResults& results)
{
    for (size_t i = 0; i < results.resultColumns.size(); ++i)
        if (results.resultColumns[i]->header == "Insured")
            return static_cast<int>(i);
    return -1;
}

}  // namespace

TEST(DocumentRunView, TheServersTableReachesTheListAndTheTitleCountsItsRows)
{
    CServerProcess server({"--demo"});
    ASSERT_TRUE(server.Start());
    DocFixture f;
    ASSERT_TRUE(f.LogInAs("admin", "admin", server.Port()));
    const CCaseViewParam* open = FindListedView(f.doc.CaseViews(), "Open Cases", kScopeAllParents);
    ASSERT_NE(open, nullptr) << "the demo gives the administrator an \"Open Cases\" view of all parents";

    ASSERT_TRUE(f.doc.RunCaseView("Open Cases", kScopeAllParents, "All Parents", ""));
    ASSERT_TRUE(f.observer.lastResults);
    const size_t rows = f.observer.lastResults->rows.size();
    EXPECT_GT(rows, 0u);
    EXPECT_EQ(f.doc.DocumentTitle(), QString::fromLatin1("Open Cases for All Parents (" + std::to_string(rows) + ")"));
    EXPECT_EQ(f.observer.lastRequest->viewId, open->viewId);
    EXPECT_TRUE(f.prompts.messages.empty());

    // A view the server does not have is refused; nothing changes here.
    const QString title = f.doc.DocumentTitle();
    EXPECT_FALSE(f.doc.RunCaseView("No Such View", kScopeAllParents, "All Parents", ""));
    EXPECT_EQ(f.prompts.MessageTexts(), std::vector<QString>{QStringLiteral("Error receiving query data from server")});
    EXPECT_EQ(f.doc.DocumentTitle(), title);
    EXPECT_EQ(f.observer.runs, 1);

    // The conversation is still in step.
    EXPECT_TRUE(f.doc.RunCaseView("Open Cases", kScopeAllParents, "All Parents", ""));
    EXPECT_EQ(f.observer.lastResults->rows.size(), rows);
}

TEST(DocumentRunView, SearchCasesFindsTheCasesWhoseFieldStartsWithTheText)
{
    CServerProcess server({"--demo"});
    ASSERT_TRUE(server.Start());
    DocFixture f;
    ASSERT_TRUE(f.LogInAs("admin", "admin", server.Port()));
    const CCaseViewParam* searchView = FindSearchView(f.doc.CaseViews());
    ASSERT_NE(searchView, nullptr);
    const std::string viewName = searchView->name;
    EXPECT_TRUE(f.doc.DocumentCommandEnabled(cmdSearchCases));

    f.searchAnswer = "[InsuredName] = \"Beacon*\"";
    ASSERT_TRUE(f.doc.SearchCases());
    EXPECT_FALSE(f.offeredSearchFields.empty());
    ASSERT_TRUE(f.observer.lastResults);
    const CCaseQueryResults& results = *f.observer.lastResults;
    EXPECT_EQ(f.doc.DocumentTitle(), QString::fromLatin1(viewName + " for  (Search: [InsuredName] = \"Beacon*\") (" +
                                                         std::to_string(results.rows.size()) + ")"));
    const int insured = InsuredColumn(results);
    ASSERT_GE(insured, 0);
    ASSERT_FALSE(results.rows.empty());
    for (const auto& row : results.rows)
        EXPECT_EQ(row->Cell(static_cast<size_t>(insured)).rfind("Beacon", 0), 0u) << row->Cell(insured);
}
