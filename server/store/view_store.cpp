#include "server/store/view_store.h"

#include "codec/archive.h"
#include "codec/mem_file.h"
#include "server/store/status.h"

#include <set>

namespace {

// "ParentID" or "ChildID": the owner column of the view tables.
const char* OwnerColumn(const ViewOwner& owner)
{
    return owner.kind == AccountKind::parent ? "ParentID" : "ChildID";
}

}  // namespace

std::string ArchiveBytes(CObject& record)
{
    CMemFile file;
    {
        CArchive archive(file, CArchive::store);
        record.Serialize(archive);
        archive.Flush();
    }
    return file.ToString();
}

bool LoadArchiveBytes(const std::string& bytes, CObject& record)
{
    try {
        CMemFile file(bytes);
        CArchive archive(file, CArchive::load);
        record.Serialize(archive);
        return true;
    } catch (...) {
        return false;
    }
}

std::vector<CCaseViewParam> CViewStore::CaseViewParams(const ViewOwner& owner)
{
    CReadTransaction read(m_db);
    CCachedStatement select = m_db.Prepare(std::string("SELECT ViewID, Name, Scope, ViewType FROM CaseViews WHERE ") +
                                           OwnerColumn(owner) + " = ? ORDER BY Position, ViewID;");
    select->BindInt(1, owner.accountId);
    std::vector<CCaseViewParam> params;
    while (select->Step()) {
        CCaseViewParam param;
        param.viewId = static_cast<int32_t>(select->ColumnInt(0));
        param.name = select->ColumnText(1);
        param.scope = static_cast<int32_t>(select->ColumnInt(2));
        param.viewType = static_cast<int32_t>(select->ColumnInt(3));
        params.push_back(std::move(param));
    }
    return params;
}

bool CViewStore::GetCaseView(const ViewOwner& owner, int32_t viewId, CCaseQueryData& view)
{
    CReadTransaction read(m_db);
    CCachedStatement select = m_db.Prepare(std::string("SELECT Definition FROM CaseViews WHERE ViewID = ? AND ") +
                                           OwnerColumn(owner) + " = ?;");
    select->BindInt(1, viewId);
    select->BindInt(2, owner.accountId);
    return select->Step() && LoadArchiveBytes(select->ColumnBlob(0), view);
}

int CViewStore::SetCaseView(const ViewOwner& owner, int32_t viewId, const CCaseQueryData& view)
{
    CCaseQueryData copy = view;
    const std::string definition = ArchiveBytes(copy);
    if (definition.size() > kMaxViewDefinitionBytes)
        return Status::failed;
    CTransaction transaction(m_db);
    if (!transaction.IsOpen())
        return Status::failed;
    const std::string column = OwnerColumn(owner);
    if (viewId == -1) {
        CCachedStatement count = m_db.Prepare("SELECT COUNT(*), COALESCE(MAX(Position) + 1, 0) FROM CaseViews WHERE " +
                                              column + " = ?;");
        count->BindInt(1, owner.accountId);
        if (!count->Step() || static_cast<size_t>(count->ColumnInt(0)) >= kMaxViewsPerAccount)
            return Status::failed;
        const int64_t position = count->ColumnInt(1);
        CCachedStatement insert = m_db.Prepare("INSERT INTO CaseViews (" + column +
                                               ", Position, Name, Scope, ViewType, Definition) VALUES (?, ?, ?, ?, ?, ?);");
        insert->BindInt(1, owner.accountId);
        insert->BindInt(2, position);
        insert->BindText(3, view.name);
        insert->BindInt(4, view.scope);
        insert->BindInt(5, view.viewType);
        insert->BindBlob(6, definition);
        insert->Step();
        if (!insert->Done())
            return Status::failed;
    } else {
        CCachedStatement update = m_db.Prepare("UPDATE CaseViews SET Name = ?, Scope = ?, ViewType = ?, Definition = ?"
                                               " WHERE ViewID = ? AND " + column + " = ?;");
        update->BindText(1, view.name);
        update->BindInt(2, view.scope);
        update->BindInt(3, view.viewType);
        update->BindBlob(4, definition);
        update->BindInt(5, viewId);
        update->BindInt(6, owner.accountId);
        update->Step();
        if (!update->Done() || m_db.Changes() != 1)
            return Status::failed;
    }
    return transaction.Commit() ? Status::ok : Status::failed;
}

