#include "report/widgets/manage_report_views_dlg.h"

#include "platform/user_prompts.h"
#include "report/widgets/report_props_dlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace {

QString Latin1(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

CManageReportViewsDlg::CManageReportViewsDlg(ReportPropItems& views, ReportViewsHost host, UserPrompts& prompts,
                                             QWidget* parent)
    : QDialog(parent), views_(views), host_(std::move(host)), prompts_(prompts), list_(new QListWidget(this))
{
    setWindowTitle(QStringLiteral("Manage Report Views"));
    setObjectName(QStringLiteral("ManageReportViews"));
    list_->setObjectName(QStringLiteral("views"));
    for (const auto& view : views_)
        list_->addItem(Latin1(view->name));
    connect(list_, &QListWidget::itemDoubleClicked, this, &CManageReportViewsDlg::Edit);

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Report Views:"), this), 0, 0);
    layout->addWidget(list_, 1, 0, 7, 1);
    int row = 1;
    const auto add = [&](const char* text, const char* name, void (CManageReportViewsDlg::*action)()) {
        auto* button = new QPushButton(QString::fromLatin1(text), this);
        button->setObjectName(QString::fromLatin1(name));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, action);
        layout->addWidget(button, row++, 1);
        return button;
    };
    add("&Add...", "add", &CManageReportViewsDlg::Add);
    add("&Edit...", "edit", &CManageReportViewsDlg::Edit);
    add("&Delete", "delete", &CManageReportViewsDlg::Delete);
    add("Copy &To...", "copyTo", &CManageReportViewsDlg::CopyTo);
    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    layout->setRowStretch(5, 1);
    layout->addWidget(ok, 6, 1);
    layout->addWidget(cancel, 7, 1);
}

int CManageReportViewsDlg::Selected()
{
    const int row = list_->currentRow();
    if (row < 0 || row >= static_cast<int>(views_.size()) || !list_->currentItem()->isSelected()) {
        prompts_.Message(QStringLiteral("Nothing selected"));
        return -1;
    }
    return row;
}

void CManageReportViewsDlg::Add()
{
    ReportPropsLogic props;
    CReportPropsDlg dialog(props, host_, prompts_, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (const std::optional<std::string> refusal = AddReportView(views_, props)) {
        prompts_.Message(Latin1(*refusal));
        return;
    }
    list_->addItem(Latin1(views_.back()->name));
}

void CManageReportViewsDlg::Edit()
{
    const int row = Selected();
    if (row < 0)
        return;
    ReportPropsLogic props(*views_[static_cast<size_t>(row)]);
    CReportPropsDlg dialog(props, host_, prompts_, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (const std::optional<std::string> refusal = EditReportView(views_, static_cast<size_t>(row), props)) {
        prompts_.Message(Latin1(*refusal));
        return;
    }
    list_->item(row)->setText(Latin1(views_[static_cast<size_t>(row)]->name));
}

void CManageReportViewsDlg::Delete()
{
    const int row = Selected();
    if (row < 0)
        return;
    views_.erase(views_.begin() + row);
    delete list_->takeItem(row);
}

void CManageReportViewsDlg::CopyTo()
{
    const int row = Selected();
    if (row < 0 || !host_.copyTo)
        return;
    host_.copyTo(*views_[static_cast<size_t>(row)]);
}
