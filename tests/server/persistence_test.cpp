// What the server stores is still there after it restarts, and a database of the
// first schema (login accounts only) is brought up to date with its accounts kept.

#include "codec/binary_object.h"
#include "records/admin_child_user.h"
#include "records/attachment.h"
#include "records/audit_case.h"
#include "records/case_query_data.h"
#include "records/case_view_param.h"
#include "records/inventory_info.h"
#include "records/record_list.h"
#include "server/command_client.h"
#include "server/database.h"
#include "server/password_hash.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

TEST(ServerPersistence, EverythingSurvivesARestart)
{
    CTempDir temp;
    const std::string database = temp.File("inventory.db");
    std::string number;
    std::string caseBytes;
    size_t viewCount = 0;
    {
        CServerProcess server({"--demo"}, database);
        ASSERT_TRUE(server.Start()) << server.Log();
        CCommandClient admin;
        ASSERT_TRUE(admin.LogIn(server.Port(), "admin", "admin"));
        CAuditCase record;
        record.insuredName = "Persistent Co.";
        record.opaqueInt5 = 55;
        record.opaqueAmount = 1.0 / 3.0;
        record.childName = "Demo Auditor";
        record.childGroupCode = 1;
        number = admin.CreateCase(record);
        ASSERT_FALSE(number.empty());
        CAttachment attachment;
        attachment.name = "Notes";
        attachment.kind = "FILE";
        attachment.fileName = "notes.txt";
        CBinaryObject bytes("kept bytes");
        ASSERT_TRUE(admin.Command("SETCASEATTACHMENT") && admin.Text(number) && admin.Record(attachment) &&
                    admin.Record(bytes) && admin.Int(0));
        ASSERT_EQ(admin.Status(), 0);
        ASSERT_EQ(AddChild(admin, "Night Shift", "night", "owl", 7, 0x4000), 0);
        CCaseQueryData view;
        view.name = "Kept view";
        view.scope = 0x8;
        ASSERT_TRUE(admin.Command("SETCASEVIEW") && admin.Int(-1) && admin.Record(view));
        ASSERT_EQ(admin.Status(), 0);
        CRecordList<CCaseViewParam> views;
        ASSERT_TRUE(admin.Command("GETCASEVIEWPARAMSET") && admin.Reply(views));
        viewCount = views.items.size();  // the demo views and this one
        CAuditCase stored;
        ASSERT_TRUE(admin.GetCase(number, stored));
        caseBytes = RecordBytes(stored);
        EXPECT_EQ(server.Stop(), 0) << server.Log();
    }
    // Started again, without --demo: the demo data is not seeded twice, and nothing is lost.
    CServerProcess server({}, database);
    ASSERT_TRUE(server.Start()) << server.Log();
    CCommandClient admin;
    ASSERT_TRUE(admin.LogIn(server.Port(), "admin", "admin"));
    CAuditCase stored;
    ASSERT_TRUE(admin.GetCase(number, stored));
    EXPECT_EQ(RecordBytes(stored), caseBytes);
    CRecordList<CAttachment> attachments;
    ASSERT_TRUE(admin.GetByText("GETCASEATTACHMENTS", number, attachments));
    ASSERT_EQ(attachments.items.size(), 1u);
    CBinaryObject bytes;
    ASSERT_TRUE(admin.Command("GETCASEFILEATTACH") && admin.Text(number) &&
                admin.Int(attachments.items[0].attachmentId) && admin.Reply(bytes));
    EXPECT_EQ(bytes.GetBytes(), "kept bytes");
    CRecordList<CCaseViewParam> views;
    ASSERT_TRUE(admin.Command("GETCASEVIEWPARAMSET") && admin.Reply(views));
    ASSERT_EQ(views.items.size(), viewCount);
    EXPECT_EQ(views.items.back().name, "Kept view");
    CCommandClient night;
    EXPECT_TRUE(night.LogIn(server.Port(), "night", "owl"));
    CInventoryInfo info;
    ASSERT_TRUE(admin.Command("GETINVENTORYINFO") && admin.Int(0) && admin.Reply(info));
    EXPECT_EQ(info.regions.size(), 2u);
}

