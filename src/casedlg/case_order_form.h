#pragma once
// An order for a new case as the order wizard collects it, and what is made of it: the
// checks of each wizard page, the case record sent with CREATECASE, and the order form,
// the fixed-layout text pages added to the case's policy detail that the auditors read.

#include "codec/date_time.h"
#include "records/audit_case.h"

#include <array>
#include <ctime>
#include <string>
#include <vector>

class CPolicyPage;

struct CCaseOrder {
    enum Product : int { inspection = 0, audit = 1 };
    // The wizard's pages; which of them an order shows depends on the product.
    enum Page : int { general, locationsAndSpecial, selections, principalsAndCodes, finish };

    // The check boxes of the Selections page, in the page's order.
    enum Selection : int {
        allRisk, plateGlass, theft, property, waterDamage, buildersRisk,
        premisesOps, prodCompOper, workersComp, liquorLiab, mAndC,
        autoLiability, physDam, garageLiab,
        smpBop, photoOccupancy, smpShort,
        interior, exterior, woodStove, highValue, dog,
        beauty, cooking, crime, daycare, elevator, pool, sprinkler, tanning,
        edp, contrEquip,
        selectionCount
    };

    struct Principal {
        std::string name, date, inclExcl;
        bool operator==(const Principal&) const = default;
    };
    struct Code {
        std::string state, classCode, description, estimate;
        bool operator==(const Code&) const = default;
    };
    static constexpr int kPrincipalRows = 5;
    static constexpr int kCodeRows = 9;

    int product = inspection;

    // General (both products).
    std::string orderedBy;
    CDateTime dueDate = {CDateTime::null, 0.0};
    bool priority = false;
    std::string policyNumber;
    std::string insuredName, dba, insuredAddress1, insuredAddress2, insuredCity, insuredState, insuredZip;
    std::string businessType;
    std::string contact, contactPhone;
    std::string agentContact, agentCompany, agentAddress1, agentAddress2, agentCity, agentState, agentZip,
        agentPhone;
    // General, inspections.
    bool layoutSketch = false;
    std::string photosFront, photosBack;
    std::string bldgValue, cts, sqFt, units;
    // General, audits.
    int32_t auditType = 0;
    int32_t auditSource = 0;
    std::string entity, fedId, policyType;
    CDateTime periodFrom = {CDateTime::null, 0.0};
    CDateTime periodTo = {CDateTime::null, 0.0};
    CDateTime annivDate = {CDateTime::null, 0.0};

    // Locations and Special.
    std::string specialInstructions;
    std::string locAddress1, locAddress2, locCity, locState, locZip;

    // Selections (inspections).
    std::array<bool, selectionCount> selected{};
    std::string rcAmount, acAmount;

    // Principals and Codes (audits).
    std::array<Principal, kPrincipalRows> principals{};
    std::array<Code, kCodeRows> codes{};

    bool operator==(const CCaseOrder&) const = default;
};

namespace CaseOrderForm {

inline constexpr const char* kSurveyOrders = "SURVEY ORDERS";
inline constexpr const char* kAuditOrders = "AUDIT ORDERS";
inline constexpr int kDefaultTurnaroundDays = 30;
inline constexpr int kMasterDueDaysEarlier = 6;
inline constexpr int kMaxSpecialInstructions = 4096;

// The pages of the product's wizard, in order.
std::vector<CCaseOrder::Page> PagesOf(int product);
// "General", "Locations and Special", "Selections", "Principals and Codes", "Finish".
const char* PageTitle(CCaseOrder::Page page);

// The first failed check of the page, or empty when the page may be left.
std::string CheckPage(const CCaseOrder& order, CCaseOrder::Page page);

// The case the order creates, for the parent `parentId`, with the order form pages.
CAuditCase BuildCase(const CCaseOrder& order, const std::string& parentId);
// The order form pages: "General" and "Selections" for an inspection; "General",
// "Codes" and "Principals" for an audit.
std::vector<CPolicyPage> FormPages(const CCaseOrder& order);

// pad: cut to n characters and filled with spaces on the right; rpad fills on the left.
std::string Pad(const std::string& text, size_t n);
std::string RightPad(const std::string& text, size_t n);

// The day `days` after the local date of `now`, at midnight.
CDateTime DaysFromToday(std::time_t now, int days);

}  // namespace CaseOrderForm
