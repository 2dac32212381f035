#include "casedlg/attachment_files.h"

#include "casedlg/attachment_error.h"
#include "codec/binary_object.h"
#include "net/inventory_server.h"
#include "platform/unique_file.h"
#include "records/attachment.h"

namespace AttachmentFiles {

bool IsFileKind(const std::string& kind)
{
    return kind.compare(0, 4, "FILE") == 0;
}

QString FetchToTempFile(CInventoryServer& server, const std::string& caseNumber, const CAttachment& attachment,
                        const QString& folder)
{
    CBinaryObject bytes;
    if (!server.GetCaseFileAttach(caseNumber, attachment.attachmentId, bytes))
        throw CMyGenericException(AttachmentText::kFileReceiveError);
    const QString where = folder.isEmpty() ? PrivateTempFolder() : folder;
    if (where.isEmpty())
        throw CMyGenericException(AttachmentText::kFileReceiveError);
    const std::optional<QString> path = UniqueFile::Create(where, attachment.fileName, bytes.GetBytes());
    if (!path)
        throw CMyGenericException(AttachmentText::kFileReceiveError);
    return *path;
}

}  // namespace AttachmentFiles
