#pragma once
// The "Policy Data" sheet: a tab per policy page holding its text in a fixed-width
// font (read-only without the policy-detail right) and, with the right, the
// "[Configure]" tab listing the page labels with New and Remove. OK copies every tab's
// text back into the logic's pages.

#include "casedlg/policy_detail_logic.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QListWidget;
class QPlainTextEdit;
class QTabWidget;
class UserPrompts;

class CPolicyDataSheet : public QDialog {
    Q_OBJECT
public:
    // Asks for a new page's label ("Policy Detail Page Label"); nothing when cancelled.
    using LabelAsker = std::function<std::optional<std::string>(QWidget* parent)>;

    CPolicyDataSheet(PolicyDetailLogic& logic, UserPrompts& prompts, QWidget* parent = nullptr);

    void SetLabelAsker(LabelAsker asker) { askLabel_ = std::move(asker); }
    QTabWidget* Tabs() const { return tabs_; }

    void NewPage();
    void RemovePage();
    void accept() override;

private:
    QPlainTextEdit* AddPageTab(size_t page);
    void FillLabels();
    void CopyTextsBack();

    PolicyDetailLogic& logic_;
    UserPrompts& prompts_;
    QTabWidget* tabs_;
    std::vector<QPlainTextEdit*> texts_;
    QListWidget* labels_ = nullptr;
    LabelAsker askLabel_;
};

// The "Policy Detail Page Label" dialog: "Page Label:", at most 30 characters.
std::optional<std::string> AskPolicyPageLabel(QWidget* parent);
