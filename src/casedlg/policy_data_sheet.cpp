#include "casedlg/policy_data_sheet.h"

#include "platform/user_prompts.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

CPolicyDataSheet::CPolicyDataSheet(PolicyDetailLogic& logic, UserPrompts& prompts, QWidget* parent)
    : QDialog(parent), logic_(logic), prompts_(prompts), tabs_(new QTabWidget(this)), askLabel_(AskPolicyPageLabel)
{
    setWindowTitle(QStringLiteral("Policy Data"));
    tabs_->setObjectName(QStringLiteral("pages"));
    for (size_t page = 0; page < logic_.Pages().size(); ++page)
        AddPageTab(page);

    if (logic_.HasConfigureTab()) {
        auto* configure = new QWidget(tabs_);
        labels_ = new QListWidget(configure);
        labels_->setObjectName(QStringLiteral("pageLabels"));
        auto* caption = new QLabel(QStringLiteral("Policy Detail Pages:"), configure);
        caption->setBuddy(labels_);
        auto* newButton = new QPushButton(QStringLiteral("New..."), configure);
        newButton->setObjectName(QStringLiteral("newPage"));
        auto* removeButton = new QPushButton(QStringLiteral("Remove"), configure);
        removeButton->setObjectName(QStringLiteral("removePage"));
        connect(newButton, &QPushButton::clicked, this, &CPolicyDataSheet::NewPage);
        connect(removeButton, &QPushButton::clicked, this, &CPolicyDataSheet::RemovePage);
        auto* buttons = new QVBoxLayout;
        buttons->addWidget(newButton);
        buttons->addWidget(removeButton);
        buttons->addStretch();
        auto* row = new QHBoxLayout;
        row->addWidget(labels_);
        row->addLayout(buttons);
        auto* layout = new QVBoxLayout(configure);
        layout->addWidget(caption);
        layout->addLayout(row);
        tabs_->addTab(configure, QStringLiteral("[Configure]"));
        FillLabels();
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("ok"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons);
    resize(560, 400);
}

QPlainTextEdit* CPolicyDataSheet::AddPageTab(size_t page)
{
    auto* text = new QPlainTextEdit(tabs_);
    text->setObjectName(QStringLiteral("pageText"));
    text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    text->setPlainText(QString::fromLatin1(logic_.Pages()[page].text));
    text->setReadOnly(!logic_.CanEdit());
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    // Pages come before the configure tab.
    tabs_->insertTab(static_cast<int>(page), text, QString::fromLatin1(logic_.Pages()[page].label));
    texts_.insert(texts_.begin() + static_cast<std::ptrdiff_t>(page), text);
    return text;
}

void CPolicyDataSheet::FillLabels()
{
    if (!labels_)
        return;
    labels_->clear();
    for (const CPolicyPage& page : logic_.Pages())
        labels_->addItem(QString::fromLatin1(page.label));
}

void CPolicyDataSheet::CopyTextsBack()
{
    for (size_t page = 0; page < texts_.size(); ++page)
        logic_.SetText(page, texts_[page]->toPlainText().toLatin1().toStdString());
}

void CPolicyDataSheet::NewPage()
{
    const std::optional<std::string> label = askLabel_ ? askLabel_(this) : std::nullopt;
    if (!label)
        return;
    CopyTextsBack();
    if (const std::optional<size_t> page = logic_.AddPage(*label)) {
        AddPageTab(*page);
        FillLabels();
    }
}

void CPolicyDataSheet::RemovePage()
{
    const int row = labels_ ? labels_->currentRow() : -1;
    if (row < 0 || !labels_->currentItem() || !labels_->currentItem()->isSelected()) {
        prompts_.Message(QStringLiteral("Nothing has been selected"));
        return;
    }
    CopyTextsBack();
    if (!logic_.RemovePage(row))
        return;
    const size_t page = static_cast<size_t>(row);
    QPlainTextEdit* text = texts_[page];
    texts_.erase(texts_.begin() + row);
    tabs_->removeTab(tabs_->indexOf(text));
    text->deleteLater();
    FillLabels();
}

void CPolicyDataSheet::accept()
{
    CopyTextsBack();
    QDialog::accept();
}

std::optional<std::string> AskPolicyPageLabel(QWidget* parent)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Policy Detail Page Label"));
    auto* edit = new QLineEdit(&dialog);
    edit->setObjectName(QStringLiteral("label"));
    edit->setMaxLength(static_cast<int>(PolicyDetailLogic::kMaxLabelLength));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Page Label:"), edit);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addLayout(form);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return edit->text().toLatin1().toStdString();
}
