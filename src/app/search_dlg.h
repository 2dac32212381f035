#pragma once
// The "Search Cases" dialog: search by policy number, by insured name or by one of the
// server's searchable fields, for a text typed. OK closes only when the search formula
// could be built (an empty text is refused through the prompts); Formula() is then the
// prefix match to send.

#include "query/search_fields.h"

#include <QDialog>

#include <string>
#include <vector>

class QComboBox;
class QLineEdit;
class QRadioButton;
class UserPrompts;

class CSearchDlg : public QDialog {
    Q_OBJECT
public:
    CSearchDlg(std::vector<SearchField> fields, UserPrompts& prompts, QWidget* parent = nullptr);

    QRadioButton* ByPolicyNumberButton() const { return byPolicyNumber_; }
    QRadioButton* ByInsuredNameButton() const { return byInsuredName_; }
    QRadioButton* ByFieldButton() const { return byField_; }
    QComboBox* FieldBox() const { return field_; }
    QLineEdit* TextEdit() const { return text_; }

    // The search formula of the confirmed dialog.
    const std::string& Formula() const { return formula_; }

    void accept() override;

private:
    std::vector<SearchField> fields_;
    UserPrompts& prompts_;
    QRadioButton* byPolicyNumber_;
    QRadioButton* byInsuredName_;
    QRadioButton* byField_;
    QComboBox* field_;
    QLineEdit* text_;
    std::string formula_;
};
