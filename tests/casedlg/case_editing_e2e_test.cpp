// The case editing flows against the real inventory-server, with the dialogs scripted
// through their logic: create cases in the wizard loop, edit every page of one and read
// it back, change three cases at once, and bill a case.

#include "casedlg/case_editing.h"
#include "e2e/office_client.h"
#include "records/audit_case.h"
#include "support/scripted_prompts.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>

namespace {

class CaseEditingEndToEnd : public InventoryEndToEnd {
protected:
    void SetUp() override
    {
        InventoryEndToEnd::SetUp();
        admin_ = LogIn("admin");
        ASSERT_TRUE(admin_->LoggedIn());
        ASSERT_TRUE(admin_->GetInventoryInfo(false, info_));
        ASSERT_FALSE(info_.parents.empty());
        dialogs_.caseSheet = [this](CasePropsLogic& logic) {
            if (sheets_.empty())
                return false;
            auto script = std::move(sheets_.front());
            sheets_.pop_front();
            script(logic);
            return true;
        };
        dialogs_.addAnotherCase = [this] {
            if (addAnother_.empty())
                return CAddAnotherCaseDlg::Choice::quit;
            const auto choice = addAnother_.front();
            addAnother_.pop_front();
            return choice;
        };
    }

    CCaseEditing Editing() { return CCaseEditing(*admin_, prompts_, info_, dialogs_, {2025, 1, 15}); }

    CAuditCase Fetch(const std::string& number)
    {
        CAuditCase c;
        EXPECT_TRUE(admin_->GetCase(number, c)) << number;
        return c;
    }

    std::unique_ptr<COfficeClient> admin_;
    CInventoryInfo info_;
    ScriptedPrompts prompts_;
    CaseEditingDialogs dialogs_;
    std::deque<std::function<void(CasePropsLogic&)>> sheets_;
    std::deque<CAddAnotherCaseDlg::Choice> addAnother_;
};

// What a user fills in on the wizard's pages, in their order.
void FillNewCase(CasePropsLogic& logic, const std::string& name, const std::string& carrier)
{
    CAuditCase& c = logic.Case();
    c.insuredName = name;
    c.policyCarrier = carrier;
    c.policyStartDate = MakeDate({2025, 1, 1});
    c.policyEndDate = MakeDate({2026, 1, 1});
    logic.OpenAuditPage(false);
    logic.OpenGeneralPage();
}

}  // namespace

