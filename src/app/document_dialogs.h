#pragma once
// The dialogs the document runs in the middle of its operations. The desktop fills them
// with real dialogs (desktop_dialogs.h); tests with functions that answer at once. An
// empty function means the program does not have that dialog, and the operations that
// need it are not offered.

#include "app/case_actions.h"
#include "app/login_steps.h"
#include "casedlg/case_editing.h"
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

    // The case properties sheet, the create-cases wizard, editing many cases and billing.
    CaseEditingDialogs caseEditing;
    // The case list's own actions: reset linkages, progress reports, schedule, policy
    // detail, assignment history.
    CaseActionDialogs caseActions;
};
