// What the formula compiler accepts and refuses, and the shape of what it hands the
// caller: a condition with numbered placeholders and the values in their order.
#include "server/query/formula_compiler.h"

#include <gtest/gtest.h>

#include <string>

namespace {

CFormulaCompiler Compiler(FormulaLimits limits = {})
{
    return CFormulaCompiler({
        {"[InsuredName]", "c.name", FieldType::text},
        {"[ChildGroupCode]", "c.grp", FieldType::integerCode},
        {"[SysPriority]", "c.prio", FieldType::yesNo},
        {"[SysScheduledTime]", "c.sched", FieldType::dateTime},
        {"[PolicyEstPrem]", "c.prem", FieldType::amount},
    }, limits);
}

// The message of a refused formula; fails the test when it compiles.
std::string Refusal(const std::string& formula, const CFormulaCompiler& compiler = Compiler())
{
    const CompiledFormula result = compiler.Compile(formula);
    EXPECT_FALSE(result.ok) << formula << " gave " << result.sql;
    EXPECT_FALSE(result.error.empty());
    EXPECT_TRUE(result.sql.empty());
    EXPECT_TRUE(result.parameters.empty());
    return result.error;
}

TEST(FormulaCompiler, ValuesBecomeNumberedParameters)
{
    const CompiledFormula r = Compiler().Compile("[ChildGroupCode] < 8 AND [InsuredName] = \"O'Hara; DROP\"");
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.sql, "(((c.grp) < ?1) AND ((c.name) = ?2))");
    ASSERT_EQ(r.parameters.size(), 2u);
    EXPECT_EQ(r.parameters[0], SqlValue(int64_t{8}));
    EXPECT_EQ(r.parameters[1], SqlValue(std::string("O'Hara; DROP")));

    // Numbering from a later parameter, for a statement with values of its own first.
    const CompiledFormula later = Compiler().Compile("[ChildGroupCode] = 1 OR [ChildGroupCode] = -2", 5);
    ASSERT_TRUE(later.ok);
    EXPECT_EQ(later.sql, "(((c.grp) = ?5) OR ((c.grp) = ?6))");
    EXPECT_EQ(later.parameters[1], SqlValue(int64_t{-2}));
}

TEST(FormulaCompiler, PrefixesBindTheirByteRange)
{
    auto parameters = [](const char* formula) { return Compiler().Compile(formula).parameters; };
    using Texts = std::vector<SqlValue>;
    EXPECT_EQ(parameters("[InsuredName] = \"Ac*\""), (Texts{std::string("Ac"), std::string("Ad")}));
    // Raising a last byte of 0xFF carries into the byte before; all 0xFF has no end.
    EXPECT_EQ(parameters("[InsuredName] = \"a\xFF\xFF*\""), (Texts{std::string("a\xFF\xFF"), std::string("b")}));
    EXPECT_EQ(parameters("[InsuredName] = \"\xFF*\""), (Texts{std::string("\xFF")}));
    EXPECT_EQ(parameters("[InsuredName] = \"*\""), Texts{});
    // Inside a text the other GLOB characters stand for themselves.
    EXPECT_EQ(parameters("[InsuredName] = \"*[x]?*\""), (Texts{std::string("*[[]x][?]*")}));
}

TEST(FormulaCompiler, KeywordsInAnyCaseAndBlanksOfAnyKind)
{
    const std::string reference = Compiler().Compile("[SysPriority] = FALSE OR [SysScheduledTime] = NULL").sql;
    for (const char* formula : {"[SysPriority] = false or [SysScheduledTime] = null",
                                "[SysPriority]=False\tOr\n[SysScheduledTime]=nUlL",
                                "  [SysPriority]  =  FALSE  OR  [SysScheduledTime]  =  NULL  "}) {
        const CompiledFormula r = Compiler().Compile(formula);
        ASSERT_TRUE(r.ok) << formula << ": " << r.error;
        EXPECT_EQ(r.sql, reference) << formula;
    }
}

TEST(FormulaCompiler, EmptyFormulaSelectsEverything)
{
    for (const char* formula : {"", "   ", "\t\n"}) {
        const CompiledFormula r = Compiler().Compile(formula);
        EXPECT_TRUE(r.ok);
        EXPECT_EQ(r.sql, "TRUE");
        EXPECT_TRUE(r.parameters.empty());
    }
}

TEST(FormulaCompiler, RefusesBrokenSyntaxSayingWhere)
{
    EXPECT_EQ(Refusal("[InsuredName] = \"Say \"hi*\""),
              "Formula error at position 23: unknown word 'hi'");
    EXPECT_EQ(Refusal("[InsuredName] = \"open"), "Formula error at position 17: a text lacks its closing quote");
    EXPECT_EQ(Refusal("[InsuredName = 1"), "Formula error at position 1: a field name lacks its closing ']'");
    EXPECT_EQ(Refusal("[ChildGroupCode] < 8 AND"),
              "Formula error at position 25: expected a field or '(', found the end of the formula");
    EXPECT_EQ(Refusal("[ChildGroupCode] 8"),
              "Formula error at position 18: expected a comparison after the field, found number 8");
    EXPECT_EQ(Refusal("[ChildGroupCode] <"),
              "Formula error at position 19: expected a value, found the end of the formula");
    EXPECT_EQ(Refusal("([ChildGroupCode] < 8"),
              "Formula error at position 22: expected ')', found the end of the formula");
    EXPECT_EQ(Refusal("[ChildGroupCode] < 8)"),
              "Formula error at position 21: expected AND, OR or the end of the formula, found ')'");
    EXPECT_EQ(Refusal("[ChildGroupCode] < 8 [SysPriority] = TRUE"),
              "Formula error at position 22: expected AND, OR or the end of the formula, found field [SysPriority]");
    EXPECT_EQ(Refusal("[ChildGroupCode] != 8"), "Formula error at position 18: unexpected character '!'");
    EXPECT_EQ(Refusal("[ChildGroupCode] = 8 NOT"), "Formula error at position 22: unknown word 'NOT'");
    Refusal("()");
    Refusal("[ChildGroupCode] < = 8");
    Refusal("[ChildGroupCode] = [ChildGroupCode]");
    Refusal("8 = [ChildGroupCode]");
    Refusal("[ChildGroupCode] = 1 AND OR [ChildGroupCode] = 2");
    Refusal("[ChildGroupCode] = -");
    Refusal("[ChildGroupCode] = 99999999999999999999");
}

