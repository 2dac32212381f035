#pragma once
// The "Schedule Case" dialog: maps its check boxes and masked date and time fields to
// ScheduleLogic. OK keeps the dialog open with the logic's message while the date or a
// time cannot be read.

#include "casedlg/schedule_logic.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class UserPrompts;

class CScheduleCaseDlg : public QDialog {
    Q_OBJECT
public:
    CScheduleCaseDlg(ScheduleLogic& logic, UserPrompts& prompts, QWidget* parent = nullptr);

    void accept() override;

private:
    void ReadControls();
    void ShowStates();

    ScheduleLogic& logic_;
    UserPrompts& prompts_;
    QCheckBox* scheduled_;
    QLineEdit* date_;
    QCheckBox* exactTime_;
    QLineEdit* startTime_;
    QCheckBox* endingRange_;
    QLineEdit* endTime_;
};
