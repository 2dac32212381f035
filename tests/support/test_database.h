#pragma once
// Where the servers of a test keep their inventory: a SQLite file in the test's folder,
// or, when ORV_TEST_PG_URL names a database on a PostgreSQL cluster
// (postgresql://USER@HOST:PORT/DBNAME), a fresh database created on that cluster with
// psql and dropped again when the object goes.

#include "support/temp_dir.h"

#include <string>

class CTestDatabase {
public:
    explicit CTestDatabase(const CTempDir& folder, const std::string& name = "inventory.db");
    ~CTestDatabase();
    CTestDatabase(const CTestDatabase&) = delete;
    CTestDatabase& operator=(const CTestDatabase&) = delete;

    // What --db takes; empty when the PostgreSQL database could not be created.
    const std::string& Location() const { return m_location; }
    bool IsPostgreSql() const { return !m_maintenanceUrl.empty(); }

private:
    std::string m_location;
    std::string m_maintenanceUrl;  // the database psql connects to for CREATE and DROP
    std::string m_pgName;
};
