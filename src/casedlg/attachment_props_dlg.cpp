#include "casedlg/attachment_props_dlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

CAttachmentPropsDlg::CAttachmentPropsDlg(AttachmentPropsLogic& logic, QWidget* parent)
    : QDialog(parent), logic_(logic)
{
    setWindowTitle("Attachment Properties");
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    name_ = new QLineEdit(logic_.Name(), this);
    name_->setObjectName("name");
    name_->setMaxLength(AttachmentPropsLogic::kMaxName);
    name_->setMinimumWidth(260);
    form->addRow("Attachment &Name:", name_);
    layout->addLayout(form);
    print_ = new QCheckBox("&Print attachment if it is printable", this);
    print_->setObjectName("print");
    print_->setChecked(logic_.ToBePrinted());
    layout->addWidget(print_);
    default_ = new QCheckBox("&Default Attachment", this);
    default_->setObjectName("default");
    default_->setChecked(logic_.IsDefault());
    layout->addWidget(default_);

    if (logic_.IsNew()) {
        auto* group = new QGroupBox("Type", this);
        group->setObjectName("type");
        auto* kindsLayout = new QVBoxLayout(group);
        kinds_ = new QButtonGroup(this);
        const std::pair<const char*, AttachmentPropsLogic::Source> kinds[] = {
            {"New &Audit", AttachmentPropsLogic::Source::newAudit},
            {"A&udit File", AttachmentPropsLogic::Source::auditFile},
            {"&Survey File", AttachmentPropsLogic::Source::surveyFile},
            {"&Other File", AttachmentPropsLogic::Source::otherFile},
        };
        for (const auto& [text, source] : kinds) {
            auto* button = new QRadioButton(text, group);
            button->setObjectName(QString("kind%1").arg(static_cast<int>(source)));
            button->setChecked(logic_.GetSource() == source);
            button->setEnabled(source != AttachmentPropsLogic::Source::newAudit || logic_.NewAuditEnabled());
            kinds_->addButton(button, static_cast<int>(source));
            kindsLayout->addWidget(button);
        }
        layout->addWidget(group);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CAttachmentPropsDlg::accept()
{
    logic_.SetName(name_->text());
    logic_.SetToBePrinted(print_->isChecked());
    logic_.SetDefault(default_->isChecked());
    if (kinds_ && kinds_->checkedId() >= 0)
        logic_.SetSource(static_cast<AttachmentPropsLogic::Source>(kinds_->checkedId()));
    QDialog::accept();
}

bool CAttachmentPropsDlg::Run(AttachmentPropsLogic& logic, QWidget* parent)
{
    CAttachmentPropsDlg dialog(logic, parent);
    return dialog.exec() == QDialog::Accepted;
}
