#include "query/widgets/command_menu.h"

#include <QAction>
#include <QMenu>

void FillCommandMenu(QMenu& menu, const std::vector<MenuEntry>& entries, const std::function<void(int)>& run,
                     const std::function<bool(int)>& enabled)
{
    for (const MenuEntry& entry : entries) {
        if (entry.IsSeparator()) {
            menu.addSeparator();
        } else if (entry.IsPopup()) {
            QMenu* popup = menu.addMenu(QString::fromLatin1(entry.text));
            FillCommandMenu(*popup, entry.submenu, run, enabled);
        } else {
            QAction* action = menu.addAction(QString::fromLatin1(entry.text));
            action->setData(entry.commandId);
            if (enabled)
                action->setEnabled(enabled(entry.commandId));
            const int command = entry.commandId;
            QObject::connect(action, &QAction::triggered, &menu, [run, command] { run(command); });
        }
    }
}
