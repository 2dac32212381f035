#include "server/query/formula_compiler.h"

#include "server/query/formula_lexer.h"

#include <string>
#include <utility>

namespace {

std::string At(const FormulaToken& token, const std::string& message)
{
    return "Formula error at position " + std::to_string(token.position) + ": " + message;
}

bool IsComparison(FormulaToken::Kind kind)
{
    switch (kind) {
    case FormulaToken::equal:
    case FormulaToken::notEqual:
    case FormulaToken::less:
    case FormulaToken::lessOrEqual:
    case FormulaToken::greater:
    case FormulaToken::greaterOrEqual:
        return true;
    default:
        return false;
    }
}

bool IsEquality(FormulaToken::Kind kind)
{
    return kind == FormulaToken::equal || kind == FormulaToken::notEqual;
}

const char* OrderingSql(FormulaToken::Kind kind)
{
    switch (kind) {
    case FormulaToken::less: return " < ";
    case FormulaToken::lessOrEqual: return " <= ";
    case FormulaToken::greater: return " > ";
    default: return " >= ";
    }
}

// A quoted text as a GLOB pattern: the asterisk stays the wildcard, the pattern's other
// special characters match themselves.
std::string GlobPattern(const std::string& text)
{
    std::string pattern;
    pattern.reserve(text.size());
    for (char c : text) {
        if (c == '[')
            pattern += "[[]";
        else if (c == '?')
            pattern += "[?]";
        else
            pattern += c;
    }
    return pattern;
}

const char* TypeName(FieldType type)
{
    switch (type) {
    case FieldType::text: return "a text field";
    case FieldType::dateTime: return "a date field";
    case FieldType::integerCode: return "a number field";
    case FieldType::yesNo: return "a yes/no field";
    case FieldType::amount: return "an amount field";
    }
    return "a field";
}

// Recursive descent over the items; the SQL is written as the items are read, so the
// parameters come out in the order of their numbers.
class Parser {
public:
    Parser(const CFormulaCompiler& compiler, const std::vector<FormulaToken>& tokens,
           const FormulaLimits& limits, int firstParameter, CompiledFormula& out)
        : m_compiler(compiler), m_tokens(tokens), m_limits(limits), m_firstParameter(firstParameter), m_out(out)
    {
    }

    bool Run()
    {
        if (Peek().kind == FormulaToken::end) {
            m_out.sql = "TRUE";
            return true;
        }
        std::string sql;
        if (!ParseOr(0, sql))
            return false;
        if (Peek().kind != FormulaToken::end)
            return Fail(Peek(), "expected AND, OR or the end of the formula, found " + DescribeToken(Peek()));
        m_out.sql = std::move(sql);
        return true;
    }

private:
    const FormulaToken& Peek() const { return m_tokens[m_next]; }
    // The end item is never passed, so reading on after it keeps finding it.
    const FormulaToken& Take()
    {
        const FormulaToken& token = m_tokens[m_next];
        if (token.kind != FormulaToken::end)
            ++m_next;
        return token;
    }

    bool Fail(const FormulaToken& at, const std::string& message)
    {
        m_out.error = At(at, message);
        return false;
    }

    // A list of conditions joined by AND or OR, in brackets when there is more than one.
    bool ParseChain(int depth, FormulaToken::Kind joiner, std::string& sql)
    {
        std::vector<std::string> parts(1);
        if (!ParsePart(depth, joiner, parts.back()))
            return false;
        while (Peek().kind == joiner) {
            Take();
            parts.emplace_back();
            if (!ParsePart(depth, joiner, parts.back()))
                return false;
        }
        if (parts.size() == 1) {
            sql = std::move(parts.front());
            return true;
        }
        const char* word = joiner == FormulaToken::keywordOr ? " OR " : " AND ";
        sql = "(";
        for (size_t i = 0; i < parts.size(); ++i) {
            if (i > 0)
                sql += word;
            sql += parts[i];
        }
        sql += ")";
        return true;
    }

