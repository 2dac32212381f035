#include "test_database.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <variant>

namespace {

bool Bind(sqlite3_stmt* statement, int index, const std::optional<SqlValue>& value)
{
    if (!value)
        return sqlite3_bind_null(statement, index) == SQLITE_OK;
    if (const auto* number = std::get_if<int64_t>(&*value))
        return sqlite3_bind_int64(statement, index, *number) == SQLITE_OK;
    const std::string& text = std::get<std::string>(*value);
    return sqlite3_bind_text(statement, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT) ==
           SQLITE_OK;
}

}  // namespace

TestDatabase::TestDatabase()
{
    if (sqlite3_open(":memory:", &m_db) != SQLITE_OK)
        ADD_FAILURE() << "cannot open an in-memory database";
}

TestDatabase::~TestDatabase()
{
    sqlite3_close(m_db);
}

void TestDatabase::Execute(const std::string& sql)
{
    char* message = nullptr;
    if (sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK)
        ADD_FAILURE() << sql << ": " << (message ? message : "?");
    sqlite3_free(message);
}

std::vector<int64_t> TestDatabase::Ids(const std::string& sql, const std::vector<SqlValue>& values,
                                       std::string& error)
{
    std::vector<int64_t> ids;
    error.clear();
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(m_db, sql.c_str(), static_cast<int>(sql.size()), &statement, nullptr) != SQLITE_OK) {
        error = sqlite3_errmsg(m_db);
        sqlite3_finalize(statement);
        return ids;
    }
    for (size_t i = 0; i < values.size(); ++i)
        if (!Bind(statement, static_cast<int>(i + 1), values[i]))
            error = sqlite3_errmsg(m_db);
    int step = SQLITE_ROW;
    while (error.empty() && (step = sqlite3_step(statement)) == SQLITE_ROW)
        ids.push_back(sqlite3_column_int64(statement, 0));
    if (error.empty() && step != SQLITE_DONE)
        error = sqlite3_errmsg(m_db);
    sqlite3_finalize(statement);
    if (!error.empty())
        ids.clear();
    return ids;
}

void TestDatabase::Insert(const std::string& table, const std::vector<Cell>& cells)
{
    std::string sql = "INSERT INTO " + table + " VALUES (";
    for (size_t i = 0; i < cells.size(); ++i)
        sql += i == 0 ? "?" : ", ?";
    sql += ")";
    sqlite3_stmt* statement = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(m_db, sql.c_str(), -1, &statement, nullptr), SQLITE_OK) << sqlite3_errmsg(m_db);
    for (size_t i = 0; i < cells.size(); ++i)
        EXPECT_TRUE(Bind(statement, static_cast<int>(i + 1), cells[i]));
    EXPECT_EQ(sqlite3_step(statement), SQLITE_DONE) << sqlite3_errmsg(m_db);
    sqlite3_finalize(statement);
}
