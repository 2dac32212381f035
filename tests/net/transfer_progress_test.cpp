// Progress and Cancel of long exchanges: when the display appears and is refreshed (an
// injected clock, no sleeps), that it is never called once its guard is gone, and that
// Cancel stops a receive, a wait for a reply and a send, closing the connection.

#include "codec/mem_file.h"
#include "codec/string_object.h"
#include "net/server_session.h"
#include "net/transfer_progress.h"
#include "support/fake_peer.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using Clock = CTransferProgress::Clock;
using namespace std::chrono_literals;

// A display that records what it was shown and answers Cancel once `cancelWhen` says so.
struct ViewLog {
    int made = 0;
    std::vector<TransferFigures> shown;
    std::function<bool(const TransferFigures&)> cancelWhen = [](const TransferFigures&) { return false; };
};

class RecordingView : public TransferProgressView {
public:
    explicit RecordingView(ViewLog& log) : m_log(log) { ++m_log.made; }
    bool Refresh(const TransferFigures& figures) override
    {
        m_log.shown.push_back(figures);
        return !m_log.cancelWhen(figures);
    }

private:
    ViewLog& m_log;
};

TransferProgressViewFactory Views(ViewLog& log)
{
    return [&log] { return std::make_unique<RecordingView>(log); };
}

// A clock that moves on by `step` each time it is read.
std::function<Clock::time_point()> SteppingClock(std::chrono::milliseconds step)
{
    auto now = std::make_shared<Clock::time_point>();
    return [now, step] { return *now += step; };
}

constexpr int kWait = 5;  // seconds; only reached when something is broken

}  // namespace

TEST(TransferProgress, ShowsAfterHalfASecondRefreshesSparinglyAndNeverAfterTheGuard)
{
    using Activity = TransferFigures::Activity;
    struct Step {
        int atMs;        // clock time of the hook call
        bool send;
        int64_t count;
        int shownAfter;  // refreshes of the display so far
        Activity activity;
        int64_t sent, received;
        const char* why;
    };
    const Step steps[] = {
        {100, true, 255, 0, Activity::sending, 255, 0, "short exchanges show nothing"},
        {499, true, 510, 0, Activity::sending, 510, 0, "still under the gate"},
        {500, false, 0, 1, Activity::waiting, 510, 0, "shown at 500 ms, waiting for the reply"},
        {530, false, 0, 1, Activity::waiting, 510, 0, "a tick soon after is not shown again"},
        {560, false, 255, 2, Activity::receiving, 510, 255, "refreshed 50 ms later"},
        {700, false, 100, 3, Activity::receiving, 510, 355, "a lower count starts the next payload"},
    };
    ViewLog log;
    CClientSocket socket;
    auto now = std::make_shared<Clock::time_point>();
    {
        CTransferProgressGuard guard(socket, Views(log), [now] { return *now; });
        for (const Step& step : steps) {
            *now = Clock::time_point(std::chrono::milliseconds(step.atMs));
            EXPECT_EQ(step.send ? socket.OnSendProgress(step.count) : socket.OnReceiveProgress(step.count), 1);
            ASSERT_EQ(static_cast<int>(log.shown.size()), step.shownAfter) << step.why;
            if (log.shown.empty())
                continue;
            EXPECT_EQ(log.shown.back().activity, step.activity) << step.why;
            EXPECT_EQ(log.shown.back().sent, step.sent) << step.why;
            EXPECT_EQ(log.shown.back().received, step.received) << step.why;
        }
        EXPECT_EQ(log.made, 1);
    }
    // Gone with its guard: the hooks are off and nothing reaches the display.
    *now += 10s;
    EXPECT_EQ(socket.OnReceiveProgress(1), 1);
    EXPECT_EQ(socket.OnSendProgress(1), 1);
    EXPECT_EQ(log.shown.size(), 3u);

    EXPECT_EQ(TransferProgressText({0, 0, 1536, 31457280, Activity::receiving}),
              "Receiving from the server: 1.5 KB of 30.0 MB");
    EXPECT_EQ(TransferProgressText({0, 0, 1000, -1, Activity::sending}), "Sending to the server: 1000 bytes");
}

