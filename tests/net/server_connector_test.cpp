// The log-in sequence against scripted peers: the bytes of CREATESESSION and
// OPENSESSION, each refusal with its exact message and task-log line, the socket closed
// after every refusal without CLOSESESSION, and redirects (followed, malformed, and
// going round in circles).

#include "net/command_wire.h"
#include "net/server_connector.h"
#include "support/fake_peer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace command_wire;

namespace {

const std::string kCreateRequest = "CREATESESSION\r\nOFFICECLIENT\r\n107\r\n";

std::string OpenRequest(const std::string& user, const std::string& password)
{
    return Line("OPENSESSION") + Text(user) + Text(password);
}

std::string RedirectReply(const std::string& host, int port)
{
    return "-9\r\n" + host + "\r\n" + std::to_string(port) + "\r\n";
}

// A loopback port with nothing listening on it: bound, never listened on.
class ClosedPort {
public:
    ClosedPort()
    {
        m_socket = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (::bind(m_socket, reinterpret_cast<sockaddr*>(&address), length) == 0 &&
            ::getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &length) == 0)
            m_port = ntohs(address.sin_port);
    }
    ~ClosedPort() { ::close(m_socket); }
    int Port() const { return m_port; }

private:
    int m_socket = -1;
    int m_port = 0;
};

// What one log-in reported, the interactive way and the batch way.
struct Reports {
    bool connected = false;
    std::vector<std::string> messages;  // interactive
    std::vector<std::string> logLines;  // batch
};

// Runs the log-in twice against fresh copies of a scripted peer: once with the message
// reporter, once with the task-log reporter. `script` fills a new peer each time.
Reports LogInBothWays(const std::function<void(CFakePeer&)>& script, const std::string& user = "admin",
                      const std::string& password = "admin", std::string* received = nullptr)
{
    Reports reports;
    for (bool batch : {false, true}) {
        CFakePeer peer;
        script(peer);
        peer.Start();
        CRecordingServer session;  // a reply that never comes fails at once, not after minutes
        CMessageConnectReporter messages;
        CLogConnectReporter log([&](const std::string& line) { reports.logLines.push_back(line); });
        CConnectReporter& reporter = batch ? static_cast<CConnectReporter&>(log) : messages;
        CServerConnector connector(session, reporter);
        const bool connected = connector.Connect("127.0.0.1", peer.Port(), user, password);
        if (!batch) {
            reports.connected = connected;
            reports.messages = messages.Messages();
        }
        EXPECT_EQ(connected, session.IsConnected()) << "a refusal leaves the socket closed";
        session.Close();
        EXPECT_TRUE(peer.WaitDone());
        if (received)
            *received = peer.Received();
    }
    return reports;
}

}  // namespace

TEST(ServerConnector, LogsInQuietly)
{
    std::string received;
    const Reports reports = LogInBothWays(
        [](CFakePeer& peer) {
            peer.Read(kCreateRequest.size()).Write("0\r\n").Read(OpenRequest("jortega", "s3cret").size());
            peer.Write("0\r\n").ReadToEnd();
        },
        "jortega", "s3cret", &received);
    EXPECT_TRUE(reports.connected);
    EXPECT_TRUE(reports.messages.empty());
    EXPECT_TRUE(reports.logLines.empty());
    EXPECT_EQ(received, kCreateRequest + OpenRequest("jortega", "s3cret"));
}

TEST(ServerConnector, CreateSessionRefusalsCarryTheirTexts)
{
    struct Row {
        std::string reply;  // empty: the peer closes without answering
        std::string text;
    };
    const std::vector<Row> rows = {
        {"-8\r\n", "The server is not compatible with this client version"},
        {"-1\r\n", "Error creating session"},
        {"3\r\n", "Error creating session"},
        {"", "Error creating session"},  // the exchange broke down (-10)
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.reply);
        std::string received;
        const Reports reports = LogInBothWays(
            [&](CFakePeer& peer) {
                peer.Read(kCreateRequest.size());
                if (row.reply.empty())
                    peer.Close();
                else
                    peer.Write(row.reply).ReadToEnd();
            },
            "admin", "admin", &received);
        EXPECT_FALSE(reports.connected);
        EXPECT_EQ(reports.messages, std::vector<std::string>{row.text});
        EXPECT_EQ(reports.logLines, std::vector<std::string>{"!*" + row.text + "\n"});
        EXPECT_EQ(received, kCreateRequest) << "no OPENSESSION after a refused CREATESESSION";
    }
}

TEST(ServerConnector, OpenSessionRefusalsCarryTheirTexts)
{
    struct Row {
        std::string reply;
        std::string text;
    };
    const std::vector<Row> rows = {
        {"-2\r\n", "Error opening session: UserID not found"},
        {"-3\r\n", "Error opening session: Incorrect password"},
        {"-4\r\n", "Error opening session: Account currently in use"},
        {"-1\r\n", "Error opening session: Server error"},
        {"-7\r\n", "Error opening session: Server error"},
        {"", "Error opening session: Server error"},  // no answer (-10)
    };
    const std::string open = OpenRequest("admin", "Admin");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.reply);
        std::string received;
        const Reports reports = LogInBothWays(
            [&](CFakePeer& peer) {
                peer.Read(kCreateRequest.size()).Write("0\r\n").Read(open.size());
                if (row.reply.empty())
                    peer.Close();
                else
                    peer.Write(row.reply).ReadToEnd();
            },
            "admin", "Admin", &received);
        EXPECT_FALSE(reports.connected);
        EXPECT_EQ(reports.messages, std::vector<std::string>{row.text});
        EXPECT_EQ(reports.logLines, std::vector<std::string>{"!*" + row.text + "\n"});
        if (!row.reply.empty()) {
            EXPECT_EQ(received, kCreateRequest + open) << "the socket is closed without CLOSESESSION";
        }
    }
}

