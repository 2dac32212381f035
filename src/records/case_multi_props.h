#pragma once
// The properties common to a set of cases, as the "Edit Properties of Multiple Cases"
// dialog shows and returns them. The server fills the record from the selected cases
// (GETMULTICASEPROPS); the dialog sends it back with what the user changed
// (SETMULTICASEPROPS), and the server applies only the properties given.
//
// Each property either has a third state of its own (the check boxes' value 2, a date
// that is not valid, a user flag bit in userFlagsMixed) or a "given" flag. From the
// server, a property is given (or not in its third state) when all selected cases share
// its value, and the record then holds that value; to the server, it is given when the
// user chose a value, and only then is it applied. The full table, with the positions
// on the wire, is in records/README.md.

#include "codec/date_time.h"
#include "codec/object.h"
#include "records/record_io.h"

#include <cstdint>
#include <string>
#include <vector>

class CCaseMultiProps : public CObject {
    ORV_DECLARE_SERIAL(CCaseMultiProps)
public:
    // Coding of the three-state check boxes.
    enum CheckState : int32_t { unchecked = 0, checked = 1, mixed = 2 };

    void Serialize(CArchive& ar) override;

    int32_t archived = unchecked;     // three-state
    int32_t priority = unchecked;     // three-state
    int32_t correction = unchecked;   // three-state ("Correction Return")
    int32_t completed = unchecked;    // 0 or 1: 1 marks the cases completed, 0 leaves them
    int32_t transferOut = unchecked;  // three-state
    int32_t parentLinkStatus = 0;     // the cases' common status (the server refuses mixed ones)
    int32_t childLinkStatus = 0;
    std::string parentName;           // applied when parentGiven
    std::string childName;            // applied with the assignment, when assignmentGiven

    int32_t childGroupCode = -1;      // the assignment's group, coded as the case's field
    std::string regionName;           // applied with territoryName, when territoryGiven
    std::string territoryName;
    int32_t manualAssignment = 0;     // 1 assigned by hand, 0 left to the server
    int32_t userFlags = 0;            // bit i: user flag i on
    std::string opaqueText;           // reserved; carried unchanged
    CDateTime masterDueDate = kNullDate;   // applied when masterDueDateGiven and valid
    CDateTime auditorDueDate = kNullDate;  // applied when auditorDueDateGiven and valid
    int32_t userFlagsMixed = 0;       // bit i: user flag i differs / is left unchanged
    int32_t parentGiven = 0;          // each "given" flag is 0 or 1
    int32_t parentLinkStatusGiven = 0;
    int32_t childLinkStatusGiven = 0;
    int32_t assignmentGiven = 0;      // childName, childGroupCode and manualAssignment
    int32_t territoryGiven = 0;
    int32_t masterDueDateGiven = 0;
    int32_t auditorDueDateGiven = 0;
    int32_t userFlagsGiven = 0;       // the flags outside userFlagsMixed apply
    int32_t opaqueInt = 0;            // carried unchanged
    std::vector<std::string> caseNumbers;  // the cases the record describes
};
