// Integer lines and raw payload transfers against a scripted peer: the transfer
// statuses, the bounds on announced lengths, piece sizes and the progress hooks.

#include "codec/mem_file.h"
#include "net/server_session.h"
#include "support/fake_peer.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

constexpr int kWait = 5;  // seconds; only reached when something is broken

// A session connected to a peer that runs the given script.
struct Scripted {
    explicit Scripted(CFakePeer& peer)
    {
        peer.Start();
        EXPECT_EQ(session.ConnectByName("127.0.0.1", peer.Port()), 0);
    }
    CServerSession session;
};

std::string Rest(CServerSession& session)
{
    std::string rest;
    char buffer[256];
    int n;
    while ((n = session.Receive(buffer, sizeof buffer, kWait)) > 0)
        rest.append(buffer, static_cast<size_t>(n));
    return rest;
}

}  // namespace

TEST(ReceiveInt, ParsesLinesLikeAtoiAndClampsOverflow)
{
    CFakePeer peer;
    peer.Write("0\r\n-7\r\n+12\r\n  42abc\r\n99999999999\r\n-99999999999\r\nx\r\n").Close();
    Scripted s(peer);

    struct Expected {
        int length;
        int32_t value;
    };
    const std::vector<Expected> expected = {
        {3, 0}, {4, -7}, {5, 12}, {9, 42}, {13, INT32_MAX}, {14, INT32_MIN}, {3, 0},
    };
    for (const Expected& e : expected) {
        int32_t value = 1234;
        EXPECT_EQ(s.session.ReceiveInt(value, kWait), e.length);
        EXPECT_EQ(value, e.value);
    }
}

TEST(ReceiveInt, LineWithoutItsEndFailsAndLeavesTheValue)
{
    {
        // Cut at 63 bytes: the value is not taken, and the rest stays on the socket.
        CFakePeer peer;
        peer.Write(std::string(70, '1') + "\r\n").Close();
        Scripted s(peer);
        int32_t value = 55;
        EXPECT_LE(s.session.ReceiveInt(value, kWait), 0);
        EXPECT_EQ(value, 55);
        EXPECT_EQ(Rest(s.session), "1111111\r\n");
    }
    {
        // The peer closes half-way through the line.
        CFakePeer peer;
        peer.Write("12").Close();
        Scripted s(peer);
        int32_t value = 55;
        EXPECT_LE(s.session.ReceiveInt(value, kWait), 0);
        EXPECT_EQ(value, 55);
    }
}

TEST(ReceiveRaw, ExactLengthEndsWithDoneAndLeavesTheNextItem)
{
    CFakePeer peer;
    peer.Write("5\r\nabcdeXYZ").Close();
    Scripted s(peer);
    CMemFile sink;
    EXPECT_EQ(s.session.ReceiveRaw(sink, kWait), CServerSession::transferDone);
    EXPECT_EQ(sink.ToString(), "abcde");
    EXPECT_EQ(Rest(s.session), "XYZ");
}

TEST(ReceiveRaw, StallGivesTimeOutAndEarlyCloseGivesBroken)
{
    {
        CFakePeer peer;
        peer.Write("10\r\nabc").Hold();  // a time-out is the subject here
        Scripted s(peer);
        CMemFile sink;
        EXPECT_EQ(s.session.ReceiveRaw(sink, 1), CServerSession::transferTimedOut);
        EXPECT_EQ(sink.ToString(), "abc");
    }
    {
        CFakePeer peer;
        peer.Write("10\r\nabc").Close();
        Scripted s(peer);
        CMemFile sink;
        EXPECT_EQ(s.session.ReceiveRaw(sink, kWait), CServerSession::transferBroken);
    }
    {
        CFakePeer peer;
        peer.Close();
        Scripted s(peer);
        CMemFile sink;
        EXPECT_EQ(s.session.ReceiveRaw(sink, kWait), CServerSession::transferBroken) << "no length line at all";
    }
}

