#pragma once
// "Assign Case Manually": let the program assign the case, assign it to a child (by
// group and name) or to the archive. The Assignment History button appears only when
// the program can show the history.

#include "casedlg/assign_manually_logic.h"

#include <QDialog>

#include <functional>

class QComboBox;
class QPushButton;
class QRadioButton;

class CAssignManuallyDlg : public QDialog {
    Q_OBJECT
public:
    CAssignManuallyDlg(AssignManuallyLogic& logic, std::function<void()> openHistory, QWidget* parent = nullptr);

private:
    void Show();

    AssignManuallyLogic& logic_;
    std::function<void()> openHistory_;
    QRadioButton* program_ = nullptr;
    QRadioButton* child_ = nullptr;
    QRadioButton* archive_ = nullptr;
    QComboBox* group_ = nullptr;
    QComboBox* name_ = nullptr;
    QPushButton* history_ = nullptr;
};
