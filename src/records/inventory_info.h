#pragma once
// What the tree, the editors and the access checks need to know about the logged-in
// user: the lists of regions, territories, parents and children the user may see, the
// searchable fields, the names of the user flags, own names, rights and due-date
// defaults. Loaded at login; emptied at logout.

#include "codec/object.h"
#include "records/case_field_info.h"
#include "records/child_user.h"
#include "records/parent_user.h"

#include <cstdint>
#include <string>
#include <vector>

class CInventoryInfo : public CObject {
    ORV_DECLARE_SERIAL(CInventoryInfo)
public:
    static constexpr int kUserFlagCount = 32;

    void Serialize(CArchive& ar) override;

    // Empties every list and text and zeroes every number.
    void Clear();

    // The name of user flag `index`; empty when the server sent fewer names, or for an
    // index outside 0 to 31.
    const std::string& FlagName(int index) const;

    std::vector<std::string> regions;
    std::vector<std::string> territories;  // region + "::" + territory
    std::vector<CParentUser> parents;
    std::vector<CChildUser> children;
    std::vector<CCaseFieldInfo> searchFields;
    std::vector<std::string> flagNames;    // index i names bit i of a case's userFlags
    std::string ownChildName;
    int32_t rights = 0;
    int32_t opaqueInfo1 = 0;
    int32_t defaultMasterDueDays = 0;
    int32_t defaultAuditorDueDays = 0;
    std::string ownParentName;
    int32_t opaqueInfo2 = 0;
    int32_t refreshAfterCommands = 0;  // 0: the case list keeps its rows after a command
};
