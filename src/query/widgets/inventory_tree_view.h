#pragma once
// The left pane: the inventory tree. It is built from the host's lists on first showing
// (after titling the document "Corvane") and on every Rebuild(); every node keeps its
// kind as item data. Double clicks and context menu entries are handed to the host.

#include "query/inventory_tree_layout.h"

#include <QTreeWidget>

#include <vector>

class InventoryTreeHost;
struct TreeCommandOutcome;

class CInventoryTreeView : public QTreeWidget {
    Q_OBJECT
public:
    static constexpr int kKindRole = Qt::UserRole;

    explicit CInventoryTreeView(QWidget* parent = nullptr);

    // The host is not owned and must outlive the view (or be reset to null first).
    void SetHost(InventoryTreeHost* host);

    // Deletes every node and builds the tree again from the host's lists. Expanded
    // nodes and the current node stay as they were where they still exist.
    void Rebuild();

    static int32_t NodeKind(const QTreeWidgetItem* item);
    static TreeNodeRef NodeOf(const QTreeWidgetItem* item);

    // The context menu of a node: the entries its kind and the rights allow, of the
    // commands the host has.
    std::vector<MenuEntry> ContextMenuEntries(const QTreeWidgetItem* item) const;

    // What a double click on the node does: the command handed to the host, 0 for none.
    int DoubleClickCommandOf(const QTreeWidgetItem* item) const;

    // Hands a command on a node to the host, then does what follows its success
    // (rebuild, remove, add or rename a node).
    void RunCommand(int commandId, QTreeWidgetItem* item);

protected:
    void showEvent(QShowEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QTreeWidgetItem* ItemAtPath(const QStringList& path) const;
    void FollowUp(int commandId, const QStringList& path, const TreeNodeRef& node,
                  const TreeCommandOutcome& outcome);

    InventoryTreeHost* host_ = nullptr;
    bool shown_ = false;
};
