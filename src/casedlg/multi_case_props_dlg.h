#pragma once
// "Edit Properties of Multiple Cases": the General page's parent, links, assignment,
// territory, due dates and flags for several cases; what is left without a choice stays
// as it is in each case.

#include "casedlg/multi_case_props_logic.h"

#include <QDialog>

class CMaskedDateEdit;
class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;

class CMultiCasePropsDlg : public QDialog {
    Q_OBJECT
public:
    CMultiCasePropsDlg(MultiCasePropsLogic& logic, QWidget* parent = nullptr);

    void accept() override;

private:
    void ShowLinks();

    MultiCasePropsLogic& logic_;
    QComboBox* parent_ = nullptr;
    QLabel* parentLink_ = nullptr;
    QCheckBox* sendToParent_ = nullptr;
    QLabel* childName_ = nullptr;
    QLabel* childGroup_ = nullptr;
    QLabel* childLink_ = nullptr;
    QCheckBox* sendToChild_ = nullptr;
    QComboBox* territory_ = nullptr;
    CMaskedDateEdit* masterDue_ = nullptr;
    CMaskedDateEdit* auditorDue_ = nullptr;
    QCheckBox* priority_ = nullptr;
    QCheckBox* correction_ = nullptr;
    QCheckBox* archived_ = nullptr;
    QCheckBox* completed_ = nullptr;
    QCheckBox* transferOut_ = nullptr;
    QListWidget* flags_ = nullptr;
};
