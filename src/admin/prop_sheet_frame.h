#pragma once
// The frame the administration sheets share: its pages as tabs with OK and Cancel when
// changing a record, or one page at a time with Back, Next and Finish when adding one.
// A page's checks run when the wizard leaves it and, for every page, on OK and Finish;
// a failure shows its page, focuses its field and then its message.

#include "admin/sheet_failure.h"

#include <QDialog>
#include <QString>

#include <optional>
#include <utility>
#include <vector>

class QPushButton;
class QStackedWidget;
class QTabWidget;
class UserPrompts;

class CPropSheetFrame : public QDialog {
    Q_OBJECT
public:
    CPropSheetFrame(bool wizard, const QString& title, UserPrompts& prompts, QWidget* parent);

    bool IsWizard() const { return m_wizard; }
    int CurrentPage() const;
    void SetCurrentPage(int page);
    int PageCount() const { return static_cast<int>(m_pages.size()); }
    QWidget* PageWidget(int page) const { return m_pages.at(page).second; }

protected:
    // Replaces the pages shown (the widgets stay owned by the dialog); the current page
    // stays where it is when it is still there.
    void SetPages(std::vector<std::pair<QString, QWidget*>> pages);
    // Copies the controls into the sheet's record.
    virtual void Store() = 0;
    virtual std::optional<SheetFailure> CheckPage(int page) = 0;
    virtual std::optional<SheetFailure> CheckAll() = 0;

private:
    void Show(const SheetFailure& failure);
    void Next();
    void Back();
    void Finish();
    void UpdateButtons();

    bool m_wizard;
    UserPrompts& m_prompts;
    std::vector<std::pair<QString, QWidget*>> m_pages;
    QTabWidget* m_tabs = nullptr;
    QStackedWidget* m_stack = nullptr;
    QPushButton* m_back = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_ok = nullptr;
};
