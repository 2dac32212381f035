// Editing a case view of the current log-in against the real inventory server: the
// definition fetched by the identifier found in the list, the editor's title, the
// definition stored back, and the failures in their own words.
#include "app/document_fixture.h"
#include "app/server_seeding.h"
#include "query/inventory_tree_layout.h"
#include "query/scope_bits.h"
#include "support/server_process.h"

#include <gtest/gtest.h>

TEST(DocumentCaseViews, EditingAViewFetchesItsDefinitionAndStoresTheEditedOne)
{
    CServerProcess server({"--demo"});
    ASSERT_TRUE(server.Start());
    SeedViews(server, "admin",
              {CaseViewDefinition("Seeded View", kScopeAllParents), CaseViewDefinition("Seeded View", kScopeEachParent),
               CaseViewDefinition("Seeded Wide", kScopeAllParents | kScopeUnassignedParents)});

    DocFixture f;
    ASSERT_TRUE(f.LogInAs("admin", "admin", server.Port()));
    const CCaseViewParam* allParents = FindListedView(f.doc.CaseViews(), "Seeded View", kScopeAllParents);
    const CCaseViewParam* eachParent = FindListedView(f.doc.CaseViews(), "Seeded View", kScopeEachParent);
    ASSERT_NE(allParents, nullptr);
    ASSERT_NE(eachParent, nullptr);
    EXPECT_FALSE(f.doc.HasTreeCommand(cmdEditCaseView));  // no editor given yet

    std::vector<QString> titles;
    std::vector<int32_t> scopes;
    bool confirm = true;
    DocumentDialogs dialogs;
    dialogs.editCaseView = [&](CCaseQueryData& view, const QString& title) {
        titles.push_back(title);
        scopes.push_back(view.scope);
        view.sort1Field = "[InsuredName]";
        view.sort1Ascending = false;
        return confirm;
    };
    f.doc.SetDialogs(dialogs);
    EXPECT_TRUE(f.doc.HasTreeCommand(cmdEditCaseView));

    // From the tree: the view node under an "each parent" node.
    const TreeNodeRef node{kNodeCaseView, "Seeded View", kScopeEachParent, "Atlas Mutual Insurance"};
    EXPECT_TRUE(f.doc.RunTreeCommand(cmdEditCaseView, node).succeeded);
    EXPECT_EQ(titles, std::vector<QString>{QStringLiteral("Edit View: Seeded View")});
    EXPECT_EQ(scopes, std::vector<int32_t>{kScopeEachParent});
    EXPECT_TRUE(f.prompts.messages.empty());
    EXPECT_EQ(f.prompts.waitDepth, 0);

    CCaseQueryData stored;
    ASSERT_TRUE(f.doc.Server().GetCaseView(eachParent->viewId, stored));
    EXPECT_EQ(stored.sort1Field, "[InsuredName]");
    EXPECT_FALSE(stored.sort1Ascending);
    CCaseQueryData untouched;
    ASSERT_TRUE(f.doc.Server().GetCaseView(allParents->viewId, untouched));
    EXPECT_EQ(untouched.sort1Field, "");

    // Cancelled: nothing is stored.
    confirm = false;
    EXPECT_FALSE(f.doc.EditCaseView("Seeded View", kScopeAllParents));
    ASSERT_TRUE(f.doc.Server().GetCaseView(allParents->viewId, untouched));
    EXPECT_EQ(untouched.sort1Field, "");
    EXPECT_TRUE(f.prompts.messages.empty());

    // A view listed under the node by its bits but not found by name and kind goes out
    // as -1, which this server does not know.
    titles.clear();
    EXPECT_FALSE(f.doc.EditCaseView("Seeded Wide", kScopeAllParents));
    EXPECT_TRUE(titles.empty());
    EXPECT_EQ(f.prompts.MessageTexts(),
              std::vector<QString>{QStringLiteral("Error receiving case view data from server")});
}
