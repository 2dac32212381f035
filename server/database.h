#pragma once
// The server's SQLite database: one connection shared by the connection threads (each
// operation takes the lock), WAL journal, and a schema brought up to date on open.

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

struct sqlite3;
struct sqlite3_stmt;

class CStatement {
public:
    CStatement(sqlite3* db, const std::string& sql);
    ~CStatement();
    CStatement(const CStatement&) = delete;
    CStatement& operator=(const CStatement&) = delete;

    bool IsValid() const { return m_statement != nullptr; }

    // Parameters count from 1. Texts and blobs are bound by copy, byte for byte.
    void BindText(int index, const std::string& text);
    void BindBlob(int index, const std::string& bytes);
    void BindInt(int index, int64_t value);
    void BindDouble(int index, double value);
    void BindNull(int index);

    // True while a row is available; Done() tells a clean end from an error afterwards.
    bool Step();
    bool Done() const { return m_done; }

    std::string ColumnText(int index) const;
    std::string ColumnBlob(int index) const;
    int64_t ColumnInt(int index) const;
    double ColumnDouble(int index) const;
    bool ColumnIsNull(int index) const;
    // True when the column holds a text (as opposed to a number, a blob or NULL).
    bool ColumnIsText(int index) const;

    // Makes the statement ready to run again: rewinds it and clears its parameters.
    void Reset();

private:
    sqlite3_stmt* m_statement = nullptr;
    bool m_done = false;
};

// A statement from the database's cache, rewound and cleared when the handle goes.
class CCachedStatement {
public:
    explicit CCachedStatement(CStatement& statement) : m_statement(statement) {}
    ~CCachedStatement() { m_statement.Reset(); }
    CCachedStatement(const CCachedStatement&) = delete;
    CCachedStatement& operator=(const CCachedStatement&) = delete;

    CStatement* operator->() { return &m_statement; }
    CStatement& operator*() { return m_statement; }

private:
    CStatement& m_statement;
};

class CDatabase {
public:
    // The schema version this build writes (PRAGMA user_version).
    static constexpr int kSchemaVersion = 2;

    CDatabase() = default;
    ~CDatabase();
    CDatabase(const CDatabase&) = delete;
    CDatabase& operator=(const CDatabase&) = delete;

    // Opens or creates the file and brings its schema to kSchemaVersion. A database
    // from a newer build is refused.
    bool Open(const std::string& path, std::string& error);

    // Runs statements without results; false (with the error text) on failure.
    bool Execute(const std::string& sql, std::string& error);

    sqlite3* Handle() const { return m_db; }
    std::mutex& Mutex() { return m_mutex; }

    // A prepared statement kept for the life of the database, rewound and cleared. The
    // caller holds the lock; the statement is invalid (IsValid false) when the text does
    // not compile. Two handles of one text share the statement: use one at a time.
    CCachedStatement Prepare(const std::string& sql);
    std::string LastError() const;
    // Rows changed by the last INSERT, UPDATE or DELETE.
    int Changes() const;
    // The row id given by the last INSERT.
    int64_t LastInsertId() const;

private:
    bool Migrate(std::string& error);

    sqlite3* m_db = nullptr;
    std::mutex m_mutex;
    std::unordered_map<std::string, std::unique_ptr<CStatement>> m_statements;
};

// Runs one statement with the texts bound in order; false when it failed.
bool RunWithTexts(CDatabase& db, const std::string& sql, std::initializer_list<std::string> texts);
// True when the query, with the texts bound in order, yields a row.
bool AnyRowWithTexts(CDatabase& db, const std::string& sql, std::initializer_list<std::string> texts);

// The database lock and one write transaction (BEGIN IMMEDIATE) for as long as the
// object lives. Without Commit() everything done under it is rolled back.
class CTransaction {
public:
    explicit CTransaction(CDatabase& database);
    ~CTransaction();
    CTransaction(const CTransaction&) = delete;
    CTransaction& operator=(const CTransaction&) = delete;

    // False when the transaction could not be started (the database is then untouched).
    bool IsOpen() const { return m_open; }
    bool Commit();

private:
    CDatabase& m_database;
    std::lock_guard<std::mutex> m_lock;
    bool m_open = false;
};
