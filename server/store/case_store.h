#pragma once
// Cases with all their fields, their policy pages, schedules and assignment history;
// the rules that protect linked cases and the fields a user's rights do not cover.
//
// A case is "linked" while its child link status is 2 (the child has it) and "linking"
// while it is 1 (about to go to the child). Every operation takes the user it acts for:
// accounts tied to one parent never reach the cases of another, which then look as if
// they did not exist.

#include "records/audit_case.h"
#include "records/case_multi_props.h"
#include "records/case_schedule_info.h"
#include "records/policy_page.h"
#include "records/tracking_entry.h"
#include "server/database.h"
#include "server/session_user.h"

#include <cstdint>
#include <string>
#include <vector>

// The most case identifiers one command takes; longer lists are refused.
inline constexpr size_t kMaxCasesPerCommand = 100000;

// RESETCASELINKS choices.
namespace ResetChoice {
inline constexpr int both = 0;
inline constexpr int parentOnly = 1;
inline constexpr int childOnly = 2;
}  // namespace ResetChoice

class CCaseStore {
public:
    explicit CCaseStore(CDatabase& database) : m_db(database) {}

    bool Get(const SessionUser& user, const std::string& caseNumber, CAuditCase& record);
    // Stores the record over the case (its number and creation date stay the server's).
    // Status::linked when the case was linked while the user held an unlinked copy, when
    // a linked case would change in a field its properties do not offer for a linked
    // case, or when a case linked to its parent would move to another parent;
    // Status::denied for changes the user's rights do not cover.
    int Update(const SessionUser& user, const std::string& caseNumber, const CAuditCase& record);
    // Creates the case with a new number (returned; empty on failure).
    std::string Create(const SessionUser& user, CAuditCase record);
    // All or nothing: Status::linked when any case is linked or linking with its child,
    // or linking, linked or on its way back or out to its parent.
    int Delete(const SessionUser& user, const std::vector<std::string>& caseNumbers);
    int ResetLinks(const SessionUser& user, const std::vector<std::string>& caseNumbers, int choice);

    int GetMultiProps(const SessionUser& user, const std::vector<std::string>& caseNumbers, CCaseMultiProps& props);
    // Applies the given properties; linked cases are left as they are (Status::linked
    // is returned when any was), the others are stored.
    int SetMultiProps(const SessionUser& user, const std::vector<std::string>& caseNumbers,
                      const CCaseMultiProps& props);

    bool GetPolicyPages(const SessionUser& user, const std::string& caseNumber, std::vector<CPolicyPage>& pages);
    // At most kMaxPolicyPages pages of kMaxPolicyDetailBytes in all; more is refused.
    static constexpr size_t kMaxPolicyPages = 200;
    static constexpr size_t kMaxPolicyDetailBytes = 1024 * 1024;
    int SetPolicyPages(const SessionUser& user, const std::string& caseNumber, const std::vector<CPolicyPage>& pages);
    bool GetTracking(const SessionUser& user, const std::string& caseNumber, std::vector<CTrackingEntry>& entries);
    bool GetSchedule(const SessionUser& user, const std::string& caseNumber, CCaseScheduleInfo& schedule);
    int SetSchedule(const SessionUser& user, const std::string& caseNumber, const CCaseScheduleInfo& schedule);

    // --- For the other stores; the caller holds the database lock --------------------
    // Reads the case (policy pages included); 0 when there is none.
    int64_t Read(const std::string& caseNumber, CAuditCase& record);
    // The id of a case the user may reach; 0 when none.
    int64_t Reach(const SessionUser& user, const std::string& caseNumber, CAuditCase* record = nullptr);
    // Inserts a new case under a new number, with its first history line when it is
    // assigned. Empty when the insert failed.
    std::string Insert(CAuditCase& record, const std::string& assignor);
    // Renumbers nothing; stores the scalar fields and the policy pages of case `id`.
    bool Write(int64_t id, const CAuditCase& record);
    // Adds a history line for the case's current assignment.
    bool AppendTracking(int64_t id, const CAuditCase& record, const std::string& assignor);

private:
    std::string NextCaseNumber();
    bool WritePages(int64_t id, const std::vector<CPolicyPage>& pages);
    std::vector<CPolicyPage> ReadPages(int64_t id);

    CDatabase& m_db;
};

// The statuses on which a case counts as linked or linking with its child (1 and 2).
bool IsChildLinkedOrLinking(int32_t childLinkStatus);
