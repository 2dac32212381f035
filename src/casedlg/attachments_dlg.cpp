#include "casedlg/attachments_dlg.h"

#include "casedlg/attachment_error.h"
#include "casedlg/case_attachments.h"
#include "platform/user_prompts.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

CAttachmentsDlg::CAttachmentsDlg(CCaseAttachments& attachments, std::string caseNumber, QWidget* parent)
    : QDialog(parent), attachments_(attachments), caseNumber_(std::move(caseNumber))
{
    setWindowTitle("Attachments");
    auto* layout = new QHBoxLayout(this);
    view_ = new QTreeWidget(this);
    view_->setObjectName("attachments");
    view_->setRootIsDecorated(false);
    view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setAllColumnsShowFocus(true);
    view_->setStyleSheet("QTreeView::item { border-right: 1px solid #d0d0d0; border-bottom: 1px solid #d0d0d0; }");
    view_->setHeaderLabels({"Name", "Type", "Printable", "Should Print"});
    const int widths[] = {125, 125, 60, 70};
    for (int column = 0; column < 4; ++column)
        view_->setColumnWidth(column, widths[column]);
    view_->setMinimumSize(400, 220);
    layout->addWidget(view_, 1);

    auto* buttons = new QVBoxLayout;
    const bool read = attachments_.HasReadRightForCase(caseNumber_);
    const bool write = attachments_.HasWriteRightForCase(caseNumber_);
    auto addButton = [&](const char* text, const char* name, bool enabled, void (CAttachmentsDlg::*slot)()) {
        auto* button = new QPushButton(text, this);
        button->setObjectName(name);
        button->setEnabled(enabled);
        connect(button, &QPushButton::clicked, this, slot);
        buttons->addWidget(button);
    };
    addButton("&Open", "open", read, &CAttachmentsDlg::OnOpen);
    addButton("&New...", "new", write, &CAttachmentsDlg::OnNew);
    addButton("&Remove", "remove", write, &CAttachmentsDlg::OnRemove);
    addButton("&Properties...", "properties", write, &CAttachmentsDlg::OnProperties);
    buttons->addStretch(1);
    auto* close = new QPushButton("Close", this);
    close->setObjectName("close");
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(view_, &QTreeWidget::itemDoubleClicked, this, [this] { if (read_) OnOpen(); });
    read_ = read;
    Refill();
}

QString CAttachmentsDlg::TypeText(const CAttachment& attachment)
{
    QString text = QString::fromLatin1(attachment.kind);
    if (attachment.kind.compare(0, 4, "FILE") == 0)
        text += ": " + QString::fromLatin1(attachment.fileName);
    return text;
}

void CAttachmentsDlg::Refill()
{
    list_.clear();
    view_->clear();
    if (!attachments_.LoadList(caseNumber_, list_))
        return;
    for (const CAttachment& attachment : list_) {
        auto* item = new QTreeWidgetItem(view_);
        item->setText(0, QString::fromLatin1(attachment.name));
        item->setText(1, TypeText(attachment));
        item->setText(2, attachment.printable ? "Yes" : "No");
        item->setText(3, attachment.toBePrinted ? "Yes" : "No");
    }
}

std::vector<CAttachment> CAttachmentsDlg::Selection() const
{
    std::vector<CAttachment> selection;
    for (int row = 0; row < view_->topLevelItemCount(); ++row)
        if (view_->topLevelItem(row)->isSelected() && static_cast<size_t>(row) < list_.size())
            selection.push_back(list_[static_cast<size_t>(row)]);
    return selection;
}

namespace {

void NothingSelected(CCaseAttachments& attachments)
{
    attachments.Prompts().Message(AttachmentText::kNothingSelected, UserPrompts::Icon::exclamation, "Error");
}

}  // namespace

void CAttachmentsDlg::OnOpen()
{
    const std::vector<CAttachment> selection = Selection();
    if (selection.empty()) {
        NothingSelected(attachments_);
        return;
    }
    attachments_.Open(caseNumber_, selection.front());
}

void CAttachmentsDlg::OnNew()
{
    if (attachments_.AddNew(caseNumber_, !list_.empty())) {
        changed_ = true;
        Refill();
    }
}

void CAttachmentsDlg::OnRemove()
{
    const std::vector<CAttachment> selection = Selection();
    if (selection.empty()) {
        NothingSelected(attachments_);
        return;
    }
    if (attachments_.Remove(caseNumber_, selection))
        changed_ = true;
    Refill();
}

void CAttachmentsDlg::OnProperties()
{
    const std::vector<CAttachment> selection = Selection();
    if (selection.empty()) {
        NothingSelected(attachments_);
        return;
    }
    if (attachments_.Edit(caseNumber_, selection.front())) {
        changed_ = true;
        Refill();
    }
}
