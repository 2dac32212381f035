#pragma once
// "Billing Defaults": the 20-row grid of a parent's or billing child's default rates.

#include "admin/billing_def_table.h"

#include <QDialog>

class QTableWidget;

class CBillingDefaultsDlg : public QDialog {
    Q_OBJECT
public:
    CBillingDefaultsDlg(const std::vector<CBillingDef>& rows, QWidget* parent = nullptr);

    // The set the grid holds now.
    std::vector<CBillingDef> Rows() const;
    void SetCell(int row, int column, const QString& text);

private:
    QTableWidget* m_grid = nullptr;
};
