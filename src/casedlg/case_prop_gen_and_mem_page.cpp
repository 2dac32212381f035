#include "casedlg/case_prop_gen_and_mem_page.h"

#include "casedlg/assign_manually_dlg.h"
#include "casedlg/billing_logic.h"
#include "widgets/masked_date_edit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

QCheckBox* Box(QWidget* parent, const char* text, const char* name)
{
    auto* box = new QCheckBox(QLatin1String(text), parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

CMaskedDateEdit* DateField(QWidget* parent, const char* name)
{
    auto* edit = new CMaskedDateEdit(parent);
    edit->setObjectName(QLatin1String(name));
    return edit;
}

void Fill(QComboBox* combo, const std::vector<std::string>& entries, const std::string& current)
{
    const QSignalBlocker blocker(combo);
    combo->clear();
    for (const std::string& entry : entries)
        combo->addItem(Latin1(entry));
    combo->setCurrentIndex(combo->findText(Latin1(current)));
}

}  // namespace

CCasePropGenAndMemPage::CCasePropGenAndMemPage(CasePropsLogic& logic, UserPrompts& prompts, QWidget* parent)
    : CCasePropPage(logic, prompts, parent)
{
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Case #:"), this), 0, 0);
    caseNumber_ = new QLabel(this);
    caseNumber_->setObjectName(QStringLiteral("caseNumber"));
    grid->addWidget(caseNumber_, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Created:"), this), 0, 2);
    created_ = new QLabel(this);
    created_->setObjectName(QStringLiteral("dateCreated"));
    grid->addWidget(created_, 0, 3);
    grid->addWidget(new QLabel(QStringLiteral("Serial #:"), this), 1, 0);
    serial_ = new QLineEdit(this);
    serial_->setObjectName(QStringLiteral("serialNumber"));
    serial_->setMaxLength(TextLimitOf("serialNumber"));
    grid->addWidget(serial_, 1, 1);

    parentLabel_ = new QLabel(QStringLiteral("Parent Name:"), this);
    grid->addWidget(parentLabel_, 2, 0);
    parent_ = new QComboBox(this);
    parent_->setObjectName(QStringLiteral("parentName"));
    grid->addWidget(parent_, 2, 1);
    parentLinkLabel_ = new QLabel(QStringLiteral("Parent Link Status:"), this);
    grid->addWidget(parentLinkLabel_, 2, 2);
    parentLink_ = new QLabel(this);
    parentLink_->setObjectName(QStringLiteral("parentLinkStatus"));
    grid->addWidget(parentLink_, 2, 3);
    sendToParent_ = Box(this, "Send to Parent", "sendToParent");
    grid->addWidget(sendToParent_, 2, 4);

    childNameLabel_ = new QLabel(QStringLiteral("Child Name:"), this);
    grid->addWidget(childNameLabel_, 3, 0);
    childName_ = new QLabel(this);
    childName_->setObjectName(QStringLiteral("childName"));
    grid->addWidget(childName_, 3, 1);
    childLinkLabel_ = new QLabel(QStringLiteral("Child Link Status:"), this);
    grid->addWidget(childLinkLabel_, 3, 2);
    childLink_ = new QLabel(this);
    childLink_->setObjectName(QStringLiteral("childLinkStatus"));
    grid->addWidget(childLink_, 3, 3);
    sendToChild_ = Box(this, "Send to Child", "sendToChild");
    grid->addWidget(sendToChild_, 3, 4);
    childGroupLabel_ = new QLabel(QStringLiteral("Child Group:"), this);
    grid->addWidget(childGroupLabel_, 4, 0);
    childGroup_ = new QLabel(this);
    childGroup_->setObjectName(QStringLiteral("childGroup"));
    grid->addWidget(childGroup_, 4, 1);
    assign_ = new QPushButton(QStringLiteral("Assign Manually"), this);
    assign_->setObjectName(QStringLiteral("assignManually"));
    grid->addWidget(assign_, 4, 4);

    territoryLabel_ = new QLabel(QStringLiteral("Territory:"), this);
    grid->addWidget(territoryLabel_, 5, 0);
    territory_ = new QComboBox(this);
    territory_->setObjectName(QStringLiteral("territory"));
    grid->addWidget(territory_, 5, 1);

    grid->addWidget(new QLabel(QStringLiteral("Master Due Date:"), this), 6, 0);
    masterDue_ = DateField(this, "masterDueDate");
    grid->addWidget(masterDue_, 6, 1);
    grid->addWidget(new QLabel(QStringLiteral("Auditor Due Date:"), this), 6, 2);
    auditorDue_ = DateField(this, "auditorDueDate");
    grid->addWidget(auditorDue_, 6, 3);
    assignedLabel_ = new QLabel(QStringLiteral("Date Assigned:"), this);
    grid->addWidget(assignedLabel_, 7, 0);
    assigned_ = DateField(this, "dateAssigned");
    grid->addWidget(assigned_, 7, 1);
    returnedLabel_ = new QLabel(QStringLiteral("Date Returned:"), this);
    grid->addWidget(returnedLabel_, 7, 2);
    returned_ = DateField(this, "dateReturned");
    grid->addWidget(returned_, 7, 3);

    auto* boxes = new QHBoxLayout;
    priority_ = Box(this, "Priority", "priority");
    correction_ = Box(this, "Correction Return", "correction");
    archived_ = Box(this, "Archived", "archive");
    completed_ = Box(this, "Completed", "completed");
    transferOut_ = Box(this, "Transfer Out", "transferOut");
    for (QCheckBox* box : {priority_, correction_, archived_, completed_, transferOut_})
        boxes->addWidget(box);
    boxes->addStretch(1);
    grid->addLayout(boxes, 8, 0, 1, 5);

    grid->addWidget(new QLabel(QStringLiteral("Memo:"), this), 9, 0, Qt::AlignTop);
    memo_ = new QPlainTextEdit(this);
    memo_->setObjectName(QStringLiteral("memo"));
    grid->addWidget(memo_, 9, 1, 1, 4);
    grid->setRowStretch(9, 1);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    connect(parent_, &QComboBox::activated, this, [this] {
        Store();
        logic_.ChooseParent(Latin1(parent_->currentText()));
        Reload();
    });
    connect(territory_, &QComboBox::activated, this,
            [this] { logic_.ChooseTerritory(Latin1(territory_->currentText())); });
    connect(sendToParent_, &QCheckBox::clicked, this, [this](bool on) {
        logic_.SetSendToParent(on);
        Reload();
    });
    connect(sendToChild_, &QCheckBox::clicked, this, [this](bool on) {
        logic_.SetSendToChild(on);
        Reload();
    });
    connect(assign_, &QPushButton::clicked, this, [this] { AssignManually(); });
    // Who the case is for changes what is shown.
    for (QCheckBox* box : {priority_, correction_, archived_, completed_, transferOut_})
        connect(box, &QCheckBox::clicked, this, [this] { Store(); });
}

void CCasePropGenAndMemPage::Activated()
{
    Store();
    logic_.OpenGeneralPage();
    Load();
}

void CCasePropGenAndMemPage::Reload()
{
    Store();
    Load();
}

void CCasePropGenAndMemPage::AssignManually()
{
    Store();
    CAuditCase& c = logic_.Case();
    AssignManuallyLogic assign(logic_.Info(), {c.manualAssignment, c.childGroupCode, c.childName},
                               !c.caseNumber.empty());
    std::function<void()> history;
    if (logic_.openAssignmentHistory)
        history = [this] { logic_.openAssignmentHistory(logic_.Case().caseNumber); };
    CAssignManuallyDlg dialog(assign, history, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const CaseAssignment result = assign.Result();
    c.manualAssignment = result.manual;
    c.childGroupCode = result.group;
    c.childName = result.childName;
    Load();
}

void CCasePropGenAndMemPage::Load()
{
    const CAuditCase& c = logic_.Case();
    caseNumber_->setText(Latin1(c.caseNumber));
    created_->setText(logic_.IsWizard() ? QString() : BillingDateTimeText(c.dateCreated));
    const QSignalBlocker b1(serial_), b2(memo_), b3(priority_), b4(correction_), b5(archived_), b6(completed_),
        b7(transferOut_), b8(masterDue_), b9(auditorDue_), b10(assigned_), b11(returned_);
    serial_->setText(Latin1(c.serialNumber));
    if (memo_->toPlainText() != Latin1(c.memo))
        memo_->setPlainText(Latin1(c.memo));
    priority_->setChecked(c.priority);
    correction_->setChecked(c.correction);
    archived_->setChecked(c.archive);
    completed_->setChecked(c.completed);
    transferOut_->setChecked(c.transferOut);
    Fill(parent_, logic_.ParentEntries(), logic_.ParentEntry());
    Fill(territory_, logic_.TerritoryEntries(), logic_.TerritoryEntry());
    parentLink_->setText(CasePropsLogic::ParentLinkText(c.parentLinkStatus));
    childLink_->setText(CasePropsLogic::ChildLinkText(c.childLinkStatus));
    childName_->setText(Latin1(c.childName));
    childGroup_->setText(CasePropsLogic::ChildGroupText(c.childGroupCode));
    masterDue_->SetDateTime(c.masterDueDate);
    auditorDue_->SetDateTime(c.auditorDueDate);
    assigned_->SetDateTime(c.dateAssigned);
    returned_->SetDateTime(c.dateReturned);
    ShowStates();
}

void CCasePropGenAndMemPage::ShowStates()
{
    const GeneralPageStates s = logic_.States();
    for (QWidget* w : std::initializer_list<QWidget*>{priority_, correction_, serial_, memo_, auditorDue_})
        w->setEnabled(s.priorityEnabled);
    completed_->setEnabled(s.completedEnabled);
    completed_->setVisible(s.completedShown);
    archived_->setVisible(s.archivedShown);
    for (QWidget* w : std::initializer_list<QWidget*>{parentLabel_, parent_, parentLinkLabel_, parentLink_, sendToParent_})
        w->setVisible(s.parentShown);
    parent_->setEnabled(s.parentEnabled);
    for (QWidget* w : std::initializer_list<QWidget*>{childNameLabel_, childName_, childGroupLabel_, childGroup_,
                                                      childLinkLabel_, childLink_, sendToChild_})
        w->setVisible(s.childShown);
    assign_->setVisible(s.assignShown);
    assign_->setEnabled(s.assignEnabled);
    const QSignalBlocker b1(sendToParent_), b2(sendToChild_);
    sendToParent_->setChecked(s.sendToParentChecked);
    sendToParent_->setEnabled(s.sendToParentEnabled);
    sendToChild_->setChecked(s.sendToChildChecked);
    sendToChild_->setEnabled(s.sendToChildEnabled);
    territoryLabel_->setVisible(s.territoryShown);
    territory_->setVisible(s.territoryShown);
    for (QWidget* w : std::initializer_list<QWidget*>{assignedLabel_, assigned_, returnedLabel_, returned_})
        w->setVisible(s.assignedReturnedShown);
    transferOut_->setVisible(s.transferOutShown);
}

void CCasePropGenAndMemPage::Store()
{
    CAuditCase& c = logic_.Case();
    c.serialNumber = Latin1(serial_->text());
    c.memo = Latin1(memo_->toPlainText());
    c.priority = priority_->isChecked();
    c.correction = correction_->isChecked();
    c.archive = archived_->isChecked();
    c.completed = completed_->isChecked();
    c.transferOut = transferOut_->isChecked();
    c.masterDueDate = masterDue_->DateTime();
    c.auditorDueDate = auditorDue_->DateTime();
    if (logic_.States().assignedReturnedShown) {
        c.dateAssigned = assigned_->DateTime();
        c.dateReturned = returned_->DateTime();
    }
}

std::optional<CaseFieldFailure> CCasePropGenAndMemPage::Validate()
{
    Store();
    if (auto failure = CasePropsLogic::CheckLength(CasePage::general, "serialNumber", serial_->text()))
        return failure;
    if (auto failure = logic_.ValidateGeneral(masterDue_->Value(), auditorDue_->Value(), assigned_->Value(),
                                              returned_->Value()))
        return failure;
    return CasePropsLogic::CheckLength(CasePage::general, "memo", memo_->toPlainText());
}
