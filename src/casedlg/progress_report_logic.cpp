#include "casedlg/progress_report_logic.h"

#include "casedlg/case_date_text.h"
#include "platform/user_prompts.h"

namespace {

QString Latin1(const std::string& text)
{
    return QString::fromLatin1(text);
}

const char* const kLinked = "Progress Report Entry is linked and cannot be edited";

}  // namespace

std::optional<CDateTime> ProgressEntryForm::EnteredDate() const
{
    if (preset.IsValid() && dateText == MaskedDateText(preset))
        return preset;
    return ParseMaskedDate(dateText);
}

std::optional<std::string> ProgressEntryForm::Validate() const
{
    if (!EnteredDate())
        return std::string("The date entered is invalid.");
    return std::nullopt;
}

ProgressReportLogic::ProgressReportLogic(CInventoryServer& server, UserPrompts& prompts, std::string caseId,
                                         int32_t rights)
    : server_(server), prompts_(prompts), caseId_(std::move(caseId)), hasRight_((rights & kRightProgressReports) != 0)
{
}

bool ProgressReportLogic::Load()
{
    std::vector<CProgressRptEntry> entries;
    bool received = false;
    {
        WaitCursor wait(prompts_);
        received = server_.GetCaseProgressRpts(caseId_, entries);
    }
    if (!received) {
        prompts_.Message(QStringLiteral("Error receiving progress reports from server"));
        return false;
    }
    entries_ = std::move(entries);
    return true;
}

std::vector<ProgressReportLogic::Column> ProgressReportLogic::Columns() const
{
    if (hasRight_)
        return {{"Date", 70}, {"Entered By", 120}, {"Comment", 480}, {"Internal", 50}};
    return {{"Date", 70}, {"Entered By", 120}, {"Comment", 530}};
}

std::vector<std::string> ProgressReportLogic::RowTexts(size_t row) const
{
    if (row >= entries_.size())
        return {};
    const CProgressRptEntry& entry = entries_[row];
    if (!hasRight_) {
        if (entry.internal)
            return {"INTERNAL", "", ""};
        return {ShortDateText(entry.entryDate), entry.enteredBy, entry.comment};
    }
    return {ShortDateText(entry.entryDate), entry.enteredBy, entry.comment, entry.internal ? "Yes" : ""};
}

bool ProgressReportLogic::ChangeEnabled(int row) const
{
    return row >= 0 && static_cast<size_t>(row) < entries_.size() && !entries_[static_cast<size_t>(row)].linked;
}

bool ProgressReportLogic::Selected(int row)
{
    if (row >= 0 && static_cast<size_t>(row) < entries_.size())
        return true;
    prompts_.Message(QStringLiteral("Nothing has been selected!"), UserPrompts::Icon::exclamation,
                     QStringLiteral("Error"));
    return false;
}

bool ProgressReportLogic::Edit(ProgressEntryForm& form, const EntryEditor& editor)
{
    form.showInternal = hasRight_;
    for (;;) {
        if (!editor || !editor(form))
            return false;
        if (form.comment.size() > ProgressEntryForm::kMaxCommentLength)
            form.comment.resize(ProgressEntryForm::kMaxCommentLength);
        const std::optional<std::string> problem = form.Validate();
        if (!problem)
            return true;
        prompts_.Message(Latin1(*problem));
    }
}

bool ProgressReportLogic::Store(const CProgressRptEntry& entry, CInventoryServer::EditMode mode, const char* failure)
{
    if (!server_.SetCaseProgressRpt(caseId_, entry, mode)) {
        prompts_.Message(QString::fromLatin1(failure));
        return false;
    }
    changed_ = true;
    Load();
    return true;
}

bool ProgressReportLogic::New(const EntryEditor& editor)
{
    ProgressEntryForm form;
    form.preset = NowDateTime();
    form.dateText = MaskedDateText(form.preset);
    if (!Edit(form, editor))
        return false;
    CProgressRptEntry entry;
    entry.entryDate = *form.EnteredDate();
    entry.comment = form.comment;
    entry.internal = hasRight_ && form.internal;
    return Store(entry, CInventoryServer::modeAdd, "Progress Report Entry add failed");
}

bool ProgressReportLogic::Properties(int row, const EntryEditor& editor)
{
    if (!Selected(row))
        return false;
    CProgressRptEntry entry = entries_[static_cast<size_t>(row)];
    if (entry.linked) {
        prompts_.Message(QString::fromLatin1(kLinked));
        return false;
    }
    if (entry.internal && !hasRight_)
        return false;
    ProgressEntryForm form;
    form.preset = entry.entryDate;
    form.dateText = MaskedDateText(entry.entryDate);
    form.comment = entry.comment;
    form.internal = entry.internal;
    if (!Edit(form, editor))
        return false;
    entry.entryDate = *form.EnteredDate();
    entry.comment = form.comment;
    entry.internal = form.internal;
    return Store(entry, CInventoryServer::modeChange, "Progress Report Entry edit failed");
}

bool ProgressReportLogic::Remove(int row)
{
    if (!Selected(row))
        return false;
    const CProgressRptEntry entry = entries_[static_cast<size_t>(row)];
    if (entry.linked) {
        prompts_.Message(QString::fromLatin1(kLinked));
        return false;
    }
    if (entry.internal && !hasRight_) {
        prompts_.Message(QStringLiteral("Cannot remove internal entry"));
        return false;
    }
    if (!prompts_.AskYesNo(QStringLiteral("Are you sure you want to remove the selected entry?"), false,
                           QStringLiteral("Remove Progress Report Entry")))
        return false;
    return Store(entry, CInventoryServer::modeDelete, "Progress Report Entry remove failed");
}

std::string ProgressReportLogic::CopyAllText() const
{
    std::string text;
    for (const CProgressRptEntry& entry : entries_)
        text += ShortDateText(entry.entryDate) + " by " + entry.enteredBy + ":\r\n" + entry.comment + "\r\n\r\n";
    return text;
}
