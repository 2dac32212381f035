#pragma once
// The failure of an attachment operation that spans several server calls and files: it
// carries the one message text that the caller shows or logs.

#include <QString>

#include <stdexcept>
#include <string>

class CMyGenericException : public std::runtime_error {
public:
    explicit CMyGenericException(const std::string& text) : std::runtime_error(text) {}
    QString Text() const { return QString::fromLatin1(what()); }
};

namespace AttachmentText {
inline constexpr const char* kFileReceiveError = "Error receiving file attachment from server";
inline constexpr const char* kOpenFailed = "Open file attachment failed - Target App";
inline constexpr const char* kPrintFailed = "Print file attachment failed - Target App";
inline constexpr const char* kAuditReceiveError = "Error receiving audit from server";
inline constexpr const char* kSurveyReceiveError = "Error receiving survey from server";
inline constexpr const char* kListReceiveError = "Error receiving attachments from server";
inline constexpr const char* kNothingSelected = "Nothing has been selected!";
inline constexpr const char* kNotSupported = "This type of attachment is not supported";
}  // namespace AttachmentText
