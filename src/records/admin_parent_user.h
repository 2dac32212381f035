#pragma once
// A parent account as the administration pages edit it: due-date and printing
// defaults, contact details, the connection to the parent's own inventory, billing
// defaults and routing order.

#include "codec/date_time.h"
#include "codec/object.h"

#include <array>
#include <cstdint>
#include <string>

class CAdminParentUser : public CObject {
    ORV_DECLARE_SERIAL(CAdminParentUser)
public:
    // The date a new record starts with: 1 January 1996, in days since 30 December 1899.
    static constexpr CDateTime kNewRecordDate{CDateTime::valid, 35065.0};
    // connectionKind values.
    static constexpr const char* kDirectConnection = "*DIRECT*";
    static constexpr const char* kNoConnection = "*NONE*";

    // The six kinds of charge, in the order of chargeModes and chargeRates.
    enum ChargeKind {
        productivePhysical, nonProductivePhysical, productiveTelephone,
        nonProductiveTelephone, productiveMail, nonProductiveMail, chargeKindCount
    };
    struct ChargeRate {
        double first = 0.0;       // flat amount, or first-hour rate
        double additional = 0.0;  // 0, or additional-hours rate
    };
    struct Discount {
        double days = 0.0;
        double percent = 0.0;
    };

    void Serialize(CArchive& ar) override;

    int32_t recordNumber = 0;  // the server's; passed back unchanged
    int32_t masterDueDays = 0;
    int32_t auditDueDays = 0;
    int32_t copies = 0;        // copies printed of each attachment
    std::string type;
    std::string notes;
    std::string name;          // the key of the parent in every command
    std::string contact;
    std::string address1;
    std::string address2;
    std::string city;
    std::string state;
    std::string zip;
    std::string phone;
    std::string fax;
    std::string email;
    std::string connectionUserId;
    std::string connectionPassword;
    std::string reservedText;  // written empty by the property sheet
    std::string hostName;
    std::string connectionKind;  // kDirectConnection or kNoConnection
    int32_t reservedZero = 0;  // written 0 by the property sheet
    int32_t reservedOne = 1;   // written 1 by the property sheet
    CDateTime date = kNewRecordDate;  // the server's; passed back unchanged
    bool useBilling = false;
    std::array<int32_t, chargeKindCount> chargeModes{};  // 0 flat, 1 hourly
    std::array<ChargeRate, chargeKindCount> chargeRates{};
    std::array<Discount, 3> discounts{};
    std::array<int32_t, 7> routingOrder{};
    int32_t accountNumber = 0;
    bool hidden = false;       // hidden in the inventory tree
};
