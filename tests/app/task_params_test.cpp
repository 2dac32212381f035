// Reading the unattended task from the command line.
#include "app/task_params.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Parsed {
    TaskKind kind;
    CTaskParams params;
};

Parsed Parse(std::vector<std::string> options)
{
    options.insert(options.begin(), "/opt/orvenna/OrvennaOC");
    Parsed parsed{taskNone, {}};
    parsed.kind = ParseTaskArgs(options, parsed.params);
    return parsed;
}

const std::vector<std::string> kLogin = {"-U:joe", "-W:secret", "-H:inventory"};

std::vector<std::string> WithLogin(std::vector<std::string> options)
{
    options.insert(options.begin(), kLogin.begin(), kLogin.end());
    return options;
}

}  // namespace

TEST(TaskArgs, OptionFormLetterCaseAndTheUnexaminedThirdCharacter)
{
    EXPECT_EQ(Parse({"/u:joe"}).params.user, "joe");
    EXPECT_EQ(Parse({"-U:joe"}).params.user, "joe");
    // The third character is dropped whatever it is, but the argument needs a ':' somewhere.
    EXPECT_EQ(Parse({"-U=jo:e"}).params.user, "jo:e");
    EXPECT_EQ(Parse({"-U=joe"}).params.user, "");
    EXPECT_EQ(Parse({"-Ujoe"}).params.user, "");       // no colon anywhere: skipped
    EXPECT_EQ(Parse({"U:joe"}).params.user, "");       // no leading - or /
    EXPECT_EQ(Parse({"-U:"}).params.user, "");         // not longer than three characters
    EXPECT_EQ(Parse({"-U:a", "-u:b"}).params.user, "b");  // the later one wins
    EXPECT_EQ(Parse({"-Q:zzz", "-U:x"}).params.user, "x");  // unknown letters are passed over
    // The program name is never an option, whatever it looks like.
    std::vector<std::string> programOnly = {"-U:prog"};
    CTaskParams params;
    ParseTaskArgs(programOnly, params);
    EXPECT_EQ(params.user, "");
}

TEST(TaskArgs, IntegersAndYesNoValues)
{
    const Parsed parsed = Parse({"-O:8080", "-C:12abc", "-A:yes", "-N:Y", "-F:no"});
    EXPECT_EQ(parsed.params.port, 8080);
    EXPECT_EQ(parsed.params.count, 12);
    EXPECT_TRUE(parsed.params.attachments);
    EXPECT_TRUE(parsed.params.parentCopies);
    EXPECT_FALSE(parsed.params.saveFile);

    EXPECT_EQ(Parse({"-O:abc"}).params.port, 0);
    EXPECT_EQ(Parse({}).params.port, 9000);
    EXPECT_EQ(Parse({"-C:-3"}).params.count, -3);
    EXPECT_EQ(Parse({"-C:99999999999"}).params.count, INT32_MAX);  // saturates, never wraps
    EXPECT_TRUE(Parse({"-A:y"}).params.attachments);
    EXPECT_FALSE(Parse({"-A:N"}).params.attachments);
    EXPECT_FALSE(Parse({"-A:"}).params.attachments);  // too short, skipped
    EXPECT_FALSE(Parse({"-A:yes", "-A:no"}).params.attachments);
}

TEST(TaskArgs, PrintReportNeedsAReportAndCopies)
{
    EXPECT_EQ(Parse(WithLogin({"-T:printrpt", "-R:Monthly", "-C:1"})).kind, taskPrintReport);
    EXPECT_EQ(Parse(WithLogin({"-T:PrintRpt", "-R:Monthly", "-C:2"})).kind, taskPrintReport);
    EXPECT_EQ(Parse(WithLogin({"-T:printrpt", "-R:Monthly", "-C:0"})).kind, taskNone);
    EXPECT_EQ(Parse(WithLogin({"-T:printrpt", "-C:1"})).kind, taskNone);

    const Parsed parsed = Parse(WithLogin({"-T:printrpt", "-R:Monthly", "-C:3", "-F:Y", "-O:9100"}));
    EXPECT_EQ(parsed.params.report, "Monthly");
    EXPECT_EQ(parsed.params.count, 3);
    EXPECT_TRUE(parsed.params.saveFile);
    EXPECT_EQ(parsed.params.port, 9100);
}

TEST(TaskArgs, PrintCasesNeedsTargetViewAttachmentsAndFewerThan100Copies)
{
    const std::vector<std::string> complete = {"-T:printcases", "-P:Acme", "-V:Open Audits", "-A:Y", "-C:0"};
    const Parsed parsed = Parse(WithLogin(complete));
    EXPECT_EQ(parsed.kind, taskPrintCases);
    EXPECT_EQ(parsed.params.viewArgument, "Acme");
    EXPECT_EQ(parsed.params.view, "Open Audits");

    EXPECT_EQ(Parse(WithLogin({"-T:printcases", "-P:Acme", "-V:Open", "-A:Y", "-C:99"})).kind, taskPrintCases);
    EXPECT_EQ(Parse(WithLogin({"-T:printcases", "-P:Acme", "-V:Open", "-A:Y", "-C:100"})).kind, taskNone);
    EXPECT_EQ(Parse(WithLogin({"-T:printcases", "-P:Acme", "-V:Open", "-A:Y", "-C:-1"})).kind, taskNone);
    EXPECT_EQ(Parse(WithLogin({"-T:printcases", "-P:Acme", "-V:Open", "-A:N"})).kind, taskNone);
    EXPECT_EQ(Parse(WithLogin({"-T:printcases", "-V:Open", "-A:Y"})).kind, taskNone);
    EXPECT_EQ(Parse(WithLogin({"-T:printcases", "-P:Acme", "-A:Y"})).kind, taskNone);
}

TEST(TaskArgs, ImportNeedsAFileAndEveryTaskNeedsTheLogin)
{
    EXPECT_EQ(Parse(WithLogin({"-T:importcases", "-M:/tmp/cases.txt"})).kind, taskImportCases);
    EXPECT_EQ(Parse(WithLogin({"-T:importcases"})).kind, taskNone);
    EXPECT_EQ(Parse(WithLogin({"-T:exportcases", "-M:/tmp/cases.txt"})).kind, taskNone);
    EXPECT_EQ(Parse(WithLogin({})).kind, taskNone);

    for (const char* missing : {"-U:", "-W:", "-H:"}) {
        std::vector<std::string> options = {"-U:joe", "-W:secret", "-H:inventory", "-T:importcases", "-M:f"};
        std::erase_if(options, [&](const std::string& o) { return o.compare(0, 2, missing, 2) == 0; });
        EXPECT_EQ(Parse(options).kind, taskNone) << missing;
    }
}
