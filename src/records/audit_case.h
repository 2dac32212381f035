#pragma once
// The whole record of one case: insured and policy data, audit location and agent, due
// dates, the links to its parent and child, flags and the policy detail pages. It is
// fetched, stored and created whole; the fields travel in one fixed order that does not
// follow their grouping below, so Serialize is the one place that states it.
//
// The opaque fields belong to the server: the client keeps what it received and sends
// it back unchanged; a case created in the client sends the defaults.

#include "codec/date_time.h"
#include "codec/object.h"
#include "records/policy_page.h"
#include "records/record_io.h"

#include <cstdint>
#include <string>
#include <vector>

class CAuditCase : public CObject {
    ORV_DECLARE_SERIAL(CAuditCase)
public:
    // parentLinkStatus values (4 and 5 occur and have no text).
    enum ParentLinkStatus : int32_t {
        parentNotLinked = 0, parentToBeLinked = 1, parentLinked = 2, parentToBeReturned = 3, parentToBeSent = 6
    };
    // childLinkStatus values (4 and 5 occur and have no text).
    enum ChildLinkStatus : int32_t {
        childNotLinked = 0, childToBeLinked = 1, childLinked = 2, childUnlinked = 3
    };
    // childGroupCode values besides the access group indices 1 to 7.
    static constexpr int32_t kNoChildGroup = -1;
    static constexpr int32_t kAutoChildGroup = -2;  // any child, the server choosing
    static constexpr int32_t kArchiveGroup = 8;     // codes below 8 are open cases

    void Serialize(CArchive& ar) override;

    // Server's own values, carried unchanged.
    int32_t opaqueInt1 = 0, opaqueInt2 = 0, opaqueInt3 = 0, opaqueInt4 = 0, opaqueInt5 = 0, opaqueInt6 = 0;
    int32_t opaqueInt7 = 0, opaqueInt8 = 0, opaqueInt9 = 0;
    double opaqueAmount = 0.0;
    CDateTime opaqueDate1 = kValidZeroDate;
    CDateTime opaqueDate2 = kValidZeroDate;

    // Ownership, links and flags.
    std::string parentName;  // empty when the case has no parent
    std::string childName;   // empty when unassigned
    std::string regionName;
    std::string territoryName;
    int32_t parentLinkStatus = parentNotLinked;
    int32_t childLinkStatus = childNotLinked;
    int32_t childGroupCode = kNoChildGroup;
    bool nonProductive = false;
    bool correction = false;
    bool hasNewProgressReports = false;
    bool priority = false;
    bool transferOut = false;
    int32_t userFlags = 0;  // bit i is user flag i
    bool archive = false;
    bool manualAssignment = false;
    bool completed = false;

    // Case identity and dates.
    std::string caseNumber;  // the key by which the server addresses the case
    std::string serialNumber;
    std::string memo;
    CDateTime auditorDueDate = kNullDate;
    CDateTime masterDueDate = kNullDate;
    CDateTime dateCreated = kValidZeroDate;
    CDateTime dateAssigned = kValidZeroDate;
    CDateTime dateReturned = kValidZeroDate;

    // Insured and policy.
    std::string insuredName;
    std::string insuredFedId;
    std::string insuredAddress1;
    std::string insuredAddress2;
    std::string insuredCity;
    std::string insuredState;
    std::string insuredZip;
    std::string insuredPhone;
    std::string insuredFax;
    std::string insuredEMail;
    std::string insuredEntity;  // free text
    std::string policyCarrier;
    std::string policyType;     // free text
    std::string policyNumber;
    CDateTime policyStartDate = kValidZeroDate;
    CDateTime policyEndDate = kValidZeroDate;
    int32_t policyCode = 0;
    double policyEstPremium = 0.0;

    // Audit location.
    std::string auditLocationName;
    std::string auditContact;
    std::string auditAddress1;
    std::string auditAddress2;
    std::string auditCity;
    std::string auditState;
    std::string auditZip;
    std::string auditCounty;
    std::string auditPhone;
    std::string auditFax;
    CDateTime auditStartDate = kValidZeroDate;
    CDateTime auditEndDate = kValidZeroDate;
    int32_t auditSource = 0;  // 0 physical, 1 telephone, 2 mail, 3 other
    int32_t auditType = 0;    // 0 annual ... 6 other

    // Agent.
    std::string agentContact;
    std::string agentCompany;
    std::string agentAddress1;
    std::string agentAddress2;
    std::string agentCity;
    std::string agentState;
    std::string agentZip;
    std::string agentPhone;
    std::string agentFax;
    std::string agentEMail;

    std::vector<CPolicyPage> policyPages;
};
