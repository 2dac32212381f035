#pragma once
// The "Assignment History" dialog: the case's assignments in a read-only list, and
// Close. Nothing is sent back.

#include "records/tracking_entry.h"

#include <QDialog>

#include <string>
#include <vector>

class CInventoryServer;
class QTreeWidget;
class UserPrompts;

class CAssignmentHistoryDlg : public QDialog {
    Q_OBJECT
public:
    CAssignmentHistoryDlg(const std::vector<CTrackingEntry>& history, QWidget* parent = nullptr);

    QTreeWidget* List() const { return list_; }

private:
    QTreeWidget* list_;
};

// GETCASETRACKING for the case and the dialog over its answer; a failure shows "Error
// receiving assignment history from server". For every place that offers the history
// (the case list, the manual assignment dialog).
void ShowAssignmentHistory(QWidget* parent, CInventoryServer& server, UserPrompts& prompts,
                           const std::string& caseNumber);
