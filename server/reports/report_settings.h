#pragma once
// The settings of a report view: what each built-in report file lets its users choose
// (a title, a range of creation dates, what to print), the dialog that the office client
// shows for them, and the settings bytes kept in a report view.
//
// The settings bytes are the archive bytes of a CORVReportProps: its first text names
// the report file, its first number is the settings version (1) and its list holds the
// settings dialog (a CUIDialog) with the chosen values in its controls. Values are
// only ever read from the controls this module describes, found by control id, and
// checked; an edited dialog is never kept as it came.

#include "server/reports/built_in_reports.h"

#include <string>

class CUIDialog;

namespace ReportSettings {

inline constexpr int32_t kSettingsVersion = 1;
inline constexpr size_t kMaxTitleLength = 100;

// Control ids of the settings.
inline constexpr int32_t kTitleId = 101;
inline constexpr int32_t kCreatedFromId = 102;
inline constexpr int32_t kCreatedToId = 103;
inline constexpr int32_t kIncludeClosedId = 104;
inline constexpr int32_t kAgeAsOfId = 105;
inline constexpr int32_t kAgeFromId = 106;
inline constexpr int32_t kListBracketCasesId = 107;
inline constexpr int32_t kPrintMemoId = 108;
inline constexpr int32_t kPrintPolicyPagesId = 109;
inline constexpr int32_t kOrderById = 110;    // radio buttons, ids kOrderById * 10 + item
inline constexpr int32_t kStagesId = 111;      // check list of the stages, item data the group code

// The items of the "Count days from:" list of the Due Date Aging report.
inline constexpr const char* kAuditorDueDate = "Auditor due date";
inline constexpr const char* kMasterDueDate = "Master due date";
// The choices of the Case Listing's "Order each parent's cases by:".
inline constexpr const char* kByCaseNumber = "Case number";
inline constexpr const char* kByInsuredName = "Insured name";

// The settings bytes of the file's defaults; empty for an unknown file.
std::string Defaults(const std::string& reportFile);

// True when the bytes hold readable settings of that report file.
bool Holds(const std::string& reportFile, const std::string& settings);

// The settings dialog of the file with the values the bytes hold, or the defaults when
// they hold no readable settings of that file. False for an unknown file.
bool Dialog(const std::string& reportFile, const std::string& settings, CUIDialog& dialog);

// The settings bytes of the values in an edited dialog. False, with the reason, for an
// unknown file, a dialog that lacks one of the file's controls (or has it of another
// kind), and a value that does not do: a title longer than kMaxTitleLength, a date that
// is not valid, creation dates in reverse order, a check state other than 0 and 1, a
// list choice that is not one of its items.
bool FromDialog(const std::string& reportFile, const CUIDialog& edited, std::string& settings, std::string& error);

// Puts the values of the settings bytes into the context. False, leaving the context
// as it was, when the bytes hold no readable settings of the file.
bool Apply(const std::string& reportFile, const std::string& settings, CReportContext& context);

}  // namespace ReportSettings
