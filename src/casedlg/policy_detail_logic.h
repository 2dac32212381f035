#pragma once
// The rules of the "Policy Data" sheet: one tab per page, editable and configurable
// (the "[Configure]" tab with New and Remove) only with the policy-detail right.

#include "records/policy_page.h"

#include <optional>
#include <string>
#include <vector>

class PolicyDetailLogic {
public:
    static constexpr int32_t kRightPolicyDetail = 0x200000;
    static constexpr size_t kMaxLabelLength = 30;

    PolicyDetailLogic(std::vector<CPolicyPage> pages, int32_t rights);

    bool CanEdit() const { return canEdit_; }
    // The "[Configure]" tab follows the pages only for a user who may edit.
    bool HasConfigureTab() const { return canEdit_; }

    const std::vector<CPolicyPage>& Pages() const { return pages_; }
    void SetText(size_t page, const std::string& text);

    // New: an empty page with the label (cut to 30 characters) after the others; its
    // index, or nothing for a user who may not edit.
    std::optional<size_t> AddPage(const std::string& label);
    // Remove: false for an index that names no page (the sheet then says "Nothing has
    // been selected").
    bool RemovePage(int page);

private:
    std::vector<CPolicyPage> pages_;
    bool canEdit_;
};
