#include "records/assign_criterion.h"

#include "codec/archive.h"

ORV_IMPLEMENT_SERIAL(CAssignCriterion, kRecordSchema, true)

void CAssignCriterion::Serialize(CArchive& ar)
{
    ar.String(category);
    ar.String(value1);
    ar.String(value2);
}
