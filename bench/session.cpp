// Object transfer over loopback: a CBinaryObject of 1 MiB and of 16 MiB sent with
// SendObject and received with ReceiveObject (archive, block compression, the cipher
// when switched on, pieces of 255 bytes), plain and enciphered. Beside each figure, a
// raw loopback copy of the same bytes in the same run (64 KiB sends, no encoding) shows
// what the socket alone would carry.
#include "bench_support.h"
#include "codec/binary_object.h"
#include "codec/mem_file.h"
#include "net/server_session.h"

#include <cstdio>
#include <random>
#include <string>
#include <thread>

namespace {

using bench::BestSeconds;
using bench::ConnectPair;

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

// Sends the bytes over loopback in 64 KiB sends and reads them back.
double RawCopySeconds(const std::string& bytes)
{
    return BestSeconds([&bytes]() {
        // A loopback TCP pair like the sessions', used through its bare descriptors.
        CServerSession a;
        CServerSession b;
        if (!ConnectPair(a, b))
            return false;
        return bench::RawCopy(a.GetHandle(), b.GetHandle(), bytes);
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
