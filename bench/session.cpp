// Object transfer over loopback: a CBinaryObject of 1 MiB and of 16 MiB sent with
// SendObject and received with ReceiveObject (archive, block compression, the cipher
// when switched on, pieces of 255 bytes), plain and enciphered. Beside each figure, a
// raw loopback copy of the same bytes in the same run (64 KiB sends, no encoding) shows
// what the socket alone would carry.
#include "codec/binary_object.h"
#include "codec/mem_file.h"
#include "net/server_session.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int kRuns = 3;  // the best of these is reported
using Clock = std::chrono::steady_clock;

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

// A connected pair of sessions: the client connects, the other side adopts the accepted
// socket as the inventory server does.
bool ConnectPair(CServerSession& client, CServerSession& server)
{
    const int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    bool ok = listener >= 0 && ::bind(listener, reinterpret_cast<sockaddr*>(&address), length) == 0 &&
              ::listen(listener, 1) == 0 &&
              ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) == 0 &&
              client.Connect(ntohs(address.sin_port), "127.0.0.1") == 0;
    if (ok) {
        const int accepted = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
        ok = accepted >= 0 && server.Adopt(accepted);
    }
    if (listener >= 0)
        ::close(listener);
    return ok;
}

double BestSeconds(const std::function<bool()>& run)
{
    double best = 1e30;
    for (int i = 0; i < kRuns; ++i) {
        const auto start = Clock::now();
        if (!run())
            return -1;
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    }
    return best;
}

// Sends the bytes over loopback in 64 KiB sends and reads them back.
double RawCopySeconds(const std::string& bytes)
{
    return BestSeconds([&bytes]() {
        // A loopback TCP pair like the sessions', used through its bare descriptors.
        CServerSession a;
        CServerSession b;
        if (!ConnectPair(a, b))
            return false;
        std::thread sender([&]() {
            size_t sent = 0;
            while (sent < bytes.size()) {
                const ssize_t n = ::send(a.GetHandle(), bytes.data() + sent,
                                         std::min<size_t>(65536, bytes.size() - sent), MSG_NOSIGNAL);
                if (n <= 0)
                    break;
                sent += static_cast<size_t>(n);
            }
        });
        std::vector<char> buffer(65536);
        size_t received = 0;
        while (received < bytes.size()) {
            const ssize_t n = ::recv(b.GetHandle(), buffer.data(), buffer.size(), 0);
            if (n <= 0)
                break;
            received += static_cast<size_t>(n);
        }
        sender.join();
        return received == bytes.size();
    });
}

double ObjectSeconds(const std::string& bytes, bool enciphered, size_t& wireBytes)
{
    CServerSession client;
    CServerSession server;
    if (!ConnectPair(client, server))
        return -1;
    if (enciphered) {
        client.EnableEncryption();
        server.EnableEncryption();
    }
    CBinaryObject sent(bytes);
    CMemFile payload;
    wireBytes = client.EncodePayload(sent, payload) ? static_cast<size_t>(payload.GetLength()) : 0;
    return BestSeconds([&]() {
        bool sendOk = false;
        std::thread sender([&]() { sendOk = client.SendObject(sent); });
        CBinaryObject received;
        const bool receiveOk = server.ReceiveObject(received, 60);
        sender.join();
        return sendOk && receiveOk && received.GetBytes() == bytes;
    });
}

// Encoding and decoding alone, without the socket.
double CodingSeconds(const std::string& bytes, bool enciphered)
{
    CServerSession coder;
    if (enciphered)
        coder.EnableEncryption();
    CBinaryObject sent(bytes);
    return BestSeconds([&]() {
        CMemFile payload;
        CBinaryObject received;
        return coder.EncodePayload(sent, payload) && coder.DecodePayload(payload, received) &&
               received.GetSize() == bytes.size();
    });
}

}  // namespace

int main()
{
    std::printf("%-8s %-11s %12s %10s %10s %18s %16s\n", "object", "payload", "wire bytes", "seconds", "MB/s",
                "coding only MB/s", "raw copy MB/s");
    for (const size_t size : {size_t{1} << 20, size_t{16} << 20}) {
        const std::string bytes = DocumentBytes(size);
        const double rawSeconds = RawCopySeconds(bytes);
        const double megabytes = static_cast<double>(size) / 1e6;
        for (const bool enciphered : {false, true}) {
            size_t wireBytes = 0;
            const double seconds = ObjectSeconds(bytes, enciphered, wireBytes);
            if (seconds < 0 || rawSeconds < 0) {
                std::printf("%zu MiB %s: transfer failed\n", size >> 20, enciphered ? "enciphered" : "plain");
                return 1;
            }
            const double codingSeconds = CodingSeconds(bytes, enciphered);
            std::printf("%-8s %-11s %12zu %10.3f %10.1f %18.1f %16.1f\n",
                        (std::to_string(size >> 20) + " MiB").c_str(), enciphered ? "enciphered" : "plain",
                        wireBytes, seconds, megabytes / seconds, megabytes / codingSeconds, megabytes / rawSeconds);
        }
    }
    return 0;
}
