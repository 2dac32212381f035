#pragma once
// The database a test's server or store runs on. By default a SQLite file in a
// temporary folder. Test entries that run against PostgreSQL set ORV_TEST_BACKEND to
// "postgresql"; each database is then a new one (unique name) on the cluster that
// ORV_TEST_PG_URL points at, dropped again at the end. Without ORV_TEST_PG_URL those
// entries skip.

#include <string>

class CTestDatabase {
public:
    // `file`: the SQLite file used when the tests run on SQLite.
    explicit CTestDatabase(std::string file);
    ~CTestDatabase();
    CTestDatabase(const CTestDatabase&) = delete;
    CTestDatabase& operator=(const CTestDatabase&) = delete;

    // What --db takes: the file, or the PostgreSQL URI of the new database (empty when
    // it could not be made).
    const std::string& Target() const { return m_target; }

    // Ends every connection to the PostgreSQL database, as a restart of the cluster
    // does; false (with the reason) on SQLite.
    bool DropConnections(std::string& error);

    // True when the tests of this run are meant for PostgreSQL.
    static bool WantsPostgres();
    // True when the PostgreSQL cluster to test on is known.
    static bool PostgresAvailable();

private:
    std::string m_target;
    std::string m_name;  // the PostgreSQL database's name
};
