#pragma once
// One parent in the user's list of parents, with its due-date defaults.

#include "codec/object.h"

#include <cstdint>
#include <string>

class CParentUser : public CObject {
    ORV_DECLARE_SERIAL(CParentUser)
public:
    void Serialize(CArchive& ar) override;

    std::string name;
    int32_t masterDueDays = 0;   // days from today to a new master due date
    int32_t auditorDueDays = 0;  // days from today to a new auditor due date
    std::string parentText;      // the server's; carried
};
