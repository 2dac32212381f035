#include "casedlg/case_prop_page.h"

#include "widgets/masked_date_edit.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

QString Latin1(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string Latin1(const QString& text)
{
    return text.toLatin1().toStdString();
}

CCasePropPage::CCasePropPage(CasePropsLogic& logic, UserPrompts& prompts, QWidget* parent)
    : QWidget(parent), logic_(logic), prompts_(prompts)
{
}

std::optional<CaseFieldFailure> CCasePropPage::Validate()
{
    Store();
    return CheckBoundLengths();
}

QLineEdit* CCasePropPage::AddText(QGridLayout* grid, int row, int column, const char* label, const char* field,
                                  std::string CAuditCase::*member, int span)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QLatin1String(field));
    if (const int limit = TextLimitOf(field))
        edit->setMaxLength(limit);
    if (label)
        grid->addWidget(new QLabel(QLatin1String(label), this), row, column);
    grid->addWidget(edit, row, column + 1, 1, span);
    texts_.push_back({edit, member});
    return edit;
}

QComboBox* CCasePropPage::AddChoiceText(QGridLayout* grid, int row, int column, const char* label,
                                        const char* field, std::string CAuditCase::*member,
                                        const std::vector<std::string>& choices)
{
    auto* combo = new QComboBox(this);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setObjectName(QLatin1String(field));
    for (const std::string& choice : choices)
        combo->addItem(Latin1(choice));
    if (const int limit = TextLimitOf(field))
        combo->lineEdit()->setMaxLength(limit);
    combo->lineEdit()->setObjectName(QLatin1String(field) + QLatin1String("Text"));
    grid->addWidget(new QLabel(QLatin1String(label), this), row, column);
    grid->addWidget(combo, row, column + 1);
    texts_.push_back({combo->lineEdit(), member});
    return combo;
}

CMaskedDateEdit* CCasePropPage::AddDate(QGridLayout* grid, int row, int column, const char* label,
                                        const char* field, CDateTime CAuditCase::*member)
{
    auto* edit = new CMaskedDateEdit(this);
    edit->setObjectName(QLatin1String(field));
    if (label)
        grid->addWidget(new QLabel(QLatin1String(label), this), row, column);
    grid->addWidget(edit, row, column + 1);
    dates_.push_back({edit, member});
    return edit;
}

void CCasePropPage::LoadBound()
{
    const CAuditCase& c = logic_.Case();
    for (const BoundText& bound : texts_) {
        const QSignalBlocker blocker(bound.edit);
        bound.edit->setText(Latin1(c.*bound.member));
    }
    for (const BoundDate& bound : dates_) {
        const QSignalBlocker blocker(bound.edit);
        bound.edit->SetDateTime(c.*bound.member);
    }
}

void CCasePropPage::StoreBound()
{
    CAuditCase& c = logic_.Case();
    for (const BoundText& bound : texts_)
        c.*bound.member = Latin1(bound.edit->text());
    for (const BoundDate& bound : dates_)
        c.*bound.member = bound.edit->DateTime();
}

std::optional<CaseFieldFailure> CCasePropPage::CheckBoundLengths() const
{
    for (const BoundText& bound : texts_)
        if (auto failure = CasePropsLogic::CheckLength(Kind(), Latin1(bound.edit->objectName()), bound.edit->text())) {
            return failure;
        }
    return std::nullopt;
}
