#pragma once
// Each account's case view definitions and report view list. Case views keep their
// identifiers while they exist: a whole new set (SETCASEVIEWPROPSET) reuses the
// identifier of a stored view with the same name and scope.

#include "records/case_query_data.h"
#include "records/case_view_param.h"
#include "records/report_prop_item.h"
#include "records/report_view_param.h"
#include "server/database.h"
#include "server/session_user.h"

#include <memory>
#include <string>
#include <vector>

inline constexpr size_t kMaxViewsPerAccount = 1000;
// The largest stored case view definition and report view settings, in archive bytes.
// A real view is a few kilobytes; the limits keep one account from filling the database
// with a definition or a list of them that only references make small on the wire.
inline constexpr size_t kMaxViewDefinitionBytes = 64 * 1024;
inline constexpr size_t kMaxReportSettingsBytes = 64 * 1024;

// The account that owns a set of views.
struct ViewOwner {
    AccountKind kind = AccountKind::child;
    int64_t accountId = 0;
};

class CViewStore {
public:
    explicit CViewStore(CDatabase& database) : m_db(database) {}

    std::vector<CCaseViewParam> CaseViewParams(const ViewOwner& owner);
    bool GetCaseView(const ViewOwner& owner, int32_t viewId, CCaseQueryData& view);
    // Replaces the owner's view `viewId`, or appends the view when viewId is -1.
    int SetCaseView(const ViewOwner& owner, int32_t viewId, const CCaseQueryData& view);
    bool GetCaseViewSet(const ViewOwner& owner, std::vector<std::shared_ptr<CCaseQueryData>>& views);
    int SetCaseViewSet(const ViewOwner& owner, const std::vector<std::shared_ptr<CCaseQueryData>>& views);

    std::vector<CReportViewParam> ReportViewParams(const ViewOwner& owner);
    bool GetReportViewSet(const ViewOwner& owner, std::vector<std::shared_ptr<CReportPropItem>>& views);
    // The owner's report view of that name; false when there is none.
    bool GetReportView(const ViewOwner& owner, const std::string& name, CReportPropItem& view);
    // Names must be unique within the list.
    int SetReportViewSet(const ViewOwner& owner, const std::vector<std::shared_ptr<CReportPropItem>>& views);

private:
    CDatabase& m_db;
};

// A record's archive bytes (its fields at top level, as on the wire before compression).
std::string ArchiveBytes(CObject& record);
// Loads a record from its archive bytes; false when they do not hold one.
bool LoadArchiveBytes(const std::string& bytes, CObject& record);
