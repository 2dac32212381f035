#pragma once
// Splits a case view formula into its items: bracketed field tokens, quoted texts,
// integers, the keywords AND, OR, TRUE, FALSE and NULL in any letter case, the
// comparison operators and parentheses. Blanks of any kind separate items and are
// needed nowhere.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct FormulaToken {
    enum Kind {
        field,       // text holds the token with its brackets
        textValue,   // text holds the quoted text without its quotes
        integerValue,  // number holds the value
        keywordAnd,
        keywordOr,
        keywordTrue,
        keywordFalse,
        keywordNull,
        equal,
        notEqual,
        less,
        lessOrEqual,
        greater,
        greaterOrEqual,
        openParen,
        closeParen,
        end,         // after the last item
    };

    Kind kind = end;
    std::string text;
    int64_t number = 0;
    size_t position = 0;  // of the item's first character, counted from 1
};

// The items of the formula, ending with one `end` item. On a lexical error returns
// false with the message in error.
bool TokenizeFormula(std::string_view formula, std::vector<FormulaToken>& tokens, std::string& error);

// The text of an item for messages: short and printable.
std::string DescribeToken(const FormulaToken& token);
