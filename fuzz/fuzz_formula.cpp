// Compiles arbitrary text as a case view formula over every catalogue field. A refusal
// must carry a message; an accepted formula must yield a condition that holds none of
// the formula's text and numbers exactly as many parameters as it binds.
#include "query/case_field_catalogue.h"
#include "server/query/formula_compiler.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

const CFormulaCompiler& Compiler()
{
    static const CFormulaCompiler compiler = [] {
        std::vector<FieldColumn> columns;
        int index = 0;
        for (const CaseFieldEntry& field : CaseFieldCatalogue::Fields())
            columns.push_back({std::string(field.token), "c.f" + std::to_string(index++),
                               static_cast<FieldType>(field.type)});
        return CFormulaCompiler(std::move(columns));
    }();
    return compiler;
}

// The placeholders ?N in order, which must be first, first + 1, ...
bool PlaceholdersCount(const std::string& sql, int first, size_t expected)
{
    size_t seen = 0;
    for (size_t i = sql.find('?'); i != std::string::npos; i = sql.find('?', i + 1)) {
        size_t end = i + 1;
        while (end < sql.size() && sql[end] >= '0' && sql[end] <= '9')
            ++end;
        if (end == i + 1 || std::stoi(sql.substr(i + 1, end - i - 1)) != first + static_cast<int>(seen))
            return false;
        ++seen;
    }
    return seen == expected;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view formula(reinterpret_cast<const char*>(data), size);
    const int first = size > 0 ? 1 + data[0] % 8 : 1;
    const CompiledFormula result = Compiler().Compile(formula, first);

    if (!result.ok) {
        if (result.error.empty() || !result.sql.empty() || !result.parameters.empty())
            std::abort();
        return 0;
    }
    if (!result.error.empty() || result.sql.empty())
        std::abort();
    // Values travel as parameters only: no quote, no bracket of a token, no keyword of
    // the user's spelling reaches the SQL.
    if (result.sql.find_first_of("\"[]'") != std::string::npos)
        std::abort();
    if (!PlaceholdersCount(result.sql, first, result.parameters.size()))
        std::abort();
    // The same text compiles the same way again.
    const CompiledFormula again = Compiler().Compile(formula, first);
    if (again.sql != result.sql || again.parameters != result.parameters)
        std::abort();
    return 0;
}
