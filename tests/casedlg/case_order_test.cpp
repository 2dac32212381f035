// Ordering cases: the order form pages against text written out by hand, the case built
// from an order, the page checks in their order, and the ordering session.
#include "casedlg/case_order_form.h"
#include "casedlg/case_ordering.h"
#include "net/command_wire.h"
#include "query/civil_date.h"
#include "records/inventory_info.h"
#include "records/policy_page.h"
#include "support/fake_peer.h"
#include "support/scripted_prompts.h"

#include <gtest/gtest.h>

using namespace command_wire;

namespace {

CDateTime Day(int year, int month, int day)
{
    return MakeDate(CivilDate{year, month, day});
}

CCaseOrder Inspection()
{
    CCaseOrder o;
    o.orderedBy = "Joan Pike";
    o.dueDate = Day(2026, 12, 31);
    o.priority = true;
    o.layoutSketch = true;
    o.photosFront = "4";
    o.photosBack = "2";
    o.policyNumber = "BOP-1";
    o.insuredName = "Harbor Bakery";
    o.dba = "Harbor Breads";
    o.insuredAddress1 = "14 Wharf St";
    o.insuredCity = "Boston";
    o.insuredState = "MA";
    o.insuredZip = "02110";
    o.businessType = "Bakery";
    o.contact = "Ann Lee";
    o.contactPhone = "617-555-0100";
    o.agentContact = "Bob Agent";
    o.agentCompany = "Agency Co";
    o.bldgValue = "450000";
    o.cts = "3";
    o.sqFt = "2400";
    o.units = "1";
    o.specialInstructions = "Call first";
    o.locAddress1 = "16 Wharf St";
    o.locCity = "Boston";
    o.locState = "MA";
    o.locZip = "02110";
    o.selected[CCaseOrder::allRisk] = true;
    o.selected[CCaseOrder::mAndC] = true;
    o.selected[CCaseOrder::dog] = true;
    o.selected[CCaseOrder::contrEquip] = true;
    o.selected[CCaseOrder::garageLiab] = true;
    o.rcAmount = "125000";
    o.acAmount = "98000.50";
    return o;
}

// The first case the client sent with CREATECASE.
bool DecodeSent(CFakePeer& peer, CAuditCase& record)
{
    const std::string received = peer.Received();
    const size_t at = received.find("CREATECASE\r\n");
    if (at == std::string::npos)
        return false;
    const size_t lineEnd = received.find("\r\n", at + 12);
    const size_t length = std::stoul(received.substr(at + 12, lineEnd - at - 12));
    CServerSession decoder;
    CMemFile payload(received.substr(lineEnd + 2, length));
    return decoder.DecodePayload(payload, record);
}

}  // namespace

TEST(CaseOrderForm, InspectionPagesHaveTheirFixedLayout)
{
    const std::vector<CPolicyPage> pages = CaseOrderForm::FormPages(Inspection());
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].label, "General");
    EXPECT_EQ(pages[0].text,
              "Ordered By:     Joan Pike\r\n"
              "\r\n"
              "Insured DBA:    Harbor Breads\r\n"
              "Business Type:  Bakery\r\n"
              "\r\n"
              "Layout Sketch:  Yes\r\n"
              "# Photos Front: 4\r\n"
              "# Photos Back:  2\r\n"
              "\r\n"
              "Bldg. Value:    450000\r\n"
              "Cts:            3\r\n"
              "Sq. Ft.:        2400\r\n"
              "Units:          1\r\n");
    EXPECT_EQ(pages[1].label, "Selections");
    EXPECT_EQ(pages[1].text,
              "PROPERTY           CASUALTY             MULTI-PERIL          SUPPLEMENTS\r\n"
              "-----------------  -------------------  -------------------  -----------------\r\n"
              "[X] All Risk       [ ] Prem/Ops (Liab)  [ ] SMP/BOP (Std)    [ ] Beauty\r\n"
              "[ ] Plate Glass    [ ] Prod/Comp Oper.  [ ] Photo/Occupancy  [ ] Cooking\r\n"
              "[ ] Theft          [ ] Workers Comp.    [ ] SMP/Short        [ ] Crime\r\n"
              "[ ] Property       [ ] Liquor Liab.                          [ ] Daycare\r\n"
              "[ ] Water Damage   [X] M&C              HOMEOWNERS           [ ] Elevator\r\n"
              "[ ] Builders Risk                       -------------------  [ ] Pool\r\n"
              "                   COMM AUTO            [ ] Interior         [ ] Sprinkler\r\n"
              "VALUATION          -------------------  [ ] Exterior         [ ] Tanning\r\n"
              "-----------------  [ ] Liability        [ ] Wood Stove\r\n"
              "RC, Amount:        [ ] Phys. Dam.       [ ] High Value       INLAND MARINE\r\n"
              "125000                                  [X] Dog              -----------------\r\n"
              "                   GARAGE                                    [ ] EDP\r\n"
              "AC, Amount:        -------------------                       [X] Contr. Equip.\r\n"
              "98000.50           [X] Gar. Liab.\r\n");
}

