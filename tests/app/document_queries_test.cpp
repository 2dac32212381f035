// The document's flows over a scripted server: lists that fail to load at log-in,
// running case views (the identifier looked up, the title, the table handed on),
// searching, and generating a report.
#include "app/document_fixture.h"
#include "app/main_commands.h"
#include "app/peer_log_in.h"
#include "codec/binary_object.h"
#include "codec/string_object.h"
#include "query/scope_bits.h"

#include <gtest/gtest.h>

using namespace peer_log_in;

namespace {

// The document goes before the peer, so that the peer's last read sees it close.
struct PeerDoc {
    CFakePeer peer;
    DocFixture f;

    bool LogIn()
    {
        peer.ReadToEnd();
        peer.Start();
        return f.LogInAs("joe", "secret", peer.Port());
    }

    // Everything the document sent, once it has hung up.
    std::string Sent()
    {
        f.doc.Server().Close();
        EXPECT_TRUE(peer.WaitDone());
        return peer.Received();
    }
};

CInventoryInfo InfoWithRights(int32_t rights)
{
    CInventoryInfo info;
    info.rights = rights;
    info.parents.resize(1);
    info.parents[0].name = "Atlas Mutual Insurance";
    return info;
}

}  // namespace

TEST(DocumentLogIn, AListThatFailsToLoadIsReportedAndTheUserStaysLoggedIn)
{
    PeerDoc p;
    CReportViewParam report;
    report.viewId = 4;
    report.name = "Due Dates";
    ScriptLogIn(p.peer, RefusedRecord(), RecordList(std::vector<CReportViewParam>{report}), RefusedRecord());
    ASSERT_TRUE(p.LogIn());

    EXPECT_TRUE(p.f.doc.IsLoggedIn());
    EXPECT_EQ(p.f.prompts.MessageTexts(),
              (std::vector<QString>{QStringLiteral("Failed to load the Case Views List from the server"),
                                    QStringLiteral("Failed to load the Tree View Lists from the server")}));
    EXPECT_TRUE(p.f.doc.CaseViews().empty());
    ASSERT_EQ(p.f.doc.ReportViews().size(), 1u);
    EXPECT_EQ(p.f.doc.ReportViews()[0].name, "Due Dates");
    EXPECT_TRUE(p.f.doc.InventoryInfo().parents.empty());
    EXPECT_EQ(p.f.observer.updates, 1);
    EXPECT_EQ(p.f.prompts.waitDepth, 0);
}

TEST(DocumentQueries, RunningAViewTitlesTheDocumentAndHandsTheTableToTheList)
{
    PeerDoc p;
    const std::vector<CCaseViewParam> views = {View(7, "Open Cases", kScopeAllParents),
                                               View(9, "Open Cases", kScopeEachParent),
                                               View(11, "Open Cases", kScopeEachParent)};
    ScriptLogIn(p.peer, RecordList(views), RecordList(std::vector<CReportViewParam>{}),
                Record(InfoWithRights(0x3)));
    // Three runs: a table of two rows, an empty one, a refusal.
    p.peer.ReadLine().ReadEnvelope().Write(Record(Table({"Acme Tool & Die", "Birch Bakery"})));
    p.peer.ReadLine().ReadEnvelope().Write(Record(Table({})));
    p.peer.ReadLine().ReadEnvelope().Write(RefusedRecord());
    ASSERT_TRUE(p.LogIn());

    // The view is found by its name and a scope equal to the node's kind; the first wins.
    EXPECT_TRUE(p.f.doc.RunCaseView("Open Cases", kScopeEachParent, "Atlas Mutual Insurance", ""));
    EXPECT_EQ(p.f.doc.DocumentTitle(), QStringLiteral("Open Cases for Atlas Mutual Insurance (2)"));
    ASSERT_EQ(p.f.observer.runs, 1);
    ASSERT_TRUE(p.f.observer.lastResults);
    EXPECT_EQ(p.f.observer.lastResults->rows.size(), 2u);
    ASSERT_TRUE(p.f.observer.lastRequest);
    EXPECT_EQ(p.f.observer.lastRequest->viewId, 9);
    EXPECT_EQ(p.f.observer.lastRequest->target, "Atlas Mutual Insurance");
    EXPECT_EQ(p.f.observer.lastRequest->searchFormula, "");
    EXPECT_EQ(p.f.observer.titles.back(), p.f.doc.DocumentTitle());

    // A name not in the list goes out with identifier -1; the server decides.
    EXPECT_TRUE(p.f.doc.RunCaseView("Closed Cases", kScopeAllParents, "All Parents", ""));
    EXPECT_EQ(p.f.doc.DocumentTitle(), QStringLiteral("Closed Cases for All Parents (0)"));
    EXPECT_EQ(p.f.observer.lastRequest->viewId, -1);

    // A refusal is reported; title and list stay as they were.
    EXPECT_FALSE(p.f.doc.RunCaseView("Open Cases", kScopeAllParents, "All Parents", ""));
    EXPECT_EQ(p.f.prompts.MessageTexts(), std::vector<QString>{QStringLiteral("Error receiving query data from server")});
    EXPECT_EQ(p.f.doc.DocumentTitle(), QStringLiteral("Closed Cases for All Parents (0)"));
    EXPECT_EQ(p.f.observer.runs, 2);
    EXPECT_EQ(p.f.prompts.waitDepth, 0);

    // What went out: the request as the table was asked for.
    CCaseQueryRequestInfo sent;
    ASSERT_TRUE(DecodeArgument(p.Sent(), "GENERATECASEVIEW", 2, 0, sent));
    EXPECT_EQ(sent.viewId, 7);
    EXPECT_EQ(sent.target, "All Parents");
}

