#include "casedlg/case_attachments.h"

#include "casedlg/attachment_error.h"
#include "casedlg/attachment_files.h"
#include "casedlg/attachment_names.h"
#include "casedlg/audit_creation_data.h"
#include "codec/binary_object.h"
#include "codec/class_registry.h"
#include "net/inventory_server.h"
#include "platform/audit_link.h"
#include "platform/shell_launcher.h"
#include "platform/transfer_progress_scope.h"
#include "platform/unique_file.h"
#include "platform/user_prompts.h"
#include "records/audit_case.h"
#include "report/report_classes.h"
#include "report/report_printout.h"

#include <QFile>
#include <QFileInfo>

namespace {

QString Latin1(const std::string& text)
{
    return QString::fromLatin1(text);
}

bool IsReportKind(const std::string& kind)
{
    return kind == "AUDIT" || kind == "SURVEY";
}

}  // namespace

CCaseAttachments::CCaseAttachments(CInventoryServer& server, UserPrompts& prompts, CaseAttachmentsEnv env)
    : server_(server), prompts_(prompts), env_(std::move(env))
{
    if (!env_.print.printReport && env_.shell)
        env_.print = DefaultAttachmentPrintServices(*env_.shell);
    if (env_.link) {
        env_.link->auditSaved = [this](const std::string& caseNumber, int32_t id, const std::string& bytes) {
            StoreSavedAudit(caseNumber, id, bytes);
        };
    }
}

CCaseAttachments::~CCaseAttachments()
{
    if (env_.link)
        env_.link->auditSaved = nullptr;
}

void CCaseAttachments::Message(const char* text)
{
    prompts_.Message(QString::fromLatin1(text));
}

bool CCaseAttachments::FetchCase(const std::string& caseNumber, CAuditCase& auditCase)
{
    bool received = false;
    {
        WaitCursor wait(prompts_);
        received = server_.GetCase(caseNumber, auditCase);
    }
    if (!received)
        Message("Error receiving case info from server");
    return received;
}

bool CCaseAttachments::HasReadRight() const
{
    return env_.rights && (env_.rights() & kRightsReadAttachments) != 0;
}

bool CCaseAttachments::HasWriteRight() const
{
    return env_.rights && (env_.rights() & kRightEditAttachments) != 0;
}

bool CCaseAttachments::CompanionInstalled() const
{
    return env_.link && env_.companionInstalled && env_.companionInstalled();
}

namespace {

bool CaseIsArchived(CInventoryServer& server, const std::string& caseNumber)
{
    CAuditCase auditCase;
    return server.GetCase(caseNumber, auditCase) && auditCase.childGroupCode == CAuditCase::kArchiveGroup;
}

}  // namespace

bool CCaseAttachments::HasReadRightForCase(const std::string& caseNumber)
{
    if (!HasReadRight())
        return false;
    return (env_.rights() & kRightArchivedOnly) == 0 || CaseIsArchived(server_, caseNumber);
}

bool CCaseAttachments::HasWriteRightForCase(const std::string& caseNumber)
{
    if (!HasWriteRight())
        return false;
    return (env_.rights() & kRightArchivedOnly) == 0 || CaseIsArchived(server_, caseNumber);
}

// --- The Attachments dialog ----------------------------------------------------------------

bool CCaseAttachments::ShowAttachments(const std::string& caseNumber)
{
    if (!env_.attachmentsDialog)
        return false;
    return env_.attachmentsDialog(*this, caseNumber);
}

bool CCaseAttachments::LoadList(const std::string& caseNumber, std::vector<CAttachment>& list)
{
    WaitCursor wait(prompts_);
    if (server_.GetCaseAttachments(caseNumber, list))
        return true;
    Message(AttachmentText::kListReceiveError);
    return false;
}

bool CCaseAttachments::AddNew(const std::string& caseNumber, bool caseHasAttachments)
{
    AttachmentPropsLogic props = AttachmentPropsLogic::ForNew(caseHasAttachments, CompanionInstalled());
    if (!env_.properties || !env_.properties(props))
        return false;
    return AddFromProps(caseNumber, props);
}

