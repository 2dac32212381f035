#include "admin/criterion_dlg.h"

#include "platform/user_prompts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

QComboBox* NameList(const std::vector<std::string>& names, const char* objectName, QWidget* parent)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(objectName);
    for (const std::string& name : names)
        combo->addItem(QString::fromLatin1(name.c_str()));
    return combo;
}

QWidget* Labelled(const char* label, QWidget* field, QWidget* parent)
{
    auto* page = new QWidget(parent);
    auto* form = new QFormLayout(page);
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow(QString::fromLatin1(label), field);
    return page;
}

}  // namespace

CCriterionDlg::CCriterionDlg(const std::vector<std::string>& territories, const std::vector<std::string>& parents,
                             const std::vector<std::string>& children, UserPrompts& prompts, QWidget* parent)
    : QDialog(parent), m_prompts(prompts)
{
    setWindowTitle(QStringLiteral("Assignment Criterion"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_category = new QComboBox(this);
    m_category->setObjectName("category");
    for (const std::string& category : CriterionCategories())
        m_category->addItem(QString::fromLatin1(category.c_str()));
    form->addRow(QStringLiteral("Category:"), m_category);
    layout->addLayout(form);

    m_values = new QStackedWidget(this);
    m_territory = NameList(territories, "territory", this);
    m_values->addWidget(Labelled("Territory:", m_territory, this));
    auto* premium = new QWidget(this);
    auto* premiumForm = new QFormLayout(premium);
    premiumForm->setContentsMargins(0, 0, 0, 0);
    m_premiumStart = new QLineEdit(premium);
    m_premiumStart->setObjectName("premiumStart");
    m_premiumEnd = new QLineEdit(premium);
    m_premiumEnd->setObjectName("premiumEnd");
    premiumForm->addRow(QStringLiteral("From:"), m_premiumStart);
    premiumForm->addRow(QStringLiteral("To:"), m_premiumEnd);
    m_values->addWidget(premium);
    m_parent = NameList(parents, "parent", this);
    m_values->addWidget(Labelled("Parent:", m_parent, this));
    m_formula = new QLineEdit(this);
    m_formula->setObjectName("formula");
    m_formula->setMaxLength(static_cast<int>(kMaxFormulaLength));
    m_values->addWidget(Labelled("Formula:", m_formula, this));
    m_child = NameList(children, "child", this);
    m_values->addWidget(Labelled("Child:", m_child, this));
    layout->addWidget(m_values);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(m_category, qOverload<int>(&QComboBox::activated), this, &CCriterionDlg::SetCategory);
    connect(buttons, &QDialogButtonBox::accepted, this, &CCriterionDlg::Confirm);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void CCriterionDlg::SetCategory(int index)
{
    m_category->setCurrentIndex(index);
    m_values->setCurrentIndex(index);
}

void CCriterionDlg::Confirm()
{
    CAssignCriterion criterion;
    switch (m_category->currentIndex()) {
    case 0:
        if (m_territory->currentIndex() < 0)
            return;
        criterion = TerritoryCriterion(m_territory->currentText().toLatin1().toStdString());
        break;
    case 1: {
        const CriterionResult result =
            PremiumCriterion(m_premiumStart->text().toLatin1().toStdString(), m_premiumEnd->text().toLatin1().toStdString());
        if (!result.message.empty()) {
            m_premiumEnd->setFocus();
            m_premiumEnd->selectAll();
            m_prompts.Message(QString::fromLatin1(result.message.c_str()));
            return;
        }
        criterion = result.criterion;
        break;
    }
    case 2:
        if (m_parent->currentIndex() < 0)
            return;
        criterion.category = CriterionCategory::parent;
        criterion.value1 = m_parent->currentText().toLatin1().toStdString();
        break;
    case 3:
        criterion.category = CriterionCategory::formula;
        criterion.value1 = m_formula->text().toLatin1().toStdString();
        break;
    default:
        if (m_child->currentIndex() < 0)
            return;
        criterion.category = CriterionCategory::child;
        criterion.value1 = m_child->currentText().toLatin1().toStdString();
        break;
    }
    m_criterion = criterion;
    accept();
}
