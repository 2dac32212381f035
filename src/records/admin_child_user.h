#pragma once
// A child account as the administration pages edit it: group, rights, assignment
// settings, login, contact details and assignment criteria.

#include "codec/date_time.h"
#include "codec/object.h"
#include "records/assign_criterion.h"
#include "records/record_io.h"

#include <cstdint>
#include <string>
#include <vector>

class CAdminChildUser : public CObject {
    ORV_DECLARE_SERIAL(CAdminChildUser)
public:
    static constexpr int32_t kNoInventoryCap = -1;

    void Serialize(CArchive& ar) override;

    int32_t recordNumber = 0;  // the server's; passed back unchanged
    int32_t group = 0;         // user group number, fixed once the child exists
    int32_t inventoryCap = 0;  // kNoInventoryCap, or 0 to 100000 cases
    int32_t rights = 0;        // access-rights bit set
    int32_t fifthInt = 0;      // set by the group defaults; no page edits it
    bool autoFlagEnabled = false;
    bool autoFlag = false;     // flag the child's assigned cases for download
    CDateTime date = kValidZeroDate;  // the server's; passed back unchanged
    std::string userId;        // letters and digits, at most 20
    std::string name;          // the key of the child in every command
    std::string password;
    std::string notes;
    std::string address1;
    std::string address2;
    std::string city;
    std::string state;
    std::string zip;
    std::string phone;
    std::string fax;
    std::string email;
    std::string groupDetail;   // type, printer, parent name or DLL name, by group
    bool hidden = false;       // hidden in the inventory tree
    std::vector<CAssignCriterion> criteria;
};
