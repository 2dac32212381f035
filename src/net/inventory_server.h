#pragma once
// The client side of every command of the inventory server: one operation per command
// word. Each sends the command line, then its arguments in their fixed order, then reads
// the reply items in their fixed order with the command's reply time-out.
//
// Results follow three conventions:
//   bool "record"  true when every send succeeded and the reply record was loaded;
//   bool "status"  true when every send succeeded and the server answered 0;
//   int  "code"    the server's status (0 success, other values its refusal codes) when
//                  every send and the status read succeeded; -1 otherwise.
// A few commands have results of their own; their comments say so.
//
// Reply records reach the caller's objects only when the whole reply arrived and, where
// a status comes with them, the status was 0: on any failure the caller's data is left
// as it was. The exception are the attachment printouts, which are loaded straight into
// the caller's object (see there). Nothing here shows a message or throws.
//
// After a failure the conversation may be out of step with the server; nothing here
// tries to recover. The caller drops the connection (CServerConnector logs in anew).

#include "net/server_session.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CAdminChildUser;
class CAdminParentUser;
class CAdminRegion;
class CAdminTerritory;
class CAttachment;
class CAuditCase;
class CBillingDef;
class CBillingEntry;
class CBinaryObject;
class CCaseMultiProps;
class CCaseQueryData;
class CCaseQueryRequestInfo;
class CCaseQueryResults;
class CCaseScheduleInfo;
class CCaseViewParam;
class CInventoryInfo;
class CMultiBillingEntry;
class CPolicyPage;
class CProgressRptEntry;
class CRegionLocRec;
class CRegionTerrRec;
class CReportPropItem;
class CReportViewParam;
class CTrackingEntry;
class CUIDialog;

class CInventoryServer : public CServerSession {
public:
    // Reply time-outs in seconds; kDefaultReply stands for the session's default (300).
    static constexpr int kReplyTimeout = 600;
    static constexpr int kLongReplyTimeout = 3600;  // report generation, parent sync
    static constexpr int kDefaultReply = -1;

    // The client's own code for a command whose exchange broke down.
    static constexpr int kCommandFailed = -1;

    // Mode argument of the commands that add, change or delete an item.
    enum EditMode : int32_t { modeAdd = 0, modeChange = 1, modeDelete = 2 };

    // What GENERATECASEREPORTVIEW returns, and the document format of the attachment
    // exports (which take only TIFF and XPS).
    enum ReportOutput : int32_t { outputPrintout = 0, outputPdf = 1, outputTiff = 2, outputXps = 3 };

    // Which linking statuses RESETCASELINKS clears.
    enum LinkReset : int32_t { resetBothLinks = 0, resetParentLink = 1, resetChildLink = 2 };

    // For whom GETMULTICASEBILLING proposes entries.
    enum MultiBillingParties : int32_t { billParents = 0, billChildren = 1, billParentsAndChildren = 2 };

    // The kind of account whose billing defaults are meant.
    enum AccountKind : int32_t { parentAccount = 0, childAccount = 1 };

    // SYNCPARENT's own texts for an exchange that broke down.
    static constexpr const char* kSyncSendCommandFailed = "Error sending command to server";
    static constexpr const char* kSyncSendNameFailed = "Error sending Parent Name to server";
    static constexpr const char* kSyncReceiveFailed = "Error receiving status string";

    using CaseIds = std::vector<std::string>;
    template <class T>
    using Objects = std::vector<std::shared_ptr<T>>;

    // Registers the record classes with the global class registry, so that the nested
    // records of every reply can be loaded. The report printout classes are the report
    // layer's to register.
    // The default bound on a reply's payload (see the constructor).
    static constexpr int64_t kMaxReplyPayloadBytes = int64_t{160} << 20;

    CInventoryServer();

    // Bounds the replies believed to `payloadBytes` on the wire and four times that once
    // expanded (the settings file's [Settings] "MaxReplyMB" sets it for the program).
    void SetReplyLimit(int64_t payloadBytes);

    // --- Case views and queries -------------------------------------------------------
    // GETCASEVIEWPARAMSET: the user's case views. Record, default time-out.
    bool GetCaseViewParamSet(std::vector<CCaseViewParam>& views);
    // GENERATECASEVIEW: runs a case view. Record.
    bool GenerateCaseView(const CCaseQueryRequestInfo& request, CCaseQueryResults& results);
    // GETCASEVIEW: one case view definition by number. Record.
    bool GetCaseView(int32_t viewNumber, CCaseQueryData& view);
    // SETCASEVIEW: stores a definition; number -1 stores a new view. Status.
    bool SetCaseView(int32_t viewNumber, const CCaseQueryData& view);
    // GETCASEVIEWPROPSET: all case view definitions of an account. Record.
    bool GetCaseViewPropSet(const std::string& accountKey, Objects<CCaseQueryData>& views);
    // SETCASEVIEWPROPSET: replaces them. Status.
    bool SetCaseViewPropSet(const std::string& accountKey, const Objects<CCaseQueryData>& views);

