#pragma once
// One PostgreSQL connection (libpq). Texts travel as Latin-1, the wire's 8-bit texts,
// whatever the database's own encoding; statements are prepared on the server with
// numbered parameters. A lost link is noticed and brought back on the next use.

#include "server/db/db_connection.h"

struct PgLink;

class CPgConnection : public CDbConnection {
public:
    // Connects to the URI. A URI that holds a password is refused: the password comes
    // from PGPASSWORD or ~/.pgpass.
    static std::unique_ptr<CPgConnection> Open(const std::string& uri, std::string& error);
    ~CPgConnection() override;

    SqlDialect Dialect() const override { return SqlDialect::postgresql; }
    std::unique_ptr<CDbStatement> Prepare(const std::string& sql) override;
    bool Execute(const std::string& sql, std::string& error) override;
    std::string LastError() const override;
    int Changes() const override;
    int64_t LastInsertId() override;
    bool IsUsable() const override;
    bool Reconnect() override;
    void Closing() override;
    const char* BeginWrite() const override { return "BEGIN;"; }
    const char* BeginRead() const override { return "BEGIN ISOLATION LEVEL REPEATABLE READ;"; }

private:
    explicit CPgConnection(std::shared_ptr<PgLink> link) : m_link(std::move(link)) {}
    std::shared_ptr<PgLink> m_link;
};
