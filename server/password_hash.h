#pragma once
// Salted PBKDF2-HMAC-SHA256 password hashes. Passwords are never stored, only the salt,
// the iteration count and the derived key.

#include <string>

struct PasswordHash {
    std::string salt;    // 16 random bytes
    std::string hash;    // 32 bytes derived from the password and the salt
    int iterations = 0;
};

class CPasswordHasher {
public:
    static constexpr size_t kSaltBytes = 16;
    static constexpr size_t kHashBytes = 32;

    // A new salt from the operating system's random source and the derived key.
    // False when the random source or the derivation failed.
    static bool Make(const std::string& password, int iterations, PasswordHash& out);

    // True when the password derives the stored key; the comparison takes the same time
    // wherever the keys differ.
    static bool Matches(const std::string& password, const PasswordHash& stored);

private:
    static bool Derive(const std::string& password, const std::string& salt, int iterations,
                       std::string& key);
};
