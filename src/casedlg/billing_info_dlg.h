#pragma once
// "Billing Information": the case's billing entries with their total, and the form that
// creates a new amount or edits the one double-clicked in the list.

#include "casedlg/billing_logic.h"

#include <QDialog>

class CNumberEdit;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTreeWidget;
class UserPrompts;

class CBillingInfoDlg : public QDialog {
    Q_OBJECT
public:
    CBillingInfoDlg(BillingLogic& logic, UserPrompts& prompts, QWidget* parent = nullptr);

    QTreeWidget* List() const { return list_; }
    // The buttons' work, for the buttons and for tests.
    void CreateNew();
    void EditRow(int row);
    void FillDefaults();
    void Update();
    void Delete();
    void Override();

private:
    void ShowList();
    void ShowForm();
    void ReadForm();
    void ShowAmount();
    void ShowKind();

    BillingLogic& logic_;
    UserPrompts& prompts_;
    QTreeWidget* list_ = nullptr;
    QLabel* total_ = nullptr;
    QComboBox* party_ = nullptr;
    QRadioButton* hourly_ = nullptr;
    QRadioButton* flat_ = nullptr;
    CNumberEdit* firstRate_ = nullptr;
    CNumberEdit* additionalRate_ = nullptr;
    CNumberEdit* hours_ = nullptr;
    CNumberEdit* flatAmount_ = nullptr;
    CNumberEdit* discount_ = nullptr;
    QLabel* amount_ = nullptr;
    QLineEdit* memo_ = nullptr;
    QLabel* dateBilled_ = nullptr;
};
