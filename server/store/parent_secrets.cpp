#include "server/store/parent_secrets.h"

#include <openssl/evp.h>
#include <openssl/rand.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <memory>
#include <mutex>

namespace {

constexpr size_t kKeySize = 32;
constexpr size_t kNonceSize = 12;
constexpr size_t kTagSize = 16;
constexpr size_t kMaxSecretSize = 4096;

using Key = std::array<unsigned char, kKeySize>;

bool ReadAll(int fd, unsigned char* data, size_t size)
{
    size_t done = 0;
    while (done < size) {
        const ssize_t got = ::read(fd, data + done, size - done);
        if (got <= 0)
            return false;
        done += static_cast<size_t>(got);
    }
    return true;
}

bool WriteAll(int fd, const unsigned char* data, size_t size)
{
    size_t done = 0;
    while (done < size) {
        const ssize_t put = ::write(fd, data + done, size - done);
        if (put <= 0)
            return false;
        done += static_cast<size_t>(put);
    }
    return true;
}

// PostgreSQL has no database file to keep the key beside: the key is made once and kept
// in the database, shared by every server on it. Two servers making it at once keep the
// first one written.
bool LoadKeyFromTable(CDatabase& database, Key& key)
{
    auto read = [&]() {
        CCachedStatement select = database.Prepare("SELECT KeyBytes FROM ServerKeys WHERE Name = 'parent-connections';");
        if (!select->Step())
            return false;
        const std::string bytes = select->ColumnBlob(0);
        if (bytes.size() != key.size())
            return false;
        std::copy(bytes.begin(), bytes.end(), key.begin());
        return true;
    };
    if (read())
        return true;
    Key made{};
    if (RAND_bytes(made.data(), static_cast<int>(made.size())) != 1)
        return false;
    {
        CCachedStatement insert = database.Prepare(
            "INSERT INTO ServerKeys (Name, KeyBytes) VALUES ('parent-connections', ?) ON CONFLICT (Name) DO NOTHING;");
        insert->BindBlob(1, std::string(made.begin(), made.end()));
        insert->Step();
        if (!insert->Done())
            return false;
    }
    return read();
}

// The key of the database's key file, made when there is none yet.
bool LoadKey(CDatabase& database, Key& key)
{
    if (database.Dialect() == SqlDialect::postgresql)
        return LoadKeyFromTable(database, key);
    static std::mutex mutex;
    static Key processKey{};
    static bool processKeyMade = false;
    std::lock_guard<std::mutex> lock(mutex);
    const std::string& file = database.FilePath();
    if (file.empty()) {
        if (!processKeyMade && RAND_bytes(processKey.data(), static_cast<int>(processKey.size())) != 1)
            return false;
        processKeyMade = true;
        key = processKey;
        return true;
    }
    const std::string path = std::string(file) + ".parentkey";
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        struct stat info {};
        const bool ok = ::fstat(fd, &info) == 0 && info.st_size == static_cast<off_t>(kKeySize) &&
                        ReadAll(fd, key.data(), key.size());
        ::close(fd);
        return ok;
    }
    if (RAND_bytes(key.data(), static_cast<int>(key.size())) != 1)
        return false;
    fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    const bool ok = WriteAll(fd, key.data(), key.size()) && ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

struct CipherDeleter {
    void operator()(EVP_CIPHER_CTX* context) const { EVP_CIPHER_CTX_free(context); }
};
using Cipher = std::unique_ptr<EVP_CIPHER_CTX, CipherDeleter>;

std::optional<std::string> Seal(const Key& key, const std::string& plain)
{
    std::string sealed(kNonceSize + kTagSize + plain.size(), '\0');
    auto* out = reinterpret_cast<unsigned char*>(sealed.data());
    if (RAND_bytes(out, kNonceSize) != 1)
        return std::nullopt;
    Cipher context(EVP_CIPHER_CTX_new());
    int length = 0;
    if (!context || EVP_EncryptInit_ex(context.get(), EVP_aes_256_gcm(), nullptr, key.data(), out) != 1 ||
        EVP_EncryptUpdate(context.get(), out + kNonceSize + kTagSize, &length,
                          reinterpret_cast<const unsigned char*>(plain.data()), static_cast<int>(plain.size())) != 1 ||
        EVP_EncryptFinal_ex(context.get(), out + kNonceSize + kTagSize + length, &length) != 1 ||
        EVP_CIPHER_CTX_ctrl(context.get(), EVP_CTRL_GCM_GET_TAG, kTagSize, out + kNonceSize) != 1)
        return std::nullopt;
    return sealed;
}

std::optional<std::string> Open(const Key& key, const std::string& sealed)
{
    if (sealed.size() < kNonceSize + kTagSize || sealed.size() > kMaxSecretSize)
        return std::nullopt;
    const auto* in = reinterpret_cast<const unsigned char*>(sealed.data());
    std::string plain(sealed.size() - kNonceSize - kTagSize, '\0');
    auto* out = reinterpret_cast<unsigned char*>(plain.data());
    Cipher context(EVP_CIPHER_CTX_new());
    int length = 0;
    std::array<unsigned char, kTagSize> tag{};
    std::copy(in + kNonceSize, in + kNonceSize + kTagSize, tag.begin());
    if (!context || EVP_DecryptInit_ex(context.get(), EVP_aes_256_gcm(), nullptr, key.data(), in) != 1 ||
        EVP_DecryptUpdate(context.get(), out, &length, in + kNonceSize + kTagSize, static_cast<int>(plain.size())) != 1 ||
        EVP_CIPHER_CTX_ctrl(context.get(), EVP_CTRL_GCM_SET_TAG, kTagSize, tag.data()) != 1 ||
        EVP_DecryptFinal_ex(context.get(), out + length, &length) != 1)
        return std::nullopt;
    return plain;
}

bool EnsureTable(CDatabase& database)
{
    std::string error;
    return database.Execute(Sql::SchemaText(database.Dialect(),
                                            "CREATE TABLE IF NOT EXISTS ParentSecrets ("
                                            "  ParentID INTEGER NOT NULL PRIMARY KEY REFERENCES Parents ON DELETE CASCADE,"
                                            "  Secret BLOB NOT NULL);"),
                            error);
}

}  // namespace

