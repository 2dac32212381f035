#include "casedlg/assignment_history_rows.h"

#include "casedlg/case_date_text.h"

const std::vector<AssignmentHistoryColumn>& AssignmentHistoryColumns()
{
    static const std::vector<AssignmentHistoryColumn> columns = {
        {"Group", 75}, {"Name", 135}, {"Assigned", 80}, {"Status", 65}, {"Assignor", 120}};
    return columns;
}

std::vector<std::string> AssignmentHistoryRow(const CTrackingEntry& entry)
{
    return {entry.groupName, entry.childName, ShortDateText(entry.dateAssigned), entry.status, entry.assignor};
}
