#include "query/widgets/inventory_tree_view.h"

#include "query/widgets/command_menu.h"
#include "query/widgets/inventory_tree_host.h"
#include "query/widgets/tree_image_strip.h"
#include "query/scope_bits.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>
#include <QSet>

#include <memory>

namespace {

QString StepOf(const QTreeWidgetItem* item)
{
    return QString::number(CInventoryTreeView::NodeKind(item)) + QLatin1Char(':') + item->text(0);
}

// A node's place in the tree: the kind and text of each node from the root down.
QStringList PathOf(const QTreeWidgetItem* item)
{
    QStringList path;
    for (; item != nullptr; item = item->parent())
        path.prepend(StepOf(item));
    return path;
}

QTreeWidgetItem* NewItem(const InventoryTreeNode& node)
{
    auto* item = new QTreeWidgetItem;
    item->setText(0, QString::fromLatin1(node.text));
    item->setIcon(0, TreeImageIcon(node.image));
    item->setData(0, CInventoryTreeView::kKindRole, node.kind);
    for (const InventoryTreeNode& child : node.children)
        item->addChild(NewItem(child));
    return item;
}

void CollectExpanded(const QTreeWidgetItem* item, QSet<QString>& expanded)
{
    if (item->isExpanded())
        expanded.insert(PathOf(item).join(QChar(0x1f)));
    for (int i = 0; i < item->childCount(); ++i)
        CollectExpanded(item->child(i), expanded);
}

void RestoreExpanded(QTreeWidgetItem* item, const QSet<QString>& expanded)
{
    if (expanded.contains(PathOf(item).join(QChar(0x1f))))
        item->setExpanded(true);
    for (int i = 0; i < item->childCount(); ++i)
        RestoreExpanded(item->child(i), expanded);
}

}  // namespace

CInventoryTreeView::CInventoryTreeView(QWidget* parent) : QTreeWidget(parent)
{
    setColumnCount(1);
    setHeaderHidden(true);
    setIconSize(QSize(16, 16));
    setUniformRowHeights(true);
    setIndentation(18);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setContextMenuPolicy(Qt::DefaultContextMenu);
    header()->setStretchLastSection(true);
}

void CInventoryTreeView::SetHost(InventoryTreeHost* host)
{
    host_ = host;
}

void CInventoryTreeView::Rebuild()
{
    QSet<QString> expanded;
    for (int i = 0; i < topLevelItemCount(); ++i)
        CollectExpanded(topLevelItem(i), expanded);
    const bool wasEmpty = topLevelItemCount() == 0;
    const QStringList current = currentItem() ? PathOf(currentItem()) : QStringList();

    clear();
    if (!host_)
        return;
    for (const InventoryTreeNode& root : InventoryTreeLayout::Build(host_->TreeSource())) {
        QTreeWidgetItem* item = NewItem(root);
        addTopLevelItem(item);
        if (wasEmpty)
            item->setExpanded(true);  // a fresh tree opens its roots
        else
            RestoreExpanded(item, expanded);
    }
    if (QTreeWidgetItem* item = ItemAtPath(current))
        setCurrentItem(item);
}

int32_t CInventoryTreeView::NodeKind(const QTreeWidgetItem* item)
{
    return item ? item->data(0, kKindRole).toInt() : 0;
}

TreeNodeRef CInventoryTreeView::NodeOf(const QTreeWidgetItem* item)
{
    TreeNodeRef node;
    if (!item)
        return node;
    node.kind = NodeKind(item);
    node.text = item->text(0).toLatin1().toStdString();
    if (const QTreeWidgetItem* parent = item->parent()) {
        node.parentKind = NodeKind(parent);
        node.parentText = parent->text(0).toLatin1().toStdString();
    }
    return node;
}

std::vector<MenuEntry> CInventoryTreeView::ContextMenuEntries(const QTreeWidgetItem* item) const
{
    if (!host_ || !item)
        return {};
    const InventoryTreeSource source = host_->TreeSource();
    static const std::vector<CCaseViewParam> kNoViews;
    const std::vector<MenuEntry> all = InventoryTreeLayout::ContextMenu(
        NodeOf(item), source.info ? source.info->rights : 0, source.caseViews ? *source.caseViews : kNoViews);
    return AvailableEntries(all, [this](int command) { return host_->HasTreeCommand(command); });
}

