// The server's command line: defaults, every option taking its value, and the refusals
// that keep a bad value from reaching the wire.

#include "server/command_line.h"

#include <gtest/gtest.h>

namespace {

CommandLineResult Parse(const std::vector<std::string>& arguments, ServerOptions& options)
{
    return ParseCommandLine(arguments, options);
}

}  // namespace

TEST(ServerCommandLine, DefaultsAndValuesThatAreTakenApart)
{
    ServerOptions defaults;
    EXPECT_EQ(Parse({}, defaults).action, CommandLineAction::run);
    EXPECT_EQ(defaults.port, 9000);
    EXPECT_EQ(defaults.listenAddress, "127.0.0.1");

    ServerOptions options;
    const auto result = Parse({"--port", "0", "--redirect", "backup.example:9100", "--idle-timeout", "5",
                               "--max-report-pages", "50", "--db-connections", "3"},
                              options);
    ASSERT_EQ(result.action, CommandLineAction::run) << result.error;
    EXPECT_EQ(options.port, 0);
    EXPECT_EQ(options.redirectHost, "backup.example");
    EXPECT_EQ(options.redirectPort, 9100);
    EXPECT_EQ(options.ItemTimeout(), 5) << "an item never waits longer than the idle time-out";
    EXPECT_EQ(options.maxReportPages, 50);
    EXPECT_EQ(options.databaseConnections, 3);

    ServerOptions front;
    ASSERT_EQ(Parse({"--redirect-pool", "a.example:9001,10.0.0.2:9002", "--session-lease", "5"}, front).action,
              CommandLineAction::run);
    ASSERT_EQ(front.redirectPool.size(), 2u);
    EXPECT_EQ(front.redirectPool[1].Text(), "10.0.0.2:9002");
    EXPECT_EQ(front.sessionLeaseSeconds, 5);

    ServerOptions admin;
    EXPECT_EQ(Parse({"--add-admin", "boss"}, admin).action, CommandLineAction::addAdmin);
    EXPECT_EQ(admin.addAdminUserId, "boss");
}

TEST(ServerCommandLine, RefusesBadValues)
{
    const std::vector<std::vector<std::string>> bad = {
        {"--port"},
        {"--port", "65536"},
        {"--port", "12x"},
        {"--listen", "localhost"},
        {"--redirect", "hostonly"},
        {"--redirect", ":9000"},
        {"--redirect", "host:0"},
        {"--redirect", "two words:9000"},
        {"--redirect", std::string(300, 'h') + ":9000"},
        {"--redirect-pool", "a:9001,"},
        {"--redirect-pool", "a:9001,,b:9002"},
        {"--redirect-pool", "a:9001", "--redirect", "b:9002"},
        {"--session-lease", "0"},
        {"--advertise", "nohost"},
        {"--max-connections", "0"},
        {"--max-payload", "-1"},
        {"--max-report", "1023"},
        {"--max-report-pages", "0"},
        {"--db-connections", "-1"},
        {"--add-admin", ""},
        {"--frobnicate"},
    };
    for (const auto& arguments : bad) {
        ServerOptions options;
        const auto result = Parse(arguments, options);
        EXPECT_EQ(result.action, CommandLineAction::error) << arguments[0];
        EXPECT_FALSE(result.error.empty());
    }
}
