#include "report/print_device.h"

#include "report/print_setup.h"
#include "report/report_printer.h"

#include <QApplication>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>

namespace {

QString Latin1(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

bool SelectPrinter(QPrinter& printer, const QString& name)
{
    printer.setPrinterName(name);
    return printer.isValid() && printer.outputFormat() == QPrinter::NativeFormat && printer.printerName() == name;
}

}  // namespace

CPrintDevice ChoosePrintDevice(QPrinter& printer, const CPrintRequest& request)
{
    CPrintDevice device = CPrintDevice::none;
    const std::string& named = request.useCommandLinePrinter && !CommandLinePrinter().empty()
                                   ? CommandLinePrinter()
                                   : request.printerName;
    if (!named.empty()) {
        if (!SelectPrinter(printer, Latin1(named)))
            return CPrintDevice::failed;
        device = CPrintDevice::chosen;
    }
    if (!request.outputFile.empty()) {
        SelectPdfFile(printer, request.outputFile);
        device = CPrintDevice::chosen;
    }
    // A print that names no device starts from the session's Print Setup.
    if (device == CPrintDevice::none && ApplySessionPrintSetup(printer))
        device = CPrintDevice::chosen;
    return device;
}

bool ChooseDefaultPrinter(QPrinter& printer)
{
    const QPrinterInfo fallback = QPrinterInfo::defaultPrinter();
    return !fallback.isNull() && SelectPrinter(printer, fallback.printerName());
}

void SelectPdfFile(QPrinter& printer, const std::string& outputFile)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromLocal8Bit(outputFile.data(), static_cast<qsizetype>(outputFile.size())));
    printer.setPageSize(QPageSize(QPageSize::Letter));
}

CPrintDialogResult RunPrintDialog(QPrinter& printer, int pageCount, QWidget* parent, CPageRange& range)
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return CPrintDialogResult::unavailable;
    printer.setFromTo(1, pageCount);
    QPrintDialog dialog(&printer, parent);
    dialog.setOptions(QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintCollateCopies |
                      QAbstractPrintDialog::PrintShowPageSize);
    dialog.setMinMax(1, pageCount);
    if (dialog.exec() != QDialog::Accepted)
        return CPrintDialogResult::cancelled;
    range = {1, pageCount};
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0)
        range = {std::max(printer.fromPage(), 1), std::min(printer.toPage(), pageCount)};
    return CPrintDialogResult::accepted;
}
