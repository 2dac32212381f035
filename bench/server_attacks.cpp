// Runs, against an inventory-server binary, the attacks the server was hardened
// against, each on a fresh server (its own temporary database, --demo) so that every
// peak is its own, and prints what happened and the server's peak resident memory
// (VmHWM of /proc/PID/status) before and after the attack:
//
//   bench_server_attacks PATH/TO/inventory-server [--label NAME] [ATTACK...]
//
// With no ATTACK names every attack runs; the names are those of the first column.
// Only the office client's wire items are used, so a server built from an older commit
// can be measured the same way.

#include "codec/binary_object.h"
#include "codec/class_registry.h"
#include "codec/mem_file.h"
#include "codec/string_object.h"
#include "net/server_session.h"
#include "records/admin_child_user.h"
#include "records/case_query_col_info.h"
#include "records/case_query_data.h"
#include "records/case_view_param.h"
#include "records/record_list.h"
#include "records/register_records.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

double Since(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

std::string Fixed(double value, int decimals = 1)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string MiB(int64_t bytes)
{
    return Fixed(static_cast<double>(bytes) / (1 << 20)) + " MiB";
}

// Small sizes in bytes, large ones in MiB.
std::string Size(int64_t bytes)
{
    return bytes < (1 << 20) ? std::to_string(bytes) + " bytes" : MiB(bytes);
}

std::string Hex(int32_t value)
{
    std::ostringstream text;
    text << "0x" << std::hex << value;
    return text.str();
}

// What a LogIn answer other than 0 means.
std::string LogInFailure(int answer)
{
    if (answer == -100)
        return "no connection";
    if (answer == -200 + CServerSession::kExchangeFailed)
        return "closed before CREATESESSION was answered";
    if (answer < -100)
        return "CREATESESSION answered " + std::to_string(answer + 200);
    return "OPENSESSION answered " + std::to_string(answer);
}

// One server process on a database of its own, its log read on a thread.
class CAttackedServer {
public:
    CAttackedServer(const std::string& binary, std::vector<std::string> options)
    {
        char pattern[] = "/tmp/orv-attack-XXXXXX";
        if (::mkdtemp(pattern))
            m_folder = pattern;
        int log[2];
        if (m_folder.empty() || ::pipe2(log, O_CLOEXEC) != 0)
            return;
        std::vector<std::string> arguments{binary, "--port", "0", "--db", Database(), "--demo"};
        arguments.insert(arguments.end(), options.begin(), options.end());
        std::vector<char*> argv;
        for (std::string& argument : arguments)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, log[1], 2);
        if (posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
            m_pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(log[1]);
        m_reader = std::thread([this, fd = log[0]] { ReadLog(fd); });
        const auto start = Clock::now();
        const std::string marker = "listening on 127.0.0.1:";
        while (m_port == 0 && Since(start) < 120 && !Ended()) {
            const std::string text = Log();
            if (const size_t at = text.find(marker); at != std::string::npos)
                m_port = std::atoi(text.c_str() + at + marker.size());
            else
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }

    ~CAttackedServer()
    {
        if (m_pid > 0) {
            ::kill(m_pid, SIGTERM);
            const auto start = Clock::now();
            while (!Ended() && Since(start) < 20)
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            if (!Ended())
                ::kill(m_pid, SIGKILL);
            int status = 0;
            while (::waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
            }
        }
        if (m_reader.joinable())
            m_reader.join();
        if (!m_folder.empty())
            std::filesystem::remove_all(m_folder);
    }

    int Port() const { return m_port; }
    std::string Database() const { return m_folder + "/inventory.db"; }

    // The database's bytes with its write-ahead log.
    int64_t DatabaseBytes() const
    {
        int64_t total = 0;
        for (const char* suffix : {"", "-wal"}) {
            std::error_code error;
            const auto size = std::filesystem::file_size(Database() + suffix, error);
            if (!error)
                total += static_cast<int64_t>(size);
        }
        return total;
    }

    // The peak resident memory so far (VmHWM), 0 when the process is gone.
    int64_t PeakBytes() const { return StatusKiB("VmHWM:") * 1024; }

    std::string Log()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_log;
    }
    int CountLog(const std::string& fragment)
    {
        const std::string text = Log();
        int count = 0;
        for (size_t at = text.find(fragment); at != std::string::npos; at = text.find(fragment, at + 1))
            ++count;
        return count;
    }
    bool Ended()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_ended;
    }

private:
    int64_t StatusKiB(const char* field) const
    {
        std::ifstream status("/proc/" + std::to_string(m_pid) + "/status");
        std::string line;
        while (std::getline(status, line))
            if (line.rfind(field, 0) == 0)
                return std::atoll(line.c_str() + std::strlen(field));
        return 0;
    }

    void ReadLog(int fd)
    {
        char buffer[4096];
        for (;;) {
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            std::lock_guard<std::mutex> lock(m_mutex);
            // A flood of connection lines is of no use past a few megabytes.
            if (m_log.size() < (8u << 20))
                m_log.append(buffer, static_cast<size_t>(n));
        }
        ::close(fd);
        std::lock_guard<std::mutex> lock(m_mutex);
        m_ended = true;
    }

    std::string m_folder;
    pid_t m_pid = -1;
    int m_port = 0;
    std::thread m_reader;
    std::mutex m_mutex;
    std::string m_log;
    bool m_ended = false;
};

