#include "records/register_records.h"

#include "records/admin_child_user.h"
#include "records/admin_parent_user.h"
#include "records/admin_region.h"
#include "records/admin_territory.h"
#include "records/assign_criterion.h"
#include "records/attachment.h"
#include "records/audit_case.h"
#include "records/billing_def.h"
#include "records/billing_entry.h"
#include "records/case_field_info.h"
#include "records/case_multi_props.h"
#include "records/case_query_col_info.h"
#include "records/case_query_data.h"
#include "records/case_query_data_row.h"
#include "records/case_query_request_info.h"
#include "records/case_query_result_col_info.h"
#include "records/case_query_results.h"
#include "records/case_schedule_info.h"
#include "records/case_view_param.h"
#include "records/child_user.h"
#include "records/file_info.h"
#include "records/inventory_info.h"
#include "records/multi_billing_entry.h"
#include "records/orv_event.h"
#include "records/orv_report_props.h"
#include "records/parent_user.h"
#include "records/policy_page.h"
#include "records/progress_rpt_entry.h"
#include "records/region_loc_rec.h"
#include "records/report_prop_item.h"
#include "records/report_view_param.h"
#include "records/tracking_entry.h"
#include "records/ui_control.h"
#include "records/ui_dialog.h"

#include <array>

namespace {

const std::array kRecordClasses = {
    // The case and what hangs off it.
    &CAuditCase::classInfo,
    &CPolicyPage::classInfo,
    &CAttachment::classInfo,
    &CBillingEntry::classInfo,
    &CMultiBillingEntry::classInfo,
    &CProgressRptEntry::classInfo,
    &CCaseScheduleInfo::classInfo,
    &CTrackingEntry::classInfo,
    &CFileInfo::classInfo,
    &CCaseMultiProps::classInfo,
    &CInventoryInfo::classInfo,
    // Directory records.
    &CParentUser::classInfo,
    &CChildUser::classInfo,
    &CRegionLocRec::classInfo,
    &CRegionTerrRec::classInfo,
    &CBillingDef::classInfo,
    // Fields, views and queries.
    &CCaseFieldInfo::classInfo,
    &CCaseViewParam::classInfo,
    &CCaseQueryData::classInfo,
    &CCaseQueryColInfo::classInfo,
    &CCaseQueryRequestInfo::classInfo,
    &CCaseQueryResults::classInfo,
    &CCaseQueryResultColInfo::classInfo,
    &CCaseQueryDataRow::classInfo,
    // Administration.
    &CAdminChildUser::classInfo,
    &CAssignCriterion::classInfo,
    &CAdminParentUser::classInfo,
    &CAdminRegion::classInfo,
    &CAdminTerritory::classInfo,
    // Report views, settings dialogs and the server's report records.
    &CReportPropItem::classInfo,
    &CReportViewParam::classInfo,
    &CUIDialog::classInfo,
    &CUIControl::classInfo,
    &CUIEditControl::classInfo,
    &CUIDateEditControl::classInfo,
    &CUIStaticControl::classInfo,
    &CUIButtonControl::classInfo,
    &CUIComboBoxControl::classInfo,
    &CUICheckListBoxControl::classInfo,
    &CORVReportProps::classInfo,
    &CORVEvent::classInfo,
    &CORVWatchEvent::classInfo,
    &CORVEventTrigger::classInfo,
    &CORVWatchTrigger::classInfo,
};

}  // namespace

std::span<const CRuntimeClass* const> RecordClasses()
{
    return kRecordClasses;
}

void RegisterRecordClasses(CClassRegistry& registry)
{
    for (const CRuntimeClass* cls : kRecordClasses)
        registry.Add(*cls);
}
