// Pieces shared by the loopback benchmarks: timing the best of a few runs, a connected
// pair of sessions over loopback, and a raw copy of bytes between two sockets.
#pragma once

#include "net/server_session.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace bench {

inline constexpr int kRuns = 3;  // the best of these is reported
using Clock = std::chrono::steady_clock;

// The shortest of kRuns timed runs in seconds, or -1 when a run fails.
inline double BestSeconds(const std::function<bool()>& run)
{
    double best = 1e30;
    for (int i = 0; i < kRuns; ++i) {
        const auto start = Clock::now();
        if (!run())
            return -1;
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    }
    return best;
}

// A connected pair of sessions: the client connects, the other side adopts the accepted
// socket as the inventory server does.
inline bool ConnectPair(CServerSession& client, CServerSession& server)
{
    const int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    bool ok = listener >= 0 && ::bind(listener, reinterpret_cast<sockaddr*>(&address), length) == 0 &&
              ::listen(listener, 1) == 0 &&
              ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) == 0 &&
              client.Connect(ntohs(address.sin_port), "127.0.0.1") == 0;
    if (ok) {
        const int accepted = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
        ok = accepted >= 0 && server.Adopt(accepted);
    }
    if (listener >= 0)
        ::close(listener);
    return ok;
}

// Sends the bytes from one socket in 64 KiB sends on a second thread and reads them on
// the other; true when all of them arrived.
inline bool RawCopy(int from, int to, const std::string& bytes)
{
    std::thread sender([&]() {
        size_t sent = 0;
        while (sent < bytes.size()) {
            const ssize_t n =
                ::send(from, bytes.data() + sent, std::min<size_t>(65536, bytes.size() - sent), MSG_NOSIGNAL);
            if (n <= 0)
                break;
            sent += static_cast<size_t>(n);
        }
    });
    std::vector<char> buffer(65536);
    size_t received = 0;
    while (received < bytes.size()) {
        const ssize_t n = ::recv(to, buffer.data(), buffer.size(), 0);
        if (n <= 0)
            break;
        received += static_cast<size_t>(n);
    }
    sender.join();
    return received == bytes.size();
}

}  // namespace bench
