#include "casedlg/case_order_form.h"

#include "query/civil_date.h"
#include "records/policy_page.h"

namespace CaseOrderForm {

namespace {

constexpr const char* kEol = "\r\n";

// "[X]" when checked, "[ ]" when not.
std::string Mark(bool checked)
{
    return checked ? "[X]" : "[ ]";
}

// "%x" of a valid date followed by two spaces, ten spaces for no date.
std::string AnniversaryText(const CDateTime& date)
{
    DayAndTime parts;
    if (!SplitDateTime(date, parts))
        return std::string(10, ' ');
    const CivilDate civil = DateOfSerial(parts.day);
    std::tm tm{};
    tm.tm_year = civil.year - 1900;
    tm.tm_mon = civil.month - 1;
    tm.tm_mday = civil.day;
    char text[32] = {};
    const size_t length = std::strftime(text, sizeof text, "%x", &tm);
    return std::string(text, length) + "  ";
}

CDateTime Date(int year, int month, int day)
{
    return MakeDate(CivilDate{year, month, day});
}

CDateTime DaysBefore(const CDateTime& date, int days)
{
    DayAndTime parts;
    if (!SplitDateTime(date, parts))
        return date;
    return MakeDateTime(parts.day - days, parts.time);
}

std::string GeneralHead(const CCaseOrder& o)
{
    return "Ordered By:     " + o.orderedBy + kEol + kEol + "Insured DBA:    " + o.dba + kEol +
           "Business Type:  " + o.businessType + kEol + kEol;
}

std::string InspectionGeneral(const CCaseOrder& o)
{
    return GeneralHead(o) + "Layout Sketch:  " + (o.layoutSketch ? "Yes" : "No") + kEol +
           "# Photos Front: " + o.photosFront + kEol + "# Photos Back:  " + o.photosBack + kEol + kEol +
           "Bldg. Value:    " + o.bldgValue + kEol + "Cts:            " + o.cts + kEol +
           "Sq. Ft.:        " + o.sqFt + kEol + "Units:          " + o.units + kEol;
}

std::string Selections(const CCaseOrder& o)
{
    const auto m = [&](CCaseOrder::Selection s) { return Mark(o.selected[s]); };
    using S = CCaseOrder;
    std::string t;
    const auto line = [&](const std::string& text) { t += text + kEol; };
    line("PROPERTY           CASUALTY             MULTI-PERIL          SUPPLEMENTS");
    line("-----------------  -------------------  -------------------  -----------------");
    line(m(S::allRisk) + " All Risk       " + m(S::premisesOps) + " Prem/Ops (Liab)  " + m(S::smpBop) +
         " SMP/BOP (Std)    " + m(S::beauty) + " Beauty");
    line(m(S::plateGlass) + " Plate Glass    " + m(S::prodCompOper) + " Prod/Comp Oper.  " + m(S::photoOccupancy) +
         " Photo/Occupancy  " + m(S::cooking) + " Cooking");
    line(m(S::theft) + " Theft          " + m(S::workersComp) + " Workers Comp.    " + m(S::smpShort) +
         " SMP/Short        " + m(S::crime) + " Crime");
    line(m(S::property) + " Property       " + m(S::liquorLiab) + " Liquor Liab.                          " +
         m(S::daycare) + " Daycare");
    line(m(S::waterDamage) + " Water Damage   " + m(S::mAndC) + " M&C              HOMEOWNERS           " +
         m(S::elevator) + " Elevator");
    line(m(S::buildersRisk) + " Builders Risk                       -------------------  " + m(S::pool) + " Pool");
    line("                   COMM AUTO            " + m(S::interior) + " Interior         " + m(S::sprinkler) +
         " Sprinkler");
    line("VALUATION          -------------------  " + m(S::exterior) + " Exterior         " + m(S::tanning) +
         " Tanning");
    line("-----------------  " + m(S::autoLiability) + " Liability        " + m(S::woodStove) + " Wood Stove");
    line("RC, Amount:        " + m(S::physDam) + " Phys. Dam.       " + m(S::highValue) +
         " High Value       INLAND MARINE");
    line(Pad(o.rcAmount, 19) + Pad("", 21) + Pad(m(S::dog) + " Dog", 21) + "-----------------");
    line(Pad("", 19) + Pad("GARAGE", 21) + Pad("", 21) + m(S::edp) + " EDP");
    line(Pad("AC, Amount:", 19) + Pad("-------------------", 21) + Pad("", 21) + m(S::contrEquip) +
         " Contr. Equip.");
    line(Pad(o.acAmount, 19) + m(S::garageLiab) + " Gar. Liab.");
    return t;
}

std::string Codes(const CCaseOrder& o)
{
    std::string t = "ST  CODE      CLASS DESCRIPTION                                         ESTIMATE";
    t += kEol + std::string(80, '-') + kEol;
    for (const CCaseOrder::Code& c : o.codes)
        t += Pad(c.state, 4) + Pad(c.classCode, 10) + Pad(c.description, 52) + RightPad(c.estimate, 14) + kEol;
    return t;
}

std::string Principals(const CCaseOrder& o)
{
    std::string t = "NAME                            DATE        INCL/EXCL";
    t += kEol + std::string(53, '-') + kEol;
    for (const CCaseOrder::Principal& p : o.principals)
        t += Pad(p.name, 32) + Pad(p.date, 12) + Pad(p.inclExcl, 8) + kEol;
    return t;
}

CPolicyPage Page(const char* label, std::string text)
{
    CPolicyPage page;
    page.label = label;
    page.text = std::move(text);
    return page;
}

}  // namespace

std::string Pad(const std::string& text, size_t n)
{
    std::string padded = text.substr(0, n);
    padded.resize(n, ' ');
    return padded;
}

std::string RightPad(const std::string& text, size_t n)
{
    const std::string cut = text.substr(0, n);
    return std::string(n - cut.size(), ' ') + cut;
}

CDateTime DaysFromToday(std::time_t now, int days)
{
    std::tm local{};
    localtime_r(&now, &local);
    const CivilDate today{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
    return MakeDateTime(SerialOfDate(today) + days, 0.0);
}

std::vector<CCaseOrder::Page> PagesOf(int product)
{
    using P = CCaseOrder;
    if (product == CCaseOrder::audit)
        return {P::general, P::locationsAndSpecial, P::principalsAndCodes, P::finish};
    return {P::general, P::locationsAndSpecial, P::selections, P::finish};
}

const char* PageTitle(CCaseOrder::Page page)
{
    switch (page) {
    case CCaseOrder::general: return "General";
    case CCaseOrder::locationsAndSpecial: return "Locations and Special";
    case CCaseOrder::selections: return "Selections";
    case CCaseOrder::principalsAndCodes: return "Principals and Codes";
    case CCaseOrder::finish: return "Finish";
    }
    return "";
}

std::string CheckPage(const CCaseOrder& o, CCaseOrder::Page page)
{
    switch (page) {
    case CCaseOrder::general: {
        const bool audit = o.product == CCaseOrder::audit;
        if (!o.dueDate.IsValid())
            return "Due date is invalid.";
        if (o.orderedBy.empty())
            return "Ordered By field must be filled in.";
        if (o.insuredName.empty())
            return "Insured Name field must be filled in.";
        if (!audit && o.policyNumber.empty())
            return "Policy # field must be filled in.";
        if (o.insuredAddress1.empty())
            return "Insured Address field must be filled in.";
        if (o.insuredCity.empty())
            return "Insured City field must be filled in.";
        if (o.insuredState.empty())
            return "Insured State field must be filled in.";
        if (audit && o.policyNumber.empty())
            return "Policy # field must be filled in.";
        if (audit && !o.periodFrom.IsValid())
            return "Policy inception date invalid.";
        if (audit && !o.periodTo.IsValid())
            return "Policy expiration date invalid.";
        return {};
    }
    case CCaseOrder::locationsAndSpecial:
        if (o.locAddress1.empty() || o.locCity.empty() || o.locState.empty())
            return "Location must be filled in.";
        return {};
    case CCaseOrder::selections:
        for (const bool checked : o.selected)
            if (checked)
                return {};
        return "At least one selection must be made.";
    default:
        return {};
    }
}

CAuditCase BuildCase(const CCaseOrder& o, const std::string& parentId)
{
    const bool audit = o.product == CCaseOrder::audit;
    CAuditCase c;
    c.parentName = parentId;
    c.childName = audit ? kAuditOrders : kSurveyOrders;
    c.childGroupCode = 1;
    c.parentLinkStatus = 0;
    c.childLinkStatus = 0;
    c.auditorDueDate = o.dueDate;
    c.masterDueDate = DaysBefore(o.dueDate, kMasterDueDaysEarlier);
    const CDateTime none{CDateTime::null, 0.0};
    c.dateAssigned = none;
    c.dateReturned = none;
    c.opaqueDate1 = none;
    c.opaqueDate2 = none;
    c.manualAssignment = true;
    c.completed = true;
    c.priority = o.priority;

    c.insuredName = o.insuredName;
    c.insuredAddress1 = o.insuredAddress1;
    c.insuredAddress2 = o.insuredAddress2;
    c.insuredCity = o.insuredCity;
    c.insuredState = o.insuredState;
    c.insuredZip = o.insuredZip;
    if (audit) {
        c.insuredFedId = o.fedId;
        c.insuredEntity = o.entity;
    }
    c.auditContact = o.contact;
    c.auditPhone = o.contactPhone;
    c.agentContact = o.agentContact;
    c.agentCompany = o.agentCompany;
    c.agentAddress1 = o.agentAddress1;
    c.agentAddress2 = o.agentAddress2;
    c.agentCity = o.agentCity;
    c.agentState = o.agentState;
    c.agentZip = o.agentZip;
    c.agentPhone = o.agentPhone;
    c.auditAddress1 = o.locAddress1;
    c.auditAddress2 = o.locAddress2;
    c.auditCity = o.locCity;
    c.auditState = o.locState;
    c.auditZip = o.locZip;
    c.memo = o.specialInstructions;
    c.policyNumber = o.policyNumber;
    c.policyCarrier = parentId;

    if (audit) {
        c.policyType = o.policyType;
        c.auditType = o.auditType;
        c.auditSource = o.auditSource;
        c.policyStartDate = c.auditStartDate = o.periodFrom;
        c.policyEndDate = c.auditEndDate = o.periodTo;
    } else {
        c.policyType = "Survey";
        c.policyCode = 0;
        c.auditSource = 0;
        c.auditType = 0;
        // An inspection has no policy period: fixed placeholder dates stand in.
        c.policyStartDate = c.auditStartDate = Date(1990, 1, 1);
        c.policyEndDate = c.auditEndDate = Date(1991, 1, 1);
    }
    c.policyPages = FormPages(o);
    return c;
}

std::vector<CPolicyPage> FormPages(const CCaseOrder& o)
{
    if (o.product == CCaseOrder::audit)
        return {Page("General", GeneralHead(o) + "Anniv. Date:    " + AnniversaryText(o.annivDate) + kEol),
                Page("Codes", Codes(o)), Page("Principals", Principals(o))};
    return {Page("General", InspectionGeneral(o)), Page("Selections", Selections(o))};
}

}  // namespace CaseOrderForm
