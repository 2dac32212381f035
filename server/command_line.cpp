#include "server/command_line.h"

#include <arpa/inet.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace {

// A whole decimal number within [low, high].
bool ParseNumber(const std::string& text, long long low, long long high, long long& value)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    const long long parsed = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || end == nullptr || *end != '\0' || parsed < low || parsed > high)
        return false;
    value = parsed;
    return true;
}

// The redirect target goes to the client as one text line, which the client reads into
// a 255-byte buffer together with its CR LF.
constexpr size_t kMaxRedirectHost = 252;

bool ParseHostPort(const std::string& text, ServerAddress& address)
{
    const size_t colon = text.rfind(':');
    if (colon == std::string::npos || colon == 0)
        return false;
    const std::string host = text.substr(0, colon);
    long long port = 0;
    if (!ParseNumber(text.substr(colon + 1), 1, 65535, port) || host.size() > kMaxRedirectHost)
        return false;
    for (const unsigned char c : host)
        if (c <= ' ' || c == 0x7F)
            return false;
    address.host = host;
    address.port = static_cast<int>(port);
    return true;
}

bool ParseRedirect(const std::string& text, ServerOptions& options)
{
    ServerAddress address;
    if (!ParseHostPort(text, address))
        return false;
    options.redirectHost = address.host;
    options.redirectPort = address.port;
    return true;
}

// HOST:PORT,HOST:PORT,...: at most 64 members, no empty entry.
bool ParseRedirectPool(const std::string& text, ServerOptions& options)
{
    std::vector<ServerAddress> pool;
    size_t start = 0;
    for (;;) {
        const size_t comma = text.find(',', start);
        ServerAddress address;
        if (!ParseHostPort(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start),
                           address) ||
            pool.size() == 64)
            return false;
        pool.push_back(address);
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    options.redirectPool = std::move(pool);
    return true;
}

}  // namespace