    // --- Inventory ---------------------------------------------------------------------
    // GETINVENTORYINFO: the user's tree lists, rights and defaults. Record, default
    // time-out.
    bool GetInventoryInfo(bool showHiddenNodes, CInventoryInfo& info);

    // --- Report views -------------------------------------------------------------------
    // GETREPORTVIEWPARAMSET: the user's report views. Record, default time-out.
    bool GetReportViewParamSet(std::vector<CReportViewParam>& views);
    // GENERATECASEREPORTVIEW: runs a report view over the given cases (none: the whole
    // inventory). For outputPrintout the block holds the archive bytes of a report
    // printout, otherwise the finished document. Record, 3600 seconds.
    bool GenerateCaseReportView(const std::string& viewName, const CaseIds& caseIds, ReportOutput output,
                                CBinaryObject& block);
    // GETREPORTVIEW: the view's settings dialog with the session's values. Record.
    bool GetReportView(const std::string& viewName, CUIDialog& dialog);
    // SETREPORTVIEW: stores the edited values. Status.
    bool SetReportView(const std::string& viewName, const CUIDialog& dialog);
    // GETREPORTVIEWPROPSET: an account's report view list. Record.
    bool GetReportViewPropSet(const std::string& accountKey, Objects<CReportPropItem>& views);
    // SETREPORTVIEWPROPSET: replaces it. Status.
    bool SetReportViewPropSet(const std::string& accountKey, const Objects<CReportPropItem>& views);
    // GETREPORTFILENAMES: the server's report files. Record, default time-out.
    bool GetReportFileNames(std::vector<std::string>& fileNames);
    // ADMINGETREPORTVIEW: the settings dialog for a report file and settings bytes.
    // Record.
    bool AdminGetReportView(const CReportPropItem& item, CUIDialog& dialog);
    // ADMINSETREPORTVIEW: sends the edited dialog and the item; the server answers a
    // status and, only when that is 0, the item with the new settings, which replaces
    // `item`. True when the status was 0 and the item arrived.
    bool AdminSetReportView(const CUIDialog& dialog, CReportPropItem& item);

    // --- Cases ---------------------------------------------------------------------------
    // GETCASE. Record.
    bool GetCase(const std::string& caseId, CAuditCase& auditCase);
    // SETCASE. Code (-2: the case was linked meanwhile and nothing was stored).
    int SetCase(const std::string& caseId, const CAuditCase& auditCase);
    // CREATECASE: the new case's identifier; empty when the exchange failed.
    std::string CreateCase(const CAuditCase& auditCase);
    // DELETECASES. Code.
    int DeleteCases(const CaseIds& caseIds);
    // RESETCASELINKS. Code.
    int ResetCaseLinks(const CaseIds& caseIds, LinkReset which);
    // GETMULTICASEPROPS: the properties the cases share. The server's status when it is
    // not 0 (no record follows it); otherwise 0 with `props` filled, or -1 when the
    // record did not arrive. -1 when sending failed.
    int GetMultiCaseProps(const CaseIds& caseIds, CCaseMultiProps& props);
    // SETMULTICASEPROPS. Code.
    int SetMultiCaseProps(const CaseIds& caseIds, const CCaseMultiProps& props);
    // GETTERRITORYBYLOC: the region and territory of a location. Record (false also
    // when sending failed).
    bool GetTerritoryByLoc(const CRegionLocRec& location, CRegionTerrRec& territory);
    // GETCITYSTATEFROMZIP: city and state of a postal code, as a list that the caller
    // uses only when it holds exactly those two entries. Record.
    bool GetCityStateFromZip(const std::string& postalCode, std::vector<std::string>& cityState);

    // --- Case details ----------------------------------------------------------------------
    // GETCASETRACKING: the assignment history. Record.
    bool GetCaseTracking(const std::string& caseId, std::vector<CTrackingEntry>& history);
    // GETCASEPOLICYDETAIL / SETCASEPOLICYDETAIL. Record / status.
    bool GetCasePolicyDetail(const std::string& caseId, std::vector<CPolicyPage>& pages);
    bool SetCasePolicyDetail(const std::string& caseId, const std::vector<CPolicyPage>& pages);
    // GETCASESCHEDULEINFO / SETCASESCHEDULEINFO. Record / status.
    bool GetCaseScheduleInfo(const std::string& caseId, CCaseScheduleInfo& schedule);
    bool SetCaseScheduleInfo(const std::string& caseId, const CCaseScheduleInfo& schedule);
    // SETCASEPROGRESSRPT / GETCASEPROGRESSRPTS. Status / record.
    bool SetCaseProgressRpt(const std::string& caseId, const CProgressRptEntry& entry, EditMode mode);
    bool GetCaseProgressRpts(const std::string& caseId, std::vector<CProgressRptEntry>& entries);

