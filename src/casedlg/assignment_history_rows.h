#pragma once
// The "Assignment History" list as data: its columns and one row of texts per entry,
// in the order the server sent them.

#include "records/tracking_entry.h"

#include <string>
#include <vector>

struct AssignmentHistoryColumn {
    std::string header;
    int width = 0;
};

const std::vector<AssignmentHistoryColumn>& AssignmentHistoryColumns();
// Group, name, date assigned ("%x"), status, assignor.
std::vector<std::string> AssignmentHistoryRow(const CTrackingEntry& entry);
