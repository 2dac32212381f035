#include "server/database.h"

#include "server/connection_pool.h"
#include "server/db/pg_connection.h"
#include "server/db/sqlite_connection.h"

#include <iterator>
#include <set>

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

    // 2: the inventory. Accounts become parent and child accounts with every field the
    // administration pages edit; the login accounts of version 1 move into them (a
    // child's group is taken from its rights where they are a group's defaults).
    // Texts that name parents, children, regions and territories in cases and billing
    // entries are their names; renames are carried into them. Dates are day counts
    // since 30 December 1899 (REAL), NULL for no date; other date states are kept as
    // texts (see the case store). Column names of the cases follow the case field
    // catalogue's server columns where it names one.
    "CREATE TABLE Parents ("
    "  ParentID INTEGER PRIMARY KEY,"
    "  Name TEXT NOT NULL UNIQUE,"
    "  LoginID TEXT UNIQUE COLLATE NOCASE,"
    "  Salt BLOB, PasswordHash BLOB, Iterations INTEGER NOT NULL DEFAULT 0,"
    "  Rights INTEGER NOT NULL DEFAULT 0,"
    "  MasterDueDays INTEGER NOT NULL DEFAULT 0, AuditDueDays INTEGER NOT NULL DEFAULT 0,"
    "  Copies INTEGER NOT NULL DEFAULT 0, Type TEXT NOT NULL DEFAULT '', Notes TEXT NOT NULL DEFAULT '',"
    "  Contact TEXT NOT NULL DEFAULT '', Address1 TEXT NOT NULL DEFAULT '', Address2 TEXT NOT NULL DEFAULT '',"
    "  City TEXT NOT NULL DEFAULT '', State TEXT NOT NULL DEFAULT '', Zip TEXT NOT NULL DEFAULT '',"
    "  Phone TEXT NOT NULL DEFAULT '', Fax TEXT NOT NULL DEFAULT '', EMail TEXT NOT NULL DEFAULT '',"
    "  ReservedText TEXT NOT NULL DEFAULT '', HostName TEXT NOT NULL DEFAULT '',"
    "  ConnectionKind TEXT NOT NULL DEFAULT '*NONE*',"
    "  ReservedZero INTEGER NOT NULL DEFAULT 0, ReservedOne INTEGER NOT NULL DEFAULT 1,"
    "  RecordDate REAL, UseBilling INTEGER NOT NULL DEFAULT 0,"
    "  ChargeMode1 INTEGER NOT NULL DEFAULT 0, ChargeMode2 INTEGER NOT NULL DEFAULT 0,"
    "  ChargeMode3 INTEGER NOT NULL DEFAULT 0, ChargeMode4 INTEGER NOT NULL DEFAULT 0,"
    "  ChargeMode5 INTEGER NOT NULL DEFAULT 0, ChargeMode6 INTEGER NOT NULL DEFAULT 0,"
    "  ChargeFirst1 REAL NOT NULL DEFAULT 0, ChargeAdditional1 REAL NOT NULL DEFAULT 0,"
    "  ChargeFirst2 REAL NOT NULL DEFAULT 0, ChargeAdditional2 REAL NOT NULL DEFAULT 0,"
    "  ChargeFirst3 REAL NOT NULL DEFAULT 0, ChargeAdditional3 REAL NOT NULL DEFAULT 0,"
    "  ChargeFirst4 REAL NOT NULL DEFAULT 0, ChargeAdditional4 REAL NOT NULL DEFAULT 0,"
    "  ChargeFirst5 REAL NOT NULL DEFAULT 0, ChargeAdditional5 REAL NOT NULL DEFAULT 0,"
    "  ChargeFirst6 REAL NOT NULL DEFAULT 0, ChargeAdditional6 REAL NOT NULL DEFAULT 0,"
    "  DiscountDays1 REAL NOT NULL DEFAULT 0, DiscountPercent1 REAL NOT NULL DEFAULT 0,"
    "  DiscountDays2 REAL NOT NULL DEFAULT 0, DiscountPercent2 REAL NOT NULL DEFAULT 0,"
    "  DiscountDays3 REAL NOT NULL DEFAULT 0, DiscountPercent3 REAL NOT NULL DEFAULT 0,"
    "  Routing1 INTEGER NOT NULL DEFAULT 0, Routing2 INTEGER NOT NULL DEFAULT 0, Routing3 INTEGER NOT NULL DEFAULT 0,"
    "  Routing4 INTEGER NOT NULL DEFAULT 0, Routing5 INTEGER NOT NULL DEFAULT 0, Routing6 INTEGER NOT NULL DEFAULT 0,"
    "  Routing7 INTEGER NOT NULL DEFAULT 0,"
    "  AccountNumber INTEGER NOT NULL DEFAULT 0, Hidden INTEGER NOT NULL DEFAULT 0"
    ");"
    "CREATE TABLE Children ("
    "  ChildID INTEGER PRIMARY KEY,"
    "  Name TEXT NOT NULL UNIQUE,"
    "  LoginID TEXT NOT NULL UNIQUE COLLATE NOCASE,"
    "  Salt BLOB, PasswordHash BLOB, Iterations INTEGER NOT NULL DEFAULT 0,"
    "  GroupCode INTEGER NOT NULL, InventoryCap INTEGER NOT NULL DEFAULT -1,"
    "  Rights INTEGER NOT NULL DEFAULT 0, FifthInt INTEGER NOT NULL DEFAULT 1,"
    "  AutoFlagEnabled INTEGER NOT NULL DEFAULT 0, AutoFlag INTEGER NOT NULL DEFAULT 0, RecordDate REAL,"
    "  Notes TEXT NOT NULL DEFAULT '', Address1 TEXT NOT NULL DEFAULT '', Address2 TEXT NOT NULL DEFAULT '',"
    "  City TEXT NOT NULL DEFAULT '', State TEXT NOT NULL DEFAULT '', Zip TEXT NOT NULL DEFAULT '',"
    "  Phone TEXT NOT NULL DEFAULT '', Fax TEXT NOT NULL DEFAULT '', EMail TEXT NOT NULL DEFAULT '',"
    "  GroupDetail TEXT NOT NULL DEFAULT '', Hidden INTEGER NOT NULL DEFAULT 0"
    ");"
    "CREATE TABLE AssignCriteria ("
    "  ChildID INTEGER NOT NULL REFERENCES Children ON DELETE CASCADE,"
    "  Position INTEGER NOT NULL, Category TEXT NOT NULL, Value1 TEXT NOT NULL, Value2 TEXT NOT NULL,"
    "  PRIMARY KEY (ChildID, Position)"
    ");"
    "CREATE INDEX AssignCriteriaByValue ON AssignCriteria (Category, Value1);"
    "INSERT INTO Children (Name, LoginID, Salt, PasswordHash, Iterations, GroupCode, Rights)"
    "  SELECT CASE WHEN (SELECT COUNT(*) FROM accounts b WHERE b.account_name = a.account_name) > 1"
    "              THEN a.account_name || ' (' || a.user_id || ')' ELSE a.account_name END,"
    "         a.user_id, a.salt, a.password_hash, a.iterations,"
    "         CASE a.rights WHEN 1048234 THEN 0 WHEN 946816 THEN 1 WHEN 931397 THEN 2 WHEN 949376 THEN 3"
    "              WHEN 1014805 THEN 4 WHEN 931157 THEN 5 WHEN 947328 THEN 6 WHEN 947216 THEN 7"
    "              WHEN 64 THEN 9 ELSE 0 END,"
    "         a.rights"
    "  FROM accounts a WHERE a.kind = 'child';"
    "INSERT INTO Parents (Name, LoginID, Salt, PasswordHash, Iterations, Rights, ConnectionKind)"
    "  SELECT CASE WHEN (SELECT COUNT(*) FROM accounts b WHERE b.account_name = a.account_name) > 1"
    "              THEN a.account_name || ' (' || a.user_id || ')' ELSE a.account_name END,"
    "         a.user_id, a.salt, a.password_hash, a.iterations, a.rights, '*DIRECT*'"
    "  FROM accounts a WHERE a.kind = 'parent';"
    "DROP TABLE accounts;"

    "CREATE TABLE Regions (RegionID INTEGER PRIMARY KEY, Name TEXT NOT NULL UNIQUE);"
    "CREATE TABLE Territories ("
    "  TerritoryID INTEGER PRIMARY KEY,"
    "  RegionID INTEGER NOT NULL REFERENCES Regions ON DELETE CASCADE,"
    "  Name TEXT NOT NULL, BillingCode INTEGER NOT NULL DEFAULT 0,"
    "  UNIQUE (RegionID, Name)"
    ");"
    "CREATE TABLE TerritoryZips ("
    "  TerritoryID INTEGER NOT NULL REFERENCES Territories ON DELETE CASCADE,"
    "  Position INTEGER NOT NULL, Zip TEXT NOT NULL, PRIMARY KEY (TerritoryID, Position)"
    ");"
    "CREATE INDEX TerritoryZipsByZip ON TerritoryZips (Zip);"
    "CREATE TABLE TerritoryCounties ("
    "  TerritoryID INTEGER NOT NULL REFERENCES Territories ON DELETE CASCADE,"
    "  Position INTEGER NOT NULL, County TEXT NOT NULL, State TEXT NOT NULL,"
    "  PRIMARY KEY (TerritoryID, Position)"
    ");"
    "CREATE INDEX TerritoryCountiesByName ON TerritoryCounties (County COLLATE NOCASE, State COLLATE NOCASE);"
    "CREATE TABLE ZipCodes ("
    "  Zip TEXT PRIMARY KEY, City TEXT NOT NULL, State TEXT NOT NULL, County TEXT NOT NULL DEFAULT ''"
    ");"

    "CREATE TABLE Cases ("
    "  CaseID INTEGER PRIMARY KEY,"
    "  CaseNumber TEXT NOT NULL UNIQUE,"
    "  OpaqueInt1 INTEGER NOT NULL DEFAULT 0, OpaqueInt2 INTEGER NOT NULL DEFAULT 0,"
    "  OpaqueInt3 INTEGER NOT NULL DEFAULT 0, OpaqueInt4 INTEGER NOT NULL DEFAULT 0,"
    "  OpaqueInt5 INTEGER NOT NULL DEFAULT 0, OpaqueInt6 INTEGER NOT NULL DEFAULT 0,"
    "  ParentName TEXT NOT NULL DEFAULT '', ChildName TEXT NOT NULL DEFAULT '',"
    "  RegionName TEXT NOT NULL DEFAULT '', TerritoryName TEXT NOT NULL DEFAULT '',"
    "  Insured_Name TEXT NOT NULL DEFAULT '', Memo TEXT NOT NULL DEFAULT '', SerialNumber TEXT NOT NULL DEFAULT '',"
    "  UserDueDate REAL, MasterDueDate REAL, OpaqueDate1 REAL, DateCreated REAL,"
    "  ParentDateAssigned REAL, ParentDateReturned REAL,"
    "  ParentLinkStatus INTEGER NOT NULL DEFAULT 0, ChildLinkStatus INTEGER NOT NULL DEFAULT 0,"
    "  OpaqueInt7 INTEGER NOT NULL DEFAULT 0, OpaqueInt8 INTEGER NOT NULL DEFAULT 0,"
    "  IsNonProductive INTEGER NOT NULL DEFAULT 0, IsCorrection INTEGER NOT NULL DEFAULT 0,"
    "  OpaqueInt9 INTEGER NOT NULL DEFAULT 0, HasNewPrgRpts INTEGER NOT NULL DEFAULT 0,"
    "  PriorityFlag INTEGER NOT NULL DEFAULT 0, ChildGroupCode INTEGER NOT NULL DEFAULT -1,"
    "  Audit_Zip TEXT NOT NULL DEFAULT '', Policy_EstPremium REAL NOT NULL DEFAULT 0,"
    "  TransferOut INTEGER NOT NULL DEFAULT 0, OpaqueAmount INTEGER NOT NULL DEFAULT 0, OpaqueDate2 REAL,"
    "  UserFlags INTEGER NOT NULL DEFAULT 0, Audit_County TEXT NOT NULL DEFAULT '',"
    "  Policy_Carrier TEXT NOT NULL DEFAULT '', Policy_Type TEXT NOT NULL DEFAULT '',"
    "  Policy_Number TEXT NOT NULL DEFAULT '', Policy_StartDate REAL, Policy_EndDate REAL,"
    "  Policy_Code INTEGER NOT NULL DEFAULT 0, Insured_FedID TEXT NOT NULL DEFAULT '',"
    "  Insured_Address1 TEXT NOT NULL DEFAULT '', Insured_Address2 TEXT NOT NULL DEFAULT '',"
    "  Insured_City TEXT NOT NULL DEFAULT '', Insured_State TEXT NOT NULL DEFAULT '',"
    "  Insured_Zip TEXT NOT NULL DEFAULT '', Insured_Phone TEXT NOT NULL DEFAULT '',"
    "  Insured_Fax TEXT NOT NULL DEFAULT '', Insured_EMail TEXT NOT NULL DEFAULT '',"
    "  Insured_Entity TEXT NOT NULL DEFAULT '', Audit_ContactName TEXT NOT NULL DEFAULT '',"
    "  Audit_Address1 TEXT NOT NULL DEFAULT '', Audit_Address2 TEXT NOT NULL DEFAULT '',"
    "  Audit_City TEXT NOT NULL DEFAULT '', Audit_State TEXT NOT NULL DEFAULT '',"
    "  Audit_Phone TEXT NOT NULL DEFAULT '', Audit_Fax TEXT NOT NULL DEFAULT '',"
    "  Audit_StartDate REAL, Audit_EndDate REAL,"
    "  Audit_Source INTEGER NOT NULL DEFAULT 0, Audit_Type INTEGER NOT NULL DEFAULT 0,"
    "  Audit_LocName TEXT NOT NULL DEFAULT '', Agent_ContactName TEXT NOT NULL DEFAULT '',"
    "  Agent_AgencyName TEXT NOT NULL DEFAULT '', Agent_Address1 TEXT NOT NULL DEFAULT '',"
    "  Agent_Address2 TEXT NOT NULL DEFAULT '', Agent_City TEXT NOT NULL DEFAULT '',"
    "  Agent_State TEXT NOT NULL DEFAULT '', Agent_Zip TEXT NOT NULL DEFAULT '',"
    "  Agent_Phone TEXT NOT NULL DEFAULT '', Agent_Fax TEXT NOT NULL DEFAULT '',"
    "  Agent_EMail TEXT NOT NULL DEFAULT '',"
    "  Archive INTEGER NOT NULL DEFAULT 0, ManualAssignment INTEGER NOT NULL DEFAULT 0,"
    "  Completed INTEGER NOT NULL DEFAULT 0,"
    "  ScheduleDateOnly INTEGER NOT NULL DEFAULT 0, ScheduledTime REAL, ScheduledTimeEnd REAL,"
    "  DefAttachmentID INTEGER NOT NULL DEFAULT 0,"
    "  IsReadOnly INTEGER GENERATED ALWAYS AS (CASE WHEN ChildLinkStatus = 2 THEN 1 ELSE 0 END) VIRTUAL"
    ");"
    "CREATE INDEX CasesByParent ON Cases (ParentName);"
    "CREATE INDEX CasesByChild ON Cases (ChildName);"
    "CREATE INDEX CasesByTerritory ON Cases (RegionName, TerritoryName);"
    "CREATE INDEX CasesByGroup ON Cases (ChildGroupCode);"
    "CREATE INDEX CasesByInsured ON Cases (Insured_Name);"
    "CREATE INDEX CasesByPolicy ON Cases (Policy_Number);"
    "CREATE TABLE PolicyPages ("
    "  CaseID INTEGER NOT NULL REFERENCES Cases ON DELETE CASCADE,"
    "  Position INTEGER NOT NULL, Label TEXT NOT NULL, Text TEXT NOT NULL,"
    "  PRIMARY KEY (CaseID, Position)"
    ");"
    "CREATE TABLE CaseTracking ("
    "  EntryID INTEGER PRIMARY KEY,"
    "  CaseID INTEGER NOT NULL REFERENCES Cases ON DELETE CASCADE,"
    "  ChildName TEXT NOT NULL, GroupName TEXT NOT NULL, Assignor TEXT NOT NULL, Status TEXT NOT NULL,"
    "  DateAssigned REAL, OpaqueDate1 REAL, OpaqueDate2 REAL"
    ");"
    "CREATE INDEX CaseTrackingByCase ON CaseTracking (CaseID);"
    "CREATE INDEX CaseTrackingByChild ON CaseTracking (ChildName);"
    "CREATE TABLE Attachments ("
    "  AttachmentID INTEGER PRIMARY KEY,"
    "  CaseID INTEGER NOT NULL REFERENCES Cases ON DELETE CASCADE,"
    "  OpaqueInt INTEGER NOT NULL DEFAULT 0, Name TEXT NOT NULL, Kind TEXT NOT NULL,"
    "  FileName TEXT NOT NULL DEFAULT '', Printable INTEGER NOT NULL DEFAULT 0,"
    "  ToBePrinted INTEGER NOT NULL DEFAULT 0, IsDefault INTEGER NOT NULL DEFAULT 0,"
    "  Content BLOB NOT NULL"
    ");"
    "CREATE INDEX AttachmentsByCase ON Attachments (CaseID);"
    "CREATE TABLE BillingEntries ("
    "  EntryID INTEGER PRIMARY KEY,"
    "  CaseID INTEGER NOT NULL REFERENCES Cases ON DELETE CASCADE,"
    "  OpaqueInt1 INTEGER NOT NULL DEFAULT 0, OpaqueInt2 INTEGER NOT NULL DEFAULT 0,"
    "  ParentName TEXT NOT NULL DEFAULT '', ChildName TEXT NOT NULL DEFAULT '',"
    "  BilledHours REAL NOT NULL DEFAULT 0, DiscountPercent REAL NOT NULL DEFAULT 0,"
    "  BilledAmount REAL NOT NULL DEFAULT 0, Kind INTEGER NOT NULL DEFAULT 0,"
    "  FirstHourRate REAL NOT NULL DEFAULT 0, AdditionalHoursRate REAL NOT NULL DEFAULT 0,"
    "  BillingDate REAL, Memo TEXT NOT NULL DEFAULT ''"
    ");"
    "CREATE INDEX BillingEntriesByCase ON BillingEntries (CaseID);"
    "CREATE INDEX BillingEntriesByParent ON BillingEntries (ParentName);"
    "CREATE INDEX BillingEntriesByChild ON BillingEntries (ChildName);"
    "CREATE TABLE ProgressReports ("
    "  EntryID INTEGER PRIMARY KEY,"
    "  CaseID INTEGER NOT NULL REFERENCES Cases ON DELETE CASCADE,"
    "  EntryDate REAL, EnteredBy TEXT NOT NULL DEFAULT '', Comment TEXT NOT NULL DEFAULT '',"
    "  Internal INTEGER NOT NULL DEFAULT 0, Linked INTEGER NOT NULL DEFAULT 0, OpaqueInt INTEGER NOT NULL DEFAULT 0"
    ");"
    "CREATE INDEX ProgressReportsByCase ON ProgressReports (CaseID);"

    "CREATE TABLE BillingDefaults ("
    "  ParentID INTEGER REFERENCES Parents ON DELETE CASCADE,"
    "  ChildID INTEGER REFERENCES Children ON DELETE CASCADE,"
    "  Position INTEGER NOT NULL,"
    "  OpaqueInt1 INTEGER NOT NULL DEFAULT 0, OpaqueInt2 INTEGER NOT NULL DEFAULT 0,"
    "  BilledHours REAL NOT NULL DEFAULT 0, OpaqueAmount REAL NOT NULL DEFAULT 0,"
    "  Hourly INTEGER NOT NULL DEFAULT 0, FirstAmount REAL NOT NULL DEFAULT 0,"
    "  AdditionalHoursRate REAL NOT NULL DEFAULT 0, Description TEXT NOT NULL DEFAULT '',"
    "  AuditSource INTEGER NOT NULL DEFAULT -1, AuditType INTEGER NOT NULL DEFAULT -1,"
    "  PolicyType TEXT NOT NULL DEFAULT '', PolicyCode INTEGER NOT NULL DEFAULT -1,"
    "  NonProductive INTEGER NOT NULL DEFAULT 2,"
    "  CHECK ((ParentID IS NULL) <> (ChildID IS NULL))"
    ");"
    "CREATE INDEX BillingDefaultsByParent ON BillingDefaults (ParentID, Position);"
    "CREATE INDEX BillingDefaultsByChild ON BillingDefaults (ChildID, Position);"

    "CREATE TABLE CaseViews ("
    "  ViewID INTEGER PRIMARY KEY,"
    "  ParentID INTEGER REFERENCES Parents ON DELETE CASCADE,"
    "  ChildID INTEGER REFERENCES Children ON DELETE CASCADE,"
    "  Position INTEGER NOT NULL, Name TEXT NOT NULL, Scope INTEGER NOT NULL, ViewType INTEGER NOT NULL,"
    "  Definition BLOB NOT NULL,"
    "  CHECK ((ParentID IS NULL) <> (ChildID IS NULL))"
    ");"
    "CREATE INDEX CaseViewsByParent ON CaseViews (ParentID, Position);"
    "CREATE INDEX CaseViewsByChild ON CaseViews (ChildID, Position);"
    "CREATE TABLE ReportViews ("
    "  ViewID INTEGER PRIMARY KEY,"
    "  ParentID INTEGER REFERENCES Parents ON DELETE CASCADE,"
    "  ChildID INTEGER REFERENCES Children ON DELETE CASCADE,"
    "  Position INTEGER NOT NULL, Name TEXT NOT NULL, ReportFile TEXT NOT NULL, Settings BLOB NOT NULL,"
    "  CHECK ((ParentID IS NULL) <> (ChildID IS NULL))"
    ");"
    "CREATE INDEX ReportViewsByParent ON ReportViews (ParentID, Position);"
    "CREATE INDEX ReportViewsByChild ON ReportViews (ChildID, Position);"

    "CREATE TABLE Counters (Name TEXT PRIMARY KEY, Value INTEGER NOT NULL);"
    "CREATE TABLE Settings (Key TEXT PRIMARY KEY, Value TEXT NOT NULL);",

    // 3: several servers on one database, and what PostgreSQL's typed columns need.
    // ServerMembers are the running servers with their leases, ServerSessions the
    // accounts logged in through them (one row per account, so that an account is in use
    // on one server at a time); both existed before this version on databases shared by
    // several servers, hence IF NOT EXISTS. OddDates holds, on PostgreSQL, the dates a
    // REAL column cannot carry as a day count (see the case store's column map).
    // ServerKeys holds keys the server makes once and keeps, on PostgreSQL, where there
    // is no database file to keep them beside.
    "CREATE TABLE IF NOT EXISTS ServerMembers ("
    "  ServerID TEXT NOT NULL PRIMARY KEY,"
    "  Address TEXT NOT NULL,"
    "  StartedAt INTEGER NOT NULL,"
    "  LeaseExpiry INTEGER NOT NULL"
    ");"
    "CREATE TABLE IF NOT EXISTS ServerSessions ("
    "  AccountKind INTEGER NOT NULL,"
    "  AccountID INTEGER NOT NULL,"
    "  LoginID TEXT NOT NULL,"
    "  ServerID TEXT NOT NULL,"
    "  ServerAddress TEXT NOT NULL,"
    "  LeaseExpiry INTEGER NOT NULL,"
    "  PRIMARY KEY (AccountKind, AccountID)"
    ");"
    "CREATE INDEX IF NOT EXISTS ServerSessionsByServer ON ServerSessions (ServerID);"
    "CREATE TABLE OddDates ("
    "  DateID INTEGER PRIMARY KEY, Status INTEGER NOT NULL, Bits INTEGER NOT NULL,"
    "  UNIQUE (Status, Bits)"
    ");"
    "CREATE TABLE ServerKeys (Name TEXT PRIMARY KEY, KeyBytes BLOB NOT NULL);",
};
static_assert(std::size(kMigrations) == CDatabase::kSchemaVersion);

