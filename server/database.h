#pragma once
// The server's SQLite database: one connection shared by the connection threads (each
// operation takes the lock), WAL journal, and a schema brought up to date on open.

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

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

    // True while a row is available; Done() tells a clean end from an error afterwards.
    bool Step();
    bool Done() const { return m_done; }

    std::string ColumnText(int index) const;
    std::string ColumnBlob(int index) const;
    int64_t ColumnInt(int index) const;

private:
    sqlite3_stmt* m_statement = nullptr;
    bool m_done = false;
};

class CDatabase {
public:
    // The schema version this build writes (PRAGMA user_version).
    static constexpr int kSchemaVersion = 1;

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
    std::string LastError() const;
    // Rows changed by the last INSERT, UPDATE or DELETE.
    int Changes() const;

private:
    bool Migrate(std::string& error);

    sqlite3* m_db = nullptr;
    std::mutex m_mutex;
};
