#pragma once
// "Edit Properties of Multiple Cases" without its window: the common properties from the
// server, what the user chose, and the record sent back with only the chosen properties
// given. A drop-down left without a selection and a date left empty or invalid leave
// their property unchanged; a grey check box leaves its flag unchanged.

#include "casedlg/assign_manually_logic.h"
#include "records/case_multi_props.h"
#include "records/inventory_info.h"
#include "widgets/date_text.h"

#include <string>
#include <vector>

class MultiCasePropsLogic {
public:
    MultiCasePropsLogic(const CInventoryInfo& info, CCaseMultiProps common);

    const CInventoryInfo& Info() const { return info_; }
    const CCaseMultiProps& Common() const { return common_; }

    // The parent drop-down: "" for no selection (unchanged), "*NONE*" or a parent.
    std::vector<std::string> ParentEntries() const;
    std::string ParentEntry() const;  // the common parent, or "" when they differ
    void ChooseParent(const std::string& entry);
    std::vector<std::string> TerritoryEntries() const;
    std::string TerritoryEntry() const;
    void ChooseTerritory(const std::string& entry);

    // Link statuses with the General page's transitions.
    int32_t ParentLinkStatus() const { return result_.parentLinkStatus; }
    int32_t ChildLinkStatus() const { return result_.childLinkStatus; }
    bool SendToParentChecked() const;
    bool SendToParentEnabled() const;
    bool SendToChildChecked() const;
    bool SendToChildEnabled() const;
    void SetSendToParent(bool on);
    void SetSendToChild(bool on);

    // The assignment the dialog starts from, and the one chosen with Assign Manually.
    CaseAssignment Assignment() const;
    void Assign(const CaseAssignment& assignment);

    void SetMasterDueDate(const DateFieldValue& value);
    void SetAuditorDueDate(const DateFieldValue& value);
    // Three-state values 0, 1 or 2 (2 unchanged); Completed 0 or 1.
    void SetFlags(int32_t priority, int32_t correction, int32_t archived, int32_t transferOut, bool completed);
    // User flags: `on` for the bits shown checked, `mixed` for those left grey.
    void SetUserFlags(int32_t on, int32_t mixed);

    // The record for SETMULTICASEPROPS.
    const CCaseMultiProps& Result() const { return result_; }

private:
    const CInventoryInfo& info_;
    CCaseMultiProps common_;
    CCaseMultiProps result_;
};