// The databases that are open, so that a thread that ends can close its connections.
std::mutex g_openMutex;
std::set<CDatabase*> g_open;

struct ThreadEnd {
    ~ThreadEnd()
    {
        std::lock_guard<std::mutex> lock(g_openMutex);
        for (CDatabase* database : g_open)
            database->ReleaseThread(std::this_thread::get_id());
    }
};
thread_local ThreadEnd t_threadEnd;

bool IsPostgresTarget(const std::string& target)
{
    return target.rfind("postgresql://", 0) == 0 || target.rfind("postgres://", 0) == 0;
}

// The schema version of a PostgreSQL database is kept in a table of its own.
const char* const kPgVersionTable = "CREATE TABLE IF NOT EXISTS SchemaVersion (Version BIGINT NOT NULL);";

// A fixed key that serialises writers and schema set-up across every server on one
// PostgreSQL database, as SQLite's single writer does.
const char* const kPgWriteLock = "SELECT pg_advisory_xact_lock(7400214);";

// A connection to a database that could not be reached: every use fails.
class CLostConnection : public CDbConnection {
public:
    CLostConnection(SqlDialect dialect, std::string error) : m_dialect(dialect), m_error(std::move(error)) {}
    SqlDialect Dialect() const override { return m_dialect; }
    std::unique_ptr<CDbStatement> Prepare(const std::string&) override { return nullptr; }
    bool Execute(const std::string&, std::string& error) override
    {
        error = m_error;
        return false;
    }
    std::string LastError() const override { return m_error; }
    int Changes() const override { return 0; }
    int64_t LastInsertId() override { return 0; }
    bool IsUsable() const override { return false; }
    bool Reconnect() override { return false; }
    const char* BeginWrite() const override { return "BEGIN;"; }
    const char* BeginRead() const override { return "BEGIN;"; }

private:
    SqlDialect m_dialect;
    std::string m_error;
};

}  // namespace

