#pragma once
// A time field with the mask "##:## UU" (hours 01 to 12, minutes, AM or PM). Like the
// date field it can be empty, valid or invalid, shows the invalid state and clears with
// Delete.

#include "widgets/date_text.h"

#include <QLineEdit>

class CMaskedTimeEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CMaskedTimeEdit(QWidget* parent = nullptr);

    // Shows the time of day of a fraction of a day.
    void SetTimeOfDay(double dayFraction);
    TimeFieldValue Value() const;
    DateFieldState State() const { return Value().state; }
    void Clear();

signals:
    void TimeEdited();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ShowState();
};
