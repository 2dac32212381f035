// The companion link against an in-test companion: what is sent when, notifications,
// the creation data and malformed frames.
#include "audit_template.h"
#include "casedlg/audit_creation_data.h"
#include "fake_companion.h"
#include "platform/audit_link.h"
#include "platform/unique_file.h"
#include "query/civil_date.h"
#include "records/audit_case.h"
#include "support/scripted_prompts.h"
#include "support/temp_dir.h"
#include "support/widget_application.h"

#include <QDeadlineTimer>
#include <QFile>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Runs the event loop until the condition holds; the deadline only guards a hang.
bool Eventually(const std::function<bool()>& condition)
{
    QDeadlineTimer deadline(20000);
    while (!condition() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return condition();
}

int Count(const std::vector<DdeFrame>& frames, DdeFrame::Type type)
{
    return static_cast<int>(std::count_if(frames.begin(), frames.end(), [&](const DdeFrame& f) { return f.type == type; }));
}

std::string Saved(uint32_t id, const std::string& path)
{
    std::string data;
    DdeBytes::PutInt(data, 0);
    DdeBytes::PutInt(data, id);
    DdeBytes::PutText(data, "ignored");
    DdeBytes::PutText(data, path);
    return data;
}

std::string Closed(uint32_t id)
{
    std::string data;
    DdeBytes::PutInt(data, 1);
    DdeBytes::PutInt(data, id);
    return data;
}

class AuditLinkTest : public ::testing::Test {
protected:
    AuditLinkTest() : companion(Socket()), link(prompts, Options())
    {
        link.auditSaved = [this](const std::string& caseNumber, int32_t id, const std::string& bytes) {
            saved.push_back(caseNumber + "#" + std::to_string(id) + "=" + bytes);
        };
    }
    QString Socket() const { return QString::fromStdString(dir.File("link")); }
    AuditLinkOptions Options() const
    {
        AuditLinkOptions options;
        options.socketName = Socket();
        options.program = QString::fromStdString(dir.File("no-such-program"));
        options.connectTries = 2;
        return options;
    }
    QString AuditFile(const std::string& bytes)
    {
        return *UniqueFile::Create(QString::fromStdString(dir.Path()), "audit.tmp", bytes);
    }

    QApplication& application = WidgetApplication();  // before the companion's thread
    CTempDir dir;
    FakeCompanion companion;
    ScriptedPrompts prompts;
    CAuditLink link;
    std::vector<std::string> saved;
};

}  // namespace

TEST_F(AuditLinkTest, EditsShareOneConversationUntilTheLastAuditCloses)
{
    link.EditAudit("C-1", 5, "Annual", AuditFile("a"));
    link.EditAudit("C-1", 5, "Annual", AuditFile("a"));  // already open: nothing sent
    std::vector<DdeFrame> frames = companion.Frames();
    ASSERT_EQ(Count(frames, DdeFrame::poke), 1);
    EXPECT_EQ(frames[0].service, "Orvenna");
    EXPECT_EQ(frames[0].topic, "Edit");
    EXPECT_EQ(frames[1].type, DdeFrame::adviseStart);
    EXPECT_EQ(frames[2].item, "Audit");
    // The edit request: identifier, name and path, texts with their terminating zero.
    DdeBytes::Reader request(frames[2].data);
    uint32_t id = 0;
    std::string name, path;
    ASSERT_TRUE(request.Int(id) && request.Text(name) && request.Text(path) && request.AtEnd());
    EXPECT_EQ(id, 5u);
    EXPECT_EQ(name, "Annual");
    EXPECT_EQ(frames[2].data.substr(8, 7), std::string("Annual\0", 7));
    EXPECT_FALSE(link.CanClose());
    EXPECT_EQ(prompts.MessageTexts().back(), "All documents open in Korrimat must first be closed");

    // A save for an audit not open is ignored; one for the open audit is handed on and
    // its file deleted.
    const QString stray = AuditFile("stray");
    companion.SendNotification(Saved(99, stray.toStdString()));
    const QString edited = AuditFile("edited");
    companion.SendNotification(Saved(5, edited.toStdString()));
    ASSERT_TRUE(Eventually([&] { return !saved.empty(); }));
    EXPECT_EQ(saved, std::vector<std::string>{"C-1#5=edited"});
    EXPECT_TRUE(QFile::exists(stray));
    EXPECT_FALSE(QFile::exists(edited));

    // Closing the last audit ends the conversation; the next edit connects anew.
    companion.SendNotification(Closed(5));
    ASSERT_TRUE(Eventually([&] { return !link.Connected() && companion.OpenConnections() == 0; }));
    EXPECT_TRUE(link.CanClose());
    EXPECT_EQ(Count(companion.Frames(), DdeFrame::adviseStop), 1);
    link.EditAudit("C-1", 5, "Annual", AuditFile("a"));
    EXPECT_EQ(companion.Connections(), 2);
    EXPECT_EQ(Count(companion.Frames(), DdeFrame::poke), 2);
}