    bool ParsePart(int depth, FormulaToken::Kind joiner, std::string& sql)
    {
        return joiner == FormulaToken::keywordOr ? ParseChain(depth, FormulaToken::keywordAnd, sql)
                                                 : ParseOperand(depth, sql);
    }

    bool ParseOr(int depth, std::string& sql) { return ParseChain(depth, FormulaToken::keywordOr, sql); }

    bool ParseOperand(int depth, std::string& sql)
    {
        const FormulaToken& token = Peek();
        if (token.kind == FormulaToken::openParen) {
            if (depth >= m_limits.maxDepth)
                return Fail(token, "parentheses are nested more than " + std::to_string(m_limits.maxDepth) + " deep");
            Take();
            if (!ParseOr(depth + 1, sql))
                return false;
            if (Peek().kind != FormulaToken::closeParen)
                return Fail(Peek(), "expected ')', found " + DescribeToken(Peek()));
            Take();
            return true;
        }
        if (token.kind == FormulaToken::field)
            return ParseComparison(sql);
        return Fail(token, "expected a field or '(', found " + DescribeToken(token));
    }

    bool ParseComparison(std::string& sql)
    {
        const FormulaToken& fieldToken = Take();
        const FieldColumn* column = m_compiler.FindColumn(fieldToken.text);
        if (!column)
            return Fail(fieldToken, "unknown " + DescribeToken(fieldToken));
        if (++m_comparisons > m_limits.maxComparisons)
            return Fail(fieldToken, "more than " + std::to_string(m_limits.maxComparisons) + " comparisons");

        const FormulaToken& op = Take();
        if (!IsComparison(op.kind))
            return Fail(op, "expected a comparison after the field, found " + DescribeToken(op));
        const FormulaToken& value = Take();
        if (value.kind == FormulaToken::end)
            return Fail(value, "expected a value, found " + DescribeToken(value));

        const std::string expr = "(" + column->sqlExpr + ")";
        const std::string field = DescribeToken(fieldToken);
        const FieldType type = column->type;

        switch (value.kind) {
        case FormulaToken::keywordNull:
            if (!IsEquality(op.kind))
                return Fail(op, "NULL takes only = or <>");
            sql = "(" + expr + (op.kind == FormulaToken::equal ? " IS NULL)" : " IS NOT NULL)");
            return true;

        case FormulaToken::keywordTrue:
        case FormulaToken::keywordFalse:
            if (type != FieldType::yesNo)
                return Fail(value, field + " is " + TypeName(type) + "; it takes no " + DescribeToken(value));
            if (!IsEquality(op.kind))
                return Fail(op, DescribeToken(value) + " takes only = or <>");
            return Compare(expr, op.kind, value, int64_t{value.kind == FormulaToken::keywordTrue ? 1 : 0}, sql);

        case FormulaToken::integerValue:
            if (type != FieldType::integerCode && type != FieldType::amount && type != FieldType::yesNo)
                return Fail(value, field + " is " + TypeName(type) + "; it takes no number");
            return Compare(expr, op.kind, value, value.number, sql);

        case FormulaToken::textValue: {
            if (type != FieldType::text)
                return Fail(value, field + " is " + TypeName(type) + "; it takes no text");
            const size_t star = value.text.find('*');
            if (star == std::string::npos)
                return Compare(expr, op.kind, value, value.text, sql);
            if (!IsEquality(op.kind))
                return Fail(op, "a text with '*' takes only = or <>");
            const bool negate = op.kind == FormulaToken::notEqual;
            if (value.text.find_first_not_of('*', star) == std::string::npos)
                return PrefixMatch(expr, value, value.text.substr(0, star), negate, sql);
            return GlobMatch(expr, value, negate, sql);
        }

        default:
            if (type == FieldType::dateTime)
                return Fail(value, field + " is a date field; it compares only with NULL");
            return Fail(value, "expected a value, found " + DescribeToken(value));
        }
    }

