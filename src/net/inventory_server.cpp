// Case views and queries, the inventory info, report views and case import.

#include "net/inventory_server.h"

#include "codec/binary_object.h"
#include "codec/class_registry.h"
#include "net/inventory_server_items.h"
#include "records/case_query_data.h"
#include "records/case_query_request_info.h"
#include "records/case_query_results.h"
#include "records/case_view_param.h"
#include "records/inventory_info.h"
#include "records/register_records.h"
#include "records/report_prop_item.h"
#include "records/report_view_param.h"
#include "records/ui_dialog.h"

using namespace inventory_items;

CInventoryServer::CInventoryServer()
{
    RegisterRecordClasses(CClassRegistry::Global());
    // The largest reply a server sends is a report or document of at most its report
    // limit (128 MiB by default); a server that announces more, or whose reply would
    // expand beyond four times that, is not believed. SetReplyLimit changes these.
    SetReplyLimit(kMaxReplyPayloadBytes);
}

void CInventoryServer::SetReplyLimit(int64_t payloadBytes)
{
    SessionLimits limits;
    limits.maxPayloadBytes = payloadBytes;
    limits.maxObjectBytes = static_cast<uint64_t>(payloadBytes) * 4;
    limits.maxMaterialisedBytes = limits.maxObjectBytes;
    SetLimits(limits);
}

// --- Case views and queries -------------------------------------------------------------

bool CInventoryServer::GetCaseViewParamSet(std::vector<CCaseViewParam>& views)
{
    CCommandRequest request(*this, "GETCASEVIEWPARAMSET");
    return request.Sent() && ReceiveRecords(*this, views, kDefaultReply);
}

bool CInventoryServer::GenerateCaseView(const CCaseQueryRequestInfo& query, CCaseQueryResults& results)
{
    CCommandRequest request(*this, "GENERATECASEVIEW");
    return request.Record(query).Sent() && ReceiveRecord(*this, results, kReplyTimeout);
}

bool CInventoryServer::GetCaseView(int32_t viewNumber, CCaseQueryData& view)
{
    CCommandRequest request(*this, "GETCASEVIEW");
    return request.Int(viewNumber).Sent() && ReceiveRecord(*this, view, kReplyTimeout);
}

bool CInventoryServer::SetCaseView(int32_t viewNumber, const CCaseQueryData& view)
{
    CCommandRequest request(*this, "SETCASEVIEW");
    return request.Int(viewNumber).Record(view).Sent() && ReceiveSuccess(*this, kReplyTimeout);
}

bool CInventoryServer::GetCaseViewPropSet(const std::string& accountKey, Objects<CCaseQueryData>& views)
{
    CCommandRequest request(*this, "GETCASEVIEWPROPSET");
    return request.Text(accountKey).Sent() && ReceiveObjects(*this, views, kReplyTimeout);
}

bool CInventoryServer::SetCaseViewPropSet(const std::string& accountKey, const Objects<CCaseQueryData>& views)
{
    CCommandRequest request(*this, "SETCASEVIEWPROPSET");
    return request.Text(accountKey).Objects(views).Sent() && ReceiveSuccess(*this, kReplyTimeout);
}

// --- Inventory ------------------------------------------------------------------------------

bool CInventoryServer::GetInventoryInfo(bool showHiddenNodes, CInventoryInfo& info)
{
    CCommandRequest request(*this, "GETINVENTORYINFO");
    return request.Int(showHiddenNodes ? 1 : 0).Sent() && ReceiveRecord(*this, info, kDefaultReply);
}

// --- Report views ---------------------------------------------------------------------------

bool CInventoryServer::GetReportViewParamSet(std::vector<CReportViewParam>& views)
{
    CCommandRequest request(*this, "GETREPORTVIEWPARAMSET");
    return request.Sent() && ReceiveRecords(*this, views, kDefaultReply);
}

bool CInventoryServer::GenerateCaseReportView(const std::string& viewName, const CaseIds& caseIds,
                                              ReportOutput output, CBinaryObject& block)
{
    CCommandRequest request(*this, "GENERATECASEREPORTVIEW");
    return request.Text(viewName).Texts(caseIds).Int(output).Sent() &&
           ReceiveRecord(*this, block, kLongReplyTimeout);
}

bool CInventoryServer::GetReportView(const std::string& viewName, CUIDialog& dialog)
{
    CCommandRequest request(*this, "GETREPORTVIEW");
    return request.Text(viewName).Sent() && ReceiveRecord(*this, dialog, kReplyTimeout);
}

bool CInventoryServer::SetReportView(const std::string& viewName, const CUIDialog& dialog)
{
    CCommandRequest request(*this, "SETREPORTVIEW");
    return request.Text(viewName).Record(dialog).Sent() && ReceiveSuccess(*this, kReplyTimeout);
}

bool CInventoryServer::GetReportViewPropSet(const std::string& accountKey, Objects<CReportPropItem>& views)
{
    CCommandRequest request(*this, "GETREPORTVIEWPROPSET");
    return request.Text(accountKey).Sent() && ReceiveObjects(*this, views, kReplyTimeout);
}

bool CInventoryServer::SetReportViewPropSet(const std::string& accountKey, const Objects<CReportPropItem>& views)
{
    CCommandRequest request(*this, "SETREPORTVIEWPROPSET");
    return request.Text(accountKey).Objects(views).Sent() && ReceiveSuccess(*this, kReplyTimeout);
}

bool CInventoryServer::GetReportFileNames(std::vector<std::string>& fileNames)
{
    CCommandRequest request(*this, "GETREPORTFILENAMES");
    return request.Sent() && ReceiveTexts(*this, fileNames, kDefaultReply);
}

bool CInventoryServer::AdminGetReportView(const CReportPropItem& item, CUIDialog& dialog)
{
    CCommandRequest request(*this, "ADMINGETREPORTVIEW");
    return request.Record(item).Sent() && ReceiveRecord(*this, dialog, kReplyTimeout);
}

bool CInventoryServer::AdminSetReportView(const CUIDialog& dialog, CReportPropItem& item)
{
    CCommandRequest request(*this, "ADMINSETREPORTVIEW");
    // A refusal comes without the item: only status 0 is followed by it.
    return request.Record(dialog).Record(item).Sent() && ReceiveSuccess(*this, kReplyTimeout) &&
           ReceiveRecord(*this, item, kReplyTimeout);
}

// --- Import ---------------------------------------------------------------------------------

bool CInventoryServer::ImportCases(const CBinaryObject& file, std::vector<std::string>& results)
{
    CCommandRequest request(*this, "IMPORTCASES");
    return request.Record(file).Sent() && ReceiveTexts(*this, results, kDefaultReply);
}
