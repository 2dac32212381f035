// The report side of the demo inventory: audit and survey documents for the demo cases'
// attachments (in the document format of server/reports/README.md), and report views
// for the demo accounts. A document's content follows from its case alone, so that the
// demo inventory's random sequence does not depend on it.

#include "records/audit_case.h"
#include "records/report_prop_item.h"
#include "records/ui_control.h"
#include "records/ui_dialog.h"
#include "server/demo_accounts.h"
#include "server/reports/report_generator.h"
#include "server/reports/report_settings.h"
#include "server/reports/report_text.h"
#include "server/store/status.h"

#include <cmath>
#include <cstdio>
#include <cstdint>
#include <functional>
#include <random>

namespace {

struct ClassCode {
    const char* code;
    const char* description;
    double rate;  // per 100 of payroll
};

const ClassCode kClassCodes[] = {
    {"8810", "Clerical office employees", 0.18},   {"8742", "Outside salespersons", 0.35},
    {"5403", "Carpentry", 9.12},                   {"5551", "Roofing", 14.80},
    {"5183", "Plumbing", 3.95},                    {"5190", "Electrical wiring", 3.10},
    {"2003", "Bakery", 2.74},                      {"7228", "Trucking - local hauling", 6.45},
    {"8380", "Automobile service or repair", 2.96}, {"9083", "Restaurant", 1.62},
    {"3632", "Machine shop", 3.37},                {"0042", "Landscape gardening", 4.81},
};

const char* const kRecords[] = {
    "Payroll journal, quarterly federal returns (941) and state unemployment reports.",
    "General ledger, cash disbursements journal and certificates of insurance of subcontractors.",
    "Payroll summaries by employee, W-2 and 1099 forms, and the insured's own classification worksheet.",
};

const char* const kAuditRemarks[] = {
    "Records were complete and agreed with the quarterly returns. No changes to the classifications.",
    "Two employees moved from clerical to outside sales during the period; payroll split accordingly.",
    "Subcontractors without certificates of insurance are included at their full contract cost.",
    "Overtime is shown at straight time as the rating rules require.",
};

struct Hazard {
    const char* hazard;
    const char* severity;
    const char* recommendation;
};

const Hazard kHazards[] = {
    {"Blocked exit in the rear storage area", "High", "Keep exit paths clear at all times"},
    {"Fire extinguishers not inspected this year", "Medium", "Have all extinguishers serviced and tagged"},
    {"Extension cords used as permanent wiring", "Medium", "Install permanent outlets"},
    {"Wet floor near the loading dock", "Low", "Add mats and a warning sign"},
    {"Flammable liquids stored in open containers", "High", "Use approved safety cans and a cabinet"},
    {"Missing machine guard on the band saw", "High", "Refit the guard before further use"},
    {"Poor lighting in the parking area", "Low", "Add exterior lighting"},
};

const char* const kConstructions[] = {"Frame", "Joisted masonry", "Non-combustible", "Masonry non-combustible",
                                      "Fire resistive"};

// A generator seeded by the case number (FNV-1a), so that a case always gets the same
// document.
std::minstd_rand GeneratorFor(const CAuditCase& record)
{
    uint32_t hash = 2166136261u;
    for (const char c : record.caseNumber)
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    return std::minstd_rand(hash % 2147483646u + 1u);
}

int PickIn(std::minstd_rand& random, int count)
{
    return static_cast<int>(random() % static_cast<unsigned>(count));
}

std::string Amount(double value)
{
    return ReportText::Amount(value);
}

std::string HeadingFields(const CAuditCase& record, const char* title, const char* who)
{
    std::string text = std::string("Title: ") + title + "\r\n";
    text += "Case: " + record.caseNumber + "\r\n";
    text += "Insured: " + record.insuredName + "\r\n";
    text += "Policy: " + record.policyNumber + " (" + record.policyType + ")\r\n";
    text += "Policy Period: " + ReportText::Date(record.policyStartDate) + " - " +
            ReportText::Date(record.policyEndDate) + "\r\n";
    text += std::string(who) + ": " + (record.childName.empty() ? std::string("Unassigned") : record.childName) +
            "\r\n";
    text += "Location: " + record.auditAddress1 + ", " + record.auditCity + ", " + record.auditState + " " +
            record.auditZip + "\r\n";
    return text;
}

std::string AuditDocument(const CAuditCase& record)
{
    std::minstd_rand random = GeneratorFor(record);
    std::string text = "ORVENNA AUDIT 1\r\n";
    const std::string year = ReportText::Date(record.policyStartDate).substr(6);
    text += HeadingFields(record, ("Premium Audit " + year).c_str(), "Auditor");
    text += "\r\nAudit of the policy period made with " + record.auditContact +
            " from the books and records listed below.\r\n\r\n";
    text += "# Records examined\r\n";
    text += std::string(kRecords[PickIn(random, static_cast<int>(std::size(kRecords)))]) + "\r\n\r\n";

    text += "# Payroll by classification\r\n";
    text += "| Code | Description | Payroll | Rate | Premium |\r\n";
    text += "|------|-------------|--------:|-----:|--------:|\r\n";
    const int rows = 2 + PickIn(random, 3);
    const int first = PickIn(random, static_cast<int>(std::size(kClassCodes)));
    double payrollTotal = 0;
    double premiumTotal = 0;
    for (int i = 0; i < rows; ++i) {
        const ClassCode& code = kClassCodes[(first + i * 5) % std::size(kClassCodes)];
        const double payroll = (20 + PickIn(random, 400)) * 1000.0;
        const double premium = std::round(payroll * code.rate) / 100.0;
        payrollTotal += payroll;
        premiumTotal += premium;
        char rate[16];
        std::snprintf(rate, sizeof rate, "%.2f", code.rate);
        text += std::string("| ") + code.code + " | " + code.description + " | " + Amount(payroll) + " | " + rate +
                " | " + Amount(premium) + " |\r\n";
    }
    text += "| | Total | " + Amount(payrollTotal) + " | | " + Amount(premiumTotal) + " |\r\n";
    text += "Payroll verified against the quarterly returns.\r\n\r\n";

    text += "# Remarks\r\n";
    text += std::string(kAuditRemarks[PickIn(random, static_cast<int>(std::size(kAuditRemarks)))]) + "\r\n";
    text += "\r\nEstimated premium on the policy: " + Amount(record.policyEstPremium) + ".\r\n";
    return text;
}

std::string SurveyDocument(const CAuditCase& record)
{
    std::minstd_rand random = GeneratorFor(record);
    std::string text = "ORVENNA SURVEY 1\r\n";
    text += HeadingFields(record, "Loss-Control Survey", "Surveyor");
    text += "\r\nSurvey of the insured's premises with " + record.auditContact + ".\r\n\r\n";

    text += "# Premises\r\n";
    text += "| Building | Construction | Stories | Sprinklered | Area (sq ft) |\r\n";
    text += "|---|---|---:|---|---:|\r\n";
    const int buildings = 1 + PickIn(random, 3);
    for (int i = 0; i < buildings; ++i) {
        const char* construction = kConstructions[PickIn(random, static_cast<int>(std::size(kConstructions)))];
        const int stories = 1 + PickIn(random, 3);
        const bool sprinklered = PickIn(random, 2) == 1;
        std::string area = Amount((2 + PickIn(random, 60)) * 500.0);
        area.resize(area.size() - 3);  // whole square feet
        text += "| " + std::to_string(i + 1) + " | " + construction + " | " + std::to_string(stories) + " | " +
                (sprinklered ? "Yes" : "No") + " | " + area + " |\r\n";
    }

    text += "\r\n# Hazards observed\r\n";
    text += "| Hazard | Severity | Recommendation |\r\n";
    text += "|---|---|---|\r\n";
    const int hazards = 1 + PickIn(random, 3);
    const int first = PickIn(random, static_cast<int>(std::size(kHazards)));
    for (int i = 0; i < hazards; ++i) {
        const Hazard& hazard = kHazards[(first + i * 3) % std::size(kHazards)];
        text += std::string("| ") + hazard.hazard + " | " + hazard.severity + " | " + hazard.recommendation + " |\r\n";
    }

    text += "\r\n# Summary\r\n";
    text += hazards > 1 ? "Housekeeping needs attention; the recommendations above are to be completed within "
                          "30 days.\r\n"
                        : "The premises are well kept; one minor recommendation.\r\n";
    return text;
}

// A report view with the file's default settings, changed by `edit` on the settings
// dialog.
std::shared_ptr<CReportPropItem> View(const char* name, const char* file,
                                      const std::function<void(CUIDialog&)>& edit = {})
{
    auto view = std::make_shared<CReportPropItem>();
    view->name = name;
    view->reportFile = file;
    view->settings = ReportSettings::Defaults(file);
    if (edit) {
        CUIDialog dialog;
        std::string error;
        ReportSettings::Dialog(file, view->settings, dialog);
        edit(dialog);
        ReportSettings::FromDialog(file, dialog, view->settings, error);
    }
    return view;
}

void SetControl(CUIDialog& dialog, int32_t id, const std::function<void(CUIControl&)>& change)
{
    for (const auto& control : dialog.controls)
        if (control->controlId == id)
            change(*control);
}

std::vector<std::shared_ptr<CReportPropItem>> DemoReportViews()
{
    return {
        View("Case Listing", ReportFiles::kCaseListing),
        View("Open Cases by Parent", ReportFiles::kCaseListing,
             [](CUIDialog& dialog) {
                 SetControl(dialog, ReportSettings::kTitleId, [](CUIControl& c) { c.text = "Open Cases by Parent"; });
                 SetControl(dialog, ReportSettings::kIncludeClosedId,
                            [](CUIControl& c) { dynamic_cast<CUIButtonControl&>(c).checkState = 0; });
             }),
        View("Due Date Aging", ReportFiles::kDueDateAging),
        View("Case Detail", ReportFiles::kCaseDetail),
    };
}

}  // namespace

std::string DemoAttachmentDocument(const CAuditCase& record)
{
    return record.policyType == "Survey" ? SurveyDocument(record) : AuditDocument(record);
}

int SeedDemoReportViews(CInventoryStore& inventory)
{
    int stored = 0;
    for (const DemoAccount& demo : DemoAccounts()) {
        ViewOwner owner;
        if (!inventory.accounts.FindLogin(demo.account.userId, owner.kind, owner.accountId))
            continue;
        if (!inventory.views.ReportViewParams(owner).empty())
            continue;  // the account has report views of its own
        const auto views = DemoReportViews();
        if (inventory.views.SetReportViewSet(owner, views) == Status::ok)
            stored += static_cast<int>(views.size());
    }
    return stored;
}
