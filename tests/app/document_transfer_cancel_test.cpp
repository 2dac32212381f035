// Cancel in the progress display of a long exchange: the exchange fails as any failed
// exchange does, the connection is closed, the session dropped and the log-in offered.
#include "app/document_fixture.h"
#include "app/peer_log_in.h"
#include "query/scope_bits.h"

#include <gtest/gtest.h>

using namespace peer_log_in;

namespace {

struct DisplayLog {
    int shown = 0;
    int refreshes = 0;
};

// Cancels at its first refresh.
class CancellingView : public TransferProgressView {
public:
    explicit CancellingView(DisplayLog& log) : m_log(log) { ++m_log.shown; }
    bool Refresh(const TransferFigures&) override
    {
        ++m_log.refreshes;
        return false;
    }

private:
    DisplayLog& m_log;
};

}  // namespace

TEST(DocumentTransferCancel, CancelDuringALongWaitDropsTheSessionAndOffersTheLogIn)
{
    CFakePeer peer;
    DocFixture f;
    ScriptLogIn(peer, RefusedRecord(), RefusedRecord(), RefusedRecord());
    // The view's request arrives, and the reply never comes.
    peer.ReadLine().ReadEnvelope().Hold();
    peer.Start();
    ASSERT_TRUE(f.LogInAs("joe", "secret", peer.Port()));
    f.prompts.messages.clear();

    DisplayLog log;
    f.prompts.progressViews = [&log] { return std::make_unique<CancellingView>(log); };
    f.cancelLogIn = true;
    // The display appears once the wait has passed half a second; its Cancel ends the
    // wait at once rather than after the command's ten minutes.
    EXPECT_FALSE(f.doc.RunCaseView("Open Cases", kScopeAllParents, "All Parents", ""));

    EXPECT_EQ(log.shown, 1);
    EXPECT_EQ(log.refreshes, 1);
    EXPECT_EQ(f.prompts.MessageTexts(), std::vector<QString>{QStringLiteral("Error receiving query data from server")});
    EXPECT_FALSE(f.doc.Server().IsConnected());
    EXPECT_FALSE(f.doc.IsLoggedIn());
    EXPECT_EQ(f.offeredPasswords.size(), 2u) << "the log-in is offered again";
    EXPECT_EQ(f.prompts.waitDepth, 0);
    EXPECT_EQ(f.observer.runs, 0);
}
