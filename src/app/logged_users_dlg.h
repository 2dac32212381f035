#pragma once
// "Currently Logged In Users": the lines the server sent, one per logged-in user, and a
// Close button.

#include <QDialog>

#include <string>
#include <vector>

class QListWidget;

class CLoggedUsersDlg : public QDialog {
    Q_OBJECT
public:
    explicit CLoggedUsersDlg(const std::vector<std::string>& lines, QWidget* parent = nullptr);

    QListWidget* List() const { return list_; }

private:
    QListWidget* list_;
};
