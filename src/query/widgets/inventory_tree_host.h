#pragma once
// What the inventory tree needs from the document: the lists it is built from, the
// document title, and the commands of its nodes. The tree holds no server state; the
// document carries out every command and tells the tree to rebuild after changes.

#include "query/inventory_tree_layout.h"

#include <QString>

#include <string>

// How a node command ended: whether it succeeded and, for commands that name or rename
// something (edit child, add or edit territory), the new name.
struct TreeCommandOutcome {
    bool succeeded = false;
    std::string newName;
};

class InventoryTreeHost {
public:
    virtual ~InventoryTreeHost() = default;

    // The lists the tree shows; they must stay valid until the next call.
    virtual InventoryTreeSource TreeSource() const = 0;

    virtual void SetDocumentTitle(const QString& title) = 0;

    // Whether the program carries out this command at all. Menu entries of other
    // commands are not shown, and a double click that would give one does nothing.
    virtual bool HasTreeCommand(int commandId) const = 0;

    // Carries out a command on a node. The tree may be rebuilt meanwhile; it finds the
    // node again by its place and text for what follows a success.
    virtual TreeCommandOutcome RunTreeCommand(int commandId, const TreeNodeRef& node) = 0;
};
