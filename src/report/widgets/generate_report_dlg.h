#pragma once
// "Generate Report For Selected Cases": the user's report views, the output (display or
// one of the three exports), "Generate", "Properties..." (the view's settings for this
// session) and "Close". The dialog stays open until closed.

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class QButtonGroup;
class QListWidget;

class CGenerateReportDlg : public QDialog {
    Q_OBJECT
public:
    using Properties = std::function<void(const std::string& reportName)>;
    // kind: 0 display, 1 PDF, 2 TIFF, 3 XPS.
    using Generate = std::function<void(const std::string& reportName, int kind)>;

    CGenerateReportDlg(const std::vector<std::string>& reportNames, Properties properties, Generate generate,
                       QWidget* parent = nullptr);

private:
    std::string SelectedName() const;

    Properties properties_;
    Generate generate_;
    QListWidget* reports_;
    QButtonGroup* output_;
};
