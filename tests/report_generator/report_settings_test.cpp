// The settings of report views: each report file's dialog, settings bytes made from an
// edited dialog and read back, the values that are refused, and the reports printing
// what the settings ask for.
#include "case_fixtures.h"

#include "records/ui_control.h"
#include "records/ui_dialog.h"
#include "report/rpt_double_grid_section.h"
#include "report/rpt_grid_section.h"
#include "report/rpt_multi_text_section.h"
#include "server/reports/report_generator.h"
#include "server/reports/report_settings.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

namespace {

namespace RS = ReportSettings;

CUIDialog DialogOf(const std::string& file, const std::string& settings = {})
{
    CUIDialog dialog;
    EXPECT_TRUE(RS::Dialog(file, settings, dialog));
    return dialog;
}

template <class Control>
Control& ControlOf(CUIDialog& dialog, int32_t id)
{
    for (const auto& control : dialog.controls)
        if (control->controlId == id)
            return dynamic_cast<Control&>(*control);
    throw std::runtime_error("no control " + std::to_string(id));
}

// The settings bytes of the file's dialog after an edit; empty when refused.
std::string Edited(const std::string& file, const std::function<void(CUIDialog&)>& edit)
{
    CUIDialog dialog = DialogOf(file);
    edit(dialog);
    std::string settings;
    std::string error;
    return RS::FromDialog(file, dialog, settings, error) ? settings : std::string();
}

CReportContext ContextOf(const std::string& file, const std::string& settings)
{
    CReportContext context = TestContext();
    EXPECT_TRUE(RS::Apply(file, settings, context));
    return context;
}

std::string HeaderTitle(const CReportPrintout& printout)
{
    return dynamic_cast<const CRptMultiTextSection&>(*printout.header).title;
}

CDateTime Day(int64_t day)
{
    return {CDateTime::valid, static_cast<double>(day)};
}

}  // namespace

TEST(ReportSettings, EachReportFileHasItsDialogAndUnknownFilesNone)
{
    CUIDialog listing = DialogOf(ReportFiles::kCaseListing);
    EXPECT_EQ(listing.title, "Case Listing Settings");
    EXPECT_EQ(ControlOf<CUIEditControl>(listing, RS::kTitleId).text, "Case Listing by Parent");
    EXPECT_EQ(ControlOf<CUIDateEditControl>(listing, RS::kCreatedFromId).date.status, CDateTime::null);
    EXPECT_EQ(ControlOf<CUIButtonControl>(listing, RS::kIncludeClosedId).checkState, 1);
    // Room for OK and Cancel at the right edge, 55 units wide, and below them.
    EXPECT_GE(listing.height, 37);
    for (const auto& control : listing.controls)
        EXPECT_LE(control->rect.right, listing.width - 60) << control->text;

    CUIDialog aging = DialogOf(ReportFiles::kDueDateAging);
    const auto& from = ControlOf<CUIComboBoxControl>(aging, RS::kAgeFromId);
    EXPECT_EQ(from.items, (std::vector<std::string>{"Auditor due date", "Master due date"}));
    EXPECT_EQ(from.text, "Auditor due date");
    CUIDialog detail = DialogOf(ReportFiles::kCaseDetail);
    EXPECT_EQ(ControlOf<CUIButtonControl>(detail, RS::kPrintPolicyPagesId).checkState, 1);

    CUIDialog none;
    EXPECT_FALSE(RS::Dialog("Payroll.rpt", "", none));
    std::string settings;
    std::string error;
    EXPECT_FALSE(RS::FromDialog("Payroll.rpt", listing, settings, error));
}

