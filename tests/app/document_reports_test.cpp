// The document's reports: report files opened and saved through the choosers, with the
// failures in their own words and the shown report kept; report views shown and
// exported from the tree against a scripted server, the exported bytes written as the
// server sent them, and against the reference server.
#include "app/document_fixture.h"
#include "app/peer_log_in.h"
#include "app/report_samples.h"
#include "codec/binary_object.h"
#include "codec/string_object.h"
#include "query/inventory_tree_layout.h"
#include "records/record_list.h"
#include "support/server_process.h"
#include "support/widget_application.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace peer_log_in;

namespace {

// The document goes before the peer, so that the peer's last read sees it close.
struct PeerDoc {
    CFakePeer peer;
    DocFixture f;

    PeerDoc()
    {
        ScriptLogIn(peer, RecordList(std::vector<CCaseViewParam>{}), RecordList(std::vector<CReportViewParam>{}),
                    Record(CInventoryInfo{}));
    }

    // GENERATECASEREPORTVIEW: name, case identifiers, output kind, then the reply.
    void ReplyToReport(const std::string& reply)
    {
        peer.ReadLine().ReadEnvelope().ReadEnvelope().ReadLine().Write(reply);
    }

    bool LogIn()
    {
        peer.ReadToEnd();
        peer.Start();
        return f.LogInAs("joe", "secret", peer.Port());
    }

    std::string Sent()
    {
        f.doc.Server().Close();
        EXPECT_TRUE(peer.WaitDone());
        return peer.Received();
    }
};

// The output kinds of every GENERATECASEREPORTVIEW sent: the integer line after the
// name's and the identifiers' envelopes.
std::vector<int> SentOutputKinds(const std::string& sent)
{
    const std::string command = "GENERATECASEREPORTVIEW\r\n";
    std::vector<int> kinds;
    for (size_t at = sent.find(command); at != std::string::npos; at = sent.find(command, at + 1)) {
        size_t next = at + command.size();
        for (int envelope = 0; envelope < 2; ++envelope) {
            const size_t lineEnd = sent.find("\r\n", next);
            next = lineEnd + 2 + std::stoul(sent.substr(next, lineEnd - next));
        }
        kinds.push_back(std::stoi(sent.substr(next, sent.find("\r\n", next) - next)));
    }
    return kinds;
}

// The bytes of a literal, embedded zeros included.
template <size_t N>
std::string Bytes(const char (&literal)[N])
{
    return std::string(literal, N - 1);
}

std::string FileBytes(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll().toStdString();
}

TreeNodeRef ReportNode(const std::string& name)
{
    return {kNodeReportView, name, kNodeReportsRoot, "Reports"};
}

}  // namespace

