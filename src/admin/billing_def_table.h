#pragma once
// The "Billing Defaults" grid as text cells: 20 rows of 11 columns, filled from a set of
// billing default rows and read back into one.

#include "records/billing_def.h"

#include <array>
#include <string>
#include <vector>

inline constexpr int kBillingDefRows = 20;
inline constexpr int kBillingDefColumns = 11;

enum BillingDefColumn : int {
    colPolicyType, colNonPro, colAuditType, colAuditSource, colPolicyCode, colHourlyOrFlat,
    colFirstHourRate, colAdditionalRate, colBilledHours, colFlatAmount, colDescription
};

struct BillingDefColumnInfo {
    const char* heading;
    int width;
    const char* choices;  // "\n"-separated drop-down list, or null for a text cell
};
const std::array<BillingDefColumnInfo, kBillingDefColumns>& BillingDefColumns();

using BillingDefRowCells = std::array<std::string, kBillingDefColumns>;

// The cells of an empty row ("All" lists, policy code "-1", "Hourly").
BillingDefRowCells EmptyBillingDefRow();
// Rows 1 to n from the set, the rest empty; always kBillingDefRows rows.
std::vector<BillingDefRowCells> BillingDefCells(const std::vector<CBillingDef>& rows);
// The set the grid holds: rows from the top up to the first one whose three amounts are
// all 0 and whose description is empty, at most kBillingDefRows.
std::vector<CBillingDef> BillingDefsFromCells(const std::vector<BillingDefRowCells>& cells);