CThreadConnection::CThreadConnection(SqlDialect dialect, Connector connect, std::unique_ptr<CDbConnection> connection)
    : m_connect(std::move(connect)), m_connection(std::move(connection))
{
    if (m_connection)
        return;
    std::string error;
    m_connection = m_connect(error);
    if (!m_connection)
        m_connection = std::make_unique<CLostConnection>(dialect, error);
}

CThreadConnection::~CThreadConnection()
{
    m_connection->Closing();
    m_statements.clear();
}

CStatement::CStatement(CDatabase& database, const std::string& sql)
    : m_statement(database.Connection().Link().Prepare(sql)), m_database(&database)
{
}

CStatement& CThreadConnection::Statement(const std::string& sql)
{
    ReconnectIfLost();
    auto found = m_statements.find(sql);
    if (found == m_statements.end())
        found = m_statements.emplace(sql, std::make_unique<CStatement>(m_connection->Prepare(sql))).first;
    // A handle of the same text that is still alive may have left a row pending.
    found->second->Reset();
    return *found->second;
}

bool CThreadConnection::Execute(const std::string& sql, std::string& error)
{
    ReconnectIfLost();
    return m_connection->Execute(sql, error);
}

void CThreadConnection::ReconnectIfLost()
{
    // Inside a transaction the failure must reach its end first (it rolls back).
    if (depth > 0 || m_connection->IsUsable())
        return;
    m_statements.clear();
    if (m_connection->Reconnect())
        return;
    std::string error;
    if (std::unique_ptr<CDbConnection> fresh = m_connect(error))
        m_connection = std::move(fresh);
}

