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
    ForgetKeys();
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

const std::vector<CaseSortKey>& CaseListModel::KeysOf(int column)
{
    const size_t at = static_cast<size_t>(column);
    if (keys_.size() <= at)
        keys_.resize(at + 1);
    std::vector<CaseSortKey>& keys = keys_[at];
    if (keys.size() != shown_.size()) {
        const int32_t kind = ResultColumn(column)->columnKind;
        const size_t cell = at + 1;
        keys.clear();
        keys.reserve(shown_.size());
        for (const auto& row : shown_)
            keys.push_back(SortKeyOf(kind, row->Cell(cell), locale_));
    }
    return keys;
}

void CaseListModel::Sort()
{
    const CCaseQueryResultColInfo* info = ResultColumn(sortColumn_);
    if (!info || shown_.size() < 2)
        return;

    // Order the row numbers by the column's keys; equal keys keep their order, which the
    // row number as the last tie-breaker gives without a stable sort.
    const std::vector<CaseSortKey>& keys = KeysOf(sortColumn_);
    std::vector<int> order(shown_.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<int>(i);
    const bool descending = descending_;
    std::sort(order.begin(), order.end(), [&keys, descending](int a, int b) {
        const int compared = CompareSortKeys(keys[static_cast<size_t>(a)], keys[static_cast<size_t>(b)]);
        if (compared != 0)
            return descending ? compared > 0 : compared < 0;
        return a < b;
    });

    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<int> newRowOf(order.size());
    std::vector<std::shared_ptr<CCaseQueryDataRow>> rows(order.size());
    for (size_t i = 0; i < order.size(); ++i) {
        rows[i] = std::move(shown_[static_cast<size_t>(order[i])]);
        newRowOf[static_cast<size_t>(order[i])] = static_cast<int>(i);
    }
    shown_ = std::move(rows);
    // Every parsed column follows the rows, so a later sort by it parses nothing.
    for (std::vector<CaseSortKey>& column : keys_) {
        if (column.size() != order.size())
            continue;
        std::vector<CaseSortKey> moved(order.size());
        for (size_t i = 0; i < order.size(); ++i)
            moved[i] = std::move(column[static_cast<size_t>(order[i])]);
        column = std::move(moved);
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
            ForgetKeys();
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
        ForgetKeys();
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
