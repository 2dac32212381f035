#include "server/db/pg_connection.h"

#include <libpq-fe.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

// The state statements share with their connection. A statement of an earlier session
// (before a reconnect) knows it by the generation.
struct PgLink {
    PGconn* conn = nullptr;
    uint64_t generation = 0;
    uint64_t nextName = 0;
    int changes = 0;
    std::string lastError;

    void NoteError(const PGresult* result)
    {
        const char* message = result ? PQresultErrorMessage(result) : PQerrorMessage(conn);
        lastError = message && *message ? message : PQerrorMessage(conn);
        while (!lastError.empty() && (lastError.back() == '\n' || lastError.back() == ' '))
            lastError.pop_back();
    }
};

namespace {

using ResultPtr = std::unique_ptr<PGresult, decltype(&PQclear)>;

// Type ids of the built-in types the schema uses.
enum : Oid { kBool = 16, kBytea = 17, kInt8 = 20, kInt2 = 21, kInt4 = 23, kText = 25, kFloat4 = 700,
             kFloat8 = 701, kUnknown = 705, kBpchar = 1042, kVarchar = 1043, kNumeric = 1700 };

std::string DecodeBytea(const char* text, int length)
{
    // Hex output: \x followed by two digits per byte.
    if (length < 2 || text[0] != '\\' || text[1] != 'x')
        return std::string(text, static_cast<size_t>(length));
    auto digit = [](char c) { return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10; };
    std::string bytes;
    bytes.reserve(static_cast<size_t>(length - 2) / 2);
    for (int i = 2; i + 1 < length; i += 2)
        bytes += static_cast<char>(digit(text[i]) << 4 | digit(text[i + 1]));
    return bytes;
}

class CPgStatement : public CDbStatement {
public:
    CPgStatement(std::shared_ptr<PgLink> link, const std::string& sql)
        : m_link(std::move(link)), m_generation(m_link->generation)
    {
        int count = 0;
        const std::string numbered = Sql::NumberedPlaceholders(sql, &count);
        m_name = "s" + std::to_string(++m_link->nextName);
        ResultPtr prepared(PQprepare(m_link->conn, m_name.c_str(), numbered.c_str(), 0, nullptr), &PQclear);
        if (!prepared || PQresultStatus(prepared.get()) != PGRES_COMMAND_OK) {
            m_link->NoteError(prepared.get());
            m_name.clear();
            return;
        }
        m_values.resize(static_cast<size_t>(count));
        m_formats.assign(m_values.size(), 0);
    }
    ~CPgStatement() override
    {
        if (!m_name.empty() && m_generation == m_link->generation && m_link->conn != nullptr &&
            PQstatus(m_link->conn) == CONNECTION_OK && PQtransactionStatus(m_link->conn) != PQTRANS_INERROR)
            PQclear(PQexec(m_link->conn, ("DEALLOCATE " + m_name + ";").c_str()));
    }

    bool IsValid() const override { return !m_name.empty(); }
    void BindText(int index, const std::string& text) override { Set(index, text, 0); }
    void BindBlob(int index, const std::string& bytes) override { Set(index, bytes, 1); }
    void BindInt(int index, int64_t value) override { Set(index, std::to_string(value), 0); }
    void BindDouble(int index, double value) override
    {
        if (std::isnan(value))
            return Set(index, "NaN", 0);
        if (std::isinf(value))
            return Set(index, value > 0 ? "Infinity" : "-Infinity", 0);
        char text[40];
        std::snprintf(text, sizeof text, "%.17g", value);
        Set(index, text, 0);
    }
    void BindNull(int index) override
    {
        if (index >= 1 && static_cast<size_t>(index) <= m_values.size())
            m_values[static_cast<size_t>(index) - 1].reset();
    }

    bool Step() override
    {
        if (!m_executed && !Run())
            return false;
        if (m_result == nullptr || m_row + 1 >= PQntuples(m_result.get())) {
            m_done = m_result != nullptr;
            m_row = m_result ? PQntuples(m_result.get()) : 0;
            return false;
        }
        ++m_row;
        return true;
    }
    bool Done() const override { return m_done; }

