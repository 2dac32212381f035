#include "server/db/sqlite_connection.h"

#include <sqlite3.h>

#include <mutex>

namespace {

// How long a connection waits for another one's write to finish before giving up.
constexpr int kBusyTimeoutMs = 30000;

class CSqliteStatement : public CDbStatement {
public:
    CSqliteStatement(sqlite3* db, const std::string& sql)
    {
        if (sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &m_statement, nullptr) != SQLITE_OK)
            m_statement = nullptr;
    }
    ~CSqliteStatement() override { sqlite3_finalize(m_statement); }

    bool IsValid() const override { return m_statement != nullptr; }
    void BindText(int index, const std::string& text) override
    {
        sqlite3_bind_text(m_statement, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    }
    void BindBlob(int index, const std::string& bytes) override
    {
        sqlite3_bind_blob(m_statement, index, bytes.data(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
    }
    void BindInt(int index, int64_t value) override { sqlite3_bind_int64(m_statement, index, value); }
    void BindDouble(int index, double value) override { sqlite3_bind_double(m_statement, index, value); }
    void BindNull(int index) override { sqlite3_bind_null(m_statement, index); }

    bool Step() override
    {
        if (m_statement == nullptr)
            return false;
        const int rc = sqlite3_step(m_statement);
        m_done = rc == SQLITE_DONE;
        return rc == SQLITE_ROW;
    }
    bool Done() const override { return m_done; }

    std::string ColumnText(int index) const override
    {
        const auto* text = sqlite3_column_text(m_statement, index);
        const int length = sqlite3_column_bytes(m_statement, index);
        return text ? std::string(reinterpret_cast<const char*>(text), static_cast<size_t>(length)) : std::string();
    }
    std::string ColumnBlob(int index) const override
    {
        const void* bytes = sqlite3_column_blob(m_statement, index);
        const int length = sqlite3_column_bytes(m_statement, index);
        return bytes ? std::string(static_cast<const char*>(bytes), static_cast<size_t>(length)) : std::string();
    }
    int64_t ColumnInt(int index) const override { return sqlite3_column_int64(m_statement, index); }
    double ColumnDouble(int index) const override { return sqlite3_column_double(m_statement, index); }
    bool ColumnIsNull(int index) const override { return sqlite3_column_type(m_statement, index) == SQLITE_NULL; }
    bool ColumnIsText(int index) const override { return sqlite3_column_type(m_statement, index) == SQLITE_TEXT; }

    void Reset() override
    {
        if (m_statement == nullptr)
            return;
        sqlite3_reset(m_statement);
        sqlite3_clear_bindings(m_statement);
        m_done = false;
    }

private:
    sqlite3_stmt* m_statement = nullptr;
    bool m_done = false;
};

// greatest() and least() of two or more values, NULL when any is NULL: the spelling
// PostgreSQL knows, so that statement texts can use one name on both engines.
void Extreme(sqlite3_context* context, int count, sqlite3_value** values, bool greatest)
{
    sqlite3_value* best = nullptr;
    for (int i = 0; i < count; ++i) {
        if (sqlite3_value_type(values[i]) == SQLITE_NULL) {
            sqlite3_result_null(context);
            return;
        }
        if (best == nullptr) {
            best = values[i];
            continue;
        }
        const double a = sqlite3_value_double(values[i]), b = sqlite3_value_double(best);
        if (greatest ? a > b : a < b)
            best = values[i];
    }
    if (best != nullptr)
        sqlite3_result_value(context, best);
}

void Greatest(sqlite3_context* context, int count, sqlite3_value** values) { Extreme(context, count, values, true); }
void Least(sqlite3_context* context, int count, sqlite3_value** values) { Extreme(context, count, values, false); }

// SQLite keeps a count of the memory it holds under one lock for the whole process,
// taken at every allocation: with connections at work on several processors at once
// they queue for it. Nothing here reads the count, so it is turned off, once, before
// the first connection (SQLite takes settings only before it starts).
void StopMemoryCount()
{
    static std::once_flag once;
    std::call_once(once, []() {
        sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
        sqlite3_initialize();
    });
}

}  // namespace

std::unique_ptr<CSqliteConnection> CSqliteConnection::Open(const std::string& path, std::string& error)
{
    StopMemoryCount();
    sqlite3* db = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(path.c_str(), &db, flags, nullptr) != SQLITE_OK) {
        error = "cannot open " + path + ": " + (db ? sqlite3_errmsg(db) : "out of memory");
        sqlite3_close_v2(db);
        return nullptr;
    }
    std::unique_ptr<CSqliteConnection> connection(new CSqliteConnection(db));
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    sqlite3_create_function(db, "greatest", -1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, Greatest, nullptr,
                            nullptr);
    sqlite3_create_function(db, "least", -1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, Least, nullptr, nullptr);
    std::string message;
    if (!connection->Execute("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL; PRAGMA foreign_keys=ON;",
                             message)) {
        error = "cannot open " + path + ": " + message;
        return nullptr;
    }
    return connection;
}

CSqliteConnection::~CSqliteConnection()
{
    sqlite3_close_v2(m_db);
}

std::unique_ptr<CDbStatement> CSqliteConnection::Prepare(const std::string& sql)
{
    return std::make_unique<CSqliteStatement>(m_db, sql);
}

bool CSqliteConnection::Execute(const std::string& sql, std::string& error)
{
    char* message = nullptr;
    if (sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        error = message ? message : LastError();
        sqlite3_free(message);
        return false;
    }
    return true;
}

std::string CSqliteConnection::LastError() const
{
    return sqlite3_errmsg(m_db);
}

int CSqliteConnection::Changes() const
{
    return sqlite3_changes(m_db);
}

int64_t CSqliteConnection::LastInsertId()
{
    return sqlite3_last_insert_rowid(m_db);
}

std::string CSqliteConnection::FileName() const
{
    const char* file = sqlite3_db_filename(m_db, "main");
    return file ? file : "";
}
