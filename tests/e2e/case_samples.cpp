#include "e2e/case_samples.h"

#include "codec/archive.h"
#include "codec/mem_file.h"

#include <climits>
#include <cstdint>
#include <cstring>
#include <ctime>

namespace {

int64_t Bits(double value)
{
    int64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

double FromBits(int64_t bits)
{
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

bool Same(const std::string& a, const std::string& b) { return a == b; }
bool Same(int32_t a, int32_t b) { return a == b; }
bool Same(bool a, bool b) { return a == b; }
bool Same(double a, double b) { return Bits(a) == Bits(b); }
bool Same(const CDateTime& a, const CDateTime& b) { return a.status == b.status && Bits(a.date) == Bits(b.date); }
bool Same(const std::vector<CPolicyPage>& a, const std::vector<CPolicyPage>& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].label != b[i].label || a[i].text != b[i].text)
            return false;
    return true;
}

}  // namespace

#define ORV_CASE_FIELDS(X)                                                                                         \
    X(opaqueInt1) X(opaqueInt2) X(opaqueInt3) X(opaqueInt4) X(opaqueInt5) X(opaqueInt6) X(parentName) X(childName) \
    X(regionName) X(territoryName) X(insuredName) X(memo) X(caseNumber) X(serialNumber) X(auditorDueDate)          \
    X(masterDueDate) X(opaqueDate1) X(dateCreated) X(dateAssigned) X(dateReturned) X(parentLinkStatus)             \
    X(childLinkStatus) X(opaqueInt7) X(opaqueInt8) X(nonProductive) X(correction) X(opaqueInt9)                    \
    X(hasNewProgressReports) X(priority) X(childGroupCode) X(auditZip) X(policyEstPremium) X(transferOut)          \
    X(opaqueAmount) X(opaqueDate2) X(userFlags) X(auditCounty) X(policyCarrier) X(policyType) X(policyNumber)      \
    X(policyStartDate) X(policyEndDate) X(policyCode) X(insuredFedId) X(insuredAddress1) X(insuredAddress2)       \
    X(insuredCity) X(insuredState) X(insuredZip) X(insuredPhone) X(insuredFax) X(insuredEMail) X(insuredEntity)   \
    X(auditContact) X(auditAddress1) X(auditAddress2) X(auditCity) X(auditState) X(auditPhone) X(auditFax)        \
    X(auditStartDate) X(auditEndDate) X(auditSource) X(auditType) X(auditLocationName) X(agentContact)            \
    X(agentCompany) X(agentAddress1) X(agentAddress2) X(agentCity) X(agentState) X(agentZip) X(agentPhone)        \
    X(agentFax) X(agentEMail) X(archive) X(manualAssignment) X(completed) X(policyPages)