TEST_F(AuditLinkTest, CreationSendsTheCaseTextsAndReturnsTheAuditBytes)
{
    CAuditCase c;
    c.serialNumber = "S-9";
    c.policyNumber = "WC-1";
    c.policyStartDate = MakeDate({2024, 1, 2});
    c.insuredName = "Northwind";
    c.auditSource = 2;
    c.auditType = 5;
    c.nonProductive = true;
    const std::optional<std::string> audit = link.CreateAudit(AuditCreationData::Encode(c));
    ASSERT_TRUE(audit);
    EXPECT_EQ(*audit, FakeCompanion::kNewAudit);
    EXPECT_FALSE(link.Connected());  // the request opened the conversation and closed it

    const std::vector<DdeFrame> frames = companion.Frames();
    ASSERT_EQ(Count(frames, DdeFrame::execute), 1);
    const auto execute = std::find_if(frames.begin(), frames.end(), [](const DdeFrame& f) { return f.type == DdeFrame::execute; });
    ASSERT_EQ(execute->data.back(), '\0');
    const std::string path = execute->data.substr(0, execute->data.size() - 1);
    EXPECT_TRUE(path.ends_with("/0.tmp") || path.find("/0(") != std::string::npos) << path;
    const auto texts = AuditTemplate::DecodeCreationData(UniqueFile::ReadAll(QString::fromStdString(path)).value_or(""));
    ASSERT_TRUE(texts);
    // Dates the case leaves at the zero day print as that day.
    const std::vector<std::string> expected = {
        "S-9", "", "", "WC-1", "01/02/2024", "12/30/1899", "Northwind", "", "", "", "", "", "", "",
        "",    "", "", "",     "",           "",           "",          "", "12/30/1899", "12/30/1899", "2", "5", "1"};
    EXPECT_EQ(*texts, expected);
    QFile::remove(QString::fromStdString(path));
}

TEST_F(AuditLinkTest, MalformedFramesEndTheConversationAndTheLinkStaysUsable)
{
    const std::string malformed[] = {
        std::string("\x05\0\0\0\x08\xFF\0\0\0", 9),          // an item length beyond the body
        std::string("\xFF\xFF\xFF\x7F", 4),                   // a body beyond every bound
        std::string("\x01\0\0\0\x63", 5),                     // an unknown frame type
    };
    for (const std::string& bytes : malformed) {
        prompts.messages.clear();
        link.EditAudit("C-2", 7, "Survey", AuditFile("s"));
        ASSERT_TRUE(link.Connected());
        companion.SendRaw(bytes);
        ASSERT_TRUE(Eventually([&] { return !prompts.messages.empty(); }));
        EXPECT_EQ(prompts.MessageTexts(), std::vector<QString>{"DDE Processing Error"});
        EXPECT_FALSE(link.Connected());
        EXPECT_TRUE(link.CanClose());
    }
    // A save notification cut short is malformed as well.
    link.EditAudit("C-2", 7, "Survey", AuditFile("s"));
    prompts.messages.clear();
    companion.SendNotification(Saved(7, "x").substr(0, 14));
    ASSERT_TRUE(Eventually([&] { return !prompts.messages.empty(); }));
    EXPECT_EQ(prompts.MessageTexts(), std::vector<QString>{"DDE Processing Error"});
    EXPECT_TRUE(saved.empty());
}

TEST(AuditLink, ACompanionThatCannotStartEndsOnlyTheRequest)
{
    WidgetApplication();
    CTempDir dir;
    ScriptedPrompts prompts;
    AuditLinkOptions options;
    options.socketName = QString::fromStdString(dir.File("nobody"));
    options.program = QString::fromStdString(dir.File("missing"));
    CAuditLink link(prompts, options);
    link.EditAudit("C-3", 1, "A", "/nonexistent");
    EXPECT_FALSE(link.CreateAudit("x"));
    EXPECT_EQ(prompts.MessageTexts(),
              (std::vector<QString>{"Attempt to load Korrimat failed", "Attempt to load Korrimat failed"}));
    EXPECT_TRUE(link.CanClose());
}
