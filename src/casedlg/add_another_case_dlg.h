#pragma once
// "Add Another Case": asked after each case is created, it offers to start the next case
// empty, to start it as a copy of the case just added, or to stop.

#include <QDialog>

class CAddAnotherCaseDlg : public QDialog {
    Q_OBJECT
public:
    enum class Choice { fromScratch, fromPrevious, quit };

    explicit CAddAnotherCaseDlg(QWidget* parent = nullptr);

    // The button pressed; closing the window counts as "Quit".
    Choice GetChoice() const { return choice_; }

    // Shows the dialog and returns the choice.
    static Choice Ask(QWidget* parent);

private:
    Choice choice_ = Choice::quit;
};