CDatabase::CDatabase()
{
    std::lock_guard<std::mutex> lock(g_openMutex);
    g_open.insert(this);
}

CDatabase::~CDatabase()
{
    {
        std::lock_guard<std::mutex> lock(g_openMutex);
        g_open.erase(this);
    }
    std::lock_guard<std::mutex> lock(m_connectionsMutex);
    m_connections.clear();
}

void CDatabase::ReleaseThread(std::thread::id thread)
{
    std::unique_ptr<CThreadConnection> released;
    std::lock_guard<std::mutex> lock(m_connectionsMutex);
    auto found = m_connections.find(thread);
    if (found != m_connections.end()) {
        released = std::move(found->second);
        m_connections.erase(found);
    }
}

std::unique_ptr<CDbConnection> CDatabase::Connect(std::string& error) const
{
    if (m_dialect == SqlDialect::postgresql)
        return CPgConnection::Open(m_target, error);
    return CSqliteConnection::Open(m_target, error);
}

CThreadConnection& CDatabase::Connection()
{
    if (CThreadConnection* pooled = CConnectionPool::ScopedConnection(*this))
        return *pooled;
    (void)&t_threadEnd;  // makes sure the thread closes its connections when it ends
    const std::thread::id self = std::this_thread::get_id();
    {
        std::lock_guard<std::mutex> lock(m_connectionsMutex);
        auto found = m_connections.find(self);
        if (found != m_connections.end())
            return *found->second;
    }
    auto connection = std::make_unique<CThreadConnection>(
        m_dialect, [this](std::string& error) { return Connect(error); });
    CThreadConnection& result = *connection;
    std::lock_guard<std::mutex> lock(m_connectionsMutex);
    m_connections[self] = std::move(connection);
    return result;
}

