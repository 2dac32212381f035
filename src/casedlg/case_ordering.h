#pragma once
// Ordering new cases: "Select Product and Parent", then the order wizard for each case,
// CREATECASE, and "Add Another Case" until the user quits. The dialogs are functions,
// so that the session is tested with answers given at once.

#include "casedlg/case_order_form.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

class CInventoryInfo;
class CInventoryServer;
class UserPrompts;

struct CaseOrderDialogs {
    struct ProductAndParent {
        int product = CCaseOrder::inspection;
        std::string parent;  // empty when the list was not offered
    };
    enum class Next { fromScratch, fromPrevious, quit };

    // "Select Product and Parent", offering the parent ids (none for a parent account).
    std::function<std::optional<ProductAndParent>(const std::vector<std::string>& parents)> selectProductAndParent;
    // The wizard over the order: true when finished with "Finish".
    std::function<bool(CCaseOrder& order)> runWizard;
    // "Add Another Case".
    std::function<Next()> addAnother;
};

class CCaseOrdering {
public:
    static constexpr int32_t kRightCreateCases = 0x10000;
    static constexpr const char* kSendFailed = "Error sending case info to server";

    CCaseOrdering(CInventoryServer& server, UserPrompts& prompts, const CInventoryInfo& info, std::string userId,
                  CaseOrderDialogs dialogs, std::function<std::time_t()> now = [] { return std::time(nullptr); });

    // Parent accounts and holders of "Create New Cases" may order.
    static bool Allowed(const CInventoryInfo& info);

    // The whole session; true when at least one case was created.
    bool OrderCases();
    // One order: 1 when a case was created, 2 otherwise. On success the order becomes
    // the previous order of its product.
    int OrderCase(bool fromPrevious, int product, const std::string& parent);

    // The order the wizard starts with (see OrderCase).
    CCaseOrder StartingOrder(bool fromPrevious, int product, const std::string& parent) const;
    const std::optional<CCaseOrder>& Previous(int product) const { return m_previous[product == CCaseOrder::audit]; }

private:
    CInventoryServer& m_server;
    UserPrompts& m_prompts;
    const CInventoryInfo& m_info;
    std::string m_userId;
    CaseOrderDialogs m_dialogs;
    std::function<std::time_t()> m_now;
    std::optional<CCaseOrder> m_previous[2];
};
