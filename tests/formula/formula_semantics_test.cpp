// Random formulas over random rows: SQLite's answer for the compiled condition must
// equal a direct evaluation of the formula's meaning, written here independently of the
// compiler. Random item soups must be refused or give SQL that SQLite runs.
#include "test_database.h"

#include "server/query/formula_compiler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <string>
#include <variant>
#include <vector>

namespace {

using Ids = std::vector<int64_t>;

// One row: every field may have no value.
struct Row {
    int64_t id = 0;
    std::optional<std::string> name;
    std::optional<int64_t> code;
    std::optional<int64_t> flag;
    std::optional<double> premium;
    std::optional<double> when;
};

enum class Field { name, code, flag, premium, when };
enum class Op { eq, ne, lt, le, gt, ge };

struct Literal {
    enum Kind { nullValue, numberValue, textValue, booleanValue } kind = nullValue;
    int64_t number = 0;
    std::string text;
};

struct Comparison {
    Field field;
    Op op;
    Literal value;
};

// A comparison, or a flat run of items joined by AND and OR as written (AND binds first).
struct Expr {
    std::optional<Comparison> comparison;
    std::vector<Expr> items;
    std::vector<bool> joinedByAnd;  // between items[i] and items[i + 1]
};

// The asterisk alone is special: any run of bytes.
bool WildcardMatch(const std::string& pattern, const std::string& text)
{
    size_t p = 0, t = 0, starP = std::string::npos, starT = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starT = t;
        } else if (p < pattern.size() && pattern[p] == text[t]) {
            ++p;
            ++t;
        } else if (starP != std::string::npos) {
            p = starP + 1;
            t = ++starT;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

template <class T>
bool Ordered(const T& a, Op op, const T& b)
{
    switch (op) {
    case Op::eq: return a == b;
    case Op::ne: return a != b;
    case Op::lt: return a < b;
    case Op::le: return a <= b;
    case Op::gt: return a > b;
    case Op::ge: return a >= b;
    }
    return false;
}

bool Holds(const Comparison& c, const Row& row)
{
    bool present = false;
    switch (c.field) {
    case Field::name: present = row.name.has_value(); break;
    case Field::code: present = row.code.has_value(); break;
    case Field::flag: present = row.flag.has_value(); break;
    case Field::premium: present = row.premium.has_value(); break;
    case Field::when: present = row.when.has_value(); break;
    }
    if (c.value.kind == Literal::nullValue)
        return c.op == Op::eq ? !present : present;
    if (!present)
        return c.op == Op::ne;  // no value differs from every value and orders nowhere

    switch (c.field) {
    case Field::name:
        if (c.value.text.find('*') != std::string::npos) {
            const bool match = WildcardMatch(c.value.text, *row.name);
            return c.op == Op::eq ? match : !match;
        }
        return Ordered(*row.name, c.op, c.value.text);
    case Field::code: return Ordered(*row.code, c.op, c.value.number);
    case Field::flag: return Ordered(*row.flag, c.op, c.value.number);
    case Field::premium: return Ordered(*row.premium, c.op, static_cast<double>(c.value.number));
    case Field::when: return false;
    }
    return false;
}

bool Holds(const Expr& e, const Row& row)
{
    if (e.comparison)
        return Holds(*e.comparison, row);
    // OR over the runs of items joined by AND.
    bool any = false, all = true;
    for (size_t i = 0; i < e.items.size(); ++i) {
        all = all && Holds(e.items[i], row);
        if (i + 1 == e.items.size() || !e.joinedByAnd[i]) {
            any = any || all;
            all = true;
        }
    }
    return any;
}

class Generator {
public:
    explicit Generator(uint32_t seed) : m_rng(seed) {}

    size_t Pick(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(m_rng); }
    template <class T>
    const T& PickOf(const std::vector<T>& values) { return values[Pick(values.size())]; }

    Row RandomRow(int64_t id)
    {
        Row row;
        row.id = id;
        static const std::vector<std::string> names = {"Acme", "Acme Corp", "acme", "a[b]c", "x?y", "", "Zed",
                                                       "A*B", "\xC9t\xE9", "\xC0t\xE9", "Acme\xFF", "Bob"};
        if (Pick(6))
            row.name = PickOf(names);
        if (Pick(6))
            row.code = static_cast<int64_t>(Pick(11)) - 1;
        if (Pick(6))
            row.flag = static_cast<int64_t>(Pick(2));
        if (Pick(6))
            row.premium = PickOf(std::vector<double>{-5.5, 0.0, 10.0, 10.5, 100.0});
        if (Pick(2))
            row.when = 45000.25;
        return row;
    }

    // A valid formula and what it means.
    Expr RandomExpr(int depth, std::string& text)
    {
        Expr e;
        const size_t count = 1 + Pick(depth == 0 ? 4 : 3);
        for (size_t i = 0; i < count; ++i) {
            if (i > 0) {
                const bool viaAnd = Pick(2) == 0;
                e.joinedByAnd.push_back(viaAnd);
                text += Blank() + (viaAnd ? PickOf(std::vector<std::string>{"AND", "and", "And"})
                                          : PickOf(std::vector<std::string>{"OR", "or", "oR"})) + Blank();
            }
            if (depth < 4 && Pick(4) == 0) {
                text += "(" + Blank(true);
                e.items.push_back(RandomExpr(depth + 1, text));
                text += Blank(true) + ")";
            } else {
                Expr leaf;
                leaf.comparison = RandomComparison(text);
                e.items.push_back(std::move(leaf));
            }
        }
        return e;
    }

    // Items of the language in any order, mostly wrong.
    std::string RandomSoup()
    {
        static const std::vector<std::string> items = {
            "[Name]", "[Code]", "[Flag]", "[Premium]", "[When]", "[Other]", "=", "<>", "<", "<=", ">", ">=",
            "(", ")", "AND", "or", "NULL", "true", "False", "0", "-3", "\"a*\"", "\"*\"", "\"x\"", "\"\"",
            "\"a[*]?\"", "\"", "[", "]", "!", "99999999999999999999", "-",
        };
        std::string text;
        const size_t count = Pick(14);
        for (size_t i = 0; i < count; ++i)
            text += PickOf(items) + Blank(true);
        return text;
    }

private:
    std::string Blank(bool mayBeNone = false)
    {
        static const std::vector<std::string> blanks = {" ", " ", "  ", "\t", "\n", ""};
        const std::string& b = PickOf(blanks);
        return b.empty() && !mayBeNone ? " " : b;
    }

    Comparison RandomComparison(std::string& text)
    {
        static const std::vector<std::string> opTexts = {"=", "<>", "<", "<=", ">", ">="};
        Comparison c{};
        c.field = static_cast<Field>(Pick(5));
        static const std::vector<std::string> tokens = {"[Name]", "[Code]", "[Flag]", "[Premium]", "[When]"};
        text += tokens[static_cast<size_t>(c.field)] + Blank(true);

        const bool null = c.field == Field::when || Pick(8) == 0;
        bool equalityOnly = null;
        std::string valueText;
        if (null) {
            c.value.kind = Literal::nullValue;
            valueText = PickOf(std::vector<std::string>{"NULL", "null", "Null"});
        } else if (c.field == Field::name) {
            // Inner asterisks only with ASCII around them: SQLite's GLOB reads UTF-8.
            static const std::vector<std::string> texts = {
                "Acme", "acme", "Acme Corp", "", "Zed", "A*B", "a[b]c", "x?y", "\xC9t\xE9",
                "Acme*", "*", "a[b*", "x?*", "\xC9*", "\xC0t*", "Acme\xFF*", "\xFF*", "A**",
                "*e*", "A*", "*c", "*[b]*", "*?y", "A*B*", "*o*b*", "**"};
            c.value.kind = Literal::textValue;
            c.value.text = PickOf(texts);
            equalityOnly = c.value.text.find('*') != std::string::npos;
            valueText = "\"" + c.value.text + "\"";
        } else if (c.field == Field::flag && Pick(2)) {
            c.value.kind = Literal::booleanValue;
            const bool truth = Pick(2);
            c.value.number = truth ? 1 : 0;
            valueText = truth ? PickOf(std::vector<std::string>{"TRUE", "true"})
                              : PickOf(std::vector<std::string>{"FALSE", "false"});
            equalityOnly = true;
        } else {
            c.value.kind = Literal::numberValue;
            c.value.number = static_cast<int64_t>(Pick(14)) - 6;
            valueText = std::to_string(c.value.number);
        }
        c.op = static_cast<Op>(equalityOnly ? Pick(2) : Pick(6));
        text += opTexts[static_cast<size_t>(c.op)] + Blank(true) + valueText;
        return c;
    }

    std::mt19937 m_rng;
};

class FormulaSemantics : public ::testing::Test {
protected:
    void SetUp() override
    {
        db.Execute("CREATE TABLE t (id INTEGER PRIMARY KEY, name TEXT, code INTEGER, flag INTEGER,"
                   " premium REAL, happened REAL)");
        for (int64_t id = 1; id <= 80; ++id) {
            rows.push_back(generator.RandomRow(id));
            const Row& r = rows.back();
            auto cell = [](const auto& value) -> TestDatabase::Cell {
                if (!value)
                    return std::nullopt;
                return SqlValue(*value);
            };
            auto real = [](const std::optional<double>& value) -> TestDatabase::Cell {
                if (!value)
                    return std::nullopt;
                return SqlValue(std::to_string(*value));  // REAL affinity stores the number
            };
            db.Insert("t", {SqlValue(r.id), cell(r.name), cell(r.code), cell(r.flag), real(r.premium), real(r.when)});
        }
    }

    TestDatabase db;
    Generator generator{20240229};
    std::vector<Row> rows;
    const CFormulaCompiler compiler{{
        {"[Name]", "t.name", FieldType::text},
        {"[Code]", "t.code", FieldType::integerCode},
        {"[Flag]", "t.flag", FieldType::yesNo},
        {"[Premium]", "t.premium", FieldType::amount},
        {"[When]", "t.happened", FieldType::dateTime},
    }};
};

TEST_F(FormulaSemantics, SqliteSelectsTheRowsTheFormulaMeans)
{
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        const Expr meaning = generator.RandomExpr(0, text);
        const CompiledFormula compiled = compiler.Compile(text);
        ASSERT_TRUE(compiled.ok) << text << ": " << compiled.error;

        Ids expected;
        for (const Row& row : rows)
            if (Holds(meaning, row))
                expected.push_back(row.id);
        std::string error;
        const Ids selected =
            db.Ids("SELECT id FROM t WHERE " + compiled.sql + " ORDER BY id", compiled.parameters, error);
        ASSERT_EQ(error, "") << text << " as " << compiled.sql;
        ASSERT_EQ(selected, expected) << text << " as " << compiled.sql;
    }
}

TEST_F(FormulaSemantics, WhatCompilesAlsoRuns)
{
    int accepted = 0;
    for (int round = 0; round < 20000; ++round) {
        const std::string text = generator.RandomSoup();
        const CompiledFormula compiled = compiler.Compile(text);
        if (!compiled.ok) {
            ASSERT_FALSE(compiled.error.empty()) << text;
            continue;
        }
        ++accepted;
        std::string error;
        db.Ids("SELECT id FROM t WHERE " + compiled.sql, compiled.parameters, error);
        ASSERT_EQ(error, "") << text << " as " << compiled.sql;
    }
    EXPECT_GT(accepted, 50);  // the soup does reach the SQL now and then
}

}  // namespace
