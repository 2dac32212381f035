// The demo inventory of --demo: parents, children of every group, two regions with
// territories and zip codes, and some 300 cases with attachments, billing entries,
// progress reports, schedules and history. The data is made from fixed lists and a
// seeded random generator, so every demo database holds the same cases (their dates
// follow the day it was made).

#include "server/access_rights.h"
#include "server/demo_accounts.h"
#include "server/store/column_map.h"
#include "server/store/server_time.h"
#include "server/store/status.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <random>

namespace {

constexpr int kDemoCases = 300;

struct DemoPlace {
    const char* zip;
    const char* city;
    const char* state;
    const char* county;
    const char* region;
    const char* territory;
};

const DemoPlace kPlaces[] = {
    {"02108", "Boston", "MA", "Suffolk", "Northeast", "Boston Metro"},
    {"02115", "Boston", "MA", "Suffolk", "Northeast", "Boston Metro"},
    {"02139", "Cambridge", "MA", "Middlesex", "Northeast", "Boston Metro"},
    {"02451", "Waltham", "MA", "Middlesex", "Northeast", "Boston Metro"},
    {"01608", "Worcester", "MA", "Worcester", "Northeast", "Boston Metro"},
    {"06103", "Hartford", "CT", "Hartford", "Northeast", "Connecticut Valley"},
    {"06106", "Hartford", "CT", "Hartford", "Northeast", "Connecticut Valley"},
    {"06510", "New Haven", "CT", "New Haven", "Northeast", "Connecticut Valley"},
    {"06902", "Stamford", "CT", "Fairfield", "Northeast", "Connecticut Valley"},
    {"02903", "Providence", "RI", "Providence", "Northeast", "Rhode Island"},
    {"02860", "Pawtucket", "RI", "Providence", "Northeast", "Rhode Island"},
    {"60601", "Chicago", "IL", "Cook", "Midwest", "Chicago Metro"},
    {"60614", "Chicago", "IL", "Cook", "Midwest", "Chicago Metro"},
    {"60201", "Evanston", "IL", "Cook", "Midwest", "Chicago Metro"},
    {"60540", "Naperville", "IL", "DuPage", "Midwest", "Chicago Metro"},
    {"53202", "Milwaukee", "WI", "Milwaukee", "Midwest", "Wisconsin"},
    {"53703", "Madison", "WI", "Dane", "Midwest", "Wisconsin"},
    {"54301", "Green Bay", "WI", "Brown", "Midwest", "Wisconsin"},
    {"46204", "Indianapolis", "IN", "Marion", "Midwest", "Indiana"},
    {"46802", "Fort Wayne", "IN", "Allen", "Midwest", "Indiana"},
    {"47401", "Bloomington", "IN", "Monroe", "Midwest", "Indiana"},
};

struct DemoAgency {
    const char* company;
    const char* contact;
    const char* address;
    const char* city;
    const char* state;
    const char* zip;
    const char* phone;
    const char* email;
};

const DemoAgency kAgencies[] = {
    {"Bay State Insurance Agency", "Karen Doyle", "45 Milk St", "Boston", "MA", "02109", "617-555-0142",
     "kdoyle@baystateins.example"},
    {"Charter Oak Brokers", "Luis Ferreira", "200 Pearl St", "Hartford", "CT", "06103", "860-555-0177",
     "lferreira@charteroak.example"},
    {"Ocean State Risk Partners", "Amy Nguyen", "10 Weybosset St", "Providence", "RI", "02903", "401-555-0119",
     "anguyen@oceanstaterisk.example"},
    {"Lakefront Insurance Group", "Tom Kowalski", "311 W Monroe St", "Chicago", "IL", "60606", "312-555-0188",
     "tkowalski@lakefront.example"},
    {"Badger Mutual Agency", "Jenna Schultz", "777 E Wisconsin Ave", "Milwaukee", "WI", "53202", "414-555-0131",
     "jschultz@badgeragency.example"},
    {"Hoosier Commercial Lines", "Ray Patel", "1 Monument Cir", "Indianapolis", "IN", "46204", "317-555-0164",
     "rpatel@hoosiercl.example"},
};

const char* const kNamePrefixes[] = {"Harbor",   "Summit",     "Cedar",    "Lakeside", "Pioneer",  "Redwood",
                                     "Keystone", "Bluewater",  "Granite",  "Maple",    "Northgate", "Riverside",
                                     "Sterling", "Willow",     "Ironbridge", "Oakmont", "Prairie",  "Beacon"};
const char* const kBusinesses[] = {"Bakery",   "Logistics", "Roofing",  "Dental Group", "Auto Body",
                                   "Landscaping", "Printing", "Electric", "Plumbing",   "Catering",
                                   "Hardware", "Machine Shop", "Trucking", "Florist",   "Fitness Center"};
const char* const kSuffixes[] = {"LLC", "Inc.", "Co.", "Corp."};
const char* const kEntities[] = {"Sole Proprietorship", "Partnership", "Corporation", "Limited Liability Co.",
                                 "Non-profit Org."};
const char* const kStreets[] = {"Main St", "Elm St", "Commerce Dr", "Industrial Pkwy", "Washington Ave",
                                "Park Rd", "Lake St", "Mill Rd", "Center St", "Harbor Way"};
const char* const kContacts[] = {"Pat Sullivan", "Maria Lopez", "James Chen", "Linda Okafor", "Robert Miller",
                                 "Susan Park", "David Rossi", "Angela Brown", "Kevin Walsh", "Nina Petrova"};
const char* const kComments[] = {
    "Left a message for the insured to schedule the audit.",
    "Insured confirmed the appointment; records will be ready on site.",
    "Payroll records requested for the full policy period.",
    "Subcontractor certificates missing; asked the agent for copies.",
    "Audit completed on site; worksheets to follow.",
    "Insured disputes the classification of two employees.",
    "Waiting for the general ledger from the insured's accountant.",
    "Second attempt to reach the insured; no answer.",
};

struct DemoChild {
    const char* name;
    const char* loginId;
    int32_t group;
    const char* detail;
    bool hidden;
};

// Children besides the demo login accounts. They have no password, so they cannot log in.
const DemoChild kExtraChildren[] = {
    {"Dana Whitfield", "dwhitfield", Group::auditors, "Staff Auditor", false},
    {"Marcus Ortega", "mortega", Group::auditors, "Fee Auditor", false},
    {"Priya Raman", "praman", Group::auditors, "Staff Auditor", false},
    {"Helen Brooks", "hbrooks", Group::reviewers, "Staff Reviewer", false},
    {"Victor Lindqvist", "vlindqvist", Group::schedulers, "", false},
    {"Northstar Billing Services", "northstar", Group::billers, "", false},
    {"AUDIT ORDERS", "auditorders", Group::auditors, "Other", true},
    {"SURVEY ORDERS", "surveyorders", Group::auditors, "Other", true},
};

int32_t GroupRights(int32_t group)
{
    switch (group) {
    case Group::administrators: return kAdministratorRights;
    case Group::auditors: return kAuditorRights;
    case Group::billers: return kBillerRights;
    case Group::exporters: return kExporterRights;
    case Group::importers: return kImporterRights;
    case Group::printers: return kPrinterRights;
    case Group::reviewers: return kReviewerRights;
    case Group::schedulers: return kSchedulerRights;
    default: return kCustomerRepRights;
    }
}

class CDemoBuilder {
public:
    explicit CDemoBuilder(CInventoryStore& inventory) : m_inventory(inventory), m_random(20240611) {}

