#pragma once
// The case list pane: the rows of the last query, sortable by any column, and the place
// the case commands are given from (context menu, Delete and Enter keys, double click).
// The commands are the host's; the list hands over the selected case numbers and
// refreshes the rows afterwards.

#include "query/menu_entry.h"

#include <QTableView>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class CaseListHost;
class CaseListModel;
class CCaseQueryRequestInfo;
class CCaseQueryResults;

class CCaseView : public QTableView {
    Q_OBJECT
public:
    explicit CCaseView(QWidget* parent = nullptr);
    ~CCaseView() override;

    // The host is not owned and must outlive the view (or be reset to null first).
    void SetHost(CaseListHost* host);

    // A new table and the request that produced it, both owned from now on; null
    // results empty the list. The sort starts again at the first column, ascending.
    void ShowResults(std::unique_ptr<CCaseQueryResults> results, std::unique_ptr<CCaseQueryRequestInfo> request);

    CaseListModel& Model() const { return *model_; }
    const CCaseQueryRequestInfo* Request() const { return request_.get(); }

    // The selected rows' case numbers in list order.
    std::vector<std::string> SelectedCaseNumbers() const;
    // The first selected case in list order.
    std::optional<std::string> FirstSelectedCase() const;
    // The focused row, -1 when none.
    int FocusedRow() const;

    // Gives a command: checks that the host has it and allows it, takes the selection it
    // needs ("Nothing has been selected!" when there is none), hands it to the host and,
    // when the host changed something, refreshes or removes the rows.
    void RunCommand(int commandId);

    // Runs the query again and puts the case's new cells into its row; nothing changes
    // when the query fails or no longer finds the case.
    void RefreshCase(const std::string& caseNumber);
    // Runs the query again and shows the new table.
    void RefreshAll();

    // The context menu's entries: those of the commands the host has.
    std::vector<MenuEntry> ContextMenuEntries() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    std::vector<int> SelectedRows() const;
    void ApplyColumns();
    void ShowSortIndicator();
    void ShowContextMenu(const QPoint& globalPosition);

    CaseListHost* host_ = nullptr;
    CaseListModel* model_;
    std::unique_ptr<CCaseQueryRequestInfo> request_;
};
