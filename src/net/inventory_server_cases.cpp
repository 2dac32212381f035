// Cases, their details, attachments and billing entries.

#include "net/inventory_server.h"

#include "codec/binary_object.h"
#include "net/inventory_server_items.h"
#include "records/attachment.h"
#include "records/audit_case.h"
#include "records/billing_entry.h"
#include "records/case_multi_props.h"
#include "records/case_schedule_info.h"
#include "records/multi_billing_entry.h"
#include "records/policy_page.h"
#include "records/progress_rpt_entry.h"
#include "records/region_loc_rec.h"
#include "records/tracking_entry.h"

using namespace inventory_items;

// --- Cases ----------------------------------------------------------------------------------

bool CInventoryServer::GetCase(const std::string& caseId, CAuditCase& auditCase)
{
    CCommandRequest request(*this, "GETCASE");
    return request.Text(caseId).Sent() && ReceiveRecord(*this, auditCase, kReplyTimeout);
}

int CInventoryServer::SetCase(const std::string& caseId, const CAuditCase& auditCase)
{
    CCommandRequest request(*this, "SETCASE");
    if (!request.Text(caseId).Record(auditCase).Sent())
        return kCommandFailed;
    return ReceiveCode(*this, kReplyTimeout, kCommandFailed);
}

std::string CInventoryServer::CreateCase(const CAuditCase& auditCase)
{
    CCommandRequest request(*this, "CREATECASE");
    std::string caseId;
    if (request.Record(auditCase).Sent())
        ReceiveString(caseId, kReplyTimeout);  // stores the text only when it arrived
    return caseId;
}

int CInventoryServer::DeleteCases(const CaseIds& caseIds)
{
    CCommandRequest request(*this, "DELETECASES");
    if (!request.Texts(caseIds).Sent())
        return kCommandFailed;
    return ReceiveCode(*this, kReplyTimeout, kCommandFailed);
}

int CInventoryServer::ResetCaseLinks(const CaseIds& caseIds, LinkReset which)
{
    CCommandRequest request(*this, "RESETCASELINKS");
    if (!request.Texts(caseIds).Int(which).Sent())
        return kCommandFailed;
    return ReceiveCode(*this, kReplyTimeout, kCommandFailed);
}

int CInventoryServer::GetMultiCaseProps(const CaseIds& caseIds, CCaseMultiProps& props)
{
    CCommandRequest request(*this, "GETMULTICASEPROPS");
    if (!request.Texts(caseIds).Sent())
        return kCommandFailed;
    int32_t status = 0;
    if (!ReceiveStatus(*this, status, kReplyTimeout))
        return kCommandFailed;
    if (status != 0)
        return status;  // a refusal comes without the record
    return ReceiveRecord(*this, props, kDefaultReply) ? 0 : kCommandFailed;
}

int CInventoryServer::SetMultiCaseProps(const CaseIds& caseIds, const CCaseMultiProps& props)
{
    CCommandRequest request(*this, "SETMULTICASEPROPS");
    if (!request.Texts(caseIds).Record(props).Sent())
        return kCommandFailed;
    return ReceiveCode(*this, kReplyTimeout, kCommandFailed);
}

bool CInventoryServer::GetTerritoryByLoc(const CRegionLocRec& location, CRegionTerrRec& territory)
{
    CCommandRequest request(*this, "GETTERRITORYBYLOC");
    return request.Record(location).Sent() && ReceiveRecord(*this, territory, kReplyTimeout);
}

bool CInventoryServer::GetCityStateFromZip(const std::string& postalCode, std::vector<std::string>& cityState)
{
    CCommandRequest request(*this, "GETCITYSTATEFROMZIP");
    return request.Text(postalCode).Sent() && ReceiveTexts(*this, cityState, kReplyTimeout);
}

// --- Case details ---------------------------------------------------------------------------

