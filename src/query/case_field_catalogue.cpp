#include "query/case_field_catalogue.h"

namespace {

constexpr std::array<CaseFieldEntry, CaseFieldCatalogue::kEntryCount> kCatalogue = {{
    {"Case Number", "[CaseNum]", fieldText, 1, "CaseNumber"},
    {"Date Created", "[DateCreated]", fieldDateTime, 1, "DateCreated"},
    {"Serial Number", "[SerialNum]", fieldText, 1, "SerialNumber"},
    {"Master Due Date", "[SysDueDate]", fieldDateTime, 1, "MasterDueDate"},
    {"Auditor Due Date", "[AuditorDueDate]", fieldDateTime, 1, "UserDueDate"},
    {"Scheduled Time", "[SysScheduledTime]", fieldDateTime, 1, "ScheduledTime"},
    {"Scheduled Time End", "[SysScheduledTimeEnd]", fieldDateTime, 0, "ScheduledTimeEnd"},
    {"Has Attachments", "[DefAttachID]", fieldIntegerCode, 0, "DefAttachmentID"},
    {"Is Priority", "[SysPriority]", fieldYesNo, 0, "PriorityFlag"},
    {"Is Productive", "[IsProductive]", fieldYesNo, 0, "IsNonProductive"},
    {"Is Correction", "[IsCorrection]", fieldYesNo, 0, "IsCorrection"},
    {"Is Read-only", "[IsReadOnly]", fieldYesNo, 1, "IsReadOnly"},
    {"Has New Progress Rpts", "[HasNewRpts]", fieldYesNo, 0, "HasNewPrgRpts"},
    {"Region", "[Region]", fieldText, 0, "Region.Name"},
    {"Territory", "[Territory]", fieldText, 0, "Territory.Name"},
    {"Parent Name", "[SysParentName]", fieldText, 0, "Parent.Name"},
    {"Parent Linking Status", "[SysParentStatus]", fieldIntegerCode, 1, "ParentLinkStatus"},
    {"Parent Date Assigned", "[DateAssigned]", fieldDateTime, 1, "ParentDateAssigned"},
    {"Parent Date Returned", "[DateReturned]", fieldDateTime, 1, "ParentDateReturned"},
    {"Child Name", "[SysChildName]", fieldText, 0, "ChildUser.Name"},
    {"Child Linking Status", "[SysChildStatus]", fieldIntegerCode, 1, "ChildLinkStatus"},
    {"Child Group", "[ChildGroupCode]", fieldIntegerCode, 1, "ChildGroupCode"},
    {"Agent Contact", "[AgentName]", fieldText, 0, "Agent_ContactName"},
    {"Agent Company", "[AgentCoName]", fieldText, 1, "Agent_AgencyName"},
    {"Agent Address 1", "[AgentAddress1]", fieldText, 0, "Agent_Address1"},
    {"Agent Address 2", "[AgentAddress2]", fieldText, 0, "Agent_Address2"},
    {"Agent City", "[AgentCity]", fieldText, 0, "Agent_City"},
    {"Agent State", "[AgentState]", fieldText, 0, "Agent_State"},
    {"Agent Zip", "[AgentZip]", fieldText, 0, "Agent_Zip"},
    {"Agent Phone", "[AgentPhone]", fieldText, 0, "Agent_Phone"},
    {"Agent Fax", "[AgentFax]", fieldText, 0, "Agent_Fax"},
    {"Agent E-mail", "[AgentEMail]", fieldText, 0, "Agent_EMail"},
    {"Audit Contact", "[AuditContact]", fieldText, 1, "Audit_ContactName"},
    {"Audit Location Name", "[AuditLocName]", fieldText, 0, "Audit_LocName"},
    {"Audit Address 1", "[AuditAddress1]", fieldText, 0, "Audit_Address1"},
    {"Audit Address 2", "[AuditAddress2]", fieldText, 0, "Audit_Address2"},
    {"Audit City", "[AuditCity]", fieldText, 1, "Audit_City"},
    {"Audit State", "[AuditState]", fieldText, 0, "Audit_State"},
    {"Audit Zip", "[AuditZip]", fieldText, 0, "Audit_Zip"},
    {"Audit County", "[AuditCounty]", fieldText, 0, "Audit_County"},
    {"Audit Phone", "[AuditPhone]", fieldText, 0, "Audit_Phone"},
    {"Audit Fax", "[AuditFax]", fieldText, 0, "Audit_Fax"},
    {"Audit Source", "[AuditSrcCode]", fieldIntegerCode, 0, "Audit_Source"},
    {"Audit Type", "[AuditType]", fieldIntegerCode, 0, "Audit_Type"},
    {"Audit Period Start", "[AuditStartDate]", fieldDateTime, 0, "Audit_StartDate"},
    {"Audit Period End", "[AuditEndDate]", fieldDateTime, 1, "Audit_EndDate"},
    {"Insured Name", "[InsuredName]", fieldText, 1, "Insured_Name"},
    {"Insured Address 1", "[InsuredAddress1]", fieldText, 0, "Insured_Address1"},
    {"Insured Address 2", "[InsuredAddress2]", fieldText, 0, "Insured_Address2"},
    {"Insured City", "[InsuredCity]", fieldText, 0, "Insured_City"},
    {"Insured State", "[InsuredState]", fieldText, 0, "Insured_State"},
    {"Insured Zip", "[InsuredZip]", fieldText, 0, "Insured_Zip"},
    {"Insured Phone", "[InsuredPhone]", fieldText, 0, "Insured_Phone"},
    {"Insured Fax", "[InsuredFax]", fieldText, 0, "Insured_Fax"},
    {"Insured E-mail", "[InsuredEMail]", fieldText, 0, "Insured_EMail"},
    {"Insured Entity", "[InsuredEntity]", fieldText, 0, "Insured_Entity"},
    {"Insured FEIN", "[InsuredFedID]", fieldText, 0, "Insured_FedID"},
    {"Policy Carrier", "[PolicyInsCo]", fieldText, 0, "Policy_Carrier"},
    {"Policy Number", "[PolicyNumber]", fieldText, 1, "Policy_Number"},
    {"Policy Inception Date", "[PolicyStartDate]", fieldDateTime, 0, "Policy_StartDate"},
    {"Policy Expiration Date", "[PolicyEndDate]", fieldDateTime, 1, "Policy_EndDate"},
    {"Policy Type", "[PolicyType]", fieldText, 1, "Policy_Type"},
    {"Policy Code", "[PolicyCode]", fieldIntegerCode, 1, "Policy_Code"},
    {"Policy Estimated Premium", "[PolicyEstPrem]", fieldAmount, 0, "Policy_EstPremium"},
    {"", "", -1, -1, ""},
}};

// Calls visit for every entry before the terminator until visit returns true; returns
// the entry it stopped at, or nullptr.
template <class Visit>
const CaseFieldEntry* Walk(Visit visit)
{
    for (const CaseFieldEntry& entry : kCatalogue) {
        if (entry.label.empty())
            break;
        if (visit(entry))
            return &entry;
    }
    return nullptr;
}

}  // namespace