TEST(CaseOrderForm, AuditPagesCutAndAlignTheirColumns)
{
    CCaseOrder o = Inspection();
    o.product = CCaseOrder::audit;
    o.annivDate = Day(2027, 3, 5);
    o.codes[0] = {"MA", "8810", "Clerical office employees", "125000"};
    o.codes[8] = {"CTX", "55512345678", std::string(60, 'd'), "123456789012345678"};
    o.principals[1] = {"Pat Owner", "01/02/2020", "INCL"};
    const std::vector<CPolicyPage> pages = CaseOrderForm::FormPages(o);
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0].text,
              "Ordered By:     Joan Pike\r\n\r\nInsured DBA:    Harbor Breads\r\nBusiness Type:  Bakery\r\n\r\n"
              "Anniv. Date:    03/05/27  \r\n");
    const std::string blankCode = std::string(80, ' ') + "\r\n";
    EXPECT_EQ(pages[1].label, "Codes");
    EXPECT_EQ(pages[1].text,
              "ST  CODE      CLASS DESCRIPTION                                         ESTIMATE\r\n" +
                  std::string(80, '-') + "\r\n" +
                  "MA  8810      Clerical office employees                                   125000\r\n" +
                  blankCode + blankCode + blankCode + blankCode + blankCode + blankCode + blankCode +
                  "CTX 5551234567" + std::string(52, 'd') + "12345678901234\r\n");
    EXPECT_EQ(pages[2].label, "Principals");
    const std::string blankPrincipal = std::string(52, ' ') + "\r\n";
    EXPECT_EQ(pages[2].text, "NAME                            DATE        INCL/EXCL\r\n" + std::string(53, '-') +
                                 "\r\n" + blankPrincipal +
                                 "Pat Owner                       01/02/2020  INCL    \r\n" + blankPrincipal +
                                 blankPrincipal + blankPrincipal);
    o.annivDate = {CDateTime::null, 0.0};
    const std::string general = CaseOrderForm::FormPages(o)[0].text;
    EXPECT_EQ(general.substr(general.size() - 28), "Anniv. Date:    " + std::string(10, ' ') + "\r\n");
}

