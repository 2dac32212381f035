// The report commands against the real server, sent by the office client's own
// CInventoryServer logged in with CServerConnector: report views run over the whole
// inventory or the given cases, as printouts and as PDF, TIFF and XPS documents; the
// audit and survey attachments rendered from their stored documents; the settings
// dialogs of report views, for the session and stored with the account's list; and
// refusals without the rights. With ORV_REPORT_DOC_DIR set, the demo report views are
// also exported there as PDF files to look at.

#include "codec/binary_object.h"
#include "codec/class_registry.h"
#include "net/connect_reporter.h"
#include "net/inventory_server.h"
#include "net/server_connector.h"
#include "records/attachment.h"
#include "records/report_prop_item.h"
#include "records/report_view_param.h"
#include "records/ui_control.h"
#include "records/ui_dialog.h"
#include "report/headless_gui.h"
#include "report/painter_graphics.h"
#include "report/report_classes.h"
#include "report/report_file.h"
#include "report/report_printout.h"
#include "report/rpt_grid_section.h"
#include "report/rpt_multi_text_section.h"
#include "report_generator/package_readers.h"
#include "server/command_client.h"

#include <QByteArray>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <thread>

namespace {

constexpr auto kPrintout = CInventoryServer::outputPrintout;
constexpr auto kPdf = CInventoryServer::outputPdf;
constexpr auto kTiff = CInventoryServer::outputTiff;
constexpr auto kXps = CInventoryServer::outputXps;

// The office client: its server connection, logged in as the program logs in.
struct OfficeClient : CInventoryServer {
    OfficeClient() { RegisterReportClasses(CClassRegistry::Global()); }
    bool LogIn(int port, const std::string& userId)
    {
        CMessageConnectReporter reporter;
        CServerConnector connector(*this, reporter);
        return connector.Connect("127.0.0.1", port, userId, userId);
    }
    void LogOut()
    {
        CloseSession();
        Close();
    }

    // GENERATECASEREPORTVIEW's printout; null when refused.
    std::shared_ptr<CReportPrintout> Printout(const std::string& view, const CaseIds& cases = {})
    {
        CBinaryObject block;
        if (!GenerateCaseReportView(view, cases, kPrintout, block))
            return nullptr;
        const CReportLoadResult loaded = LoadReportBlock(block.GetBytes());
        EXPECT_TRUE(loaded.Ok()) << loaded.message;
        return loaded.printout;
    }
    std::string Document(const std::string& view, ReportOutput kind, const CaseIds& cases = {})
    {
        CBinaryObject block;
        return GenerateCaseReportView(view, cases, kind, block) ? block.GetBytes() : std::string();
    }
    // True when the connection still answers in step.
    bool InStep()
    {
        std::vector<std::string> files;
        return GetReportFileNames(files) && files.size() == 3;
    }
};

const CRptMultiTextSection& Header(const CReportPrintout& printout)
{
    return dynamic_cast<const CRptMultiTextSection&>(*printout.header);
}

std::vector<const CStaticGrid*> Grids(const CReportPrintout& printout)
{
    std::vector<const CStaticGrid*> grids;
    for (const auto& section : printout.sections)
        if (const auto grid = std::dynamic_pointer_cast<CRptGridSection>(section))
            grids.push_back(grid->grid.get());
    return grids;
}

// The case numbers of a case listing, by the parent grid they are in.
std::map<std::string, std::vector<std::string>> ListedCases(const CReportPrintout& listing)
{
    std::map<std::string, std::vector<std::string>> byParent;
    for (const CStaticGrid* grid : Grids(listing)) {
        if (grid->title == "Totals by Parent")
            continue;
        for (const DataItems& row : grid->rows)
            if (row.cells[0].text != "Total")
                byParent[grid->title].push_back(row.cells[0].text);
    }
    return byParent;
}

int LaidOutPages(CReportPrintout& printout)
{
    EnsureHeadlessGui();
    CPainterGraphics measuring;
    return printout.LayOutPage(measuring, 0);
}

int PdfPageCount(const std::string& pdf)
{
    static const QRegularExpression page(R"(/Type\s*/Page\b(?!s))");
    int count = 0;
    for (auto it = page.globalMatch(QString::fromLatin1(QByteArray::fromStdString(pdf))); it.hasNext(); it.next())
        ++count;
    return count;
}

size_t XpsPageCount(const std::string& xps)
{
    const auto entries = ReadZip(xps);
    if (!entries || !entries->count("[Content_Types].xml") || !entries->count("Documents/1/FixedDocument.fdoc"))
        return 0;
    size_t pages = 0;
    for (const auto& [name, bytes] : *entries)
        if (name.starts_with("Documents/1/Pages/") && name.ends_with(".fpage"))
            ++pages;
    return pages;
}

template <class Control>
Control& ControlOf(CUIDialog& dialog, int32_t id)
{
    for (const auto& control : dialog.controls)
        if (control->controlId == id)
            return dynamic_cast<Control&>(*control);
    throw std::runtime_error("no control " + std::to_string(id));
}

CDateTime Day(int64_t day)
{
    return {CDateTime::valid, static_cast<double>(day)};
}

struct ReportServer : ::testing::Test {
    void SetUp() override
    {
        ASSERT_TRUE(demo.server.Start()) << demo.server.Log();
        ASSERT_TRUE(admin.LogIn(demo.server.Port(), "admin"));
    }
    int Port() { return demo.server.Port(); }

