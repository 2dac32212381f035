#include "server/store/case_fields.h"

#include "query/case_field_catalogue.h"

#include <map>

namespace {

// Catalogue columns that name a related table, and the Cases columns that hold them.
const std::map<std::string_view, std::string_view>& StoredNames()
{
    static const std::map<std::string_view, std::string_view> names = {
        {"Region.Name", "RegionName"},
        {"Territory.Name", "TerritoryName"},
        {"Parent.Name", "ParentName"},
        {"ChildUser.Name", "ChildName"},
    };
    return names;
}

// Integer codes shown by name.
const std::map<std::string_view, CellFormat>& CodeFormats()
{
    static const std::map<std::string_view, CellFormat> formats = {
        {"[DefAttachID]", CellFormat::hasAttachment},
        {"[SysParentStatus]", CellFormat::parentLinkStatus},
        {"[SysChildStatus]", CellFormat::childLinkStatus},
        {"[ChildGroupCode]", CellFormat::childGroup},
        {"[AuditSrcCode]", CellFormat::auditSource},
        {"[AuditType]", CellFormat::auditType},
    };
    return formats;
}

CellFormat FormatOf(std::string_view token, FieldType type)
{
    switch (type) {
    case FieldType::dateTime: return CellFormat::date;
    case FieldType::amount: return CellFormat::amount;
    case FieldType::yesNo: return CellFormat::yesNo;
    case FieldType::integerCode: {
        const auto found = CodeFormats().find(token);
        return found == CodeFormats().end() ? CellFormat::number : found->second;
    }
    case FieldType::text: break;
    }
    return CellFormat::text;
}

std::vector<CaseField> MakeFields()
{
    std::vector<CaseField> fields;
    for (const CaseFieldEntry& entry : CaseFieldCatalogue::Fields()) {
        CaseField field;
        field.token = std::string(entry.token);
        field.label = std::string(entry.label);
        field.type = static_cast<FieldType>(entry.type);
        const auto stored = StoredNames().find(entry.column);
        field.column = "c." + std::string(stored == StoredNames().end() ? entry.column : stored->second);
        if (field.token == "[IsProductive]")
            field.value = "(CASE WHEN " + field.column + " = 0 THEN 1 ELSE 0 END)";  // the column marks non-productive audits
        else if (field.type == FieldType::text)
            field.value = "NULLIF(" + field.column + ", '')";
        else
            field.value = field.column;
        field.format = FormatOf(field.token, field.type);
        fields.push_back(std::move(field));
    }
    return fields;
}

}  // namespace

const std::vector<CaseField>& CaseFields()
{
    static const std::vector<CaseField> fields = MakeFields();
    return fields;
}

const CaseField* FindCaseField(std::string_view token)
{
    for (const CaseField& field : CaseFields())
        if (field.token == token)
            return &field;
    return nullptr;
}

const CFormulaCompiler& CaseFormulaCompiler()
{
    static const CFormulaCompiler compiler = [] {
        std::vector<FieldColumn> columns;
        for (const CaseField& field : CaseFields())
            columns.push_back({field.token, field.value, field.type});
        return CFormulaCompiler(std::move(columns));
    }();
    return compiler;
}
