#pragma once
// What hangs off a case besides its pages and history: attachments with their bytes,
// billing entries (with the defaults that propose new ones) and progress reports.
// Attachments of a case that is linked or linking with its child cannot change.

#include "records/attachment.h"
#include "records/billing_def.h"
#include "records/billing_entry.h"
#include "records/multi_billing_entry.h"
#include "records/progress_rpt_entry.h"
#include "server/database.h"
#include "server/session_user.h"
#include "server/store/case_store.h"

#include <string>
#include <vector>

// GETMULTICASEBILLING choices.
namespace BillingChoice {
inline constexpr int parentsOnly = 0;
inline constexpr int childrenOnly = 1;
inline constexpr int parentsAndChildren = 2;
}  // namespace BillingChoice

// How the server fills the fields it owns in a CMultiBillingEntry.
namespace MultiBilling {
inline constexpr int32_t parentEntry = 0;  // opaqueInt1: the entry bills the case's parent
inline constexpr int32_t childEntry = 1;   // opaqueInt1: the entry pays a child
}  // namespace MultiBilling

class CDetailStore {
public:
    CDetailStore(CDatabase& database, CCaseStore& cases) : m_db(database), m_cases(cases) {}

    // --- Attachments -----------------------------------------------------------------
    // The user may only touch attachments of archived cases when archivedOnly is set.
    bool GetAttachments(const SessionUser& user, const std::string& caseNumber, bool archivedOnly,
                        std::vector<CAttachment>& attachments);
    bool GetAttachmentBytes(const SessionUser& user, const std::string& caseNumber, int32_t attachmentId,
                            bool archivedOnly, std::string& bytes);
    // The bytes of an attachment of the given kind ("AUDIT" or "SURVEY"); false when the
    // case has no such attachment of that kind.
    bool GetAttachmentDocument(const SessionUser& user, const std::string& caseNumber, int32_t attachmentId,
                               bool archivedOnly, const std::string& kind, std::string& bytes);
    // Add (with the bytes), edit (name, to-be-printed and default flags) or remove.
    int SetAttachment(const SessionUser& user, const std::string& caseNumber, const CAttachment& attachment,
                      const std::string& bytes, int mode, bool archivedOnly);
    // Replaces the bytes of an audit attachment of the case.
    int ReplaceAuditBytes(const SessionUser& user, const std::string& caseNumber, int32_t attachmentId,
                          const std::string& bytes, bool archivedOnly);

    // --- Billing -----------------------------------------------------------------------
    bool GetBillingEntries(const SessionUser& user, const std::string& caseNumber, std::vector<CBillingEntry>& entries);
    int SetBillingEntry(const SessionUser& user, const std::string& caseNumber, const CBillingEntry& entry, int mode);
    // The entry the billing defaults propose for the party (a parent, or a child when
    // partyIsChild) on the case; Status::failed when no default applies.
    int DefaultBillingEntry(const SessionUser& user, const std::string& caseNumber, const std::string& party,
                            bool partyIsChild, CBillingEntry& entry);
    bool ProposeMultiBilling(const SessionUser& user, const std::vector<std::string>& caseNumbers, int choice,
                             std::vector<CMultiBillingEntry>& entries);
    int AddMultiBilling(const SessionUser& user, const std::vector<CMultiBillingEntry>& entries);

    // --- Progress reports --------------------------------------------------------------
    bool GetProgressReports(const SessionUser& user, const std::string& caseNumber,
                            std::vector<CProgressRptEntry>& entries);
    // Linked entries cannot change (Status::linked); internal entries, and making an
    // entry internal, need seeInternal (else Status::denied).
    int SetProgressReport(const SessionUser& user, const std::string& caseNumber, const CProgressRptEntry& entry,
                          int mode, bool seeInternal);

private:
    // Caller holds the lock.
    bool UpdateDefaultAttachment(int64_t caseId);
    bool InsertBillingEntry(int64_t caseId, const CBillingEntry& entry);

    CDatabase& m_db;
    CCaseStore& m_cases;
};

// The billing default row that applies to a case: among the rows whose audit source,
// audit type, policy type (letter case ignored), policy code and productivity each
// match the case or are "all" (-1, empty, -1 and 2), the one that names the most of
// them; the first such row when several tie. Null when none matches.
const CBillingDef* MatchBillingDefault(const std::vector<CBillingDef>& rows, const CAuditCase& record);

// The billed amount of an entry as the billing dialog computes it: flat amount, or first
// hour plus additional hours, less the discount, rounded to cents (halves away from
// zero), negative when it pays a child.
double BilledAmount(const CBillingEntry& entry, bool paysChild);
