#include "server/store/case_query_store.h"

#include "server/store/case_cells.h"
#include "server/store/case_view_query.h"

#include <memory>
#include <mutex>
#include <type_traits>
#include <variant>

bool CCaseQueryStore::Run(const SessionUser& user, const CCaseQueryRequestInfo& request, const CDateTime& now,
                          CCaseQueryResults& results, std::string& error)
{
    CCaseQueryData view;
    if (!m_views.GetCaseView(ViewOwner{user.kind, user.accountId}, request.viewId, view)) {
        error = "the account has no case view " + std::to_string(request.viewId);
        return false;
    }
    CaseViewQuery query;
    if (!BuildCaseViewQuery(view, request.target, request.searchFormula, user, now, query, error))
        return false;

    results.resultColumns.clear();
    results.rows.clear();
    for (const CCaseQueryResultColInfo& column : query.columns)
        results.resultColumns.push_back(std::make_shared<CCaseQueryResultColInfo>(column));

    CReadTransaction read(m_db);
    // Not kept in the statement cache: every formula makes a text of its own.
    CStatement select(m_db, query.sql);
    if (!select.IsValid()) {
        error = "the query does not compile: " + m_db.LastError();
        return false;
    }
    for (size_t i = 0; i < query.parameters.size(); ++i) {
        const int index = static_cast<int>(i) + 1;
        std::visit(
            [&](const auto& value) {
                if constexpr (std::is_same_v<std::decay_t<decltype(value)>, std::string>)
                    select.BindText(index, value);
                else
                    select.BindInt(index, value);
            },
            query.parameters[i]);
    }
    const int columnCount = static_cast<int>(query.cells.size());
    while (select.Step()) {
        if (results.rows.size() >= m_rowLimit) {
            error = "the view finds more than " + std::to_string(m_rowLimit) + " cases (--max-view-rows)";
            results.rows.clear();
            return false;
        }
        auto row = std::make_shared<CCaseQueryDataRow>();
        row->cells.reserve(query.cells.size());
        for (int i = 0; i < columnCount; ++i)
            row->cells.push_back(ReadCell(select, i, query.cells[static_cast<size_t>(i)]));
        results.rows.push_back(std::move(row));
    }
    if (!select.Done()) {
        error = "the query failed: " + m_db.LastError();
        results.rows.clear();
        return false;
    }
    return true;
}