    // --- Attachments -------------------------------------------------------------------------
    // GETCASEAUDITATTACH / GETCASESURVEYATTACH: the attachment as a report printout,
    // loaded straight into `printout` (the caller's report printout record). Record;
    // on false the printout may be partly filled and is to be discarded.
    bool GetCaseAuditAttach(const std::string& caseId, int32_t attachmentId, CObject& printout);
    bool GetCaseSurveyAttach(const std::string& caseId, int32_t attachmentId, CObject& printout);
    // GETCASEFILEATTACH: the attached file's bytes. Record.
    bool GetCaseFileAttach(const std::string& caseId, int32_t attachmentId, CBinaryObject& file);
    // GETCASEATTACHMENTS. Record.
    bool GetCaseAttachments(const std::string& caseId, std::vector<CAttachment>& attachments);
    // SETCASEATTACHMENT: the attachment, its file bytes and the mode. Code.
    int SetCaseAttachment(const std::string& caseId, const CAttachment& attachment, const CBinaryObject& file,
                          EditMode mode);
    // SETCASEAUDITATTACH: an audit edited in the companion application, back to its
    // attachment. Status.
    bool SetCaseAuditAttach(const std::string& caseId, int32_t attachmentId, const CBinaryObject& audit);
    // GETCASEAUDITATTACHPDF / GETCASESURVEYATTACHPDF: the attachment as a PDF. Record.
    bool GetCaseAuditAttachPdf(const std::string& caseId, int32_t attachmentId, CBinaryObject& document);
    bool GetCaseSurveyAttachPdf(const std::string& caseId, int32_t attachmentId, CBinaryObject& document);
    // GETCASEAUDITATTACHDOC / GETCASESURVEYATTACHDOC: the attachment as a TIFF or XPS
    // document (outputTiff, outputXps). Record.
    bool GetCaseAuditAttachDoc(const std::string& caseId, int32_t attachmentId, ReportOutput format,
                               CBinaryObject& document);
    bool GetCaseSurveyAttachDoc(const std::string& caseId, int32_t attachmentId, ReportOutput format,
                                CBinaryObject& document);

    // --- Billing ---------------------------------------------------------------------------
    // SETCASEBILLINGENTRY / GETCASEBILLINGENTRIES. Status / record.
    bool SetCaseBillingEntry(const std::string& caseId, const CBillingEntry& entry, EditMode mode);
    bool GetCaseBillingEntries(const std::string& caseId, std::vector<CBillingEntry>& entries);
    // GETMULTICASEBILLING: proposed entries for the cases. Record.
    bool GetMultiCaseBilling(const CaseIds& caseIds, MultiBillingParties parties,
                             std::vector<CMultiBillingEntry>& entries);
    // SETMULTICASEBILLING: adds the entries. Status.
    bool SetMultiCaseBilling(const std::vector<CMultiBillingEntry>& entries);
    // GETCASEDEFBILLINGENTRY: the default entry for billing a party of the case; the
    // server answers the entry, then a status. True, with `entry` filled, when the entry
    // arrived and the status was 0.
    bool GetCaseDefBillingEntry(const std::string& caseId, const std::string& party, bool partyIsChild,
                                CBillingEntry& entry);
    // GETBILLINGDEFSET / SETBILLINGDEFSET: an account's billing defaults. Record / status.
    bool GetBillingDefSet(const std::string& accountName, AccountKind kind, std::vector<CBillingDef>& rows);
    bool SetBillingDefSet(const std::string& accountName, AccountKind kind, const std::vector<CBillingDef>& rows);

    // --- Accounts ----------------------------------------------------------------------------
    // GETPARENTUSER / GETCHILDUSER. Record.
    bool GetParentUser(const std::string& parentName, CAdminParentUser& parent);
    bool GetChildUser(const std::string& childName, CAdminChildUser& child);
    // SETCHILDUSER / SETPARENTUSER, by the account's (old) name. Code.
    int SetChildUser(const std::string& childName, const CAdminChildUser& child, EditMode mode);
    int SetParentUser(const std::string& parentName, const CAdminParentUser& parent, EditMode mode);
    // SYNCPARENT: the server's text (empty when the synchronisation went well), or one of
    // the kSync... texts when the exchange broke down. 3600 seconds.
    std::string SyncParent(const std::string& parentName);
    // GETLOGGEDUSERS: one line per logged-in user. Record, default time-out.
    bool GetLoggedUsers(std::vector<std::string>& lines);

    // --- Regions and territories -----------------------------------------------------------
    // SETREGION / SETTERRITORY, by the item's (old) name. Code.
    int SetRegion(const std::string& regionName, const CAdminRegion& region, EditMode mode);
    int SetTerritory(const std::string& territoryName, const CAdminTerritory& territory, EditMode mode);
    // GETTERRITORY: `territory` names the region and territory; the complete record
    // replaces it. Record (false also when sending failed).
    bool GetTerritory(CAdminTerritory& territory);

    // --- Import --------------------------------------------------------------------------
    // IMPORTCASES: the import file's bytes, unread; the server's report lines. Record,
    // default time-out.
    bool ImportCases(const CBinaryObject& file, std::vector<std::string>& results);
};
