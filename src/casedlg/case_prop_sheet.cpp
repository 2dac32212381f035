#include "casedlg/case_prop_sheet.h"

#include "casedlg/case_prop_aud_and_age_page.h"
#include "casedlg/case_prop_gen_and_mem_page.h"
#include "casedlg/case_prop_ins_and_pol_page.h"
#include "casedlg/case_prop_user_flags_dlg.h"
#include "platform/user_prompts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

CCasePropSheet::CCasePropSheet(CasePropsLogic& logic, UserPrompts& prompts, bool copyInsuredInfo, QWidget* parent)
    : QDialog(parent), logic_(logic), prompts_(prompts)
{
    setWindowTitle(logic.IsWizard() ? QStringLiteral("Create New Case") : QStringLiteral("Case Properties"));
    auto* layout = new QVBoxLayout(this);
    if (logic.IsWizard()) {
        // The wizard has no tabs: the page's title heads it.
        heading_ = new QLabel(this);
        heading_->setObjectName(QStringLiteral("heading"));
        QFont font = heading_->font();
        font.setBold(true);
        font.setPointSizeF(font.pointSizeF() * 1.2);
        heading_->setFont(font);
        layout->addWidget(heading_);
    }
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("pages"));
    layout->addWidget(tabs_);
    for (CasePage kind : logic.Pages()) {
        CCasePropPage* page = nullptr;
        QString title;
        switch (kind) {
        case CasePage::general:
            page = new CCasePropGenAndMemPage(logic, prompts, tabs_);
            title = QStringLiteral("General");
            break;
        case CasePage::insured:
            page = new CCasePropInsAndPolPage(logic, prompts, tabs_);
            title = QStringLiteral("Insured and Policy");
            break;
        case CasePage::audit:
            page = new CCasePropAudAndAgePage(logic, prompts, copyInsuredInfo, tabs_);
            title = QStringLiteral("Audit and Agent");
            break;
        case CasePage::userFlags:
            page = new CCasePropUserFlagsDlg(logic, prompts, tabs_);
            title = QStringLiteral("User-Defined Flags");
            break;
        case CasePage::finish:
            page = new CCasePropEndWizPage(logic, prompts, tabs_);
            title = QStringLiteral("Finish");
            break;
        }
        page->Load();
        pages_.push_back(page);
        visited_.push_back(false);
        tabs_->addTab(page, title);
    }

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    const auto button = [&](const char* text, const char* name) {
        auto* b = new QPushButton(QLatin1String(text), this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        buttons->addWidget(b);
        return b;
    };
    if (logic.IsWizard()) {
        tabs_->tabBar()->hide();
        back_ = button("< &Back", "back");
        next_ = button("&Next >", "next");
        finish_ = button("Finish", "finish");
        next_->setDefault(true);
        connect(back_, &QPushButton::clicked, this, [this] { Back(); });
        connect(next_, &QPushButton::clicked, this, [this] { Next(); });
        connect(finish_, &QPushButton::clicked, this, [this] { accept(); });
    } else {
        ok_ = button("OK", "ok");
        ok_->setDefault(true);
        connect(ok_, &QPushButton::clicked, this, [this] { accept(); });
    }
    QPushButton* cancel = button("Cancel", "cancel");
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    layout->addLayout(buttons);

    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) { OnCurrentChanged(index); });
    current_ = 0;
    visited_[0] = true;
    pages_[0]->Activated();
    if (const std::optional<QString> title = logic_.TitleFor(pages_[0]->Kind()))
        setWindowTitle(*title);
    ShowButtons();
    resize(sizeHint().expandedTo(QSize(640, 480)));
}

CCasePropPage* CCasePropSheet::Page(CasePage kind) const
{
    for (CCasePropPage* page : pages_)
        if (page->Kind() == kind)
            return page;
    return nullptr;
}

bool CCasePropSheet::Check(CCasePropPage* page)
{
    const std::optional<CaseFieldFailure> failure = page->Validate();
    if (!failure)
        return true;
    const int index = static_cast<int>(std::find(pages_.begin(), pages_.end(), page) - pages_.begin());
    if (index != tabs_->currentIndex()) {
        switching_ = true;
        tabs_->setCurrentIndex(index);
        switching_ = false;
        current_ = index;
        ShowButtons();
    }
    if (QWidget* field = page->findChild<QWidget*>(QString::fromStdString(failure->field))) {
        field->setFocus();
        if (auto* edit = qobject_cast<QLineEdit*>(field))
            edit->selectAll();
    }
    prompts_.Message(failure->message);
    return false;
}

void CCasePropSheet::OnCurrentChanged(int index)
{
    if (switching_ || index == current_ || index < 0)
        return;
    // Leaving a page checks it; a failure stays on it.
    if (!logic_.IsWizard() || index > current_) {
        CCasePropPage* leaving = pages_[static_cast<size_t>(current_)];
        if (!Check(leaving)) {
            switching_ = true;
            tabs_->setCurrentIndex(current_);
            switching_ = false;
            return;
        }
    } else {
        pages_[static_cast<size_t>(current_)]->Store();
    }
    current_ = index;
    visited_[static_cast<size_t>(index)] = true;
    pages_[static_cast<size_t>(index)]->Activated();
    if (const std::optional<QString> title = logic_.TitleFor(pages_[static_cast<size_t>(index)]->Kind()))
        setWindowTitle(*title);
    ShowButtons();
}

void CCasePropSheet::ShowPage(int index)
{
    tabs_->setCurrentIndex(index);
}

bool CCasePropSheet::Next()
{
    if (current_ + 1 >= PageCount())
        return false;
    const int before = current_;
    tabs_->setCurrentIndex(current_ + 1);
    return current_ == before + 1;
}

void CCasePropSheet::Back()
{
    if (current_ > 0)
        tabs_->setCurrentIndex(current_ - 1);
}

void CCasePropSheet::ShowButtons()
{
    if (!logic_.IsWizard())
        return;
    heading_->setText(tabs_->tabText(current_));
    back_->setEnabled(current_ > 0);
    next_->setEnabled(current_ + 1 < PageCount());
    finish_->setEnabled(current_ + 1 == PageCount());
}

void CCasePropSheet::accept()
{
    // Pages never shown hold the case as it came and are not checked.
    for (size_t i = 0; i < pages_.size(); ++i)
        if (visited_[i] && !Check(pages_[i]))
            return;
    QDialog::accept();
}
