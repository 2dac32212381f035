#include "casedlg/policy_detail_logic.h"

PolicyDetailLogic::PolicyDetailLogic(std::vector<CPolicyPage> pages, int32_t rights)
    : pages_(std::move(pages)), canEdit_((rights & kRightPolicyDetail) != 0)
{
}

void PolicyDetailLogic::SetText(size_t page, const std::string& text)
{
    if (canEdit_ && page < pages_.size())
        pages_[page].text = text;
}

std::optional<size_t> PolicyDetailLogic::AddPage(const std::string& label)
{
    if (!canEdit_)
        return std::nullopt;
    CPolicyPage page;
    page.label = label.substr(0, kMaxLabelLength);
    pages_.push_back(std::move(page));
    return pages_.size() - 1;
}

bool PolicyDetailLogic::RemovePage(int page)
{
    if (!canEdit_ || page < 0 || static_cast<size_t>(page) >= pages_.size())
        return false;
    pages_.erase(pages_.begin() + page);
    return true;
}
