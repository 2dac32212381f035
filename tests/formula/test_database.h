#pragma once
// An in-memory SQLite database for running compiled formulas against real rows.

#include "server/query/compiled_formula.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct sqlite3;

class TestDatabase {
public:
    TestDatabase();
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    // Runs statements without results; fails the test on an error.
    void Execute(const std::string& sql);

    // Runs the query with the values bound to ?1, ?2, ... in order and returns the first
    // column of every row as an integer. error receives SQLite's message when the
    // statement does not prepare or run; the result is then empty.
    std::vector<int64_t> Ids(const std::string& sql, const std::vector<SqlValue>& values, std::string& error);

    // Inserts one row; nullopt stores NULL.
    using Cell = std::optional<SqlValue>;
    void Insert(const std::string& table, const std::vector<Cell>& cells);

private:
    sqlite3* m_db = nullptr;
};
