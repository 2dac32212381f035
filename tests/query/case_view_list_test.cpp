// Finding case views by name and node kind, listing them under nodes, and the editor's
// scope choices and name rule.
#include "query/case_view_list.h"
#include "query/scope_bits.h"

#include <gtest/gtest.h>

namespace {

CCaseViewParam View(int32_t id, std::string name, int32_t scope, int32_t type = CCaseViewParam::caseView)
{
    CCaseViewParam view;
    view.viewId = id;
    view.name = std::move(name);
    view.scope = scope;
    view.viewType = type;
    return view;
}

TEST(CaseViewList, FindsByExactNameAndEqualScopeFirstMatchWins)
{
    const std::vector<CCaseViewParam> views = {
        View(10, "Open", kScopeAllParents),
        View(11, "Open", kScopeEachParent),
        View(12, "Open", kScopeEachParent),  // shadowed by 11
        View(13, "Wide", kScopeEachParent | kScopeAllChildren),
    };
    EXPECT_EQ(FindCaseViewId(views, "Open", kScopeAllParents), 10);
    EXPECT_EQ(FindCaseViewId(views, "Open", kScopeEachParent), 11);
    EXPECT_EQ(FindCaseView(views, "Open", kScopeEachParent), &views[1]);

    EXPECT_EQ(FindCaseViewId(views, "open", kScopeEachParent), kUnknownViewId);
    EXPECT_EQ(FindCaseViewId(views, "Open ", kScopeEachParent), kUnknownViewId);
    EXPECT_EQ(FindCaseViewId(views, "Open", kScopeAllChildren), kUnknownViewId);
    EXPECT_EQ(FindCaseViewId({}, "Open", kScopeAllParents), kUnknownViewId);
    // Listed under each parent by the bit test, but its scope is not the node's kind.
    EXPECT_EQ(FindCaseViewId(views, "Wide", kScopeEachParent), kUnknownViewId);
    EXPECT_EQ(FindCaseViewId(views, "Wide", kScopeEachParent | kScopeAllChildren), 13);
}

TEST(CaseViewList, ListedWhenEveryBitOfTheKindIsInTheScope)
{
    const std::vector<CCaseViewParam> views = {
        View(1, "Both", kScopeEachParent | kScopeAllChildren),
        View(2, "Parents", kScopeAllParents | kScopeUnassignedParents),
        View(3, "None", 0),
    };
    auto names = [&](int32_t kind) {
        std::vector<std::string> listed;
        for (const CCaseViewParam* view : ViewsListedUnder(views, kind))
            listed.push_back(view->name);
        return listed;
    };
    EXPECT_EQ(names(kScopeEachParent), std::vector<std::string>{"Both"});
    EXPECT_EQ(names(kScopeAllChildren), std::vector<std::string>{"Both"});
    EXPECT_TRUE(names(kScopeAllParents) == std::vector<std::string>{"Parents"});
    EXPECT_EQ(names(kScopeUnassignedParents), std::vector<std::string>{"Parents"});
    EXPECT_TRUE(names(kScopeEachRegion).empty());
    EXPECT_TRUE(ScopeCoversKind(kScopeAllParents | kScopeUnassignedParents, kScopeAllParents));
    EXPECT_FALSE(ScopeCoversKind(kScopeAllParents, kScopeAllParents | kScopeUnassignedParents));
}

TEST(CaseViewList, SearchRunsTheFirstSearchViewOverAWholeList)
{
    const std::vector<CCaseViewParam> views = {
        View(1, "Case only", kScopeAllParents, CCaseViewParam::caseView),
        View(2, "Per parent", kScopeEachParent, CCaseViewParam::searchView),
        View(3, "Regions", kScopeAllRegions | kScopeEachRegion, CCaseViewParam::caseAndSearchView),
        View(4, "Children", kScopeAllChildren, CCaseViewParam::searchView),
    };
    const CCaseViewParam* found = FindSearchView(views);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->viewId, 3);
    EXPECT_EQ(FindSearchView({views[0], views[1]}), nullptr);
    EXPECT_EQ(FindSearchView({View(5, "Odd type", kScopeAllParents, 7)}), nullptr);
}

TEST(CaseViewList, RunTitle)
{
    EXPECT_EQ(CaseViewRunTitle("Open", "Acme Insurance", "", 0), "Open for Acme Insurance (0)");
    EXPECT_EQ(CaseViewRunTitle("Find", "", "[InsuredName] = \"Bo*\"", 12),
              "Find for  (Search: [InsuredName] = \"Bo*\") (12)");
}

TEST(CaseViewList, NameClashesOnlyWithAnotherViewSharingAScopeBit)
{
    auto definition = [](std::string name, int32_t scope) {
        auto d = std::make_shared<CCaseQueryData>();
        d->name = std::move(name);
        d->scope = scope;
        return d;
    };
    const std::vector<std::shared_ptr<CCaseQueryData>> set = {
        definition("Open", kScopeEachParent | kScopeAllParents),
        nullptr,
        definition("Archive", kScopeAllChildren),
    };
    EXPECT_TRUE(ViewNameClashes(set, "Open", kScopeAllParents));
    EXPECT_FALSE(ViewNameClashes(set, "Open", kScopeAllChildren));
    EXPECT_FALSE(ViewNameClashes(set, "open", kScopeAllParents));
    // The definition being edited does not clash with itself.
    EXPECT_FALSE(ViewNameClashes(set, "Open", kScopeAllParents, set[0].get()));
    EXPECT_TRUE(ViewNameClashes(set, "Archive", kScopeAllChildren, set[0].get()));
}

TEST(ScopeBits, EditorChoiceOfAStoredScope)
{
    EXPECT_EQ(ScopeChoices()[ScopeChoiceIndexOf(kScopeEachBiller)].label, "Each Biller");
    EXPECT_EQ(ScopeChoiceIndexOf(kScopeEachParent), 2u);
    // Two bits, or a bit without a button: the first choice, "All Parents".
    EXPECT_EQ(ScopeChoiceIndexOf(kScopeEachParent | kScopeAllChildren), 0u);
    EXPECT_EQ(ScopeChoiceIndexOf(kScopeEachTerritory), 0u);
    EXPECT_EQ(ScopeChoices()[0].bit, kScopeAllParents);

    EXPECT_EQ(ScopeOfChildGroup(1), kScopeEachAuditor);
    EXPECT_EQ(ScopeOfChildGroup(8), kScopeEachArchiveChild);
    EXPECT_EQ(ScopeOfChildGroup(9), kScopeEachChildGroup9);
    EXPECT_EQ(ScopeOfChildGroup(10), 0);
    EXPECT_EQ(ScopeOfChildGroup(-1), 0);
}

}  // namespace
