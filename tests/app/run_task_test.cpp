// The unattended tasks against a scripted server: every failure line, the redirect of
// the log-in, the saved report's name, the hand-on of printed cases and the success rule
// of imports. The log lines are compared whole, with the clock fixed.
#include "app/run_task.h"
#include "app/task_log.h"
#include "app/peer_log_in.h"
#include "app/report_samples.h"
#include "codec/binary_object.h"
#include "records/admin_parent_user.h"
#include "records/audit_case.h"
#include "records/case_query_request_info.h"
#include "support/temp_dir.h"

#include <QFileInfo>

#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <fstream>

using namespace peer_log_in;

namespace {

constexpr std::time_t kNow = 1204726029;  // 5 March 2008, 14:07:09 UTC

std::string Started(const std::string& task)
{
    return "\n" + CTaskLog::TimeStamp(kNow) + " Task Started: " + task + "\n" + "  -Logging in\n";
}
std::string Ended(bool succeeded)
{
    return CTaskLog::TimeStamp(kNow) + (succeeded ? " Task Ended Successfully\n" : " Task Ended with Errors\n");
}

// A loopback port that nothing listens on.
int ClosedPort()
{
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(s);
    return ntohs(address.sin_port);
}

CTaskParams Params(const std::string& task, int port)
{
    CTaskParams params;
    params.user = "printer";
    params.password = "secret";
    params.host = "127.0.0.1";
    params.task = task;
    params.port = port;
    return params;
}

void ScriptSession(CFakePeer& peer, int createResult = 0, int openResult = 0)
{
    peer.ReadLine().ReadLine().ReadLine().Write(Int(createResult));
    if (createResult == 0)
        peer.ReadLine().ReadEnvelope().ReadEnvelope().Write(Int(openResult));
}

CInventoryInfo Rights(int32_t rights)
{
    CInventoryInfo info;
    info.rights = rights;
    return info;
}

// Runs the task against the peer (already scripted; the rest of what the client sends
// is read to its end) and returns the log's text.
struct TaskRun {
    explicit TaskRun(CFakePeer& peer) : peer(peer) {}

    std::string Run(TaskKind kind, const CTaskParams& params)
    {
        peer.ReadToEnd();
        peer.Start();
        CRecordingServer server;
        server.waitCap = 5;
        CTaskLog log(dir.File("task.LOG"));
        CTaskServices services;
        services.now = [] { return kNow; };
        services.saveFolder = saveFolder.empty() ? dir.Path() : saveFolder;
        services.printReport = [this](CReportPrintout&, int copies, const std::string& name) {
            printed.push_back(name + " x" + std::to_string(copies));
            return printerWorks;
        };
        services.printAttachments = [this](const std::string& caseNumber, int copies, std::string& error) {
            printed.push_back(caseNumber + " x" + std::to_string(copies));
            error = "jammed";
            return caseNumber != jammedCase;
        };
        succeeded = CTaskRunner(server, log, services).Run(kind, params);
        server.Close();
        EXPECT_TRUE(peer.WaitDone());
        std::string text;
        for (const std::string& line : log.Lines())
            text += line;
        return text;
    }

    CFakePeer& peer;
    CTempDir dir;
    std::string saveFolder;
    bool printerWorks = true;
    std::string jammedCase;
    std::vector<std::string> printed;
    bool succeeded = false;
};

}  // namespace

