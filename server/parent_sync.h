#pragma once
// Connecting to a parent's own inventory server (SYNCPARENT): the parent's host name is
// "HOST" or "HOST:PORT" (port 9000 when none is given). The server connects there and
// creates a session as an office client would, following redirects, then closes it.

#include "server/store/account_admin_store.h"

#include <string>

inline constexpr int kParentDefaultPort = 9000;

// The text SYNCPARENT answers: empty when the parent's server accepted a session,
// otherwise what went wrong, for the user to read.
std::string SyncWithParent(const std::string& parentName, const ParentConnection& connection);

// Splits "HOST" or "HOST:PORT"; false when the port is not a number from 1 to 65535.
bool ParseParentHost(const std::string& text, std::string& host, int& port);
