#pragma once
// The case view editor: a tabbed sheet over CaseQueryEditLogic with the pages
// "General" (full mode only), "Period and Sorting" and "Columns", and the "Column
// Properties" dialog. The pages only map controls to the logic; OK validates once,
// shows the first refusal on its page and writes the definition back.

#include "query/case_query_edit_logic.h"

#include <QDialog>

#include <memory>
#include <vector>

class QButtonGroup;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QTreeWidget;
class UserPrompts;

// "Column Properties": field, header, width and alignment of one column row.
class CColumnPropsDlg : public QDialog {
    Q_OBJECT
public:
    CColumnPropsDlg(const CaseQueryColumnRow& row, QWidget* parent = nullptr);
    CaseQueryColumnRow Row() const;

private:
    QComboBox* field_;
    QLineEdit* header_;
    QSpinBox* width_;
    QRadioButton* align_[3];
};

class CCaseQueryPropSheet : public QDialog {
    Q_OBJECT
public:
    // Full mode when `definitions` is given: the general page is shown and the name is
    // tested against the set (the definition itself, when it is in the set, excepted).
    CCaseQueryPropSheet(CCaseQueryData& view, const QString& title, UserPrompts& prompts,
                        const std::vector<std::shared_ptr<CCaseQueryData>>* definitions = nullptr,
                        QWidget* parent = nullptr, const CDateTime* now = nullptr);

    // The pages, for tests and screenshots.
    QTabWidget* Pages() const { return pages_; }
    const CaseQueryEditLogic& Logic() const { return logic_; }
    // The entry of the set that the edited definition copies, left out of the name test.
    void SetOriginal(const CCaseQueryData* original) { original_ = original; }

public slots:
    void accept() override;

private:
    QWidget* BuildGeneralPage();
    QWidget* BuildSortPage();
    QWidget* BuildColumnsPage();
    void ReadControls();
    void ShowPeriod();
    void ShowRows();
    void EditRow(bool isNew);

    CCaseQueryData& view_;
    UserPrompts& prompts_;
    const std::vector<std::shared_ptr<CCaseQueryData>>* definitions_;
    const CCaseQueryData* original_ = nullptr;
    CaseQueryEditLogic logic_;
    QTabWidget* pages_ = nullptr;
    QWidget* generalPage_ = nullptr;
    QWidget* sortPage_ = nullptr;

    QLineEdit* name_ = nullptr;
    QComboBox* viewType_ = nullptr;
    QButtonGroup* scope_ = nullptr;
    QComboBox* queryType_ = nullptr;
    QLineEdit* formula_ = nullptr;

    QComboBox* keyDate_ = nullptr;
    QComboBox* period_ = nullptr;
    QLineEdit* from_ = nullptr;
    QLineEdit* to_ = nullptr;
    QComboBox* sort_[3] = {};
    QRadioButton* ascending_[3] = {};
    QRadioButton* descending_[3] = {};

    QTreeWidget* columns_ = nullptr;
};