CommandLineResult ParseCommandLine(const std::vector<std::string>& arguments, ServerOptions& options)
{
    CommandLineResult result;
    auto fail = [&result](std::string message) {
        result.action = CommandLineAction::error;
        result.error = std::move(message);
        return result;
    };

    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        auto needsValue = [&]() { return option == "--port" || option == "--listen" || option == "--db" ||
                                         option == "--redirect" || option == "--add-admin" ||
                                         option == "--max-connections" || option == "--idle-timeout" ||
                                         option == "--max-payload" || option == "--max-report" ||
                                         option == "--hash-iterations" || option == "--item-timeout" ||
                                         option == "--login-timeout" || option == "--max-login-per-address" ||
                                         option == "--keepalive" || option == "--max-report-builds" ||
                                         option == "--db-connections" ||
                                         option == "--login-delay-after" || option == "--login-delay-cap" ||
                                         option == "--tls-cert" || option == "--tls-key" || option == "--max-view-rows" ||
                                         option == "--max-report-pages" ||
                                         option == "--throttle-kbps" ||
                                         option == "--session-lease" || option == "--advertise" ||
                                         option == "--redirect-pool"; };
        if (needsValue() && !hasValue)
            return fail(option + " needs a value");
        long long number = 0;

        if (option == "--help" || option == "-h") {
            result.action = CommandLineAction::help;
            return result;
        } else if (option == "--version") {
            result.action = CommandLineAction::version;
            return result;
        } else if (option == "--port") {
            if (!ParseNumber(arguments[++i], 0, 65535, number))
                return fail("--port takes a number from 0 to 65535");
            options.port = static_cast<int>(number);
        } else if (option == "--listen") {
            in_addr address{};
            if (inet_pton(AF_INET, arguments[++i].c_str(), &address) != 1)
                return fail("--listen takes a dotted IPv4 address");
            options.listenAddress = arguments[i];
        } else if (option == "--db") {
            options.databasePath = arguments[++i];
            if (options.databasePath.empty())
                return fail("--db takes a file name");
        } else if (option == "--encrypt") {
            options.encrypt = true;
        } else if (option == "--redirect") {
            if (!ParseRedirect(arguments[++i], options))
                return fail("--redirect takes HOST:PORT with a port from 1 to 65535");
        } else if (option == "--demo") {
            options.demo = true;
        } else if (option == "--add-admin") {
            options.addAdminUserId = arguments[++i];
            if (options.addAdminUserId.empty())
                return fail("--add-admin takes a user id");
            result.action = CommandLineAction::addAdmin;
        } else if (option == "--max-view-rows") {
            if (!ParseNumber(arguments[++i], 1, 100000000, number))
                return fail("--max-view-rows takes a number from 1 to 100000000");
            options.maxViewRows = number;
        } else if (option == "--throttle-kbps") {
            if (!ParseNumber(arguments[++i], 1, 1000000, number))
                return fail("--throttle-kbps takes a number from 1 to 1000000");
            options.throttleKbps = static_cast<int>(number);
        } else if (option == "--max-connections") {
            if (!ParseNumber(arguments[++i], 1, 100000, number))
                return fail("--max-connections takes a number from 1 to 100000");
            options.maxConnections = static_cast<int>(number);
        } else if (option == "--idle-timeout") {
            if (!ParseNumber(arguments[++i], 1, 7 * 24 * 3600, number))
                return fail("--idle-timeout takes a number of seconds from 1 to 604800");
            options.idleTimeoutSeconds = static_cast<int>(number);
        } else if (option == "--max-payload") {
            if (!ParseNumber(arguments[++i], 1024, INT_MAX, number))
                return fail("--max-payload takes a number of bytes from 1024 to 2147483647");
            options.maxPayloadBytes = number;
        } else if (option == "--max-report") {
            if (!ParseNumber(arguments[++i], 1024, INT_MAX, number))
                return fail("--max-report takes a number of bytes from 1024 to 2147483647");
            options.maxReportBytes = number;
        } else if (option == "--max-report-pages") {
            if (!ParseNumber(arguments[++i], 1, 1000000, number))
                return fail("--max-report-pages takes a number from 1 to 1000000");
            options.maxReportPages = number;
        } else if (option == "--hash-iterations") {
            if (!ParseNumber(arguments[++i], 1000, 10000000, number))
                return fail("--hash-iterations takes a number from 1000 to 10000000");
            options.hashIterations = static_cast<int>(number);
        } else if (option == "--item-timeout") {
            if (!ParseNumber(arguments[++i], 1, 3600, number))
                return fail("--item-timeout takes a number of seconds from 1 to 3600");
            options.itemTimeoutSeconds = static_cast<int>(number);
        } else if (option == "--login-timeout") {
            if (!ParseNumber(arguments[++i], 1, 3600, number))
                return fail("--login-timeout takes a number of seconds from 1 to 3600");
            options.loginTimeoutSeconds = static_cast<int>(number);
        } else if (option == "--max-login-per-address") {
            if (!ParseNumber(arguments[++i], 1, 100000, number))
                return fail("--max-login-per-address takes a number from 1 to 100000");
            options.maxLoginConnectionsPerAddress = static_cast<int>(number);
        } else if (option == "--keepalive") {
            if (!ParseNumber(arguments[++i], 0, 7200, number))
                return fail("--keepalive takes a number of seconds from 0 to 7200");
            options.keepAliveSeconds = static_cast<int>(number);
        } else if (option == "--max-report-builds") {
            if (!ParseNumber(arguments[++i], 1, 1000, number))
                return fail("--max-report-builds takes a number from 1 to 1000");
            options.maxReportBuilds = static_cast<int>(number);
        } else if (option == "--db-connections") {
            if (!ParseNumber(arguments[++i], 0, 1000, number))
                return fail("--db-connections takes a number from 0 to 1000");
            options.databaseConnections = static_cast<int>(number);
        } else if (option == "--login-delay-after") {
            if (!ParseNumber(arguments[++i], 1, 1000, number))
                return fail("--login-delay-after takes a number from 1 to 1000");
            options.loginFailuresBeforeDelay = static_cast<int>(number);
        } else if (option == "--login-delay-cap") {
            if (!ParseNumber(arguments[++i], 0, 600000, number))
                return fail("--login-delay-cap takes a number of milliseconds from 0 to 600000");
            options.loginDelayCapMs = static_cast<int>(number);
        } else if (option == "--tls-cert") {
            options.tlsCertFile = arguments[++i];
        } else if (option == "--tls-key") {
            options.tlsKeyFile = arguments[++i];
        } else if (option == "--session-lease") {
            if (!ParseNumber(arguments[++i], 1, 86400, number))
                return fail("--session-lease takes a number of seconds from 1 to 86400");
            options.sessionLeaseSeconds = static_cast<int>(number);
        } else if (option == "--advertise") {
            ServerAddress address;
            if (!ParseHostPort(arguments[++i], address))
                return fail("--advertise takes HOST:PORT with a port from 1 to 65535");
            options.advertisedAddress = address.Text();
        } else if (option == "--redirect-pool") {
            if (!ParseRedirectPool(arguments[++i], options))
                return fail("--redirect-pool takes HOST:PORT,HOST:PORT,... (at most 64, ports from 1 to 65535)");
        } else {
            return fail("unknown option " + option + " (see --help)");
        }
    }
    if (options.tlsCertFile.empty() != options.tlsKeyFile.empty())
        return fail("--tls-cert and --tls-key go together");
    if (options.Redirects() && !options.redirectPool.empty())
        return fail("--redirect and --redirect-pool exclude each other");
    return result;
}