    std::string ColumnText(int index) const override
    {
        if (Null(index))
            return {};
        const char* value = PQgetvalue(m_result.get(), m_row, index);
        const int length = PQgetlength(m_result.get(), m_row, index);
        switch (PQftype(m_result.get(), index)) {
        case kBytea: return DecodeBytea(value, length);
        case kBool: return *value == 't' ? "1" : "0";
        default: return std::string(value, static_cast<size_t>(length));
        }
    }
    std::string ColumnBlob(int index) const override { return ColumnText(index); }
    int64_t ColumnInt(int index) const override
    {
        if (Null(index))
            return 0;
        const char* value = PQgetvalue(m_result.get(), m_row, index);
        switch (PQftype(m_result.get(), index)) {
        case kBool: return *value == 't' ? 1 : 0;
        case kInt2:
        case kInt4:
        case kInt8: return std::strtoll(value, nullptr, 10);
        default: {
            // Like SQLite: a real is cut to its whole part, a text read as far as it is a number.
            const double number = std::strtod(value, nullptr);
            return std::isfinite(number) && std::fabs(number) < 9.2e18 ? static_cast<int64_t>(number) : 0;
        }
        }
    }
    double ColumnDouble(int index) const override
    {
        if (Null(index))
            return 0.0;
        const char* value = PQgetvalue(m_result.get(), m_row, index);
        if (PQftype(m_result.get(), index) == kBool)
            return *value == 't' ? 1.0 : 0.0;
        return std::strtod(value, nullptr);
    }
    bool ColumnIsNull(int index) const override { return Null(index); }
    bool ColumnIsText(int index) const override
    {
        if (Null(index))
            return false;
        const Oid type = PQftype(m_result.get(), index);
        return type == kText || type == kVarchar || type == kBpchar || type == kUnknown;
    }

    void Reset() override
    {
        m_result.reset();
        m_executed = false;
        m_done = false;
        m_row = -1;
        for (auto& value : m_values)
            value.reset();
        m_formats.assign(m_values.size(), 0);
    }

private:
    void Set(int index, std::string value, int format)
    {
        if (index < 1 || static_cast<size_t>(index) > m_values.size())
            return;
        m_values[static_cast<size_t>(index) - 1] = std::move(value);
        m_formats[static_cast<size_t>(index) - 1] = format;
    }

    bool Null(int index) const
    {
        return m_result == nullptr || m_row < 0 || index < 0 || index >= PQnfields(m_result.get()) ||
               PQgetisnull(m_result.get(), m_row, index);
    }

    bool Run()
    {
        m_executed = true;
        if (m_generation != m_link->generation) {
            m_link->lastError = "the connection to the database was lost";
            return false;
        }
        std::vector<const char*> values(m_values.size());
        std::vector<int> lengths(m_values.size());
        for (size_t i = 0; i < m_values.size(); ++i) {
            values[i] = m_values[i] ? m_values[i]->data() : nullptr;
            lengths[i] = m_values[i] ? static_cast<int>(m_values[i]->size()) : 0;
        }
        ResultPtr result(PQexecPrepared(m_link->conn, m_name.c_str(), static_cast<int>(values.size()), values.data(),
                                        lengths.data(), m_formats.data(), 0),
                         &PQclear);
        const ExecStatusType status = result ? PQresultStatus(result.get()) : PGRES_FATAL_ERROR;
        if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK) {
            m_link->NoteError(result.get());
            return false;
        }
        m_link->changes = std::atoi(PQcmdTuples(result.get()));
        m_result = std::move(result);
        m_row = -1;
        return true;
    }

    std::shared_ptr<PgLink> m_link;
    uint64_t m_generation = 0;
    std::string m_name;
    std::vector<std::optional<std::string>> m_values;
    std::vector<int> m_formats;
    ResultPtr m_result{nullptr, &PQclear};
    bool m_executed = false;
    bool m_done = false;
    int m_row = -1;
};

// The first line of libpq's message, without the trailing line break.
std::string FirstLine(const char* message)
{
    std::string text = message ? message : "";
    const size_t end = text.find('\n');
    return end == std::string::npos ? text : text.substr(0, end);
}

}  // namespace

