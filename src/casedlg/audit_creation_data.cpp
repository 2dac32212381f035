#include "casedlg/audit_creation_data.h"

#include "casedlg/attachment_names.h"
#include "codec/archive.h"
#include "codec/mem_file.h"
#include "records/audit_case.h"

namespace AuditCreationData {

std::vector<std::string> Texts(const CAuditCase& c)
{
    using AttachmentNames::FormatDate;
    return {c.serialNumber,     c.policyType,       c.policyCarrier,   c.policyNumber,
            FormatDate(c.policyStartDate), FormatDate(c.policyEndDate),
            c.insuredName,      c.insuredCity,      c.insuredState,    c.insuredZip,
            c.insuredPhone,     c.insuredAddress1,  c.insuredAddress2, c.insuredFedId,
            c.insuredEntity,    c.auditContact,     c.auditAddress1,   c.auditAddress2,
            c.auditCity,        c.auditState,       c.auditZip,        c.auditPhone,
            FormatDate(c.auditStartDate), FormatDate(c.auditEndDate),
            std::to_string(c.auditSource), std::to_string(c.auditType), c.nonProductive ? "1" : "0"};
}

std::string Encode(const CAuditCase& auditCase)
{
    std::vector<std::string> texts = Texts(auditCase);
    CMemFile file;
    {
        CArchive archive(file, CArchive::store);
        archive.StringArray(texts);
        archive.Flush();
    }
    return file.ToString();
}

}  // namespace AuditCreationData
