#include "query/case_view_list.h"

#include "query/scope_bits.h"

namespace {

constexpr int32_t kSearchViewScopes = kScopeAllParents | kScopeAllChildren | kScopeAllRegions;

}  // namespace

const CCaseViewParam* FindCaseView(const std::vector<CCaseViewParam>& views, std::string_view name,
                                   int32_t nodeKind)
{
    for (const CCaseViewParam& view : views)
        if (view.name == name && view.scope == nodeKind)
            return &view;
    return nullptr;
}

int32_t FindCaseViewId(const std::vector<CCaseViewParam>& views, std::string_view name, int32_t nodeKind)
{
    const CCaseViewParam* view = FindCaseView(views, name, nodeKind);
    return view ? view->viewId : kUnknownViewId;
}

std::vector<const CCaseViewParam*> ViewsListedUnder(const std::vector<CCaseViewParam>& views,
                                                    int32_t nodeKind)
{
    std::vector<const CCaseViewParam*> listed;
    for (const CCaseViewParam& view : views)
        if (ScopeCoversKind(view.scope, nodeKind))
            listed.push_back(&view);
    return listed;
}

const CCaseViewParam* FindSearchView(const std::vector<CCaseViewParam>& views)
{
    for (const CCaseViewParam& view : views)
        if ((view.viewType == CCaseViewParam::searchView || view.viewType == CCaseViewParam::caseAndSearchView) &&
            (view.scope & kSearchViewScopes) != 0)
            return &view;
    return nullptr;
}

std::string CaseViewRunTitle(std::string_view viewName, std::string_view target,
                             std::string_view searchFormula, size_t rowCount)
{
    std::string title(viewName);
    title += " for ";
    title += target;
    if (!searchFormula.empty()) {
        title += " (Search: ";
        title += searchFormula;
        title += ")";
    }
    title += " (" + std::to_string(rowCount) + ")";
    return title;
}

bool ViewNameClashes(const std::vector<std::shared_ptr<CCaseQueryData>>& definitions,
                     std::string_view name, int32_t scope, const CCaseQueryData* self)
{
    for (const auto& definition : definitions)
        if (definition && definition.get() != self && definition->name == name &&
            (definition->scope & scope) != 0)
            return true;
    return false;
}