std::unique_ptr<CPgConnection> CPgConnection::Open(const std::string& uri, std::string& error)
{
    char* parseError = nullptr;
    PQconninfoOption* options = PQconninfoParse(uri.c_str(), &parseError);
    if (options == nullptr) {
        error = "bad PostgreSQL connection URI: " + FirstLine(parseError ? parseError : "out of memory");
        PQfreemem(parseError);
        return nullptr;
    }
    bool hasPassword = false;
    for (const PQconninfoOption* option = options; option->keyword != nullptr; ++option)
        hasPassword = hasPassword || (std::string(option->keyword) == "password" && option->val && *option->val);
    PQconninfoFree(options);
    if (hasPassword) {
        error = "the PostgreSQL connection URI must not hold a password: set PGPASSWORD or use ~/.pgpass";
        return nullptr;
    }
    // Latin-1 both ways keeps every 8-bit text byte for byte, whatever the server stores.
    const char* const keys[] = {"dbname", "client_encoding", "application_name", nullptr};
    const char* const values[] = {uri.c_str(), "LATIN1", "inventory-server", nullptr};
    auto link = std::make_shared<PgLink>();
    link->conn = PQconnectdbParams(keys, values, 1);
    if (link->conn == nullptr || PQstatus(link->conn) != CONNECTION_OK) {
        error = "cannot connect to PostgreSQL: " + FirstLine(link->conn ? PQerrorMessage(link->conn) : "out of memory");
        PQfinish(link->conn);
        return nullptr;
    }
    std::unique_ptr<CPgConnection> connection(new CPgConnection(link));
    std::string message;
    if (!connection->Execute("SET client_min_messages = warning;", message)) {
        error = "cannot connect to PostgreSQL: " + message;
        return nullptr;
    }
    return connection;
}

void CPgConnection::Closing()
{
    ++m_link->generation;  // the session ends with its prepared statements
}

CPgConnection::~CPgConnection()
{
    // Statements still alive must not talk to a closed connection.
    ++m_link->generation;
    PQfinish(m_link->conn);
    m_link->conn = nullptr;
}

std::unique_ptr<CDbStatement> CPgConnection::Prepare(const std::string& sql)
{
    return std::make_unique<CPgStatement>(m_link, sql);
}

bool CPgConnection::Execute(const std::string& sql, std::string& error)
{
    ResultPtr result(PQexec(m_link->conn, sql.c_str()), &PQclear);
    const ExecStatusType status = result ? PQresultStatus(result.get()) : PGRES_FATAL_ERROR;
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
        m_link->NoteError(result.get());
        error = m_link->lastError;
        return false;
    }
    m_link->changes = std::atoi(PQcmdTuples(result.get()));
    return true;
}

std::string CPgConnection::LastError() const
{
    return m_link->lastError;
}

int CPgConnection::Changes() const
{
    return m_link->changes;
}

int64_t CPgConnection::LastInsertId()
{
    // The value the last insert drew from an identity column of this session.
    if (PQtransactionStatus(m_link->conn) == PQTRANS_INERROR)
        return 0;
    const bool savepoint = PQtransactionStatus(m_link->conn) == PQTRANS_INTRANS;
    if (savepoint)
        PQclear(PQexec(m_link->conn, "SAVEPOINT last_insert_id;"));
    ResultPtr result(PQexec(m_link->conn, "SELECT lastval();"), &PQclear);
    const bool ok = result && PQresultStatus(result.get()) == PGRES_TUPLES_OK && PQntuples(result.get()) == 1;
    if (savepoint)
        PQclear(PQexec(m_link->conn, ok ? "RELEASE SAVEPOINT last_insert_id;" : "ROLLBACK TO SAVEPOINT last_insert_id;"));
    return ok ? std::strtoll(PQgetvalue(result.get(), 0, 0), nullptr, 10) : 0;
}

bool CPgConnection::IsUsable() const
{
    return m_link->conn != nullptr && PQstatus(m_link->conn) == CONNECTION_OK;
}

bool CPgConnection::Reconnect()
{
    ++m_link->generation;  // the prepared statements went with the old session
    PQreset(m_link->conn);
    if (PQstatus(m_link->conn) != CONNECTION_OK)
        return false;
    std::string error;
    return Execute("SET client_min_messages = warning;", error);
}