// --- The client's side --------------------------------------------------------------

// Connects from a given loopback address (nullptr: any).
bool Connect(CServerSession& session, int port, const char* from = nullptr)
{
    if (!from)
        return session.ConnectByName("127.0.0.1", port) == 0;
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    inet_pton(AF_INET, from, &local.sin_addr);
    sockaddr_in server{};
    server.sin_family = AF_INET;
    server.sin_port = htons(static_cast<uint16_t>(port));
    inet_pton(AF_INET, "127.0.0.1", &server.sin_addr);
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0 ||
        ::connect(fd, reinterpret_cast<sockaddr*>(&server), sizeof server) != 0 || !session.Adopt(fd)) {
        if (fd >= 0)
            ::close(fd);
        return false;
    }
    return true;
}

// The OPENSESSION answer; -100 without a connection, -200 plus a CREATESESSION answer
// other than 0 (see LogInFailure).
int LogIn(CServerSession& session, int port, const std::string& user, const std::string& password,
          const char* from = nullptr)
{
    if (!Connect(session, port, from))
        return -100;
    const int created = session.CreateSession(CServerSession::kOfficeClientType, CServerSession::kOfficeClientVersion);
    if (created != 0)
        return -200 + created;
    return session.OpenSession(user, password);
}

int Status(CServerSession& session, int seconds = 120)
{
    int32_t value = 0;
    return session.ReceiveInt(value, seconds) > 0 ? value : -1000;
}

int AddChild(CServerSession& admin, const std::string& name, const std::string& login, int32_t group, int32_t rights)
{
    CAdminChildUser child;
    child.name = name;
    child.userId = login;
    child.password = "pw";
    child.group = group;
    child.rights = rights;
    child.inventoryCap = -1;
    if (admin.SendCommand("SETCHILDUSER") < 1 || !admin.SendString(name) || !admin.SendObject(child) ||
        admin.SendInt(0) < 1)
        return -1000;
    return Status(admin);
}

int32_t ChildNumber(CServerSession& session, const std::string& name)
{
    CAdminChildUser child;
    if (session.SendCommand("GETCHILDUSER") < 1 || !session.SendString(name) || !session.ReceiveObject(child, 60))
        return 0;
    return child.recordNumber;
}

// True when the server has closed the connection (or does within the wait).
bool ServerClosed(CClientSocket& socket, int waitMs = 0)
{
    pollfd entry{socket.GetHandle(), POLLIN, 0};
    if (::poll(&entry, 1, waitMs) <= 0)
        return false;
    char byte;
    return ::recv(socket.GetHandle(), &byte, 1, MSG_DONTWAIT) <= 0;
}

int64_t PayloadBytes(CObject& record)
{
    CServerSession encoder;
    CMemFile payload;
    return encoder.EncodePayload(record, payload) ? static_cast<int64_t>(payload.GetLength()) : -1;
}

// --- The attacks --------------------------------------------------------------------

struct Outcome {
    std::string what;        // what the server did
    std::string extra;       // figures besides memory
};

struct Attack {
    const char* name;
    const char* issueItem;
    std::vector<std::string> options;  // besides --port, --db and --demo
    std::function<Outcome(CAttackedServer&)> run;
};

