#include "casedlg/multi_billing_dlg.h"

#include "casedlg/billing_logic.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

enum Column { colInsured, colCase, colHourly, colFirstRate, colAddlRate, colHours, colFlat, colTotal, colMemo };

double CellNumber(const QTableWidget& grid, int row, int column)
{
    const QTableWidgetItem* item = grid.item(row, column);
    return item ? item->text().toDouble() : 0.0;
}

QTableWidgetItem* NumberItem(double value)
{
    auto* item = new QTableWidgetItem(QString::asprintf("%.2f", value));
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

}  // namespace

std::optional<CInventoryServer::MultiBillingParties> AskMultiBillingParties(QWidget* parent)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Multi-billing Properties"));
    auto* layout = new QVBoxLayout(&dialog);
    QRadioButton* choices[] = {
        new QRadioButton(QStringLiteral("Generate Billing Entries for Parents Only"), &dialog),
        new QRadioButton(QStringLiteral("Generate Billing Entries for Children Only"), &dialog),
        new QRadioButton(QStringLiteral("Generate Billing Entries for Parents and Children"), &dialog)};
    for (QRadioButton* choice : choices)
        layout->addWidget(choice);
    choices[2]->setChecked(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    for (int i = 0; i < 3; ++i)
        if (choices[i]->isChecked())
            return static_cast<CInventoryServer::MultiBillingParties>(i);
    return CInventoryServer::billParentsAndChildren;
}

CMultiCaseBillingDlg::CMultiCaseBillingDlg(std::vector<CMultiBillingEntry>& entries, QWidget* parent)
    : QDialog(parent), entries_(entries)
{
    setWindowTitle(QStringLiteral("Multi-Case Billing"));
    auto* layout = new QVBoxLayout(this);
    grid_ = new QTableWidget(static_cast<int>(entries.size()), 9, this);
    grid_->setObjectName(QStringLiteral("grid"));
    grid_->setHorizontalHeaderLabels({"Insured", "Case #", "Hourly or Flat Rate", "1st Hr Rate", "Addl Hr Rate",
                                      "Billed Hours", "Flat Amount", "Total Amount", "Description"});
    const int widths[] = {150, 80, 60, 55, 55, 55, 55, 60, 155};
    for (int i = 0; i < 9; ++i)
        grid_->setColumnWidth(i, widths[i]);
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->horizontalHeader()->setMinimumSectionSize(50);
    filling_ = true;
    QStringList rowHeaders;
    for (int row = 0; row < static_cast<int>(entries.size()); ++row) {
        const CMultiBillingEntry& proposal = entries[static_cast<size_t>(row)];
        const CBillingEntry& e = proposal.entry;
        const bool child = !e.childName.empty();
        rowHeaders << (child ? QStringLiteral("C") : QStringLiteral("P"));
        auto* insured = new QTableWidgetItem(QString::fromLatin1(proposal.opaqueText2));
        auto* caseNumber = new QTableWidgetItem(QString::fromLatin1(proposal.opaqueText1));
        for (QTableWidgetItem* item : {insured, caseNumber})
            item->setFlags(item->flags() & ~Qt::ItemIsEditable);
        grid_->setItem(row, colInsured, insured);
        grid_->setItem(row, colCase, caseNumber);
        auto* hourly = new QTableWidgetItem(QStringLiteral("Hourly"));
        hourly->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        hourly->setCheckState(e.kind == CBillingEntry::hourly ? Qt::Checked : Qt::Unchecked);
        grid_->setItem(row, colHourly, hourly);
        const bool isHourly = e.kind == CBillingEntry::hourly;
        grid_->setItem(row, colFirstRate, NumberItem(isHourly ? e.firstHourRate : 0.0));
        grid_->setItem(row, colAddlRate, NumberItem(e.additionalHoursRate));
        grid_->setItem(row, colHours, NumberItem(e.billedHours));
        grid_->setItem(row, colFlat, NumberItem(isHourly ? 0.0 : e.firstHourRate));
        QTableWidgetItem* total = NumberItem(e.billedAmount);
        total->setFlags(total->flags() & ~Qt::ItemIsEditable);
        grid_->setItem(row, colTotal, total);
        grid_->setItem(row, colMemo, new QTableWidgetItem(QString::fromLatin1(e.memo)));
        if (child)
            for (int column = 0; column < 9; ++column)
                grid_->item(row, column)->setBackground(QColor(0xE8, 0xF0, 0xFF));
    }
    grid_->setVerticalHeaderLabels(rowHeaders);
    // Headers and amounts stay readable whatever the font.
    for (int column = colHourly; column <= colTotal; ++column)
        grid_->resizeColumnToContents(column);
    filling_ = false;
    layout->addWidget(grid_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CMultiCaseBillingDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(grid_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (!filling_ && item->column() >= colHourly && item->column() <= colFlat)
            Recompute(item->row());
    });
    resize(1000, 420);
}

void CMultiCaseBillingDlg::Recompute(int row)
{
    const bool hourly = grid_->item(row, colHourly)->checkState() == Qt::Checked;
    const double total = MultiBillingTotal(hourly, CellNumber(*grid_, row, colFirstRate),
                                           CellNumber(*grid_, row, colAddlRate), CellNumber(*grid_, row, colHours),
                                           CellNumber(*grid_, row, colFlat));
    filling_ = true;
    grid_->item(row, colTotal)->setText(QString::asprintf("%.2f", total));
    // Edited numbers are shown with their two decimals again.
    for (int column : {colFirstRate, colAddlRate, colHours, colFlat})
        grid_->item(row, column)->setText(QString::asprintf("%.2f", CellNumber(*grid_, row, column)));
    filling_ = false;
}

void CMultiCaseBillingDlg::accept()
{
    for (int row = 0; row < grid_->rowCount() && row < static_cast<int>(entries_.size()); ++row) {
        CBillingEntry& e = entries_[static_cast<size_t>(row)].entry;
        const bool hourly = grid_->item(row, colHourly)->checkState() == Qt::Checked;
        e.kind = hourly ? CBillingEntry::hourly : CBillingEntry::flat;
        e.firstHourRate = hourly ? CellNumber(*grid_, row, colFirstRate) : CellNumber(*grid_, row, colFlat);
        e.additionalHoursRate = CellNumber(*grid_, row, colAddlRate);
        e.billedHours = CellNumber(*grid_, row, colHours);
        e.billedAmount = CellNumber(*grid_, row, colTotal);
        e.memo = grid_->item(row, colMemo)->text().toLatin1().toStdString();
    }
    QDialog::accept();
}
