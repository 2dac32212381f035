#pragma once
// Context menus as data: the views build them from these entries, so that which entries
// a menu holds, and in which order, is decided and tested without windows.

#include <functional>
#include <string>
#include <vector>

struct MenuEntry {
    int commandId = 0;                // 0 for a separator or a popup
    std::string text;                 // with '&' before the mnemonic; empty for a separator
    std::vector<MenuEntry> submenu;   // the entries of a popup

    bool IsSeparator() const { return commandId == 0 && submenu.empty() && text.empty(); }
    bool IsPopup() const { return !submenu.empty(); }
};

inline MenuEntry MenuSeparator()
{
    return {};
}

// The entries whose command passes `available`, popups with what remains of theirs.
// Separators are kept only between two remaining entries, never doubled.
std::vector<MenuEntry> AvailableEntries(const std::vector<MenuEntry>& entries,
                                        const std::function<bool(int commandId)>& available);
