// Records through a real pair of sessions: round trips plain and enciphered, the
// 16 bytes the cipher adds to every payload in both directions once it is switched on,
// and object receives that fail without throwing.

#include "codec/binary_object.h"
#include "codec/mem_file.h"
#include "codec/string_object.h"
#include "net/server_session.h"
#include "support/session_pair.h"

#include <gtest/gtest.h>

#include <future>
#include <random>
#include <string>

namespace {

constexpr int kWait = 10;

std::string RandomBytes(size_t n, unsigned seed)
{
    std::mt19937 random(seed);
    std::string bytes(n, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random() & 0xFF);
    return bytes;
}

// Sends from one side on a thread of its own (large payloads would fill the socket
// buffers otherwise) and receives on the other.
bool RoundTrip(CServerSession& from, CServerSession& to, CObject& sent, CObject& received)
{
    auto sending = std::async(std::launch::async, [&] { return from.SendObject(sent); });
    const bool got = to.ReceiveObject(received, kWait);
    return sending.get() && got;
}

// The length on the wire of one payload, read raw on the receiving side.
size_t WireLength(CServerSession& from, CServerSession& to, CObject& record)
{
    auto sending = std::async(std::launch::async, [&] { return from.SendObject(record); });
    CMemFile raw;
    EXPECT_EQ(to.ReceiveRaw(raw, kWait), CServerSession::transferDone);
    EXPECT_TRUE(sending.get());
    return static_cast<size_t>(raw.GetLength());
}

}  // namespace

TEST(ObjectTransfer, BinaryObjectsRoundTripPlainAndEnciphered)
{
    CSessionPair pair;
    ASSERT_TRUE(pair.IsConnected());
    for (bool enciphered : {false, true}) {
        if (enciphered) {
            pair.client.EnableEncryption();
            pair.server.EnableEncryption();
        }
        // Incompressible data, over many pieces and several compressor blocks.
        CBinaryObject sent(RandomBytes(100000, 7));
        CBinaryObject received;
        ASSERT_TRUE(RoundTrip(pair.client, pair.server, sent, received)) << enciphered;
        EXPECT_EQ(received.GetBytes(), sent.GetBytes());

        CStringObject reply("reply text");
        CStringObject echoed;
        ASSERT_TRUE(RoundTrip(pair.server, pair.client, reply, echoed));
        EXPECT_EQ(echoed.GetText(), "reply text");
    }
}

TEST(ObjectTransfer, EncipheringAddsSixteenBytesInBothDirections)
{
    CSessionPair pair;
    ASSERT_TRUE(pair.IsConnected());
    CStringObject text(std::string(3000, 'a') + "tail");
    CBinaryObject block(RandomBytes(5000, 3));

    const size_t plainUp = WireLength(pair.client, pair.server, text);
    const size_t plainDown = WireLength(pair.server, pair.client, block);

    pair.client.EnableEncryption();
    pair.server.EnableEncryption();
    EXPECT_EQ(WireLength(pair.client, pair.server, text), plainUp + 16);
    EXPECT_EQ(WireLength(pair.server, pair.client, block), plainDown + 16);
    EXPECT_EQ(WireLength(pair.client, pair.server, text), plainUp + 16) << "every later payload";
}

TEST(ObjectTransfer, MismatchedCipherStateFailsTheReceiveWithoutThrowing)
{
    CSessionPair pair;
    ASSERT_TRUE(pair.IsConnected());
    CStringObject text("hello");
    CStringObject received;

    pair.client.EnableEncryption();  // the server side was not told
    EXPECT_FALSE(RoundTrip(pair.client, pair.server, text, received));

    pair.server.EnableEncryption();
    CServerSession plainSender;  // builds a plain payload that the server must reject
    CMemFile payload;
    ASSERT_TRUE(plainSender.EncodePayload(text, payload));
    auto sending = std::async(std::launch::async, [&] { return pair.client.SendRaw(payload); });
    EXPECT_FALSE(pair.server.ReceiveObject(received, kWait));
    EXPECT_EQ(sending.get(), CServerSession::transferDone);
}

TEST(ObjectTransfer, GarbageAndOversizedPayloadsFailWithoutThrowing)
{
    CServerSession session;
    CStringObject text;
    for (const std::string& bytes : {std::string(), std::string("\x01"), RandomBytes(300, 1), RandomBytes(5000, 2)}) {
        CMemFile garbage(bytes);
        EXPECT_FALSE(session.DecodePayload(garbage, text)) << bytes.size();
    }
    session.EnableEncryption();
    CMemFile shortCipher(std::string("fifteen bytes!!"));
    EXPECT_FALSE(session.DecodePayload(shortCipher, text));

    // A small payload that expands past the bound on archive size is not loaded.
    CServerSession sender;
    CBinaryObject zeros(std::string(200000, '\0'));
    CMemFile compact;
    ASSERT_TRUE(sender.EncodePayload(zeros, compact));
    ASSERT_LT(compact.GetLength(), 200000u);
    CServerSession bounded;
    SessionLimits limits;
    limits.maxObjectBytes = 100000;
    bounded.SetLimits(limits);
    CBinaryObject loaded;
    EXPECT_FALSE(bounded.DecodePayload(compact, loaded));
    limits.maxObjectBytes = 300000;
    bounded.SetLimits(limits);
    EXPECT_TRUE(bounded.DecodePayload(compact, loaded));
    EXPECT_EQ(loaded.GetSize(), 200000u);
}
