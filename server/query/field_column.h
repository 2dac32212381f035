#pragma once
// How a case field token of the formula language reaches the database: the SQL
// expression that yields its value and the type that decides which values it takes.
// The storage supplies these; the expressions are trusted SQL, never user text.

#include <cstdint>
#include <string>

// The field types of the case field catalogue, with their codes.
enum class FieldType : int32_t {
    text = 0,         // compares with quoted texts ("*" a wildcard) and NULL
    dateTime = 1,     // compares with NULL only
    integerCode = 2,  // compares with integers and NULL
    yesNo = 3,        // compares with TRUE, FALSE, integers and NULL; stored as 0 or 1
    amount = 4,       // compares with integers and NULL
};

struct FieldColumn {
    std::string token;    // with its brackets: "[InsuredName]"; matched exactly
    std::string sqlExpr;  // e.g. "c.Insured_Name"
    FieldType type = FieldType::text;
};
