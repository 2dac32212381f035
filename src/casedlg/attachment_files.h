#pragma once
// Attachment bytes on the local disk: a file attachment fetched from the server into a
// new file of the private temporary folder, named after the attachment's file name.

#include <QString>

#include <string>

class CAttachment;
class CInventoryServer;

namespace AttachmentFiles {

// True for kind "FILE" (compared on its first four characters, as the server's kinds
// may carry more).
bool IsFileKind(const std::string& kind);

// GETCASEFILEATTACH into a new file of `folder` (PrivateTempFolder() when empty) named
// after the attachment's file name, made unique. Its path; throws CMyGenericException
// with "Error receiving file attachment from server" when the bytes cannot be had or
// written.
QString FetchToTempFile(CInventoryServer& server, const std::string& caseNumber, const CAttachment& attachment,
                        const QString& folder = {});

}  // namespace AttachmentFiles