TEST(CaseOrderForm, TheCaseTakesTheOrdersFields)
{
    CCaseOrder o = Inspection();
    o.entity = "Corporation";
    o.fedId = "12-3456789";
    CAuditCase c = CaseOrderForm::BuildCase(o, "Atlas");
    EXPECT_EQ(c.parentName, "Atlas");
    EXPECT_EQ(c.policyCarrier, "Atlas");
    EXPECT_EQ(c.childName, "SURVEY ORDERS");
    EXPECT_EQ(c.childGroupCode, 1);
    EXPECT_EQ(c.parentLinkStatus, 0);
    EXPECT_EQ(c.childLinkStatus, 0);
    EXPECT_EQ(c.auditorDueDate, Day(2026, 12, 31));
    EXPECT_EQ(c.masterDueDate, Day(2026, 12, 25));
    EXPECT_EQ(c.dateAssigned.status, CDateTime::null);
    EXPECT_EQ(c.opaqueDate2.status, CDateTime::null);
    EXPECT_TRUE(c.manualAssignment);
    EXPECT_TRUE(c.completed);
    EXPECT_TRUE(c.priority);
    EXPECT_FALSE(c.archive);
    EXPECT_EQ(c.insuredName, "Harbor Bakery");
    EXPECT_EQ(c.insuredZip, "02110");
    EXPECT_EQ(c.insuredEntity, "") << "an inspection has no entity";
    EXPECT_EQ(c.insuredFedId, "");
    EXPECT_EQ(c.insuredPhone, "");
    EXPECT_EQ(c.auditContact, "Ann Lee");
    EXPECT_EQ(c.auditPhone, "617-555-0100");
    EXPECT_EQ(c.agentContact, "Bob Agent");
    EXPECT_EQ(c.agentCompany, "Agency Co");
    EXPECT_EQ(c.auditAddress1, "16 Wharf St");
    EXPECT_EQ(c.auditZip, "02110");
    EXPECT_EQ(c.memo, "Call first");
    EXPECT_EQ(c.policyNumber, "BOP-1");
    EXPECT_EQ(c.policyType, "Survey");
    EXPECT_EQ(c.policyStartDate, Day(1990, 1, 1));
    EXPECT_EQ(c.auditEndDate, Day(1991, 1, 1));
    EXPECT_EQ(c.caseNumber, "");
    EXPECT_EQ(c.policyPages.size(), 2u);

    o.product = CCaseOrder::audit;
    o.policyType = "General Liability";
    o.auditType = 4;
    o.auditSource = 2;
    o.periodFrom = Day(2026, 1, 1);
    o.periodTo = Day(2027, 1, 1);
    c = CaseOrderForm::BuildCase(o, "Atlas");
    EXPECT_EQ(c.childName, "AUDIT ORDERS");
    EXPECT_EQ(c.insuredEntity, "Corporation");
    EXPECT_EQ(c.insuredFedId, "12-3456789");
    EXPECT_EQ(c.policyType, "General Liability");
    EXPECT_EQ(c.auditType, 4);
    EXPECT_EQ(c.auditSource, 2);
    EXPECT_EQ(c.policyStartDate, Day(2026, 1, 1));
    EXPECT_EQ(c.auditStartDate, Day(2026, 1, 1));
    EXPECT_EQ(c.policyEndDate, Day(2027, 1, 1));
    EXPECT_EQ(c.auditEndDate, Day(2027, 1, 1));
    EXPECT_EQ(c.policyPages.size(), 3u);
}

TEST(CaseOrderForm, PageChecksComeInTheirOrder)
{
    using O = CCaseOrder;
    // Each step empties one more field; the message is that of the earliest check.
    const struct {
        int product;
        std::function<void(O&)> spoil;
        const char* message;
    } steps[] = {
        {O::inspection, [](O& o) { o.insuredState.clear(); }, "Insured State field must be filled in."},
        {O::inspection, [](O& o) { o.insuredCity.clear(); }, "Insured City field must be filled in."},
        {O::inspection, [](O& o) { o.insuredAddress1.clear(); }, "Insured Address field must be filled in."},
        {O::inspection, [](O& o) { o.policyNumber.clear(); }, "Policy # field must be filled in."},
        {O::inspection, [](O& o) { o.insuredName.clear(); }, "Insured Name field must be filled in."},
        {O::inspection, [](O& o) { o.orderedBy.clear(); }, "Ordered By field must be filled in."},
        {O::inspection, [](O& o) { o.dueDate = {CDateTime::invalid, 0}; }, "Due date is invalid."},
        {O::audit, [](O& o) { o.periodTo = {CDateTime::null, 0}; }, "Policy expiration date invalid."},
        {O::audit, [](O& o) { o.periodFrom = {CDateTime::null, 0}; }, "Policy inception date invalid."},
        {O::audit, [](O& o) { o.policyNumber.clear(); }, "Policy # field must be filled in."},
        {O::audit, [](O& o) { o.insuredState.clear(); }, "Insured State field must be filled in."},
    };
    for (const int product : {O::inspection, O::audit}) {
        O order = Inspection();
        order.product = product;
        order.periodFrom = Day(2026, 1, 1);
        order.periodTo = Day(2027, 1, 1);
        EXPECT_EQ(CaseOrderForm::CheckPage(order, O::general), "");
        for (const auto& step : steps)
            if (step.product == product) {
                step.spoil(order);
                EXPECT_EQ(CaseOrderForm::CheckPage(order, O::general), step.message);
            }
    }
    O order = Inspection();
    EXPECT_EQ(CaseOrderForm::CheckPage(order, O::locationsAndSpecial), "");
    order.locCity.clear();
    EXPECT_EQ(CaseOrderForm::CheckPage(order, O::locationsAndSpecial), "Location must be filled in.");
    EXPECT_EQ(CaseOrderForm::CheckPage(order, O::selections), "");
    order.selected = {};
    order.rcAmount = "5";
    EXPECT_EQ(CaseOrderForm::CheckPage(order, O::selections), "At least one selection must be made.");
}

