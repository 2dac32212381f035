#include "report/print_setup.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

#include <algorithm>

namespace {

std::optional<CPrintSetup>& Slot()
{
    static std::optional<CPrintSetup> setup;
    return setup;
}

}  // namespace

const std::optional<CPrintSetup>& SessionPrintSetup()
{
    return Slot();
}

void SetSessionPrintSetup(std::optional<CPrintSetup> setup)
{
    Slot() = std::move(setup);
}

bool ApplySessionPrintSetup(QPrinter& printer)
{
    const std::optional<CPrintSetup>& setup = Slot();
    if (!setup)
        return false;
    if (!setup->printerName.isEmpty()) {
        printer.setPrinterName(setup->printerName);
        if (!printer.isValid() || printer.printerName() != setup->printerName)
            return false;
    }
    if (setup->pageSize.isValid())
        printer.setPageSize(setup->pageSize);
    printer.setPageOrientation(setup->orientation);
    printer.setCopyCount(setup->copies);
    return true;
}

bool RunPrintSetupDialog(QWidget* parent)
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return false;
    QPrinter printer(QPrinter::HighResolution);
    ApplySessionPrintSetup(printer);
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Print Setup"));
    dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize | QAbstractPrintDialog::PrintCollateCopies);
    // A set-up, not a print: the dialog's accept button says so.
    for (auto* buttons : dialog.findChildren<QDialogButtonBox*>())
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(QStringLiteral("OK"));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    CPrintSetup setup;
    setup.printerName = printer.outputFormat() == QPrinter::NativeFormat ? printer.printerName() : QString();
    setup.pageSize = printer.pageLayout().pageSize();
    setup.orientation = printer.pageLayout().orientation();
    setup.copies = std::max(printer.copyCount(), 1);
    SetSessionPrintSetup(setup);
    return true;
}
