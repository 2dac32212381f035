#include "admin/billing_defaults_dlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

CBillingDefaultsDlg::CBillingDefaultsDlg(const std::vector<CBillingDef>& rows, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Billing Defaults"));
    auto* layout = new QVBoxLayout(this);
    m_grid = new QTableWidget(kBillingDefRows, kBillingDefColumns, this);
    m_grid->setObjectName("billingDefaults");
    const auto& columns = BillingDefColumns();
    for (int c = 0; c < kBillingDefColumns; ++c) {
        m_grid->setHorizontalHeaderItem(c, new QTableWidgetItem(QString::fromLatin1(columns[c].heading)));
        // The widths are in dialog units of the original; a little wider reads better here.
        m_grid->setColumnWidth(c, columns[c].width * 3 / 2);
    }
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->verticalHeader()->setDefaultSectionSize(22);
    const std::vector<BillingDefRowCells> cells = BillingDefCells(rows);
    for (int r = 0; r < kBillingDefRows; ++r) {
        for (int c = 0; c < kBillingDefColumns; ++c) {
            const QString text = QString::fromLatin1(cells[r][c].c_str());
            if (columns[c].choices) {
                auto* combo = new QComboBox(m_grid);
                combo->addItems(QString::fromLatin1(columns[c].choices).split('\n', Qt::SkipEmptyParts));
                combo->setCurrentText(text);
                m_grid->setCellWidget(r, c, combo);
            } else {
                m_grid->setItem(r, c, new QTableWidgetItem(text));
            }
        }
    }
    layout->addWidget(m_grid);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    resize(1100, 520);
}

void CBillingDefaultsDlg::SetCell(int row, int column, const QString& text)
{
    if (auto* combo = qobject_cast<QComboBox*>(m_grid->cellWidget(row, column)))
        combo->setCurrentText(text);
    else if (QTableWidgetItem* item = m_grid->item(row, column))
        item->setText(text);
}

std::vector<CBillingDef> CBillingDefaultsDlg::Rows() const
{
    std::vector<BillingDefRowCells> cells(kBillingDefRows);
    for (int r = 0; r < kBillingDefRows; ++r) {
        for (int c = 0; c < kBillingDefColumns; ++c) {
            QString text;
            if (auto* combo = qobject_cast<QComboBox*>(m_grid->cellWidget(r, c)))
                text = combo->currentText();
            else if (const QTableWidgetItem* item = m_grid->item(r, c))
                text = item->text().trimmed();
            cells[r][c] = text.toLatin1().toStdString();
        }
    }
    return BillingDefsFromCells(cells);
}
