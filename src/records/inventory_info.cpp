#include "records/inventory_info.h"

#include "codec/archive.h"

ORV_IMPLEMENT_SERIAL(CInventoryInfo, kRecordSchema, true)

void CInventoryInfo::Serialize(CArchive& ar)
{
    ar.StringArray(regions);
    ar.StringArray(territories);
    ar.RecordArray(parents);
    ar.RecordArray(children);
    ar.RecordArray(searchFields);
    ar.StringArray(flagNames);
    ar.String(ownChildName);
    ar.Int32(rights);
    ar.Int32(opaqueInfo1);
    ar.Int32(defaultMasterDueDays);
    ar.Int32(defaultAuditorDueDays);
    ar.String(ownParentName);
    ar.Int32(opaqueInfo2);
    ar.Int32(refreshAfterCommands);
}

void CInventoryInfo::Clear()
{
    *this = CInventoryInfo();
}

const std::string& CInventoryInfo::FlagName(int index) const
{
    static const std::string kNone;
    if (index < 0 || index >= kUserFlagCount || static_cast<size_t>(index) >= flagNames.size())
        return kNone;
    return flagNames[static_cast<size_t>(index)];
}