    int Build(CServerLog& log);

private:
    int Pick(int count) { return static_cast<int>(m_random() % static_cast<unsigned>(count)); }
    bool Chance(int percent) { return Pick(100) < percent; }
    template <class T, size_t N>
    const T& PickFrom(const T (&items)[N])
    {
        return items[Pick(static_cast<int>(N))];
    }
    std::string Digits(int count)
    {
        std::string text;
        for (int i = 0; i < count; ++i)
            text += static_cast<char>('0' + Pick(10));
        return text;
    }

    void SeedSettings();
    void SeedPlaces();
    void SeedParents();
    void SeedChildren();
    int SeedCases();
    bool SeedHoldings();
    CAuditCase MakeCase(double today);
    bool AddDetails(int64_t caseId, const CAuditCase& record, double created);

    CInventoryStore& m_inventory;
    std::mt19937 m_random;
    SessionUser m_seeder;
    std::vector<std::pair<std::string, int32_t>> m_children;  // name, group of the assignable children
};

void CDemoBuilder::SeedSettings()
{
    const char* const kFlags[] = {"Rush",           "Photos Required", "Spanish Speaking", "Large Account",
                                  "Follow-up Needed", "Records Offsite", "Prior Dispute",   "Seasonal Business"};
    for (size_t i = 0; i < std::size(kFlags); ++i)
        m_inventory.SetSetting("UserFlag" + std::to_string(i + 1), kFlags[i]);
}

void CDemoBuilder::SeedPlaces()
{
    for (const DemoPlace& place : kPlaces)
        m_inventory.geo.AddZipCode(place.zip, place.city, place.state, place.county);
    for (const char* region : {"Midwest", "Northeast"}) {
        CAdminRegion record;
        record.name = region;
        m_inventory.geo.SetRegion("", record, 0);
    }
    int billingCode = 0;
    for (const DemoPlace& place : kPlaces) {
        CAdminTerritory territory;
        territory.regionName = place.region;
        territory.territoryName = place.territory;
        if (m_inventory.geo.GetTerritory(territory))
            continue;
        territory.billingCode = billingCode++ % 6;
        for (const DemoPlace& other : kPlaces) {
            if (std::string(other.territory) != place.territory)
                continue;
            territory.zipCodes.push_back(other.zip);
            bool listed = false;
            for (const std::string& county : territory.counties)
                listed = listed || county == other.county;
            if (!listed) {
                territory.counties.push_back(other.county);
                territory.countyStates.push_back(other.state);
            }
        }
        m_inventory.geo.SetTerritory("", territory, 0);
    }
}

void CDemoBuilder::SeedParents()
{
    struct DemoParent {
        const char* name;
        const char* type;
        const char* kind;
        const char* host;
        const char* contact;
        const char* city;
        const char* state;
        const char* zip;
        int32_t masterDays;
        int32_t auditDays;
        bool hidden;
    };
    const DemoParent kParents[] = {
        {"Atlas Mutual Insurance", "Carrier", "*DIRECT*", "127.0.0.1:9100", "Gloria Banks", "Boston", "MA", "02110",
         45, 30, false},
        {"Beacon Premium Audit Co.", "Fee Company", "*NONE*", "", "Walter Reyes", "Hartford", "CT", "06103", 30, 21,
         false},
        {"Cedar Ridge Casualty", "Carrier", "*DIRECT*", "127.0.0.1:9200", "Irene Holt", "Chicago", "IL",
         "60603", 60, 40, false},
        {"Great Lakes Rating Bureau", "Rating Bureau", "*NONE*", "", "Owen Mercer", "Milwaukee", "WI", "53202", 30,
         25, true},
    };
    for (const DemoParent& demo : kParents) {
        CAdminParentUser parent;
        const bool exists = m_inventory.accounts.GetParent(demo.name, parent);
        parent.name = demo.name;
        parent.type = demo.type;
        parent.connectionKind = demo.kind;
        parent.hostName = demo.host;
        parent.contact = demo.contact;
        parent.address1 = std::to_string(100 + Pick(800)) + " " + PickFrom(kStreets);
        parent.city = demo.city;
        parent.state = demo.state;
        parent.zip = demo.zip;
        parent.phone = "555-01" + Digits(2);
        std::string domain = demo.name;
        domain = domain.substr(0, domain.find(' '));
        for (char& c : domain)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        parent.email = "audits@" + domain + ".example";
        parent.masterDueDays = demo.masterDays;
        parent.auditDueDays = demo.auditDays;
        parent.copies = 1 + Pick(2);
        parent.accountNumber = 1000 + Pick(9000);
        parent.hidden = demo.hidden;
        parent.useBilling = true;
        for (size_t i = 0; i < parent.chargeModes.size(); ++i) {
            parent.chargeModes[i] = i % 2 == 0 ? 1 : 0;  // productive audits hourly, others flat
            parent.chargeRates[i] = i % 2 == 0 ? CAdminParentUser::ChargeRate{85.0, 55.0}
                                               : CAdminParentUser::ChargeRate{75.0, 0.0};
        }
        parent.discounts[0] = {30.0, 2.0};
        m_inventory.accounts.SetParent(exists ? demo.name : "", parent, exists ? 1 : 0, m_seeder);

        std::vector<CBillingDef> rows(2);
        rows[0].hourly = 1;
        rows[0].firstAmount = 95.0;
        rows[0].additionalHoursRate = 65.0;
        rows[0].billedHours = 2.0;
        rows[0].description = "Physical audit, workers compensation";
        rows[0].auditSource = 0;
        rows[0].auditType = CBillingDef::kAll;
        rows[0].policyType = "Workers Compensation";
        rows[0].policyCode = -1;
        rows[0].nonProductive = CBillingDef::productiveOnly;
        rows[1].hourly = 0;
        rows[1].firstAmount = 60.0;
        rows[1].description = "Mail audit";
        rows[1].auditSource = 2;
        rows[1].auditType = CBillingDef::kAll;
        rows[1].policyCode = -1;
        rows[1].nonProductive = CBillingDef::eitherProductivity;
        m_inventory.accounts.SetBillingDefaults(demo.name, kParentAccount, rows);
    }
}

void CDemoBuilder::SeedChildren()
{
    auto fill = [&](CAdminChildUser& child, const std::string& detail) {
        child.inventoryCap = -1;
        child.fifthInt = 1;
        child.autoFlagEnabled = child.group == Group::auditors;
        child.autoFlag = child.group == Group::auditors;
        child.address1 = std::to_string(10 + Pick(900)) + " " + PickFrom(kStreets);
        const DemoPlace& place = PickFrom(kPlaces);
        child.city = place.city;
        child.state = place.state;
        child.zip = place.zip;
        child.phone = "555-02" + Digits(2);
        child.groupDetail = detail;
        child.password.clear();  // keeps the stored password
    };
    for (const DemoAccount& demo : DemoAccounts()) {
        if (demo.account.kind != AccountKind::child)
            continue;
        CAdminChildUser child;
        if (!m_inventory.accounts.GetChild(demo.account.accountName, child))
            continue;
        fill(child, child.group == Group::customerReps ? "Atlas Mutual Insurance"
                    : child.group == Group::printers   ? "Office Laser"
                                                        : "");
        child.email = demo.account.userId + "@orvenna-demo.example";
        m_inventory.accounts.SetChild(child.name, child, 1, m_seeder);
        m_children.emplace_back(child.name, child.group);
    }
    for (const DemoChild& demo : kExtraChildren) {
        CAdminChildUser child;
        child.name = demo.name;
        child.userId = demo.loginId;
        child.group = demo.group;
        child.rights = GroupRights(demo.group);
        child.hidden = demo.hidden;
        fill(child, demo.detail);
        child.email = std::string(demo.loginId) + "@orvenna-demo.example";
        if (std::string(demo.name) == "Dana Whitfield") {
            CAssignCriterion territory;
            territory.category = "Territory";
            territory.value1 = "Northeast";
            territory.value2 = "Boston Metro";
            child.criteria.push_back(territory);
            CAssignCriterion premium;
            premium.category = "Premium";
            premium.value1 = "0";
            premium.value2 = "250000";
            child.criteria.push_back(premium);
        }
        if (m_inventory.accounts.SetChild("", child, 0, m_seeder) == Status::ok && !demo.hidden)
            m_children.emplace_back(child.name, child.group);
    }
    std::vector<CBillingDef> rows(1);
    rows[0].hourly = 1;
    rows[0].firstAmount = 45.0;
    rows[0].additionalHoursRate = 35.0;
    rows[0].billedHours = 2.0;
    rows[0].description = "Field auditor fee";
    rows[0].auditSource = CBillingDef::kAll;
    rows[0].auditType = CBillingDef::kAll;
    rows[0].policyCode = -1;
    rows[0].nonProductive = CBillingDef::eitherProductivity;
    for (const auto& [name, group] : m_children)
        if (group == Group::auditors)
            m_inventory.accounts.SetBillingDefaults(name, kChildAccount, rows);
}

CAuditCase CDemoBuilder::MakeCase(double today)
{
    CAuditCase c;
    const DemoPlace& place = PickFrom(kPlaces);
    const DemoAgency& agency = PickFrom(kAgencies);
    static const char* const kParentsByWeight[] = {"Atlas Mutual Insurance", "Atlas Mutual Insurance",
                                                   "Beacon Premium Audit Co.", "Cedar Ridge Casualty",
                                                   "Cedar Ridge Casualty", "Great Lakes Rating Bureau"};
    c.parentName = Chance(6) ? "" : PickFrom(kParentsByWeight);
    c.insuredName = std::string(PickFrom(kNamePrefixes)) + " " + PickFrom(kBusinesses) + " " + PickFrom(kSuffixes);
    c.insuredEntity = PickFrom(kEntities);
    c.insuredFedId = Digits(2) + "-" + Digits(7);
    c.insuredAddress1 = std::to_string(1 + Pick(9000)) + " " + PickFrom(kStreets);
    c.insuredAddress2 = Chance(20) ? "Suite " + std::to_string(100 + Pick(400)) : "";
    c.insuredCity = place.city;
    c.insuredState = place.state;
    c.insuredZip = place.zip;
    c.insuredPhone = "555-03" + Digits(2);
    c.insuredFax = Chance(40) ? "555-04" + Digits(2) : "";
    c.insuredEMail = Chance(60) ? "office@" + std::to_string(Pick(1000)) + "-insured.example" : "";

    static const char* const kPolicyTypes[] = {"Workers Compensation", "Workers Compensation",
                                               "Workers Compensation", "General Liability",
                                               "General Liability",    "Dealer",
                                               "Garage",               "Survey"};
    c.policyType = PickFrom(kPolicyTypes);
    const char* prefix = c.policyType == "Workers Compensation" ? "WC" : c.policyType == "General Liability" ? "GL"
                                                                         : c.policyType == "Survey"          ? "SV"
                                                                                                             : "CA";
    c.policyNumber = std::string(prefix) + "-" + Digits(7);
    c.policyCarrier = c.parentName.empty() ? "Independent Carrier" : c.parentName;
    c.policyCode = 8000 + Pick(1000);
    c.policyEstPremium = (50 + Pick(4950)) * 100.0;
    const double policyStart = today - 700 + Pick(600);
    c.policyStartDate = MakeDate(policyStart);
    c.policyEndDate = MakeDate(policyStart + 365);
    c.auditStartDate = c.policyStartDate;
    c.auditEndDate = c.policyEndDate;
    c.auditType = Pick(7);
    c.auditSource = Chance(60) ? 0 : Pick(4);
    c.auditLocationName = Chance(30) ? c.insuredName + " - Plant " + std::to_string(1 + Pick(3)) : "";
    c.auditContact = PickFrom(kContacts);
    c.auditAddress1 = c.insuredAddress1;
    c.auditCity = place.city;
    c.auditState = place.state;
    c.auditZip = place.zip;
    c.auditCounty = place.county;
    c.auditPhone = c.insuredPhone;
    c.regionName = place.region;
    c.territoryName = place.territory;
    c.agentCompany = agency.company;
    c.agentContact = agency.contact;
    c.agentAddress1 = agency.address;
    c.agentCity = agency.city;
    c.agentState = agency.state;
    c.agentZip = agency.zip;
    c.agentPhone = agency.phone;
    c.agentEMail = agency.email;
    c.serialNumber = Chance(70) ? "S" + Digits(6) : "";
    c.memo = Chance(25) ? "Insured prefers morning appointments." : "";

    // Assignment: mostly auditing, then reviewing, scheduling, billing and the others.
    const int roll = Pick(100);
    const int32_t group = roll < 40 ? Group::auditors : roll < 55 ? Group::reviewers : roll < 65 ? Group::schedulers
                        : roll < 72 ? Group::billers : roll < 76 ? Group::printers : roll < 79 ? Group::exporters
                        : roll < 90 ? Group::archive : -1;
    c.childGroupCode = group;
    if (group >= 0 && group < Group::archive) {
        std::vector<std::string> candidates;
        for (const auto& [name, childGroup] : m_children)
            if (childGroup == group)
                candidates.push_back(name);
        c.childName = candidates.empty() ? "" : candidates[static_cast<size_t>(Pick(static_cast<int>(candidates.size())))];
        c.manualAssignment = Chance(30);
        const int link = Pick(10);
        c.childLinkStatus = link < 5 ? CAuditCase::childNotLinked : link < 7 ? CAuditCase::childLinked
                          : link < 8 ? CAuditCase::childToBeLinked : CAuditCase::childUnlinked;
    }
    if (!c.parentName.empty()) {
        const int link = Pick(10);
        c.parentLinkStatus = link < 5 ? CAuditCase::parentNotLinked : link < 7 ? CAuditCase::parentLinked
                           : link < 8 ? CAuditCase::parentToBeLinked : link < 9 ? CAuditCase::parentToBeReturned
                                                                                 : CAuditCase::parentToBeSent;
    }
    c.archive = group == Group::archive;
    c.completed = group == Group::archive || (group == Group::billers && Chance(50));
    c.priority = Chance(10);
    c.nonProductive = Chance(6);
    c.correction = Chance(5);
    c.hasNewProgressReports = Chance(15);
    c.transferOut = Chance(3);
    c.userFlags = Chance(35) ? (1 << Pick(8)) | (Chance(30) ? 1 << Pick(8) : 0) : 0;
    if (Chance(30)) {
        CPolicyPage page;
        page.label = "General";
        page.text = "Ordered By:     " + std::string(PickFrom(kContacts)) + "\r\n\r\nInsured DBA:    " +
                    c.insuredName + "\r\nBusiness Type:  " + PickFrom(kBusinesses) + "\r\n";
        c.policyPages.push_back(page);
    }
    return c;
}

bool CDemoBuilder::AddDetails(int64_t caseId, const CAuditCase& record, double created)
{
    CDatabase& db = m_inventory.database;
    auto run = [](CStatement& statement) {
        statement.Step();
        return statement.Done();
    };
    {
        CCachedStatement dates = db.Prepare("UPDATE Cases SET DateCreated = ?, UserDueDate = ?, MasterDueDate = ?,"
                                            " ParentDateAssigned = ? WHERE CaseID = ?;");
        BindDate(*dates, 1, MakeDate(created + (Pick(540) + 480) / 1440.0));
        BindDate(*dates, 2, MakeDate(created + 21 + Pick(20)));
        BindDate(*dates, 3, MakeDate(created + 40 + Pick(30)));
        BindDate(*dates, 4, record.parentName.empty() ? CDateTime{CDateTime::null, 0.0} : MakeDate(created));
        dates->BindInt(5, caseId);
        if (!run(*dates))
            return false;
        CCachedStatement history = db.Prepare("UPDATE CaseTracking SET DateAssigned = ?, Assignor = 'Demo Administrator'"
                                              " WHERE CaseID = ?;");
        BindDate(*history, 1, MakeDate(created + 1));
        history->BindInt(2, caseId);
        if (!run(*history))
            return false;
    }
    if ((record.childGroupCode == Group::schedulers || record.childGroupCode == Group::auditors) && Chance(35)) {
        CCachedStatement schedule = db.Prepare(
            "UPDATE Cases SET ScheduleDateOnly = ?, ScheduledTime = ?, ScheduledTimeEnd = ? WHERE CaseID = ?;");
        const double day = std::floor(created) + 10 + Pick(40);
        const bool dateOnly = Chance(30);
        schedule->BindInt(1, dateOnly ? 1 : 0);
        BindDate(*schedule, 2, MakeDate(day + (dateOnly ? 0 : (8 + Pick(8)) / 24.0)));
        BindDate(*schedule, 3, dateOnly || Chance(50) ? CDateTime{CDateTime::null, 0.0} : MakeDate(day + 17 / 24.0));
        schedule->BindInt(4, caseId);
        if (!run(*schedule))
            return false;
    }

    // Attachments: the audit or survey document, and now and then a file.
    CCachedStatement attach = db.Prepare(
        "INSERT INTO Attachments (CaseID, Name, Kind, FileName, Printable, ToBePrinted, IsDefault, Content)"
        " VALUES (?, ?, ?, ?, 1, ?, ?, ?);");
    auto addAttachment = [&](const std::string& name, const char* kind, const std::string& file, bool isDefault,
                             const std::string& bytes) {
        attach->Reset();
        attach->BindInt(1, caseId);
        attach->BindText(2, name);
        attach->BindText(3, kind);
        attach->BindText(4, file);
        attach->BindInt(5, Chance(80) ? 1 : 0);
        attach->BindInt(6, isDefault ? 1 : 0);
        attach->BindBlob(7, bytes);
        return run(*attach);
    };
    bool hasAttachments = false;
    if (Chance(45)) {
        const bool survey = record.policyType == "Survey";
        if (!addAttachment(record.caseNumber + ": " + record.insuredName, survey ? "SURVEY" : "AUDIT", "", true,
                           DemoAttachmentDocument(record)))
            return false;
        hasAttachments = true;
    }
    if (Chance(20)) {
        const std::string notes = "Notes on " + record.insuredName + "\r\n" + PickFrom(kComments) + "\r\n";
        if (!addAttachment("Field notes", "FILE", "field-notes.txt", !hasAttachments, notes))
            return false;
        hasAttachments = true;
    }
    if (hasAttachments) {
        CCachedStatement mark = db.Prepare(
            "UPDATE Cases SET DefAttachmentID = (SELECT MIN(AttachmentID) FROM Attachments WHERE CaseID = ?1"
            " AND IsDefault = 1) WHERE CaseID = ?1;");
        mark->BindInt(1, caseId);
        if (!run(*mark))
            return false;
    }

    // Billing: completed cases bill the parent and pay the child.
    if (record.completed && !record.parentName.empty()) {
        CCachedStatement bill = db.Prepare(
            "INSERT INTO BillingEntries (CaseID, ParentName, ChildName, BilledHours, DiscountPercent, BilledAmount,"
            " Kind, FirstHourRate, AdditionalHoursRate, BillingDate, Memo) VALUES (?, ?, ?, ?, 0, ?, ?, ?, ?, ?, ?);");
        auto addEntry = [&](const std::string& parent, const std::string& child, double hours, double first,
                            double additional, const char* memo) {
            CBillingEntry entry;
            entry.kind = hours > 0 ? CBillingEntry::hourly : CBillingEntry::flat;
            entry.billedHours = hours;
            entry.firstHourRate = first;
            entry.additionalHoursRate = additional;
            bill->Reset();
            bill->BindInt(1, caseId);
            bill->BindText(2, parent);
            bill->BindText(3, child);
            bill->BindDouble(4, hours);
            bill->BindDouble(5, BilledAmount(entry, !child.empty()));
            bill->BindInt(6, entry.kind);
            bill->BindDouble(7, first);
            bill->BindDouble(8, additional);
            BindDate(*bill, 9, MakeDate(created + 30 + Pick(20)));
            bill->BindText(10, memo);
            return run(*bill);
        };
        const double hours = 1.0 + Pick(8) * 0.5;
        if (!addEntry(record.parentName, "", hours, 95.0, 65.0, "Audit fee"))
            return false;
        if (!record.childName.empty() && !addEntry("", record.childName, hours, 45.0, 35.0, "Auditor fee"))
            return false;
    }

    // Progress reports.
    const int reports = Chance(50) ? 1 + Pick(4) : 0;
    CCachedStatement report = db.Prepare(
        "INSERT INTO ProgressReports (CaseID, EntryDate, EnteredBy, Comment, Internal, Linked) VALUES (?, ?, ?, ?, ?, ?);");
    for (int i = 0; i < reports; ++i) {
        report->Reset();
        report->BindInt(1, caseId);
        BindDate(*report, 2, MakeDate(created + 2 + i * 5 + Pick(4) + (9 + Pick(8)) / 24.0));
        report->BindText(3, record.childName.empty() ? std::string("Demo Administrator") : record.childName);
        report->BindText(4, PickFrom(kComments));
        report->BindInt(5, Chance(20) ? 1 : 0);
        report->BindInt(6, record.childLinkStatus == CAuditCase::childLinked && Chance(50) ? 1 : 0);
        if (!run(*report))
            return false;
    }
    return true;
}

int CDemoBuilder::SeedCases()
{
    const double today = std::floor(NowDate().date);
    CTransaction transaction(m_inventory.database);
    if (!transaction.IsOpen())
        return 0;
    int created = 0;
    for (int i = 0; i < kDemoCases; ++i) {
        CAuditCase record = MakeCase(today);
        // Later numbers, later days: about three cases a working day over 200 days.
        const double createdOn = today - 200 + std::floor(i * 199.0 / kDemoCases);
        if (m_inventory.cases.Insert(record, "Demo Administrator").empty())
            return 0;
        CAuditCase stored;
        const int64_t id = m_inventory.cases.Read(record.caseNumber, stored);
        if (id == 0 || !AddDetails(id, stored, createdOn))
            return 0;
        ++created;
    }
    return transaction.Commit() ? created : 0;
}

// A few of the unassigned open cases go to the children that the assignment rules
// never pick (the administrator and the importer hold some for checking, the carrier's
// customer rep reviews some of its cases), and a few cases have no territory yet, so
// that every node of the tree has cases to show.
bool CDemoBuilder::SeedHoldings()
{
    CTransaction transaction(m_inventory.database);
    if (!transaction.IsOpen())
        return false;
    std::vector<std::string> unassigned;
    std::vector<std::string> unassignedAtlas;
    {
        CCachedStatement select = m_inventory.database.Prepare(
            "SELECT CaseNumber, ParentName FROM Cases WHERE ChildName = '' AND ChildGroupCode = -1 ORDER BY CaseID;");
        while (select->Step())
            (select->ColumnText(1) == "Atlas Mutual Insurance" ? unassignedAtlas : unassigned)
                .push_back(select->ColumnText(0));
    }
    struct Holding {
        std::vector<std::string>* from;
        const char* child;
        int32_t group;
    };
    const Holding kHoldings[] = {
        {&unassigned, "Demo Administrator", Group::administrators},
        {&unassigned, "Demo Importer", Group::importers},
        {&unassignedAtlas, "Demo Customer Rep", Group::reviewers},
    };
    for (const Holding& holding : kHoldings) {
        for (int i = 0; i < 3 && !holding.from->empty(); ++i) {
            CAuditCase record;
            const int64_t id = m_inventory.cases.Read(holding.from->back(), record);
            holding.from->pop_back();
            record.childName = holding.child;
            record.childGroupCode = holding.group;
            record.manualAssignment = true;
            if (id == 0 || !m_inventory.cases.Write(id, record) ||
                !m_inventory.cases.AppendTracking(id, record, "Demo Administrator"))
                return false;
        }
    }
    CCachedStatement unplaced = m_inventory.database.Prepare(
        "UPDATE Cases SET RegionName = '', TerritoryName = '' WHERE CaseID IN"
        " (SELECT CaseID FROM Cases WHERE ChildGroupCode < 8 ORDER BY CaseID DESC LIMIT 4);");
    unplaced->Step();
    if (!unplaced->Done())
        return false;
    return transaction.Commit();
}

int CDemoBuilder::Build(CServerLog& log)
{
    m_seeder.name = "Demo Administrator";
    m_seeder.accountId = -1;  // no account: the seeder removes nothing
    SeedSettings();
    SeedPlaces();
    SeedParents();
    SeedChildren();
    const int cases = SeedCases();
    if (cases > 0 && !SeedHoldings())
        log.Write("cannot place the demo cases held by the administrator, the importer and the customer rep");
    const int views = SeedDemoCaseViews(m_inventory);
    const int reportViews = SeedDemoReportViews(m_inventory);
    log.Write("demo inventory added: " + std::to_string(cases) + " cases, " + std::to_string(views) + " case views, " +
              std::to_string(reportViews) + " report views");
    return cases;
}

}  // namespace

int SeedDemoInventory(CInventoryStore& inventory, CServerLog& log)
{
    {
        CReadTransaction read(inventory.database);
        CCachedStatement used = inventory.database.Prepare(
            "SELECT (SELECT COUNT(*) FROM Cases) + (SELECT COUNT(*) FROM Regions);");
        if (!used->Step() || used->ColumnInt(0) != 0)
            return 0;
    }
    CDemoBuilder builder(inventory);
    return builder.Build(log);
}