TEST_F(CaseEditingEndToEnd, CreateEditManyAndBill)
{
    const std::string carrier = info_.parents.front().name;

    // Two cases, the second started from the first.
    sheets_.push_back([&](CasePropsLogic& logic) {
        EXPECT_TRUE(logic.IsWizard());
        EXPECT_EQ(logic.Case().insuredEntity, "Sole Proprietorship");
        FillNewCase(logic, "Wizard First", carrier);
        EXPECT_EQ(logic.Case().parentName, carrier);  // preselected from the carrier
        logic.Case().agentCompany = "First Agency";
    });
    sheets_.push_back([&](CasePropsLogic& logic) {
        EXPECT_EQ(logic.Case().insuredName, "Wizard First");
        EXPECT_EQ(logic.Case().agentCompany, "First Agency");
        logic.Case().insuredName = "Wizard Second";
    });
    addAnother_ = {CAddAnotherCaseDlg::Choice::fromPrevious, CAddAnotherCaseDlg::Choice::fromScratch};
    sheets_.push_back([&](CasePropsLogic& logic) {
        EXPECT_EQ(logic.Case().insuredName, "");
        FillNewCase(logic, "Wizard Third", "Nobody We Know");
        EXPECT_EQ(logic.Case().parentName, "");
    });
    CCaseEditing creating = Editing();
    ASSERT_EQ(creating.CreateCases(), 3) << (prompts_.messages.empty() ? "" : prompts_.messages[0].text.toStdString());
    const std::vector<std::string> numbers = creating.CreatedCases();
    EXPECT_EQ(Fetch(numbers[1]).insuredName, "Wizard Second");
    EXPECT_EQ(Fetch(numbers[1]).parentName, carrier);

    // Every page of the first case, edited and read back.
    sheets_.push_back([&](CasePropsLogic& logic) {
        EXPECT_FALSE(logic.IsWizard());
        CAuditCase& c = logic.Case();
        c.serialNumber = "SN-1";
        c.memo = "Call before noon";
        c.priority = true;
        c.correction = true;
        c.masterDueDate = MakeDate({2026, 2, 1});
        c.auditorDueDate = MakeDate({2026, 1, 20});
        if (!info_.territories.empty())
            logic.ChooseTerritory(info_.territories.front());
        c.insuredAddress1 = "12 Main St";
        c.insuredCity = "Springfield";
        c.insuredState = "IL";
        c.insuredZip = "62701";
        c.insuredEMail = "acme@example.com";
        c.insuredFedId = "12-3456789";
        c.policyType = "General Liability";
        c.policyNumber = "GL-1";
        c.policyCode = 9999;
        c.policyEstPremium = -1234.56;
        c.auditType = 4;
        c.auditSource = 2;
        c.nonProductive = true;
        c.auditLocationName = "Warehouse";
        c.auditCounty = "Sangamon";
        c.auditStartDate = MakeDate({2025, 1, 1});
        c.auditEndDate = MakeDate({2025, 12, 31});
        c.agentContact = "Al Agent";
        c.agentEMail = "al@example.com";
        c.userFlags = 0x80000001;
    });
    ASSERT_TRUE(Editing().EditCase(numbers[0]));
    const CAuditCase edited = Fetch(numbers[0]);
    EXPECT_EQ(edited.serialNumber, "SN-1");
    EXPECT_EQ(edited.memo, "Call before noon");
    EXPECT_TRUE(edited.priority);
    EXPECT_TRUE(edited.correction);
    EXPECT_EQ(DateText(edited.masterDueDate), "02/01/2026");
    EXPECT_EQ(DateText(edited.auditorDueDate), "01/20/2026");
    if (!info_.territories.empty()) {
        EXPECT_EQ(edited.regionName + "::" + edited.territoryName, info_.territories.front());
    }
    EXPECT_EQ(edited.insuredAddress1, "12 Main St");
    EXPECT_EQ(edited.insuredZip, "62701");
    EXPECT_EQ(edited.insuredEMail, "acme@example.com");
    EXPECT_EQ(edited.insuredFedId, "12-3456789");
    EXPECT_EQ(edited.policyType, "General Liability");
    EXPECT_EQ(edited.policyCode, 9999);
    EXPECT_DOUBLE_EQ(edited.policyEstPremium, -1234.56);
    EXPECT_EQ(edited.auditType, 4);
    EXPECT_EQ(edited.auditSource, 2);
    EXPECT_TRUE(edited.nonProductive);
    EXPECT_EQ(edited.auditLocationName, "Warehouse");
    EXPECT_EQ(edited.auditCounty, "Sangamon");
    EXPECT_EQ(DateText(edited.auditEndDate), "12/31/2025");
    EXPECT_EQ(edited.agentContact, "Al Agent");
    EXPECT_EQ(edited.agentEMail, "al@example.com");
    EXPECT_EQ(static_cast<uint32_t>(edited.userFlags), 0x80000001u);

    // Three cases at once: Priority set, Correction Return left grey, a master due date
    // given, the territory and auditor due date left unchanged.
    dialogs_.multiCaseProps = [&](MultiCasePropsLogic& logic) {
        EXPECT_EQ(logic.Common().correction, CCaseMultiProps::mixed);
        logic.SetFlags(1, 2, 2, 2, false);
        logic.SetMasterDueDate({DateFieldState::valid, {2026, 3, 3}});
        logic.SetAuditorDueDate({});
        logic.ChooseTerritory("");
        return true;
    };
    ASSERT_TRUE(Editing().EditCases(numbers));
    for (const std::string& number : numbers) {
        const CAuditCase c = Fetch(number);
        EXPECT_TRUE(c.priority) << number;
        EXPECT_EQ(c.correction, number == numbers[0]) << number;
        EXPECT_EQ(DateText(c.masterDueDate), "03/03/2026") << number;
    }
    EXPECT_EQ(DateText(Fetch(numbers[0]).auditorDueDate), "01/20/2026");
    EXPECT_EQ(Fetch(numbers[0]).territoryName, edited.territoryName);

    // Billing: add an hourly amount, change it, add a flat one, remove the first.
    dialogs_.billing = [&](BillingLogic& logic) {
        EXPECT_EQ(logic.Parties().front(), carrier);
        EXPECT_EQ(logic.Title(), "Billing Information  (Creating new amount)");
        BillingLogic::Form& form = logic.Buffer();
        form.firstHourRate = 80;
        form.additionalRate = 60;
        form.hours = 2.5;
        form.memo = "Field work";
        ASSERT_TRUE(logic.Update());
        EXPECT_TRUE(logic.EntryStored());
        EXPECT_EQ(logic.TotalText(), "170.00");
        logic.EditRow(0);
        EXPECT_EQ(logic.Title(), "Billing Information  (Editing current amount)");
        EXPECT_EQ(logic.Buffer().memo, "Field work");
        logic.Buffer().hours = 0.5;
        logic.Buffer().discount = 10;
        ASSERT_TRUE(logic.Update());
        EXPECT_FALSE(logic.EntryStored());
        EXPECT_EQ(logic.TotalText(), "36.00");
        logic.Buffer().kind = CBillingEntry::flat;
        logic.Buffer().flatAmount = 100;
        ASSERT_TRUE(logic.Update());
        EXPECT_EQ(logic.TotalText(), "136.00");
        ASSERT_EQ(logic.Entries().size(), 2u);
        prompts_.answers = {true};
        int hourlyRow = logic.Entries()[0].kind == CBillingEntry::hourly ? 0 : 1;
        EXPECT_TRUE(logic.Delete({hourlyRow}));
        EXPECT_EQ(logic.TotalText(), "100.00");
        EXPECT_EQ(logic.Entries().front().firstHourRate, 100);
        EXPECT_EQ(logic.DateBilledText(), "Server Assigned");
    };
    ASSERT_TRUE(Editing().Billing({numbers[0]}));
    EXPECT_EQ(prompts_.questions.back().text, "You are about to delete 1 amount(s).  Are you sure?");
    for (const auto& shown : prompts_.messages)
        ADD_FAILURE() << "unexpected message: " << shown.text.toStdString();
}

TEST_F(CaseEditingEndToEnd, RefusalsAreShownAndNothingIsStored)
{
    // An unknown case cannot be opened.
    EXPECT_FALSE(Editing().EditCase("1999-999999"));
    EXPECT_EQ(prompts_.MessageTexts().back(), "Error receiving case info from server");
    EXPECT_FALSE(Editing().Billing({"1999-999999"}));
    EXPECT_EQ(prompts_.MessageTexts().back(), "Error receiving case info from server");

    // Billing without a party is refused before the server is asked.
    sheets_.push_back([&](CasePropsLogic& logic) { FillNewCase(logic, "Refusals", "Nobody"); });
    CCaseEditing creating = Editing();
    ASSERT_EQ(creating.CreateCases(), 1);
    const std::string number = creating.CreatedCases().front();
    dialogs_.billing = [&](BillingLogic& logic) {
        logic.Buffer().party.clear();
        EXPECT_FALSE(logic.Update());
        EXPECT_TRUE(logic.Entries().empty());
    };
    ASSERT_TRUE(Editing().Billing({number}));
    EXPECT_EQ(prompts_.MessageTexts().back(), "Parent/Child must first be filled in.");
}