int CInventoryTreeView::DoubleClickCommandOf(const QTreeWidgetItem* item) const
{
    if (!host_ || !item)
        return 0;
    const InventoryTreeSource source = host_->TreeSource();
    static const std::vector<CCaseViewParam> kNoViews;
    const int command =
        InventoryTreeLayout::DoubleClickCommand(NodeOf(item), source.caseViews ? *source.caseViews : kNoViews);
    return command != 0 && host_->HasTreeCommand(command) ? command : 0;
}

void CInventoryTreeView::RunCommand(int commandId, QTreeWidgetItem* item)
{
    if (!host_ || !item || !host_->HasTreeCommand(commandId))
        return;
    const QStringList path = PathOf(item);
    const TreeNodeRef node = NodeOf(item);
    // The host may rebuild the tree while it works; `item` is not used after this call.
    const TreeCommandOutcome outcome = host_->RunTreeCommand(commandId, node);
    if (outcome.succeeded)
        FollowUp(commandId, path, node, outcome);
}

void CInventoryTreeView::FollowUp(int commandId, const QStringList& path, const TreeNodeRef& node,
                                  const TreeCommandOutcome& outcome)
{
    QTreeWidgetItem* item = ItemAtPath(path);
    switch (InventoryTreeLayout::FollowUpOf(commandId)) {
    case TreeFollowUp::none:
        break;
    case TreeFollowUp::rebuild:
        Rebuild();
        break;
    case TreeFollowUp::rebuildWhenRenamed:
        if (outcome.newName != node.text)
            Rebuild();
        break;
    case TreeFollowUp::removeNode:
        if (item) {
            QTreeWidgetItem* parent = item->parent();
            const std::unique_ptr<QTreeWidgetItem> removed(
                parent ? parent->takeChild(parent->indexOfChild(item))
                       : takeTopLevelItem(indexOfTopLevelItem(item)));
        }
        break;
    case TreeFollowUp::addTerritory:
        if (item) {
            InventoryTreeNode territory{kScopeEachTerritory, outcome.newName, treeImageTerritory, {}};
            item->addChild(NewItem(territory));
            item->setExpanded(true);
        }
        break;
    case TreeFollowUp::renameNode:
        if (item)
            item->setText(0, QString::fromLatin1(outcome.newName));
        break;
    }
}

QTreeWidgetItem* CInventoryTreeView::ItemAtPath(const QStringList& path) const
{
    QTreeWidgetItem* found = nullptr;
    for (qsizetype depth = 0; depth < path.size(); ++depth) {
        const int count = found ? found->childCount() : topLevelItemCount();
        QTreeWidgetItem* next = nullptr;
        for (int i = 0; i < count && !next; ++i) {
            QTreeWidgetItem* candidate = found ? found->child(i) : topLevelItem(i);
            if (StepOf(candidate) == path[depth])
                next = candidate;
        }
        if (!next)
            return nullptr;
        found = next;
    }
    return found;
}

void CInventoryTreeView::showEvent(QShowEvent* event)
{
    QTreeWidget::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    if (host_)
        host_->SetDocumentTitle(QStringLiteral("Corvane"));
    Rebuild();
}

void CInventoryTreeView::contextMenuEvent(QContextMenuEvent* event)
{
    QTreeWidgetItem* item = itemAt(event->pos());
    if (event->reason() == QContextMenuEvent::Keyboard)
        item = currentItem();
    if (!item)
        return;
    setCurrentItem(item);
    const std::vector<MenuEntry> entries = ContextMenuEntries(item);
    if (entries.empty())
        return;
    const QStringList path = PathOf(item);
    QMenu menu(window());
    int chosen = 0;
    FillCommandMenu(menu, entries, [&chosen](int command) { chosen = command; });
    const QPoint at = event->reason() == QContextMenuEvent::Keyboard
                          ? viewport()->mapToGlobal(visualItemRect(item).bottomLeft())
                          : event->globalPos();
    menu.exec(at);
    if (chosen != 0)
        if (QTreeWidgetItem* target = ItemAtPath(path))
            RunCommand(chosen, target);
}

void CInventoryTreeView::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTreeWidgetItem* item = itemAt(event->position().toPoint());
    const int command = DoubleClickCommandOf(item);
    if (command == 0) {
        QTreeWidget::mouseDoubleClickEvent(event);  // roots and the like open and close
        return;
    }
    event->accept();
    RunCommand(command, item);
}
