#pragma once
// The rules of "Assign Case Manually": the three choices, the group and name drop-downs
// and what OK makes of them (manual flag, child group code and child name).

#include "records/inventory_info.h"

#include <cstdint>
#include <string>
#include <vector>

inline constexpr const char* kAutoEntry = "*AUTO*";

// What the dialog starts from and hands back.
struct CaseAssignment {
    bool manual = false;
    int32_t group = -1;  // coded as CAuditCase::childGroupCode
    std::string childName;
};

class AssignManuallyLogic {
public:
    enum class Choice { program, child, archive };

    AssignManuallyLogic(const CInventoryInfo& info, CaseAssignment start, bool caseHasNumber);

    Choice GetChoice() const { return choice_; }
    void SetChoice(Choice choice) { choice_ = choice; }
    const std::string& Group() const { return group_; }
    // Refills the names; the name stays when the new group has it, else "*AUTO*".
    void SetGroup(const std::string& group);
    const std::string& Name() const { return name_; }
    void SetName(const std::string& name) { name_ = name; }

    // The access groups but "Administrators" and "Importers", then "*AUTO*" and "*NONE*".
    static std::vector<std::string> GroupEntries();
    // The user's children of the chosen group, then "*AUTO*".
    std::vector<std::string> NameEntries() const;

    bool GroupEnabled() const { return choice_ == Choice::child; }
    bool NameEnabled() const;
    bool HistoryEnabled() const { return caseHasNumber_; }

    CaseAssignment Result() const;

private:
    const CInventoryInfo& info_;
    CaseAssignment start_;
    bool caseHasNumber_;
    Choice choice_ = Choice::program;
    std::string group_;
    std::string name_;
};
