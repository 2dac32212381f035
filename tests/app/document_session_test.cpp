// The document's session against the real inventory server: log-in and the lists it
// loads, refusals, log-out, the connection check, hidden tree nodes, the logged-in
// users, and closing the document while logged in.
#include "app/document_fixture.h"
#include "app/main_commands.h"
#include "app/server_seeding.h"
#include "platform/login_settings.h"
#include "query/scope_bits.h"
#include "support/log_in.h"
#include "support/server_process.h"

#include <QFile>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

std::vector<std::string> ParentNames(const COrvennaOCDoc& doc)
{
    std::vector<std::string> names;
    for (const CParentUser& parent : doc.InventoryInfo().parents)
        names.push_back(parent.name);
    return names;
}

bool Contains(const std::vector<std::string>& texts, const std::string& text)
{
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

void ExpectListsEmpty(const COrvennaOCDoc& doc)
{
    EXPECT_TRUE(doc.CaseViews().empty());
    EXPECT_TRUE(doc.ReportViews().empty());
    EXPECT_TRUE(doc.InventoryInfo().parents.empty());
    EXPECT_TRUE(doc.InventoryInfo().children.empty());
    EXPECT_TRUE(doc.InventoryInfo().regions.empty());
    EXPECT_EQ(doc.Rights(), 0);
}

}  // namespace

TEST(DocumentSession, LogInLoadsTheThreeListsAndLogOutAsksThenEmptiesThem)
{
    CServerProcess server({"--demo"});
    ASSERT_TRUE(server.Start());
    SeedViews(server, "admin", {CaseViewDefinition("Seeded Open Cases", kScopeAllParents)}, {"Seeded Listing"});

    DocFixture f;
    EXPECT_TRUE(f.doc.DocumentCommandEnabled(cmdLogIn));
    EXPECT_FALSE(f.doc.DocumentCommandEnabled(cmdLogOut));
    EXPECT_FALSE(f.doc.DocumentCommandEnabled(cmdLoggedInUserList));

    ASSERT_TRUE(f.LogInAs("admin", "admin", server.Port()));
    EXPECT_TRUE(f.prompts.messages.empty());
    EXPECT_TRUE(f.doc.IsLoggedIn());
    EXPECT_EQ(f.observer.updates, 1);
    EXPECT_NE(FindListedView(f.doc.CaseViews(), "Seeded Open Cases", kScopeAllParents), nullptr);
    EXPECT_TRUE(std::any_of(f.doc.ReportViews().begin(), f.doc.ReportViews().end(),
                            [](const CReportViewParam& view) { return view.name == "Seeded Listing"; }));
    EXPECT_EQ(f.doc.Rights(), 0xFFEAA);
    EXPECT_TRUE(Contains(ParentNames(f.doc), "Atlas Mutual Insurance"));
    EXPECT_FALSE(f.doc.InventoryInfo().regions.empty());
    EXPECT_EQ(f.prompts.waitDepth, 0);
    EXPECT_FALSE(f.doc.DocumentCommandEnabled(cmdLogIn));
    EXPECT_TRUE(f.doc.DocumentCommandEnabled(cmdLogOut));
    EXPECT_TRUE(f.doc.DocumentCommandEnabled(cmdLoggedInUserList));

    // The tree reads the document's own lists.
    const InventoryTreeSource source = f.doc.TreeSource();
    EXPECT_EQ(source.caseViews, &f.doc.CaseViews());
    EXPECT_EQ(source.info, &f.doc.InventoryInfo());

    // The confirmed entries went to the settings file; the password did not.
    const LoginSettings saved = ReadLoginSettings(f.settingsPath);
    EXPECT_EQ(saved.userId, "admin");
    EXPECT_EQ(saved.host, "127.0.0.1");
    EXPECT_EQ(saved.port, server.Port());

    // No changes nothing.
    f.prompts.answers = {false};
    EXPECT_FALSE(f.doc.LogOut());
    ASSERT_EQ(f.prompts.questions.size(), 1u);
    EXPECT_EQ(f.prompts.questions[0].text, QStringLiteral("Are you sure you wish to log out?"));
    EXPECT_TRUE(f.doc.IsLoggedIn());
    EXPECT_FALSE(f.doc.CaseViews().empty());
    EXPECT_EQ(f.observer.updates, 1);

    // Yes closes the session and empties every list at once.
    f.prompts.answers = {true};
    EXPECT_TRUE(f.doc.LogOut());
    EXPECT_FALSE(f.doc.IsLoggedIn());
    ExpectListsEmpty(f.doc);
    EXPECT_EQ(f.observer.updates, 2);
    EXPECT_TRUE(server.WaitForLog("user 'admin' logged out"));
    EXPECT_TRUE(f.prompts.messages.empty());

    // The next log-in of the run offers the password entered before.
    ASSERT_TRUE(f.LogInAs("admin", "admin", server.Port()));
    ASSERT_EQ(f.offeredPasswords.size(), 2u);
    EXPECT_EQ(f.offeredPasswords[0], "");
    EXPECT_EQ(f.offeredPasswords[1], "admin");
}

