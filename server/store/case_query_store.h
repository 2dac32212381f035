#pragma once
// Running the case views of an account (GENERATECASEVIEW): the view's definition is
// read from the account's own views and run as described in case_view_query.h.

#include "codec/date_time.h"
#include "records/case_query_request_info.h"
#include "records/case_query_results.h"
#include "server/database.h"
#include "server/session_user.h"
#include "server/store/view_store.h"

#include <string>

class CCaseQueryStore {
public:
    CCaseQueryStore(CDatabase& database, CViewStore& views) : m_db(database), m_views(views) {}

    // Fills the results, or returns false with the reason: a view the user does not
    // have, a definition that cannot be run, or a failure of the database.
    bool Run(const SessionUser& user, const CCaseQueryRequestInfo& request, const CDateTime& now,
             CCaseQueryResults& results, std::string& error);

    // The most rows one run may return; a view that finds more is refused, so that one
    // request cannot take the server's memory. The default suits any office inventory.
    static constexpr size_t kDefaultRowLimit = 250000;
    void SetRowLimit(size_t rows) { m_rowLimit = rows; }

private:
    CDatabase& m_db;
    CViewStore& m_views;
    size_t m_rowLimit = kDefaultRowLimit;
};