std::vector<std::string> CaseDifferences(const CAuditCase& expected, const CAuditCase& actual)
{
    std::vector<std::string> differences;
#define ORV_COMPARE_FIELD(field)                  \
    if (!Same(expected.field, actual.field))      \
        differences.emplace_back(#field);
    ORV_CASE_FIELDS(ORV_COMPARE_FIELD)
#undef ORV_COMPARE_FIELD
    return differences;
}

std::string RecordBytes(const CObject& record)
{
    CMemFile file;
    {
        CArchive archive(file, CArchive::store);
        const_cast<CObject&>(record).Serialize(archive);
        archive.Flush();
    }
    return file.ToString();
}

::testing::AssertionResult SameRecord(const CObject& expected, const CObject& actual)
{
    const std::string a = RecordBytes(expected);
    const std::string b = RecordBytes(actual);
    if (a == b)
        return ::testing::AssertionSuccess();
    size_t at = 0;
    while (at < a.size() && at < b.size() && a[at] == b[at])
        ++at;
    return ::testing::AssertionFailure() << "the records differ from byte " << at << " on (" << a.size() << " and "
                                         << b.size() << " bytes)";
}

CAuditCase PlainCase(const std::string& insuredName, const std::string& parentName)
{
    CAuditCase record;
    record.insuredName = insuredName;
    record.parentName = parentName;
    return record;
}

CAuditCase FullCase(int seed)
{
    const bool first = seed % 2 == 1;
    const std::string tag = " " + std::to_string(seed);
    auto text = [&](const char* what) { return std::string(what) + tag; };

    CAuditCase c;
    c.opaqueInt1 = first ? INT32_MIN : 11;
    c.opaqueInt2 = first ? -1 : 12;
    c.opaqueInt3 = first ? INT32_MAX : 13;
    c.opaqueInt4 = 1000 + seed;
    c.opaqueInt5 = -2000 - seed;
    c.opaqueInt6 = 3000 + seed;
    c.opaqueInt7 = first ? 7 : -7;
    c.opaqueInt8 = first ? 0x7F00FF00 : 8;
    c.opaqueInt9 = first ? -9 : 9;
    // A NaN with a payload, and minus zero: the server keeps its amount bit for bit.
    c.opaqueAmount = first ? FromBits(0x7FF8000000001234) : -0.0;
    c.opaqueDate1 = first ? CDateTime{CDateTime::invalid, 0.0} : CDateTime{CDateTime::valid, 43831.5};
    c.opaqueDate2 = first ? CDateTime{CDateTime::valid, 0.25} : CDateTime{CDateTime::null, 0.0};

    c.parentName = first ? kUnlinkedParent : kOtherParent;
    c.childName = first ? kAuditorChild : kReviewerChild;
    c.regionName = first ? "Northeast" : "Midwest";
    c.territoryName = first ? "Boston Metro" : "Wisconsin";
    c.parentLinkStatus = first ? 4 : 5;  // values without a name of their own
    c.childLinkStatus = first ? CAuditCase::childUnlinked : CAuditCase::childNotLinked;
    c.childGroupCode = first ? 1 : 6;
    c.nonProductive = first;
    c.correction = first;
    c.hasNewProgressReports = first;
    c.priority = first;
    c.transferOut = first;
    c.userFlags = first ? static_cast<int32_t>(0x80000001u) : 0x7FFFFFFE;
    c.archive = first;
    c.manualAssignment = first;
    c.completed = first;

    c.caseNumber = "ignored by the server" + tag;
    c.serialNumber = text("SN");
    // A memo longer than 65533 bytes travels with the longest length prefix.
    c.memo = first ? std::string(70000, 'm') + "end" : "Memo\r\nover lines, caf\xE9 au lait";
    c.auditorDueDate = first ? CDateTime{CDateTime::null, 0.0} : CDateTime{CDateTime::valid, 46100.0};
    c.masterDueDate = first ? CDateTime{CDateTime::valid, 46000.75} : CDateTime{CDateTime::null, 0.0};
    c.dateCreated = CDateTime{CDateTime::valid, 1.0 + seed};
    c.dateAssigned = first ? CDateTime{CDateTime::valid, 0.0} : CDateTime{CDateTime::valid, 45500.125};
    c.dateReturned = first ? CDateTime{CDateTime::valid, 45600.5} : CDateTime{CDateTime::null, 0.0};

    c.insuredName = first ? "M\xFCller Bakery & Sons" : "Harbor Logistics LLC";
    c.insuredFedId = text("12-34567");
    c.insuredAddress1 = text("1 Main St");
    c.insuredAddress2 = text("Suite");
    c.insuredCity = text("Boston");
    c.insuredState = first ? "MA" : "WI";
    c.insuredZip = first ? "02108-1234" : "53202";
    c.insuredPhone = text("555-0100");
    c.insuredFax = text("555-0101");
    c.insuredEMail = text("office@insured.example");
    c.insuredEntity = first ? "Partnership" : "A form of its own";
    c.policyCarrier = text("Carrier");
    c.policyType = first ? "Workers Compensation" : "Garage";
    c.policyNumber = text("WC-1234567");
    c.policyStartDate = CDateTime{CDateTime::valid, 45000.0 + seed};
    c.policyEndDate = CDateTime{CDateTime::valid, 45365.0 + seed};
    c.policyCode = first ? 9999 : 0;
    c.policyEstPremium = first ? -99999999999.99 : 1234567.89;

    c.auditLocationName = text("Plant");
    c.auditContact = text("Pat Sullivan");
    c.auditAddress1 = text("2 Elm St");
    c.auditAddress2 = text("Dock");
    c.auditCity = text("Cambridge");
    c.auditState = first ? "MA" : "WI";
    c.auditZip = first ? "02139" : "53202";
    c.auditCounty = first ? "Middlesex" : "Milwaukee";
    c.auditPhone = text("555-0200");
    c.auditFax = text("555-0201");
    c.auditStartDate = CDateTime{CDateTime::valid, 45010.0 + seed};
    c.auditEndDate = CDateTime{CDateTime::valid, 45375.0 + seed};
    c.auditSource = first ? 3 : 1;
    c.auditType = first ? 6 : 2;

    c.agentContact = text("Karen Doyle");
    c.agentCompany = text("Bay State Agency");
    c.agentAddress1 = text("45 Milk St");
    c.agentAddress2 = text("Floor");
    c.agentCity = text("Boston");
    c.agentState = first ? "MA" : "IL";
    c.agentZip = text("02109");
    c.agentPhone = text("555-0300");
    c.agentFax = text("555-0301");
    c.agentEMail = text("agent@agency.example");

    CPolicyPage page;
    page.label = text("Order");
    page.text = "Audit type: Annual\r\nContact: " + c.auditContact;
    c.policyPages.push_back(page);
    page.label = first ? "Notes" : "";
    page.text = first ? std::string(300, 'n') : "";
    c.policyPages.push_back(page);
    if (!first) {
        page.label = "Third";
        page.text = "only in the second case";
        c.policyPages.push_back(page);
    }
    return c;
}

double Now()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return static_cast<double>(now + local.tm_gmtoff) / 86400.0 + 25569.0;
}
