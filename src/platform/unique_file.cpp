#include "platform/unique_file.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace UniqueFile {

namespace {

constexpr size_t kMaxNameBytes = 200;
constexpr int kMaxCopyNumber = 10000;

QString SystemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

bool WriteAll(int fd, const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<size_t>(written);
    }
    return true;
}

}  // namespace

std::string LastPathComponent(const std::string& name, const std::string& fallback)
{
    const size_t slash = name.find_last_of("/\\");
    std::string last = slash == std::string::npos ? name : name.substr(slash + 1);
    std::string clean;
    for (char c : last) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            continue;
        if (clean.empty() && (c == '.' || c == ' '))
            continue;
        clean += c;
    }
    while (!clean.empty() && clean.back() == ' ')
        clean.pop_back();
    if (clean.size() > kMaxNameBytes)
        clean.resize(kMaxNameBytes);
    return clean.empty() ? fallback : clean;
}

std::string WithCopyNumber(const std::string& name, int n)
{
    if (n == 0)
        return name;
    const std::string number = "(" + std::to_string(n) + ")";
    const size_t dot = name.find('.');
    if (dot == std::string::npos)
        return name + number;
    return name.substr(0, dot) + number + name.substr(dot);
}

std::optional<QString> Create(const QString& folder, const std::string& name, const std::string& bytes,
                              QString* error)
{
    const std::string base = LastPathComponent(name);
    for (int n = 0; n <= kMaxCopyNumber; ++n) {
        const QString path = folder + '/' + QString::fromLatin1(WithCopyNumber(base, n));
        const QByteArray pathBytes = QFile::encodeName(path);
        const int fd = ::open(pathBytes.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST || errno == ELOOP)
                continue;
            if (error)
                *error = SystemError(errno);
            return std::nullopt;
        }
        const bool written = WriteAll(fd, bytes);
        const int writeError = errno;
        const bool closed = ::close(fd) == 0;
        if (!written || !closed) {
            ::unlink(pathBytes.constData());
            if (error)
                *error = SystemError(written ? errno : writeError);
            return std::nullopt;
        }
        return path;
    }
    if (error)
        *error = SystemError(EEXIST);
    return std::nullopt;
}

std::optional<std::string> ReadAll(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = file.errorString();
        return std::nullopt;
    }
    return bytes.toStdString();
}

}  // namespace UniqueFile

QString PrivateTempFolder()
{
    static QString folder;
    if (!folder.isEmpty() && QDir(folder).exists())
        return folder;
    const QString base = QDir::tempPath();
    const QString named = base + "/orvenna-oc-" + QString::number(::getuid());
    const QByteArray namedBytes = QFile::encodeName(named);
    if (::mkdir(namedBytes.constData(), 0700) != 0 && errno != EEXIST)
        return {};
    struct stat info {};
    if (::lstat(namedBytes.constData(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::getuid() &&
        (info.st_mode & 077) == 0) {
        folder = named;
        return folder;
    }
    QByteArray pattern = QFile::encodeName(base + "/orvenna-oc-XXXXXX");
    if (::mkdtemp(pattern.data()) == nullptr)
        return {};
    folder = QFile::decodeName(pattern);
    return folder;
}
