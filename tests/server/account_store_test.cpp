// The account store over a real database file: hashing, lookups, the schema on a new
// file and what survives a reopen.

#include "server/account_store.h"
#include "server/admin_account.h"
#include "server/database.h"
#include "server/password_hash.h"
#include "support/temp_dir.h"
#include "support/test_database.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

constexpr int kCheapIterations = 1000;

}  // namespace

TEST(PasswordHash, SaltsDifferAndOnlyTheRightPasswordMatches)
{
    PasswordHash first;
    PasswordHash second;
    ASSERT_TRUE(CPasswordHasher::Make("secret", kCheapIterations, first));
    ASSERT_TRUE(CPasswordHasher::Make("secret", kCheapIterations, second));
    EXPECT_NE(first.salt, second.salt);
    EXPECT_NE(first.hash, second.hash);
    EXPECT_EQ(first.hash.find("secret"), std::string::npos);

    EXPECT_TRUE(CPasswordHasher::Matches("secret", first));
    EXPECT_FALSE(CPasswordHasher::Matches("Secret", first));
    EXPECT_FALSE(CPasswordHasher::Matches("", first));
    PasswordHash damaged = first;
    damaged.hash.pop_back();
    EXPECT_FALSE(CPasswordHasher::Matches("secret", damaged));
    damaged = first;
    damaged.iterations = 0;
    EXPECT_FALSE(CPasswordHasher::Matches("secret", damaged));
}

TEST(AccountStore, AddCheckAndReopen)
{
    CTempDir temp;
    CTestDatabase target(temp.File("accounts.db"));
    const std::string& path = target.Target();
    {
        CDatabase database;
        std::string error;
        ASSERT_TRUE(database.Open(path, error)) << error;
        CAccountStore accounts(database);
        EXPECT_EQ(accounts.Count(), 0);

        ASSERT_TRUE(accounts.Add({"Alice", "Alice A.", AccountKind::parent, 5}, "pw1", kCheapIterations, error));
        EXPECT_FALSE(accounts.Add({"alice", "Other", AccountKind::child, 0}, "pw2", kCheapIterations, error))
            << "user ids are unique without regard to case";
        EXPECT_FALSE(accounts.Add({"", "Nobody", AccountKind::child, 0}, "pw", kCheapIterations, error));

        AccountInfo found;
        EXPECT_EQ(accounts.Check("ALICE", "pw1", &found), LoginCheck::ok);
        EXPECT_EQ(found.userId, "Alice") << "the stored spelling names the account";
        EXPECT_EQ(found.accountName, "Alice A.");
        EXPECT_EQ(found.kind, AccountKind::parent);
        EXPECT_EQ(found.rights, 5);
        EXPECT_EQ(accounts.Check("Alice", "pw2"), LoginCheck::wrongPassword);
        EXPECT_EQ(accounts.Check("Bob", "pw1"), LoginCheck::unknownUser);
        // Bytes of any value are kept as they are.
        const std::string odd("o\x00\xff'; DROP TABLE accounts; --", 30);
        ASSERT_TRUE(accounts.Add({odd, "Odd", AccountKind::child, 0}, "pw3", kCheapIterations, error)) << error;
        EXPECT_EQ(accounts.Check(odd, "pw3"), LoginCheck::ok);
    }
    CDatabase reopened;
    std::string error;
    ASSERT_TRUE(reopened.Open(path, error)) << error;
    CAccountStore accounts(reopened);
    EXPECT_EQ(accounts.Count(), 2);
    EXPECT_EQ(accounts.Check("alice", "pw1"), LoginCheck::ok);
}

TEST(AccountStore, DatabaseFromANewerServerIsRefused)
{
    CTempDir temp;
    CTestDatabase target(temp.File("newer.db"));
    const std::string& path = target.Target();
    std::string error;
    {
        CDatabase database;
        ASSERT_TRUE(database.Open(path, error)) << error;
        ASSERT_TRUE(database.Execute(database.Dialect() == SqlDialect::postgresql
                                         ? "UPDATE SchemaVersion SET Version = 99;"
                                         : "PRAGMA user_version = 99;",
                                     error))
            << error;
    }
    CDatabase database;
    EXPECT_FALSE(database.Open(path, error));
    EXPECT_NE(error.find("newer"), std::string::npos) << error;
}

TEST(AdminAccount, PasswordLineFromStandardInput)
{
    auto read = [](const std::string& text, std::string& password) {
        std::FILE* in = std::tmpfile();
        std::fwrite(text.data(), 1, text.size(), in);
        std::rewind(in);
        const bool ok = ReadPasswordLine(in, password);
        std::fclose(in);
        return ok;
    };
    std::string password;
    EXPECT_TRUE(read("s3cret\r\nignored\n", password));
    EXPECT_EQ(password, "s3cret");
    EXPECT_TRUE(read("no line end", password));
    EXPECT_EQ(password, "no line end");
    EXPECT_FALSE(read("", password));
    EXPECT_FALSE(read(std::string(kMaxPasswordLength + 1, 'x') + "\n", password));

    CTempDir temp;
    CDatabase database;
    std::string error;
    ASSERT_TRUE(database.Open(temp.File("admin.db"), error));
    CAccountStore accounts(database);
    EXPECT_FALSE(AddAdministrator(accounts, "root", "", kCheapIterations, error)) << "empty password";
    ASSERT_TRUE(AddAdministrator(accounts, "root", "pw", kCheapIterations, error)) << error;
    AccountInfo root;
    ASSERT_EQ(accounts.Check("root", "pw", &root), LoginCheck::ok);
    EXPECT_NE(root.rights, 0);
}
