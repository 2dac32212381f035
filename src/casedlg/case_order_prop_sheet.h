#pragma once
// The order wizard, "Order New Inspection" or "Order New Audit", over a CCaseOrder: its
// pages show the order's fields, and leaving a page stores them and runs the page's
// check (case_order_form.h), which keeps the user on the page with its message.
// "Select Product and Parent" comes before it.

#include "casedlg/case_order_form.h"

#include <QDialog>
#include <QWizard>
#include <QWizardPage>

#include <functional>
#include <string>
#include <vector>

class QButtonGroup;
class QComboBox;
class UserPrompts;

// One wizard page: its controls are bound to fields of the order.
class CCaseOrderPage : public QWizardPage {
    Q_OBJECT
public:
    CCaseOrderPage(CCaseOrder& order, CCaseOrder::Page page, UserPrompts& prompts);

    CCaseOrder::Page Kind() const { return m_page; }
    // Copies the controls into the order.
    void Store();
    bool validatePage() override;

    // Binding helpers for the page builders.
    void AddStore(std::function<void()> store) { m_stores.push_back(std::move(store)); }

private:
    CCaseOrder& m_order;
    CCaseOrder::Page m_page;
    UserPrompts& m_prompts;
    std::vector<std::function<void()>> m_stores;
};

class CCaseOrderPropSheet : public QWizard {
    Q_OBJECT
public:
    // The pages of the order's product over `order`, which the wizard edits in place.
    CCaseOrderPropSheet(CCaseOrder& order, UserPrompts& prompts, QWidget* parent = nullptr);

    static const char* Caption(int product);

private:
    CCaseOrder& m_order;
};

class CCaseOrderSelectDlg : public QDialog {
    Q_OBJECT
public:
    // `parents` fills the "Parent:" list; empty for a parent account, which orders for itself.
    CCaseOrderSelectDlg(const std::vector<std::string>& parents, QWidget* parent = nullptr);

    int Product() const;
    std::string Parent() const;

private:
    QButtonGroup* m_product = nullptr;
    QComboBox* m_parent = nullptr;
};
