// The store's rules that need no server: dates and carried amounts kept bit for bit in
// their columns, the billing default that applies to a case, billed amounts, and the
// parent host names that SYNCPARENT reads.

#include "records/audit_case.h"
#include "records/billing_def.h"
#include "records/billing_entry.h"
#include "server/database.h"
#include "server/parent_sync.h"
#include "server/store/column_map.h"
#include "server/store/detail_store.h"
#include "server/store/parent_secrets.h"
#include "server/store/server_time.h"
#include "support/temp_dir.h"
#include "support/test_database.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(StoreColumns, DatesAndCarriedAmountsComeBackBitForBit)
{
    CTempDir temp;
    CTestDatabase target(temp.File("columns.db"));
    CDatabase database;
    std::string error;
    ASSERT_TRUE(database.Open(target.Target(), error)) << error;
    ASSERT_TRUE(database.Execute(Sql::SchemaText(database.Dialect(), "CREATE TABLE t (k INTEGER, d REAL, a INTEGER);"),
                                 error))
        << error;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double huge = std::ldexp(1.0, 1000);  // where PostgreSQL keeps odd dates
    const CDateTime dates[] = {
        {CDateTime::valid, 0.0},          {CDateTime::valid, -0.0},  {CDateTime::valid, 45000.123456789},
        {CDateTime::valid, -693593.5},    {CDateTime::null, 0.0},    {CDateTime::null, 7.5},
        {CDateTime::invalid, 0.0},        {CDateTime::invalid, 1e300}, {CDateTime::valid, nan},
        {CDateTime::valid, std::numeric_limits<double>::infinity()}, {17, 2.0},
        {CDateTime::valid, huge},         {CDateTime::valid, huge * 1.5}, {CDateTime::valid, -huge},
    };
    for (const CDateTime& date : dates) {
        for (const double amount : {0.0, -0.0, nan, 1.0 / 3.0, -1e-310}) {
            CCachedStatement clear = database.Prepare("DELETE FROM t;");
            clear->Step();
            CCachedStatement insert = database.Prepare("INSERT INTO t (d, a) VALUES (?, ?);");
            BindDate(*insert, 1, date);
            insert->BindInt(2, DoubleBits(amount));
            ASSERT_FALSE(insert->Step());
            ASSERT_TRUE(insert->Done()) << database.LastError();
            CCachedStatement select = database.Prepare("SELECT d, a FROM t;");
            ASSERT_TRUE(select->Step());
            const CDateTime back = ReadDate(*select, 0);
            EXPECT_TRUE(SameValue(back, date)) << date.status << " " << date.date;
            EXPECT_TRUE(SameValue(DoubleFromBits(select->ColumnInt(1)), amount));
        }
    }
    // A valid date is a plain number that queries compare; no date sorts first and a
    // date that is not a plain day count last.
    CCachedStatement clear = database.Prepare("DELETE FROM t;");
    clear->Step();
    const CDateTime sorted[] = {{CDateTime::null, 0.0}, {CDateTime::valid, -2.0}, {CDateTime::valid, 45000.5},
                                {CDateTime::invalid, 3.0}};
    for (int k : {2, 0, 3, 1}) {
        CCachedStatement insert = database.Prepare("INSERT INTO t (k, d) VALUES (?, ?);");
        insert->BindInt(1, k);
        BindDate(*insert, 2, sorted[k]);
        insert->Step();
    }
    CCachedStatement compare = database.Prepare("SELECT COUNT(*) FROM t WHERE d > 45000 AND d < 45001;");
    ASSERT_TRUE(compare->Step());
    EXPECT_EQ(compare->ColumnInt(0), 1);
    CCachedStatement order = database.Prepare("SELECT k FROM t ORDER BY d ASC NULLS FIRST;");
    for (int k = 0; k < 4; ++k) {
        ASSERT_TRUE(order->Step());
        EXPECT_EQ(order->ColumnInt(0), k);
    }
}

// The key that seals parents' connection passwords outlives the server: beside a SQLite
// file, inside a PostgreSQL database (where no file is).
TEST(StoreRules, ParentsConnectionPasswordsOutliveTheServer)
{
    CTempDir temp;
    CTestDatabase target(temp.File("secrets.db"));
    std::string error;
    {
        CDatabase database;
        ASSERT_TRUE(database.Open(target.Target(), error)) << error;
        ASSERT_TRUE(database.Execute("INSERT INTO Parents (Name) VALUES ('Harbor');", error)) << error;
        CCachedStatement id = database.Prepare("SELECT ParentID FROM Parents WHERE Name = 'Harbor';");
        ASSERT_TRUE(id->Step());
        CTransaction transaction(database);
        ASSERT_TRUE(CParentSecrets::Store(database, id->ColumnInt(0), "pw \xE9"));
        ASSERT_TRUE(transaction.Commit());
    }
    CDatabase reopened;
    ASSERT_TRUE(reopened.Open(target.Target(), error)) << error;
    EXPECT_EQ(CParentSecrets::Find(reopened, "Harbor"), std::optional<std::string>("pw \xE9"));
    if (reopened.Dialect() == SqlDialect::postgresql) {
        CCachedStatement keys = reopened.Prepare("SELECT COUNT(*) FROM ServerKeys;");
        ASSERT_TRUE(keys->Step());
        EXPECT_EQ(keys->ColumnInt(0), 1) << "the key is kept where every server finds it";
    }
}

