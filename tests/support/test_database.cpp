#include "support/test_database.h"

#include <gtest/gtest.h>
#include <libpq-fe.h>

#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <memory>

namespace {

const char* Env(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? value : nullptr;
}

// Runs one statement on the cluster's maintenance database; false with the reason.
bool OnCluster(const std::string& sql, std::string& error)
{
    std::unique_ptr<PGconn, decltype(&PQfinish)> conn(PQconnectdb(Env("ORV_TEST_PG_URL")), &PQfinish);
    if (PQstatus(conn.get()) != CONNECTION_OK) {
        error = PQerrorMessage(conn.get());
        return false;
    }
    std::unique_ptr<PGresult, decltype(&PQclear)> result(PQexec(conn.get(), sql.c_str()), &PQclear);
    const ExecStatusType status = PQresultStatus(result.get());
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
        error = PQresultErrorMessage(result.get());
        return false;
    }
    return true;
}

// The URI of another database on the same cluster, reached the same way.
std::string UriOf(const std::string& database)
{
    std::string uri = "postgresql:///" + database;
    char separator = '?';
    PQconninfoOption* options = PQconninfoParse(Env("ORV_TEST_PG_URL"), nullptr);
    for (const PQconninfoOption* option = options; option && option->keyword; ++option) {
        const std::string key = option->keyword;
        if (option->val && *option->val && (key == "host" || key == "port" || key == "user")) {
            uri += separator + key + "=" + option->val;
            separator = '&';
        }
    }
    PQconninfoFree(options);
    return uri;
}

// Skips every test of a PostgreSQL entry when there is no cluster to run on.
class CPostgresOnly : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (CTestDatabase::WantsPostgres() && !CTestDatabase::PostgresAvailable())
            GTEST_SKIP() << "ORV_TEST_PG_URL is not set: no PostgreSQL cluster to test on";
    }
};
[[maybe_unused]] ::testing::Environment* const g_postgresOnly =
    ::testing::AddGlobalTestEnvironment(new CPostgresOnly);

}  // namespace

bool CTestDatabase::WantsPostgres()
{
    const char* backend = Env("ORV_TEST_BACKEND");
    return backend != nullptr && std::string(backend) == "postgresql";
}

bool CTestDatabase::PostgresAvailable()
{
    return Env("ORV_TEST_PG_URL") != nullptr;
}

CTestDatabase::CTestDatabase(std::string file)
{
    if (!WantsPostgres() || !PostgresAvailable()) {
        m_target = std::move(file);
        return;
    }
    static std::atomic<int> counter{0};
    m_name = "orv_test_" + std::to_string(::getpid()) + "_" + std::to_string(++counter);
    std::string error;
    if (!OnCluster("CREATE DATABASE " + m_name + " TEMPLATE template0 ENCODING 'UTF8' LOCALE 'C';", error)) {
        ADD_FAILURE() << "cannot create the test database: " << error;
        m_name.clear();
        return;
    }
    m_target = UriOf(m_name);
}

CTestDatabase::~CTestDatabase()
{
    std::string error;
    if (!m_name.empty())
        OnCluster("DROP DATABASE IF EXISTS " + m_name + " WITH (FORCE);", error);
}

bool CTestDatabase::DropConnections(std::string& error)
{
    if (m_name.empty()) {
        error = "not a PostgreSQL database";
        return false;
    }
    return OnCluster("SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE datname = '" + m_name +
                         "' AND pid <> pg_backend_pid();",
                     error);
}
