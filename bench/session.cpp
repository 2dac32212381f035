// Object transfer over loopback, client -> server -> client: the client sends a
// CBinaryObject of 1 MiB and of 16 MiB with SendObject, the server side (a session over
// the accepted socket, with the inventory server's whole-item time-outs) receives it with
// ReceiveObject and sends it back with SendObject, and the client receives it again.
// Plain and enciphered. In the same run and for the same bytes:
//   coding only   the same two encodes and two decodes (archive, block compression, the
//                 cipher when switched on) without a socket;
//   ratio         coding-only time / end-to-end time: the share of the end-to-end time
//                 that the coding itself takes (1.0 = the wire costs nothing);
//   transfer      the payload bytes alone, SendRaw -> ReceiveRaw both ways;
//   raw copy      the payload bytes both ways as bare 64 KiB socket sends.
// The MB/s figures count the object's bytes (or the payload's) once per direction.
#include "bench_support.h"
#include "codec/binary_object.h"
#include "codec/mem_file.h"
#include "net/server_session.h"

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <thread>

namespace {

using bench::Clock;
using bench::ConnectPair;

constexpr int kRounds = 5;  // the best of these is reported; the measures take turns
constexpr int kWait = 60;

// Bytes like those of a generated report or an attachment: text with repeated words
// and numbers, compressible but not trivially.
std::string DocumentBytes(size_t size)
{
    static const char* const kWords[] = {"premium", "audit", "payroll", "class code", "exposure", "policy",
                                         "insured", "carrier", "inspection", "survey", "\r\n", "total"};
    std::mt19937 random(42);
    std::string bytes;
    bytes.reserve(size + 32);
    while (bytes.size() < size) {
        bytes += kWords[random() % 12];
        bytes += ' ';
        bytes += std::to_string(random() % 100000);
        bytes += ' ';
    }
    bytes.resize(size);
    return bytes;
}

template <class Run>
double Seconds(Run&& run)
{
    const auto start = Clock::now();
    if (!run())
        return -1;
    return std::chrono::duration<double>(Clock::now() - start).count();
}

struct Figures {
    size_t wireBytes = 0;
    double endToEnd = 1e30;
    double coding = 1e30;
    double transfer = 1e30;
    double rawCopy = 1e30;
};

// Client -> server -> client, as a command with a record argument and a record reply.
bool RoundTrip(CServerSession& client, CServerSession& server, CBinaryObject& sent)
{
    bool echoed = false;
    std::thread serverSide([&]() {
        CBinaryObject received;
        echoed = server.ReceiveObject(received, kWait) && server.SendObject(received);
    });
    const bool sendOk = client.SendObject(sent);
    CBinaryObject back;
    const bool backOk = sendOk && client.ReceiveObject(back, kWait);
    serverSide.join();
    return echoed && backOk && back.GetBytes() == sent.GetBytes();
}

// The same coding work without a socket: encode and decode on each side.
bool CodingOnly(CServerSession& client, CServerSession& server, CBinaryObject& sent)
{
    CMemFile there;
    CBinaryObject atServer;
    if (!client.EncodePayload(sent, there) || !server.DecodePayload(there, atServer))
        return false;
    CMemFile back;
    CBinaryObject atClient;
    return server.EncodePayload(atServer, back) && client.DecodePayload(back, atClient) &&
           atClient.GetSize() == sent.GetSize();
}

// The payload bytes alone, both ways.
bool TransferOnly(CServerSession& client, CServerSession& server, const std::string& payload)
{
    for (int direction = 0; direction < 2; ++direction) {
        CServerSession& from = direction == 0 ? client : server;
        CServerSession& to = direction == 0 ? server : client;
        bool sent = false;
        std::thread sender([&]() {
            CMemFile source(payload);
            sent = from.SendRaw(source) == CServerSession::transferDone;
        });
        CMemFile sink;
        const bool received = to.ReceiveRaw(sink, kWait) == CServerSession::transferDone;
        sender.join();
        if (!sent || !received || sink.GetLength() != payload.size())
            return false;
    }
    return true;
}

bool Measure(const std::string& bytes, bool enciphered, Figures& f)
{
    CServerSession client;
    CServerSession server;
    if (!ConnectPair(client, server))
        return false;
    server.SetWholeItemTimeouts(true);
    if (enciphered) {
        client.EnableEncryption();
        server.EnableEncryption();
    }
    CBinaryObject sent(bytes);
    CMemFile encoded;
    if (!client.EncodePayload(sent, encoded))
        return false;
    const std::string payload = encoded.ToString();
    f.wireBytes = payload.size();

    for (int round = 0; round < kRounds; ++round) {
        const double coding = Seconds([&]() { return CodingOnly(client, server, sent); });
        const double endToEnd = Seconds([&]() { return RoundTrip(client, server, sent); });
        const double transfer = Seconds([&]() { return TransferOnly(client, server, payload); });
        const double rawCopy = Seconds([&]() {
            return bench::RawCopy(client.GetHandle(), server.GetHandle(), payload) &&
                   bench::RawCopy(server.GetHandle(), client.GetHandle(), payload);
        });
        if (coding < 0 || endToEnd < 0 || transfer < 0 || rawCopy < 0)
            return false;
        f.coding = std::min(f.coding, coding);
        f.endToEnd = std::min(f.endToEnd, endToEnd);
        f.transfer = std::min(f.transfer, transfer);
        f.rawCopy = std::min(f.rawCopy, rawCopy);
    }
    return true;
}

}  // namespace

int main()
{
    std::printf("client -> server -> client, best of %d rounds; MB/s per direction\n", kRounds);
    std::printf("%-7s %-10s %10s | %10s %8s | %10s %8s | %6s | %12s %12s\n", "object", "payload", "wire bytes",
                "end-to-end", "MB/s", "coding", "MB/s", "ratio", "transfer MB/s", "raw copy MB/s");
    bool allMet = true;
    for (const size_t size : {size_t{1} << 20, size_t{16} << 20}) {
        const std::string bytes = DocumentBytes(size);
        for (const bool enciphered : {false, true}) {
            Figures f;
            if (!Measure(bytes, enciphered, f)) {
                std::printf("%zu MiB %s: transfer failed\n", size >> 20, enciphered ? "enciphered" : "plain");
                return 1;
            }
            const double objectMB = 2.0 * static_cast<double>(size) / 1e6;
            const double wireMB = 2.0 * static_cast<double>(f.wireBytes) / 1e6;
            const double ratio = f.coding / f.endToEnd;
            allMet = allMet && ratio >= 0.8;
            std::printf("%-7s %-10s %10zu | %9.3fs %8.1f | %9.3fs %8.1f | %5.2fx | %13.1f %13.1f\n",
                        (std::to_string(size >> 20) + " MiB").c_str(), enciphered ? "enciphered" : "plain",
                        f.wireBytes, f.endToEnd, objectMB / f.endToEnd, f.coding, objectMB / f.coding, ratio,
                        wireMB / f.transfer, wireMB / f.rawCopy);
        }
    }
    std::printf("end-to-end within 0.8x of coding only: %s\n", allMet ? "yes" : "no");
    return 0;
}
