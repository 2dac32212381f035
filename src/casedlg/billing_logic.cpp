#include "casedlg/billing_logic.h"

#include "platform/user_prompts.h"
#include "query/civil_date.h"
#include "records/tracking_entry.h"

#include <algorithm>
#include <cmath>

double RoundToCents(double amount)
{
    double whole = 0.0;
    const double fraction = std::modf(amount * 100.0, &whole);
    // A product such as 0.125 * 100 may land a hair below the half; the amounts are
    // cents to begin with, so a millionth of a cent is noise.
    constexpr double kNoise = 1e-6;
    if (fraction >= 0.5 - kNoise)
        whole += 1.0;
    else if (fraction <= -0.5 + kNoise)
        whole -= 1.0;
    return whole * 0.01;
}

double BilledAmount(int32_t kind, double firstHourRate, double additionalRate, double hours, double flatAmount,
                    double discountPercent, bool paysChild)
{
    const double keep = 1.0 - discountPercent * 0.01;
    double amount = 0.0;
    if (kind == CBillingEntry::flat)
        amount = flatAmount * keep;
    else if (hours <= 1.0)
        amount = hours * firstHourRate * keep;
    else
        amount = ((hours - 1.0) * additionalRate + firstHourRate) * keep;
    amount = RoundToCents(amount);
    return paysChild ? -amount : amount;
}

double MultiBillingTotal(bool hourly, double firstHourRate, double additionalRate, double hours, double flatAmount)
{
    if (!hourly)
        return RoundToCents(flatAmount);
    return RoundToCents(hours > 1.0 ? (hours - 1.0) * additionalRate + firstHourRate : hours * firstHourRate);
}

QString BillingDateText(const CDateTime& value)
{
    DayAndTime parts;
    if (!SplitDateTime(value, parts))
        return {};
    const CivilDate date = DateOfSerial(parts.day);
    return QString::asprintf("%02d/%02d/%02d", date.month, date.day, date.year % 100);
}

QString BillingDateTimeText(const CDateTime& value)
{
    DayAndTime parts;
    if (!SplitDateTime(value, parts))
        return {};
    const int minutes = static_cast<int>(std::lround(parts.time * 24 * 60)) % (24 * 60);
    const int hour = minutes / 60;
    return BillingDateText(value) +
           QString::asprintf(" %02d:%02d %s", hour % 12 == 0 ? 12 : hour % 12, minutes % 60, hour < 12 ? "AM" : "PM");
}

QStringList BillingRowTexts(const CBillingEntry& entry)
{
    const auto number = [](double value) { return QString::asprintf("%.2f", value); };
    const bool hourly = entry.kind == CBillingEntry::hourly;
    return {BillingDateText(entry.billingDate),
            QString::fromLatin1(entry.childName.empty() ? entry.parentName : entry.childName),
            hourly ? number(entry.firstHourRate) : QString(),
            hourly ? number(entry.additionalHoursRate) : QString(),
            hourly ? number(entry.billedHours) : QString(),
            hourly ? QString() : number(entry.firstHourRate),
            QString::asprintf("%.2f%%", entry.discountPercent),
            number(entry.billedAmount)};
}

BillingLogic::BillingLogic(CInventoryServer& server, UserPrompts& prompts, std::string caseNumber,
                           std::string parentName)
    : server_(server), prompts_(prompts), caseNumber_(std::move(caseNumber)), parentName_(std::move(parentName))
{
}

bool BillingLogic::Load()
{
    bool ok = RefreshEntries();
    parties_.clear();
    if (!parentName_.empty())
        parties_.push_back(parentName_);
    std::vector<CTrackingEntry> history;
    if (!server_.GetCaseTracking(caseNumber_, history)) {
        prompts_.Message(QStringLiteral("Error receiving assignment history from server"));
        ok = false;
    }
    for (const CTrackingEntry& line : history)
        if (line.childName != CTrackingEntry::kUnassigned && !line.childName.empty() &&
            std::find(parties_.begin(), parties_.end(), line.childName) == parties_.end())
            parties_.push_back(line.childName);
    NewMode();
    return ok;
}

bool BillingLogic::RefreshEntries()
{
    std::vector<CBillingEntry> entries;
    if (!server_.GetCaseBillingEntries(caseNumber_, entries)) {
        prompts_.Message(QStringLiteral("Error receiving billing info from server"));
        return false;
    }
    entries_ = std::move(entries);
    return true;
}

double BillingLogic::Total() const
{
    double total = 0.0;
    for (const CBillingEntry& entry : entries_)
        total += entry.billedAmount;
    return total;
}

QString BillingLogic::Title() const
{
    return mode_ == Mode::creating ? QStringLiteral("Billing Information  (Creating new amount)")
                                   : QStringLiteral("Billing Information  (Editing current amount)");
}

