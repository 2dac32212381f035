#include "casedlg/case_ordering.h"

#include "net/inventory_server.h"
#include "platform/user_prompts.h"
#include "records/inventory_info.h"

CCaseOrdering::CCaseOrdering(CInventoryServer& server, UserPrompts& prompts, const CInventoryInfo& info,
                             std::string userId, CaseOrderDialogs dialogs, std::function<std::time_t()> now)
    : m_server(server), m_prompts(prompts), m_info(info), m_userId(std::move(userId)),
      m_dialogs(std::move(dialogs)), m_now(std::move(now))
{
}

bool CCaseOrdering::Allowed(const CInventoryInfo& info)
{
    return !info.ownParentName.empty() || (info.rights & kRightCreateCases) != 0;
}

bool CCaseOrdering::OrderCases()
{
    if (!Allowed(m_info) || !m_dialogs.selectProductAndParent || !m_dialogs.runWizard)
        return false;
    const bool isParent = !m_info.ownParentName.empty();
    std::vector<std::string> parents;
    if (!isParent)
        for (const CParentUser& parent : m_info.parents)
            parents.push_back(parent.name);
    const auto chosen = m_dialogs.selectProductAndParent(parents);
    if (!chosen)
        return false;
    const std::string parent = isParent ? m_info.ownParentName : chosen->parent;

    bool created = false;
    bool fromPrevious = false;
    while (OrderCase(fromPrevious, chosen->product, parent) == 1) {
        created = true;
        const CaseOrderDialogs::Next next =
            m_dialogs.addAnother ? m_dialogs.addAnother() : CaseOrderDialogs::Next::quit;
        if (next == CaseOrderDialogs::Next::quit)
            break;
        fromPrevious = next == CaseOrderDialogs::Next::fromPrevious;
    }
    return created;
}

CCaseOrder CCaseOrdering::StartingOrder(bool fromPrevious, int product, const std::string& parent) const
{
    if (fromPrevious && Previous(product))
        return *Previous(product);
    CCaseOrder order;
    order.product = product;
    int days = CaseOrderForm::kDefaultTurnaroundDays;
    for (const CParentUser& candidate : m_info.parents)
        if (candidate.name == parent) {
            days = candidate.auditorDueDays;
            break;
        }
    order.dueDate = CaseOrderForm::DaysFromToday(m_now(), days);
    order.orderedBy = m_userId;
    return order;
}

int CCaseOrdering::OrderCase(bool fromPrevious, int product, const std::string& parent)
{
    CCaseOrder order = StartingOrder(fromPrevious, product, parent);
    if (!m_dialogs.runWizard(order))
        return 2;
    const CAuditCase record = CaseOrderForm::BuildCase(order, parent);
    m_prompts.BeginWaitCursor();
    const std::string number = m_server.CreateCase(record);
    m_prompts.EndWaitCursor();
    if (number.empty()) {
        m_prompts.Message(QString::fromLatin1(kSendFailed));
        return 2;
    }
    m_previous[product == CCaseOrder::audit] = order;
    return 1;
}
