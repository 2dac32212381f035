// Case views and report view lists per account, the inventory info as each kind of
// user sees it, and refused report commands, which stay in step.

#include "codec/binary_object.h"
#include "records/audit_case.h"
#include "records/case_query_data.h"
#include "records/case_query_request_info.h"
#include "records/case_view_param.h"
#include "records/inventory_info.h"
#include "records/record_list.h"
#include "records/report_prop_item.h"
#include "records/report_view_param.h"
#include "records/ui_dialog.h"
#include "server/command_client.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

struct ViewServer : ::testing::Test {
    void SetUp() override
    {
        ASSERT_TRUE(demo.server.Start()) << demo.server.Log();
        ASSERT_TRUE(admin.LogIn(demo.server.Port(), "admin", "admin"));
    }
    int Port() { return demo.server.Port(); }

    DemoServer demo;
    CCommandClient admin;
};

std::shared_ptr<CCaseQueryData> View(const std::string& name, int32_t scope)
{
    auto view = std::make_shared<CCaseQueryData>();
    view->name = name;
    view->scope = scope;
    view->viewType = 2;
    view->sort1Field = "[InsuredName]";
    view->parentTargetField = "[SysParentName]";
    auto column = std::make_shared<CCaseQueryColInfo>();
    column->fieldToken = "[CaseNum]";
    column->header = "Case #";
    column->width = 80;
    view->columns.push_back(column);
    return view;
}

std::vector<CCaseViewParam> Params(CCommandClient& client)
{
    CRecordList<CCaseViewParam> params;
    EXPECT_TRUE(client.Command("GETCASEVIEWPARAMSET") && client.Reply(params));
    return params.items;
}

bool HasName(const std::vector<std::string>& list, const std::string& name)
{
    return std::find(list.begin(), list.end(), name) != list.end();
}

}  // namespace

TEST_F(ViewServer, CaseViewsBelongToTheirAccount)
{
    // The demo accounts come with views; an empty set removes them.
    CObjectList<CCaseQueryData> none;
    for (const char* key : {"auditor", "admin"}) {
        ASSERT_TRUE(admin.Command("SETCASEVIEWPROPSET") && admin.Text(key) && admin.Record(none));
        ASSERT_EQ(admin.Status(), 0) << key;
    }
    CCommandClient auditor;
    ASSERT_TRUE(auditor.LogIn(Port(), "auditor", "auditor"));
    EXPECT_TRUE(Params(auditor).empty());

    CCaseQueryData first = *View("Open cases", 0x1);
    ASSERT_TRUE(auditor.Command("SETCASEVIEW") && auditor.Int(-1) && auditor.Record(first));
    ASSERT_EQ(auditor.Status(), 0);
    CCaseQueryData second = *View("Due soon", 0x8);
    ASSERT_TRUE(auditor.Command("SETCASEVIEW") && auditor.Int(-1) && auditor.Record(second));
    ASSERT_EQ(auditor.Status(), 0);
    std::vector<CCaseViewParam> params = Params(auditor);
    ASSERT_EQ(params.size(), 2u);
    EXPECT_EQ(params[0].name, "Open cases");
    EXPECT_EQ(params[0].scope, 0x1);
    EXPECT_EQ(params[0].viewType, 2);

    CCaseQueryData fetched;
    ASSERT_TRUE(auditor.Command("GETCASEVIEW") && auditor.Int(params[1].viewId) && auditor.Reply(fetched));
    EXPECT_EQ(RecordBytes(fetched), RecordBytes(second));
    fetched.sort1Ascending = false;
    ASSERT_TRUE(auditor.Command("SETCASEVIEW") && auditor.Int(params[1].viewId) && auditor.Record(fetched));
    EXPECT_EQ(auditor.Status(), 0);

    // Another account neither sees nor changes them.
    EXPECT_TRUE(Params(admin).empty());
    EXPECT_FALSE(admin.Command("GETCASEVIEW") && admin.Int(params[1].viewId) && admin.Reply(fetched));
    ASSERT_TRUE(admin.Command("SETCASEVIEW") && admin.Int(params[1].viewId) && admin.Record(fetched));
    EXPECT_EQ(admin.Status(), -1);

    // Managing the auditor's views (the administrator manages children) keeps the
    // identifiers of the views that stay.
    CObjectList<CCaseQueryData> set;
    ASSERT_TRUE(admin.GetByText("GETCASEVIEWPROPSET", "auditor", set));
    ASSERT_EQ(set.items.size(), 2u);
    EXPECT_FALSE(set.items[1]->sort1Ascending);
    std::reverse(set.items.begin(), set.items.end());
    set.items.push_back(View("New one", 0x20));
    ASSERT_TRUE(admin.Command("SETCASEVIEWPROPSET") && admin.Text("AUDITOR") && admin.Record(set));
    EXPECT_EQ(admin.Status(), 0);
    const std::vector<CCaseViewParam> after = Params(auditor);
    ASSERT_EQ(after.size(), 3u);
    EXPECT_EQ(after[0].name, "Due soon");
    EXPECT_EQ(after[0].viewId, params[1].viewId);
    EXPECT_EQ(after[1].viewId, params[0].viewId);
    EXPECT_EQ(after[2].name, "New one");

    // The auditor does not manage others' views, and unknown keys are refused.
    EXPECT_FALSE(auditor.GetByText("GETCASEVIEWPROPSET", "admin", set));
    EXPECT_TRUE(auditor.GetByText("GETCASEVIEWPROPSET", "auditor", set)) << "its own";
    EXPECT_FALSE(admin.GetByText("GETCASEVIEWPROPSET", "nobody", set));
    EXPECT_TRUE(admin.InStep());
}

