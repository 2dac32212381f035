#pragma once
// "Child Properties" (the add wizard) and "Properties for NAME": the child sheet with
// the pages General, Access, Assignments and Done as the child's group has them. The
// widgets only map controls to CChildSheetLogic, which holds the record and the rules.

#include "admin/prop_sheet_frame.h"

#include <array>
#include <vector>

class CAssignCriterion;
class CChildSheetLogic;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;
class QTreeWidget;

class CCaseChildPropSheet : public CPropSheetFrame {
    Q_OBJECT
public:
    // `printers` are the names the Printers group may choose from.
    CCaseChildPropSheet(CChildSheetLogic& logic, const QString& title, UserPrompts& prompts,
                        std::vector<std::string> printers, QWidget* parent = nullptr);

    // Assignments page: the criterion dialog's outcome, added under the page's rules
    // (a refusal is shown and nothing is added).
    void AddCriterion(const CAssignCriterion& criterion);
    void RemoveSelectedCriterion();

protected:
    void Store() override;
    std::optional<SheetFailure> CheckPage(int page) override;
    std::optional<SheetFailure> CheckAll() override;

private:
    QWidget* BuildGeneral();
    QWidget* BuildAccess();
    QWidget* BuildAssignments();
    QWidget* BuildDone();
    void Load();
    void LoadGroupDetail();
    void LoadCriteria();
    void RebuildPages();
    void GroupChosen(int position);
    void AskForCriterion();

    CChildSheetLogic& m_logic;
    UserPrompts& m_prompts;
    std::vector<std::string> m_printers;

    QWidget* m_general = nullptr;
    QWidget* m_access = nullptr;
    QWidget* m_assignments = nullptr;
    QWidget* m_done = nullptr;

    QComboBox* m_group = nullptr;
    QLineEdit* m_userId = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_password = nullptr;
    QLineEdit* m_passwordAgain = nullptr;
    QLabel* m_detailLabel = nullptr;
    QComboBox* m_detailChoice = nullptr;
    QLineEdit* m_dllName = nullptr;
    QPlainTextEdit* m_notes = nullptr;
    std::array<QLineEdit*, 8> m_contact{};  // address 1, 2, city, state, zip, phone, fax, e-mail
    QCheckBox* m_hidden = nullptr;
    std::vector<QCheckBox*> m_rights;
    QSpinBox* m_cap = nullptr;
    QCheckBox* m_autoFlag = nullptr;
    QTreeWidget* m_criteria = nullptr;
};
