#pragma once
// The report preview pane: one page of a printout at a time, on a grey desk with a paper
// sheet and its shadow, scrolled in pixels, zoomed in steps. Its paging, zoom and print
// commands are QActions whose enabled state follows CReportPreviewLogic.

#include "report/report_preview_logic.h"
#include "report/report_printer.h"

#include <QAbstractScrollArea>

#include <functional>
#include <map>
#include <memory>
#include <string>

class CReportPrintout;
class QAction;
class QToolBar;

class CTWReportViewGP : public QAbstractScrollArea {
    Q_OBJECT
public:
    // How the view prints; Print() of report_printer.h unless a test sets another.
    using PrintFunction = std::function<int(CReportPrintout&, const CPrintRequest&, QWidget*)>;

    explicit CTWReportViewGP(QWidget* parent = nullptr);
    ~CTWReportViewGP() override;

    // Shows another printout (null: an empty one), paginates it and shows page 1. The
    // view keeps the printout for as long as it shows it.
    void SetPrintout(std::shared_ptr<CReportPrintout> printout);
    const std::shared_ptr<CReportPrintout>& Printout() const { return m_printout; }
    const CReportPreviewLogic& Logic() const { return m_logic; }

    // The document title used as the print job's name; "TDF Document" when empty.
    void SetDocumentName(std::string name) { m_documentName = std::move(name); }

    // The action of a report-menu command (ReportCommand ids): print, the four paging
    // commands and the two zoom commands; null for others.
    QAction* Action(int commandId) const;
    // Adds the paging and zoom buttons, in the toolbar's order: First, Previous, Next,
    // Last, a separator, Zoom In, Zoom Out.
    void AddPreviewButtons(QToolBar& toolBar) const;

    // Carries out a command of the report menu or the shell's direct print; false when
    // the command is disabled or not the view's.
    bool RunCommand(int commandId);

    void SetPrintFunction(PrintFunction print) { m_print = std::move(print); }

signals:
    // The shown page, the page count or the zoom changed.
    void previewChanged();
    // Printing could not start or a page could not be printed (not a cancel).
    void printFailed();

public:
    // The message a failed print shows.
    static constexpr const char* kPrintFailedMessage = "Error printing report";

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void CreateActions();
    void UpdateLayout();
    int PrintReport(bool direct);

    std::shared_ptr<CReportPrintout> m_printout;
    CReportPreviewLogic m_logic;
    std::string m_documentName;
    std::map<int, QAction*> m_actions;  // owned by the view as their parent
    PrintFunction m_print;
};
