#pragma once
// "Select Users": the accounts a view can be copied to, several of which may be chosen.

#include <QDialog>

#include <cstddef>
#include <string>
#include <vector>

class QListWidget;

class CSelectUsersDlg : public QDialog {
    Q_OBJECT
public:
    explicit CSelectUsersDlg(const std::vector<std::string>& lines, QWidget* parent = nullptr);
    // The rows chosen, in list order.
    std::vector<size_t> Chosen() const;
    QListWidget* List() const { return list_; }

private:
    QListWidget* list_;
};