std::optional<std::string> CCaseAttachments::ReadChosenFile(AttachmentPropsLogic::Source source,
                                                            std::string& fileName)
{
    FileChoice choice;
    choice.overwritePrompt = false;
    switch (source) {
    case AttachmentPropsLogic::Source::auditFile:
        choice = {"Attach Audit File", "aud", "Audit Files (*.aud)|*.aud||", {}, false};
        break;
    case AttachmentPropsLogic::Source::surveyFile:
        choice = {"Attach Survey File", "sur", "Survey Files (*.sur)|*.sur||", {}, false};
        break;
    default:
        choice = {"Attach File", {}, "All Files (*.*)|*.*||", {}, false};
        break;
    }
    const std::optional<QString> path = prompts_.ChooseOpenFile(choice);
    if (!path)
        return std::nullopt;
    QString error;
    std::optional<std::string> bytes = UniqueFile::ReadAll(*path, &error);
    if (!bytes) {
        prompts_.Message(error);
        return std::nullopt;
    }
    fileName = QFileInfo(*path).fileName().toLatin1().toStdString();
    return bytes;
}

bool CCaseAttachments::AddFromProps(const std::string& caseNumber, const AttachmentPropsLogic& props)
{
    CAttachment attachment;
    attachment.name = props.Name().toLatin1().toStdString();
    attachment.printable = true;
    attachment.toBePrinted = props.ToBePrinted();
    attachment.isDefault = props.IsDefault();
    std::optional<std::string> bytes;
    switch (props.GetSource()) {
    case AttachmentPropsLogic::Source::newAudit: {
        if (!env_.link)
            return false;
        CAuditCase auditCase;
        if (!FetchCase(caseNumber, auditCase))
            return false;
        bytes = env_.link->CreateAudit(AuditCreationData::Encode(auditCase));
        attachment.kind = "AUDIT";
        break;
    }
    case AttachmentPropsLogic::Source::auditFile:
        bytes = ReadChosenFile(props.GetSource(), attachment.fileName);
        attachment.kind = "AUDIT";
        attachment.fileName.clear();
        break;
    case AttachmentPropsLogic::Source::surveyFile:
        bytes = ReadChosenFile(props.GetSource(), attachment.fileName);
        attachment.kind = "SURVEY";
        attachment.fileName.clear();
        break;
    case AttachmentPropsLogic::Source::otherFile:
        bytes = ReadChosenFile(props.GetSource(), attachment.fileName);
        attachment.kind = "FILE";
        break;
    }
    if (!bytes)
        return false;
    int result = 0;
    {
        WaitCursor wait(prompts_);
        CTransferProgressScope progress(server_, prompts_);
        result = server_.SetCaseAttachment(caseNumber, attachment, CBinaryObject(std::move(*bytes)),
                                           CInventoryServer::modeAdd);
    }
    if (result != 0) {
        Message("Attachment add failed");
        return false;
    }
    return true;
}

bool CCaseAttachments::Edit(const std::string& caseNumber, const CAttachment& attachment)
{
    AttachmentPropsLogic props =
        AttachmentPropsLogic::ForEdit(Latin1(attachment.name), attachment.toBePrinted, attachment.isDefault);
    if (!env_.properties || !env_.properties(props))
        return false;
    CAttachment changed = attachment;
    changed.name = props.Name().toLatin1().toStdString();
    changed.toBePrinted = props.ToBePrinted();
    changed.isDefault = props.IsDefault();
    int result = 0;
    {
        WaitCursor wait(prompts_);
        result = server_.SetCaseAttachment(caseNumber, changed, CBinaryObject(), CInventoryServer::modeChange);
    }
    if (result != 0) {
        Message("Attachment edit failed");
        return false;
    }
    return true;
}

bool CCaseAttachments::Remove(const std::string& caseNumber, const std::vector<CAttachment>& selection)
{
    if (selection.empty()) {
        prompts_.Message(AttachmentText::kNothingSelected, UserPrompts::Icon::exclamation, "Error");
        return false;
    }
    if (!prompts_.AskYesNo("You are about to delete " + QString::number(selection.size()) +
                           " attachment(s).  Are you sure?"))
        return false;
    bool removed = false;
    WaitCursor wait(prompts_);
    for (const CAttachment& attachment : selection) {
        const int result =
            server_.SetCaseAttachment(caseNumber, attachment, CBinaryObject(), CInventoryServer::modeDelete);
        if (result == -2) {
            Message("Case is read-only due to its linking status");
            break;
        }
        if (result < 0) {
            Message("Attachment remove failed");
            break;
        }
        removed = true;
    }
    return removed;
}

void CCaseAttachments::Open(const std::string& caseNumber, const CAttachment& attachment)
{
    if (attachment.kind == "AUDIT") {
        if (CompanionInstalled() && HasWriteRightForCase(caseNumber) &&
            prompts_.AskYesNo("Would you like to edit this document?"))
            EditAudit(caseNumber, attachment);
        else
            ShowReportAttachment(caseNumber, attachment);
    } else if (attachment.kind == "SURVEY") {
        ShowReportAttachment(caseNumber, attachment);
    } else if (AttachmentFiles::IsFileKind(attachment.kind)) {
        try {
            OpenFile(caseNumber, attachment);
        } catch (const CMyGenericException& error) {
            prompts_.Message(error.Text());
        }
    } else {
        Message(AttachmentText::kNotSupported);
    }
}