TEST(RunTask, LogInRefusalsAreLoggedInTheirOwnWords)
{
    const struct {
        int create;
        int open;
        const char* line;
    } cases[] = {
        {-8, 0, "!*The server is not compatible with this client version\n"},
        {-5, 0, "!*Error creating session\n"},
        {0, -2, "!*Error opening session: UserID not found\n"},
        {0, -3, "!*Error opening session: Incorrect password\n"},
        {0, -4, "!*Error opening session: Account currently in use\n"},
        {0, -7, "!*Error opening session: Server error\n"},
    };
    for (const auto& c : cases) {
        CFakePeer peer;
        ScriptSession(peer, c.create, c.open);
        TaskRun run(peer);
        EXPECT_EQ(run.Run(taskPrintReport, Params("PrintRpt", peer.Port())),
                  Started("PrintRpt") + c.line + Ended(false));
        EXPECT_FALSE(run.succeeded);
    }

    CFakePeer unused;
    TaskRun run(unused);
    CTaskLog log(run.dir.File("x.LOG"));
    CInventoryServer server;
    EXPECT_FALSE(CTaskRunner(server, log, {}).Run(taskImportCases, Params("importcases", ClosedPort())));
    std::string text;
    for (const std::string& line : log.Lines())
        text += line;
    EXPECT_NE(text.find("  -Logging in\n!*Error connecting to server\n"), std::string::npos) << text;
}

TEST(RunTask, PrintReportPrintsSavesAndFollowsARedirect)
{
    CReportPrintout report = OnePageReport();
    const std::string block = Record(CBinaryObject(StoreReportBlock(report)));

    CFakePeer target;
    ScriptSession(target);
    target.ReadLine().ReadEnvelope().ReadEnvelope().ReadLine().Write(block);  // GENERATECASEREPORTVIEW
    target.ReadLine();                                                        // CLOSESESSION
    target.ReadToEnd();
    target.Start();

    CFakePeer front;
    front.ReadLine().ReadLine().ReadLine().Write(Int(-9) + Line("127.0.0.1") + Int(target.Port()));
    TaskRun run(front);
    CTaskParams params = Params("printrpt", front.Port());
    params.report = "Monthly";
    params.count = 2;
    params.saveFile = true;
    EXPECT_EQ(run.Run(taskPrintReport, params),
              Started("printrpt") + "  -Printing report: Monthly\n  -Saving report to file\n" + Ended(true));
    EXPECT_TRUE(run.succeeded);
    EXPECT_EQ(run.printed, std::vector<std::string>{"Monthly x2"});
    EXPECT_TRUE(target.WaitDone());
    const std::string saved = run.dir.File(CTaskRunner::SaveFileName("Monthly", kNow));
    EXPECT_TRUE(OpenReportFile(saved).Ok()) << saved;
    EXPECT_TRUE(target.Received().find("GENERATECASEREPORTVIEW\r\n") != std::string::npos);
}

TEST(RunTask, PrintReportFailures)
{
    CReportPrintout report = OnePageReport();
    const std::string block = Record(CBinaryObject(StoreReportBlock(report)));
    {  // refused: the task fails
        CFakePeer peer;
        ScriptSession(peer);
        peer.ReadLine().ReadEnvelope().ReadEnvelope().ReadLine().Write(RefusedRecord());
        TaskRun run(peer);
        CTaskParams params = Params("printrpt", peer.Port());
        params.report = "Monthly";
        params.count = 1;
        EXPECT_EQ(run.Run(taskPrintReport, params), Started("printrpt") + "  -Printing report: Monthly\n" +
                                                        "!*Error retrieving report from server\n" + Ended(false));
    }
    {  // a save that fails is logged and the task still succeeds; a print that fails fails it
        for (const bool printerWorks : {true, false}) {
            CFakePeer peer;
            ScriptSession(peer);
            peer.ReadLine().ReadEnvelope().ReadEnvelope().ReadLine().Write(block);
            TaskRun run(peer);
            run.saveFolder = run.dir.File("no/such/folder");
            run.printerWorks = printerWorks;
            CTaskParams params = Params("printrpt", peer.Port());
            params.report = "Monthly";
            params.count = 1;
            params.saveFile = true;
            EXPECT_EQ(run.Run(taskPrintReport, params),
                      Started("printrpt") + "  -Printing report: Monthly\n" +
                          (printerWorks ? "" : "!*Error printing report\n") +
                          "  -Saving report to file\n!*Error creating save file\n" + Ended(printerWorks));
        }
    }
}

