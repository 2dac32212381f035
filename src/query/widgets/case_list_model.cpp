#include "query/widgets/case_list_model.h"

#include "query/widgets/case_cell_order.h"

#include <algorithm>

namespace {

constexpr int kCaseNumberCell = 0;

bool IsListed(const std::shared_ptr<CCaseQueryDataRow>& row)
{
    return row && row->cells.size() >= 2;
}

}  // namespace

CaseListModel::CaseListModel(QObject* parent) : QAbstractTableModel(parent) {}

CaseListModel::~CaseListModel() = default;

void CaseListModel::SetResults(std::unique_ptr<CCaseQueryResults> results)
{
    beginResetModel();
    results_ = std::move(results);
    shown_.clear();
    if (results_) {
        shown_.reserve(results_->rows.size());
        for (const auto& row : results_->rows)
            if (IsListed(row))
                shown_.push_back(row);
    }
    sortColumn_ = 0;
    descending_ = false;
    endResetModel();
    Sort();
}

int CaseListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

int CaseListModel::columnCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    if (!results_)
        return 1;
    return std::max(0, static_cast<int>(results_->resultColumns.size()) - 1);
}

const CCaseQueryResultColInfo* CaseListModel::ResultColumn(int column) const
{
    if (!results_ || column < 0 || column + 1 >= static_cast<int>(results_->resultColumns.size()))
        return nullptr;
    return results_->resultColumns[static_cast<size_t>(column) + 1].get();
}

QVariant CaseListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const CCaseQueryDataRow& row = *shown_[static_cast<size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return QString::fromLatin1(row.Cell(static_cast<size_t>(index.column()) + 1));
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(ColumnAlignment(index.column()) | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant CaseListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        if (!results_)
            return QStringLiteral("Empty...");
        return QString::fromLatin1(ResultColumn(section)->header);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(ColumnAlignment(section) | Qt::AlignVCenter);
    default:
        return {};
    }
}

int CaseListModel::ColumnWidth(int column) const
{
    if (!results_)
        return kEmptyColumnWidth;
    const CCaseQueryResultColInfo* info = ResultColumn(column);
    return info ? std::max(0, info->width) : 0;
}

Qt::Alignment CaseListModel::ColumnAlignment(int column) const
{
    const CCaseQueryResultColInfo* info = ResultColumn(column);
    if (!info)
        return Qt::AlignLeft;
    switch (info->alignment) {
    case 1: return Qt::AlignHCenter;
    case 2: return Qt::AlignRight;
    default: return Qt::AlignLeft;
    }
}

void CaseListModel::ClickColumn(int column)
{
    if (column == sortColumn_)
        SortBy(column, !descending_);
    else
        SortBy(column, descending_);
}

void CaseListModel::SortBy(int column, bool descending)
{
    sortColumn_ = column;
    descending_ = descending;
    Sort();
}

void CaseListModel::Sort()
{
    const CCaseQueryResultColInfo* info = ResultColumn(sortColumn_);
    if (!info || shown_.size() < 2)
        return;
    const size_t cell = static_cast<size_t>(sortColumn_) + 1;

    struct Entry {
        CaseSortKey key;
        std::shared_ptr<CCaseQueryDataRow> row;
        int oldRow;
    };
    std::vector<Entry> entries;
    entries.reserve(shown_.size());
    for (size_t i = 0; i < shown_.size(); ++i)
        entries.push_back({SortKeyOf(info->columnKind, shown_[i]->Cell(cell), locale_), shown_[i], static_cast<int>(i)});

    const bool descending = descending_;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::stable_sort(entries.begin(), entries.end(), [descending](const Entry& a, const Entry& b) {
        const int order = CompareSortKeys(a.key, b.key);
        return descending ? order > 0 : order < 0;
    });
    std::vector<int> newRowOf(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        shown_[i] = entries[i].row;
        newRowOf[static_cast<size_t>(entries[i].oldRow)] = static_cast<int>(i);
    }
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& index : before)
        after.push_back(index.isValid() && index.row() < static_cast<int>(newRowOf.size())
                            ? createIndex(newRowOf[static_cast<size_t>(index.row())], index.column())
                            : QModelIndex());
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

std::string CaseListModel::CaseNumberAt(int row) const
{
    if (row < 0 || row >= rowCount())
        return {};
    return shown_[static_cast<size_t>(row)]->Cell(kCaseNumberCell);
}

std::vector<std::string> CaseListModel::CaseNumbersAt(std::vector<int> rows) const
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    std::vector<std::string> numbers;
    for (int row : rows)
        if (row >= 0 && row < rowCount())
            numbers.push_back(CaseNumberAt(row));
    return numbers;
}

int CaseListModel::RowOfCase(const std::string& caseNumber) const
{
    for (size_t i = 0; i < shown_.size(); ++i)
        if (shown_[i]->Cell(kCaseNumberCell) == caseNumber)
            return static_cast<int>(i);
    return -1;
}

bool CaseListModel::RefreshCase(const std::string& caseNumber, const CCaseQueryResults& fresh)
{
    const int row = RowOfCase(caseNumber);
    if (row < 0)
        return false;
    for (const auto& freshRow : fresh.rows) {
        if (freshRow && freshRow->Cell(kCaseNumberCell) == caseNumber) {
            shown_[static_cast<size_t>(row)]->cells = freshRow->cells;
            emit dataChanged(index(row, 0), index(row, std::max(0, columnCount() - 1)));
            return true;
        }
    }
    return false;
}

void CaseListModel::RemoveRowsAt(std::vector<int> rows)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
        const int row = *it;
        if (row < 0 || row >= rowCount())
            continue;
        const std::shared_ptr<CCaseQueryDataRow> gone = shown_[static_cast<size_t>(row)];
        beginRemoveRows({}, row, row);
        shown_.erase(shown_.begin() + row);
        auto& tableRows = results_->rows;
        tableRows.erase(std::remove(tableRows.begin(), tableRows.end(), gone), tableRows.end());
        endRemoveRows();
    }
}

std::vector<std::shared_ptr<CCaseQueryDataRow>> CaseListModel::RowsAt(const std::vector<int>& rows) const
{
    std::vector<std::shared_ptr<CCaseQueryDataRow>> handles;
    for (int row : rows)
        if (row >= 0 && row < rowCount())
            handles.push_back(shown_[static_cast<size_t>(row)]);
    return handles;
}

void CaseListModel::RemoveRows(const std::vector<std::shared_ptr<CCaseQueryDataRow>>& rows)
{
    std::vector<int> indexes;
    for (const auto& handle : rows) {
        const auto it = std::find(shown_.begin(), shown_.end(), handle);
        if (it != shown_.end())
            indexes.push_back(static_cast<int>(it - shown_.begin()));
    }
    RemoveRowsAt(std::move(indexes));
}