bool CViewStore::GetCaseViewSet(const ViewOwner& owner, std::vector<std::shared_ptr<CCaseQueryData>>& views)
{
    CReadTransaction read(m_db);
    CCachedStatement select = m_db.Prepare(std::string("SELECT Definition FROM CaseViews WHERE ") + OwnerColumn(owner) +
                                           " = ? ORDER BY Position, ViewID;");
    select->BindInt(1, owner.accountId);
    views.clear();
    while (select->Step()) {
        auto view = std::make_shared<CCaseQueryData>();
        if (!LoadArchiveBytes(select->ColumnBlob(0), *view))
            return false;
        views.push_back(std::move(view));
    }
    return true;
}

int CViewStore::SetCaseViewSet(const ViewOwner& owner, const std::vector<std::shared_ptr<CCaseQueryData>>& views)
{
    if (views.size() > kMaxViewsPerAccount)
        return Status::failed;
    // Every definition is checked before anything is written.
    std::vector<std::string> definitions;
    definitions.reserve(views.size());
    for (const auto& view : views) {
        definitions.push_back(ArchiveBytes(*view));
        if (definitions.back().size() > kMaxViewDefinitionBytes)
            return Status::failed;
    }
    CTransaction transaction(m_db);
    if (!transaction.IsOpen())
        return Status::failed;
    const std::string column = OwnerColumn(owner);
    // The stored views by name and scope, so that a view that stays keeps its identifier.
    struct Stored {
        int64_t id;
        std::string name;
        int64_t scope;
        bool reused = false;
    };
    std::vector<Stored> stored;
    {
        CCachedStatement select =
            m_db.Prepare("SELECT ViewID, Name, Scope FROM CaseViews WHERE " + column + " = ? ORDER BY Position, ViewID;");
        select->BindInt(1, owner.accountId);
        while (select->Step())
            stored.push_back({select->ColumnInt(0), select->ColumnText(1), select->ColumnInt(2)});
    }
    CCachedStatement update = m_db.Prepare(
        "UPDATE CaseViews SET Position = ?, Name = ?, Scope = ?, ViewType = ?, Definition = ? WHERE ViewID = ?;");
    CCachedStatement insert = m_db.Prepare("INSERT INTO CaseViews (" + column +
                                           ", Position, Name, Scope, ViewType, Definition) VALUES (?, ?, ?, ?, ?, ?);");
    for (size_t i = 0; i < views.size(); ++i) {
        CCaseQueryData& view = *views[i];
        const std::string& definition = definitions[i];
        Stored* match = nullptr;
        for (Stored& candidate : stored)
            if (!candidate.reused && candidate.name == view.name && candidate.scope == view.scope) {
                match = &candidate;
                break;
            }
        CStatement& statement = match ? *update : *insert;
        statement.Reset();
        int index = 1;
        if (!match)
            statement.BindInt(index++, owner.accountId);
        statement.BindInt(index++, static_cast<int64_t>(i));
        statement.BindText(index++, view.name);
        statement.BindInt(index++, view.scope);
        statement.BindInt(index++, view.viewType);
        statement.BindBlob(index++, definition);
        if (match) {
            statement.BindInt(index++, match->id);
            match->reused = true;
        }
        statement.Step();
        if (!statement.Done())
            return Status::failed;
    }
    CCachedStatement remove = m_db.Prepare("DELETE FROM CaseViews WHERE ViewID = ?;");
    for (const Stored& candidate : stored) {
        if (candidate.reused)
            continue;
        remove->Reset();
        remove->BindInt(1, candidate.id);
        remove->Step();
        if (!remove->Done())
            return Status::failed;
    }
    return transaction.Commit() ? Status::ok : Status::failed;
}

std::vector<CReportViewParam> CViewStore::ReportViewParams(const ViewOwner& owner)
{
    CReadTransaction read(m_db);
    CCachedStatement select = m_db.Prepare(std::string("SELECT ViewID, Name FROM ReportViews WHERE ") +
                                           OwnerColumn(owner) + " = ? ORDER BY Position;");
    select->BindInt(1, owner.accountId);
    std::vector<CReportViewParam> params;
    while (select->Step()) {
        CReportViewParam param;
        param.viewId = static_cast<int32_t>(select->ColumnInt(0));
        param.name = select->ColumnText(1);
        params.push_back(std::move(param));
    }
    return params;
}

