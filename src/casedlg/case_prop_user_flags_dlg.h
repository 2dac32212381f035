#pragma once
// "User-Defined Flags": the user's 32 flag names in two check lists of 16; the checked
// entries make the case's user flag set.

#include "casedlg/case_prop_page.h"

class QListWidget;

class CCasePropUserFlagsDlg : public CCasePropPage {
    Q_OBJECT
public:
    CCasePropUserFlagsDlg(CasePropsLogic& logic, UserPrompts& prompts, QWidget* parent = nullptr);

    CasePage Kind() const override { return CasePage::userFlags; }
    void Load() override;
    void Store() override;

private:
    QListWidget* lists_[2] = {nullptr, nullptr};
};

// The case properties wizard's last page.
class CCasePropEndWizPage : public CCasePropPage {
    Q_OBJECT
public:
    CCasePropEndWizPage(CasePropsLogic& logic, UserPrompts& prompts, QWidget* parent = nullptr);

    CasePage Kind() const override { return CasePage::finish; }
    void Load() override {}
    void Store() override {}
};
