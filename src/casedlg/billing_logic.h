#pragma once
// The Billing Information dialog without its window: the case's entries with their list
// texts and total, the parties that may be billed or paid, the edit buffer in new and
// edit mode, the billed amount, and the stores (add, change, remove) with their
// messages. The dialog maps its controls onto the buffer.

#include "codec/date_time.h"
#include "net/inventory_server.h"
#include "records/billing_entry.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <vector>

class UserPrompts;

// Cents, halves away from zero.
double RoundToCents(double amount);
// The amount of an entry: flat or hourly (first hour, then additional hours), less the
// discount in percent, in cents, negated when it pays a child.
double BilledAmount(int32_t kind, double firstHourRate, double additionalRate, double hours, double flatAmount,
                    double discountPercent, bool paysChild);
// A row of billing many cases: the same without discount and sign.
double MultiBillingTotal(bool hourly, double firstHourRate, double additionalRate, double hours, double flatAmount);

// The list columns of one entry: date, party, 1 Hr Rate, + Hr Rate, Time, Flat,
// Discount, Amount.
QStringList BillingRowTexts(const CBillingEntry& entry);
QString BillingDateText(const CDateTime& value);      // "%x"
QString BillingDateTimeText(const CDateTime& value);  // "%x %I:%M %p"

class BillingLogic {
public:
    enum class Mode { creating = 1, editing = 2 };

    // The edit buffer.
    struct Form {
        std::string party;
        int32_t kind = CBillingEntry::hourly;
        double firstHourRate = 0.0;
        double additionalRate = 0.0;
        double hours = 0.0;
        double flatAmount = 0.0;
        double discount = 0.0;
        std::string memo;
        bool serverDate = true;  // "Server Assigned"
        CDateTime date = kNullDate;
    };

    BillingLogic(CInventoryServer& server, UserPrompts& prompts, std::string caseNumber, std::string parentName);

    // The entries and the parties from the server; failures are shown. Ends in new mode.
    bool Load();
    bool RefreshEntries();

    const std::vector<CBillingEntry>& Entries() const { return entries_; }
    const std::vector<std::string>& Parties() const { return parties_; }
    double Total() const;
    QString TotalText() const { return QString::asprintf("%.2f", Total()); }

    Mode GetMode() const { return mode_; }
    QString Title() const;
    QString DateBilledText() const;
    Form& Buffer() { return form_; }
    const Form& Buffer() const { return form_; }
    // The amount of the buffer as it stands.
    double Amount() const;
    bool PaysChild(const std::string& party) const { return party != parentName_; }

    void NewMode();
    void EditRow(int row);
    void Override(const CDateTime& when);
    bool FillDefaults();
    bool Update();
    bool Delete(const std::vector<int>& rows);

    bool EntryStored() const { return entryStored_; }
    const std::string& CaseNumber() const { return caseNumber_; }
    const std::string& ParentName() const { return parentName_; }

private:
    CInventoryServer& server_;
    UserPrompts& prompts_;
    std::string caseNumber_;
    std::string parentName_;
    std::vector<CBillingEntry> entries_;
    std::vector<std::string> parties_;
    Mode mode_ = Mode::creating;
    int editRow_ = -1;
    Form form_;
    bool entryStored_ = false;
};
