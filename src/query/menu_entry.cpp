#include "query/menu_entry.h"

std::vector<MenuEntry> AvailableEntries(const std::vector<MenuEntry>& entries,
                                        const std::function<bool(int commandId)>& available)
{
    std::vector<MenuEntry> kept;
    bool separatorPending = false;
    for (const MenuEntry& entry : entries) {
        if (entry.IsSeparator()) {
            separatorPending = !kept.empty();
            continue;
        }
        MenuEntry copy = entry;
        if (entry.IsPopup()) {
            copy.submenu = AvailableEntries(entry.submenu, available);
            if (copy.submenu.empty())
                continue;
        } else if (!available(entry.commandId)) {
            continue;
        }
        if (separatorPending)
            kept.push_back(MenuSeparator());
        separatorPending = false;
        kept.push_back(std::move(copy));
    }
    return kept;
}
