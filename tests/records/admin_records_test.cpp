// Byte layouts of the account, region and territory records.
#include "record_layout.h"

#include "records/admin_child_user.h"
#include "records/admin_parent_user.h"
#include "records/admin_region.h"
#include "records/admin_territory.h"
#include "records/assign_criterion.h"

#include <gtest/gtest.h>

namespace {

void FillCriterion(Layout& l, CAssignCriterion& c)
{
    l.Text(c.category);
    l.Text(c.value1);
    l.Text(c.value2);
}

}  // namespace

TEST(AdminRecordLayout, ChildUserWithCriteria)
{
    CAdminChildUser u;
    Layout l;
    l.Int(u.recordNumber);
    l.Int(u.group);
    l.Int(u.inventoryCap);
    l.Int(u.rights);
    l.Int(u.fifthInt);
    l.Bool(u.autoFlagEnabled);
    l.Bool(u.autoFlag);
    l.Date(u.date);
    l.Text(u.userId);
    l.Text(u.name);          // 10
    l.Text(u.password);
    l.Text(u.notes);
    l.Text(u.address1);
    l.Text(u.address2);
    l.Text(u.city);          // 15
    l.Text(u.state);
    l.Text(u.zip);
    l.Text(u.phone);
    l.Text(u.fax);
    l.Text(u.email);         // 20
    l.Text(u.groupDetail);
    l.Bool(u.hidden);
    u.criteria.resize(2);
    l.Count(2);
    for (CAssignCriterion& c : u.criteria)
        FillCriterion(l, c);
    ExpectLayout(u, l);

    CAssignCriterion alone;
    Layout lc;
    FillCriterion(lc, alone);
    ExpectLayout(alone, lc);
}

TEST(AdminRecordLayout, ParentUserWithChargeTables)
{
    CAdminParentUser u;
    Layout l;
    l.Int(u.recordNumber);
    l.Int(u.masterDueDays);
    l.Int(u.auditDueDays);
    l.Int(u.copies);
    l.Text(u.type);
    l.Text(u.notes);
    l.Text(u.name);
    l.Text(u.contact);
    l.Text(u.address1);
    l.Text(u.address2);      // 10
    l.Text(u.city);
    l.Text(u.state);
    l.Text(u.zip);
    l.Text(u.phone);
    l.Text(u.fax);           // 15
    l.Text(u.email);
    l.Text(u.connectionUserId);
    l.Text(u.connectionPassword);
    l.Text(u.reservedText);
    l.Text(u.hostName);      // 20
    l.Text(u.connectionKind);
    l.Int(u.reservedZero);
    l.Int(u.reservedOne);
    l.Date(u.date);
    l.Bool(u.useBilling);    // 25
    for (int32_t& mode : u.chargeModes)       // 26 to 31
        l.Int(mode);
    for (auto& rate : u.chargeRates) {        // 32 to 43: pairs
        l.Real(rate.first);
        l.Real(rate.additional);
    }
    for (auto& discount : u.discounts) {      // 44 to 49: days, percent
        l.Real(discount.days);
        l.Real(discount.percent);
    }
    for (int32_t& step : u.routingOrder)      // 50 to 56
        l.Int(step);
    l.Int(u.accountNumber);
    l.Bool(u.hidden);
    ExpectLayout(u, l);
}

TEST(AdminRecordLayout, NewParentCarriesTheFixedValuesAndStartDate)
{
    CAdminParentUser u;
    const std::string bytes = Store(u);
    // Fields 19 to 24 of a new record: empty text, empty host name and kind, 0, 1, and
    // 1 January 1996 (day 35065 after 30 December 1899).
    Layout tail;
    tail.Str("").Str("").Str("").I32(0).I32(1).DateTime({CDateTime::valid, 35065.0});
    const size_t offset = 4 * 4 + 14;  // four ints, then the fourteen empty texts 5 to 18
    EXPECT_EQ(Hex(bytes.substr(offset, tail.Bytes().size())), Hex(tail.Bytes()));
}

TEST(AdminRecordLayout, RegionAndTerritory)
{
    CAdminRegion r;
    Layout lr;
    lr.Text(r.name);
    ExpectLayout(r, lr);

    CAdminTerritory t;
    Layout lt;
    lt.Text(t.regionName);
    lt.Text(t.territoryName);
    lt.Int(t.billingCode);
    lt.Texts(t.zipCodes, 3);
    lt.Texts(t.counties, 2);
    lt.Texts(t.countyStates, 2);
    ExpectLayout(t, lt);
}