TEST(ReportSettings, EditedValuesComeBackAndOthersAreRefused)
{
    const std::string settings = Edited(ReportFiles::kCaseListing, [](CUIDialog& d) {
        ControlOf<CUIEditControl>(d, RS::kTitleId).text = "Board Listing";
        ControlOf<CUIDateEditControl>(d, RS::kCreatedFromId).date = {CDateTime::valid, kToday - 30 + 0.75};
        ControlOf<CUIButtonControl>(d, RS::kIncludeClosedId).checkState = 0;
    });
    ASSERT_FALSE(settings.empty());
    EXPECT_TRUE(RS::Holds(ReportFiles::kCaseListing, settings));
    CUIDialog back = DialogOf(ReportFiles::kCaseListing, settings);
    EXPECT_EQ(ControlOf<CUIEditControl>(back, RS::kTitleId).text, "Board Listing");
    EXPECT_EQ(ControlOf<CUIDateEditControl>(back, RS::kCreatedFromId).date, Day(kToday - 30)) << "the day alone";
    EXPECT_EQ(ControlOf<CUIButtonControl>(back, RS::kIncludeClosedId).checkState, 0);

    // Settings of another file, and bytes that are no settings, give that file's defaults.
    EXPECT_FALSE(RS::Holds(ReportFiles::kCaseDetail, settings));
    CUIDialog other = DialogOf(ReportFiles::kCaseDetail, settings);
    EXPECT_EQ(ControlOf<CUIEditControl>(other, RS::kTitleId).text, "Case Detail");
    const std::string garbage("\x05\x00\x00\x00\xff\xff\x01", 7);
    EXPECT_FALSE(RS::Holds(ReportFiles::kCaseListing, garbage));
    CUIDialog fallback = DialogOf(ReportFiles::kCaseListing, garbage);
    EXPECT_EQ(ControlOf<CUIEditControl>(fallback, RS::kTitleId).text, "Case Listing by Parent");
    CReportContext untouched = TestContext();
    EXPECT_FALSE(RS::Apply(ReportFiles::kCaseListing, garbage, untouched));

    const std::vector<std::pair<const char*, std::function<void(CUIDialog&)>>> refused = {
        {"title too long", [](CUIDialog& d) { ControlOf<CUIEditControl>(d, RS::kTitleId).text = std::string(101, 'x'); }},
        {"title with a line break", [](CUIDialog& d) { ControlOf<CUIEditControl>(d, RS::kTitleId).text = "Two\nlines"; }},
        {"invalid date",
         [](CUIDialog& d) { ControlOf<CUIDateEditControl>(d, RS::kCreatedToId).date = {CDateTime::invalid, 0}; }},
        {"dates in reverse order",
         [](CUIDialog& d) {
             ControlOf<CUIDateEditControl>(d, RS::kCreatedFromId).date = Day(kToday);
             ControlOf<CUIDateEditControl>(d, RS::kCreatedToId).date = Day(kToday - 1);
         }},
        {"indeterminate check box", [](CUIDialog& d) { ControlOf<CUIButtonControl>(d, RS::kIncludeClosedId).checkState = 2; }},
        {"control missing", [](CUIDialog& d) { d.controls.pop_back(); }},
        {"control of another kind",
         [](CUIDialog& d) {
             for (auto& control : d.controls)
                 if (control->controlId == RS::kTitleId) {
                     auto label = std::make_shared<CUIStaticControl>();
                     label->controlId = RS::kTitleId;
                     control = label;
                 }
         }},
    };
    for (const auto& [what, edit] : refused)
        EXPECT_EQ(Edited(ReportFiles::kCaseListing, edit), "") << what;
    EXPECT_EQ(Edited(ReportFiles::kDueDateAging,
                     [](CUIDialog& d) { ControlOf<CUIComboBoxControl>(d, RS::kAgeFromId).text = "Policy date"; }),
              "");
    // A list with nothing chosen takes its first item.
    const std::string unchosen = Edited(ReportFiles::kDueDateAging,
                                        [](CUIDialog& d) { ControlOf<CUIComboBoxControl>(d, RS::kAgeFromId).text = ""; });
    CUIDialog aging = DialogOf(ReportFiles::kDueDateAging, unchosen);
    EXPECT_EQ(ControlOf<CUIComboBoxControl>(aging, RS::kAgeFromId).text, "Auditor due date");
}

