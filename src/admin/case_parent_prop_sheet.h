#pragma once
// "Parent Properties" (the add wizard) and "Properties for NAME": the parent sheet with
// the pages General, Contact Info, Connection Info, Billing Defaults and, in the wizard,
// Done. The widgets only map controls to CParentSheetLogic.

#include "admin/prop_sheet_frame.h"
#include "records/admin_parent_user.h"

#include <array>

class CParentSheetLogic;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class QSpinBox;

class CCaseParentPropSheet : public CPropSheetFrame {
    Q_OBJECT
public:
    CCaseParentPropSheet(CParentSheetLogic& logic, const QString& title, UserPrompts& prompts,
                         QWidget* parent = nullptr);

protected:
    void Store() override;
    std::optional<SheetFailure> CheckPage(int page) override;
    std::optional<SheetFailure> CheckAll() override;

private:
    QWidget* BuildGeneral();
    QWidget* BuildContact();
    QWidget* BuildConnection();
    QWidget* BuildBilling();
    QWidget* BuildDone();
    void Load();
    void UpdateEnabled();

    CParentSheetLogic& m_logic;

    QLineEdit* m_name = nullptr;
    QComboBox* m_type = nullptr;
    QSpinBox* m_accountNumber = nullptr;
    QSpinBox* m_masterDue = nullptr;
    QSpinBox* m_auditDue = nullptr;
    QSpinBox* m_copies = nullptr;
    QPlainTextEdit* m_notes = nullptr;
    QCheckBox* m_hidden = nullptr;
    std::array<QLineEdit*, 9> m_contact{};  // contact, address 1, 2, city, state, zip, phone, fax, e-mail
    QRadioButton* m_direct = nullptr;
    QRadioButton* m_none = nullptr;
    QLineEdit* m_userId = nullptr;
    QLineEdit* m_password = nullptr;
    QLineEdit* m_passwordAgain = nullptr;
    QLineEdit* m_host = nullptr;
    QCheckBox* m_useBilling = nullptr;
    std::array<QComboBox*, CAdminParentUser::chargeKindCount> m_modes{};
    std::array<QDoubleSpinBox*, CAdminParentUser::chargeKindCount> m_first{};
    std::array<QDoubleSpinBox*, CAdminParentUser::chargeKindCount> m_additional{};
    std::array<QDoubleSpinBox*, 3> m_discountDays{};
    std::array<QDoubleSpinBox*, 3> m_discountPercent{};
    QRadioButton* m_defaultRouting = nullptr;
    QRadioButton* m_customRouting = nullptr;
    std::array<QSpinBox*, 7> m_routing{};
};
