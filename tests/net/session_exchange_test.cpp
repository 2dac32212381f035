// CREATESESSION, OPENSESSION and CLOSESESSION as they appear on the wire, and the
// client's -10 when an exchange breaks down.

#include "codec/mem_file.h"
#include "codec/string_object.h"
#include "net/server_session.h"
#include "support/fake_peer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kCreateRequest = "CREATESESSION\r\nOFFICECLIENT\r\n107\r\n";

int CreateAgainst(CFakePeer& peer, CServerSession& session)
{
    peer.Start();
    EXPECT_EQ(session.ConnectByName("127.0.0.1", peer.Port()), 0);
    return session.CreateSession(CServerSession::kOfficeClientType, CServerSession::kOfficeClientVersion);
}

// Splits "N\r\n" + N bytes off the front of the wire text.
std::string TakePayload(std::string& wire)
{
    const size_t end = wire.find("\r\n");
    if (end == std::string::npos)
        return {};
    const size_t length = std::stoul(wire.substr(0, end));
    std::string payload = wire.substr(end + 2, length);
    wire.erase(0, end + 2 + length);
    return payload;
}

std::string DecodeText(const std::string& payload)
{
    CServerSession decoder;
    CMemFile file(payload);
    CStringObject text;
    EXPECT_TRUE(decoder.DecodePayload(file, text));
    return text.GetText();
}

}  // namespace

TEST(CreateSession, ResultOneEnciphersAndReturnsZero)
{
    CFakePeer peer;
    peer.Read(kCreateRequest.size()).Write("1\r\n").Hold();
    CServerSession session;
    EXPECT_EQ(CreateAgainst(peer, session), 0);
    EXPECT_TRUE(session.IsEncrypted());
    EXPECT_EQ(peer.Received(), kCreateRequest);
}

TEST(CreateSession, OtherResultsPassThroughAndLeavePayloadsPlain)
{
    for (const char* reply : {"0\r\n", "-8\r\n", "-9\r\nother.host\r\n9100\r\n"}) {
        CFakePeer peer;
        peer.Read(kCreateRequest.size()).Write(reply).Hold();
        CServerSession session;
        EXPECT_EQ(CreateAgainst(peer, session), std::stoi(reply)) << reply;
        EXPECT_FALSE(session.IsEncrypted()) << reply;
    }
}

TEST(CreateSession, NewSessionStartsPlainAfterAnEncipheredOne)
{
    CServerSession session;
    CFakePeer enciphering;
    enciphering.Read(kCreateRequest.size()).Write("1\r\n").Hold();
    ASSERT_EQ(CreateAgainst(enciphering, session), 0);
    ASSERT_TRUE(session.IsEncrypted());
    session.CloseSession();
    session.Close();
    EXPECT_TRUE(session.IsEncrypted()) << "closing keeps the session's cipher state";

    // Logged out, the same object logs in to a server that wants plain payloads.
    CFakePeer plain;
    plain.Read(kCreateRequest.size()).Write("0\r\n").Hold();
    ASSERT_EQ(CreateAgainst(plain, session), 0);
    EXPECT_FALSE(session.IsEncrypted());
}

TEST(CreateSession, BrokenExchangeGivesMinusTen)
{
    CFakePeer silent;
    silent.Read(kCreateRequest.size()).Close();
    CServerSession session;
    EXPECT_EQ(CreateAgainst(silent, session), CServerSession::kExchangeFailed);

    CServerSession unconnected;
    EXPECT_EQ(unconnected.CreateSession("OFFICECLIENT", 107), CServerSession::kExchangeFailed);
    EXPECT_EQ(unconnected.OpenSession("admin", "admin"), CServerSession::kExchangeFailed);
}

TEST(OpenSession, SendsTwoStringObjectsAndReturnsTheServersResult)
{
    CFakePeer peer;
    peer.ReadLine().ReadEnvelope().ReadEnvelope().Write("-3\r\n").Hold();
    peer.Start();
    CServerSession session;
    ASSERT_EQ(session.ConnectByName("127.0.0.1", peer.Port()), 0);
    EXPECT_EQ(session.OpenSession("admin", "secret"), -3);

    std::string wire = peer.Received();
    ASSERT_EQ(wire.substr(0, 13), "OPENSESSION\r\n");
    wire.erase(0, 13);
    EXPECT_EQ(DecodeText(TakePayload(wire)), "admin");
    EXPECT_EQ(DecodeText(TakePayload(wire)), "secret");
    EXPECT_TRUE(wire.empty());
}

TEST(OpenSession, NoReplyGivesMinusTen)
{
    CFakePeer peer;
    peer.ReadLine().ReadEnvelope().ReadEnvelope().Close();
    peer.Start();
    CServerSession session;
    ASSERT_EQ(session.ConnectByName("127.0.0.1", peer.Port()), 0);
    EXPECT_EQ(session.OpenSession("admin", "secret"), CServerSession::kExchangeFailed);
}

TEST(CloseSession, SendsTheWordAndReadsNothing)
{
    CFakePeer peer;
    peer.ReadLine().Write("0\r\n").Hold();
    peer.Start();
    CServerSession session;
    ASSERT_EQ(session.ConnectByName("127.0.0.1", peer.Port()), 0);
    session.CloseSession();
    ASSERT_TRUE(peer.WaitDone());
    EXPECT_EQ(peer.Received(), "CLOSESESSION\r\n");
    ASSERT_FALSE(session.WaitReadable(5, 0));
    char reply[8] = {};
    EXPECT_EQ(session.ReceiveNow(reply, sizeof reply), 3) << "the peer's bytes are still unread";
}