TEST(DocumentReportFiles, OpenAndSaveAskWithTheirTitlesAndRoundTripTheReport)
{
    WidgetApplication();
    DocFixture f;
    ASSERT_NE(f.doc.Report(), nullptr);
    EXPECT_TRUE(f.doc.Report()->sections.empty());

    CReportPrintout sample = SampleReport();
    const QString opened = SavedReport(f.dir.path(), "aging.tdf", sample);

    // A cancelled chooser does nothing.
    f.prompts.fileAnswers = {std::nullopt};
    EXPECT_FALSE(f.doc.OpenReportFile());
    EXPECT_EQ(f.observer.reportsShown, 0);

    f.prompts.fileAnswers = {opened};
    ASSERT_TRUE(f.doc.OpenReportFile());
    const FileChoice& open = f.prompts.fileChoices.at(1);
    EXPECT_EQ(open.title, QStringLiteral("Open TW Form File"));
    EXPECT_EQ(open.filter, QStringLiteral("TW Form Files (*.tdf)|*.tdf||"));
    EXPECT_EQ(open.defaultExtension, QStringLiteral("tdf"));
    ASSERT_EQ(f.observer.reportsShown, 1);
    EXPECT_EQ(f.observer.lastReport, f.doc.Report());
    EXPECT_EQ(StoreReportBlock(*f.doc.Report()), StoreReportBlock(sample));

    // Saved and opened again from the command line's path: the same report, the same pages.
    const QString saved = f.dir.filePath(QStringLiteral("copy.tdf"));
    f.prompts.fileAnswers = {saved};
    ASSERT_TRUE(f.doc.SaveReportFile());
    const FileChoice& save = f.prompts.fileChoices.at(2);
    EXPECT_EQ(save.title, QStringLiteral("Save TW Form File"));
    EXPECT_EQ(save.filter, QStringLiteral("TW Form Files (*.tdf)|*.tdf||"));
    EXPECT_EQ(save.defaultExtension, QStringLiteral("tdf"));
    EXPECT_TRUE(save.overwritePrompt);
    ASSERT_TRUE(f.doc.OpenReportFile(saved));
    EXPECT_EQ(f.prompts.fileChoices.size(), 3u);
    EXPECT_EQ(StoreReportBlock(*f.doc.Report()), StoreReportBlock(sample));
    EXPECT_EQ(PageOrientationsOf(*f.doc.Report()), PageOrientationsOf(sample));

    EXPECT_TRUE(f.prompts.messages.empty());
    EXPECT_EQ(f.prompts.waitDepth, 0);
}

TEST(DocumentReportFiles, FailuresShowTheirOwnTextAndKeepTheShownReport)
{
    WidgetApplication();
    DocFixture f;
    ASSERT_TRUE(f.doc.OpenReportFile(SavedReport(f.dir.path(), "one.tdf", OnePageReport())));
    const std::shared_ptr<CReportPrintout> shown = f.doc.Report();

    // Not a compressed stream, and a report file cut short.
    const QString garbage = f.dir.filePath(QStringLiteral("garbage.tdf"));
    {
        QFile file(garbage);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("This is not a report file at all, only some text.");
    }
    const std::string whole = FileBytes(SavedReport(f.dir.path(), "whole.tdf", SampleReport()));
    const QString cut = f.dir.filePath(QStringLiteral("cut.tdf"));
    {
        QFile file(cut);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(whole.data(), static_cast<qint64>(whole.size() / 2));
    }

    EXPECT_FALSE(f.doc.OpenReportFile(f.dir.filePath(QStringLiteral("missing.tdf"))));
    EXPECT_FALSE(f.doc.OpenReportFile(garbage));
    EXPECT_FALSE(f.doc.OpenReportFile(cut));
    const std::vector<QString> messages = f.prompts.MessageTexts();
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0], QStringLiteral("Error opening file"));
    EXPECT_EQ(messages[1].toStdString(), OpenReportFile(garbage.toStdString()).message);
    EXPECT_EQ(messages[2].toStdString(), OpenReportFile(cut.toStdString()).message);
    for (const QString& message : messages)
        EXPECT_FALSE(message.isEmpty());
    EXPECT_EQ(f.doc.Report(), shown);
    EXPECT_EQ(f.observer.reportsShown, 1);

    // A file that cannot be created.
    f.prompts.fileAnswers = {f.dir.filePath(QStringLiteral("no-such-folder/report.tdf"))};
    EXPECT_FALSE(f.doc.SaveReportFile());
    EXPECT_EQ(f.prompts.MessageTexts().back(), QStringLiteral("Error creating file"));
    EXPECT_EQ(f.prompts.waitDepth, 0);
}

