#pragma once
// The case properties sheet: the pages on tabs with OK and Cancel ("Case Properties"),
// or, for a new case, the same pages as a wizard with Back, Next, Finish and Cancel
// ("Create New Case"). A page is validated when it is left and when the sheet is
// confirmed; a failure shows its page, focuses the field and shows the message.

#include "casedlg/case_prop_page.h"

#include <QDialog>

#include <vector>

class QLabel;
class QPushButton;
class QTabWidget;

class CCasePropSheet : public QDialog {
    Q_OBJECT
public:
    CCasePropSheet(CasePropsLogic& logic, UserPrompts& prompts, bool copyInsuredInfo, QWidget* parent = nullptr);

    CCasePropPage* Page(CasePage kind) const;
    int PageCount() const { return static_cast<int>(pages_.size()); }
    // Shows the page at the position (wizard: without checks, as the tests' Back would).
    void ShowPage(int index);
    QTabWidget* Tabs() const { return tabs_; }

    void accept() override;
    // Wizard: Next checks the page and moves on.
    bool Next();
    void Back();

private:
    void OnCurrentChanged(int index);
    bool Check(CCasePropPage* page);
    void ShowButtons();

    CasePropsLogic& logic_;
    UserPrompts& prompts_;
    QTabWidget* tabs_ = nullptr;
    std::vector<CCasePropPage*> pages_;
    std::vector<bool> visited_;
    int current_ = 0;
    bool switching_ = false;
    QLabel* heading_ = nullptr;
    QPushButton* back_ = nullptr;
    QPushButton* next_ = nullptr;
    QPushButton* finish_ = nullptr;
    QPushButton* ok_ = nullptr;
};