TEST(RunTask, SaveFileNameIsTheReportAndTheLocalTime)
{
    std::tm local{};
    local.tm_year = 108;
    local.tm_mon = 2;
    local.tm_mday = 5;
    local.tm_hour = 14;
    local.tm_min = 7;
    local.tm_sec = 9;
    local.tm_isdst = -1;
    EXPECT_EQ(CTaskRunner::SaveFileName("Monthly", std::mktime(&local)), "Monthly-08-03-05-14-07-09.tdf");
    EXPECT_EQ(CTaskRunner::NodeKindOfGroup("sCHEDULERS"), 0x80000);
    EXPECT_EQ(CTaskRunner::NodeKindOfGroup("Auditors"), 0x2000);
    EXPECT_EQ(CTaskRunner::NodeKindOfGroup("Exporters"), 0x8000);
    EXPECT_EQ(CTaskRunner::NodeKindOfGroup("Importers"), 0x20000);
}

namespace {

CAuditCase CaseOf(const std::string& parent, int32_t group)
{
    CAuditCase c;
    c.parentName = parent;
    c.childName = "Demo Printer";
    c.childGroupCode = group;
    c.archive = true;
    return c;
}

CTaskParams PrintCasesParams(int port)
{
    CTaskParams params = Params("printcases", port);
    params.view = "To Print";
    params.group = "printers";
    params.viewArgument = "Demo Printer";
    params.count = 2;
    params.attachments = true;
    params.parentCopies = true;
    return params;
}

const std::vector<CCaseViewParam> kViews = {peer_log_in::View(3, "To Print", 0x2000),
                                            peer_log_in::View(5, "To Print", 0x20000)};

}  // namespace

TEST(RunTask, PrintCasesPrintsSkipsAndHandsOn)
{
    CFakePeer peer;
    ScriptSession(peer);
    peer.ReadLine().ReadLine().Write(Record(Rights(0x40 | 0x400000)));  // GETINVENTORYINFO
    peer.ReadLine().Write(RecordList(kViews));                           // GETCASEVIEWPARAMSET
    CCaseQueryResults table = peer_log_in::Table({"A", "B", "C"});
    table.rows.push_back(std::make_shared<CCaseQueryDataRow>());  // a row without columns
    peer.ReadLine().ReadEnvelope().Write(Record(table));           // GENERATECASEVIEW
    CAdminParentUser parent;
    parent.copies = 3;
    peer.ReadLine().ReadEnvelope().Write(Record(CaseOf("Atlas", 8)));         // GETCASE 1
    peer.ReadLine().ReadEnvelope().Write(Record(parent));                     // GETPARENTUSER
    peer.ReadLine().ReadEnvelope().ReadEnvelope().Write(Int(0));              // SETCASE 1
    peer.ReadLine().ReadEnvelope().Write(Record(CaseOf("Atlas", 5)));         // GETCASE 2: skipped
    peer.ReadLine().ReadEnvelope().Write(Record(CaseOf("", 8)));              // GETCASE 3
    peer.ReadLine().ReadEnvelope().ReadEnvelope().Write(Int(0));              // SETCASE 3
    TaskRun run(peer);
    EXPECT_EQ(run.Run(taskPrintCases, PrintCasesParams(peer.Port())),
              Started("printcases") + "  -Printing cases: Demo Printer\n" +
                  "!*User access rights do not allow printing this case's attachments: 2024-000002\n" + Ended(true));
    EXPECT_EQ(run.printed, (std::vector<std::string>{"2024-000001 x3", "2024-000003 x2"}));

    CCaseQueryRequestInfo request;
    ASSERT_TRUE(peer_log_in::DecodeArgument(peer.Received(), "GENERATECASEVIEW", 0, 0, request));
    EXPECT_EQ(request.viewId, 5);
    EXPECT_EQ(request.target, "Demo Printer");
    EXPECT_EQ(request.searchFormula, "");
    CAuditCase handedOn;
    ASSERT_TRUE(peer_log_in::DecodeArgument(peer.Received(), "SETCASE", 0, 1, handedOn));
    EXPECT_EQ(handedOn.childGroupCode, -2);
    EXPECT_EQ(handedOn.childName, "");
    EXPECT_TRUE(handedOn.completed);
    EXPECT_FALSE(handedOn.archive);
    EXPECT_TRUE(handedOn.manualAssignment);
    EXPECT_EQ(handedOn.parentName, "Atlas");
}

