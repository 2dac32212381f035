#include "platform/user_prompts.h"

#include "net/transfer_progress.h"

WaitCursor::WaitCursor(UserPrompts& prompts) : prompts_(prompts)
{
    prompts_.BeginWaitCursor();
}

WaitCursor::~WaitCursor()
{
    prompts_.EndWaitCursor();
}

std::unique_ptr<TransferProgressView> UserPrompts::CreateTransferProgressView()
{
    return nullptr;
}
