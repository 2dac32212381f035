#pragma once
// The names under which attachments land in a folder the user chose: saved audits and
// surveys under the case number, files under their own name, exported documents under
// the insured name, policy number and expiration date. Every name is reduced to its last
// path component before it touches the disk (UniqueFile::LastPathComponent).

#include "codec/date_time.h"

#include <string>

class CAttachment;
class CAuditCase;

namespace AttachmentNames {

// The date as "%m/%d/%Y" (or with another separator); empty when it is not a valid date.
std::string FormatDate(const CDateTime& date, char separator = '/');

// Save Attachments: "AUDIT" as case number + ".aud", "SURVEY" as case number + ".sur"
// (the first ':' of the case number replaced by '_'), "FILE" under its file name.
std::string SavedName(const std::string& caseNumber, const CAttachment& attachment);

// Export to PDF, TIFF or XPS: the insured name cut or padded with spaces to 20
// characters, a space, the policy number likewise, a space, the policy expiration date
// as "%m-%d-%Y"; every one of . " / \ [ ] : ; | = , * ? replaced by '_'; then the
// extension (".pdf", ".tif" or ".xps").
std::string ExportName(const CAuditCase& auditCase, const std::string& extension);

}  // namespace AttachmentNames
