// Several connection threads on one database at once: readers see whole writes
// only and never fail because another thread is writing.

#include "records/audit_case.h"
#include "server/connection_pool.h"
#include "server/database.h"
#include "server/store/case_store.h"
#include "support/temp_dir.h"
#include "support/test_database.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

namespace {

// The administrator the writers write as.
SessionUser Admin()
{
    SessionUser admin;
    admin.rights = -1;
    admin.name = "admin";
    return admin;
}

// `count` new cases whose insured name and memo are both "v0"; the writers keep them equal.
std::vector<std::string> CasesOfEqualNameAndMemo(CCaseStore& cases, int count)
{
    std::vector<std::string> numbers;
    for (int i = 0; i < count; ++i) {
        CAuditCase record;
        record.insuredName = record.memo = "v0";
        numbers.push_back(cases.Create(Admin(), record));
    }
    return numbers;
}

}  // namespace

TEST(ConcurrentStore, ReadersRunBesideOneWriterAndSeeWholeWrites)
{
    CTempDir temp;
    CTestDatabase target(temp.File("inventory.db"));
    CDatabase database;
    std::string error;
    ASSERT_TRUE(database.Open(target.Target(), error)) << error;
    CCaseStore cases(database);
    const SessionUser admin = Admin();

    // The writer keeps the insured name and the memo of each case equal, in one write.
    const std::vector<std::string> numbers = CasesOfEqualNameAndMemo(cases, 4);
    for (const std::string& number : numbers)
        ASSERT_FALSE(number.empty());

    constexpr int kReaders = 8;
    constexpr int kWrites = 60;
    std::atomic<bool> writing{true};
    std::atomic<int> failures{0}, torn{0}, reads{0};
    std::vector<std::thread> readers;
    for (int r = 0; r < kReaders; ++r)
        readers.emplace_back([&, r] {
            // At least a few reads each, and on until the writer is done.
            for (int n = 0; writing || n < 5; ++n) {
                CAuditCase record;
                if (!cases.Get(admin, numbers[static_cast<size_t>(n + r) % numbers.size()], record))
                    ++failures;
                else if (record.insuredName != record.memo)
                    ++torn;
                ++reads;
            }
        });
    std::thread writer([&] {
        for (int w = 1; w <= kWrites; ++w) {
            CAuditCase record;
            if (!cases.Get(admin, numbers[static_cast<size_t>(w) % numbers.size()], record)) {
                ++failures;
                continue;
            }
            record.insuredName = record.memo = "v" + std::to_string(w);
            if (cases.Update(admin, record.caseNumber, record) != 0)
                ++failures;
        }
        writing = false;
    });
    writer.join();
    for (std::thread& reader : readers)
        reader.join();

    EXPECT_EQ(failures, 0);
    EXPECT_EQ(torn, 0);
    EXPECT_GE(reads, kReaders * 5);
    CAuditCase last;
    ASSERT_TRUE(cases.Get(admin, numbers[kWrites % numbers.size()], last));
    EXPECT_EQ(last.insuredName, "v" + std::to_string(kWrites));
}

// Connection threads that share a pool of two database connections, a command (scope)
// at a time: every command gets one of the two, for the whole command, and sees whole
// writes of the others.
TEST(ConcurrentStore, ThreadsShareAPoolOfConnectionsACommandAtATime)
{
    CTempDir temp;
    CDatabase database;
    std::string error;
    ASSERT_TRUE(database.Open(temp.File("inventory.db"), error)) << error;
    CCaseStore cases(database);
    const SessionUser admin = Admin();
    const std::vector<std::string> numbers = CasesOfEqualNameAndMemo(cases, 3);
    for (const std::string& number : numbers)
        ASSERT_FALSE(number.empty());

    CConnectionPool pool(database, 2);
    std::mutex mutex;
    std::set<const CThreadConnection*> used;
    std::atomic<int> failures{0}, torn{0}, moved{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t)
        threads.emplace_back([&, t] {
            for (int n = 0; n < 30; ++n) {
                const CConnectionPool::Scope command(&pool);
                const std::string& number = numbers[static_cast<size_t>(t + n) % numbers.size()];
                CAuditCase record;
                if (!cases.Get(admin, number, record)) {
                    ++failures;
                    continue;
                }
                const CThreadConnection* connection = &database.Connection();
                {
                    const CConnectionPool::Scope inner(&pool);
                    moved += &database.Connection() == connection ? 0 : 1;
                }
                if (record.insuredName != record.memo)
                    ++torn;
                if (n % 3 == 0) {
                    record.insuredName = record.memo = "t" + std::to_string(t) + "-" + std::to_string(n);
                    if (cases.Update(admin, number, record) != 0)
                        ++failures;
                }
                moved += &database.Connection() == connection ? 0 : 1;
                std::lock_guard<std::mutex> lock(mutex);
                used.insert(connection);
            }
        });
    for (std::thread& thread : threads)
        thread.join();

    EXPECT_EQ(failures, 0);
    EXPECT_EQ(torn, 0);
    EXPECT_EQ(moved, 0);
    EXPECT_LE(used.size(), 2u);
    // Outside a scope a thread keeps using a connection of its own.
    EXPECT_EQ(used.count(&database.Connection()), 0u);

    // A command that has read what it needs gives its connection back early: another
    // command gets that very connection while the first one's scope still lives, and
    // the first takes one again for its next statement.
    CConnectionPool single(database, 1);
    const CConnectionPool::Scope first(&single);
    CAuditCase record;
    ASSERT_TRUE(cases.Get(admin, numbers[0], record));
    const CThreadConnection* held = &database.Connection();
    CConnectionPool::GiveBackEarly(database);
    const CThreadConnection* other = nullptr;
    std::thread([&] {
        const CConnectionPool::Scope second(&single);
        CAuditCase mine;
        EXPECT_TRUE(cases.Get(admin, numbers[1], mine));
        other = &database.Connection();
    }).join();
    EXPECT_EQ(other, held);
    EXPECT_TRUE(cases.Get(admin, numbers[2], record));
    EXPECT_EQ(&database.Connection(), held);
}
