#include "net/socket_errors.h"

#include <cerrno>

namespace {

// EWOULDBLOCK and EAGAIN are one value on Linux. Windows Sockets' "not initialised" has no
// POSIX counterpart; EBADF, a descriptor that is not an open socket at all, is the nearest.
// The probe repeats a peek that a signal interrupted before it looks here, since a signal
// says nothing about the connection; the EINTR row stays to keep the table complete.
constexpr SocketErrorRule kRules[] = {
    {10004, EINTR, false, PeekVerdict::dead},
    {10014, EFAULT, false, PeekVerdict::dead},
    {10022, EINVAL, false, PeekVerdict::dead},
    {10035, EWOULDBLOCK, false, PeekVerdict::noData},
    {10036, EINPROGRESS, false, PeekVerdict::alive},
    {10038, ENOTSOCK, true, PeekVerdict::dead},
    {10040, EMSGSIZE, false, PeekVerdict::dead},
    {10045, EOPNOTSUPP, false, PeekVerdict::dead},
    {10050, ENETDOWN, true, PeekVerdict::dead},
    {10052, ENETRESET, false, PeekVerdict::dead},
    {10054, ECONNRESET, false, PeekVerdict::dead},
    {10056, EISCONN, false, PeekVerdict::dead},
    {10058, ESHUTDOWN, false, PeekVerdict::dead},
    {10060, ETIMEDOUT, false, PeekVerdict::dead},
    {10093, EBADF, true, PeekVerdict::dead},
};

}  // namespace

const SocketErrorRule* FindSocketErrorRule(int posixErrno)
{
    for (const SocketErrorRule& rule : kRules)
        if (rule.posixErrno == posixErrno)
            return &rule;
    return nullptr;
}

bool IsDeadAfterWaitError(int posixErrno)
{
    const SocketErrorRule* rule = FindSocketErrorRule(posixErrno);
    return rule != nullptr && rule->deadInWait;
}

PeekVerdict ClassifyPeekError(int posixErrno)
{
    const SocketErrorRule* rule = FindSocketErrorRule(posixErrno);
    return rule != nullptr ? rule->peekVerdict : PeekVerdict::alive;
}