// An auditor keeps a session open while its account is deleted and an administrator
// is created: does the session become the administrator's?
Outcome AccountNumberReused(CAttackedServer& server)
{
    CServerSession admin;
    if (LogIn(admin, server.Port(), "admin", "admin") != 0)
        return {"admin log-in failed", ""};
    AddChild(admin, "Short Lived Auditor", "shortaud", 1, 0xE7280);
    const int32_t before = ChildNumber(admin, "Short Lived Auditor");
    CServerSession victim;
    if (LogIn(victim, server.Port(), "shortaud", "pw") != 0)
        return {"auditor log-in failed", ""};
    CAdminChildUser none;
    const bool deleted = admin.SendCommand("SETCHILDUSER") > 0 && admin.SendString("Short Lived Auditor") &&
                         admin.SendObject(none) && admin.SendInt(2) > 0 && Status(admin) == 0;
    AddChild(admin, "Fresh Administrator", "freshadm", 0, 0x7FFFFF);
    const int32_t after = ChildNumber(admin, "Fresh Administrator");
    CAdminChildUser read;
    const bool harm = victim.SendCommand("GETCHILDUSER") > 0 && victim.SendString("Fresh Administrator") &&
                      victim.ReceiveObject(read, 30) && !read.name.empty();
    const std::string numbers = "account numbers " + std::to_string(before) + " then " + std::to_string(after);
    if (!deleted)
        return {"the delete was refused", numbers};
    if (harm)
        return {"HARM: the deleted auditor's open session read the new administrator's record (rights " +
                    Hex(read.rights) + ")",
                numbers};
    return {"harmless: the deleted auditor's session was ended, nothing read", numbers};
}

// OPENSESSION before log-in with a user id of 128 MiB compressed into a 14 MiB payload.
Outcome HugeUserIds(CAttackedServer& server, int connections)
{
    // Just under what a default server expands at most (four times --max-payload).
    const std::string userId((128u << 20) - 1024, 'A');
    std::vector<int> answers(static_cast<size_t>(connections), 0);
    std::vector<std::thread> threads;
    const auto start = Clock::now();
    for (int i = 0; i < connections; ++i)
        threads.emplace_back([&, i] {
            CServerSession session;
            if (!Connect(session, server.Port()))
                answers[static_cast<size_t>(i)] = -100;
            else if (session.CreateSession(CServerSession::kOfficeClientType, CServerSession::kOfficeClientVersion) != 0)
                answers[static_cast<size_t>(i)] = -200;
            else
                answers[static_cast<size_t>(i)] = session.OpenSession(userId, "x");
        });
    for (std::thread& thread : threads)
        thread.join();
    CStringObject probe(userId);
    std::string list;
    for (int answer : answers)
        list += (list.empty() ? "" : ",") + std::to_string(answer);
    const bool closed = std::all_of(answers.begin(), answers.end(), [](int a) { return a == CServerSession::kExchangeFailed; });
    return {closed ? "refused: connection closed before the payload was read (answers " + list + ")"
                   : "HARM: the user id was expanded and looked up (answers " + list + ")",
            Size(PayloadBytes(probe)) + " payload each, " + Fixed(Since(start)) + " s"};
}

// One 4 KiB column referenced 20000 times in a case view: a few KB on the wire, 80 MB
// once every reference is a copy.
Outcome ReferencedColumns(CAttackedServer& server)
{
    CServerSession admin;
    if (LogIn(admin, server.Port(), "admin", "admin") != 0)
        return {"admin log-in failed", ""};
    auto column = std::make_shared<CCaseQueryColInfo>();
    column->fieldToken = "[InsuredName]";
    column->header = std::string(4096, 'h');
    column->width = 80;
    CCaseQueryData view;
    view.name = "Exploding";
    view.viewType = 2;
    view.scope = 0x4;
    for (int i = 0; i < 20000; ++i)
        view.columns.push_back(column);
    const int64_t databaseBefore = server.DatabaseBytes();
    const bool sent = admin.SendCommand("SETCASEVIEW") > 0 && admin.SendInt(-1) > 0 && admin.SendObject(view);
    const int status = sent ? Status(admin) : -1000;
    const std::string figures =
        Size(PayloadBytes(view)) + " payload, database +" + Size(server.DatabaseBytes() - databaseBefore);
    if (status == 0)
        return {"HARM: stored (status 0)", figures};
    return {status == -1000 ? "refused: connection closed, nothing stored" : "refused: status " + std::to_string(status),
            figures};
}