TEST(TransferProgress, AnOuterGuardKeepsTheExchangeAndNoViewMeansNoStop)
{
    ViewLog log;
    CClientSocket socket;
    CTransferProgressGuard outer(socket, Views(log), SteppingClock(1s));
    {
        ViewLog innerLog;
        CTransferProgressGuard inner(socket, Views(innerLog), SteppingClock(1s));
        socket.OnReceiveProgress(10);
        EXPECT_EQ(innerLog.made, 0);
    }
    socket.OnReceiveProgress(20);  // the outer guard's hooks stayed
    EXPECT_EQ(log.shown.size(), 2u);

    CClientSocket batch;
    CTransferProgressGuard none(batch, [] { return nullptr; }, SteppingClock(1s));
    EXPECT_EQ(batch.OnReceiveProgress(10), 1);
}

TEST(TransferCancel, StopsAReceiveAWaitAndASendAndClosesTheConnection)
{
    ViewLog log;
    log.cancelWhen = [](const TransferFigures& f) { return f.received >= 255 || f.sent >= 510; };

    // Mid-receive: a reply of 2000 bytes of which 600 came.
    {
        CFakePeer peer;
        peer.Write("2000\r\n" + std::string(600, 'r')).Hold();
        peer.Start();
        CServerSession session;
        ASSERT_EQ(session.ConnectByName("127.0.0.1", peer.Port()), 0);
        CTransferProgressGuard guard(session, Views(log), SteppingClock(1s));
        CMemFile sink;
        EXPECT_EQ(session.ReceiveRaw(sink, kWait), CServerSession::transferReceiveStopped);
        EXPECT_TRUE(guard.Cancelled());
        EXPECT_FALSE(session.IsConnected());
        EXPECT_TRUE(session.ProgressStopped());
        EXPECT_EQ(log.shown.back().itemTotal, 2000);
    }
    // While waiting for the first byte of a reply that does not come: the wait calls
    // the hook in ticks, and Cancel ends it at once, not after the time-out.
    {
        CFakePeer peer;
        peer.Hold();
        peer.Start();
        CServerSession session;
        ASSERT_EQ(session.ConnectByName("127.0.0.1", peer.Port()), 0);
        ViewLog waitLog;
        waitLog.cancelWhen = [](const TransferFigures& f) { return f.activity == TransferFigures::Activity::waiting; };
        CTransferProgressGuard guard(session, Views(waitLog), SteppingClock(1s));
        CStringObject reply("untouched");
        EXPECT_FALSE(session.ReceiveObject(reply, 600));
        EXPECT_EQ(reply.GetText(), "untouched");
        EXPECT_TRUE(guard.Cancelled());
        EXPECT_FALSE(session.IsConnected());
        int32_t value = 5;
        EXPECT_LE(session.ReceiveInt(value, 600), 0) << "a closed connection waits no more";
    }
    // Mid-send: the peer gets the length line and no more than what was handed to the
    // socket before the stop (at most one chunk of a three-chunk payload), and the
    // connection closes.
    {
        CFakePeer peer;
        peer.ReadToEnd();
        peer.Start();
        CServerSession session;
        ASSERT_EQ(session.ConnectByName("127.0.0.1", peer.Port()), 0);
        CTransferProgressGuard guard(session, Views(log), SteppingClock(1s));
        const size_t length = 3 * CServerSession::kTransferChunk;
        CMemFile source(std::string(length, 's'));
        EXPECT_EQ(session.SendRaw(source), CServerSession::transferSendStopped);
        EXPECT_FALSE(session.IsConnected());
        ASSERT_TRUE(peer.WaitDone());
        const std::string line = std::to_string(length) + "\r\n";
        const std::string received = peer.Received();
        ASSERT_GE(received.size(), line.size());
        EXPECT_EQ(received.substr(0, line.size()), line);
        EXPECT_LE(received.size(), CServerSession::kTransferChunk);
        EXPECT_EQ(received.find_first_not_of('s', line.size()), std::string::npos);
    }
}
