#pragma once
// "General": case number and creation date, serial number, flags, the parent and child
// with their link statuses and Send to Parent / Send to Child, manual assignment, the
// territory, the due and assignment dates, and the memo.

#include "casedlg/case_prop_page.h"

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

class CCasePropGenAndMemPage : public CCasePropPage {
    Q_OBJECT
public:
    CCasePropGenAndMemPage(CasePropsLogic& logic, UserPrompts& prompts, QWidget* parent = nullptr);

    CasePage Kind() const override { return CasePage::general; }
    void Load() override;
    void Store() override;
    std::optional<CaseFieldFailure> Validate() override;
    void Activated() override;
    // "Assign Manually": the dialog, then its result into the case.
    void AssignManually();

private:
    void ShowStates();
    void Reload();

    QLabel* caseNumber_ = nullptr;
    QLabel* created_ = nullptr;
    QLineEdit* serial_ = nullptr;
    QPlainTextEdit* memo_ = nullptr;
    QCheckBox* priority_ = nullptr;
    QCheckBox* correction_ = nullptr;
    QCheckBox* archived_ = nullptr;
    QCheckBox* completed_ = nullptr;
    QCheckBox* transferOut_ = nullptr;
    QLabel* parentLabel_ = nullptr;
    QComboBox* parent_ = nullptr;
    QLabel* parentLinkLabel_ = nullptr;
    QLabel* parentLink_ = nullptr;
    QCheckBox* sendToParent_ = nullptr;
    QLabel* childNameLabel_ = nullptr;
    QLabel* childName_ = nullptr;
    QLabel* childGroupLabel_ = nullptr;
    QLabel* childGroup_ = nullptr;
    QLabel* childLinkLabel_ = nullptr;
    QLabel* childLink_ = nullptr;
    QCheckBox* sendToChild_ = nullptr;
    QPushButton* assign_ = nullptr;
    QLabel* territoryLabel_ = nullptr;
    QComboBox* territory_ = nullptr;
    CMaskedDateEdit* masterDue_ = nullptr;
    CMaskedDateEdit* auditorDue_ = nullptr;
    QLabel* assignedLabel_ = nullptr;
    CMaskedDateEdit* assigned_ = nullptr;
    QLabel* returnedLabel_ = nullptr;
    CMaskedDateEdit* returned_ = nullptr;
};
