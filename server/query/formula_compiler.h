#pragma once
// Compiles the case view formula language into a WHERE condition (SQLite and PostgreSQL) with bound
// parameters.
//
//   formula    := [ or-expr ]                      (an empty formula selects everything)
//   or-expr    := and-expr { OR and-expr }
//   and-expr   := operand { AND operand }
//   operand    := "(" or-expr ")" | comparison
//   comparison := field operator value
//   operator   := "=" | "<>" | "<" | "<=" | ">" | ">="
//   value      := integer | "quoted text" | TRUE | FALSE | NULL
//
// AND binds tighter than OR. Keywords take any letter case; field tokens are matched
// exactly. An integer is decimal with an optional minus sign. A quoted text has no
// escapes and ends at the next double quote; an asterisk in it stands for any run of
// characters, and then only = and <> apply. A text whose asterisks all stand at its end
// is a prefix, matched byte for byte; asterisks inside a text make a GLOB pattern, which
// SQLite matches by UTF-8 characters. "= NULL" asks for no value and "<> NULL" for any;
// "<>" with any other value also holds when the field has no value, and the orderings
// never do. Which values a field takes follows its type (see FieldType).
//
// Every input is safe to give: the length, the nesting of parentheses and the number
// of comparisons are bounded, and a formula that breaks a rule is refused with a
// message that says where.

#include "server/query/compiled_formula.h"
#include "server/query/field_column.h"

#include <cstddef>
#include <string_view>
#include <vector>

struct FormulaLimits {
    size_t maxLength = 4096;       // characters of formula text
    int maxDepth = 16;             // parentheses nested inside one another
    size_t maxComparisons = 256;   // comparisons in one formula
};

class CFormulaCompiler {
public:
    // SQLite numbers parameters up to this.
    static constexpr int kMaxParameterNumber = 32766;

    explicit CFormulaCompiler(std::vector<FieldColumn> columns, FormulaLimits limits = {});

    // firstParameter is the number of the formula's first ?N, so that the condition can
    // join a statement that binds parameters of its own before it.
    CompiledFormula Compile(std::string_view formula, int firstParameter = 1) const;

    const FieldColumn* FindColumn(std::string_view token) const;

private:
    std::vector<FieldColumn> m_columns;
    FormulaLimits m_limits;
};
