#pragma once
// The connection passwords SYNCPARENT logs in to parents' servers with. The server keeps
// only a hash of an account's own password, which cannot be sent anywhere; so when a
// parent's record is stored with a connection password, the password is also kept
// enciphered (AES-256-GCM, a fresh random nonce each time) under a key that lives
// outside the database: the file named after the database with ".parentkey" appended,
// made on first use with owner-only permissions (0600). Without that file the
// passwords in the database cannot be read back. A PostgreSQL database has no file: its
// key is kept in the database itself (ServerKeys), so that every server on it and every
// restart reads the passwords back; anyone who can read that database can read them.
// An in-memory database uses a key that lasts as long as the process. The passwords are
// never sent back to clients.

#include "server/database.h"

#include <cstdint>
#include <optional>
#include <string>

class CParentSecrets {
public:
    // Keeps `password` for the parent (an empty one removes what was kept), inside the
    // caller's write transaction.
    static bool Store(CDatabase& database, int64_t parentId, const std::string& password);
    // The parent's kept password, by its name; nothing when none is kept or it cannot
    // be deciphered.
    static std::optional<std::string> Find(CDatabase& database, const std::string& parentName);
};
