#include "support/session_pair.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

CSessionPair::CSessionPair()
{
    const int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (listener >= 0 && ::bind(listener, reinterpret_cast<sockaddr*>(&address), length) == 0 &&
        ::listen(listener, 1) == 0 && ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) == 0 &&
        client.Connect(ntohs(address.sin_port), "127.0.0.1") == CClientSocket::connectOk) {
        // The connection is complete in the backlog, so this accept does not wait.
        const int accepted = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (accepted >= 0 && !server.Adopt(accepted))
            ::close(accepted);
    }
    if (listener >= 0)
        ::close(listener);
}