TEST(StoreRules, TheMostSpecificMatchingBillingDefaultApplies)
{
    CAuditCase record;
    record.auditSource = 1;
    record.auditType = 2;
    record.policyType = "General Liability";
    record.policyCode = 5551;
    record.nonProductive = true;

    auto row = [](int32_t source, int32_t type, const char* policy, int32_t code, int32_t nonProductive,
                  const char* description) {
        CBillingDef def;
        def.auditSource = source;
        def.auditType = type;
        def.policyType = policy;
        def.policyCode = code;
        def.nonProductive = nonProductive;
        def.description = description;
        return def;
    };
    std::vector<CBillingDef> rows = {
        row(-1, -1, "", -1, 2, "anything"),
        row(1, -1, "", -1, 0, "telephone, productive only"),
        row(1, -1, "general liability", -1, 2, "telephone GL"),
        row(-1, 2, "GENERAL LIABILITY", -1, 2, "interim GL"),
        row(1, 2, "", 9999, 1, "wrong code"),
    };
    const CBillingDef* match = MatchBillingDefault(rows, record);
    ASSERT_NE(match, nullptr);
    EXPECT_STREQ(match->description.c_str(), "telephone GL") << "two criteria, first of the tie";
    rows.push_back(row(1, 2, "", 5551, 1, "all four"));
    EXPECT_EQ(MatchBillingDefault(rows, record)->description, "all four");
    record.auditSource = 3;
    record.auditType = 0;
    record.policyType = "Dealer";
    EXPECT_EQ(MatchBillingDefault(rows, record)->description, "anything");
    rows.erase(rows.begin());
    EXPECT_EQ(MatchBillingDefault(rows, record), nullptr);
    EXPECT_EQ(MatchBillingDefault({}, record), nullptr);
}

TEST(StoreRules, BilledAmountsRoundHalvesAwayFromZero)
{
    CBillingEntry entry;
    entry.kind = CBillingEntry::hourly;
    entry.billedHours = 0.5;
    entry.firstHourRate = 80;
    entry.discountPercent = 10;
    EXPECT_DOUBLE_EQ(BilledAmount(entry, false), 36.0);
    entry.billedHours = 2.5;
    entry.additionalHoursRate = 60;
    entry.discountPercent = 0;
    EXPECT_DOUBLE_EQ(BilledAmount(entry, false), 170.0);
    EXPECT_DOUBLE_EQ(BilledAmount(entry, true), -170.0) << "paying a child";
    entry.kind = CBillingEntry::flat;
    entry.firstHourRate = 0.125;
    EXPECT_DOUBLE_EQ(BilledAmount(entry, false), 0.13);
    entry.firstHourRate = -0.125;
    EXPECT_DOUBLE_EQ(BilledAmount(entry, false), -0.13);
}

TEST(StoreRules, ParentHostNames)
{
    std::string host;
    int port = 0;
    ASSERT_TRUE(ParseParentHost("parent.example", host, port));
    EXPECT_EQ(host, "parent.example");
    EXPECT_EQ(port, 9000);
    ASSERT_TRUE(ParseParentHost("10.1.2.3:9100", host, port));
    EXPECT_EQ(host, "10.1.2.3");
    EXPECT_EQ(port, 9100);
    EXPECT_FALSE(ParseParentHost("host:0", host, port));
    EXPECT_FALSE(ParseParentHost("host:65536", host, port));
    EXPECT_FALSE(ParseParentHost("host:12ab", host, port));
    EXPECT_FALSE(ParseParentHost("host:", host, port));
}

TEST(StoreRules, DayNumbersOfTheCalendar)
{
    EXPECT_EQ(DayNumber(1899, 12, 30), 0.0);
    EXPECT_EQ(DayNumber(1900, 1, 1), 2.0);
    EXPECT_EQ(DayNumber(2024, 1, 1), 45292.0);
    EXPECT_EQ(DayNumber(2024, 12, 31), 45657.0);
    const CDateTime now = NowDate();
    EXPECT_TRUE(now.IsValid());
    EXPECT_GT(now.date, 45292.0);
}
