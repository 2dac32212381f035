#pragma once
// The first failing check of a property sheet: the message to show, and the page and
// field that get the focus.

#include <string>

struct SheetFailure {
    int page = 0;         // index into the sheet's page list
    std::string field;    // the object name of the control that gets the focus
    std::string message;  // shown as it is
};