    // The first attachment of that kind on a case the listing shows.
    bool FindAttachment(const CReportPrintout& listing, const std::string& kind, std::string& caseNumber,
                        CAttachment& found)
    {
        for (const auto& [parent, numbers] : ListedCases(listing))
            for (const std::string& number : numbers) {
                std::vector<CAttachment> attachments;
                if (!admin.GetCaseAttachments(number, attachments))
                    continue;
                for (const CAttachment& attachment : attachments)
                    if (attachment.kind == kind) {
                        caseNumber = number;
                        found = attachment;
                        return true;
                    }
            }
        return false;
    }

    DemoServer demo;
    OfficeClient admin;
};

}  // namespace

TEST_F(ReportServer, DemoViewsRunOverTheWholeInventoryOrTheGivenCases)
{
    std::vector<std::string> files;
    ASSERT_TRUE(admin.GetReportFileNames(files));
    EXPECT_EQ(files, (std::vector<std::string>{"CaseListing.rpt", "DueDateAging.rpt", "CaseDetail.rpt"}));
    std::vector<CReportViewParam> views;
    ASSERT_TRUE(admin.GetReportViewParamSet(views));
    std::vector<std::string> names;
    for (const CReportViewParam& view : views)
        names.push_back(view.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Case Listing", "Open Cases by Parent", "Due Date Aging", "Case Detail"}));

    // The whole inventory: every demo case once, under its parent.
    const auto listing = admin.Printout("Case Listing");
    ASSERT_NE(listing, nullptr);
    EXPECT_EQ(Header(*listing).title, "Case Listing by Parent");
    const auto byParent = ListedCases(*listing);
    std::set<std::string> all;
    for (const auto& [parent, numbers] : byParent)
        all.insert(numbers.begin(), numbers.end());
    EXPECT_EQ(all.size(), 300u);
    EXPECT_NE(Header(*listing).text.find(", 300 cases"), std::string::npos) << Header(*listing).text;
    const std::string atlas = byParent.at("Atlas Mutual Insurance").front();
    const std::string beacon = byParent.at("Beacon Premium Audit Co.").back();

    // Given cases, in the order given; unknown and repeated numbers are passed over.
    const auto detail = admin.Printout("Case Detail", {beacon, "1999-000001", atlas, beacon});
    ASSERT_NE(detail, nullptr);
    std::vector<std::string> headings;
    for (const auto& section : detail->sections)
        if (const auto text = std::dynamic_pointer_cast<CRptMultiTextSection>(section);
            text && text->title.starts_with("Case "))
            headings.push_back(text->title.substr(5, atlas.size()));
    EXPECT_EQ(headings, (std::vector<std::string>{beacon, atlas}));

    // An account tied to a parent reaches that parent's cases alone.
    OfficeClient carrier;
    ASSERT_TRUE(carrier.LogIn(Port(), "carrier"));
    const auto own = carrier.Printout("Case Listing");
    ASSERT_NE(own, nullptr);
    const auto ownByParent = ListedCases(*own);
    ASSERT_EQ(ownByParent.size(), 1u);
    EXPECT_EQ(ownByParent.begin()->second, byParent.at("Atlas Mutual Insurance"));
    const auto other = carrier.Printout("Case Listing", {beacon});
    ASSERT_NE(other, nullptr);
    EXPECT_TRUE(ListedCases(*other).empty());

    // Unknown views and output kinds are refused in step.
    CBinaryObject block;
    EXPECT_FALSE(admin.GenerateCaseReportView("No Such View", {}, kPrintout, block));
    EXPECT_FALSE(admin.GenerateCaseReportView("Case Listing", {}, static_cast<CInventoryServer::ReportOutput>(4), block));
    EXPECT_TRUE(admin.InStep());
}

TEST_F(ReportServer, DocumentsHaveThePrintoutsPages)
{
    const auto listing = admin.Printout("Case Listing");
    ASSERT_NE(listing, nullptr);
    const auto byParent = ListedCases(*listing);
    const CInventoryServer::CaseIds cases = {byParent.at("Cedar Ridge Casualty")[0],
                                             byParent.at("Cedar Ridge Casualty")[1],
                                             byParent.at("Atlas Mutual Insurance")[0]};
    // Landscape pages for the detail, portrait ones for the listing.
    for (const char* view : {"Case Detail", "Case Listing"}) {
        SCOPED_TRACE(view);
        const auto printout = admin.Printout(view, cases);
        ASSERT_NE(printout, nullptr);
        const int pages = LaidOutPages(*printout);
        ASSERT_GE(pages, 1);

        const std::string pdf = admin.Document(view, kPdf, cases);
        EXPECT_EQ(pdf.rfind("%PDF-", 0), 0u);
        EXPECT_EQ(PdfPageCount(pdf), pages);

        const auto tiffPages = TiffPages(admin.Document(view, kTiff, cases));
        ASSERT_EQ(tiffPages.size(), static_cast<size_t>(pages));
        const bool landscape = printout->PageOrientation(1) == CReportPrintout::kLandscape;
        EXPECT_EQ(tiffPages[0].first > tiffPages[0].second, landscape) << "width and height of page 1";

        EXPECT_EQ(XpsPageCount(admin.Document(view, kXps, cases)), static_cast<size_t>(pages));
    }
}

TEST_F(ReportServer, AuditAndSurveyAttachmentsAreRenderedFromTheirDocuments)
{
    const auto listing = admin.Printout("Case Listing");
    ASSERT_NE(listing, nullptr);
    std::string auditCase;
    std::string surveyCase;
    CAttachment audit;
    CAttachment survey;
    ASSERT_TRUE(FindAttachment(*listing, "AUDIT", auditCase, audit));
    ASSERT_TRUE(FindAttachment(*listing, "SURVEY", surveyCase, survey));

    CReportPrintout printout;
    ASSERT_TRUE(admin.GetCaseAuditAttach(auditCase, audit.attachmentId, printout));
    EXPECT_TRUE(Header(printout).title.starts_with("Premium Audit ")) << Header(printout).title;
    std::vector<std::string> titles;
    for (const CStaticGrid* grid : Grids(printout))
        titles.push_back(grid->title);
    EXPECT_NE(std::find(titles.begin(), titles.end(), "Payroll by classification"), titles.end());
    CReportPrintout surveyPrintout;
    ASSERT_TRUE(admin.GetCaseSurveyAttach(surveyCase, survey.attachmentId, surveyPrintout));
    EXPECT_EQ(Header(surveyPrintout).title, "Loss-Control Survey");
    const int surveyPages = LaidOutPages(surveyPrintout);

    CBinaryObject document;
    ASSERT_TRUE(admin.GetCaseSurveyAttachPdf(surveyCase, survey.attachmentId, document));
    EXPECT_EQ(document.GetBytes().rfind("%PDF-", 0), 0u);
    EXPECT_EQ(PdfPageCount(document.GetBytes()), surveyPages);
    ASSERT_TRUE(admin.GetCaseAuditAttachDoc(auditCase, audit.attachmentId, kTiff, document));
    EXPECT_FALSE(TiffPages(document.GetBytes()).empty());
    ASSERT_TRUE(admin.GetCaseSurveyAttachDoc(surveyCase, survey.attachmentId, kXps, document));
    EXPECT_EQ(XpsPageCount(document.GetBytes()), static_cast<size_t>(surveyPages));

    // The command names the kind of attachment; the document code names TIFF or XPS.
    CReportPrintout wrong;
    EXPECT_FALSE(admin.GetCaseSurveyAttach(auditCase, audit.attachmentId, wrong));
    EXPECT_FALSE(admin.GetCaseAuditAttachPdf(surveyCase, survey.attachmentId, document));
    EXPECT_FALSE(admin.GetCaseAuditAttachDoc(auditCase, audit.attachmentId, kPdf, document));
    EXPECT_TRUE(admin.InStep());

    // Without a right to look at attachments, and for another parent's case, nothing.
    OfficeClient scheduler;
    ASSERT_TRUE(scheduler.LogIn(Port(), "scheduler"));
    EXPECT_FALSE(scheduler.GetCaseAuditAttachPdf(auditCase, audit.attachmentId, document));
    EXPECT_TRUE(scheduler.InStep());
    OfficeClient carrier;
    ASSERT_TRUE(carrier.LogIn(Port(), "carrier"));
    const auto own = ListedCases(*carrier.Printout("Case Listing"));
    const bool atlasCase = own.begin()->second.end() !=
                           std::find(own.begin()->second.begin(), own.begin()->second.end(), auditCase);
    EXPECT_EQ(carrier.GetCaseAuditAttachPdf(auditCase, audit.attachmentId, document), atlasCase);
}

TEST_F(ReportServer, SettingsLastForTheSessionOrAreStoredWithTheView)
{
    // The session's settings: the dialog comes with the view's values, and what is set
    // holds for this session's runs alone.
    CUIDialog dialog;
    ASSERT_TRUE(admin.GetReportView("Case Listing", dialog));
    EXPECT_EQ(dialog.title, "Case Listing Settings");
    auto& title = ControlOf<CUIEditControl>(dialog, 101);
    EXPECT_EQ(title.text, "Case Listing by Parent");
    auto& closed = ControlOf<CUIButtonControl>(dialog, 104);
    EXPECT_EQ(closed.checkState, 1);
    title.text = "Board Listing";
    closed.checkState = 0;
    ASSERT_TRUE(admin.SetReportView("Case Listing", dialog));
    CUIDialog again;
    ASSERT_TRUE(admin.GetReportView("Case Listing", again));
    EXPECT_EQ(ControlOf<CUIEditControl>(again, 101).text, "Board Listing");
    const auto board = admin.Printout("Case Listing");
    ASSERT_NE(board, nullptr);
    EXPECT_EQ(Header(*board).title, "Board Listing");
    EXPECT_NE(Header(*board).text.find("(open cases only)"), std::string::npos);

    admin.LogOut();
    ASSERT_TRUE(demo.server.WaitForLog("user 'admin' logged out"));
    ASSERT_TRUE(admin.LogIn(Port(), "admin"));
    ASSERT_TRUE(admin.GetReportView("Case Listing", again));
    EXPECT_EQ(ControlOf<CUIEditControl>(again, 101).text, "Case Listing by Parent") << "the session ended";

    // Values that do not do are refused and change nothing.
    auto& from = ControlOf<CUIDateEditControl>(again, 102);
    auto& to = ControlOf<CUIDateEditControl>(again, 103);
    from.date = Day(46000);
    to.date = Day(45900);
    EXPECT_FALSE(admin.SetReportView("Case Listing", again));
    CUIDialog aging;
    ASSERT_TRUE(admin.GetReportView("Due Date Aging", aging));
    ControlOf<CUIComboBoxControl>(aging, 106).text = "Policy expiration date";
    EXPECT_FALSE(admin.SetReportView("Due Date Aging", aging));
    EXPECT_FALSE(admin.SetReportView("No Such View", aging));
    EXPECT_FALSE(admin.GetReportView("No Such View", aging));

    // Stored settings: an administrator edits the settings of another account's view
    // and stores its list; that account's runs use them from then on.
    CInventoryServer::Objects<CReportPropItem> list;
    ASSERT_TRUE(admin.GetReportViewPropSet("auditor", list));
    ASSERT_EQ(list.size(), 4u);
    CReportPropItem& item = *list[0];
    ASSERT_EQ(item.reportFile, "CaseListing.rpt");
    CUIDialog settings;
    ASSERT_TRUE(admin.AdminGetReportView(item, settings));
    ControlOf<CUIDateEditControl>(settings, 102).date = Day(46000);  // 9 December 2025
    ControlOf<CUIDateEditControl>(settings, 103).date = Day(46387);  // 31 December 2026
    const std::string before = item.settings;
    ASSERT_TRUE(admin.AdminSetReportView(settings, item));
    EXPECT_NE(item.settings, before);
    ASSERT_TRUE(admin.SetReportViewPropSet("auditor", list));

    OfficeClient auditor;
    ASSERT_TRUE(auditor.LogIn(Port(), "auditor"));
    CUIDialog stored;
    ASSERT_TRUE(auditor.GetReportView("Case Listing", stored));
    EXPECT_EQ(ControlOf<CUIDateEditControl>(stored, 102).date, Day(46000));
    const auto dated = auditor.Printout("Case Listing");
    ASSERT_NE(dated, nullptr);
    EXPECT_NE(Header(*dated).text.find(", created 12/09/2025 - 12/31/2026"), std::string::npos)
        << Header(*dated).text;

    // Editing the settings of views is for those who manage accounts.
    EXPECT_FALSE(auditor.AdminGetReportView(item, stored));
    EXPECT_FALSE(auditor.AdminSetReportView(settings, item));
    EXPECT_TRUE(auditor.InStep());
    CReportPropItem unknown;
    unknown.reportFile = "Payroll.rpt";
    EXPECT_FALSE(admin.AdminGetReportView(unknown, stored));
    EXPECT_TRUE(admin.InStep());
}

TEST_F(ReportServer, UsersMayMakeDocumentsAtTheSameTime)
{
    OfficeClient auditor;
    ASSERT_TRUE(auditor.LogIn(Port(), "auditor"));
    std::string adminPdf;
    std::string auditorTiff;
    std::thread other([&] { auditorTiff = auditor.Document("Due Date Aging", kTiff); });
    adminPdf = admin.Document("Case Listing", kPdf);
    other.join();
    EXPECT_EQ(adminPdf.rfind("%PDF-", 0), 0u);
    EXPECT_FALSE(TiffPages(auditorTiff).empty());
}

TEST(ReportServerLimits, AReportLargerThanTheLimitIsRefusedInStep)
{
    DemoServer demo({"--demo", "--max-report", "200000"});
    ASSERT_TRUE(demo.server.Start()) << demo.server.Log();
    OfficeClient admin;
    ASSERT_TRUE(admin.LogIn(demo.server.Port(), "admin"));
    EXPECT_EQ(admin.Document("Due Date Aging", kTiff), "");
    EXPECT_TRUE(demo.server.WaitForLog("larger than --max-report (200000)"));
    EXPECT_TRUE(admin.InStep());
    EXPECT_NE(admin.Document("Due Date Aging", kPdf), "");
}

// Not a check: exports every demo report view, and an audit and a survey, as PDF files
// for a person to look at.
TEST_F(ReportServer, ExportsTheDemoReportsWhenAsked)
{
    const char* folder = std::getenv("ORV_REPORT_DOC_DIR");
    if (!folder)
        GTEST_SKIP() << "set ORV_REPORT_DOC_DIR to export the demo reports";
    std::vector<CReportViewParam> views;
    ASSERT_TRUE(admin.GetReportViewParamSet(views));
    for (const CReportViewParam& view : views)
        std::ofstream(std::string(folder) + "/" + view.name + ".pdf", std::ios::binary)
            << admin.Document(view.name, kPdf);
    const auto listing = admin.Printout("Case Listing");
    ASSERT_NE(listing, nullptr);
    for (const char* kind : {"AUDIT", "SURVEY"}) {
        std::string number;
        CAttachment attachment;
        CBinaryObject pdf;
        ASSERT_TRUE(FindAttachment(*listing, kind, number, attachment));
        ASSERT_TRUE(std::string(kind) == "AUDIT" ? admin.GetCaseAuditAttachPdf(number, attachment.attachmentId, pdf)
                                                 : admin.GetCaseSurveyAttachPdf(number, attachment.attachmentId, pdf));
        std::ofstream(std::string(folder) + "/" + kind + " " + number + ".pdf", std::ios::binary) << pdf.GetBytes();
    }
}
