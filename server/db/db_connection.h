#pragma once
// What the server needs of a database engine: a connection that compiles statements and
// runs scripts, and statements that bind parameters (numbered from 1, written `?` in the
// SQL texts) and hand out rows. SQLite and PostgreSQL each implement both.

#include "server/db/sql_dialect.h"

#include <cstdint>
#include <memory>
#include <string>

class CDbStatement {
public:
    virtual ~CDbStatement() = default;

    virtual bool IsValid() const = 0;
    virtual void BindText(int index, const std::string& text) = 0;
    virtual void BindBlob(int index, const std::string& bytes) = 0;
    virtual void BindInt(int index, int64_t value) = 0;
    virtual void BindDouble(int index, double value) = 0;
    virtual void BindNull(int index) = 0;
    // True while a row is available; Done() tells a clean end from an error afterwards.
    virtual bool Step() = 0;
    virtual bool Done() const = 0;
    virtual std::string ColumnText(int index) const = 0;
    virtual std::string ColumnBlob(int index) const = 0;
    virtual int64_t ColumnInt(int index) const = 0;
    virtual double ColumnDouble(int index) const = 0;
    virtual bool ColumnIsNull(int index) const = 0;
    virtual bool ColumnIsText(int index) const = 0;
    // Rewinds the statement and clears its parameters.
    virtual void Reset() = 0;
};

class CDbConnection {
public:
    virtual ~CDbConnection() = default;

    virtual SqlDialect Dialect() const = 0;
    // A compiled statement; one that does not compile is returned invalid (IsValid false).
    virtual std::unique_ptr<CDbStatement> Prepare(const std::string& sql) = 0;
    // Runs statements without results; false (with the error text) on failure.
    virtual bool Execute(const std::string& sql, std::string& error) = 0;
    virtual std::string LastError() const = 0;
    // Rows changed by the last INSERT, UPDATE or DELETE of this connection.
    virtual int Changes() const = 0;
    // The row id given by the last INSERT of this connection.
    virtual int64_t LastInsertId() = 0;
    // False once the link to the database is known to be lost (the next use reconnects).
    virtual bool IsUsable() const { return true; }
    // Brings a lost link back; false when the database still cannot be reached.
    virtual bool Reconnect() { return true; }
    // Told before the connection closes with its statements still cached.
    virtual void Closing() {}
    // Statements that open a write transaction and a consistent read-only view.
    virtual const char* BeginWrite() const = 0;
    virtual const char* BeginRead() const = 0;
};