TEST(DocumentReportViews, ShowingAReportViewPutsTheServersPrintoutInTheReportPane)
{
    WidgetApplication();
    PeerDoc p;
    CReportPrintout sample = SampleReport();
    p.ReplyToReport(Record(CBinaryObject(StoreReportBlock(sample))));
    p.ReplyToReport(RefusedRecord());
    // A block that holds no printout.
    p.ReplyToReport(Record(CBinaryObject(Bytes("\x05\x00\x00\x00garbage"))));
    ASSERT_TRUE(p.LogIn());
    ASSERT_TRUE(p.f.doc.HasTreeCommand(cmdShowReportView));

    EXPECT_TRUE(p.f.doc.RunTreeCommand(cmdShowReportView, ReportNode("Due Date Aging")).succeeded);
    ASSERT_EQ(p.f.observer.reportsShown, 1);
    EXPECT_EQ(p.f.observer.lastReport, p.f.doc.Report());
    EXPECT_EQ(StoreReportBlock(*p.f.doc.Report()), StoreReportBlock(sample));
    EXPECT_TRUE(p.f.prompts.messages.empty());

    // A refusal, and a block that is not a printout, leave the shown report.
    const std::shared_ptr<CReportPrintout> shown = p.f.doc.Report();
    EXPECT_FALSE(p.f.doc.RunTreeCommand(cmdShowReportView, ReportNode("Due Date Aging")).succeeded);
    EXPECT_FALSE(p.f.doc.RunTreeCommand(cmdShowReportView, ReportNode("Due Date Aging")).succeeded);
    EXPECT_EQ(p.f.prompts.MessageTexts(),
              (std::vector<QString>(2, QStringLiteral("Error receiving report data from server"))));
    EXPECT_EQ(p.f.doc.Report(), shown);
    EXPECT_EQ(p.f.observer.reportsShown, 1);
    EXPECT_EQ(p.f.prompts.waitDepth, 0);

    const std::string sent = p.Sent();
    CStringObject name;
    ASSERT_TRUE(DecodeArgument(sent, "GENERATECASEREPORTVIEW", 0, 0, name));
    EXPECT_EQ(name.GetText(), "Due Date Aging");
    CStringList cases;
    ASSERT_TRUE(DecodeArgument(sent, "GENERATECASEREPORTVIEW", 0, 1, cases));
    EXPECT_TRUE(cases.items.empty());
    EXPECT_EQ(SentOutputKinds(sent), (std::vector<int>{0, 0, 0}));
}