bool CParentSecrets::Store(CDatabase& database, int64_t parentId, const std::string& password)
{
    if (!EnsureTable(database))
        return false;
    if (password.empty()) {
        CCachedStatement remove = database.Prepare("DELETE FROM ParentSecrets WHERE ParentID = ?;");
        remove->BindInt(1, parentId);
        remove->Step();
        return remove->Done();
    }
    Key key{};
    if (!LoadKey(database, key))
        return false;
    const std::optional<std::string> sealed = Seal(key, password);
    if (!sealed)
        return false;
    CCachedStatement insert = database.Prepare("INSERT INTO ParentSecrets (ParentID, Secret) VALUES (?, ?)"
                                               " ON CONFLICT (ParentID) DO UPDATE SET Secret = excluded.Secret;");
    insert->BindInt(1, parentId);
    insert->BindBlob(2, *sealed);
    insert->Step();
    return insert->Done();
}

std::optional<std::string> CParentSecrets::Find(CDatabase& database, const std::string& parentName)
{
    if (!EnsureTable(database))
        return std::nullopt;
    CCachedStatement select = database.Prepare(
        "SELECT s.Secret FROM ParentSecrets s JOIN Parents p ON p.ParentID = s.ParentID WHERE p.Name = ?;");
    select->BindText(1, parentName);
    if (!select->Step())
        return std::nullopt;
    const std::string sealed = select->ColumnBlob(0);
    Key key{};
    if (!LoadKey(database, key))
        return std::nullopt;
    return Open(key, sealed);
}
