#pragma once
// The "Progress Report" dialog: the entries in a grid with New, Properties, Remove and
// Copy All, over ProgressReportLogic; and the "Progress Report Properties" dialog that
// edits one entry.

#include "casedlg/progress_report_logic.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;
class UserPrompts;

class CProgressEntryDlg : public QDialog {
    Q_OBJECT
public:
    CProgressEntryDlg(ProgressEntryForm& form, UserPrompts& prompts, QWidget* parent = nullptr);
    void accept() override;

private:
    ProgressEntryForm& form_;
    UserPrompts& prompts_;
    QPlainTextEdit* comment_;
    QLineEdit* date_;
    QCheckBox* internal_ = nullptr;
};

class CProgressReportDlg : public QDialog {
    Q_OBJECT
public:
    CProgressReportDlg(ProgressReportLogic& logic, UserPrompts& prompts, QWidget* parent = nullptr);

    // The entry editor the buttons use: the properties dialog unless a test sets one.
    void SetEntryEditor(ProgressReportLogic::EntryEditor editor) { editor_ = std::move(editor); }
    QTableWidget* Grid() const { return grid_; }

    void NewEntry();
    void EditEntry();
    void RemoveEntry();
    void CopyAll();

private:
    void Fill();
    void ShowButtonStates();
    int SelectedRow() const;

    ProgressReportLogic& logic_;
    QTableWidget* grid_;
    QPushButton* properties_;
    QPushButton* remove_;
    ProgressReportLogic::EntryEditor editor_;
};