TEST(ServerConnector, UnreachableServer)
{
    ClosedPort closed;
    ASSERT_GT(closed.Port(), 0);
    for (int port : {closed.Port(), 0, 65536 + closed.Port()}) {
        CInventoryServer session;
        std::vector<std::string> lines;
        CLogConnectReporter log([&](const std::string& line) { lines.push_back(line); });
        CServerConnector connector(session, log);
        EXPECT_FALSE(connector.Connect("127.0.0.1", port, "admin", "admin")) << port;
        EXPECT_EQ(lines, std::vector<std::string>{"!*Error connecting to server\n"}) << port;
        EXPECT_FALSE(session.IsConnected());
    }
}

TEST(ServerConnector, RedirectIsFollowedToTheOtherServer)
{
    CFakePeer front;
    CFakePeer target;
    front.Read(kCreateRequest.size()).Write(RedirectReply("127.0.0.1", target.Port())).ReadToEnd();
    target.Read(kCreateRequest.size()).Write("1\r\n").ReadLine().ReadEnvelope().ReadEnvelope();
    target.Write("0\r\n").ReadToEnd();
    front.Start();
    target.Start();

    CInventoryServer session;
    CMessageConnectReporter messages;
    CServerConnector connector(session, messages);
    ASSERT_TRUE(connector.Connect("127.0.0.1", front.Port(), "admin", "admin"));
    EXPECT_TRUE(messages.Messages().empty());
    EXPECT_EQ(connector.Host(), "127.0.0.1");
    EXPECT_EQ(connector.Port(), target.Port());
    EXPECT_EQ(connector.Redirects(), 1);
    EXPECT_TRUE(session.IsEncrypted()) << "the target's answer of 1 enciphers the session";

    ASSERT_TRUE(front.WaitDone()) << "the client closed its connection to the first server";
    EXPECT_EQ(front.Received(), kCreateRequest);
    session.Close();
    ASSERT_TRUE(target.WaitDone());
    EXPECT_EQ(target.Received().substr(0, kCreateRequest.size() + 13), kCreateRequest + "OPENSESSION\r\n");
}

TEST(ServerConnector, RedirectWithoutHostAndPortIsABrokenCreateSession)
{
    for (const std::string& reply : {std::string("-9\r\n"), std::string("-9\r\nhost.example\r\n")}) {
        SCOPED_TRACE(reply);
        const Reports reports = LogInBothWays([&](CFakePeer& peer) {
            peer.Read(kCreateRequest.size()).Write(reply).Close();
        });
        EXPECT_FALSE(reports.connected);
        EXPECT_EQ(reports.messages, std::vector<std::string>{"Error creating session"});
    }
}

TEST(ServerConnector, RedirectToAPortOutOfRangeIsNotFollowed)
{
    // 65536 + p would reach port p once cut to 16 bits. The bystander listens on p but
    // never answers: a client that went there would end with another message.
    CFakePeer bystander;
    const Reports reports = LogInBothWays([&](CFakePeer& peer) {
        peer.Read(kCreateRequest.size()).Write(RedirectReply("127.0.0.1", 65536 + bystander.Port())).ReadToEnd();
    });
    EXPECT_FALSE(reports.connected);
    EXPECT_EQ(reports.messages, std::vector<std::string>{"Error connecting to server"});
    EXPECT_EQ(reports.logLines, std::vector<std::string>{"!*Error connecting to server\n"});
}

TEST(ServerConnector, RedirectsGoingRoundEndInARefusal)
{
    // Each peer sends the client on to the next; the last one back to the first.
    constexpr int kPeers = CServerConnector::kMaxRedirects + 1;
    std::vector<std::unique_ptr<CFakePeer>> peers;
    for (int i = 0; i < kPeers; ++i)
        peers.push_back(std::make_unique<CFakePeer>());
    for (int i = 0; i < kPeers; ++i) {
        const int next = peers[(i + 1) % kPeers]->Port();
        peers[i]->Read(kCreateRequest.size()).Write(RedirectReply("127.0.0.1", next)).ReadToEnd();
        peers[i]->Start();
    }

    CRecordingServer session;
    CMessageConnectReporter messages;
    CServerConnector connector(session, messages);
    EXPECT_FALSE(connector.Connect("127.0.0.1", peers[0]->Port(), "admin", "admin"));
    EXPECT_EQ(messages.Messages(), std::vector<std::string>{"Error creating session"});
    EXPECT_EQ(connector.Redirects(), CServerConnector::kMaxRedirects);
    EXPECT_FALSE(session.IsConnected());
    for (auto& peer : peers) {
        ASSERT_TRUE(peer->WaitDone());
        EXPECT_EQ(peer->Received(), kCreateRequest);
    }
}

TEST(ServerConnector, MessageReporterShowsEachTextOnce)
{
    std::vector<std::string> shown;
    CMessageConnectReporter reporter([&](const std::string& text) { shown.push_back(text); });
    CInventoryServer session;
    CServerConnector connector(session, reporter);
    ClosedPort closed;
    EXPECT_FALSE(connector.Connect("127.0.0.1", closed.Port(), "admin", "admin"));
    EXPECT_EQ(shown, std::vector<std::string>{"Error connecting to server"});
    EXPECT_EQ(reporter.Messages(), shown);
}
