#include "records/audit_case.h"

#include "codec/archive.h"

ORV_IMPLEMENT_SERIAL(CAuditCase, kRecordSchema, true)

void CAuditCase::Serialize(CArchive& ar)
{
    ar.Int32(opaqueInt1);
    ar.Int32(opaqueInt2);
    ar.Int32(opaqueInt3);
    ar.Int32(opaqueInt4);
    ar.Int32(opaqueInt5);
    ar.Int32(opaqueInt6);
    ar.String(parentName);
    ar.String(childName);
    ar.String(regionName);
    ar.String(territoryName);
    ar.String(insuredName);                // 11
    ar.String(memo);
    ar.String(caseNumber);
    ar.String(serialNumber);
    ar.DateTime(auditorDueDate);           // 15
    ar.DateTime(masterDueDate);
    ar.DateTime(opaqueDate1);
    ar.DateTime(dateCreated);
    ar.DateTime(dateAssigned);
    ar.DateTime(dateReturned);             // 20
    ar.Int32(parentLinkStatus);
    ar.Int32(childLinkStatus);
    ar.Int32(opaqueInt7);
    ar.Int32(opaqueInt8);
    ar.Bool32(nonProductive);              // 25
    ar.Bool32(correction);
    ar.Int32(opaqueInt9);
    ar.Bool32(hasNewProgressReports);
    ar.Bool32(priority);
    ar.Int32(childGroupCode);              // 30
    ar.String(auditZip);
    ar.Double(policyEstPremium);
    ar.Bool32(transferOut);
    ar.Double(opaqueAmount);
    ar.DateTime(opaqueDate2);              // 35
    ar.Int32(userFlags);
    ar.String(auditCounty);
    ar.String(policyCarrier);
    ar.String(policyType);
    ar.String(policyNumber);               // 40
    ar.DateTime(policyStartDate);
    ar.DateTime(policyEndDate);
    ar.Int32(policyCode);
    ar.String(insuredFedId);
    ar.String(insuredAddress1);            // 45
    ar.String(insuredAddress2);
    ar.String(insuredCity);
    ar.String(insuredState);
    ar.String(insuredZip);
    ar.String(insuredPhone);               // 50
    ar.String(insuredFax);
    ar.String(insuredEMail);
    ar.String(insuredEntity);
    ar.String(auditContact);
    ar.String(auditAddress1);              // 55
    ar.String(auditAddress2);
    ar.String(auditCity);
    ar.String(auditState);
    ar.String(auditPhone);
    ar.String(auditFax);                   // 60
    ar.DateTime(auditStartDate);
    ar.DateTime(auditEndDate);
    ar.Int32(auditSource);
    ar.Int32(auditType);
    ar.String(auditLocationName);          // 65
    ar.String(agentContact);
    ar.String(agentCompany);
    ar.String(agentAddress1);
    ar.String(agentAddress2);
    ar.String(agentCity);                  // 70
    ar.String(agentState);
    ar.String(agentZip);
    ar.String(agentPhone);
    ar.String(agentFax);
    ar.String(agentEMail);                 // 75
    ar.Bool32(archive);
    ar.Bool32(manualAssignment);
    ar.Bool32(completed);
    ar.RecordArray(policyPages);
}