TEST(DocumentQueries, SearchCasesRunsTheFirstSearchViewOfTheAllNodesForNoNode)
{
    PeerDoc p;
    const std::vector<CCaseViewParam> views = {
        View(1, "Quick", kScopeAllParents, CCaseViewParam::caseView),
        View(2, "Find Parent", kScopeEachParent, CCaseViewParam::searchView),  // not an "All" node
        View(3, "Find Case", kScopeAllChildren, CCaseViewParam::caseAndSearchView),
        View(4, "Find Again", kScopeAllParents, CCaseViewParam::searchView),
    };
    CInventoryInfo info = InfoWithRights(0x3);
    for (const auto& [label, type, searchable] :
         {std::tuple{"Insured Name", CCaseFieldInfo::text, 1}, std::tuple{"Created", CCaseFieldInfo::dateTime, 1},
          std::tuple{"Memo", CCaseFieldInfo::text, 0}, std::tuple{"City", CCaseFieldInfo::text, 1}}) {
        CCaseFieldInfo field;
        field.label = label;
        field.token = std::string("[") + label + "]";
        field.type = type;
        field.searchable = searchable;
        info.searchFields.push_back(field);
    }
    ScriptLogIn(p.peer, RecordList(views), RecordList(std::vector<CReportViewParam>{}), Record(info));
    p.peer.ReadLine().ReadEnvelope().Write(Record(Table({"Acme Tool & Die"})));
    p.peer.ReadLine().ReadEnvelope().Write(Record(Table({"Birch Bakery", "Birchwood Farms"})));

    // Before log-in there is no view to search with.
    EXPECT_FALSE(p.f.doc.DocumentCommandEnabled(cmdSearchCases));
    EXPECT_FALSE(p.f.doc.SearchCases());
    EXPECT_EQ(p.f.searches, 0);

    ASSERT_TRUE(p.LogIn());
    EXPECT_TRUE(p.f.doc.DocumentCommandEnabled(cmdSearchCases));

    // Cancelled: nothing goes out.
    EXPECT_FALSE(p.f.doc.SearchCases());
    EXPECT_EQ(p.f.searches, 1);

    p.f.searchAnswer = "[InsuredName] = \"Acme*\"";
    EXPECT_TRUE(p.f.doc.SearchCases());
    ASSERT_EQ(p.f.offeredSearchFields.size(), 2u);
    EXPECT_EQ(p.f.offeredSearchFields[0].token, "[Insured Name]");
    EXPECT_EQ(p.f.offeredSearchFields[1].token, "[City]");
    EXPECT_EQ(p.f.doc.DocumentTitle(), QStringLiteral("Find Case for  (Search: [InsuredName] = \"Acme*\") (1)"));
    EXPECT_EQ(p.f.observer.lastRequest->viewId, 3);
    EXPECT_EQ(p.f.observer.lastRequest->target, "");
    EXPECT_EQ(p.f.observer.lastRequest->searchFormula, "[InsuredName] = \"Acme*\"");

    // The tree's search runs the view for its node.
    p.f.searchAnswer = "[City] = \"Birch*\"";
    EXPECT_TRUE(p.f.doc.RunTreeCommand(cmdSearchCaseView, {kNodeCaseView, "Find Again", kScopeAllParents,
                                                           "All Parents"})
                    .succeeded);
    EXPECT_EQ(p.f.doc.DocumentTitle(), QStringLiteral("Find Again for All Parents (Search: [City] = \"Birch*\") (2)"));
    EXPECT_EQ(p.f.observer.lastRequest->viewId, 4);
    EXPECT_TRUE(p.f.prompts.messages.empty());
}

TEST(DocumentReports, GeneratingAReportHandsBackTheServersBytesOrReportsTheFailure)
{
    PeerDoc p;
    ScriptLogIn(p.peer, RecordList(std::vector<CCaseViewParam>{}), RecordList(std::vector<CReportViewParam>{}),
                Record(InfoWithRights(0x3)));
    const std::string document("%PDF-1.4\n\0\xff binary", 18);
    p.peer.ReadLine().ReadEnvelope().ReadEnvelope().ReadLine().Write(Record(CBinaryObject(document)));
    p.peer.ReadLine().ReadEnvelope().ReadEnvelope().ReadLine().Write(RefusedRecord());
    ASSERT_TRUE(p.LogIn());

    const std::optional<std::string> bytes =
        p.f.doc.GenerateReport("Case Listing", {"2024-000001", "2024-000002"}, CInventoryServer::outputPdf);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(*bytes, document);
    EXPECT_TRUE(p.f.prompts.messages.empty());

    EXPECT_FALSE(p.f.doc.GenerateReport("Case Listing", {}, CInventoryServer::outputPrintout).has_value());
    EXPECT_EQ(p.f.prompts.MessageTexts(), std::vector<QString>{QStringLiteral("Error receiving report data from server")});
    EXPECT_EQ(p.f.prompts.waitDepth, 0);

    CStringObject name;
    ASSERT_TRUE(DecodeArgument(p.Sent(), "GENERATECASEREPORTVIEW", 0, 0, name));
    EXPECT_EQ(name.GetText(), "Case Listing");
}
