#pragma once
// What the server keeps for one open session besides its account, for as long as the
// session lasts: the report view settings changed for this session alone.

#include <map>
#include <string>

struct SessionState {
    // SETREPORTVIEW's settings bytes by report view name; they take the place of the
    // view's stored settings until the session ends.
    std::map<std::string, std::string> reportSettings;
};
