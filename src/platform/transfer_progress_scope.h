#pragma once
// Placed around one long exchange with the server (running a view, a report, fetching or
// storing an attachment, an import): after half a second the prompts' progress display
// shows the bytes moved with a Cancel, which stops the transfer and closes the
// connection. Place it inside the exchange's WaitCursor, so that it goes first.

#include "net/transfer_progress.h"
#include "platform/user_prompts.h"

class CTransferProgressScope : public CTransferProgressGuard {
public:
    CTransferProgressScope(CClientSocket& socket, UserPrompts& prompts)
        : CTransferProgressGuard(socket, [&prompts] { return prompts.CreateTransferProgressView(); })
    {
    }
};
