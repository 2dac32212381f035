#include "server/redirect_pool.h"

#include "server/shared_sessions.h"

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <map>

namespace {

std::string Lowered(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + 32);
    return text;
}

// Host names compare without regard to ASCII case.
std::map<std::string, int> ByLoweredAddress(const std::map<std::string, int>& sessions)
{
    std::map<std::string, int> lowered;
    for (const auto& [address, count] : sessions)
        lowered[Lowered(address)] += count;
    return lowered;
}

}  // namespace

CRedirectPool::CRedirectPool(CDatabase& database, std::vector<ServerAddress> members, int connectTimeoutMs)
    : m_database(database), m_members(std::move(members)), m_connectTimeoutMs(connectTimeoutMs)
{
}

bool CRedirectPool::Choose(ServerAddress& chosen, std::string& note)
{
    std::map<std::string, int> live;
    std::string error;
    if (!CSharedSessions::SessionsByLiveServer(m_database, live, error)) {
        note = "the shared sessions cannot be read: " + error;
        return false;
    }
    live = ByLoweredAddress(live);

    struct Candidate {
        size_t index;
        int sessions;
    };
    std::vector<Candidate> candidates;
    std::string skipped;
    auto skip = [&skipped](const ServerAddress& member, const char* why) {
        skipped += (skipped.empty() ? "; skipped " : ", ") + member.Text() + " (" + why + ")";
    };
    for (size_t i = 0; i < m_members.size(); ++i) {
        const auto found = live.find(Lowered(m_members[i].Text()));
        if (found == live.end())
            skip(m_members[i], "no heartbeat");
        else
            candidates.push_back({i, found->second});
    }
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const Candidate& a, const Candidate& b) { return a.sessions < b.sessions; });
    for (const Candidate& candidate : candidates) {
        const ServerAddress& member = m_members[candidate.index];
        if (!Accepts(member, m_connectTimeoutMs)) {
            skip(member, "not accepting connections");
            continue;
        }
        chosen = member;
        note = std::to_string(candidate.sessions) + " open session(s) there" + skipped;
        return true;
    }
    note = "no member of the redirect pool is up" + skipped;
    return false;
}

bool CRedirectPool::Accepts(const ServerAddress& address, int timeoutMs)
{
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(address.host.c_str(), std::to_string(address.port).c_str(), &hints, &found) != 0)
        return false;
    bool accepted = false;
    for (const addrinfo* entry = found; entry != nullptr && !accepted; entry = entry->ai_next) {
        const int fd = ::socket(entry->ai_family, entry->ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        if (fd < 0)
            continue;
        if (::connect(fd, entry->ai_addr, entry->ai_addrlen) == 0) {
            accepted = true;
        } else if (errno == EINPROGRESS) {
            pollfd waiting{fd, POLLOUT, 0};
            int failure = 0;
            socklen_t length = sizeof failure;
            accepted = ::poll(&waiting, 1, timeoutMs) == 1 &&
                       ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &failure, &length) == 0 && failure == 0;
        }
        ::close(fd);
    }
    ::freeaddrinfo(found);
    return accepted;
}