// One case view of 100 KB referenced 500 times in a view list.
Outcome ReferencedViews(CAttackedServer& server)
{
    CServerSession admin;
    if (LogIn(admin, server.Port(), "admin", "admin") != 0)
        return {"admin log-in failed", ""};
    auto view = std::make_shared<CCaseQueryData>();
    view->name = "Copied";
    view->viewType = 2;
    view->scope = 0x4;
    view->opaqueText1 = std::string(100000, 'v');
    auto column = std::make_shared<CCaseQueryColInfo>();
    column->fieldToken = "[InsuredName]";
    column->header = "Insured";
    column->width = 80;
    view->columns.push_back(column);
    CObjectList<CCaseQueryData> set;
    for (int i = 0; i < 500; ++i)
        set.items.push_back(view);
    const int64_t databaseBefore = server.DatabaseBytes();
    const bool sent = admin.SendCommand("SETCASEVIEWPROPSET") > 0 && admin.SendString("admin") && admin.SendObject(set);
    const int status = sent ? Status(admin) : -1000;
    // The views the administrator has now.
    std::string stored = "no";
    CRecordList<CCaseViewParam> params;
    if (status != -1000 && admin.SendCommand("GETCASEVIEWPARAMSET") > 0 && admin.ReceiveObject(params, 60))
        stored = std::to_string(params.items.size());
    const std::string figures = Size(PayloadBytes(set)) + " payload, " + stored + " views stored, database +" +
                                Size(server.DatabaseBytes() - databaseBefore);
    if (status == 0)
        return {"HARM: stored (status 0)", figures};
    return {status == -1000 ? "refused: connection closed, nothing stored" : "refused: status " + std::to_string(status),
            figures};
}

// A logged-in connection sends a payload one byte every 4 s to a server whose time-outs
// are 6 s: does it stay open?
Outcome Trickle(CAttackedServer& server)
{
    CServerSession auditor;
    if (LogIn(auditor, server.Port(), "auditor", "auditor") != 0)
        return {"auditor log-in failed", ""};
    const auto start = Clock::now();
    if (auditor.Send(std::string("GETCASE\r\n400\r\n")) <= 0)
        return {"send failed", ""};
    int sent = 0;
    while (Since(start) < 32) {
        if (ServerClosed(auditor, 4000))
            return {"refused: closed after " + Fixed(Since(start)) + " s", std::to_string(sent) + " bytes trickled"};
        if (auditor.Send("x", 1) != 1)
            return {"refused: closed after " + Fixed(Since(start)) + " s", std::to_string(sent) + " bytes trickled"};
        ++sent;
    }
    return {"HARM: still open after " + Fixed(Since(start)) + " s", std::to_string(sent) + " bytes, one every 4 s"};
}

// 300 idle connections from 127.0.0.1, then the administrator logs in from 127.0.0.2.
Outcome IdleSockets(CAttackedServer& server)
{
    std::vector<std::unique_ptr<CClientSocket>> idle;
    for (int i = 0; i < 300; ++i) {
        idle.push_back(std::make_unique<CClientSocket>());
        if (idle.back()->ConnectByName("127.0.0.1", server.Port()) != 0)
            idle.pop_back();
    }
    std::this_thread::sleep_for(std::chrono::seconds(1));
    int open = 0;
    for (auto& socket : idle)
        open += ServerClosed(*socket) ? 0 : 1;
    CServerSession admin;
    const auto start = Clock::now();
    const int answer = LogIn(admin, server.Port(), "admin", "admin", "127.0.0.2");
    const std::string figures = std::to_string(idle.size()) + " connected, " + std::to_string(open) +
                                " still open after 1 s";
    if (answer == 0)
        return {"harmless: the admin logged in from 127.0.0.2 in " + Fixed(Since(start), 2) + " s", figures};
    return {"HARM: the admin's log-in failed: " + LogInFailure(answer), figures};
}

