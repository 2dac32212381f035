#include "app/search_dlg.h"

#include "platform/user_prompts.h"
#include "query/search_formula.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

CSearchDlg::CSearchDlg(std::vector<SearchField> fields, UserPrompts& prompts, QWidget* parent)
    : QDialog(parent),
      fields_(std::move(fields)),
      prompts_(prompts),
      byPolicyNumber_(new QRadioButton(QStringLiteral("By Policy Number"), this)),
      byInsuredName_(new QRadioButton(QStringLiteral("By Insured Name"), this)),
      byField_(new QRadioButton(QStringLiteral("By:"), this)),
      field_(new QComboBox(this)),
      text_(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("Search Cases"));

    for (const SearchField& field : fields_)
        field_->addItem(QString::fromLatin1(field.label));
    field_->setSizeAdjustPolicy(QComboBox::AdjustToContents);

    auto* group = new QButtonGroup(this);
    group->addButton(byPolicyNumber_);
    group->addButton(byInsuredName_);
    group->addButton(byField_);
    byPolicyNumber_->setChecked(true);
    // A server that offers no searchable field leaves only the two fixed searches.
    byField_->setEnabled(!fields_.empty());
    field_->setEnabled(false);
    connect(byField_, &QRadioButton::toggled, field_, &QComboBox::setEnabled);

    auto* choices = new QGridLayout;
    choices->addWidget(byPolicyNumber_, 0, 0, 1, 2);
    choices->addWidget(byInsuredName_, 1, 0, 1, 2);
    choices->addWidget(byField_, 2, 0);
    choices->addWidget(field_, 2, 1);
    choices->setColumnStretch(1, 1);

    auto* text = new QFormLayout;
    text->addRow(QStringLiteral("Search for:"), text_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSearchDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CSearchDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addSpacing(6);
    layout->addLayout(text);
    layout->addWidget(buttons);
    setMinimumWidth(380);
    text_->setFocus();
}

void CSearchDlg::accept()
{
    SearchBy by = SearchBy::policyNumber;
    std::string token;
    if (byInsuredName_->isChecked()) {
        by = SearchBy::insuredName;
    } else if (byField_->isChecked()) {
        const int index = field_->currentIndex();
        if (index >= 0 && static_cast<size_t>(index) < fields_.size()) {
            by = SearchBy::field;
            token = fields_[static_cast<size_t>(index)].token;
        }
    }
    const SearchFormula search = BuildSearchFormula(by, token, text_->text().toLatin1().toStdString());
    if (!search.ok) {
        prompts_.Message(QString::fromLatin1(search.error), UserPrompts::Icon::exclamation);
        text_->setFocus();
        return;
    }
    formula_ = search.formula;
    QDialog::accept();
}
