// Payloads move in large chunks, yet the bytes on the wire and what the progress hooks
// hear are those of pieces of 255: a length line, then exactly the payload, with a hook
// call at every 255-byte boundary and at the end. A hook answering 0 part-way through a
// payload of many chunks still stops the send and the receive.

#include "codec/mem_file.h"
#include "net/server_session.h"
#include "support/fake_peer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kWait = 10;  // seconds; only reached when something is broken
constexpr int kPiece = CServerSession::kMaxPiece;
constexpr size_t kChunk = CServerSession::kTransferChunk;

const std::vector<size_t> kSizes = {0, 1, 255, 256, 255 * 7, kChunk - 3, kChunk + 1, 3 * kChunk + 1000};

std::string Payload(size_t n)
{
    std::string bytes(n, '\0');
    for (size_t i = 0; i < n; ++i)
        bytes[i] = static_cast<char>((i * 131 + i / 256) & 0xFF);
    return bytes;
}

std::string Envelope(const std::string& payload)
{
    return std::to_string(payload.size()) + "\r\n" + payload;
}

// The hook counts of pieces of 255: every boundary, then the end.
std::vector<int64_t> PieceCounts(size_t n)
{
    std::vector<int64_t> counts;
    for (size_t c = kPiece; c <= n; c += kPiece)
        counts.push_back(static_cast<int64_t>(c));
    if (n % kPiece != 0)
        counts.push_back(static_cast<int64_t>(n));
    return counts;
}

// A source that is not a memory file and hands out at most 1000 bytes per read.
class CTrickleSource : public CByteStream {
public:
    explicit CTrickleSource(std::string bytes) : m_bytes(std::move(bytes)) {}
    size_t Read(void* buffer, size_t n) override
    {
        const size_t count = std::min({n, size_t{1000}, m_bytes.size() - m_position});
        std::memcpy(buffer, m_bytes.data() + m_position, count);
        m_position += count;
        return count;
    }
    void Write(const void*, size_t) override {}
    uint64_t GetLength() override { return m_bytes.size(); }
    uint64_t GetPosition() override { return m_position; }
    void Seek(uint64_t position) override { m_position = static_cast<size_t>(position); }

private:
    std::string m_bytes;
    size_t m_position = 0;
};

}  // namespace

TEST(PayloadChunks, WireBytesAndHookCountsAreThoseOfPieces)
{
    // Sending, from a memory file and from another kind of source.
    for (const bool fromMemory : {true, false}) {
        CFakePeer peer;
        peer.ReadToEnd();
        peer.Start();
        CServerSession session;
        ASSERT_EQ(session.ConnectByName("127.0.0.1", peer.Port()), 0);
        std::string expected;
        for (const size_t size : kSizes) {
            const std::string payload = Payload(size);
            std::vector<int64_t> counts;
            session.SetSendProgressHook([&counts](int64_t count) {
                counts.push_back(count);
                return 1;
            });
            CMemFile memory(payload);
            CTrickleSource trickle(payload);
            CByteStream& source = fromMemory ? static_cast<CByteStream&>(memory) : trickle;
            EXPECT_EQ(session.SendRaw(source), CServerSession::transferDone) << size;
            EXPECT_EQ(source.Remaining(), 0u) << size;
            EXPECT_EQ(counts, PieceCounts(size)) << size;
            expected += Envelope(payload);
        }
        session.Close();
        ASSERT_TRUE(peer.WaitDone());
        EXPECT_TRUE(peer.Received() == expected) << "from memory: " << fromMemory;
    }

    // Receiving all of them back to back: each receive ends at its payload's end.
    std::string wire;
    for (const size_t size : kSizes)
        wire += Envelope(Payload(size));
    CFakePeer peer;
    peer.Write(wire + "NEXT").Close();
    peer.Start();
    CServerSession session;
    ASSERT_EQ(session.ConnectByName("127.0.0.1", peer.Port()), 0);
    for (const size_t size : kSizes) {
        std::vector<int64_t> counts;
        session.SetReceiveProgressHook([&counts](int64_t count) {
            counts.push_back(count);
            return 1;
        });
        CMemFile sink;
        EXPECT_EQ(session.ReceiveRaw(sink, kWait), CServerSession::transferDone) << size;
        EXPECT_TRUE(sink.ToString() == Payload(size)) << size;
        EXPECT_EQ(counts, PieceCounts(size)) << size;
    }
    char rest[8] = {};
    EXPECT_EQ(session.Receive(rest, sizeof rest, kWait), 4);
    EXPECT_STREQ(rest, "NEXT");
}

TEST(PayloadChunks, HookAnsweringZeroPartWayStopsSendAndReceive)
{
    const std::string payload = Payload(4 * kChunk);
    const int64_t stopAt = static_cast<int64_t>(kChunk) + 1000;  // inside the second chunk

    {
        CFakePeer peer;
        peer.ReadToEnd();
        peer.Start();
        CServerSession session;
        ASSERT_EQ(session.ConnectByName("127.0.0.1", peer.Port()), 0);
        int64_t answeredZero = -1;
        int callsAfterZero = 0;
        session.SetSendProgressHook([&](int64_t count) {
            if (answeredZero >= 0)
                ++callsAfterZero;
            if (count < stopAt)
                return 1;
            answeredZero = count;
            return 0;
        });
        CMemFile source(payload);
        EXPECT_EQ(session.SendRaw(source), CServerSession::transferSendStopped);
        EXPECT_EQ(callsAfterZero, 0);
        session.Close();
        ASSERT_TRUE(peer.WaitDone());
        const std::string line = std::to_string(payload.size()) + "\r\n";
        const std::string received = peer.Received();
        ASSERT_GE(received.size(), line.size() + static_cast<size_t>(answeredZero));
        EXPECT_LT(received.size(), line.size() + payload.size()) << "nothing after the chunk of the stop";
        EXPECT_TRUE(received == (line + payload).substr(0, received.size()));
    }
    {
        CFakePeer peer;
        peer.Write(Envelope(payload)).Hold();
        peer.Start();
        CServerSession session;
        ASSERT_EQ(session.ConnectByName("127.0.0.1", peer.Port()), 0);
        int64_t answeredZero = -1;
        session.SetReceiveProgressHook([&](int64_t count) {
            if (count < stopAt)
                return 1;
            answeredZero = count;
            return 0;
        });
        CMemFile sink;
        EXPECT_EQ(session.ReceiveRaw(sink, kWait), CServerSession::transferReceiveStopped);
        EXPECT_EQ(answeredZero, (stopAt / kPiece + 1) * kPiece);
        EXPECT_TRUE(sink.ToString() == payload.substr(0, static_cast<size_t>(answeredZero)))
            << "the sink holds exactly what the hook heard of";
    }
}
