#pragma once
// The case list's host in the main window: the document for every case command, and
// the list's own printing ("Print Preview &List" and "Print L&ist..."), which needs the
// list as it is shown: its columns with their current widths, and its rows in their
// current order. The list is printed under the document title.

#include "query/widgets/case_list_host.h"
#include "report/list_printout.h"

#include <functional>
#include <string>

class CCaseView;
class QWidget;

class CaseListPrintHost : public CaseListHost {
public:
    // How the printout is printed or previewed; PrintList (with the print dialog) and
    // ShowListPrintPreview of list_printer.h unless a test sets others.
    using PrintFunction = std::function<void(CListPrintout& list, const std::string& documentName)>;

    // Neither is owned; both must outlive this host.
    CaseListPrintHost(CaseListHost& host, CCaseView& view);

    void SetPrintFunctions(PrintFunction print, PrintFunction preview);

    // The list as it is shown, under the document title.
    CListPrintTable PrintTable() const;

    void PrintList();
    void PrintPreview();

    // CaseListHost: the list's printing here, everything else the host's.
    bool HasCaseCommand(int commandId) const override;
    bool CaseCommandEnabled(int commandId) const override;
    bool RunCaseCommand(int commandId, const std::vector<std::string>& caseNumbers) override;
    std::unique_ptr<CCaseQueryResults> RunQuery(const CCaseQueryRequestInfo& request) override;
    bool RefreshAfterCommands() const override { return host_.RefreshAfterCommands(); }
    QString DocumentTitle() const override { return host_.DocumentTitle(); }
    void SetDocumentTitle(const QString& title) override { host_.SetDocumentTitle(title); }
    UserPrompts& Prompts() override { return host_.Prompts(); }

private:
    CaseListHost& host_;
    CCaseView& view_;
    PrintFunction print_;
    PrintFunction preview_;
};
