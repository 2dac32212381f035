#include "casedlg/multi_case_props_dlg.h"

#include "casedlg/assign_manually_dlg.h"
#include "casedlg/case_props_logic.h"
#include "widgets/masked_date_edit.h"
#include "widgets/tri_state_check.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

QComboBox* Choices(QWidget* parent, const char* name, const std::vector<std::string>& entries,
                   const std::string& current)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QLatin1String(name));
    for (const std::string& entry : entries)
        combo->addItem(QString::fromLatin1(entry));
    // No selection leaves the property unchanged.
    combo->setCurrentIndex(current.empty() ? -1 : combo->findText(QString::fromLatin1(current)));
    combo->setMinimumWidth(180);
    return combo;
}

QCheckBox* TriState(QWidget* parent, const char* text, const char* name, int32_t value)
{
    auto* box = new QCheckBox(QLatin1String(text), parent);
    box->setObjectName(QLatin1String(name));
    SetTriStateValue(*box, value);
    return box;
}

}  // namespace

CMultiCasePropsDlg::CMultiCasePropsDlg(MultiCasePropsLogic& logic, QWidget* parent)
    : QDialog(parent), logic_(logic)
{
    setWindowTitle(QStringLiteral("Edit Properties of Multiple Cases"));
    const CCaseMultiProps& common = logic.Common();
    const CInventoryInfo& info = logic.Info();
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);

    grid->addWidget(new QLabel(QStringLiteral("Parent Name:"), this), 0, 0);
    parent_ = Choices(this, "parentName", logic.ParentEntries(), logic.ParentEntry());
    grid->addWidget(parent_, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Parent Link Status:"), this), 0, 2);
    parentLink_ = new QLabel(this);
    grid->addWidget(parentLink_, 0, 3);
    sendToParent_ = new QCheckBox(QStringLiteral("Send to Parent"), this);
    sendToParent_->setObjectName(QStringLiteral("sendToParent"));
    grid->addWidget(sendToParent_, 0, 4);

    grid->addWidget(new QLabel(QStringLiteral("Child Name:"), this), 1, 0);
    childName_ = new QLabel(this);
    grid->addWidget(childName_, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Child Link Status:"), this), 1, 2);
    childLink_ = new QLabel(this);
    grid->addWidget(childLink_, 1, 3);
    sendToChild_ = new QCheckBox(QStringLiteral("Send to Child"), this);
    sendToChild_->setObjectName(QStringLiteral("sendToChild"));
    grid->addWidget(sendToChild_, 1, 4);
    grid->addWidget(new QLabel(QStringLiteral("Child Group:"), this), 2, 0);
    childGroup_ = new QLabel(this);
    grid->addWidget(childGroup_, 2, 1);
    auto* assign = new QPushButton(QStringLiteral("Assign Manually"), this);
    assign->setObjectName(QStringLiteral("assignManually"));
    assign->setVisible((info.rights & CasePropsLogic::kRightAssignManually) != 0);
    grid->addWidget(assign, 2, 4);

    grid->addWidget(new QLabel(QStringLiteral("Territory:"), this), 3, 0);
    territory_ = Choices(this, "territory", logic.TerritoryEntries(), logic.TerritoryEntry());
    grid->addWidget(territory_, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("Master Due Date:"), this), 4, 0);
    masterDue_ = new CMaskedDateEdit(this);
    masterDue_->setObjectName(QStringLiteral("masterDueDate"));
    masterDue_->SetDateTime(common.masterDueDate);
    grid->addWidget(masterDue_, 4, 1);
    grid->addWidget(new QLabel(QStringLiteral("Auditor Due Date:"), this), 4, 2);
    auditorDue_ = new CMaskedDateEdit(this);
    auditorDue_->setObjectName(QStringLiteral("auditorDueDate"));
    auditorDue_->SetDateTime(common.auditorDueDate);
    grid->addWidget(auditorDue_, 4, 3);

    auto* boxes = new QHBoxLayout;
    priority_ = TriState(this, "Priority", "priority", common.priority);
    correction_ = TriState(this, "Correction Return", "correction", common.correction);
    archived_ = TriState(this, "Archived", "archive", common.archived);
    completed_ = new QCheckBox(QStringLiteral("Completed"), this);
    completed_->setObjectName(QStringLiteral("completed"));
    completed_->setChecked(common.completed == 1);
    transferOut_ = TriState(this, "Transfer Out", "transferOut", common.transferOut);
    for (QCheckBox* box : {priority_, correction_, archived_, completed_, transferOut_})
        boxes->addWidget(box);
    boxes->addStretch(1);
    layout->addLayout(boxes);

    layout->addWidget(new QLabel(QStringLiteral("User-Defined Flags:"), this));
    flags_ = new QListWidget(this);
    flags_->setObjectName(QStringLiteral("userFlags"));
    flags_->setFlow(QListView::TopToBottom);
    flags_->setWrapping(true);
    flags_->setResizeMode(QListView::Adjust);
    flags_->setMinimumHeight(140);
    for (int i = 0; i < CInventoryInfo::kUserFlagCount; ++i) {
        const std::string& name = info.FlagName(i);
        auto* item = new QListWidgetItem(QString::fromLatin1(name), flags_);
        item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsUserTristate);
        const bool mixed = (static_cast<uint32_t>(common.userFlagsMixed) >> i) & 1U;
        const bool on = (static_cast<uint32_t>(common.userFlags) >> i) & 1U;
        item->setCheckState(mixed ? Qt::PartiallyChecked : on ? Qt::Checked : Qt::Unchecked);
        item->setHidden(name.empty());
    }
    layout->addWidget(flags_, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CMultiCasePropsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(parent_, &QComboBox::activated, this, [this] {
        logic_.ChooseParent(parent_->currentText().toLatin1().toStdString());
        ShowLinks();
    });
    connect(sendToParent_, &QCheckBox::clicked, this, [this](bool on) {
        logic_.SetSendToParent(on);
        ShowLinks();
    });
    connect(sendToChild_, &QCheckBox::clicked, this, [this](bool on) {
        logic_.SetSendToChild(on);
        ShowLinks();
    });
    connect(assign, &QPushButton::clicked, this, [this] {
        AssignManuallyLogic assignment(logic_.Info(), logic_.Assignment(), false);
        CAssignManuallyDlg dialog(assignment, {}, this);
        if (dialog.exec() == QDialog::Accepted) {
            logic_.Assign(assignment.Result());
            ShowLinks();
        }
    });
    ShowLinks();
    resize(sizeHint().expandedTo(QSize(620, 420)));
}

