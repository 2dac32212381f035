#pragma once
// The printer set-up of the session: what the user chose with Print Setup (printer,
// paper, orientation, copies) is kept until the program ends and is where every later
// print that names no device of its own starts from, reports and the case list alike.

#include <QPageLayout>
#include <QPageSize>
#include <QString>

#include <optional>

class QPrinter;
class QWidget;

struct CPrintSetup {
    QString printerName;  // empty: the system's default printer
    QPageSize pageSize;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    int copies = 1;
};

// The set-up chosen in this session, or nothing before the first Print Setup.
const std::optional<CPrintSetup>& SessionPrintSetup();
void SetSessionPrintSetup(std::optional<CPrintSetup> setup);

// Puts the session's set-up on a printer; false (and the printer unchanged) when there
// is none or its printer has gone.
bool ApplySessionPrintSetup(QPrinter& printer);

// The standard printer set-up dialog: printer, paper, orientation and copies, no page
// range, selection or print-to-file. OK keeps the choice for the session; false when
// cancelled or when no dialog can be shown.
bool RunPrintSetupDialog(QWidget* parent);