TEST(FormulaCompiler, RefusesUnknownFieldsAndValuesOfTheWrongKind)
{
    EXPECT_EQ(Refusal("[insuredname] = \"x\""), "Formula error at position 1: unknown field [insuredname]");
    EXPECT_EQ(Refusal("[ChildGroupCode] = \"8\""),
              "Formula error at position 20: field [ChildGroupCode] is a number field; it takes no text");
    EXPECT_EQ(Refusal("[InsuredName] = 5"),
              "Formula error at position 17: field [InsuredName] is a text field; it takes no number");
    EXPECT_EQ(Refusal("[ChildGroupCode] = TRUE"),
              "Formula error at position 20: field [ChildGroupCode] is a number field; it takes no TRUE");
    EXPECT_EQ(Refusal("[SysScheduledTime] < 45000"),
              "Formula error at position 22: field [SysScheduledTime] is a date field; it takes no number");
    EXPECT_EQ(Refusal("[ChildGroupCode] < NULL"), "Formula error at position 18: NULL takes only = or <>");
    EXPECT_EQ(Refusal("[SysPriority] > FALSE"), "Formula error at position 15: FALSE takes only = or <>");
    EXPECT_EQ(Refusal("[InsuredName] >= \"A*\""),
              "Formula error at position 15: a text with '*' takes only = or <>");
    // Integers are fine for yes/no and amounts; a text without asterisks orders.
    EXPECT_TRUE(Compiler().Compile("[SysPriority] = 1 AND [PolicyEstPrem] <= -5").ok);
    EXPECT_TRUE(Compiler().Compile("[InsuredName] > \"M\"").ok);
}

TEST(FormulaCompiler, MessagesShowUserTextShortAndPrintable)
{
    const std::string error = Refusal("[" + std::string(100, 'x') + "\x01] = 1");
    EXPECT_EQ(error, "Formula error at position 1: unknown field [" + std::string(39, 'x') + "...");
    EXPECT_EQ(Refusal("[ChildGroupCode] = 1 \x80"), "Formula error at position 22: unexpected character '?'");
}

TEST(FormulaCompiler, LimitsOnLengthNestingAndComparisons)
{
    FormulaLimits limits;
    limits.maxLength = 40;
    limits.maxDepth = 2;
    limits.maxComparisons = 3;
    const CFormulaCompiler compiler = Compiler(limits);

    EXPECT_TRUE(compiler.Compile("(([ChildGroupCode] = 1))").ok);
    EXPECT_EQ(Refusal("((([ChildGroupCode] = 1)))", compiler),
              "Formula error at position 3: parentheses are nested more than 2 deep");
    EXPECT_EQ(Refusal(std::string(41, ' '), compiler),
              "Formula error: the formula is longer than 40 characters");
    EXPECT_TRUE(Compiler({1000, 2, 3}).Compile("[SysPriority]=1 OR [SysPriority]=0 OR [SysPriority]=1").ok);
    EXPECT_EQ(Refusal("[SysPriority]=1 OR [SysPriority]=0 OR [SysPriority]=1 OR [SysPriority]=0",
                      Compiler({1000, 2, 3})),
              "Formula error at position 58: more than 3 comparisons");

    // A deep run of opening parentheses is refused at the limit, not by the stack.
    const std::string deep(4000, '(');
    EXPECT_EQ(Refusal(deep), "Formula error at position 17: parentheses are nested more than 16 deep");

    // Parameter numbers stay within what SQLite accepts.
    EXPECT_FALSE(Compiler().Compile("[SysPriority] = 1", 0).ok);
    EXPECT_TRUE(Compiler().Compile("[SysPriority] = 1", CFormulaCompiler::kMaxParameterNumber).ok);
    EXPECT_FALSE(
        Compiler().Compile("[SysPriority] = 1 OR [SysPriority] = 0", CFormulaCompiler::kMaxParameterNumber).ok);
}

TEST(FormulaCompiler, FieldsMatchTheFirstColumnOfTheirToken)
{
    const CFormulaCompiler compiler({
        {"[A]", "first", FieldType::integerCode},
        {"[A]", "second", FieldType::text},
    });
    EXPECT_EQ(compiler.Compile("[A] = 1").sql, "((first) = ?1)");
    EXPECT_FALSE(CFormulaCompiler({}).Compile("[A] = 1").ok);
}

}  // namespace
