#pragma once
// "Manage Report Views": one account's report views by name, with Add, Edit, Delete
// and Copy To. The list given is edited in place; the caller stores it on OK.

#include "report/widgets/report_view_list_logic.h"
#include "report/widgets/report_views_host.h"

#include <QDialog>

class QListWidget;
class UserPrompts;

class CManageReportViewsDlg : public QDialog {
    Q_OBJECT
public:
    CManageReportViewsDlg(ReportPropItems& views, ReportViewsHost host, UserPrompts& prompts,
                          QWidget* parent = nullptr);

    QListWidget* List() const { return list_; }

private:
    // The selected row, or -1 after "Nothing selected".
    int Selected();
    void Add();
    void Edit();
    void Delete();
    void CopyTo();

    ReportPropItems& views_;
    ReportViewsHost host_;
    UserPrompts& prompts_;
    QListWidget* list_;
};
