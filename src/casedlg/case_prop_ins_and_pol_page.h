#pragma once
// "Insured and Policy": the insured's name, address and contact, entity, policy type,
// carrier, number, period, code and estimated premium.

#include "casedlg/case_prop_page.h"

class CIntegerEdit;
class CNumberEdit;

class CCasePropInsAndPolPage : public CCasePropPage {
    Q_OBJECT
public:
    CCasePropInsAndPolPage(CasePropsLogic& logic, UserPrompts& prompts, QWidget* parent = nullptr);

    CasePage Kind() const override { return CasePage::insured; }
    void Load() override;
    void Store() override;
    std::optional<CaseFieldFailure> Validate() override;

private:
    CMaskedDateEdit* inception_ = nullptr;
    CMaskedDateEdit* expiration_ = nullptr;
    CIntegerEdit* policyCode_ = nullptr;
    CNumberEdit* premium_ = nullptr;
};