TEST(ReportSettings, ReportsPrintWhatTheSettingsAskFor)
{
    auto cases = SampleCases();
    cases[0].dateCreated = Day(kToday - 40);
    cases[1].dateCreated = Day(kToday - 10);
    cases[6].dateCreated = Day(kToday - 5);   // D-100, completed
    cases[1].auditorDueDate = Day(kToday + 10);
    cases[1].masterDueDate = Day(kToday - 100);

    // Case Listing: its title, the creation dates, without the closed cases.
    const std::string listing = Edited(ReportFiles::kCaseListing, [](CUIDialog& d) {
        ControlOf<CUIEditControl>(d, RS::kTitleId).text = "Recent Cases";
        ControlOf<CUIDateEditControl>(d, RS::kCreatedFromId).date = Day(kToday - 20);
        ControlOf<CUIButtonControl>(d, RS::kIncludeClosedId).checkState = 0;
    });
    auto printout =
        ReportGenerator::BuildPrintout(ReportFiles::kCaseListing, cases, {}, ContextOf(ReportFiles::kCaseListing, listing));
    EXPECT_EQ(HeaderTitle(*printout), "Recent Cases");
    const auto& header = dynamic_cast<const CRptMultiTextSection&>(*printout->header);
    EXPECT_EQ(header.text, "As of 03/01/2024, 1 case (open cases only), created from 02/10/2024");
    const auto& grid = *std::dynamic_pointer_cast<CRptGridSection>(printout->sections[0])->grid;
    EXPECT_EQ(grid.rows[0].cells[0].text, "A-100");

    // Due Date Aging: by the master due date, as of another day, without the case lists.
    const std::string aging = Edited(ReportFiles::kDueDateAging, [](CUIDialog& d) {
        ControlOf<CUIDateEditControl>(d, RS::kAgeAsOfId).date = Day(kToday + 1);
        ControlOf<CUIComboBoxControl>(d, RS::kAgeFromId).text = "Master due date";
        ControlOf<CUIButtonControl>(d, RS::kListBracketCasesId).checkState = 0;
    });
    const CReportContext agingContext = ContextOf(ReportFiles::kDueDateAging, aging);
    EXPECT_EQ(agingContext.today, kToday + 1);
    printout = ReportGenerator::BuildPrintout(ReportFiles::kDueDateAging, {cases[1]}, {}, agingContext);
    ASSERT_EQ(printout->sections.size(), 2u) << "the note and the summary only";
    EXPECT_NE(dynamic_cast<const CRptMultiTextSection&>(*printout->header).text.find("As of 03/02/2024"),
              std::string::npos);
    const auto& side = dynamic_cast<const CRptDoubleGridSection&>(*printout->sections[1]);
    EXPECT_EQ(side.left->rows[0].cells[1].text, "1") << "over 90 days by its master due date";

    // Case Detail: without the memo and the policy pages.
    cases[0].memo = "Call first.";
    cases[0].policyPages.resize(1);
    const std::string detail = Edited(ReportFiles::kCaseDetail, [](CUIDialog& d) {
        ControlOf<CUIButtonControl>(d, RS::kPrintMemoId).checkState = 0;
        ControlOf<CUIButtonControl>(d, RS::kPrintPolicyPagesId).checkState = 0;
    });
    const auto full = ReportGenerator::BuildPrintout(ReportFiles::kCaseDetail, {cases[0]}, {}, TestContext());
    printout =
        ReportGenerator::BuildPrintout(ReportFiles::kCaseDetail, {cases[0]}, {}, ContextOf(ReportFiles::kCaseDetail, detail));
    EXPECT_EQ(printout->sections.size() + 2, full->sections.size());
}

TEST(ReportSettings, RadioButtonsAndTheCheckListChooseTheOrderAndTheStages)
{
    const int32_t byCase = RS::kOrderById * 10;
    const int32_t byInsured = byCase + 1;
    CUIDialog listing = DialogOf(ReportFiles::kCaseListing);
    EXPECT_EQ(ControlOf<CUIButtonControl>(listing, byCase).checkState, 1);
    EXPECT_EQ(ControlOf<CUICheckListBoxControl>(listing, RS::kStagesId).checkStates, std::vector<int32_t>(9, 1));

    const std::string settings = Edited(ReportFiles::kCaseListing, [&](CUIDialog& d) {
        ControlOf<CUIButtonControl>(d, byCase).checkState = 0;
        ControlOf<CUIButtonControl>(d, byInsured).checkState = 1;
        ControlOf<CUICheckListBoxControl>(d, RS::kStagesId).checkStates = {0, 1, 0, 0, 0, 0, 0, 0, 1};
    });
    ASSERT_FALSE(settings.empty());
    const CReportContext context = ContextOf(ReportFiles::kCaseListing, settings);
    EXPECT_TRUE(context.orderByInsuredName);
    EXPECT_EQ(context.stages, 0x102u);

    EXPECT_EQ(Edited(ReportFiles::kCaseListing, [&](CUIDialog& d) { ControlOf<CUIButtonControl>(d, byInsured).checkState = 1; }),
              "") << "two choices";
    EXPECT_EQ(Edited(ReportFiles::kCaseListing,
                     [](CUIDialog& d) { ControlOf<CUICheckListBoxControl>(d, RS::kStagesId).checkStates.pop_back(); }),
              "") << "a state missing";
}
