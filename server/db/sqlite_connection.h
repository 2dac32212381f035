#pragma once
// One SQLite connection: WAL journal, foreign keys on, and a busy time-out so that
// writers from other connections wait their turn instead of failing.

#include "server/db/db_connection.h"

struct sqlite3;

class CSqliteConnection : public CDbConnection {
public:
    // Opens (or creates) the file; nullptr with the reason on failure.
    static std::unique_ptr<CSqliteConnection> Open(const std::string& path, std::string& error);
    ~CSqliteConnection() override;

    SqlDialect Dialect() const override { return SqlDialect::sqlite; }
    std::unique_ptr<CDbStatement> Prepare(const std::string& sql) override;
    bool Execute(const std::string& sql, std::string& error) override;
    std::string LastError() const override;
    int Changes() const override;
    int64_t LastInsertId() override;
    const char* BeginWrite() const override { return "BEGIN IMMEDIATE;"; }
    const char* BeginRead() const override { return "BEGIN;"; }

    // The file the connection has open.
    std::string FileName() const;

private:
    explicit CSqliteConnection(sqlite3* db) : m_db(db) {}
    sqlite3* m_db = nullptr;
};
