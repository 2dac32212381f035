#pragma once
// "Audit and Agent": audit type, source and period, the audit location with its contact,
// the agent, and "Copy Insured Info". Leaving a zip code fills its city and state from
// the server; the audit location also asks for its region and territory.

#include "casedlg/case_prop_page.h"

class QCheckBox;

class CCasePropAudAndAgePage : public CCasePropPage {
    Q_OBJECT
public:
    CCasePropAudAndAgePage(CasePropsLogic& logic, UserPrompts& prompts, bool copyInsuredInfo,
                           QWidget* parent = nullptr);

    CasePage Kind() const override { return CasePage::audit; }
    void Load() override;
    void Store() override;
    std::optional<CaseFieldFailure> Validate() override;
    void Activated() override;
    // "Copy Insured Info": asks, then copies and looks up the territory.
    void CopyInsuredInfo();

private:
    void AfterLookup(void (CasePropsLogic::*lookup)());

    bool copyInsuredInfo_;
    bool opened_ = false;
    QComboBox* type_ = nullptr;
    QComboBox* source_ = nullptr;
    QCheckBox* unproductive_ = nullptr;
    CMaskedDateEdit* start_ = nullptr;
    CMaskedDateEdit* end_ = nullptr;
};
