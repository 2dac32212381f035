#pragma once
// Gives a demo account case views and report views through a session of its own, and
// waits until the server has ended that session, so that the account can log in again
// (an account has one session at a time).

#include "net/inventory_server.h"
#include "records/case_query_data.h"
#include "records/case_view_param.h"
#include "records/report_prop_item.h"
#include "support/log_in.h"
#include "support/server_process.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

inline CCaseQueryData CaseViewDefinition(const std::string& name, int32_t scope, int32_t viewType = 0)
{
    CCaseQueryData view;
    view.name = name;
    view.scope = scope;
    view.viewType = viewType;
    return view;
}

// The first view of the list with this name and scope; null when there is none.
inline const CCaseViewParam* FindListedView(const std::vector<CCaseViewParam>& views, const std::string& name,
                                            int32_t scope)
{
    for (const CCaseViewParam& view : views)
        if (view.name == name && view.scope == scope)
            return &view;
    return nullptr;
}

// The demo accounts' passwords are their user IDs. The demo accounts may have views of
// their own; tests name theirs apart.
inline void SeedViews(CServerProcess& server, const std::string& userId, const std::vector<CCaseQueryData>& caseViews,
                      const std::vector<std::string>& reportViewNames = {})
{
    const std::string loggedOut = "user '" + userId + "' logged out";
    const int before = server.CountLog(loggedOut);
    CInventoryServer client;
    ASSERT_TRUE(LogIn(client, "127.0.0.1", server.Port(), userId, userId).LoggedIn());
    for (const CCaseQueryData& view : caseViews)
        ASSERT_TRUE(client.SetCaseView(-1, view)) << view.name;
    if (!reportViewNames.empty()) {
        std::vector<std::shared_ptr<CReportPropItem>> items;
        for (const std::string& name : reportViewNames) {
            auto item = std::make_shared<CReportPropItem>();
            item->name = name;
            item->reportFile = "CaseListing";
            items.push_back(item);
        }
        ASSERT_TRUE(client.SetReportViewPropSet(userId, items));
    }
    client.CloseSession();
    client.Close();
    ASSERT_TRUE(server.WaitForLogCount(loggedOut, before + 1));
}
