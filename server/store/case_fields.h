#pragma once
// The case fields of the field catalogue as the Cases table holds them: for each token
// the column that stores it and the SQL expression a query reads it with, and how its
// values are shown in a result cell.
//
// Texts that are empty count as "no value" in formulas (so that "[SysChildName] = NULL"
// finds the cases nobody holds); "Is Productive" reads the stored non-productive mark
// the other way round.

#include "server/query/field_column.h"
#include "server/query/formula_compiler.h"

#include <string>
#include <string_view>
#include <vector>

// How the cells of a field are written (see case_cells.h).
enum class CellFormat {
    text,
    date,
    amount,
    yesNo,
    number,
    hasAttachment,      // the default attachment's id: "Yes" when there is one
    parentLinkStatus,
    childLinkStatus,
    childGroup,
    auditSource,
    auditType,
};

struct CaseField {
    std::string token;   // "[InsuredName]"
    std::string label;   // "Insured Name"
    FieldType type = FieldType::text;
    std::string column;  // the stored column, "c.Insured_Name"
    std::string value;   // the expression formulas compare and queries read
    CellFormat format = CellFormat::text;
};

// The Cases table is named "c" in every query that uses these.
const std::vector<CaseField>& CaseFields();
// The field with this token (matched exactly), or nullptr.
const CaseField* FindCaseField(std::string_view token);

// The formula compiler over the case fields.
const CFormulaCompiler& CaseFormulaCompiler();