TEST_F(ViewServer, ReportViewListsBelongToTheirAccount)
{
    CObjectList<CReportPropItem> list;
    ASSERT_TRUE(admin.GetByText("GETREPORTVIEWPROPSET", "reviewer", list));
    EXPECT_EQ(list.items.size(), 4u) << "the demo report views";
    list.items.clear();
    for (const char* name : {"Aging", "Listing"}) {
        auto item = std::make_shared<CReportPropItem>();
        item->name = name;
        item->reportFile = std::string(name) + ".rpt";
        item->settings = std::string("\x00\x01\x02", 3);
        list.items.push_back(item);
    }
    ASSERT_TRUE(admin.Command("SETREPORTVIEWPROPSET") && admin.Text("reviewer") && admin.Record(list));
    ASSERT_EQ(admin.Status(), 0);
    CObjectList<CReportPropItem> stored;
    ASSERT_TRUE(admin.GetByText("GETREPORTVIEWPROPSET", "reviewer", stored));
    EXPECT_EQ(RecordBytes(stored), RecordBytes(list));

    CCommandClient reviewer;
    ASSERT_TRUE(reviewer.LogIn(Port(), "reviewer", "reviewer"));
    CRecordList<CReportViewParam> params;
    ASSERT_TRUE(reviewer.Command("GETREPORTVIEWPARAMSET") && reviewer.Reply(params));
    ASSERT_EQ(params.items.size(), 2u);
    EXPECT_EQ(params.items[1].name, "Listing");

    list.items.push_back(list.items[0]);
    ASSERT_TRUE(admin.Command("SETREPORTVIEWPROPSET") && admin.Text("reviewer") && admin.Record(list));
    EXPECT_EQ(admin.Status(), -1) << "names are unique within a list";
}

TEST_F(ViewServer, InventoryInfoFollowsTheUsersRights)
{
    CInventoryInfo info;
    ASSERT_TRUE(admin.Command("GETINVENTORYINFO") && admin.Int(0) && admin.Reply(info));
    EXPECT_EQ(info.rights, 0xFFEAA);
    EXPECT_EQ(info.ownChildName, "Demo Administrator");
    EXPECT_EQ(info.ownParentName, "");
    EXPECT_EQ(info.regions, (std::vector<std::string>{"Midwest", "Northeast"}));
    EXPECT_TRUE(HasName(info.territories, "Northeast::Boston Metro"));
    EXPECT_EQ(info.searchFields.size(), 64u);
    EXPECT_EQ(info.searchFields[0].token, "[CaseNum]");
    ASSERT_EQ(info.flagNames.size(), 32u);
    EXPECT_EQ(info.flagNames[0], "Rush");
    EXPECT_EQ(info.flagNames[31], "Flag 32");
    EXPECT_EQ(info.defaultMasterDueDays, 30);
    std::vector<std::string> parents;
    for (const CParentUser& parent : info.parents)
        parents.push_back(parent.name);
    EXPECT_TRUE(HasName(parents, "Atlas Mutual Insurance"));
    EXPECT_FALSE(HasName(parents, "Great Lakes Rating Bureau")) << "hidden";
    std::vector<std::string> children;
    for (const CChildUser& child : info.children)
        children.push_back(child.name);
    EXPECT_TRUE(HasName(children, "Dana Whitfield"));
    EXPECT_FALSE(HasName(children, "AUDIT ORDERS")) << "hidden";

    ASSERT_TRUE(admin.Command("GETINVENTORYINFO") && admin.Int(1) && admin.Reply(info));
    parents.clear();
    for (const CParentUser& parent : info.parents)
        parents.push_back(parent.name);
    EXPECT_TRUE(HasName(parents, "Great Lakes Rating Bureau")) << "shown on request";

    // A parent sees itself only, with its own due days.
    CCommandClient carrier;
    ASSERT_TRUE(carrier.LogIn(Port(), "carrier", "carrier"));
    ASSERT_TRUE(carrier.Command("GETINVENTORYINFO") && carrier.Int(1) && carrier.Reply(info));
    EXPECT_EQ(info.ownParentName, "Atlas Mutual Insurance");
    EXPECT_EQ(info.ownChildName, "");
    ASSERT_EQ(info.parents.size(), 1u);
    EXPECT_EQ(info.parents[0].name, "Atlas Mutual Insurance");
    EXPECT_EQ(info.defaultMasterDueDays, info.parents[0].masterDueDays);
    EXPECT_TRUE(info.children.empty());
    EXPECT_TRUE(info.regions.empty());

    // A customer rep belongs to its parent; an auditor sees itself among the children.
    CCommandClient rep;
    ASSERT_TRUE(rep.LogIn(Port(), "rep", "rep"));
    ASSERT_TRUE(rep.Command("GETINVENTORYINFO") && rep.Int(0) && rep.Reply(info));
    EXPECT_EQ(info.ownParentName, "Atlas Mutual Insurance");
    EXPECT_EQ(info.ownChildName, "Demo Customer Rep");
    ASSERT_EQ(info.children.size(), 1u);
    CCommandClient auditor;
    ASSERT_TRUE(auditor.LogIn(Port(), "auditor", "auditor"));
    ASSERT_TRUE(auditor.Command("GETINVENTORYINFO") && auditor.Int(0) && auditor.Reply(info));
    EXPECT_TRUE(info.parents.empty());
    ASSERT_EQ(info.children.size(), 1u);
    EXPECT_EQ(info.children[0].name, "Demo Auditor");
    EXPECT_EQ(info.children[0].loginId, "auditor");
}

