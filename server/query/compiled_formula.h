#pragma once
// A formula turned into an SQL condition with its values bound as parameters.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

// A bound value: an integer or a text (bound byte for byte).
using SqlValue = std::variant<int64_t, std::string>;

struct CompiledFormula {
    bool ok = false;
    std::string error;  // why the formula was refused, for the user
    // A condition for a WHERE clause, parenthesised so that it can be joined with AND.
    // It refers to its values as ?N, N counting from the first parameter number given
    // to the compiler, and contains no text of the formula.
    std::string sql;
    std::vector<SqlValue> parameters;  // parameters[i] binds to ?(first + i)
};
