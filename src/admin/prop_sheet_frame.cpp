#include "admin/prop_sheet_frame.h"

#include "platform/user_prompts.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVBoxLayout>

CPropSheetFrame::CPropSheetFrame(bool wizard, const QString& title, UserPrompts& prompts, QWidget* parent)
    : QDialog(parent), m_wizard(wizard), m_prompts(prompts)
{
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    if (m_wizard) {
        m_stack = new QStackedWidget(this);
        layout->addWidget(m_stack);
    } else {
        m_tabs = new QTabWidget(this);
        layout->addWidget(m_tabs);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName("cancel");
    if (m_wizard) {
        m_back = new QPushButton(QStringLiteral("< &Back"), this);
        m_back->setObjectName("back");
        m_next = new QPushButton(QStringLiteral("&Next >"), this);
        m_next->setObjectName("next");
        m_next->setDefault(true);
        buttons->addWidget(m_back);
        buttons->addWidget(m_next);
        connect(m_back, &QPushButton::clicked, this, &CPropSheetFrame::Back);
        connect(m_next, &QPushButton::clicked, this, &CPropSheetFrame::Next);
    } else {
        m_ok = new QPushButton(QStringLiteral("OK"), this);
        m_ok->setObjectName("ok");
        m_ok->setDefault(true);
        buttons->addWidget(m_ok);
        connect(m_ok, &QPushButton::clicked, this, &CPropSheetFrame::Finish);
    }
    buttons->addWidget(cancel);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    layout->addLayout(buttons);
}

int CPropSheetFrame::CurrentPage() const
{
    return m_wizard ? m_stack->currentIndex() : m_tabs->currentIndex();
}

void CPropSheetFrame::SetCurrentPage(int page)
{
    if (page < 0 || page >= PageCount())
        return;
    if (m_wizard)
        m_stack->setCurrentIndex(page);
    else
        m_tabs->setCurrentIndex(page);
    UpdateButtons();
}

void CPropSheetFrame::SetPages(std::vector<std::pair<QString, QWidget*>> pages)
{
    QWidget* current = PageCount() > 0 && CurrentPage() >= 0 ? PageWidget(CurrentPage()) : nullptr;
    for (const auto& [title, widget] : m_pages) {
        if (m_wizard)
            m_stack->removeWidget(widget);
        else
            m_tabs->removeTab(m_tabs->indexOf(widget));
        widget->hide();
    }
    m_pages = std::move(pages);
    int keep = 0;
    for (int i = 0; i < PageCount(); ++i) {
        const auto& [title, widget] = m_pages[i];
        if (m_wizard)
            m_stack->addWidget(widget);
        else
            m_tabs->addTab(widget, title);
        if (widget == current)
            keep = i;
    }
    SetCurrentPage(keep);
}

void CPropSheetFrame::UpdateButtons()
{
    // The stacks show only their current page; a page taken out and put back stays
    // hidden otherwise.
    for (int i = 0; i < PageCount(); ++i)
        m_pages[i].second->setVisible(i == CurrentPage());
    if (!m_wizard)
        return;
    const int page = CurrentPage();
    m_back->setEnabled(page > 0);
    m_next->setText(page + 1 >= PageCount() ? QStringLiteral("Finish") : QStringLiteral("&Next >"));
}

void CPropSheetFrame::Show(const SheetFailure& failure)
{
    SetCurrentPage(failure.page);
    if (QWidget* field = PageWidget(failure.page)->findChild<QWidget*>(QString::fromStdString(failure.field))) {
        field->setFocus();
        if (auto* edit = qobject_cast<QLineEdit*>(field))
            edit->selectAll();
    }
    m_prompts.Message(QString::fromLatin1(failure.message.c_str()));
}

void CPropSheetFrame::Next()
{
    if (CurrentPage() + 1 >= PageCount()) {
        Finish();
        return;
    }
    Store();
    if (auto failure = CheckPage(CurrentPage())) {
        Show(*failure);
        return;
    }
    SetCurrentPage(CurrentPage() + 1);
}

void CPropSheetFrame::Back()
{
    Store();
    SetCurrentPage(CurrentPage() - 1);
}

void CPropSheetFrame::Finish()
{
    Store();
    if (auto failure = CheckAll()) {
        Show(*failure);
        return;
    }
    accept();
}
