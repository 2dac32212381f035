#pragma once
// The dialogs of the administration commands. The desktop fills them with real dialogs
// (admin_desktop_dialogs.h); tests with functions that answer at once. Each edits its
// logic or values in place and answers true on OK or Finish.

#include "records/billing_def.h"

#include <QString>

#include <functional>
#include <string>
#include <vector>

class CChildSheetLogic;
class CParentSheetLogic;
class CTerritorySheetState;

// The read-only card of an account: its title and the labelled lines shown.
struct AccountCard {
    QString title;
    std::vector<std::pair<std::string, std::string>> fields;
};

struct AdminDialogs {
    // "Child Properties" as a wizard when adding, "Properties for NAME" otherwise.
    std::function<bool(CChildSheetLogic& sheet, const QString& title)> childSheet;
    std::function<bool(CParentSheetLogic& sheet, const QString& title)> parentSheet;
    std::function<void(const AccountCard& card)> accountCard;
    // "Region": the name edited in place.
    std::function<bool(std::string& name)> region;
    // "Territory": name, billing code, zip codes and counties edited in place.
    std::function<bool(CTerritorySheetState& territory)> territory;
    // "Billing Defaults": the rows edited in place.
    std::function<bool(std::vector<CBillingDef>& rows)> billingDefaults;
};
