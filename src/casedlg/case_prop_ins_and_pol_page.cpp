#include "casedlg/case_prop_ins_and_pol_page.h"

#include "widgets/masked_date_edit.h"
#include "widgets/number_edits.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

CCasePropInsAndPolPage::CCasePropInsAndPolPage(CasePropsLogic& logic, UserPrompts& prompts, QWidget* parent)
    : CCasePropPage(logic, prompts, parent)
{
    auto* grid = new QGridLayout(this);
    AddText(grid, 0, 0, "Name:", "insuredName", &CAuditCase::insuredName, 3);
    AddText(grid, 1, 0, "Address:", "insuredAddress1", &CAuditCase::insuredAddress1, 3);
    AddText(grid, 2, 0, nullptr, "insuredAddress2", &CAuditCase::insuredAddress2, 3);
    AddText(grid, 3, 0, "City:", "insuredCity", &CAuditCase::insuredCity);
    QLineEdit* state = AddText(grid, 3, 2, "State:", "insuredState", &CAuditCase::insuredState);
    state->setMaximumWidth(50);
    QLineEdit* zip = AddText(grid, 4, 0, "Zip:", "insuredZip", &CAuditCase::insuredZip);
    AddText(grid, 4, 2, "Phone:", "insuredPhone", &CAuditCase::insuredPhone);
    AddText(grid, 5, 0, "Fax:", "insuredFax", &CAuditCase::insuredFax);
    AddText(grid, 5, 2, "E-Mail:", "insuredEMail", &CAuditCase::insuredEMail);
    AddChoiceText(grid, 6, 0, "Entity:", "insuredEntity", &CAuditCase::insuredEntity,
                  {"Sole Proprietorship", "Partnership", "Corporation", "Limited Liability Co.", "Non-profit Org."});
    AddText(grid, 6, 2, "Fed ID:", "insuredFedId", &CAuditCase::insuredFedId);
    AddChoiceText(grid, 7, 0, "Policy Type:", "policyType", &CAuditCase::policyType,
                  {"Workers Compensation", "General Liability", "Dealer", "Garage", "Survey"});
    std::vector<std::string> carriers;
    for (const CParentUser& parent : logic.Info().parents)
        carriers.push_back(parent.name);
    AddChoiceText(grid, 7, 2, "Carrier:", "policyCarrier", &CAuditCase::policyCarrier, carriers);
    AddText(grid, 8, 0, "Policy #:", "policyNumber", &CAuditCase::policyNumber, 3);
    inception_ = AddDate(grid, 9, 0, "Period:", "policyStartDate", &CAuditCase::policyStartDate);
    expiration_ = AddDate(grid, 9, 2, "to", "policyEndDate", &CAuditCase::policyEndDate);
    grid->addWidget(new QLabel(QStringLiteral("Policy Code:"), this), 10, 0);
    policyCode_ = new CIntegerEdit(0, 9999, this);
    policyCode_->setObjectName(QStringLiteral("policyCode"));
    grid->addWidget(policyCode_, 10, 1);
    grid->addWidget(new QLabel(QStringLiteral("Est. Premium:"), this), 10, 2);
    premium_ = new CNumberEdit(-99999999999.99, 99999999999.99, this);
    premium_->setObjectName(QStringLiteral("policyEstPremium"));
    grid->addWidget(premium_, 10, 3);
    grid->setRowStretch(11, 1);

    connect(inception_, &CMaskedDateEdit::DateEdited, this, [this] {
        const DateFieldValue start = inception_->Value();
        if (start.state == DateFieldState::valid && expiration_->State() != DateFieldState::valid)
            expiration_->SetDate(CasePropsLogic::OneYearLater(start.date));
    });
    connect(zip, &QLineEdit::editingFinished, this, [this] {
        Store();
        logic_.InsuredZipLeft();
        Load();
    });
}

void CCasePropInsAndPolPage::Load()
{
    LoadBound();
    const QSignalBlocker codeBlocker(policyCode_);
    const QSignalBlocker premiumBlocker(premium_);
    policyCode_->SetValue(logic_.Case().policyCode);
    premium_->SetValue(logic_.Case().policyEstPremium);
}

void CCasePropInsAndPolPage::Store()
{
    StoreBound();
    int32_t code = 0;
    if (!policyCode_->Read(code))
        logic_.Case().policyCode = code;
    double premium = 0.0;
    if (!premium_->Read(premium))
        logic_.Case().policyEstPremium = premium;
}

std::optional<CaseFieldFailure> CCasePropInsAndPolPage::Validate()
{
    Store();
    if (auto failure = CasePropsLogic::ValidateInsured(logic_.Case().insuredName, inception_->Value(),
                                                       expiration_->Value()))
        return failure;
    if (auto failure = CheckBoundLengths())
        return failure;
    int32_t code = 0;
    if (const std::optional<QString> message = policyCode_->Read(code))
        return CaseFieldFailure{CasePage::insured, "policyCode", *message};
    double premium = 0.0;
    if (const std::optional<QString> message = premium_->Read(premium))
        return CaseFieldFailure{CasePage::insured, "policyEstPremium", *message};
    return std::nullopt;
}