void CMultiCasePropsDlg::ShowLinks()
{
    const CCaseMultiProps& result = logic_.Result();
    parentLink_->setText(CasePropsLogic::ParentLinkText(result.parentLinkStatus));
    childLink_->setText(CasePropsLogic::ChildLinkText(result.childLinkStatus));
    childName_->setText(QString::fromLatin1(result.childName));
    childGroup_->setText(CasePropsLogic::ChildGroupText(result.childGroupCode));
    const QSignalBlocker b1(sendToParent_), b2(sendToChild_);
    sendToParent_->setChecked(logic_.SendToParentChecked());
    sendToParent_->setEnabled(logic_.SendToParentEnabled());
    sendToChild_->setChecked(logic_.SendToChildChecked());
    sendToChild_->setEnabled(logic_.SendToChildEnabled());
}

void CMultiCasePropsDlg::accept()
{
    // The parent and the link statuses were applied as the user chose them.
    logic_.ChooseTerritory(territory_->currentIndex() < 0 ? std::string()
                                                          : territory_->currentText().toLatin1().toStdString());
    logic_.SetMasterDueDate(masterDue_->Value());
    logic_.SetAuditorDueDate(auditorDue_->Value());
    logic_.SetFlags(TriStateValue(*priority_), TriStateValue(*correction_), TriStateValue(*archived_),
                    TriStateValue(*transferOut_), completed_->isChecked());
    uint32_t on = 0, mixed = 0;
    for (int i = 0; i < flags_->count(); ++i) {
        const Qt::CheckState state = flags_->item(i)->checkState();
        if (state == Qt::Checked)
            on |= 1U << i;
        else if (state == Qt::PartiallyChecked)
            mixed |= 1U << i;
    }
    logic_.SetUserFlags(static_cast<int32_t>(on), static_cast<int32_t>(mixed));
    QDialog::accept();
}
