#include "casedlg/case_prop_aud_and_age_page.h"

#include "platform/user_prompts.h"
#include "widgets/masked_date_edit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

CCasePropAudAndAgePage::CCasePropAudAndAgePage(CasePropsLogic& logic, UserPrompts& prompts, bool copyInsuredInfo,
                                               QWidget* parent)
    : CCasePropPage(logic, prompts, parent), copyInsuredInfo_(copyInsuredInfo)
{
    auto* layout = new QVBoxLayout(this);
    auto* top = new QGridLayout;
    layout->addLayout(top);
    top->addWidget(new QLabel(QStringLiteral("Type:"), this), 0, 0);
    type_ = new QComboBox(this);
    type_->setObjectName(QStringLiteral("auditType"));
    type_->addItems({"Annual", "Cancellation", "Interim", "Mail", "Pre-audit", "Re-Audit", "Other"});
    top->addWidget(type_, 0, 1);
    top->addWidget(new QLabel(QStringLiteral("Source:"), this), 0, 2);
    source_ = new QComboBox(this);
    source_->setObjectName(QStringLiteral("auditSource"));
    source_->addItems({"Physical", "Telephone", "Mail", "Other"});
    top->addWidget(source_, 0, 3);
    unproductive_ = new QCheckBox(QStringLiteral("Unproductive Audit"), this);
    unproductive_->setObjectName(QStringLiteral("nonProductive"));
    top->addWidget(unproductive_, 0, 4);
    start_ = AddDate(top, 1, 0, "Period:", "auditStartDate", &CAuditCase::auditStartDate);
    end_ = AddDate(top, 1, 2, "to", "auditEndDate", &CAuditCase::auditEndDate);

    auto* audit = new QGroupBox(QStringLiteral("Audit Location"), this);
    auto* a = new QGridLayout(audit);
    AddText(a, 0, 0, "Location:", "auditLocationName", &CAuditCase::auditLocationName, 3);
    AddText(a, 1, 0, "Contact:", "auditContact", &CAuditCase::auditContact, 3);
    AddText(a, 2, 0, "Address:", "auditAddress1", &CAuditCase::auditAddress1, 3);
    AddText(a, 3, 0, nullptr, "auditAddress2", &CAuditCase::auditAddress2, 3);
    AddText(a, 4, 0, "City:", "auditCity", &CAuditCase::auditCity);
    QLineEdit* state = AddText(a, 4, 2, "State:", "auditState", &CAuditCase::auditState);
    QLineEdit* zip = AddText(a, 5, 0, "Zip:", "auditZip", &CAuditCase::auditZip);
    QLineEdit* county = AddText(a, 5, 2, "County:", "auditCounty", &CAuditCase::auditCounty);
    AddText(a, 6, 0, "Phone:", "auditPhone", &CAuditCase::auditPhone);
    AddText(a, 6, 2, "Fax:", "auditFax", &CAuditCase::auditFax);
    auto* copy = new QPushButton(QStringLiteral("Copy Insured Info"), audit);
    copy->setObjectName(QStringLiteral("copyInsuredInfo"));
    a->addWidget(copy, 7, 3);

    auto* agent = new QGroupBox(QStringLiteral("Agent"), this);
    auto* g = new QGridLayout(agent);
    AddText(g, 0, 0, "Contact:", "agentContact", &CAuditCase::agentContact);
    AddText(g, 0, 2, "Agency:", "agentCompany", &CAuditCase::agentCompany);
    AddText(g, 1, 0, "Address:", "agentAddress1", &CAuditCase::agentAddress1, 3);
    AddText(g, 2, 0, nullptr, "agentAddress2", &CAuditCase::agentAddress2, 3);
    AddText(g, 3, 0, "City:", "agentCity", &CAuditCase::agentCity);
    AddText(g, 3, 2, "State:", "agentState", &CAuditCase::agentState);
    QLineEdit* agentZip = AddText(g, 4, 0, "Zip:", "agentZip", &CAuditCase::agentZip);
    AddText(g, 4, 2, "Phone:", "agentPhone", &CAuditCase::agentPhone);
    AddText(g, 5, 0, "Fax:", "agentFax", &CAuditCase::agentFax);
    AddText(g, 5, 2, "E-Mail:", "agentEMail", &CAuditCase::agentEMail);

    auto* groups = new QHBoxLayout;
    groups->addWidget(audit);
    groups->addWidget(agent);
    layout->addLayout(groups);
    layout->addStretch(1);

    connect(start_, &CMaskedDateEdit::DateEdited, this, [this] {
        const DateFieldValue start = start_->Value();
        if (start.state == DateFieldState::valid && end_->State() != DateFieldState::valid)
            end_->SetDate(CasePropsLogic::OneYearLater(start.date));
    });
    connect(copy, &QPushButton::clicked, this, [this] { CopyInsuredInfo(); });
    connect(zip, &QLineEdit::editingFinished, this, [this] { AfterLookup(&CasePropsLogic::AuditZipLeft); });
    connect(county, &QLineEdit::editingFinished, this, [this] { AfterLookup(&CasePropsLogic::LookUpTerritory); });
    connect(state, &QLineEdit::editingFinished, this, [this] { AfterLookup(&CasePropsLogic::LookUpTerritory); });
    connect(agentZip, &QLineEdit::editingFinished, this, [this] { AfterLookup(&CasePropsLogic::AgentZipLeft); });
}

void CCasePropAudAndAgePage::AfterLookup(void (CasePropsLogic::*lookup)())
{
    Store();
    (logic_.*lookup)();
    Load();
}

void CCasePropAudAndAgePage::CopyInsuredInfo()
{
    if (!prompts_.AskYesNo(QStringLiteral("Audit Location information currently on this page will be lost.  Continue?"),
                           false, QStringLiteral("Replace")))
        return;
    Store();
    logic_.CopyInsuredInfo();
    logic_.LookUpTerritory();
    Load();
}

void CCasePropAudAndAgePage::Activated()
{
    if (opened_)
        return;
    opened_ = true;
    Store();
    logic_.OpenAuditPage(copyInsuredInfo_);
    Load();
}

void CCasePropAudAndAgePage::Load()
{
    LoadBound();
    const CAuditCase& c = logic_.Case();
    const QSignalBlocker typeBlocker(type_), sourceBlocker(source_), boxBlocker(unproductive_);
    type_->setCurrentIndex(c.auditType >= 0 && c.auditType < type_->count() ? c.auditType : -1);
    source_->setCurrentIndex(c.auditSource >= 0 && c.auditSource < source_->count() ? c.auditSource : -1);
    unproductive_->setChecked(c.nonProductive);
}

void CCasePropAudAndAgePage::Store()
{
    StoreBound();
    CAuditCase& c = logic_.Case();
    if (type_->currentIndex() >= 0)
        c.auditType = type_->currentIndex();
    if (source_->currentIndex() >= 0)
        c.auditSource = source_->currentIndex();
    c.nonProductive = unproductive_->isChecked();
}

std::optional<CaseFieldFailure> CCasePropAudAndAgePage::Validate()
{
    Store();
    if (auto failure = CasePropsLogic::ValidateAudit(start_->Value(), end_->Value()))
        return failure;
    return CheckBoundLengths();
}
