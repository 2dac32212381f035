#include "server/admin_account.h"

#include "server/access_rights.h"

#include <termios.h>
#include <unistd.h>

bool ReadPasswordLine(std::FILE* in, std::string& password)
{
    const int fd = ::fileno(in);
    termios saved{};
    const bool terminal = ::isatty(fd) && ::tcgetattr(fd, &saved) == 0;
    if (terminal) {
        termios quiet = saved;
        quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        ::tcsetattr(fd, TCSAFLUSH, &quiet);
    }
    std::string line;
    bool ended = false;
    int c;
    while ((c = std::fgetc(in)) != EOF) {
        if (c == '\n') {
            ended = true;
            break;
        }
        if (line.size() <= kMaxPasswordLength)
            line += static_cast<char>(c);
    }
    if (terminal) {
        ::tcsetattr(fd, TCSAFLUSH, &saved);
        std::fputc('\n', stderr);
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    if ((!ended && line.empty()) || line.size() > kMaxPasswordLength)
        return false;
    password = std::move(line);
    return true;
}

bool AddAdministrator(CAccountStore& accounts, const std::string& userId, const std::string& password,
                      int hashIterations, std::string& error)
{
    if (password.empty()) {
        error = "the password is empty";
        return false;
    }
    // Child names are unique: a second administrator is named after its user id too.
    AccountInfo account{userId, "Administrator", AccountKind::child, kAdministratorRights, Group::administrators};
    if (accounts.Add(account, password, hashIterations, error))
        return true;
    if (accounts.Exists(userId))
        return false;
    account.accountName = "Administrator (" + userId + ")";
    return accounts.Add(account, password, hashIterations, error);
}
