#include "server/password_hash.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/rand.h>

bool CPasswordHasher::Derive(const std::string& password, const std::string& salt, int iterations,
                             std::string& key)
{
    if (iterations < 1)
        return false;
    key.assign(kHashBytes, '\0');
    return PKCS5_PBKDF2_HMAC(password.data(), static_cast<int>(password.size()),
                             reinterpret_cast<const unsigned char*>(salt.data()),
                             static_cast<int>(salt.size()), iterations, EVP_sha256(),
                             static_cast<int>(kHashBytes), reinterpret_cast<unsigned char*>(key.data())) == 1;
}

bool CPasswordHasher::Make(const std::string& password, int iterations, PasswordHash& out)
{
    std::string salt(kSaltBytes, '\0');
    if (RAND_bytes(reinterpret_cast<unsigned char*>(salt.data()), static_cast<int>(salt.size())) != 1)
        return false;
    std::string key;
    if (!Derive(password, salt, iterations, key))
        return false;
    out.salt = std::move(salt);
    out.hash = std::move(key);
    out.iterations = iterations;
    return true;
}

bool CPasswordHasher::Matches(const std::string& password, const PasswordHash& stored)
{
    if (stored.hash.size() != kHashBytes)
        return false;
    std::string key;
    if (!Derive(password, stored.salt, stored.iterations, key))
        return false;
    return CRYPTO_memcmp(key.data(), stored.hash.data(), kHashBytes) == 0;
}