TEST(DocumentSession, RefusalsAreShownInTheirOwnWordsAndLeaveTheUserLoggedOut)
{
    CServerProcess server({"--demo"});
    ASSERT_TRUE(server.Start());
    DocFixture f;

    struct Attempt {
        std::string user;
        std::string password;
        const char* message;
    };
    for (const Attempt& attempt : {Attempt{"admin", "wrong", "Error opening session: Incorrect password"},
                                   Attempt{"nobody", "nobody", "Error opening session: UserID not found"}}) {
        f.prompts.messages.clear();
        EXPECT_FALSE(f.LogInAs(attempt.user, attempt.password, server.Port()));
        EXPECT_EQ(f.prompts.MessageTexts(), std::vector<QString>{QString::fromLatin1(attempt.message)});
        EXPECT_FALSE(f.doc.IsLoggedIn());
        EXPECT_FALSE(f.doc.Server().IsConnected());
        ExpectListsEmpty(f.doc);
    }

    // The account already has a session elsewhere.
    CInventoryServer other;
    ASSERT_TRUE(LogIn(other, "127.0.0.1", server.Port(), "auditor", "auditor").LoggedIn());
    f.prompts.messages.clear();
    EXPECT_FALSE(f.LogInAs("auditor", "auditor", server.Port()));
    EXPECT_EQ(f.prompts.MessageTexts(),
              std::vector<QString>{QStringLiteral("Error opening session: Account currently in use")});

    // Nothing listens.
    const int port = server.Port();
    server.Stop();
    f.prompts.messages.clear();
    EXPECT_FALSE(f.LogInAs("admin", "admin", port));
    EXPECT_EQ(f.prompts.MessageTexts(), std::vector<QString>{QStringLiteral("Error connecting to server")});
    EXPECT_EQ(f.observer.updates, 0);
    EXPECT_EQ(f.prompts.waitDepth, 0);
}

TEST(DocumentSession, CancellingTheDialogConnectsToNothingAndWritesNothing)
{
    DocFixture f;
    f.cancelLogIn = true;
    EXPECT_FALSE(f.doc.LogIn());
    EXPECT_FALSE(f.doc.Server().IsConnected());
    EXPECT_TRUE(f.prompts.messages.empty());
    EXPECT_FALSE(QFile::exists(f.settingsPath));
}

TEST(DocumentSession, TheConnectionCheckDropsADeadConnectionWithoutAWord)
{
    CServerProcess server({"--demo"});
    ASSERT_TRUE(server.Start());
    DocFixture f;
    ASSERT_TRUE(f.LogInAs("admin", "admin", server.Port()));

    // A live connection stays.
    f.doc.CheckConnection();
    EXPECT_TRUE(f.doc.IsLoggedIn());
    EXPECT_EQ(f.observer.updates, 1);

    server.Stop();
    f.doc.CheckConnection();
    EXPECT_FALSE(f.doc.IsLoggedIn());
    EXPECT_FALSE(f.doc.Server().IsConnected());
    ExpectListsEmpty(f.doc);
    EXPECT_EQ(f.observer.updates, 2);
    EXPECT_TRUE(f.prompts.messages.empty());
    EXPECT_TRUE(f.prompts.questions.empty());

    // Logged out, the check has nothing to do.
    f.doc.CheckConnection();
    EXPECT_EQ(f.observer.updates, 2);
}

TEST(DocumentSession, TheConnectionCheckLeavesAnOperationInProgressAlone)
{
    // The check can come up from the event loop of a dialog that an operation shows;
    // the operation keeps its lists and reports its own failure.
    CServerProcess server({"--demo"});
    ASSERT_TRUE(server.Start());
    SeedViews(server, "admin", {CaseViewDefinition("Seeded Open Cases", kScopeAllParents)});
    DocFixture f;
    ASSERT_TRUE(f.LogInAs("admin", "admin", server.Port()));

    DocumentDialogs dialogs;
    bool stillLoggedIn = false;
    dialogs.editCaseView = [&](CCaseQueryData&, const QString&) {
        server.Stop();
        f.doc.CheckConnection();
        stillLoggedIn = f.doc.IsLoggedIn() && !f.doc.CaseViews().empty();
        return true;
    };
    f.doc.SetDialogs(dialogs);
    EXPECT_FALSE(f.doc.EditCaseView("Seeded Open Cases", kScopeAllParents));
    EXPECT_TRUE(stillLoggedIn);
    EXPECT_EQ(f.prompts.MessageTexts(), std::vector<QString>{QStringLiteral("Error sending case view data to server")});

    // Once the operation is over, the next check drops the connection.
    f.doc.CheckConnection();
    EXPECT_FALSE(f.doc.IsLoggedIn());
}

