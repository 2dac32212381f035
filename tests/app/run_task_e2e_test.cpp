// The unattended tasks as cron runs them: the program as a process without a display,
// against the real inventory server. The sample import file goes in, a report comes out
// and is saved, and the imported cases are printed and handed on.
#include "app/server_seeding.h"
#include "net/inventory_server.h"
#include "records/audit_case.h"
#include "records/case_query_col_info.h"
#include "report/report_file.h"
#include "support/log_in.h"
#include "support/server_process.h"
#include "support/temp_dir.h"

#include <QDir>
#include <QProcess>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>

namespace {

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs the program (copied into the folder, so that its log is written there) in that
// folder with no display and no platform chosen; returns the exit status.
int RunProgram(const CTempDir& dir, const QStringList& arguments)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(QString::fromLatin1(name));
    QProcess program;
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(QString::fromStdString(dir.Path()));
    program.start(QString::fromStdString(dir.File("nightly")), arguments);
    EXPECT_TRUE(program.waitForFinished(120000));
    return program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
}

std::string LastLine(const std::string& log)
{
    const size_t end = log.rfind('\n', log.size() - 2);
    return log.substr(end + 1);
}

}  // namespace

TEST(RunTaskEndToEnd, ImportPrintReportAndPrintCasesFromTheCommandLine)
{
    CServerProcess server({"--demo"});
    ASSERT_TRUE(server.Start());
    CTempDir dir;
    std::filesystem::copy_file(ORVENNAOC_PATH, dir.File("nightly"));
    const QString login = QStringLiteral("-H:127.0.0.1");
    const QString port = QStringLiteral("-O:%1").arg(server.Port());
    const std::string logPath = dir.File("nightly.LOG");

    // Import the sample file.
    EXPECT_EQ(RunProgram(dir, {QStringLiteral("-U:importer"), QStringLiteral("-W:importer"), login, port,
                               QStringLiteral("-T:importcases"), QStringLiteral("-M:" ORV_SAMPLE_IMPORT)}),
              0);
    std::string log = ReadAll(logPath);
    EXPECT_NE(log.find("  -Importing cases: " ORV_SAMPLE_IMPORT "\n"), std::string::npos) << log;
    std::vector<std::string> imported;
    const std::regex created("  -Line [0-9]+: created case ([0-9-]+)\n");
    for (auto it = std::sregex_iterator(log.begin(), log.end(), created); it != std::sregex_iterator(); ++it)
        imported.push_back((*it)[1]);
    ASSERT_EQ(imported.size(), 3u) << log;
    EXPECT_NE(log.find("  -3 case(s) imported successfully\n"), std::string::npos) << log;
    EXPECT_NE(LastLine(log).find(" Task Ended Successfully\n"), std::string::npos) << log;

    // The report, printed (when there is a printer) and saved in the working folder.
    const int printed = RunProgram(dir, {QStringLiteral("-U:admin"), QStringLiteral("-W:admin"), login, port,
                                         QStringLiteral("-T:printrpt"), QStringLiteral("-R:Case Listing"),
                                         QStringLiteral("-C:1"), QStringLiteral("-F:Y")});
    log = ReadAll(logPath);
    const bool noPrinter = log.find("!*Error printing report\n") != std::string::npos;
    EXPECT_EQ(printed, noPrinter ? 1 : 0) << log;
    const QStringList saved = QDir(QString::fromStdString(dir.Path()))
                                  .entryList({QStringLiteral("Case Listing-*.tdf")});
    ASSERT_EQ(saved.size(), 1);
    EXPECT_TRUE(OpenReportFile(dir.File(saved[0].toStdString())).Ok());

    // The imported cases, found by a view of the printer's, printed and handed on.
    CCaseQueryData view = CaseViewDefinition("Sample Import", 0x20000, 0);
    view.queryType = CCaseQueryData::kCustomQuery;
    view.formula = "[PolicyNumber] = \"WC-880121\" OR [PolicyNumber] = \"GL-445190\" OR "
                   "[PolicyNumber] = \"BOP-20931\"";
    auto column = std::make_shared<CCaseQueryColInfo>();
    column->fieldToken = "[InsuredName]";
    column->header = "Insured";
    column->width = 100;
    view.columns.push_back(std::move(column));
    view.childTargetField = "[SysChildName]";
    SeedViews(server, "printer", {view});
    EXPECT_EQ(RunProgram(dir, {QStringLiteral("-U:printer"), QStringLiteral("-W:printer"), login, port,
                               QStringLiteral("-T:printcases"), QStringLiteral("-V:Sample Import"),
                               QStringLiteral("-G:Printers"), QStringLiteral("-P:Demo Printer"),
                               QStringLiteral("-A:Y"), QStringLiteral("-C:1")}),
              0)
        << ReadAll(logPath);
    log = ReadAll(logPath);
    EXPECT_NE(log.find("  -Printing cases: Demo Printer\n"), std::string::npos);
    EXPECT_NE(LastLine(log).find(" Task Ended Successfully\n"), std::string::npos) << log;

    CInventoryServer admin;
    ASSERT_TRUE(LogIn(admin, "127.0.0.1", server.Port(), "admin", "admin").LoggedIn());
    for (const std::string& number : imported) {
        CAuditCase handedOn;
        ASSERT_TRUE(admin.GetCase(number, handedOn));
        EXPECT_TRUE(handedOn.completed) << number;
        // The hand-on asks for any child; the server's automatic assignment gives it to
        // an auditor (the demo auditors take any case).
        EXPECT_EQ(handedOn.childGroupCode, 1) << number;
        EXPECT_FALSE(handedOn.archive) << number;
        EXPECT_NE(handedOn.childName, "Demo Printer") << number;
    }
}
