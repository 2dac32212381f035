// Feeds arbitrary bytes to the inventory server's side of a connection, as if a client
// had sent them and then closed: command lines, integer and text lines, payloads. The
// conversation must end without crashing, hanging or growing without bound.
// The first input byte chooses the server's mode: bit 0 enciphered, bit 1 redirecting.
#include "net/server_session.h"
#include "server/account_store.h"
#include "server/connection_handler.h"
#include "server/database.h"
#include "server/live_sessions.h"
#include "server/reports/report_generator.h"
#include "server/server_log.h"
#include "server/store/inventory_store.h"

#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

struct Fixture {
    Fixture()
    {
        // Attachment printouts and reports are laid out with Qt, as the server does.
        InitReportGenerator();
        std::string error;
        // An account with every right but the archive-only limit, so that inputs reach
        // every command's work.
        if (!database.Open(":memory:", error) ||
            !accounts.Add({"admin", "Administrator", AccountKind::child, 0x3FFFFF}, "admin", 1000, error))
            std::abort();
    }
    // A case that the seeds name as FUZZ-1, there again before every input.
    void EnsureCase()
    {
        {
            CCachedStatement exists = database.Prepare("SELECT 1 FROM Cases WHERE CaseNumber = 'FUZZ-1';");
            if (exists->Step())
                return;
        }
        CTransaction transaction(database);
        CAuditCase record;
        record.insuredName = "Fuzz Co.";
        record.childName = "Kid";
        record.childGroupCode = 1;
        const std::string number = inventory.cases.Insert(record, "fuzz");
        CCachedStatement rename = database.Prepare("UPDATE Cases SET CaseNumber = 'FUZZ-1' WHERE CaseNumber = ?;");
        rename->BindText(1, number);
        rename->Step();
        transaction.Commit();
    }
    CDatabase database;
    CAccountStore accounts{database};
    CInventoryStore inventory{database, 1000};
    CServerLog log{[](const std::string&) {}};
};

// Inputs up to this size fit in the socket buffer at once; whatever does not fit is left
// out rather than waited for, since nobody reads until the whole input is written.
constexpr size_t kMaxInput = 65536;

}  // namespace

// The report commands lay out text, and Qt's font look-ups go through fontconfig, whose
// caches live for the whole process; they are not leaks of ours.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static Fixture* fixture = new Fixture;
    if (size == 0 || size > kMaxInput)
        return 0;
    fixture->EnsureCase();

    ServerOptions options;
    options.encrypt = (data[0] & 1) != 0;
    if (data[0] & 2) {
        options.redirectHost = "127.0.0.1";
        options.redirectPort = 9001;
    }
    options.idleTimeoutSeconds = 1;
    options.maxPayloadBytes = 4096;
    options.parentSync = false;  // no connection leaves the process

    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0)
        std::abort();
    const int bufferSize = static_cast<int>(kMaxInput * 2);
    ::setsockopt(ends[0], SOL_SOCKET, SO_SNDBUF, &bufferSize, sizeof bufferSize);
    ::setsockopt(ends[1], SOL_SOCKET, SO_RCVBUF, &bufferSize, sizeof bufferSize);
    size_t written = 0;
    while (written < size - 1) {
        const ssize_t n = ::send(ends[0], data + 1 + written, size - 1 - written, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n <= 0)
            break;
        written += static_cast<size_t>(n);
    }
    ::shutdown(ends[0], SHUT_WR);

    CLiveSessions liveSessions;
    ServerContext context{options, fixture->accounts, liveSessions, fixture->log, fixture->inventory};
    {
        CServerSession session;
        if (!session.Adopt(ends[1]))
            std::abort();
        CConnectionHandler handler(session, context, 1);
        handler.Run();
    }
    ::close(ends[0]);
    return 0;
}