void CCaseAttachments::EditAudit(const std::string& caseNumber, const CAttachment& attachment)
{
    CBinaryObject bytes;
    bool received = false;
    {
        WaitCursor wait(prompts_);
        CTransferProgressScope progress(server_, prompts_);
        received = server_.GetCaseFileAttach(caseNumber, attachment.attachmentId, bytes);
    }
    if (!received) {
        Message(AttachmentText::kAuditReceiveError);
        return;
    }
    const std::optional<QString> file =
        CAuditLink::WriteAuditFile(static_cast<uint32_t>(attachment.attachmentId), bytes.GetBytes());
    if (!file) {
        Message(AttachmentText::kAuditReceiveError);
        return;
    }
    env_.link->EditAudit(caseNumber, attachment.attachmentId, attachment.name, *file);
}

void CCaseAttachments::ShowReportAttachment(const std::string& caseNumber, const CAttachment& attachment)
{
    const bool audit = attachment.kind == "AUDIT";
    // The printout's sections are loaded by class name.
    RegisterReportClasses(CClassRegistry::Global());
    auto report = std::make_shared<CReportPrintout>();
    bool received = false;
    {
        WaitCursor wait(prompts_);
        CTransferProgressScope progress(server_, prompts_);
        received = audit ? server_.GetCaseAuditAttach(caseNumber, attachment.attachmentId, *report)
                         : server_.GetCaseSurveyAttach(caseNumber, attachment.attachmentId, *report);
    }
    if (!received) {
        Message(audit ? AttachmentText::kAuditReceiveError : AttachmentText::kSurveyReceiveError);
        return;
    }
    if (env_.showReport)
        env_.showReport(std::move(report));
}

void CCaseAttachments::OpenFile(const std::string& caseNumber, const CAttachment& attachment)
{
    openFiles_.Sweep();
    QString path;
    {
        WaitCursor wait(prompts_);
        CTransferProgressScope progress(server_, prompts_);
        path = AttachmentFiles::FetchToTempFile(server_, caseNumber, attachment);
    }
    std::unique_ptr<ShellProcess> viewer = env_.shell ? env_.shell->Open(path) : nullptr;
    if (!viewer) {
        QFile::remove(path);
        throw CMyGenericException(AttachmentText::kOpenFailed);
    }
    openFiles_.Add(path, std::move(viewer));
}

// --- Case list commands --------------------------------------------------------------------

bool CCaseAttachments::OpenDefault(const std::string& caseNumber)
{
    if (!HasReadRightForCase(caseNumber))
        return false;
    std::vector<CAttachment> list;
    if (!LoadList(caseNumber, list))
        return false;
    for (const CAttachment& attachment : list) {
        if (attachment.isDefault) {
            Open(caseNumber, attachment);
            return false;
        }
    }
    if (!HasWriteRightForCase(caseNumber) ||
        !prompts_.AskYesNo("This case does not have a default attachment.  Would you like to create one?"))
        return false;
    CAuditCase auditCase;
    if (!FetchCase(caseNumber, auditCase))
        return false;
    AttachmentPropsLogic props = AttachmentPropsLogic::ForNew(!list.empty(), CompanionInstalled());
    props.SetName(Latin1(caseNumber + ": " + auditCase.insuredName));
    props.SetToBePrinted(true);
    props.SetDefault(true);
    if (!env_.properties || !env_.properties(props))
        return false;
    return AddFromProps(caseNumber, props);
}

void CCaseAttachments::PrintMany(const std::vector<std::string>& caseNumbers)
{
    if (!HasReadRight()) {
        Message("Your access rights do not allow printing case attachments");
        return;
    }
    if (!prompts_.AskYesNo("You are about to print attachments for " + QString::number(caseNumbers.size()) +
                           " case(s).  Are you sure?"))
        return;
    for (const std::string& caseNumber : caseNumbers) {
        if (!HasReadRightForCase(caseNumber)) {
            prompts_.Message("Your access rights do not allow printing this case's attachment: " + Latin1(caseNumber));
            continue;
        }
        if (!PrintCaseAttachments(server_, prompts_, caseNumber, 1, env_.print)) {
            Message("Error printing attachments");
            return;
        }
    }
}