bool CInventoryServer::GetCaseTracking(const std::string& caseId, std::vector<CTrackingEntry>& history)
{
    CCommandRequest request(*this, "GETCASETRACKING");
    return request.Text(caseId).Sent() && ReceiveRecords(*this, history, kReplyTimeout);
}

bool CInventoryServer::GetCasePolicyDetail(const std::string& caseId, std::vector<CPolicyPage>& pages)
{
    CCommandRequest request(*this, "GETCASEPOLICYDETAIL");
    return request.Text(caseId).Sent() && ReceiveRecords(*this, pages, kReplyTimeout);
}

bool CInventoryServer::SetCasePolicyDetail(const std::string& caseId, const std::vector<CPolicyPage>& pages)
{
    CCommandRequest request(*this, "SETCASEPOLICYDETAIL");
    return request.Text(caseId).Records(pages).Sent() && ReceiveSuccess(*this, kReplyTimeout);
}

bool CInventoryServer::GetCaseScheduleInfo(const std::string& caseId, CCaseScheduleInfo& schedule)
{
    CCommandRequest request(*this, "GETCASESCHEDULEINFO");
    return request.Text(caseId).Sent() && ReceiveRecord(*this, schedule, kReplyTimeout);
}

bool CInventoryServer::SetCaseScheduleInfo(const std::string& caseId, const CCaseScheduleInfo& schedule)
{
    CCommandRequest request(*this, "SETCASESCHEDULEINFO");
    return request.Text(caseId).Record(schedule).Sent() && ReceiveSuccess(*this, kReplyTimeout);
}

bool CInventoryServer::SetCaseProgressRpt(const std::string& caseId, const CProgressRptEntry& entry, EditMode mode)
{
    CCommandRequest request(*this, "SETCASEPROGRESSRPT");
    return request.Text(caseId).Record(entry).Int(mode).Sent() && ReceiveSuccess(*this, kReplyTimeout);
}

bool CInventoryServer::GetCaseProgressRpts(const std::string& caseId, std::vector<CProgressRptEntry>& entries)
{
    CCommandRequest request(*this, "GETCASEPROGRESSRPTS");
    return request.Text(caseId).Sent() && ReceiveRecords(*this, entries, kReplyTimeout);
}

// --- Attachments ----------------------------------------------------------------------------

bool CInventoryServer::GetCaseAuditAttach(const std::string& caseId, int32_t attachmentId, CObject& printout)
{
    CCommandRequest request(*this, "GETCASEAUDITATTACH");
    return request.Text(caseId).Int(attachmentId).Sent() && ReceiveObject(printout, kReplyTimeout);
}

bool CInventoryServer::GetCaseSurveyAttach(const std::string& caseId, int32_t attachmentId, CObject& printout)
{
    CCommandRequest request(*this, "GETCASESURVEYATTACH");
    return request.Text(caseId).Int(attachmentId).Sent() && ReceiveObject(printout, kReplyTimeout);
}

bool CInventoryServer::GetCaseFileAttach(const std::string& caseId, int32_t attachmentId, CBinaryObject& file)
{
    CCommandRequest request(*this, "GETCASEFILEATTACH");
    return request.Text(caseId).Int(attachmentId).Sent() && ReceiveRecord(*this, file, kReplyTimeout);
}

bool CInventoryServer::GetCaseAttachments(const std::string& caseId, std::vector<CAttachment>& attachments)
{
    CCommandRequest request(*this, "GETCASEATTACHMENTS");
    return request.Text(caseId).Sent() && ReceiveRecords(*this, attachments, kReplyTimeout);
}

int CInventoryServer::SetCaseAttachment(const std::string& caseId, const CAttachment& attachment,
                                        const CBinaryObject& file, EditMode mode)
{
    CCommandRequest request(*this, "SETCASEATTACHMENT");
    if (!request.Text(caseId).Record(attachment).Record(file).Int(mode).Sent())
        return kCommandFailed;
    return ReceiveCode(*this, kReplyTimeout, kCommandFailed);
}

