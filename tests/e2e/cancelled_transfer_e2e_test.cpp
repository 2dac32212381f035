// A store cancelled half-way through its payload leaves the server's data as it was: the
// server applies a command only once every item has arrived whole.

#include "codec/binary_object.h"
#include "e2e/case_samples.h"
#include "e2e/office_client.h"
#include "net/transfer_progress.h"
#include "records/attachment.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

class CancelledTransferEndToEnd : public InventoryEndToEnd {};

// Cancels once 100,000 bytes of the exchange have gone out.
class CancellingView : public TransferProgressView {
public:
    bool Refresh(const TransferFigures& figures) override { return figures.sent < 100000; }
};

}  // namespace

TEST_F(CancelledTransferEndToEnd, AttachmentCancelledMidSendIsNotStored)
{
    auto admin = LogIn("admin");
    auto auditor = LogIn("auditor");
    ASSERT_TRUE(admin->LoggedIn() && auditor->LoggedIn());
    const std::string number = admin->CreateCase(PlainCase("Cancelled Insured"));
    ASSERT_FALSE(number.empty());

    CAttachment file;
    file.kind = "FILE";
    file.name = "Half a ledger";
    file.fileName = "ledger.bin";
    std::mt19937 random(17);
    std::string bytes(400000, '\0');
    for (char& byte : bytes)
        byte = static_cast<char>(random() & 0xFF);  // does not compress
    {
        auto now = std::make_shared<CTransferProgress::Clock::time_point>();
        CTransferProgressGuard guard(
            *auditor, [] { return std::make_unique<CancellingView>(); },
            [now] { return *now += std::chrono::seconds(1); });
        EXPECT_EQ(auditor->SetCaseAttachment(number, file, CBinaryObject(bytes), CInventoryServer::modeAdd), -1);
        EXPECT_TRUE(guard.Cancelled());
    }
    EXPECT_FALSE(auditor->IsConnected());
    ASSERT_TRUE(m_server.WaitForLog("attachment file")) << m_server.Log();

    std::vector<CAttachment> list;
    ASSERT_TRUE(admin->GetCaseAttachments(number, list));
    EXPECT_TRUE(list.empty());
}
