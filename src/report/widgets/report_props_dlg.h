#pragma once
// "Report Properties": a report view's name, its report file and its settings, over
// ReportPropsLogic. OK checks the file, then the name.

#include "report/widgets/report_view_list_logic.h"
#include "report/widgets/report_views_host.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class UserPrompts;

class CReportPropsDlg : public QDialog {
    Q_OBJECT
public:
    CReportPropsDlg(ReportPropsLogic& logic, const ReportViewsHost& host, UserPrompts& prompts,
                    QWidget* parent = nullptr);

public slots:
    void accept() override;

private:
    void EditSettings();

    ReportPropsLogic& logic_;
    const ReportViewsHost& host_;
    UserPrompts& prompts_;
    QLineEdit* name_;
    QComboBox* file_;
};
