#pragma once
// The criterion dialog of the child sheet's Assignments page: one of the five categories
// and its value (a territory, a premium range, a parent, a formula or a child).

#include "admin/assign_criteria.h"

#include <QDialog>

#include <string>
#include <vector>

class QComboBox;
class QLineEdit;
class QStackedWidget;
class UserPrompts;

class CCriterionDlg : public QDialog {
    Q_OBJECT
public:
    CCriterionDlg(const std::vector<std::string>& territories, const std::vector<std::string>& parents,
                  const std::vector<std::string>& children, UserPrompts& prompts, QWidget* parent = nullptr);

    // Valid after OK.
    const CAssignCriterion& Criterion() const { return m_criterion; }
    void SetCategory(int index);

private:
    void Confirm();

    UserPrompts& m_prompts;
    QComboBox* m_category = nullptr;
    QStackedWidget* m_values = nullptr;
    QComboBox* m_territory = nullptr;
    QLineEdit* m_premiumStart = nullptr;
    QLineEdit* m_premiumEnd = nullptr;
    QComboBox* m_parent = nullptr;
    QLineEdit* m_formula = nullptr;
    QComboBox* m_child = nullptr;
    CAssignCriterion m_criterion;
};
