// GENERATECASEVIEW end to end over loopback, for 10 000 and 100 000 cases shown with
// 8 columns: the office client's CInventoryServer asks an inventory server running in
// this process (its listener, connection thread and SQLite store) and decodes the reply.
// Beside the end-to-end time, the same work in its parts:
//   server    the query with its formatted cells, then archive and compression
//   transfer  the payload's length line and 255-byte pieces from one session to another
//   client    expansion and loading of the reply record
// and a raw loopback copy of the same payload bytes (64 KiB sends, no protocol).
#include "bench_cases.h"
#include "bench_support.h"
#include "codec/class_registry.h"
#include "codec/mem_file.h"
#include "net/inventory_server.h"
#include "records/audit_case.h"
#include "records/case_query_data.h"
#include "records/case_query_request_info.h"
#include "records/case_query_results.h"
#include "records/register_records.h"
#include "server/access_rights.h"
#include "server/account_store.h"
#include "server/database.h"
#include "server/listener.h"
#include "server/live_sessions.h"
#include "server/server_log.h"
#include "server/store/inventory_store.h"
#include "server/store/server_time.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <thread>

namespace {

using bench::FillCases;

using bench::BestSeconds;
using bench::ConnectPair;
using bench::kRuns;


// Every open case, sorted by due date and insured name, in 8 columns.
CCaseQueryData BenchView()
{
    return bench::CaseListView("All Open", "[ChildGroupCode] < 8");
}

struct Figures {
    double endToEnd = -1;
    double query = -1;
    double encode = -1;
    double transfer = -1;
    double decode = -1;
    double rawCopy = -1;
    size_t archiveBytes = 0;
    size_t payloadBytes = 0;
};

bool Measure(int cases, Figures& f)
{
    char folder[] = "/tmp/orv-bench-query-XXXXXX";
    if (::mkdtemp(folder) == nullptr)
        return false;
    const std::string path = std::string(folder) + "/inventory.db";
    bool ok = false;
    {
        CDatabase database;
        std::string error;
        if (!database.Open(path, error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return false;
        }
        CAccountStore accounts(database);
        const AccountInfo account{"bench", "Bench Administrator", AccountKind::child, kAdministratorRights, 0};
        CInventoryStore inventory(database, 1);
        SessionUser user;
        if (!accounts.Add(account, "bench", 1, error) ||
            !inventory.accounts.FindLogin("bench", user.kind, user.accountId) ||
            !accounts.LoadUser(user.kind, user.accountId, user) || !FillCases(inventory, cases)) {
            std::fprintf(stderr, "cannot set up %d cases: %s\n", cases, error.c_str());
            return false;
        }
        const ViewOwner owner{user.kind, user.accountId};
        if (inventory.views.SetCaseView(owner, -1, BenchView()) != 0)
            return false;
        CCaseQueryRequestInfo request;
        request.viewId = inventory.views.CaseViewParams(owner).front().viewId;
        request.target = "All Parents";

        ServerOptions options;
        options.port = 0;
        CServerLog quiet([](const std::string&) {});
        CLiveSessions live;
        ServerContext context{options, accounts, live, quiet, inventory};
        CListener listener(context);
        if (!listener.Start(error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return false;
        }

        CInventoryServer client;
        if (client.ConnectByName("127.0.0.1", listener.GetPort()) != 0 ||
            client.CreateSession(CServerSession::kOfficeClientType, CServerSession::kOfficeClientVersion) != 0 ||
            client.OpenSession("bench", "bench") != 0)
            return false;
        size_t rows = 0;
        f.endToEnd = BestSeconds([&]() {
            CCaseQueryResults results;
            if (!client.GenerateCaseView(request, results))
                return false;
            rows = results.rows.size();
            return true;
        });
        client.CloseSession();
        listener.Stop();
        if (rows == 0) {
            std::fprintf(stderr, "no rows\n");
            return false;
        }

        // The parts, one at a time.
        CCaseQueryResults results;
        f.query = BestSeconds([&]() {
            results = CCaseQueryResults();
            std::string reason;
            return inventory.queries.Run(user, request, NowDate(), results, reason) && results.rows.size() == rows;
        });
        f.archiveBytes = ArchiveBytes(results).size();
        CServerSession coder;
        CMemFile payload;
        f.encode = BestSeconds([&]() {
            payload = CMemFile();
            return coder.EncodePayload(results, payload);
        });
        const std::string bytes = payload.ToString();
        f.payloadBytes = bytes.size();
        f.decode = BestSeconds([&]() {
            CMemFile copy(bytes);
            CCaseQueryResults decoded;
            return coder.DecodePayload(copy, decoded) && decoded.rows.size() == rows;
        });
        CServerSession sender;
        CServerSession receiver;
        if (!ConnectPair(sender, receiver))
            return false;
        f.transfer = BestSeconds([&]() {
            bool sent = false;
            std::thread thread([&]() {
                CMemFile source(bytes);
                sent = sender.SendRaw(source) == CServerSession::transferDone;
            });
            CMemFile sink;
            const bool received = receiver.ReceiveRaw(sink, 60) == CServerSession::transferDone;
            thread.join();
            return sent && received && sink.GetLength() == bytes.size();
        });
        f.rawCopy = BestSeconds(
            [&]() { return bench::RawCopy(sender.GetHandle(), receiver.GetHandle(), bytes); });
        ok = f.query > 0 && f.encode > 0 && f.decode > 0 && f.transfer > 0 && f.rawCopy > 0;
    }
    const std::string cleanup = std::string("rm -rf '") + folder + "'";
    if (std::system(cleanup.c_str()) != 0)
        std::fprintf(stderr, "cannot remove %s\n", folder);
    return ok;
}

}  // namespace

int main()
{
    RegisterRecordClasses(CClassRegistry::Global());
    std::printf("GENERATECASEVIEW, 8 columns, best of %d runs\n", kRuns);
    std::printf("%8s %11s %11s %9s %11s | %8s %8s %8s %8s %8s | %8s %9s\n", "cases", "archive B", "payload B",
                "end-to-end", "rows/s", "query", "encode", "transfer", "decode", "parts", "raw copy", "raw MB/s");
    for (const int cases : {10000, 100000}) {
        Figures f;
        if (!Measure(cases, f)) {
            std::printf("%8d failed\n", cases);
            return 1;
        }
        const double parts = f.query + f.encode + f.transfer + f.decode;
        std::printf("%8d %11zu %11zu %9.3fs %11.0f | %7.3fs %7.3fs %7.3fs %7.3fs %7.3fs | %7.4fs %9.1f\n", cases,
                    f.archiveBytes, f.payloadBytes, f.endToEnd, cases / f.endToEnd, f.query, f.encode, f.transfer,
                    f.decode, parts, f.rawCopy, static_cast<double>(f.payloadBytes) / 1e6 / f.rawCopy);
        std::printf("%8s split of the parts: server %.0f%% (query %.0f%%, encode %.0f%%), transfer %.0f%%, client "
                    "%.0f%%\n",
                    "", 100 * (f.query + f.encode) / parts, 100 * f.query / parts, 100 * f.encode / parts,
                    100 * f.transfer / parts, 100 * f.decode / parts);
    }
    return 0;
}
