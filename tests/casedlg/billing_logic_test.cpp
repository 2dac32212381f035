// The billed amount of an entry and of a row of billing many cases.

#include "casedlg/billing_logic.h"
#include "query/civil_date.h"

#include <gtest/gtest.h>

TEST(BilledAmount, FlatHourlyDiscountRoundingAndSign)
{
    struct Row {
        const char* name;
        int32_t kind;
        double first, additional, hours, flat, discount;
        bool child;
        double amount;
    };
    constexpr int32_t H = CBillingEntry::hourly, F = CBillingEntry::flat;
    const Row rows[] = {
        {"half an hour, 10% off", H, 80, 60, 0.5, 0, 10, false, 36.00},
        {"exactly one hour charges the first rate", H, 80, 60, 1, 0, 0, false, 80.00},
        {"2.25 hours", H, 80, 60, 2.25, 0, 0, false, 155.00},
        {"2.5 hours", H, 80, 60, 2.5, 0, 0, false, 170.00},
        {"flat with discount", F, 0, 0, 0, 200, 12.5, false, 175.00},
        {"flat ignores the hours", F, 80, 60, 3, 50, 0, false, 50.00},
        {"half a cent rounds up", F, 0, 0, 0, 0.125, 0, false, 0.13},
        {"negative half a cent rounds down", F, 0, 0, 0, -0.125, 0, false, -0.13},
        {"just under half a cent", F, 0, 0, 0, 0.124, 0, false, 0.12},
        {"a child's amount is negated", H, 80, 60, 0.5, 0, 10, true, -36.00},
        {"a child's flat half cent", F, 0, 0, 0, 0.005, 0, true, -0.01},
    };
    for (const Row& row : rows)
        EXPECT_NEAR(BilledAmount(row.kind, row.first, row.additional, row.hours, row.flat, row.discount, row.child),
                    row.amount, 1e-9)
            << row.name;
}

TEST(BilledAmount, MultiCaseRowsHaveNoDiscountOrSign)
{
    EXPECT_NEAR(MultiBillingTotal(true, 80, 60, 1, 999), 80.00, 1e-9);
    EXPECT_NEAR(MultiBillingTotal(true, 80, 60, 0.5, 0), 40.00, 1e-9);
    EXPECT_NEAR(MultiBillingTotal(true, 80, 60, 3, 0), 200.00, 1e-9);
    EXPECT_NEAR(MultiBillingTotal(false, 80, 60, 3, 42.125), 42.13, 1e-9);
}

TEST(BilledAmount, ListTexts)
{
    CBillingEntry hourly;
    hourly.kind = CBillingEntry::hourly;
    hourly.childName = "Ann Auditor";
    hourly.parentName = "ignored";
    hourly.firstHourRate = 80;
    hourly.additionalHoursRate = 60;
    hourly.billedHours = 2.5;
    hourly.discountPercent = 10;
    hourly.billedAmount = -153;
    hourly.billingDate = MakeDateTime(SerialOfDate({2025, 3, 7}), 0.75);
    EXPECT_EQ(BillingRowTexts(hourly),
              (QStringList{"03/07/25", "Ann Auditor", "80.00", "60.00", "2.50", "", "10.00%", "-153.00"}));
    EXPECT_EQ(BillingDateTimeText(hourly.billingDate), "03/07/25 06:00 PM");
    CBillingEntry flat;
    flat.parentName = "Atlas";
    flat.firstHourRate = 125;
    flat.billedAmount = 125;
    EXPECT_EQ(BillingRowTexts(flat).mid(1, 5), (QStringList{"Atlas", "", "", "", "125.00"}));
}
