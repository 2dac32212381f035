#pragma once
// The dialogs the document runs in the middle of its operations. The desktop fills them
// with real dialogs (desktop_dialogs.h); tests with functions that answer at once. An
// empty function means the program does not have that dialog, and the operations that
// need it are not offered.

#include "admin/admin_dialogs.h"
#include "app/login_steps.h"
#include "query/search_fields.h"

#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class CCaseQueryData;

struct DocumentDialogs {
    // "Log In": true when confirmed (see login_steps.h).
    LoginDialogRunner logIn;

    // "Search Cases", offering the server's searchable fields: the search formula
    // entered, or nothing when cancelled.
    std::function<std::optional<std::string>(const std::vector<SearchField>& fields)> search;

    // The case view editor for the current log-in, titled `title`: edits the definition
    // in place, true on OK.
    std::function<bool(CCaseQueryData& view, const QString& title)> editCaseView;

    // "Currently Logged In Users", listing the server's lines.
    std::function<void(const std::vector<std::string>& lines)> loggedInUsers;

    // The administration dialogs of the tree's account, region and territory commands.
    AdminDialogs admin;
};
