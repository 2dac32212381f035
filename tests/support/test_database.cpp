#include "support/test_database.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <vector>

extern char** environ;

namespace {

// Runs psql on the URL with one SQL command; true when it succeeded.
bool RunPsql(const std::string& url, const std::string& sql)
{
    std::vector<std::string> arguments{"psql", "--no-psqlrc", "--quiet", "-v", "ON_ERROR_STOP=1",
                                       "--dbname",  url,          "-c",      sql};
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    const bool spawned = posix_spawnp(&pid, "psql", &actions, nullptr, argv.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    if (!spawned)
        return false;
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

CTestDatabase::CTestDatabase(const CTempDir& folder, const std::string& name)
{
    const char* cluster = std::getenv("ORV_TEST_PG_URL");
    if (cluster == nullptr || *cluster == '\0') {
        m_location = folder.File(name);
        return;
    }
    // The URL's database is where CREATE DATABASE runs; the new one takes its place.
    const std::string url = cluster;
    const size_t query = url.find('?');
    const size_t slash = url.rfind('/', query == std::string::npos ? url.size() : query);
    if (slash == std::string::npos || slash < url.find("://") + 3)
        return;
    static std::atomic<int> counter{0};
    m_pgName = "orv_test_" + std::to_string(::getpid()) + "_" + std::to_string(counter++);
    const std::string candidate =
        url.substr(0, slash + 1) + m_pgName + (query == std::string::npos ? "" : url.substr(query));
    if (!RunPsql(url, "DROP DATABASE IF EXISTS " + m_pgName) || !RunPsql(url, "CREATE DATABASE " + m_pgName))
        return;
    m_maintenanceUrl = url;
    m_location = candidate;
}

CTestDatabase::~CTestDatabase()
{
    if (!m_maintenanceUrl.empty())
        RunPsql(m_maintenanceUrl, "DROP DATABASE IF EXISTS " + m_pgName + " WITH (FORCE)");
}
