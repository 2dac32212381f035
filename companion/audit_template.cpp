#include "audit_template.h"

#include "codec/archive.h"
#include "codec/codec_exception.h"
#include "codec/mem_file.h"

namespace AuditTemplate {

std::optional<std::vector<std::string>> DecodeCreationData(const std::string& bytes)
{
    try {
        CMemFile file(bytes);
        CArchive archive(file, CArchive::load);
        std::vector<std::string> texts;
        archive.StringArray(texts);
        if (texts.size() != kCreationTexts)
            return std::nullopt;
        return texts;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::string EncodeCreationData(std::vector<std::string> texts)
{
    CMemFile file;
    {
        CArchive archive(file, CArchive::store);
        archive.StringArray(texts);
        archive.Flush();
    }
    return file.ToString();
}

std::string NewAudit(const std::vector<std::string>& t)
{
    auto text = [&](size_t i) { return i < t.size() ? t[i] : std::string(); };
    auto join = [](std::initializer_list<std::string> parts, const char* separator) {
        std::string out;
        for (const std::string& part : parts) {
            if (part.empty())
                continue;
            if (!out.empty())
                out += separator;
            out += part;
        }
        return out;
    };
    static const char* const kSources[] = {"Physical", "Telephone", "Mail", "Other"};
    const std::string source = text(24);
    const int sourceCode = source.size() == 1 && source[0] >= '0' && source[0] <= '3' ? source[0] - '0' : -1;

    std::string audit = "ORVENNA AUDIT 1\n";
    audit += "Title: Premium Audit\n";
    audit += "Case: " + text(0) + "\n";
    audit += "Insured: " + text(6) + "\n";
    audit += "Policy: " + join({text(1), text(3)}, " ") + "\n";
    audit += "Carrier: " + text(2) + "\n";
    audit += "Policy Period: " + text(4) + " - " + text(5) + "\n";
    audit += "Audit Period: " + text(22) + " - " + text(23) + "\n";
    audit += std::string("Audit Source: ") + (sourceCode >= 0 ? kSources[sourceCode] : source.c_str()) + "\n";
    audit += "Auditor: \n";
    audit += "\n# Insured\n";
    audit += "| Field | Value |\n|---|---|\n";
    audit += "| Address | " + join({text(11), text(12)}, ", ") + " |\n";
    audit += "| City, State, Zip | " + join({text(7), text(8), text(9)}, " ") + " |\n";
    audit += "| Phone | " + text(10) + " |\n";
    audit += "| Federal Id | " + text(13) + " |\n";
    audit += "| Entity | " + text(14) + " |\n";
    audit += "\n# Audit location\n";
    audit += "| Field | Value |\n|---|---|\n";
    audit += "| Contact | " + text(15) + " |\n";
    audit += "| Address | " + join({text(16), text(17)}, ", ") + " |\n";
    audit += "| City, State, Zip | " + join({text(18), text(19), text(20)}, " ") + " |\n";
    audit += "| Phone | " + text(21) + " |\n";
    audit += "\n# Payroll by classification\n";
    audit += "| Code | Description | Payroll |\n|---|---|---|\n";
    audit += "\n# Remarks\n";
    audit += text(26) == "1" ? "Non-productive audit.\n" : "\n";
    return audit;
}

}  // namespace AuditTemplate