// Eight wrong passwords for the administrator on one connection.
Outcome PasswordGuessing(CAttackedServer& server)
{
    CServerSession session;
    if (!Connect(session, server.Port()) ||
        session.CreateSession(CServerSession::kOfficeClientType, CServerSession::kOfficeClientVersion) != 0)
        return {"no session", ""};
    const auto start = Clock::now();
    double last = 0;
    std::string answers;
    for (int i = 0; i < 8; ++i) {
        const auto one = Clock::now();
        answers += (answers.empty() ? "" : ",") + std::to_string(session.OpenSession("admin", "guess" + std::to_string(i)));
        last = Since(one);
    }
    const double total = Since(start);
    const std::string figures = "answers " + answers + "; " + std::to_string(server.CountLog("delayed")) +
                                " delayed lines in the log";
    if (last < 0.25)
        return {"HARM: 8 guesses in " + Fixed(total, 2) + " s (" + Fixed(8 / total) + " a second), the last in " +
                    Fixed(last, 2) + " s",
                figures};
    return {"slowed: 8 guesses took " + Fixed(total, 2) + " s, the last " + Fixed(last, 2) + " s", figures};
}

// The demo's "Case Detail" as a TIFF (some 45 MB) from a server that sends at most
// 4 MiB: is it made whole before it is refused?
Outcome OversizedReport(CAttackedServer& server)
{
    CServerSession admin;
    if (LogIn(admin, server.Port(), "admin", "admin") != 0)
        return {"admin log-in failed", ""};
    const auto start = Clock::now();
    CStringList all;
    CBinaryObject document;
    const bool sent = admin.SendCommand("GENERATECASEREPORTVIEW") > 0 && admin.SendString("Case Detail") &&
                      admin.SendObject(all) && admin.SendInt(2) > 0;
    const bool answered = sent && admin.ReceiveObject(document, 600);
    const std::string seconds = Fixed(Since(start)) + " s";
    if (answered)
        return {"sent: " + Size(static_cast<int64_t>(document.GetSize())), seconds};
    const std::string log = server.Log();
    return {log.find("stopped while it was built") != std::string::npos ? "refused: stopped while it was built"
                                                                         : "refused after it was made whole",
            seconds};
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PATH/TO/inventory-server [--label NAME] [ATTACK...]\n", argv[0]);
        return 2;
    }
    ::signal(SIGPIPE, SIG_IGN);
    rlimit files{};
    if (::getrlimit(RLIMIT_NOFILE, &files) == 0) {
        files.rlim_cur = files.rlim_max;
        ::setrlimit(RLIMIT_NOFILE, &files);
    }
    RegisterRecordClasses(CClassRegistry::Global());
    const std::string binary = argv[1];
    std::string label = binary;
    std::vector<std::string> chosen;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--label") == 0 && i + 1 < argc)
            label = argv[++i];
        else
            chosen.emplace_back(argv[i]);
    }

    const std::vector<Attack> attacks = {
        {"account-reuse", "1", {}, AccountNumberReused},
        {"huge-user-id", "3", {}, [](CAttackedServer& s) { return HugeUserIds(s, 1); }},
        {"huge-user-id-x6", "3", {}, [](CAttackedServer& s) { return HugeUserIds(s, 6); }},
        {"setcaseview-refs", "4", {}, ReferencedColumns},
        {"setcaseviewpropset-refs", "4", {}, ReferencedViews},
        {"trickle", "5", {"--idle-timeout", "6"}, Trickle},
        {"idle-sockets", "5", {}, IdleSockets},
        {"password-guessing", "6", {}, PasswordGuessing},
        {"oversized-report", "7", {"--max-report", "4194304"}, OversizedReport},
    };
    std::printf("server: %s\n\n", label.c_str());
    std::printf("| attack | item | outcome | figures | VmHWM at start | VmHWM after |\n|---|---|---|---|---|---|\n");
    std::fflush(stdout);
    for (const Attack& attack : attacks) {
        if (!chosen.empty() && std::find(chosen.begin(), chosen.end(), attack.name) == chosen.end())
            continue;
        CAttackedServer server(binary, attack.options);
        if (server.Port() == 0) {
            std::printf("| %s | %s | the server did not start | | | |\n", attack.name, attack.issueItem);
            std::fprintf(stderr, "%s", server.Log().c_str());
            continue;
        }
        const int64_t atStart = server.PeakBytes();
        const Outcome outcome = attack.run(server);
        const int64_t after = server.PeakBytes();
        std::printf("| %s | %s | %s | %s | %s | %s |\n", attack.name, attack.issueItem, outcome.what.c_str(),
                    outcome.extra.c_str(), MiB(atStart).c_str(), after > 0 ? MiB(after).c_str() : "(server gone)");
        std::fflush(stdout);
    }
    return 0;
}
