#pragma once
// Billing many cases at once: "Multi-billing Properties" chooses for whom entries are
// proposed; "Multi-Case Billing" shows the proposals in a grid, one row per entry ("P"
// for a parent, "C" for a child, tinted), recomputing a row's total as it is edited.

#include "net/inventory_server.h"
#include "records/multi_billing_entry.h"

#include <QDialog>

#include <optional>
#include <vector>

class QTableWidget;

// "Multi-billing Properties": the parties, or nothing when cancelled.
std::optional<CInventoryServer::MultiBillingParties> AskMultiBillingParties(QWidget* parent);

class CMultiCaseBillingDlg : public QDialog {
    Q_OBJECT
public:
    CMultiCaseBillingDlg(std::vector<CMultiBillingEntry>& entries, QWidget* parent = nullptr);

    QTableWidget* Grid() const { return grid_; }
    // Takes the rows back into the entries and closes.
    void accept() override;

private:
    void Recompute(int row);

    std::vector<CMultiBillingEntry>& entries_;
    QTableWidget* grid_ = nullptr;
    bool filling_ = false;
};