TEST(DocumentReportViews, ExportsWriteTheServersBytesUnchangedUnderTheirFileTypes)
{
    WidgetApplication();
    PeerDoc p;
    const std::string pdf = Bytes("%PDF-1.4\r\n\0\xff\x1a binary\n");
    const std::string tiff = Bytes("II*\0\x08\0\0\0\r\n\x1a");
    const std::string xps = Bytes("PK\x03\x04\0\0\r\n");
    p.ReplyToReport(Record(CBinaryObject(pdf)));
    p.ReplyToReport(Record(CBinaryObject(tiff)));
    p.ReplyToReport(Record(CBinaryObject(xps)));
    p.ReplyToReport(Record(CBinaryObject(std::string())));
    p.ReplyToReport(Record(CBinaryObject(pdf)));
    ASSERT_TRUE(p.LogIn());
    const QString pdfPath = p.f.dir.filePath(QStringLiteral("aging.pdf"));
    const QString tiffPath = p.f.dir.filePath(QStringLiteral("aging.tif"));
    const QString xpsPath = p.f.dir.filePath(QStringLiteral("aging.xps"));

    p.f.prompts.fileAnswers = {pdfPath, tiffPath, xpsPath};
    EXPECT_TRUE(p.f.doc.RunTreeCommand(cmdExportReportPdf, ReportNode("Due Date Aging")).succeeded);
    EXPECT_TRUE(p.f.doc.RunTreeCommand(cmdExportReportTiff, ReportNode("Due Date Aging")).succeeded);
    EXPECT_TRUE(p.f.doc.RunTreeCommand(cmdExportReportXps, ReportNode("Due Date Aging")).succeeded);
    EXPECT_EQ(FileBytes(pdfPath), pdf);
    EXPECT_EQ(FileBytes(tiffPath), tiff);
    EXPECT_EQ(FileBytes(xpsPath), xps);
    ASSERT_EQ(p.f.prompts.fileChoices.size(), 3u);
    const struct {
        const char* extension;
        const char* filter;
    } types[] = {{"pdf", "PDF Files (*.pdf)|*.pdf||"},
                 {"tif", "TIFF Files (*.tif)|*.tif||"},
                 {"xps", "XPS Files (*.xps)|*.xps||"}};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(p.f.prompts.fileChoices[i].defaultExtension, QString::fromLatin1(types[i].extension));
        EXPECT_EQ(p.f.prompts.fileChoices[i].filter, QString::fromLatin1(types[i].filter));
        EXPECT_TRUE(p.f.prompts.fileChoices[i].overwritePrompt);
    }
    EXPECT_TRUE(p.f.prompts.messages.empty());

    // An empty report: the warning, and the existing file is still truncated.
    p.f.prompts.fileAnswers = {pdfPath};
    EXPECT_TRUE(p.f.doc.ExportReport("Due Date Aging", {"2024-000007"}, CInventoryServer::outputPdf));
    EXPECT_EQ(p.f.prompts.MessageTexts(), std::vector<QString>{QStringLiteral("Report is empty.  Nothing to save.")});
    EXPECT_TRUE(QFile::exists(pdfPath));
    EXPECT_EQ(FileBytes(pdfPath), "");

    // Cancelled: nothing is asked of the server.
    p.f.prompts.fileAnswers = {std::nullopt};
    EXPECT_FALSE(p.f.doc.ExportReport("Due Date Aging", {}, CInventoryServer::outputXps));

    // A file that cannot be written is not reported as saved.
    p.f.prompts.fileAnswers = {p.f.dir.filePath(QStringLiteral("no-such-folder/aging.pdf"))};
    EXPECT_FALSE(p.f.doc.ExportReport("Due Date Aging", {}, CInventoryServer::outputPdf));
    EXPECT_EQ(p.f.prompts.MessageTexts().back(), QStringLiteral("Error creating file"));
    EXPECT_EQ(p.f.prompts.waitDepth, 0);
    EXPECT_EQ(p.f.observer.reportsShown, 0);

    const std::string sent = p.Sent();
    EXPECT_EQ(SentOutputKinds(sent), (std::vector<int>{1, 2, 3, 1, 1}));
    CStringList cases;
    ASSERT_TRUE(DecodeArgument(sent, "GENERATECASEREPORTVIEW", 3, 1, cases));
    EXPECT_EQ(cases.items, std::vector<std::string>{"2024-000007"});
}

TEST(DocumentReportViews, TheReferenceServersReportsShowAndExport)
{
    WidgetApplication();
    CServerProcess server({"--demo"});
    ASSERT_TRUE(server.Start());
    DocFixture f;
    ASSERT_TRUE(f.LogInAs("admin", "admin", server.Port()));
    ASSERT_FALSE(f.doc.ReportViews().empty());
    const std::string name = f.doc.ReportViews().front().name;

    ASSERT_TRUE(f.doc.RunTreeCommand(cmdShowReportView, ReportNode(name)).succeeded);
    ASSERT_EQ(f.observer.reportsShown, 1);
    EXPECT_FALSE(f.doc.Report()->sections.empty());
    EXPECT_GE(PageOrientationsOf(*f.doc.Report()).size(), 1u);

    const QString pdf = f.dir.filePath(QStringLiteral("listing.pdf"));
    const QString tiff = f.dir.filePath(QStringLiteral("listing.tif"));
    f.prompts.fileAnswers = {pdf, tiff};
    ASSERT_TRUE(f.doc.RunTreeCommand(cmdExportReportPdf, ReportNode(name)).succeeded);
    ASSERT_TRUE(f.doc.RunTreeCommand(cmdExportReportTiff, ReportNode(name)).succeeded);
    EXPECT_EQ(FileBytes(pdf).substr(0, 5), "%PDF-");
    EXPECT_EQ(FileBytes(tiff).substr(0, 4), Bytes("II*\0"));
    EXPECT_TRUE(f.prompts.messages.empty()) << f.prompts.MessageTexts().front().toStdString();
}
