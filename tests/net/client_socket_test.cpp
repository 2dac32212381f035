// The socket transport against a scripted peer: connecting, the line reader's exact
// consumption, the liveness probe, and sends into a connection the peer has dropped.

#include "net/client_socket.h"
#include "support/fake_peer.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/ioctl.h>

#include <string>

namespace {

constexpr int kWait = 5;  // seconds; only reached when something is broken

int OpenDescriptorCount()
{
    int count = 0;
    if (DIR* folder = ::opendir("/proc/self/fd")) {
        while (::readdir(folder) != nullptr)
            ++count;
        ::closedir(folder);
    }
    return count;
}

int PendingBytes(const CClientSocket& socket)
{
    int pending = -1;
    ::ioctl(socket.GetHandle(), FIONREAD, &pending);
    return pending;
}

// Everything still waiting on the socket once the peer has closed.
std::string Drain(CClientSocket& socket)
{
    std::string rest;
    char buffer[256];
    int n;
    while ((n = socket.Receive(buffer, sizeof buffer, kWait)) > 0)
        rest.append(buffer, static_cast<size_t>(n));
    return rest;
}

std::string ReadLineText(CClientSocket& socket, int size, int timeout = kWait)
{
    std::string buffer(static_cast<size_t>(size), 'x');
    const int count = socket.ReadLine(buffer.data(), size, timeout);
    EXPECT_EQ(buffer[static_cast<size_t>(count)], '\0') << "the line is always zero-terminated";
    return buffer.substr(0, static_cast<size_t>(count));
}

}  // namespace

TEST(ClientSocketConnect, DottedAddressConnectsAndSecondConnectKeepsTheFirst)
{
    CFakePeer peer;
    peer.ReadLine().Close();
    peer.Start();

    CClientSocket socket;
    ASSERT_EQ(socket.ConnectByName("127.0.0.1", peer.Port()), CClientSocket::connectOk);
    EXPECT_EQ(socket.GetHostAddress(), "127.0.0.1");
    EXPECT_EQ(socket.GetPort(), peer.Port());
    const int handle = socket.GetHandle();

    EXPECT_EQ(socket.Connect(1, "127.0.0.1"), CClientSocket::connectAlreadyConnected);
    EXPECT_EQ(socket.GetHandle(), handle);
    EXPECT_EQ(socket.GetPort(), peer.Port()) << "a refused second connect changes nothing";

    // The first connection is still the one in use.
    EXPECT_EQ(socket.Send("hello\r\n", 0), 7) << "length 0 sends up to the terminating zero";
    ASSERT_TRUE(peer.WaitDone());
    EXPECT_EQ(peer.Received(), "hello\r\n");
}

TEST(ClientSocketConnect, UnresolvableNameAndRefusedPortLeaveNoSocket)
{
    CClientSocket socket;
    const int before = OpenDescriptorCount();
    // Spaces make the name invalid, so the resolver refuses it without asking a name
    // server.
    EXPECT_EQ(socket.ConnectByName("no such host", 9000), CClientSocket::connectNoAddressOrSocket);
    EXPECT_EQ(OpenDescriptorCount(), before) << "no socket is created for a name that does not resolve";
    EXPECT_FALSE(socket.IsConnected());

    // A port nobody listens on: take a free one from a peer that is then destroyed.
    int freePort = 0;
    {
        CFakePeer closed;
        freePort = closed.Port();
    }
    EXPECT_EQ(socket.ConnectByName("127.0.0.1", freePort), CClientSocket::connectFailed);
    EXPECT_FALSE(socket.IsConnected());
    EXPECT_EQ(OpenDescriptorCount(), before) << "a failed connect leaves no half-open handle";
    EXPECT_FALSE(socket.IsAlive());
}

TEST(ClientSocketReadLine, ConsumesExactlyTheLineAndLeavesTheNextItem)
{
    CFakePeer peer;
    peer.Write("12\r\n345").Hold();
    peer.Start();
    CClientSocket socket;
    ASSERT_EQ(socket.ConnectByName("127.0.0.1", peer.Port()), 0);

    EXPECT_EQ(ReadLineText(socket, 64), "12\r\n");
    char rest[16] = {};
    EXPECT_EQ(socket.Receive(rest, sizeof rest, kWait), 3);
    EXPECT_EQ(std::string(rest, 3), "345");
}

TEST(ClientSocketReadLine, CrAndLfSplitAcrossReads)
{
    CFakePeer peer;
    // "\n345" is sent only once the client waits a second time, that is after it has
    // taken in "12\r" by itself.
    peer.Write("12\r").UntilClientWait(2).Write("\n345").Hold();
    peer.Start();
    PacedClient<CClientSocket> socket(peer);
    ASSERT_EQ(socket.ConnectByName("127.0.0.1", peer.Port()), 0);

    EXPECT_EQ(ReadLineText(socket, 64), "12\r\n");
    ASSERT_TRUE(socket.WaitReadable(kWait, 0) == false);
    EXPECT_EQ(PendingBytes(socket), 3) << "only the LF was taken from the second read";
}