bool CInventoryServer::SetCaseAuditAttach(const std::string& caseId, int32_t attachmentId, const CBinaryObject& audit)
{
    CCommandRequest request(*this, "SETCASEAUDITATTACH");
    return request.Text(caseId).Int(attachmentId).Record(audit).Sent() && ReceiveSuccess(*this, kReplyTimeout);
}

bool CInventoryServer::GetCaseAuditAttachPdf(const std::string& caseId, int32_t attachmentId, CBinaryObject& document)
{
    CCommandRequest request(*this, "GETCASEAUDITATTACHPDF");
    return request.Text(caseId).Int(attachmentId).Sent() && ReceiveRecord(*this, document, kReplyTimeout);
}

bool CInventoryServer::GetCaseSurveyAttachPdf(const std::string& caseId, int32_t attachmentId,
                                              CBinaryObject& document)
{
    CCommandRequest request(*this, "GETCASESURVEYATTACHPDF");
    return request.Text(caseId).Int(attachmentId).Sent() && ReceiveRecord(*this, document, kReplyTimeout);
}

bool CInventoryServer::GetCaseAuditAttachDoc(const std::string& caseId, int32_t attachmentId, ReportOutput format,
                                             CBinaryObject& document)
{
    CCommandRequest request(*this, "GETCASEAUDITATTACHDOC");
    return request.Text(caseId).Int(attachmentId).Int(format).Sent() &&
           ReceiveRecord(*this, document, kReplyTimeout);
}

bool CInventoryServer::GetCaseSurveyAttachDoc(const std::string& caseId, int32_t attachmentId, ReportOutput format,
                                              CBinaryObject& document)
{
    CCommandRequest request(*this, "GETCASESURVEYATTACHDOC");
    return request.Text(caseId).Int(attachmentId).Int(format).Sent() &&
           ReceiveRecord(*this, document, kReplyTimeout);
}

// --- Billing entries ------------------------------------------------------------------------

bool CInventoryServer::SetCaseBillingEntry(const std::string& caseId, const CBillingEntry& entry, EditMode mode)
{
    CCommandRequest request(*this, "SETCASEBILLINGENTRY");
    return request.Text(caseId).Record(entry).Int(mode).Sent() && ReceiveSuccess(*this, kReplyTimeout);
}

bool CInventoryServer::GetCaseBillingEntries(const std::string& caseId, std::vector<CBillingEntry>& entries)
{
    CCommandRequest request(*this, "GETCASEBILLINGENTRIES");
    return request.Text(caseId).Sent() && ReceiveRecords(*this, entries, kReplyTimeout);
}

bool CInventoryServer::GetMultiCaseBilling(const CaseIds& caseIds, MultiBillingParties parties,
                                           std::vector<CMultiBillingEntry>& entries)
{
    CCommandRequest request(*this, "GETMULTICASEBILLING");
    return request.Texts(caseIds).Int(parties).Sent() && ReceiveRecords(*this, entries, kReplyTimeout);
}

bool CInventoryServer::SetMultiCaseBilling(const std::vector<CMultiBillingEntry>& entries)
{
    CCommandRequest request(*this, "SETMULTICASEBILLING");
    return request.Records(entries).Sent() && ReceiveSuccess(*this, kReplyTimeout);
}

bool CInventoryServer::GetCaseDefBillingEntry(const std::string& caseId, const std::string& party, bool partyIsChild,
                                              CBillingEntry& entry)
{
    CCommandRequest request(*this, "GETCASEDEFBILLINGENTRY");
    if (!request.Text(caseId).Text(party).Int(partyIsChild ? 1 : 0).Sent())
        return false;
    // The entry comes first and the status after it; the entry counts only with status 0.
    CBillingEntry proposed;
    if (!ReceiveRecord(*this, proposed, kReplyTimeout) || !ReceiveSuccess(*this, kReplyTimeout))
        return false;
    entry = std::move(proposed);
    return true;
}