void CCaseAttachments::SaveMany(const std::vector<std::string>& caseNumbers)
{
    const std::optional<QString> folder = prompts_.ChooseFolder("Select Folder to Save Attachments", {});
    if (!folder)
        return;
    for (const std::string& caseNumber : caseNumbers) {
        WaitCursor wait(prompts_);
        if (!HasReadRightForCase(caseNumber)) {
            prompts_.Message("Your access rights do not allow saving this case's attachment: " + Latin1(caseNumber));
            continue;
        }
        std::vector<CAttachment> list;
        if (!server_.GetCaseAttachments(caseNumber, list)) {
            Message(AttachmentText::kListReceiveError);
            return;
        }
        try {
            // Gone before a failure is shown.
            CTransferProgressScope progress(server_, prompts_);
            for (const CAttachment& attachment : list) {
                if (!IsReportKind(attachment.kind) && attachment.kind != "FILE")
                    continue;
                CBinaryObject bytes;
                if (!server_.GetCaseFileAttach(caseNumber, attachment.attachmentId, bytes))
                    throw CMyGenericException(AttachmentText::kFileReceiveError);
                QString error;
                if (!UniqueFile::Create(*folder, AttachmentNames::SavedName(caseNumber, attachment), bytes.GetBytes(),
                                        &error))
                    throw CMyGenericException(error.toLatin1().toStdString());
            }
        } catch (const CMyGenericException& error) {
            prompts_.Message("Error processing case #" + Latin1(caseNumber) + ":  " + error.Text());
            return;
        }
    }
}

void CCaseAttachments::ExportMany(const std::vector<std::string>& caseNumbers, ExportKind kind)
{
    static const char* const kExtensions[] = {".pdf", ".tif", ".xps"};
    const std::optional<QString> folder = prompts_.ChooseFolder("Select Folder to Save Files", {});
    if (!folder)
        return;
    for (const std::string& caseNumber : caseNumbers) {
        WaitCursor wait(prompts_);
        CAuditCase auditCase;
        if (!server_.GetCase(caseNumber, auditCase)) {
            prompts_.Message("Error receiving case from server: " + Latin1(caseNumber));
            continue;
        }
        if (!HasReadRight() ||
            ((env_.rights() & kRightArchivedOnly) != 0 && auditCase.childGroupCode != CAuditCase::kArchiveGroup)) {
            prompts_.Message("Your access rights do not allow exporting this case's attachment: " +
                             Latin1(caseNumber));
            continue;
        }
        std::vector<CAttachment> list;
        if (!server_.GetCaseAttachments(caseNumber, list)) {
            Message(AttachmentText::kListReceiveError);
            return;
        }
        try {
            // Gone before a failure is shown.
            CTransferProgressScope progress(server_, prompts_);
            for (const CAttachment& attachment : list) {
                if (!IsReportKind(attachment.kind))
                    continue;
                const bool audit = attachment.kind == "AUDIT";
                const int32_t id = attachment.attachmentId;
                CBinaryObject document;
                bool received = false;
                if (kind == ExportKind::pdf) {
                    received = audit ? server_.GetCaseAuditAttachPdf(caseNumber, id, document)
                                     : server_.GetCaseSurveyAttachPdf(caseNumber, id, document);
                } else {
                    const auto format =
                        kind == ExportKind::tiff ? CInventoryServer::outputTiff : CInventoryServer::outputXps;
                    received = audit ? server_.GetCaseAuditAttachDoc(caseNumber, id, format, document)
                                     : server_.GetCaseSurveyAttachDoc(caseNumber, id, format, document);
                }
                if (!received || document.GetSize() == 0)
                    throw CMyGenericException("Error receiving attachment from server");
                const std::string name =
                    AttachmentNames::ExportName(auditCase, kExtensions[static_cast<int>(kind)]);
                QString error;
                if (!UniqueFile::Create(*folder, name, document.GetBytes(), &error))
                    throw CMyGenericException(error.toLatin1().toStdString());
            }
        } catch (const CMyGenericException& error) {
            prompts_.Message("Error processing case #" + Latin1(caseNumber) + ":  " + error.Text());
            return;
        }
    }
}

// --- Companion application -----------------------------------------------------------------

void CCaseAttachments::StoreSavedAudit(const std::string& caseNumber, int32_t attachmentId, const std::string& bytes)
{
    if (env_.ensureSession && !env_.ensureSession()) {
        Message("Error sending audit to server");
        return;
    }
    bool stored = false;
    {
        WaitCursor wait(prompts_);
        CTransferProgressScope progress(server_, prompts_);
        stored = server_.SetCaseAuditAttach(caseNumber, attachmentId, CBinaryObject(bytes));
    }
    if (!stored)
        Message("Error sending audit to server");
}

bool CCaseAttachments::CanClose()
{
    return !env_.link || env_.link->CanClose();
}