TEST(ReceiveRaw, LengthsOutOfBoundsFailBeforeAnyPayloadByteIsRead)
{
    CFakePeer peer;
    peer.Write("101\r\n" + std::string(101, 'p')).Close();
    Scripted s(peer);
    SessionLimits limits;
    limits.maxPayloadBytes = 100;
    s.session.SetLimits(limits);
    CMemFile sink;
    EXPECT_EQ(s.session.ReceiveRaw(sink, kWait), CServerSession::transferBroken);
    EXPECT_EQ(sink.GetLength(), 0u);
    EXPECT_EQ(Rest(s.session).size(), 101u);

    CFakePeer negativePeer;
    negativePeer.Write("-5\r\nabcde").Close();
    Scripted negative(negativePeer);
    EXPECT_EQ(negative.session.ReceiveRaw(sink, kWait), CServerSession::transferBroken);
    EXPECT_EQ(Rest(negative.session), "abcde");
}

TEST(ReceiveRaw, EmptyPayloadIsDoneWithoutWaitingForData)
{
    CFakePeer peer;
    peer.Write("0\r\n").Hold();
    Scripted s(peer);
    CMemFile sink;
    // A wait for payload bytes would time out here and give status 3.
    EXPECT_EQ(s.session.ReceiveRaw(sink, 1), CServerSession::transferDone);
}

TEST(ReceiveRaw, ProgressHookSeesPiecesAndCanStop)
{
    const std::string payload(600, 'q');
    CFakePeer peer;
    peer.Write("600\r\n" + payload + "600\r\n" + payload).Close();
    Scripted s(peer);

    std::vector<int64_t> counts;
    s.session.SetReceiveProgressHook([&counts](int64_t count) {
        counts.push_back(count);
        return 1;
    });
    CMemFile whole;
    EXPECT_EQ(s.session.ReceiveRaw(whole, kWait), CServerSession::transferDone);
    EXPECT_EQ(whole.ToString(), payload);
    ASSERT_FALSE(counts.empty());
    for (size_t i = 0; i < counts.size(); ++i)
        EXPECT_LE(counts[i] - (i == 0 ? 0 : counts[i - 1]), CServerSession::kMaxPiece);
    EXPECT_EQ(counts.back(), 600);

    s.session.SetReceiveProgressHook([](int64_t) { return 0; });
    CMemFile stopped;
    EXPECT_EQ(s.session.ReceiveRaw(stopped, kWait), CServerSession::transferReceiveStopped);
    EXPECT_LE(stopped.GetLength(), static_cast<uint64_t>(CServerSession::kMaxPiece));
}

TEST(SendRaw, SendsALengthLineAndPiecesOfAtMost255Bytes)
{
    const std::string payload(600, 's');
    CFakePeer peer;
    peer.ReadToEnd();
    Scripted s(peer);
    std::vector<int64_t> counts;
    s.session.SetSendProgressHook([&counts](int64_t count) {
        counts.push_back(count);
        return 1;
    });
    CMemFile source(payload);
    EXPECT_EQ(s.session.SendRaw(source), CServerSession::transferDone);
    EXPECT_EQ(counts, (std::vector<int64_t>{255, 510, 600}));
    s.session.Close();
    ASSERT_TRUE(peer.WaitDone());
    EXPECT_EQ(peer.Received(), "600\r\n" + payload);
}

TEST(SendRaw, StoppedSendIsNotReportedAsDone)
{
    const std::string payload(600, 's');
    CFakePeer peer;
    peer.ReadToEnd();
    Scripted s(peer);
    std::vector<int64_t> counts;
    s.session.SetSendProgressHook([&counts](int64_t count) {
        counts.push_back(count);
        return count < 510 ? 1 : 0;
    });
    CMemFile source(payload);
    EXPECT_EQ(s.session.SendRaw(source), CServerSession::transferSendStopped);
    EXPECT_EQ(counts, (std::vector<int64_t>{255, 510})) << "no hook call after the stop";
    s.session.Close();
    ASSERT_TRUE(peer.WaitDone());
    // The 600 bytes fit one send, which had gone out when the hook answered; with more
    // than one send, nothing after the stop goes out (see payload_chunks_test.cpp).
    EXPECT_EQ(peer.Received(), "600\r\n" + payload);
}

TEST(SendRaw, DeadConnectionSendsNothing)
{
    CFakePeer peer;
    peer.Close();
    Scripted s(peer);
    ASSERT_FALSE(s.session.WaitReadable(kWait, 0));
    CMemFile source(std::string("abc"));
    EXPECT_EQ(s.session.SendRaw(source), CServerSession::transferDeadBeforeSend);
    EXPECT_EQ(s.session.SendInt(5), -1);
}
