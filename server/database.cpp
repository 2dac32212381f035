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
    "  IsReadOnly INTEGER GENERATED ALWAYS AS (ChildLinkStatus = 2) VIRTUAL"
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

void CStatement::BindDouble(int index, double value)
{
    sqlite3_bind_double(m_statement, index, value);
}

void CStatement::BindNull(int index)
{
    sqlite3_bind_null(m_statement, index);
}

void CStatement::Reset()
{
    if (m_statement == nullptr)
        return;
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
    m_done = false;
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

double CStatement::ColumnDouble(int index) const
{
    return sqlite3_column_double(m_statement, index);
}

bool CStatement::ColumnIsNull(int index) const
{
    return sqlite3_column_type(m_statement, index) == SQLITE_NULL;
}

bool CStatement::ColumnIsText(int index) const
{
    return sqlite3_column_type(m_statement, index) == SQLITE_TEXT;
}

CDatabase::~CDatabase()
{
    m_statements.clear();
    sqlite3_close_v2(m_db);
}

CCachedStatement CDatabase::Prepare(const std::string& sql)
{
    auto found = m_statements.find(sql);
    if (found == m_statements.end())
        found = m_statements.emplace(sql, std::make_unique<CStatement>(m_db, sql)).first;
    // A handle of the same text that is still alive may have left a row pending.
    found->second->Reset();
    return CCachedStatement(*found->second);
}

CTransaction::CTransaction(CDatabase& database) : m_database(database), m_lock(database.Mutex())
{
    std::string error;
    m_open = m_database.Execute("BEGIN IMMEDIATE;", error);
}

CTransaction::~CTransaction()
{
    if (m_open) {
        std::string error;
        m_database.Execute("ROLLBACK;", error);
    }
}

bool CTransaction::Commit()
{
    if (!m_open)
        return false;
    std::string error;
    if (!m_database.Execute("COMMIT;", error))
        return false;  // the destructor rolls back
    m_open = false;
    return true;
}

std::string CDatabase::LastError() const
{
    return m_db ? sqlite3_errmsg(m_db) : "no database";
}

int CDatabase::Changes() const
{
    return m_db ? sqlite3_changes(m_db) : 0;
}

int64_t CDatabase::LastInsertId() const
{
    return m_db ? sqlite3_last_insert_rowid(m_db) : 0;
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
    if (!Execute("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL; PRAGMA foreign_keys=ON;", error))
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
