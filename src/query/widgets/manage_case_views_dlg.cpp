#include "query/widgets/manage_case_views_dlg.h"

#include "platform/user_prompts.h"
#include "query/scope_bits.h"
#include "query/widgets/case_query_prop_sheet.h"

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

CManageCaseViewsDlg::CManageCaseViewsDlg(CaseQueryDefinitions& views, UserPrompts& prompts, CopyTo copyTo,
                                         QWidget* parent, Editor editor)
    : QDialog(parent),
      views_(views),
      prompts_(prompts),
      copyTo_(std::move(copyTo)),
      editor_(std::move(editor)),
      list_(new QListWidget(this))
{
    setWindowTitle(QStringLiteral("Manage Case Views"));
    setObjectName(QStringLiteral("ManageCaseViews"));
    list_->setObjectName(QStringLiteral("views"));
    for (const auto& view : views_)
        list_->addItem(Latin1(view->name));
    connect(list_, &QListWidget::itemDoubleClicked, this, &CManageCaseViewsDlg::Edit);

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Case Views:"), this), 0, 0);
    layout->addWidget(list_, 1, 0, 7, 1);
    int row = 1;
    const auto add = [&](const char* text, const char* name, void (CManageCaseViewsDlg::*action)()) {
        auto* button = new QPushButton(QString::fromLatin1(text), this);
        button->setObjectName(QString::fromLatin1(name));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, action);
        layout->addWidget(button, row++, 1);
    };
    add("&Add...", "add", &CManageCaseViewsDlg::Add);
    add("&Edit...", "edit", &CManageCaseViewsDlg::Edit);
    add("&Delete", "delete", &CManageCaseViewsDlg::Delete);
    add("Copy &To...", "copyTo", &CManageCaseViewsDlg::CopySelected);
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

CCaseQueryData CManageCaseViewsDlg::NewDefinition()
{
    CCaseQueryData view;
    view.scope = kScopeAllParents;
    view.parentTargetField = "[SysParentName]";
    view.childTargetField = "[SysChildName]";
    view.regionTargetField = "[Region]";
    view.territoryTargetField = "[Territory]";
    return view;
}

bool CManageCaseViewsDlg::RunEditor(CCaseQueryData& view, const QString& title, const CCaseQueryData* original)
{
    if (editor_)
        return editor_(view, title, views_, original);
    CCaseQueryPropSheet sheet(view, title, prompts_, &views_, this);
    sheet.SetOriginal(original);
    return sheet.exec() == QDialog::Accepted;
}

int CManageCaseViewsDlg::Selected()
{
    const int row = list_->currentRow();
    if (row < 0 || row >= static_cast<int>(views_.size()) || !list_->currentItem()->isSelected()) {
        prompts_.Message(QStringLiteral("Nothing selected"));
        return -1;
    }
    return row;
}

void CManageCaseViewsDlg::Add()
{
    auto view = std::make_shared<CCaseQueryData>(NewDefinition());
    if (!RunEditor(*view, QStringLiteral("Create View"), nullptr))
        return;
    views_.push_back(view);
    list_->addItem(Latin1(view->name));
}

void CManageCaseViewsDlg::Edit()
{
    const int row = Selected();
    if (row < 0)
        return;
    const std::shared_ptr<CCaseQueryData>& original = views_[static_cast<size_t>(row)];
    CCaseQueryData edited = *original;
    if (!RunEditor(edited, QStringLiteral("Edit View: ") + Latin1(original->name), original.get()))
        return;
    *original = edited;
    list_->item(row)->setText(Latin1(original->name));
}

void CManageCaseViewsDlg::Delete()
{
    const int row = Selected();
    if (row < 0)
        return;
    views_.erase(views_.begin() + row);
    delete list_->takeItem(row);
}

void CManageCaseViewsDlg::CopySelected()
{
    const int row = Selected();
    if (row < 0 || !copyTo_)
        return;
    copyTo_(*views_[static_cast<size_t>(row)]);
}
