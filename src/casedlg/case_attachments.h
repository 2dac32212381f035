#pragma once
// Everything the case list does with attachments, without windows of its own: the
// Attachments dialog's operations (list, add each kind, edit, remove, open), opening the
// default attachment (and offering to create one), printing, saving and exporting the
// attachments of many cases, and the audits edited in the companion application.
//
// It takes the document's server and prompts; the dialogs, the report pane and the
// companion link come in through CaseAttachmentsEnv, so that tests drive every flow.

#include "casedlg/attachment_props_logic.h"
#include "casedlg/case_attachment_printer.h"
#include "casedlg/open_attachment_list.h"
#include "records/attachment.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CAuditCase;
class CAuditLink;
class CCaseAttachments;
class CInventoryServer;
class CReportPrintout;
class ShellLauncher;
class UserPrompts;

struct CaseAttachmentsEnv {
    // The user's access-rights bit set.
    std::function<int32_t()> rights;
    // Shows a report (an audit or survey) in the report pane.
    std::function<void(std::shared_ptr<CReportPrintout>)> showReport;
    // "Attachment Properties": edits the logic in place, true on OK.
    std::function<bool(AttachmentPropsLogic&)> properties;
    // "Attachments" for one case; true when attachments were changed.
    std::function<bool(CCaseAttachments&, const std::string& caseNumber)> attachmentsDialog;
    // Makes sure the session is up before an audit saved in the companion is stored
    // (logging in anew when needed); false when it is not.
    std::function<bool()> ensureSession;
    ShellLauncher* shell = nullptr;
    CAuditLink* link = nullptr;            // none: audits are only shown
    std::function<bool()> companionInstalled;  // none: never
    AttachmentPrintServices print;         // default: the default printer and `shell`
};

class CCaseAttachments {
public:
    static constexpr int32_t kRightViewAttachments = 0x40;
    static constexpr int32_t kRightEditAttachments = 0x80;
    static constexpr int32_t kRightsReadAttachments = 0xC0;
    static constexpr int32_t kRightArchivedOnly = 0x400000;

    enum class ExportKind { pdf = 0, tiff = 1, xps = 2 };

    CCaseAttachments(CInventoryServer& server, UserPrompts& prompts, CaseAttachmentsEnv env);
    ~CCaseAttachments();

    UserPrompts& Prompts() { return prompts_; }
    bool HasReadRight() const;
    bool HasWriteRight() const;
    // The right for one case: with the archived-only right the case must be archived
    // (GETCASE tells).
    bool HasReadRightForCase(const std::string& caseNumber);
    bool HasWriteRightForCase(const std::string& caseNumber);
    bool CompanionInstalled() const;

    // --- The Attachments dialog -------------------------------------------------------
    // Attachments (32832): runs the dialog; true when attachments were changed.
    bool ShowAttachments(const std::string& caseNumber);
    // GETCASEATTACHMENTS; false after "Error receiving attachments from server".
    bool LoadList(const std::string& caseNumber, std::vector<CAttachment>& list);
    // New...: the properties dialog, then the kind chosen; true when one was added.
    bool AddNew(const std::string& caseNumber, bool caseHasAttachments);
    // Adds after the properties dialog was answered with OK.
    bool AddFromProps(const std::string& caseNumber, const AttachmentPropsLogic& props);
    // Properties...: true when it was changed.
    bool Edit(const std::string& caseNumber, const CAttachment& attachment);
    // Remove: asks, then removes in order; true when any was removed.
    bool Remove(const std::string& caseNumber, const std::vector<CAttachment>& selection);
    // Open: by kind (audit edited or shown, survey shown, file in a viewer).
    void Open(const std::string& caseNumber, const CAttachment& attachment);

    // --- Case list commands -----------------------------------------------------------
    // Open default attachment (32816, double click); true when one was created.
    bool OpenDefault(const std::string& caseNumber);
    void PrintMany(const std::vector<std::string>& caseNumbers);
    void SaveMany(const std::vector<std::string>& caseNumbers);
    void ExportMany(const std::vector<std::string>& caseNumbers, ExportKind kind);

    // --- Companion application ---------------------------------------------------------
    // An audit saved in the companion: stored with SETCASEAUDITATTACH.
    void StoreSavedAudit(const std::string& caseNumber, int32_t attachmentId, const std::string& bytes);
    bool CanClose();

    COpenAttachmentList& OpenFiles() { return openFiles_; }

private:
    void Message(const char* text);
    // GETCASE under a wait cursor; "Error receiving case info from server" when it fails.
    bool FetchCase(const std::string& caseNumber, CAuditCase& auditCase);
    void EditAudit(const std::string& caseNumber, const CAttachment& attachment);
    void ShowReportAttachment(const std::string& caseNumber, const CAttachment& attachment);
    void OpenFile(const std::string& caseNumber, const CAttachment& attachment);
    std::optional<std::string> ReadChosenFile(AttachmentPropsLogic::Source source, std::string& fileName);

    CInventoryServer& server_;
    UserPrompts& prompts_;
    CaseAttachmentsEnv env_;
    COpenAttachmentList openFiles_;
};