QString BillingLogic::DateBilledText() const
{
    return form_.serverDate ? QStringLiteral("Server Assigned") : BillingDateTimeText(form_.date);
}

double BillingLogic::Amount() const
{
    return BilledAmount(form_.kind, form_.firstHourRate, form_.additionalRate, form_.hours, form_.flatAmount,
                        form_.discount, PaysChild(form_.party));
}

void BillingLogic::NewMode()
{
    mode_ = Mode::creating;
    editRow_ = -1;
    form_ = Form{};
    if (!parentName_.empty())
        form_.party = parentName_;
    else if (!parties_.empty())
        form_.party = parties_.front();
}

void BillingLogic::EditRow(int row)
{
    if (row < 0 || row >= static_cast<int>(entries_.size()))
        return;
    const CBillingEntry& entry = entries_[static_cast<size_t>(row)];
    mode_ = Mode::editing;
    editRow_ = row;
    form_ = Form{};
    form_.party = entry.childName.empty() ? entry.parentName : entry.childName;
    form_.kind = entry.kind;
    if (entry.kind == CBillingEntry::flat) {
        form_.flatAmount = entry.firstHourRate;
    } else {
        form_.firstHourRate = entry.firstHourRate;
        form_.additionalRate = entry.additionalHoursRate;
        form_.hours = entry.billedHours;
    }
    form_.discount = entry.discountPercent;
    form_.memo = entry.memo;
    form_.serverDate = false;
    form_.date = entry.billingDate;
}

void BillingLogic::Override(const CDateTime& when)
{
    form_.date = when;
    form_.serverDate = false;
}

bool BillingLogic::FillDefaults()
{
    CBillingEntry defaults;
    if (!server_.GetCaseDefBillingEntry(caseNumber_, form_.party, PaysChild(form_.party), defaults))
        return false;
    form_.kind = defaults.kind;
    if (defaults.kind == CBillingEntry::flat) {
        form_.flatAmount = defaults.firstHourRate;
    } else {
        form_.firstHourRate = defaults.firstHourRate;
        form_.additionalRate = defaults.additionalHoursRate;
        form_.hours = defaults.billedHours;
    }
    form_.discount = defaults.discountPercent;
    form_.memo = defaults.memo;
    return true;
}

bool BillingLogic::Update()
{
    if (form_.party.empty()) {
        prompts_.Message(QStringLiteral("Parent/Child must first be filled in."));
        return false;
    }
    CBillingEntry entry;
    const bool editing = mode_ == Mode::editing && editRow_ >= 0 && editRow_ < static_cast<int>(entries_.size());
    if (editing)
        entry = entries_[static_cast<size_t>(editRow_)];
    if (PaysChild(form_.party)) {
        entry.childName = form_.party;
        entry.parentName.clear();
    } else {
        entry.parentName = form_.party;
        entry.childName.clear();
    }
    entry.kind = form_.kind;
    if (form_.kind == CBillingEntry::hourly) {
        entry.firstHourRate = form_.firstHourRate;
        entry.additionalHoursRate = form_.additionalRate;
        entry.billedHours = form_.hours;
    } else {
        entry.firstHourRate = form_.flatAmount;
        entry.additionalHoursRate = 0.0;
        entry.billedHours = 0.0;
    }
    entry.discountPercent = form_.discount;
    entry.billedAmount = Amount();
    entry.memo = form_.memo;
    CInventoryServer::EditMode mode = CInventoryServer::modeAdd;
    if (editing) {
        mode = CInventoryServer::modeChange;
        if (!form_.serverDate)
            entry.billingDate = form_.date;
    } else {
        entry.entryId = 0;
        entry.billingDate = form_.serverDate ? kNullDate : form_.date;
    }
    if (!server_.SetCaseBillingEntry(caseNumber_, entry, mode)) {
        prompts_.Message(QStringLiteral("Billing Entry store failed"));
        return false;
    }
    entryStored_ = mode == CInventoryServer::modeAdd;
    RefreshEntries();
    NewMode();
    return true;
}

bool BillingLogic::Delete(const std::vector<int>& rows)
{
    if (rows.empty()) {
        prompts_.Message(QStringLiteral("Nothing has been selected!"));
        return false;
    }
    if (!prompts_.AskYesNo(QStringLiteral("You are about to delete %1 amount(s).  Are you sure?").arg(rows.size())))
        return false;
    bool ok = true;
    for (int row : rows) {
        if (row < 0 || row >= static_cast<int>(entries_.size()))
            continue;
        if (!server_.SetCaseBillingEntry(caseNumber_, entries_[static_cast<size_t>(row)], CInventoryServer::modeDelete)) {
            prompts_.Message(QStringLiteral("Billing Entry remove failed"));
            ok = false;
        }
    }
    RefreshEntries();
    NewMode();
    return ok;
}