TEST(ServerPersistence, DemoInventoryIsRichEnoughToTry)
{
    CTempDir temp;
    const std::string database = temp.File("demo.db");
    {
        CServerProcess server({"--demo"}, database);
        ASSERT_TRUE(server.Start()) << server.Log();
        EXPECT_TRUE(server.WaitForLog("demo inventory added: 300 cases"));
        EXPECT_EQ(server.Stop(), 0) << server.Log();
    }
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(database.c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    auto count = [db](const char* sql) {
        sqlite3_stmt* statement = nullptr;
        int64_t value = -1;
        if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK && sqlite3_step(statement) == SQLITE_ROW)
            value = sqlite3_column_int64(statement, 0);
        sqlite3_finalize(statement);
        return value;
    };
    EXPECT_EQ(count("SELECT COUNT(*) FROM Cases;"), 300);
    EXPECT_GE(count("SELECT COUNT(*) FROM Parents;"), 3);
    EXPECT_EQ(count("SELECT COUNT(DISTINCT GroupCode) FROM Children;"), 9) << "every group";
    EXPECT_EQ(count("SELECT COUNT(*) FROM Regions;"), 2);
    EXPECT_GE(count("SELECT COUNT(*) FROM Territories;"), 4);
    EXPECT_GE(count("SELECT COUNT(*) FROM ZipCodes;"), 20);
    for (const char* kind : {"AUDIT", "SURVEY", "FILE"})
        EXPECT_GT(count((std::string("SELECT COUNT(*) FROM Attachments WHERE Kind = '") + kind + "';").c_str()), 0)
            << kind;
    EXPECT_GT(count("SELECT COUNT(*) FROM BillingEntries;"), 20);
    EXPECT_GT(count("SELECT COUNT(*) FROM ProgressReports;"), 100);
    EXPECT_GT(count("SELECT COUNT(DISTINCT ChildGroupCode) FROM Cases;"), 6);
    EXPECT_GT(count("SELECT COUNT(DISTINCT ParentLinkStatus) FROM Cases;"), 3);
    EXPECT_GT(count("SELECT COUNT(*) FROM Cases WHERE ScheduledTime IS NOT NULL;"), 10);
    EXPECT_EQ(count("SELECT COUNT(*) FROM Cases WHERE DefAttachmentID <> 0 AND DefAttachmentID NOT IN"
                    " (SELECT AttachmentID FROM Attachments);"),
              0);
    sqlite3_close(db);
}

TEST(ServerPersistence, FirstSchemaAccountsAreCarriedOver)
{
    CTempDir temp;
    const std::string path = temp.File("old.db");
    {
        // The first schema, as the first server wrote it, with two accounts.
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db,
                               "CREATE TABLE accounts (user_id TEXT NOT NULL PRIMARY KEY COLLATE NOCASE,"
                               " salt BLOB NOT NULL, password_hash BLOB NOT NULL, iterations INTEGER NOT NULL,"
                               " account_name TEXT NOT NULL, kind TEXT NOT NULL, rights INTEGER NOT NULL DEFAULT 0);"
                               "PRAGMA user_version = 1;",
                               nullptr, nullptr, nullptr),
                  SQLITE_OK);
        auto add = [db](const char* userId, const char* name, const char* kind, int rights) {
            PasswordHash hash;
            ASSERT_TRUE(CPasswordHasher::Make(std::string(userId) + "-pw", 1000, hash));
            sqlite3_stmt* insert = nullptr;
            ASSERT_EQ(sqlite3_prepare_v2(db, "INSERT INTO accounts VALUES (?, ?, ?, ?, ?, ?, ?);", -1, &insert, nullptr),
                      SQLITE_OK);
            sqlite3_bind_text(insert, 1, userId, -1, SQLITE_TRANSIENT);
            sqlite3_bind_blob(insert, 2, hash.salt.data(), static_cast<int>(hash.salt.size()), SQLITE_TRANSIENT);
            sqlite3_bind_blob(insert, 3, hash.hash.data(), static_cast<int>(hash.hash.size()), SQLITE_TRANSIENT);
            sqlite3_bind_int(insert, 4, hash.iterations);
            sqlite3_bind_text(insert, 5, name, -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(insert, 6, kind, -1, SQLITE_TRANSIENT);
            sqlite3_bind_int(insert, 7, rights);
            EXPECT_EQ(sqlite3_step(insert), SQLITE_DONE);
            sqlite3_finalize(insert);
        };
        add("boss", "Administrator", "child", 0xFFEAA);
        add("boss2", "Administrator", "child", 0xFFEAA);
        add("sched", "Scheduling Desk", "child", 0xE7410);
        add("office", "Main Office", "parent", 5);
        sqlite3_close(db);
    }
    CServerProcess server({}, path);
    ASSERT_TRUE(server.Start()) << server.Log();
    CCommandClient boss;
    ASSERT_TRUE(boss.LogIn(server.Port(), "boss", "boss-pw"));
    CCommandClient office;
    ASSERT_TRUE(office.LogIn(server.Port(), "office", "office-pw"));
    CAdminChildUser desk;
    ASSERT_TRUE(boss.GetByText("GETCHILDUSER", "Scheduling Desk", desk));
    EXPECT_EQ(desk.group, 7) << "the group follows from the group's default rights";
    EXPECT_EQ(desk.userId, "sched");
    CAdminChildUser second;
    EXPECT_TRUE(boss.GetByText("GETCHILDUSER", "Administrator (boss2)", second)) << "names made unique";
    EXPECT_EQ(server.Stop(), 0) << server.Log();
}