std::unique_ptr<CThreadConnection> CDatabase::NewConnection()
{
    return std::make_unique<CThreadConnection>(m_dialect, [this](std::string& error) { return Connect(error); });
}

CCachedStatement CDatabase::Prepare(const std::string& sql)
{
    CStatement& statement = Connection().Statement(sql);
    statement.SetDatabase(this);
    return CCachedStatement(statement);
}

CTransaction::CTransaction(CDatabase& database) : m_connection(database.Connection())
{
    if (m_connection.depth > 0)
        return;  // one write transaction at a time per connection
    std::string error;
    m_open = m_connection.Execute(m_connection.Link().BeginWrite(), error);
    if (m_open && m_connection.Link().Dialect() == SqlDialect::postgresql &&
        !m_connection.Execute(kPgWriteLock, error)) {
        m_connection.Execute("ROLLBACK;", error);
        m_open = false;
    }
    if (m_open)
        m_connection.depth = 1;
}

CTransaction::~CTransaction()
{
    if (m_open) {
        std::string error;
        m_connection.Execute("ROLLBACK;", error);
        m_connection.depth = 0;
    }
}

bool CTransaction::Commit()
{
    if (!m_open)
        return false;
    std::string error;
    if (!m_connection.Execute("COMMIT;", error))
        return false;  // the destructor rolls back
    m_open = false;
    m_connection.depth = 0;
    return true;
}

