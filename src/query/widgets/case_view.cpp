#include "query/widgets/case_view.h"

#include "platform/user_prompts.h"
#include "query/case_list_commands.h"
#include "query/case_list_title.h"
#include "query/widgets/case_list_host.h"
#include "query/widgets/case_list_model.h"
#include "query/widgets/command_menu.h"
#include "records/case_query_request_info.h"
#include "records/case_query_results.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

#include <algorithm>
#include <set>

CCaseView::CCaseView(QWidget* parent) : QTableView(parent), model_(new CaseListModel(this))
{
    setModel(model_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAlternatingRowColors(true);
    setShowGrid(false);
    setWordWrap(false);
    setTextElideMode(Qt::ElideRight);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setTabKeyNavigation(false);
    setContextMenuPolicy(Qt::DefaultContextMenu);

    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);

    QHeaderView* header = horizontalHeader();
    header->setHighlightSections(false);
    header->setSectionsClickable(true);
    header->setSectionsMovable(false);
    header->setStretchLastSection(false);
    header->setSortIndicatorShown(true);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(header, &QHeaderView::sectionClicked, this, [this](int column) {
        if (model_->Results())
            model_->ClickColumn(column);
        ShowSortIndicator();
    });

    ApplyColumns();
}

CCaseView::~CCaseView() = default;

void CCaseView::SetHost(CaseListHost* host)
{
    host_ = host;
}

void CCaseView::ShowResults(std::unique_ptr<CCaseQueryResults> results,
                            std::unique_ptr<CCaseQueryRequestInfo> request)
{
    model_->SetResults(std::move(results));
    request_ = std::move(request);
    ApplyColumns();
}

void CCaseView::ApplyColumns()
{
    QHeaderView* header = horizontalHeader();
    for (int column = 0; column < model_->columnCount(); ++column)
        header->resizeSection(column, model_->ColumnWidth(column));
    ShowSortIndicator();
}

void CCaseView::ShowSortIndicator()
{
    QHeaderView* header = horizontalHeader();
    if (!model_->Results()) {
        header->setSortIndicator(-1, Qt::AscendingOrder);
        return;
    }
    header->setSortIndicator(model_->SortColumn(),
                             model_->SortDescending() ? Qt::DescendingOrder : Qt::AscendingOrder);
}

std::vector<int> CCaseView::SelectedRows() const
{
    std::set<int> rows;
    if (selectionModel())
        for (const QModelIndex& index : selectionModel()->selectedIndexes())
            rows.insert(index.row());
    return {rows.begin(), rows.end()};
}

std::vector<std::string> CCaseView::SelectedCaseNumbers() const
{
    return model_->CaseNumbersAt(SelectedRows());
}

std::optional<std::string> CCaseView::FirstSelectedCase() const
{
    const std::vector<int> rows = SelectedRows();
    if (rows.empty())
        return std::nullopt;
    return model_->CaseNumberAt(rows.front());
}

int CCaseView::FocusedRow() const
{
    return currentIndex().isValid() ? currentIndex().row() : -1;
}

void CCaseView::RunCommand(int commandId)
{
    if (!host_ || !host_->HasCaseCommand(commandId) || !host_->CaseCommandEnabled(commandId))
        return;
    const CaseSelectionNeed need = SelectionNeedOf(commandId);
    std::vector<int> rows;
    std::vector<std::string> cases;
    if (need != CaseSelectionNeed::none) {
        rows = SelectedRows();
        if (rows.empty()) {
            host_->Prompts().Message(QStringLiteral("Nothing has been selected!"), UserPrompts::Icon::exclamation,
                                     QStringLiteral("Error"));
            return;
        }
        // A one-case command takes the focused row (the row of the caret), which need
        // not be the first selected.
        if (need == CaseSelectionNeed::oneCase) {
            const int focused = FocusedRow();
            rows = {focused >= 0 ? focused : rows.front()};
        }
        cases = model_->CaseNumbersAt(rows);
    }
    // The host may show a new table while it works; the rows are found again by identity.
    const auto handles = model_->RowsAt(rows);
    if (!host_->RunCaseCommand(commandId, cases))
        return;
    if (commandId == cmdCaseDelete) {
        model_->RemoveRows(handles);
        const std::string title = host_->DocumentTitle().toLatin1().toStdString();
        host_->SetDocumentTitle(
            QString::fromLatin1(CaseListTitleAfterDelete(title, static_cast<size_t>(model_->rowCount()))));
        return;
    }
    if (need == CaseSelectionNeed::none || !host_->RefreshAfterCommands())
        return;
    if (cases.size() == 1)
        RefreshCase(cases.front());
    else
        RefreshAll();
}

void CCaseView::RefreshCase(const std::string& caseNumber)
{
    if (!host_ || !request_)
        return;
    if (const std::unique_ptr<CCaseQueryResults> fresh = host_->RunQuery(*request_))
        model_->RefreshCase(caseNumber, *fresh);
}

void CCaseView::RefreshAll()
{
    if (!host_ || !request_)
        return;
    if (std::unique_ptr<CCaseQueryResults> fresh = host_->RunQuery(*request_)) {
        model_->SetResults(std::move(fresh));
        ApplyColumns();
    }
}

std::vector<MenuEntry> CCaseView::ContextMenuEntries() const
{
    if (!host_)
        return {};
    return AvailableEntries(CaseListMenu(), [this](int command) { return host_->HasCaseCommand(command); });
}

void CCaseView::ShowContextMenu(const QPoint& globalPosition)
{
    const std::vector<MenuEntry> entries = ContextMenuEntries();
    if (entries.empty())
        return;
    QMenu menu(window());
    int chosen = 0;
    FillCommandMenu(
        menu, entries, [&chosen](int command) { chosen = command; },
        [this](int command) { return host_->CaseCommandEnabled(command); });
    menu.exec(globalPosition);
    if (chosen != 0)
        RunCommand(chosen);
}

void CCaseView::contextMenuEvent(QContextMenuEvent* event)
{
    if (event->reason() == QContextMenuEvent::Keyboard)
        ShowContextMenu(mapToGlobal(QPoint(5, 5)));
    else
        ShowContextMenu(event->globalPos());
}

void CCaseView::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Delete:
        RunCommand(cmdCaseDelete);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        RunCommand(cmdCaseProperties);
        return;
    case Qt::Key_F10:
        if (event->modifiers() == Qt::ShiftModifier) {
            ShowContextMenu(mapToGlobal(QPoint(5, 5)));
            return;
        }
        break;
    default:
        break;
    }
    QTableView::keyPressEvent(event);
}

void CCaseView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && indexAt(event->position().toPoint()).isValid()) {
        event->accept();
        RunCommand(cmdCaseOpenAttachment);
        return;
    }
    QTableView::mouseDoubleClickEvent(event);
}
