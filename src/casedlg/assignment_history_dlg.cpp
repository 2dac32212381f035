#include "casedlg/assignment_history_dlg.h"

#include "casedlg/assignment_history_rows.h"
#include "net/inventory_server.h"
#include "platform/user_prompts.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

CAssignmentHistoryDlg::CAssignmentHistoryDlg(const std::vector<CTrackingEntry>& history, QWidget* parent)
    : QDialog(parent), list_(new QTreeWidget(this))
{
    setWindowTitle(QStringLiteral("Assignment History"));
    list_->setObjectName(QStringLiteral("history"));
    list_->setRootIsDecorated(false);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setAllColumnsShowFocus(true);
    QStringList headers;
    const std::vector<AssignmentHistoryColumn>& columns = AssignmentHistoryColumns();
    for (const AssignmentHistoryColumn& column : columns)
        headers << QString::fromLatin1(column.header);
    list_->setHeaderLabels(headers);
    int width = 0;
    for (size_t i = 0; i < columns.size(); ++i) {
        list_->header()->resizeSection(static_cast<int>(i), columns[i].width);
        width += columns[i].width;
    }
    for (const CTrackingEntry& entry : history) {
        QStringList texts;
        for (const std::string& text : AssignmentHistoryRow(entry))
            texts << QString::fromLatin1(text);
        list_->addTopLevelItem(new QTreeWidgetItem(texts));
    }
    list_->setMinimumWidth(width + 24);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close = buttons->addButton(QStringLiteral("Close"), QDialogButtonBox::AcceptRole);
    close->setObjectName(QStringLiteral("close"));
    close->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(buttons);
    resize(width + 48, 260);
}

void ShowAssignmentHistory(QWidget* parent, CInventoryServer& server, UserPrompts& prompts,
                           const std::string& caseNumber)
{
    std::vector<CTrackingEntry> history;
    bool received = false;
    {
        WaitCursor wait(prompts);
        received = server.GetCaseTracking(caseNumber, history);
    }
    if (!received) {
        prompts.Message(QStringLiteral("Error receiving assignment history from server"));
        return;
    }
    CAssignmentHistoryDlg dialog(history, parent);
    dialog.exec();
}
