#include "records/case_multi_props.h"

#include "codec/archive.h"

ORV_IMPLEMENT_SERIAL(CCaseMultiProps, kRecordSchema, true)

void CCaseMultiProps::Serialize(CArchive& ar)
{
    ar.Int32(archived);
    ar.Int32(priority);
    ar.Int32(correction);
    ar.Int32(completed);
    ar.Int32(transferOut);
    ar.Int32(parentLinkStatus);
    ar.Int32(childLinkStatus);
    ar.String(parentName);
    ar.String(childName);
    ar.Int32(childGroupCode);         // 10
    ar.String(regionName);
    ar.String(territoryName);
    ar.Int32(manualAssignment);
    ar.Int32(userFlags);
    ar.String(opaqueText);            // 15
    ar.DateTime(masterDueDate);
    ar.DateTime(auditorDueDate);
    ar.Int32(userFlagsMixed);
    ar.Int32(parentGiven);
    ar.Int32(parentLinkStatusGiven);  // 20
    ar.Int32(childLinkStatusGiven);
    ar.Int32(assignmentGiven);
    ar.Int32(territoryGiven);
    ar.Int32(masterDueDateGiven);
    ar.Int32(auditorDueDateGiven);    // 25
    ar.Int32(userFlagsGiven);
    ar.Int32(opaqueInt);
    ar.StringArray(caseNumbers);
}
