#pragma once
// The SQL engines the server can keep its inventory in, and the few places where their
// SQL differs: statement texts are written once with `?` placeholders and the spellings
// both engines accept; what differs goes through these helpers.

#include <string>

enum class SqlDialect { sqlite, postgresql };

namespace Sql {

// Rewrites `?` placeholders (outside quoted texts and identifiers) as $1, $2, ...
// `count`, when given, receives the number of placeholders.
std::string NumberedPlaceholders(const std::string& sql, int* count = nullptr);

// A schema text written with SQLite's portable column types (INTEGER, REAL, TEXT, BLOB,
// `INTEGER PRIMARY KEY` for a row id, `VIRTUAL` generated columns) in the engine's own.
std::string SchemaText(SqlDialect dialect, const std::string& sql);

// Statements that a new PostgreSQL database needs before the schema (the NOCASE collation).
std::string PgSchemaPrelude();

// The current local time as a day count since 30 December 1899 (a REAL).
const char* LocalDayNumberNow(SqlDialect dialect);

}  // namespace Sql