std::string CommandLineHelp()
{
    return "Usage: inventory-server [options]\n"
           "\n"
           "  --port N               listen on port N (default 9000; 0 picks a free port)\n"
           "  --listen ADDR          listen on this IPv4 address (default 127.0.0.1)\n"
           "  --db FILE              SQLite database (default inventory.db; created on first start)\n"
           "  --encrypt              encipher every payload after CREATESESSION\n"
           "  --redirect HOST:PORT   send every client to another server\n"
           "  --demo                 add the demo accounts, and the demo inventory to an empty\n"
           "                         database (see README.md)\n"
           "  --add-admin USERID     create an administrator account, reading its password\n"
           "                         from standard input, and exit\n"
           "  --max-connections N    connections served at once (default 64)\n"
           "  --max-view-rows N      most rows one case view may return (default 250000)\n"
           "  --throttle-kbps N      slow each connection to N kilobytes per second each way\n"
           "  --idle-timeout SECS    close a connection idle this long (default 1800)\n"
           "  --max-payload BYTES    largest payload accepted (default 33554432)\n"
           "  --max-report BYTES     largest report or document sent (default 134217728)\n"
           "  --max-report-pages N   most pages of a PDF, TIFF or XPS document (default 10000)\n"
           "  --hash-iterations N    PBKDF2 rounds for passwords set by this run (default 210000)\n"
           "  --item-timeout SECS    time for one whole item inside a command (default 120)\n"
           "  --login-timeout SECS   idle time-out before log-in (default 30)\n"
           "  --max-login-per-address N  connections not logged in per address (default 8)\n"
           "  --keepalive SECS       TCP keep-alive idle time, 0 for none (default 60)\n"
           "  --max-report-builds N  report builds run at once (default 4)\n"
           "  --db-connections N     database connections the clients' commands share\n"
           "                         (default 0: two per processor, at least four)\n"
           "  --login-delay-after N  failed log-ins before answers are delayed (default 3)\n"
           "  --login-delay-cap MS   longest delay of a log-in answer (default 8000)\n"
           "  --tls-cert FILE        TLS certificate chain (PEM); with --tls-key, only TLS\n"
           "  --tls-key FILE         TLS private key (PEM)\n"
           "  --session-lease SECS   lease of a session shared with the other servers on the\n"
           "                         database, renewed every third of it (default 60)\n"
           "  --advertise HOST:PORT  the address the other servers know this one by\n"
           "                         (default: the listening address and port)\n"
           "  --redirect-pool HOST:PORT,...  send each client to the member with the fewest\n"
           "                         open sessions (members share this server's database)\n"
           "  --version              show the version\n"
           "  --help                 show this text\n";
}
