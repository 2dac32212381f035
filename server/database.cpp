#include "server/database.h"

#include <sqlite3.h>

#include <iterator>

namespace {

// Each entry brings the schema from version i to i + 1.
const char* const kMigrations[] = {
    // 1: login accounts. A parent is an ordering organisation, a child a staff account;
    // rights is the access-rights bit set. User ids compare without regard to ASCII case.
    "CREATE TABLE accounts ("
    "  user_id TEXT NOT NULL PRIMARY KEY COLLATE NOCASE,"
    "  salt BLOB NOT NULL,"
    "  password_hash BLOB NOT NULL,"
    "  iterations INTEGER NOT NULL,"
    "  account_name TEXT NOT NULL,"
    "  kind TEXT NOT NULL CHECK (kind IN ('parent', 'child')),"
    "  rights INTEGER NOT NULL DEFAULT 0"
    ");",
};
static_assert(std::size(kMigrations) == CDatabase::kSchemaVersion);

}  // namespace

CStatement::CStatement(sqlite3* db, const std::string& sql)
{
    if (sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &m_statement, nullptr) != SQLITE_OK)
        m_statement = nullptr;
}

CStatement::~CStatement()
{
    sqlite3_finalize(m_statement);
}

void CStatement::BindText(int index, const std::string& text)
{
    sqlite3_bind_text(m_statement, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

void CStatement::BindBlob(int index, const std::string& bytes)
{
    sqlite3_bind_blob(m_statement, index, bytes.data(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
}

void CStatement::BindInt(int index, int64_t value)
{
    sqlite3_bind_int64(m_statement, index, value);
}

bool CStatement::Step()
{
    if (m_statement == nullptr)
        return false;
    const int rc = sqlite3_step(m_statement);
    m_done = rc == SQLITE_DONE;
    return rc == SQLITE_ROW;
}

std::string CStatement::ColumnText(int index) const
{
    const auto* text = sqlite3_column_text(m_statement, index);
    const int length = sqlite3_column_bytes(m_statement, index);
    return text ? std::string(reinterpret_cast<const char*>(text), static_cast<size_t>(length)) : std::string();
}

std::string CStatement::ColumnBlob(int index) const
{
    const void* bytes = sqlite3_column_blob(m_statement, index);
    const int length = sqlite3_column_bytes(m_statement, index);
    return bytes ? std::string(static_cast<const char*>(bytes), static_cast<size_t>(length)) : std::string();
}

int64_t CStatement::ColumnInt(int index) const
{
    return sqlite3_column_int64(m_statement, index);
}

CDatabase::~CDatabase()
{
    sqlite3_close_v2(m_db);
}

std::string CDatabase::LastError() const
{
    return m_db ? sqlite3_errmsg(m_db) : "no database";
}

int CDatabase::Changes() const
{
    return m_db ? sqlite3_changes(m_db) : 0;
}

bool CDatabase::Open(const std::string& path, std::string& error)
{
    if (m_db != nullptr) {
        error = "database already open";
        return false;
    }
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX;
    if (sqlite3_open_v2(path.c_str(), &m_db, flags, nullptr) != SQLITE_OK) {
        error = "cannot open " + path + ": " + LastError();
        sqlite3_close_v2(m_db);
        m_db = nullptr;
        return false;
    }
    sqlite3_busy_timeout(m_db, 5000);
    if (!Execute("PRAGMA journal_mode=WAL; PRAGMA foreign_keys=ON;", error))
        return false;
    return Migrate(error);
}

bool CDatabase::Execute(const std::string& sql, std::string& error)
{
    char* message = nullptr;
    if (sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        error = message ? message : LastError();
        sqlite3_free(message);
        return false;
    }
    return true;
}

bool CDatabase::Migrate(std::string& error)
{
    // The version is read inside the write transaction, so that two servers starting on
    // a new file at once do not both create the schema.
    if (!Execute("BEGIN IMMEDIATE;", error))
        return false;
    auto fail = [&](const std::string& message) {
        std::string ignored;
        Execute("ROLLBACK;", ignored);
        error = message;
        return false;
    };
    int64_t version = 0;
    {
        CStatement read(m_db, "PRAGMA user_version;");
        if (!read.Step())
            return fail("cannot read the schema version: " + LastError());
        version = read.ColumnInt(0);
    }
    if (version > kSchemaVersion)
        return fail("the database was written by a newer server (schema " + std::to_string(version) + ")");
    for (int64_t step = version; step < kSchemaVersion; ++step) {
        const std::string sql =
            std::string(kMigrations[step]) + "PRAGMA user_version = " + std::to_string(step + 1) + ";";
        std::string message;
        if (!Execute(sql, message))
            return fail("cannot create the schema: " + message);
    }
    return Execute("COMMIT;", error);
}
