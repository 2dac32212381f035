#pragma once
// The server's database: SQLite (a file) or PostgreSQL (a connection URI). Every thread
// that uses it gets a connection of its own, so reads run side by side; writers are
// serialised by the database itself (write transactions wait for each other). The
// schema is brought up to date on open.

#include "server/db/db_connection.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <utility>

class CDatabase;
class CThreadConnection;

class CStatement {
public:
    // A statement of its own (not cached) on the calling thread's connection.
    CStatement(CDatabase& database, const std::string& sql);
    explicit CStatement(std::unique_ptr<CDbStatement> statement) : m_statement(std::move(statement)) {}
    CStatement(const CStatement&) = delete;
    CStatement& operator=(const CStatement&) = delete;

    bool IsValid() const { return m_statement && m_statement->IsValid(); }
    // The database the statement runs on (null for a statement made from an engine's own).
    CDatabase* Database() const { return m_database; }
    void SetDatabase(CDatabase* database) { m_database = database; }

    // Parameters count from 1. Texts and blobs are bound by copy, byte for byte.
    // Binding to a statement that did not compile does nothing.
    void BindText(int index, const std::string& text) { if (IsValid()) m_statement->BindText(index, text); }
    void BindBlob(int index, const std::string& bytes) { if (IsValid()) m_statement->BindBlob(index, bytes); }
    void BindInt(int index, int64_t value) { if (IsValid()) m_statement->BindInt(index, value); }
    void BindDouble(int index, double value) { if (IsValid()) m_statement->BindDouble(index, value); }
    void BindNull(int index) { if (IsValid()) m_statement->BindNull(index); }

    // True while a row is available; Done() tells a clean end from an error afterwards.
    bool Step() { return IsValid() && m_statement->Step(); }
    bool Done() const { return IsValid() && m_statement->Done(); }

    // Columns count from 0; read only while a row is available.
    std::string ColumnText(int index) const { return m_statement->ColumnText(index); }
    std::string ColumnBlob(int index) const { return m_statement->ColumnBlob(index); }
    int64_t ColumnInt(int index) const { return m_statement->ColumnInt(index); }
    double ColumnDouble(int index) const { return m_statement->ColumnDouble(index); }
    bool ColumnIsNull(int index) const { return m_statement->ColumnIsNull(index); }
    // True when the column holds a text (as opposed to a number, a blob or NULL).
    bool ColumnIsText(int index) const { return m_statement->ColumnIsText(index); }

    // Makes the statement ready to run again: rewinds it and clears its parameters.
    void Reset()
    {
        if (IsValid())
            m_statement->Reset();
    }

private:
    std::unique_ptr<CDbStatement> m_statement;
    CDatabase* m_database = nullptr;
};

// A statement from the connection's cache, rewound and cleared when the handle goes.
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
    // The schema version this build writes.
    static constexpr int kSchemaVersion = 3;

    CDatabase();
    ~CDatabase();
    CDatabase(const CDatabase&) = delete;
    CDatabase& operator=(const CDatabase&) = delete;

    // Opens the database and brings its schema to kSchemaVersion: a PostgreSQL database
    // when the target is a postgresql:// (or postgres://) URI, else the SQLite file of
    // that path, created when missing. A database from a newer build is refused.
    bool Open(const std::string& target, std::string& error);

    SqlDialect Dialect() const { return m_dialect; }
    // The SQLite file, empty for PostgreSQL and for an in-memory database.
    const std::string& FilePath() const { return m_filePath; }

    // Runs statements without results; false (with the error text) on failure.
    bool Execute(const std::string& sql, std::string& error);

    // A prepared statement of the calling thread's connection, kept for the life of the
    // connection, rewound and cleared. The statement is invalid (IsValid false) when the
    // text does not compile. Two handles of one text share the statement: use one at a
    // time.
    CCachedStatement Prepare(const std::string& sql);
    std::string LastError();
    // Rows changed by the calling thread's last INSERT, UPDATE or DELETE.
    int Changes();
    // The row id given by the calling thread's last INSERT.
    int64_t LastInsertId();

    // Dates that PostgreSQL's date columns cannot hold as day counts (an invalid date, a
    // valid one that is not an ordinary number) are kept whole in a table of their own and
    // the column holds their number there (see column_map.h). OddDateNumber finds or adds
    // one, 0 on failure; OddDate reads one back, false when the number is unknown.
    int64_t OddDateNumber(int32_t status, int64_t bits);
    bool OddDate(int64_t number, int32_t& status, int64_t& bits);

    // The calling thread's connection (opened on first use), or the one it holds from
    // a connection pool's scope.
    CThreadConnection& Connection();
    // A connection of its own, for a connection pool.
    std::unique_ptr<CThreadConnection> NewConnection();
    // Closes the connection of a thread that ends.
    void ReleaseThread(std::thread::id thread);

private:
    bool Migrate(CThreadConnection& connection, std::string& error);
    std::unique_ptr<CDbConnection> Connect(std::string& error) const;

    SqlDialect m_dialect = SqlDialect::sqlite;
    std::string m_target;
    std::string m_filePath;
    std::mutex m_connectionsMutex;
    std::unordered_map<std::thread::id, std::unique_ptr<CThreadConnection>> m_connections;
    // Odd dates read so far; a number, once given, always names the same date.
    std::mutex m_oddDatesMutex;
    std::unordered_map<int64_t, std::pair<int32_t, int64_t>> m_oddDates;
};

// One thread's connection with its statement cache and its transaction state.
class CThreadConnection {
public:
    using Connector = std::function<std::unique_ptr<CDbConnection>(std::string& error)>;
    // Connects at once; when the database cannot be reached, every use fails until a
    // later use finds it back.
    CThreadConnection(SqlDialect dialect, Connector connect, std::unique_ptr<CDbConnection> connection = nullptr);

    ~CThreadConnection();
    CThreadConnection(const CThreadConnection&) = delete;
    CThreadConnection& operator=(const CThreadConnection&) = delete;

    CDbConnection& Link() { return *m_connection; }
    // The cached statement of the text; reconnects first when the link was lost and no
    // transaction is open.
    CStatement& Statement(const std::string& sql);
    bool Execute(const std::string& sql, std::string& error);

    // Nesting depth of the open transaction (0: none).
    int depth = 0;

private:
    void ReconnectIfLost();

    Connector m_connect;
    std::unique_ptr<CDbConnection> m_connection;
    std::unordered_map<std::string, std::unique_ptr<CStatement>> m_statements;
};

// Runs one statement with the texts bound in order; false when it failed.
bool RunWithTexts(CDatabase& db, const std::string& sql, std::initializer_list<std::string> texts);
// True when the query, with the texts bound in order, yields a row.
bool AnyRowWithTexts(CDatabase& db, const std::string& sql, std::initializer_list<std::string> texts);

// One write transaction on the calling thread's connection for as long as the object
// lives; other writers wait until it ends. Without Commit() everything done under it is
// rolled back.
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
    CThreadConnection& m_connection;
    bool m_open = false;
};

// Several reads that see one state of the database, whatever other connections write
// meanwhile. Inside a transaction that is already open it does nothing.
class CReadTransaction {
public:
    explicit CReadTransaction(CDatabase& database);
    ~CReadTransaction();
    CReadTransaction(const CReadTransaction&) = delete;
    CReadTransaction& operator=(const CReadTransaction&) = delete;

private:
    CThreadConnection& m_connection;
    bool m_open = false;
};
