#pragma once
// The case list's table: the result table of the last query, which it owns, shown one
// row per result row that has at least the case number and one more cell. The first
// result column (the case number) is not shown; shown column i is result column i + 1.
// Without a table there is one empty column headed "Empty...".
//
// Sorting follows the header clicks: the column already sorted by reverses its
// direction, another column keeps it. A new table starts sorted by the first shown
// column, ascending.

#include "query/widgets/case_cell_order.h"
#include "records/case_query_results.h"

#include <QAbstractTableModel>
#include <QLocale>

#include <memory>
#include <string>
#include <vector>

class CaseListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kEmptyColumnWidth = 100;

    explicit CaseListModel(QObject* parent = nullptr);
    ~CaseListModel() override;

    // Replaces (and destroys) the table; null shows the "Empty..." column.
    void SetResults(std::unique_ptr<CCaseQueryResults> results);
    const CCaseQueryResults* Results() const { return results_.get(); }

    // Date-time cells are read in this locale; the default is the user's.
    void SetLocale(const QLocale& locale)
    {
        locale_ = locale;
        ForgetKeys();
    }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    int ColumnWidth(int column) const;
    Qt::Alignment ColumnAlignment(int column) const;

    // A click on a column header.
    void ClickColumn(int column);
    void SortBy(int column, bool descending);
    int SortColumn() const { return sortColumn_; }
    bool SortDescending() const { return descending_; }

    // The case number of a shown row, empty for a row out of range.
    std::string CaseNumberAt(int row) const;
    // The case numbers of the rows, in list order whatever order the rows are given in.
    std::vector<std::string> CaseNumbersAt(std::vector<int> rows) const;
    // The first shown row of the case, -1 when none.
    int RowOfCase(const std::string& caseNumber) const;

    // Puts the cells of the case's row in `fresh` into the shown row of that case. False,
    // and nothing changes, when either table lacks the case.
    bool RefreshCase(const std::string& caseNumber, const CCaseQueryResults& fresh);

    // Takes the shown rows out of the list and out of the table.
    void RemoveRowsAt(std::vector<int> rows);

    // The result rows behind shown rows, to remove them later by identity: rows that are
    // no longer shown by then (a new table came meanwhile) are passed over.
    std::vector<std::shared_ptr<CCaseQueryDataRow>> RowsAt(const std::vector<int>& rows) const;
    void RemoveRows(const std::vector<std::shared_ptr<CCaseQueryDataRow>>& rows);

private:
    const CCaseQueryResultColInfo* ResultColumn(int column) const;
    void Sort();
    // The sort keys of a column, one per shown row in list order, parsed on first use
    // and kept (moved along with the rows) until the rows or their cells change.
    const std::vector<CaseSortKey>& KeysOf(int column);
    void ForgetKeys() { keys_.clear(); }

    std::unique_ptr<CCaseQueryResults> results_;
    std::vector<std::shared_ptr<CCaseQueryDataRow>> shown_;  // rows in list order
    int sortColumn_ = 0;
    bool descending_ = false;
    QLocale locale_;
    std::vector<std::vector<CaseSortKey>> keys_;  // by shown column; empty until used
};