CReadTransaction::CReadTransaction(CDatabase& database) : m_connection(database.Connection())
{
    if (m_connection.depth > 0)
        return;
    std::string error;
    m_open = m_connection.Execute(m_connection.Link().BeginRead(), error);
    if (m_open)
        m_connection.depth = 1;
}

CReadTransaction::~CReadTransaction()
{
    if (!m_open)
        return;
    std::string error;
    // Nothing was written: ending it either way only lets go of the snapshot.
    if (!m_connection.Execute("COMMIT;", error))
        m_connection.Execute("ROLLBACK;", error);
    m_connection.depth = 0;
}

std::string CDatabase::LastError()
{
    return Connection().Link().LastError();
}

int CDatabase::Changes()
{
    return Connection().Link().Changes();
}

int64_t CDatabase::LastInsertId()
{
    return Connection().Link().LastInsertId();
}

bool CDatabase::Open(const std::string& target, std::string& error)
{
    if (!m_target.empty()) {
        error = "database already open";
        return false;
    }
    m_dialect = IsPostgresTarget(target) ? SqlDialect::postgresql : SqlDialect::sqlite;
    m_target = target;
    std::unique_ptr<CDbConnection> link = Connect(error);
    if (!link) {
        m_target.clear();
        return false;
    }
    if (m_dialect == SqlDialect::sqlite)
        m_filePath = static_cast<CSqliteConnection&>(*link).FileName();
    auto connection = std::make_unique<CThreadConnection>(
        m_dialect, [this](std::string& message) { return Connect(message); }, std::move(link));
    if (!Migrate(*connection, error)) {
        m_target.clear();
        return false;
    }
    std::lock_guard<std::mutex> lock(m_connectionsMutex);
    m_connections[std::this_thread::get_id()] = std::move(connection);
    (void)&t_threadEnd;
    return true;
}