bool CViewStore::GetReportViewSet(const ViewOwner& owner, std::vector<std::shared_ptr<CReportPropItem>>& views)
{
    CReadTransaction read(m_db);
    CCachedStatement select = m_db.Prepare(std::string("SELECT Name, ReportFile, Settings FROM ReportViews WHERE ") +
                                           OwnerColumn(owner) + " = ? ORDER BY Position;");
    select->BindInt(1, owner.accountId);
    views.clear();
    while (select->Step()) {
        auto view = std::make_shared<CReportPropItem>();
        view->name = select->ColumnText(0);
        view->reportFile = select->ColumnText(1);
        view->settings = select->ColumnBlob(2);
        views.push_back(std::move(view));
    }
    return true;
}

bool CViewStore::GetReportView(const ViewOwner& owner, const std::string& name, CReportPropItem& view)
{
    CReadTransaction read(m_db);
    CCachedStatement select = m_db.Prepare(std::string("SELECT Name, ReportFile, Settings FROM ReportViews WHERE ") +
                                           OwnerColumn(owner) + " = ? AND Name = ? ORDER BY Position LIMIT 1;");
    select->BindInt(1, owner.accountId);
    select->BindText(2, name);
    if (!select->Step())
        return false;
    view.name = select->ColumnText(0);
    view.reportFile = select->ColumnText(1);
    view.settings = select->ColumnBlob(2);
    return true;
}

int CViewStore::SetReportViewSet(const ViewOwner& owner, const std::vector<std::shared_ptr<CReportPropItem>>& views)
{
    if (views.size() > kMaxViewsPerAccount)
        return Status::failed;
    std::set<std::string> names;
    for (const auto& view : views)
        if (!names.insert(view->name).second || view->settings.size() > kMaxReportSettingsBytes)
            return Status::failed;
    CTransaction transaction(m_db);
    if (!transaction.IsOpen())
        return Status::failed;
    const std::string column = OwnerColumn(owner);
    // A view that keeps its name keeps its identifier.
    CCachedStatement existing = m_db.Prepare("SELECT ViewID, Name FROM ReportViews WHERE " + column + " = ?;");
    existing->BindInt(1, owner.accountId);
    std::vector<std::pair<int64_t, std::string>> stored;
    while (existing->Step())
        stored.emplace_back(existing->ColumnInt(0), existing->ColumnText(1));
    CCachedStatement remove = m_db.Prepare("DELETE FROM ReportViews WHERE ViewID = ?;");
    for (const auto& [id, name] : stored) {
        if (names.count(name) != 0)
            continue;
        remove->Reset();
        remove->BindInt(1, id);
        remove->Step();
        if (!remove->Done())
            return Status::failed;
    }
    CCachedStatement update =
        m_db.Prepare("UPDATE ReportViews SET Position = ?, ReportFile = ?, Settings = ? WHERE " + column +
                     " = ? AND Name = ?;");
    CCachedStatement insert = m_db.Prepare("INSERT INTO ReportViews (" + column +
                                           ", Position, Name, ReportFile, Settings) VALUES (?, ?, ?, ?, ?);");
    for (size_t i = 0; i < views.size(); ++i) {
        const CReportPropItem& view = *views[i];
        update->Reset();
        update->BindInt(1, static_cast<int64_t>(i));
        update->BindText(2, view.reportFile);
        update->BindBlob(3, view.settings);
        update->BindInt(4, owner.accountId);
        update->BindText(5, view.name);
        update->Step();
        if (!update->Done())
            return Status::failed;
        if (m_db.Changes() == 1)
            continue;
        insert->Reset();
        insert->BindInt(1, owner.accountId);
        insert->BindInt(2, static_cast<int64_t>(i));
        insert->BindText(3, view.name);
        insert->BindText(4, view.reportFile);
        insert->BindBlob(5, view.settings);
        insert->Step();
        if (!insert->Done())
            return Status::failed;
    }
    return transaction.Commit() ? Status::ok : Status::failed;
}