TEST(CaseOrdering, OrdersUntilQuitStartingFromThePreviousOrderWhenAsked)
{
    CFakePeer peer;
    for (const char* number : {"2026-000401", "2026-000402"})
        peer.ReadLine().ReadEnvelope().Write(Text(number));
    peer.ReadToEnd();
    peer.Start();
    CInventoryServer server;
    ASSERT_EQ(server.ConnectByName("127.0.0.1", peer.Port()), 0);

    CInventoryInfo info;
    info.rights = CCaseOrdering::kRightCreateCases;
    CParentUser atlas;
    atlas.name = "Atlas";
    atlas.auditorDueDays = 12;
    info.parents = {atlas};
    ScriptedPrompts prompts;
    std::vector<CCaseOrder> wizards;
    std::vector<std::vector<std::string>> offeredParents;
    std::deque<CaseOrderDialogs::Next> answers = {CaseOrderDialogs::Next::fromPrevious,
                                                  CaseOrderDialogs::Next::fromScratch};
    std::string parent = "Atlas";
    CaseOrderDialogs dialogs;
    dialogs.selectProductAndParent = [&](const std::vector<std::string>& parents) {
        offeredParents.push_back(parents);
        return std::optional<CaseOrderDialogs::ProductAndParent>({CCaseOrder::inspection, parent});
    };
    dialogs.runWizard = [&](CCaseOrder& order) {
        wizards.push_back(order);
        if (wizards.size() == 3)
            return false;  // cancelled
        order = Inspection();
        order.insuredName += std::to_string(wizards.size());
        return true;
    };
    dialogs.addAnother = [&] {
        const CaseOrderDialogs::Next next = answers.front();
        answers.pop_front();
        return next;
    };
    const std::time_t now = 1765000000;  // 6 December 2025
    CCaseOrdering ordering(server, prompts, info, "joan", dialogs, [now] { return now; });
    EXPECT_TRUE(ordering.OrderCases());
    ASSERT_EQ(wizards.size(), 3u);
    EXPECT_EQ(offeredParents, (std::vector<std::vector<std::string>>{{"Atlas"}}));
    EXPECT_EQ(wizards[0].orderedBy, "joan");
    EXPECT_EQ(wizards[0].dueDate, CaseOrderForm::DaysFromToday(now, 12));
    EXPECT_EQ(wizards[1].insuredName, "Harbor Bakery1") << "from previous: every field of the last order";
    EXPECT_EQ(wizards[2].insuredName, "") << "from scratch";
    EXPECT_EQ(ordering.Previous(CCaseOrder::inspection)->insuredName, "Harbor Bakery2");
    EXPECT_TRUE(prompts.messages.empty());
    CAuditCase sent;
    ASSERT_TRUE(DecodeSent(peer, sent));
    EXPECT_EQ(sent.insuredName, "Harbor Bakery1");
    EXPECT_EQ(sent.parentName, "Atlas");
    server.Close();
    ASSERT_TRUE(peer.WaitDone());

    // A parent missing from the list: 30 days. A failed CREATECASE: the message, and the
    // session ends.
    EXPECT_EQ(ordering.StartingOrder(false, CCaseOrder::audit, "Nobody").dueDate,
              CaseOrderForm::DaysFromToday(now, 30));
    parent = "Nobody";
    wizards.clear();
    EXPECT_FALSE(ordering.OrderCases());
    EXPECT_EQ(wizards.size(), 1u);
    EXPECT_EQ(prompts.MessageTexts(), std::vector<QString>{QStringLiteral("Error sending case info to server")});
}