bool CDatabase::Execute(const std::string& sql, std::string& error)
{
    return Connection().Execute(sql, error);
}

bool CDatabase::Migrate(CThreadConnection& connection, std::string& error)
{
    const bool pg = m_dialect == SqlDialect::postgresql;
    // The version is read inside the write transaction, so that two servers starting on
    // a new database at once do not both create the schema.
    if (!connection.Execute(connection.Link().BeginWrite(), error))
        return false;
    auto fail = [&](const std::string& message) {
        std::string ignored;
        connection.Execute("ROLLBACK;", ignored);
        error = message;
        return false;
    };
    std::string message;
    if (pg && (!connection.Execute(kPgWriteLock, message) || !connection.Execute(kPgVersionTable, message)))
        return fail("cannot read the schema version: " + message);
    int64_t version = 0;
    {
        CStatement& read =
            connection.Statement(pg ? "SELECT COALESCE(MAX(Version), 0) FROM SchemaVersion;" : "PRAGMA user_version;");
        if (!read.Step())
            return fail("cannot read the schema version: " + connection.Link().LastError());
        version = read.ColumnInt(0);
        read.Reset();
    }
    if (version > kSchemaVersion)
        return fail("the database was written by a newer server (schema " + std::to_string(version) + ")");
    if (pg && version == 0 && !connection.Execute(Sql::PgSchemaPrelude(), message))
        return fail("cannot create the schema: " + message);
    for (int64_t step = version; step < kSchemaVersion; ++step) {
        const std::string next = std::to_string(step + 1);
        const std::string sql =
            Sql::SchemaText(m_dialect, kMigrations[step]) +
            (pg ? "DELETE FROM SchemaVersion; INSERT INTO SchemaVersion (Version) VALUES (" + next + ");"
                : "PRAGMA user_version = " + next + ";");
        if (!connection.Execute(sql, message))
            return fail("cannot create the schema: " + message);
    }
    return connection.Execute("COMMIT;", error);
}

bool RunWithTexts(CDatabase& db, const std::string& sql, std::initializer_list<std::string> texts)
{
    CCachedStatement statement = db.Prepare(sql);
    int index = 1;
    for (const std::string& text : texts)
        statement->BindText(index++, text);
    statement->Step();
    return statement->Done();
}

bool AnyRowWithTexts(CDatabase& db, const std::string& sql, std::initializer_list<std::string> texts)
{
    CCachedStatement statement = db.Prepare(sql);
    int index = 1;
    for (const std::string& text : texts)
        statement->BindText(index++, text);
    return statement->Step();
}