    // "=" and the orderings as they are; "<>" as IS DISTINCT FROM, which also holds for no value.
    bool Compare(const std::string& expr, FormulaToken::Kind op, const FormulaToken& at, SqlValue value,
                 std::string& sql)
    {
        if (!AddParameter(at, std::move(value)))
            return false;
        if (op == FormulaToken::equal)
            sql = "(" + expr + " = " + m_lastPlaceholder + ")";
        else if (op == FormulaToken::notEqual)
            sql = "(" + expr + " IS DISTINCT FROM " + m_lastPlaceholder + ")";
        else
            sql = "(" + expr + OrderingSql(op) + m_lastPlaceholder + ")";
        return true;
    }

    // Texts that start with the prefix: the range from the prefix up to the prefix with
    // its last byte raised, compared byte for byte, so that no 8-bit character stands
    // in for another.
    bool PrefixMatch(const std::string& expr, const FormulaToken& at, const std::string& prefix, bool negate,
                     std::string& sql)
    {
        if (prefix.empty()) {
            sql = "(" + expr + (negate ? " IS NULL)" : " IS NOT NULL)");
            return true;
        }
        std::string above = prefix;
        while (!above.empty() && static_cast<unsigned char>(above.back()) == 0xFF)
            above.pop_back();
        if (!above.empty())
            above.back() = static_cast<char>(static_cast<unsigned char>(above.back()) + 1);

        if (!AddParameter(at, prefix))
            return false;
        std::string match = expr + " >= " + m_lastPlaceholder;
        if (!above.empty()) {
            if (!AddParameter(at, std::move(above)))
                return false;
            match = "(" + match + " AND " + expr + " < " + m_lastPlaceholder + ")";
        }
        sql = negate ? "(NOT COALESCE(" + match + ", FALSE))" : "(" + match + ")";
        return true;
    }

    // Asterisks inside the text: a GLOB pattern in which only the asterisk is special.
    bool GlobMatch(const std::string& expr, const FormulaToken& at, bool negate, std::string& sql)
    {
        if (!AddParameter(at, GlobPattern(at.text)))
            return false;
        if (negate)
            sql = "(COALESCE(NOT glob(" + m_lastPlaceholder + ", " + expr + "), TRUE))";
        else
            sql = "(glob(" + m_lastPlaceholder + ", " + expr + "))";
        return true;
    }

    bool AddParameter(const FormulaToken& at, SqlValue value)
    {
        const long long number = static_cast<long long>(m_firstParameter) + static_cast<long long>(m_out.parameters.size());
        if (number > CFormulaCompiler::kMaxParameterNumber)
            return Fail(at, "too many values for one statement");
        m_out.parameters.push_back(std::move(value));
        m_lastPlaceholder = "?" + std::to_string(number);
        return true;
    }

    const CFormulaCompiler& m_compiler;
    const std::vector<FormulaToken>& m_tokens;
    const FormulaLimits& m_limits;
    const int m_firstParameter;
    CompiledFormula& m_out;
    size_t m_next = 0;
    size_t m_comparisons = 0;
    std::string m_lastPlaceholder;
};

}  // namespace

CFormulaCompiler::CFormulaCompiler(std::vector<FieldColumn> columns, FormulaLimits limits)
    : m_columns(std::move(columns)), m_limits(limits)
{
}

const FieldColumn* CFormulaCompiler::FindColumn(std::string_view token) const
{
    for (const FieldColumn& column : m_columns)
        if (column.token == token)
            return &column;
    return nullptr;
}

CompiledFormula CFormulaCompiler::Compile(std::string_view formula, int firstParameter) const
{
    CompiledFormula out;
    if (firstParameter < 1 || firstParameter > kMaxParameterNumber) {
        out.error = "Formula error: parameter numbers start at 1";
        return out;
    }
    if (formula.size() > m_limits.maxLength) {
        out.error = "Formula error: the formula is longer than " + std::to_string(m_limits.maxLength) + " characters";
        return out;
    }
    std::vector<FormulaToken> tokens;
    if (!TokenizeFormula(formula, tokens, out.error))
        return out;

    Parser parser(*this, tokens, m_limits, firstParameter, out);
    if (!parser.Run()) {
        out.sql.clear();
        out.parameters.clear();
        return out;
    }
    out.ok = true;
    return out;
}
