#include "records/case_query_data.h"

#include "codec/archive.h"

ORV_IMPLEMENT_SERIAL(CCaseQueryData, CCaseQueryData::kSchema, false)

void CCaseQueryData::Serialize(CArchive& ar)
{
    ar.Int32(viewType);
    ar.Int32(scope);
    ar.String(name);
    ar.Int32(queryType);
    ar.String(formula);
    ar.String(opaqueText1);
    ar.String(sort1Field);
    ar.Bool32(sort1Ascending);
    ar.String(sort2Field);
    ar.Bool32(sort2Ascending);
    ar.String(sort3Field);
    ar.Bool32(sort3Ascending);
    ar.String(keyDateField);
    ar.Int32(period);
    ar.DateTime(periodFrom);
    ar.DateTime(periodTo);
    ar.String(parentTargetField);
    ar.String(childTargetField);
    ar.String(regionTargetField);
    ar.String(territoryTargetField);
    SerializeOwnedObjects(ar, columns);
}
