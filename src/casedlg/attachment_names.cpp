#include "casedlg/attachment_names.h"

#include "casedlg/attachment_files.h"
#include "query/civil_date.h"
#include "records/attachment.h"
#include "records/audit_case.h"

#include <cstdio>

namespace AttachmentNames {

namespace {

std::string Fixed(const std::string& text, size_t width)
{
    std::string out = text.substr(0, width);
    out.resize(width, ' ');
    return out;
}

}  // namespace

std::string FormatDate(const CDateTime& date, char separator)
{
    DayAndTime parts;
    if (!SplitDateTime(date, parts))
        return {};
    const CivilDate day = DateOfSerial(parts.day);
    char text[32];
    std::snprintf(text, sizeof text, "%02d%c%02d%c%d", day.month, separator, day.day, separator, day.year);
    return text;
}

std::string SavedName(const std::string& caseNumber, const CAttachment& attachment)
{
    if (AttachmentFiles::IsFileKind(attachment.kind))
        return attachment.fileName;
    std::string name = caseNumber;
    const size_t colon = name.find(':');
    if (colon != std::string::npos)
        name[colon] = '_';
    return name + (attachment.kind == "SURVEY" ? ".sur" : ".aud");
}

std::string ExportName(const CAuditCase& auditCase, const std::string& extension)
{
    std::string name = Fixed(auditCase.insuredName, 20) + " " + Fixed(auditCase.policyNumber, 20) + " " +
                       FormatDate(auditCase.policyEndDate, '-');
    for (char& c : name) {
        switch (c) {
        case '.': case '"': case '/': case '\\': case '[': case ']': case ':':
        case ';': case '|': case '=': case ',': case '*': case '?':
            c = '_';
            break;
        default:
            break;
        }
    }
    return name + extension;
}

}  // namespace AttachmentNames