TEST(RunTask, PrintCasesFailures)
{
    const std::string head = Started("printcases") + "  -Printing cases: Demo Printer\n";
    const CCaseQueryResults one = peer_log_in::Table({"A"});
    CAdminParentUser parent;
    const struct {
        const char* what;
        std::function<void(CFakePeer&)> script;
        std::string jammed;
        const char* line;
        bool succeeded;
    } cases[] = {
        {"no account info", [](CFakePeer& p) { p.ReadLine().ReadLine().Write(RefusedRecord()); }, "",
         "!*Failed to load user account info from server\n", false},
        {"no views",
         [](CFakePeer& p) {
             p.ReadLine().ReadLine().Write(Record(Rights(0x40)));
             p.ReadLine().Write(RefusedRecord());
         },
         "", "!*Failed to load Case Views List from server\n", false},
        {"view in another group only",
         [](CFakePeer& p) {
             p.ReadLine().ReadLine().Write(Record(Rights(0x40)));
             p.ReadLine().Write(RecordList(std::vector<CCaseViewParam>{kViews[0], peer_log_in::View(-1, "To Print", 0x20000)}));
         },
         "", "!*Case View not found\n", false},
        {"query refused",
         [](CFakePeer& p) {
             p.ReadLine().ReadLine().Write(Record(Rights(0x40)));
             p.ReadLine().Write(RecordList(kViews));
             p.ReadLine().ReadEnvelope().Write(RefusedRecord());
         },
         "", "!*Failed to receive case query data from server\n", false},
        {"no cases",
         [](CFakePeer& p) {
             p.ReadLine().ReadLine().Write(Record(Rights(0x80)));
             p.ReadLine().Write(RecordList(kViews));
             p.ReadLine().ReadEnvelope().Write(Record(peer_log_in::Table({})));
         },
         "", "", true},
        {"no attachment rights: nothing printed",
         [&](CFakePeer& p) {
             p.ReadLine().ReadLine().Write(Record(Rights(0x10000)));
             p.ReadLine().Write(RecordList(kViews));
             p.ReadLine().ReadEnvelope().Write(Record(one));
         },
         "", "", true},
        {"case refused",
         [&](CFakePeer& p) {
             p.ReadLine().ReadLine().Write(Record(Rights(0x40)));
             p.ReadLine().Write(RecordList(kViews));
             p.ReadLine().ReadEnvelope().Write(Record(one));
             p.ReadLine().ReadEnvelope().Write(RefusedRecord());
         },
         "", "!*Failed to receive case from server\n", false},
        {"parent refused",
         [&](CFakePeer& p) {
             p.ReadLine().ReadLine().Write(Record(Rights(0x40)));
             p.ReadLine().Write(RecordList(kViews));
             p.ReadLine().ReadEnvelope().Write(Record(one));
             p.ReadLine().ReadEnvelope().Write(Record(CaseOf("Atlas", 5)));
             p.ReadLine().ReadEnvelope().Write(RefusedRecord());
         },
         "", "!*Failed to receive Parent properties from server\n", false},
        {"printing failed",
         [&](CFakePeer& p) {
             p.ReadLine().ReadLine().Write(Record(Rights(0x40)));
             p.ReadLine().Write(RecordList(kViews));
             p.ReadLine().ReadEnvelope().Write(Record(one));
             p.ReadLine().ReadEnvelope().Write(Record(CaseOf("Atlas", 5)));
             p.ReadLine().ReadEnvelope().Write(Record(parent));
         },
         "2024-000001", "!*Failed to print all attachments\n", false},
        {"hand-on refused",
         [&](CFakePeer& p) {
             p.ReadLine().ReadLine().Write(Record(Rights(0x40)));
             p.ReadLine().Write(RecordList(kViews));
             p.ReadLine().ReadEnvelope().Write(Record(one));
             p.ReadLine().ReadEnvelope().Write(Record(CaseOf("Atlas", 5)));
             p.ReadLine().ReadEnvelope().Write(Record(parent));
             p.ReadLine().ReadEnvelope().ReadEnvelope().Write(Int(-2));
         },
         "", "!*Failed to auto-assign case\n", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CFakePeer peer;
        ScriptSession(peer);
        c.script(peer);
        TaskRun run(peer);
        run.jammedCase = c.jammed;
        EXPECT_EQ(run.Run(taskPrintCases, PrintCasesParams(peer.Port())), head + c.line + Ended(c.succeeded));
    }
}

TEST(RunTask, ImportSendsTheFileAsItIsAndSucceedsOnlyOnAFinalSuccessfully)
{
    CTempDir files;
    const std::string binary("[InsuredName]\n\0\xff\r\nx", 19);
    std::ofstream(files.File("cases.txt"), std::ios::binary) << binary;
    std::ofstream(files.File("empty.txt"), std::ios::binary);
    const struct {
        const char* file;
        int32_t rights;
        std::string reply;
        std::string lines;
        bool succeeded;
    } cases[] = {
        {"cases.txt", 0x10000, Strings({"Line 2: created case 1", "1 case(s) imported SUCCESSFULLY"}),
         "  -Line 2: created case 1\n  -1 case(s) imported SUCCESSFULLY\n", true},
        {"cases.txt", 0x10000, Strings({"1 case(s) imported successfully."}),
         "  -1 case(s) imported successfully.\n", false},
        {"cases.txt", 0x10000, Strings({"Line 2: created case 1 successfully", "0 case(s) imported, 1 refused"}),
         "  -Line 2: created case 1 successfully\n  -0 case(s) imported, 1 refused\n", false},
        {"empty.txt", 0x10000, Strings({}), "", true},
        {"cases.txt", 0x10000, RefusedRecord(), "!*Failed to send import file to server\n", false},
        {"cases.txt", 0x2, "", "!*Insufficient access rights\n", false},
        {"missing.txt", 0x10000, "", "!*Error opening import file\n", false},
        {".", 0x10000, "", "!*Is a directory\n", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines);
        CFakePeer peer;
        ScriptSession(peer);
        peer.ReadLine().ReadLine().Write(Record(Rights(c.rights)));
        if (!c.reply.empty())
            peer.ReadLine().ReadEnvelope().Write(c.reply);
        TaskRun run(peer);
        CTaskParams params = Params("importcases", peer.Port());
        params.importFile = files.File(c.file);
        EXPECT_EQ(run.Run(taskImportCases, params),
                  Started("importcases") + "  -Importing cases: " + params.importFile + "\n" + c.lines +
                      Ended(c.succeeded));
        CBinaryObject sent;
        if (!c.reply.empty()) {
            ASSERT_TRUE(peer_log_in::DecodeArgument(peer.Received(), "IMPORTCASES", 0, 0, sent));
            EXPECT_EQ(sent.GetBytes(), std::string(c.file) == "empty.txt" ? "" : binary);
        }
    }
}

TEST(RunTask, EachRunAppendsOneBlockToTheSavedLog)
{
    CTempDir dir;
    const std::string path = dir.File("OrvennaOC.LOG");
    CTaskParams params = Params("importcases", ClosedPort());
    params.importFile = "x";
    for (int i = 0; i < 3; ++i) {
        CInventoryServer server;
        EXPECT_FALSE(RunTask(server, taskImportCases, params, path, {}));
    }
    CTaskLog log(path);
    ASSERT_TRUE(log.Load());
    ASSERT_EQ(log.Lines().size(), 15u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(log.Lines()[i * 5], "\n");
        EXPECT_EQ(log.Lines()[i * 5 + 3], "!*Error connecting to server\n");
    }
}
