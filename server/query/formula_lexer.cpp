#include "server/query/formula_lexer.h"

#include <limits>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

char Upper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool EqualsIgnoringCase(std::string_view word, std::string_view keyword)
{
    if (word.size() != keyword.size())
        return false;
    for (size_t i = 0; i < word.size(); ++i)
        if (Upper(word[i]) != keyword[i])
            return false;
    return true;
}

// At most a few dozen characters of user text, control and 8-bit bytes shown as '?'.
std::string Printable(std::string_view text)
{
    constexpr size_t kMaxShown = 40;
    std::string shown;
    for (size_t i = 0; i < text.size() && i < kMaxShown; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        shown += (c >= 0x20 && c < 0x7F) ? static_cast<char>(c) : '?';
    }
    if (text.size() > kMaxShown)
        shown += "...";
    return shown;
}

std::string At(size_t position, const std::string& message)
{
    return "Formula error at position " + std::to_string(position) + ": " + message;
}

}  // namespace

bool TokenizeFormula(std::string_view formula, std::vector<FormulaToken>& tokens, std::string& error)
{
    tokens.clear();
    size_t i = 0;
    while (true) {
        while (i < formula.size() && IsBlank(formula[i]))
            ++i;
        FormulaToken token;
        token.position = i + 1;
        if (i == formula.size()) {
            tokens.push_back(token);
            return true;
        }

        const char c = formula[i];
        if (c == '[') {
            const size_t close = formula.find(']', i);
            if (close == std::string_view::npos) {
                error = At(token.position, "a field name lacks its closing ']'");
                return false;
            }
            token.kind = FormulaToken::field;
            token.text = std::string(formula.substr(i, close - i + 1));
            i = close + 1;
        } else if (c == '"') {
            const size_t close = formula.find('"', i + 1);
            if (close == std::string_view::npos) {
                error = At(token.position, "a text lacks its closing quote");
                return false;
            }
            token.kind = FormulaToken::textValue;
            token.text = std::string(formula.substr(i + 1, close - i - 1));
            i = close + 1;
        } else if (IsDigit(c) || (c == '-' && i + 1 < formula.size() && IsDigit(formula[i + 1]))) {
            const bool negative = c == '-';
            if (negative)
                ++i;
            // Accumulated as a negative number, whose range reaches the lowest int64.
            int64_t value = 0;
            constexpr int64_t kLowest = std::numeric_limits<int64_t>::min();
            for (; i < formula.size() && IsDigit(formula[i]); ++i) {
                const int digit = formula[i] - '0';
                if (value < (kLowest + digit) / 10) {
                    error = At(token.position, "the number is too large");
                    return false;
                }
                value = value * 10 - digit;
            }
            if (!negative) {
                if (value == kLowest) {
                    error = At(token.position, "the number is too large");
                    return false;
                }
                value = -value;
            }
            token.kind = FormulaToken::integerValue;
            token.number = value;
        } else if (IsLetter(c)) {
            size_t end = i;
            while (end < formula.size() && (IsLetter(formula[end]) || IsDigit(formula[end])))
                ++end;
            const std::string_view word = formula.substr(i, end - i);
            if (EqualsIgnoringCase(word, "AND"))
                token.kind = FormulaToken::keywordAnd;
            else if (EqualsIgnoringCase(word, "OR"))
                token.kind = FormulaToken::keywordOr;
            else if (EqualsIgnoringCase(word, "TRUE"))
                token.kind = FormulaToken::keywordTrue;
            else if (EqualsIgnoringCase(word, "FALSE"))
                token.kind = FormulaToken::keywordFalse;
            else if (EqualsIgnoringCase(word, "NULL"))
                token.kind = FormulaToken::keywordNull;
            else {
                error = At(token.position, "unknown word '" + Printable(word) + "'");
                return false;
            }
            i = end;
        } else if (c == '=') {
            token.kind = FormulaToken::equal;
            ++i;
        } else if (c == '<') {
            ++i;
            token.kind = FormulaToken::less;
            if (i < formula.size() && formula[i] == '>') {
                token.kind = FormulaToken::notEqual;
                ++i;
            } else if (i < formula.size() && formula[i] == '=') {
                token.kind = FormulaToken::lessOrEqual;
                ++i;
            }
        } else if (c == '>') {
            ++i;
            token.kind = FormulaToken::greater;
            if (i < formula.size() && formula[i] == '=') {
                token.kind = FormulaToken::greaterOrEqual;
                ++i;
            }
        } else if (c == '(') {
            token.kind = FormulaToken::openParen;
            ++i;
        } else if (c == ')') {
            token.kind = FormulaToken::closeParen;
            ++i;
        } else {
            error = At(token.position, "unexpected character '" + Printable(formula.substr(i, 1)) + "'");
            return false;
        }
        tokens.push_back(std::move(token));
    }
}

std::string DescribeToken(const FormulaToken& token)
{
    switch (token.kind) {
    case FormulaToken::field: return "field " + Printable(token.text);
    case FormulaToken::textValue: return "text \"" + Printable(token.text) + "\"";
    case FormulaToken::integerValue: return "number " + std::to_string(token.number);
    case FormulaToken::keywordAnd: return "AND";
    case FormulaToken::keywordOr: return "OR";
    case FormulaToken::keywordTrue: return "TRUE";
    case FormulaToken::keywordFalse: return "FALSE";
    case FormulaToken::keywordNull: return "NULL";
    case FormulaToken::equal: return "'='";
    case FormulaToken::notEqual: return "'<>'";
    case FormulaToken::less: return "'<'";
    case FormulaToken::lessOrEqual: return "'<='";
    case FormulaToken::greater: return "'>'";
    case FormulaToken::greaterOrEqual: return "'>='";
    case FormulaToken::openParen: return "'('";
    case FormulaToken::closeParen: return "')'";
    case FormulaToken::end: return "the end of the formula";
    }
    return "?";
}