TEST(ClientSocketReadLine, CrAtTheEndOfAReadFollowedByOtherTextStaysInTheLine)
{
    CFakePeer peer;
    peer.Write("ab\r").UntilClientWait(2).Write("cd\r\nef").Hold();
    peer.Start();
    PacedClient<CClientSocket> socket(peer);
    ASSERT_EQ(socket.ConnectByName("127.0.0.1", peer.Port()), 0);

    EXPECT_EQ(ReadLineText(socket, 64), "ab\rcd\r\n");
    ASSERT_FALSE(socket.WaitReadable(kWait, 0));
    EXPECT_EQ(PendingBytes(socket), 2);
}

TEST(ClientSocketReadLine, LineLongerThanTheBufferIsCutAndTheRestStays)
{
    const std::string longLine(70, 'L');
    CFakePeer peer;
    peer.Write(longLine + "\r\nNEXT").Close();
    peer.Start();
    CClientSocket socket;
    ASSERT_EQ(socket.ConnectByName("127.0.0.1", peer.Port()), 0);

    EXPECT_EQ(ReadLineText(socket, 64), longLine.substr(0, 63)) << "63 bytes and no line end";
    EXPECT_EQ(Drain(socket), "LLLLLLL\r\nNEXT");
}

TEST(ClientSocketReadLine, StopsAtTimeOutAndAtCloseWithWhatItHas)
{
    {
        CFakePeer peer;
        peer.Write("123").Hold();  // a time-out is the subject here
        peer.Start();
        CClientSocket socket;
        ASSERT_EQ(socket.ConnectByName("127.0.0.1", peer.Port()), 0);
        EXPECT_EQ(ReadLineText(socket, 64, 1), "123");
    }
    {
        CFakePeer peer;
        peer.Write("45").Close();
        peer.Start();
        CClientSocket socket;
        ASSERT_EQ(socket.ConnectByName("127.0.0.1", peer.Port()), 0);
        EXPECT_EQ(ReadLineText(socket, 64), "45");
        EXPECT_EQ(ReadLineText(socket, 64), "");
    }
}

TEST(ClientSocketIsAlive, IdleAndWaitingConnectionsAreAliveAndKeepTheirBytes)
{
    CFakePeer idlePeer;
    idlePeer.Hold();
    idlePeer.Start();
    CClientSocket idle;
    ASSERT_EQ(idle.ConnectByName("127.0.0.1", idlePeer.Port()), 0);
    EXPECT_TRUE(idle.IsAlive());

    CFakePeer busyPeer;
    busyPeer.Write("abc").Hold();
    busyPeer.Start();
    CClientSocket busy;
    ASSERT_EQ(busy.ConnectByName("127.0.0.1", busyPeer.Port()), 0);
    ASSERT_FALSE(busy.WaitReadable(kWait, 0));
    EXPECT_TRUE(busy.IsAlive());
    EXPECT_TRUE(busy.IsAlive());
    char bytes[8] = {};
    EXPECT_EQ(busy.ReceiveNow(bytes, sizeof bytes), 3) << "the probe consumed nothing";
    EXPECT_EQ(std::string(bytes, 3), "abc");
}

TEST(ClientSocketIsAlive, ClosedAndResetConnectionsAreDead)
{
    CFakePeer closingPeer;
    closingPeer.Close();
    closingPeer.Start();
    CClientSocket closed;
    ASSERT_EQ(closed.ConnectByName("127.0.0.1", closingPeer.Port()), 0);
    ASSERT_FALSE(closed.WaitReadable(kWait, 0)) << "the end of stream reads as readable";
    EXPECT_FALSE(closed.IsAlive());

    CFakePeer resettingPeer;
    resettingPeer.Reset();
    resettingPeer.Start();
    CClientSocket reset;
    ASSERT_EQ(reset.ConnectByName("127.0.0.1", resettingPeer.Port()), 0);
    ASSERT_FALSE(reset.WaitReadable(kWait, 0));
    EXPECT_FALSE(reset.IsAlive());
    // A send into the reset connection fails with an error, not with SIGPIPE (which
    // would end this test program).
    EXPECT_EQ(reset.Send("x", 1), CClientSocket::kSocketError);
    EXPECT_EQ(reset.Close() & CClientSocket::closeCloseFailed, 0);
    EXPECT_FALSE(reset.IsConnected());
}
