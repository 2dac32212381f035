#pragma once
// The base of the case properties pages: each page shows part of the logic's case,
// writes back what its own controls hold, validates in tab order, and reacts when it
// becomes the active page. Controls carry the case field's name as their object name,
// so that a failure can focus its field and tests can find it.

#include "casedlg/case_props_logic.h"

#include <QWidget>

#include <optional>
#include <string>
#include <vector>

class CMaskedDateEdit;
class QComboBox;
class QGridLayout;
class QLineEdit;
class UserPrompts;

class CCasePropPage : public QWidget {
    Q_OBJECT
public:
    CCasePropPage(CasePropsLogic& logic, UserPrompts& prompts, QWidget* parent);

    virtual CasePage Kind() const = 0;
    // Shows the logic's case; no signal of the user's fires.
    virtual void Load() = 0;
    // Writes what the page's controls hold into the logic's case, without checks.
    virtual void Store() = 0;
    // Stores, then checks in tab order; the first failure.
    virtual std::optional<CaseFieldFailure> Validate();
    // The page became the active one.
    virtual void Activated() {}

protected:
    // A text field bound to a case member, with the member's limit.
    QLineEdit* AddText(QGridLayout* grid, int row, int column, const char* label, const char* field,
                       std::string CAuditCase::*member, int span = 1);
    // A drop-down with free text, bound like a text field.
    QComboBox* AddChoiceText(QGridLayout* grid, int row, int column, const char* label, const char* field,
                             std::string CAuditCase::*member, const std::vector<std::string>& choices);
    CMaskedDateEdit* AddDate(QGridLayout* grid, int row, int column, const char* label, const char* field,
                             CDateTime CAuditCase::*member);
    void LoadBound();
    void StoreBound();
    // Length checks of the bound texts, in the order they were added.
    std::optional<CaseFieldFailure> CheckBoundLengths() const;

    CasePropsLogic& logic_;
    UserPrompts& prompts_;

private:
    struct BoundText {
        QLineEdit* edit;
        std::string CAuditCase::*member;
    };
    struct BoundDate {
        CMaskedDateEdit* edit;
        CDateTime CAuditCase::*member;
    };
    std::vector<BoundText> texts_;
    std::vector<BoundDate> dates_;
};

QString Latin1(const std::string& text);
std::string Latin1(const QString& text);
