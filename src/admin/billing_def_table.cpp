#include "admin/billing_def_table.h"

#include <cstdio>
#include <cstdlib>

namespace {

const char* const kAuditTypes[] = {"Annual", "Cancellation", "Interim", "Mail", "Pre-audit", "Re-Audit", "Other"};
const char* const kAuditSources[] = {"Physical", "Telephone", "Mail", "Other"};

template <size_t N>
std::string CodeText(const char* const (&names)[N], int32_t code)
{
    return code >= 0 && static_cast<size_t>(code) < N ? names[code] : "All";
}

template <size_t N>
int32_t TextCode(const char* const (&names)[N], const std::string& text)
{
    for (size_t i = 0; i < N; ++i)
        if (text == names[i])
            return static_cast<int32_t>(i);
    return CBillingDef::kAll;
}

std::string Amount(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

double Number(const std::string& text)
{
    return std::strtod(text.c_str(), nullptr);
}

}  // namespace

const std::array<BillingDefColumnInfo, kBillingDefColumns>& BillingDefColumns()
{
    static const std::array<BillingDefColumnInfo, kBillingDefColumns> columns = {{
        {"Policy Type", 140, "All\nWorkers Compensation\nGeneral Liability\nDealer\nGarage\nSurvey\n"},
        {"Non-pro", 50, "All\nYes\nNo\n"},
        {"Audit Type", 90, "All\nAnnual\nCancellation\nInterim\nMail\nPre-audit\nRe-Audit\nOther\n"},
        {"Audit Source", 80, "All\nPhysical\nTelephone\nMail\nOther\n"},
        {"Policy Code", 50, nullptr},
        {"Hourly or Flat Rate", 60, "Hourly\nFlat\n"},
        {"1st Hr Rate", 55, nullptr},
        {"Addl Hr Rate", 55, nullptr},
        {"Billed Hours", 55, nullptr},
        {"Flat Amount", 55, nullptr},
        {"Description", 120, nullptr},
    }};
    return columns;
}

BillingDefRowCells EmptyBillingDefRow()
{
    BillingDefRowCells row;
    row[colPolicyType] = "All";
    row[colNonPro] = "All";
    row[colAuditType] = "All";
    row[colAuditSource] = "All";
    row[colPolicyCode] = "-1";
    row[colHourlyOrFlat] = "Hourly";
    return row;
}

std::vector<BillingDefRowCells> BillingDefCells(const std::vector<CBillingDef>& rows)
{
    std::vector<BillingDefRowCells> cells(kBillingDefRows, EmptyBillingDefRow());
    for (size_t i = 0; i < rows.size() && i < cells.size(); ++i) {
        const CBillingDef& def = rows[i];
        BillingDefRowCells& row = cells[i];
        row[colPolicyType] = def.policyType.empty() ? "All" : def.policyType;
        row[colNonPro] = def.nonProductive == 2 ? "All" : def.nonProductive == 1 ? "Yes" : "No";
        row[colAuditType] = CodeText(kAuditTypes, def.auditType);
        row[colAuditSource] = CodeText(kAuditSources, def.auditSource);
        row[colPolicyCode] = std::to_string(def.policyCode);
        row[colHourlyOrFlat] = def.hourly ? "Hourly" : "Flat";
        if (def.hourly) {
            row[colFirstHourRate] = Amount(def.firstAmount);
            row[colAdditionalRate] = Amount(def.additionalHoursRate);
            row[colBilledHours] = Amount(def.billedHours);
        } else {
            row[colFlatAmount] = Amount(def.firstAmount);
        }
        row[colDescription] = def.description;
    }
    return cells;
}

std::vector<CBillingDef> BillingDefsFromCells(const std::vector<BillingDefRowCells>& cells)
{
    std::vector<CBillingDef> rows;
    for (size_t i = 0; i < cells.size() && i < static_cast<size_t>(kBillingDefRows); ++i) {
        const BillingDefRowCells& row = cells[i];
        CBillingDef def;
        def.policyType = row[colPolicyType] == "All" ? std::string() : row[colPolicyType];
        def.nonProductive = row[colNonPro] == "Yes" ? 1 : row[colNonPro] == "No" ? 0 : 2;
        def.auditType = TextCode(kAuditTypes, row[colAuditType]);
        def.auditSource = TextCode(kAuditSources, row[colAuditSource]);
        def.policyCode = static_cast<int32_t>(std::strtol(row[colPolicyCode].c_str(), nullptr, 10));
        def.hourly = row[colHourlyOrFlat] == "Flat" ? 0 : 1;
        if (def.hourly) {
            def.firstAmount = Number(row[colFirstHourRate]);
            def.additionalHoursRate = Number(row[colAdditionalRate]);
            def.billedHours = Number(row[colBilledHours]);
        } else {
            def.firstAmount = Number(row[colFlatAmount]);
        }
        def.description = row[colDescription];
        if (def.firstAmount == 0.0 && def.additionalHoursRate == 0.0 && def.billedHours == 0.0 &&
            def.description.empty())
            break;
        rows.push_back(std::move(def));
    }
    return rows;
}