const std::array<CaseFieldEntry, CaseFieldCatalogue::kEntryCount>& CaseFieldCatalogue::Entries()
{
    return kCatalogue;
}

std::vector<CaseFieldEntry> CaseFieldCatalogue::Fields()
{
    std::vector<CaseFieldEntry> fields;
    Walk([&](const CaseFieldEntry& e) { fields.push_back(e); return false; });
    return fields;
}

const CaseFieldEntry* CaseFieldCatalogue::FindByToken(std::string_view token)
{
    return Walk([&](const CaseFieldEntry& e) { return e.token == token; });
}

const CaseFieldEntry* CaseFieldCatalogue::FindByLabel(std::string_view label)
{
    return Walk([&](const CaseFieldEntry& e) { return e.label == label; });
}

std::optional<std::string> CaseFieldCatalogue::LabelOfToken(std::string_view token)
{
    if (const CaseFieldEntry* entry = FindByToken(token))
        return std::string(entry->label);
    return std::nullopt;
}

std::optional<std::string> CaseFieldCatalogue::TokenOfLabel(std::string_view label)
{
    if (const CaseFieldEntry* entry = FindByLabel(label))
        return std::string(entry->token);
    return std::nullopt;
}

std::vector<CaseFieldEntry> CaseFieldCatalogue::DateFields()
{
    std::vector<CaseFieldEntry> fields;
    Walk([&](const CaseFieldEntry& e) {
        if (e.type == fieldDateTime)
            fields.push_back(e);
        return false;
    });
    return fields;
}

std::vector<std::string> CaseFieldCatalogue::AllLabels()
{
    std::vector<std::string> labels;
    Walk([&](const CaseFieldEntry& e) { labels.emplace_back(e.label); return false; });
    return labels;
}