TEST(DocumentSession, HiddenTreeNodesReloadTheTreeListsAndTwiceRestoreThem)
{
    CServerProcess server({"--demo"});
    ASSERT_TRUE(server.Start());

    // The right to manage parents, children or regions is needed.
    {
        DocFixture auditor;
        ASSERT_TRUE(auditor.LogInAs("auditor", "auditor", server.Port()));
        EXPECT_FALSE(auditor.doc.DocumentCommandEnabled(cmdHiddenTreeNodes));
    }

    DocFixture f;
    EXPECT_FALSE(f.doc.DocumentCommandEnabled(cmdHiddenTreeNodes));
    EXPECT_FALSE(f.doc.ToggleHiddenTreeNodes());  // logged out: nothing to reload
    EXPECT_FALSE(f.doc.ShowHiddenNodes());

    ASSERT_TRUE(f.LogInAs("admin", "admin", server.Port()));
    EXPECT_TRUE(f.doc.DocumentCommandEnabled(cmdHiddenTreeNodes));
    const std::vector<std::string> shown = ParentNames(f.doc);
    EXPECT_FALSE(Contains(shown, "Great Lakes Rating Bureau"));

    EXPECT_TRUE(f.doc.ToggleHiddenTreeNodes());
    EXPECT_TRUE(f.doc.ShowHiddenNodes());
    EXPECT_TRUE(f.doc.DocumentCommandChecked(cmdHiddenTreeNodes));
    EXPECT_TRUE(f.doc.TreeSource().showHiddenNodes);
    EXPECT_TRUE(Contains(ParentNames(f.doc), "Great Lakes Rating Bureau"));
    EXPECT_EQ(f.observer.updates, 2);

    EXPECT_TRUE(f.doc.ToggleHiddenTreeNodes());
    EXPECT_FALSE(f.doc.DocumentCommandChecked(cmdHiddenTreeNodes));
    EXPECT_EQ(ParentNames(f.doc), shown);
    EXPECT_EQ(f.observer.updates, 3);

    // A failed reload empties the tree lists, says so, and keeps the user logged in.
    server.Stop();
    EXPECT_FALSE(f.doc.ToggleHiddenTreeNodes());
    EXPECT_EQ(f.prompts.MessageTexts(),
              std::vector<QString>{QStringLiteral("Failed to load the Tree View Lists from the server")});
    EXPECT_TRUE(f.doc.InventoryInfo().parents.empty());
    EXPECT_TRUE(f.doc.IsLoggedIn());
    EXPECT_EQ(f.observer.updates, 4);
}

TEST(DocumentSession, TheLoggedInUserListShowsTheServersLines)
{
    CServerProcess server({"--demo"});
    ASSERT_TRUE(server.Start());
    CInventoryServer other;
    ASSERT_TRUE(LogIn(other, "127.0.0.1", server.Port(), "auditor", "auditor").LoggedIn());

    DocFixture f;
    ASSERT_TRUE(f.LogInAs("admin", "admin", server.Port()));
    EXPECT_TRUE(f.doc.ShowLoggedInUsers());
    ASSERT_EQ(f.userLines.size(), 2u);
    const auto startsWith = [&](const std::string& prefix) {
        return std::any_of(f.userLines.begin(), f.userLines.end(),
                           [&](const std::string& line) { return line.rfind(prefix, 0) == 0; });
    };
    EXPECT_TRUE(startsWith("admin: "));
    EXPECT_TRUE(startsWith("auditor: "));

    f.userLines.clear();
    server.Stop();
    EXPECT_FALSE(f.doc.ShowLoggedInUsers());
    EXPECT_TRUE(f.userLines.empty());
    EXPECT_EQ(f.prompts.MessageTexts(), std::vector<QString>{QStringLiteral("Error receiving user list from server")});
}

TEST(DocumentSession, ClosingTheDocumentWhileLoggedInClosesTheSession)
{
    CServerProcess server({"--demo"});
    ASSERT_TRUE(server.Start());
    {
        DocFixture f;
        ASSERT_TRUE(f.LogInAs("admin", "admin", server.Port()));
    }
    EXPECT_TRUE(server.WaitForLog("user 'admin' logged out"));
    // The account is free again at once.
    DocFixture again;
    EXPECT_TRUE(again.LogInAs("admin", "admin", server.Port()));
}

TEST(Document, AccessGroupNamesByIndex)
{
    const std::vector<std::string> expected = {"Administrators", "Auditors", "Billers", "Exporters",
                                               "Importers", "Printers", "Reviewers", "Schedulers"};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(COrvennaOCDoc::AccessGroupName(i), expected[static_cast<size_t>(i)]);
    for (int index : {-1, 8, 9, 100})
        EXPECT_EQ(COrvennaOCDoc::AccessGroupName(index), "") << index;
}
