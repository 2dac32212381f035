#pragma once
// A layer between a connected socket and the conversation, such as TLS: it moves the
// bytes of the conversation over the socket in its own form. CClientSocket uses the
// socket directly without one.

#include <cstddef>

class CSocketLayer {
public:
    virtual ~CSocketLayer() = default;
    // Like recv(): bytes received, 0 when the peer closed, -1 on failure (errno EAGAIN
    // when dontWait found nothing yet). With peek the bytes stay to be received again.
    virtual long Receive(void* buffer, size_t size, bool peek, bool dontWait) = 0;
    // Like send() of all the bytes: the count, or -1.
    virtual long Send(const void* bytes, size_t size) = 0;
    // True when bytes already received from the socket wait to be read, so that a
    // readiness wait on the socket itself would not see them.
    virtual bool HasPending() = 0;
    // Tells the peer the conversation ends (without waiting for its answer).
    virtual void Shutdown() = 0;
};