TEST_F(ViewServer, RefusedReportCommandsStayInStep)
{
    // An unknown view, report file or case: each command is answered with its items.
    CCaseQueryRequestInfo request;
    CBinaryObject report;
    ASSERT_TRUE(admin.Command("GENERATECASEVIEW") && admin.Record(request));
    EXPECT_FALSE(admin.Reply(report));
    ASSERT_TRUE(admin.Command("GENERATECASEREPORTVIEW") && admin.Text("Aging") && admin.Ids({"2024-000001"}) &&
                admin.Int(1));
    EXPECT_FALSE(admin.Reply(report));
    CUIDialog dialog;
    EXPECT_FALSE(admin.GetByText("GETREPORTVIEW", "Aging", dialog));
    ASSERT_TRUE(admin.Command("SETREPORTVIEW") && admin.Text("Aging") && admin.Record(dialog));
    EXPECT_EQ(admin.Status(), -1);
    CReportPropItem item;
    ASSERT_TRUE(admin.Command("ADMINGETREPORTVIEW") && admin.Record(item));
    EXPECT_FALSE(admin.Reply(dialog));
    ASSERT_TRUE(admin.Command("ADMINSETREPORTVIEW") && admin.Record(dialog) && admin.Record(item));
    EXPECT_EQ(admin.Status(), -1);
    for (const char* word : {"GETCASEAUDITATTACH", "GETCASESURVEYATTACH", "GETCASEAUDITATTACHPDF",
                             "GETCASESURVEYATTACHPDF"}) {
        ASSERT_TRUE(admin.Command(word) && admin.Text("1999-000001") && admin.Int(1)) << word;
        EXPECT_FALSE(admin.Reply(report)) << word;
    }
    for (const char* word : {"GETCASEAUDITATTACHDOC", "GETCASESURVEYATTACHDOC"}) {
        ASSERT_TRUE(admin.Command(word) && admin.Text("1999-000001") && admin.Int(1) && admin.Int(2)) << word;
        EXPECT_FALSE(admin.Reply(report)) << word;
    }
    EXPECT_TRUE(admin.InStep());
}

TEST_F(ViewServer, CommandsBeforeLogInAreRefusedInStep)
{
    CCommandClient anonymous;
    ASSERT_EQ(anonymous.Session().ConnectByName("127.0.0.1", Port()), 0);
    ASSERT_EQ(anonymous.Session().CreateSession("OFFICECLIENT", 107), 0);
    CInventoryInfo info;
    ASSERT_TRUE(anonymous.Command("GETINVENTORYINFO") && anonymous.Int(0));
    EXPECT_FALSE(anonymous.Reply(info));
    EXPECT_EQ(anonymous.DeleteCases({"2024-000001"}), -1);
    CAuditCase record;
    record.insuredName = "Anonymous Co.";
    EXPECT_EQ(anonymous.CreateCase(record), "");
    EXPECT_FALSE(anonymous.InStep());  // refused, but answered
    EXPECT_EQ(anonymous.Session().OpenSession("admin", "admin"), -4) << "admin is logged in elsewhere";
    EXPECT_EQ(anonymous.Session().OpenSession("auditor", "auditor"), 0);
    EXPECT_TRUE(anonymous.InStep());
}
