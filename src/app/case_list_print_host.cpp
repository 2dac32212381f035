#include "app/case_list_print_host.h"

#include "app/case_list_export.h"
#include "query/case_list_commands.h"
#include "query/widgets/case_list_model.h"
#include "query/widgets/case_view.h"
#include "records/case_query_results.h"
#include "report/list_printer.h"
#include "report/report_printer.h"

#include <QHeaderView>

namespace {

std::string Latin1(const QString& text)
{
    return text.toLatin1().toStdString();
}

int32_t AlignmentCode(Qt::Alignment alignment)
{
    if (alignment & Qt::AlignHCenter)
        return 1;
    if (alignment & Qt::AlignRight)
        return 2;
    return 0;
}

}  // namespace

CaseListPrintHost::CaseListPrintHost(CaseListHost& host, CCaseView& view)
    : host_(host),
      view_(view),
      print_([&view](CListPrintout& list, const std::string& documentName) {
          CPrintRequest request;
          request.documentName = documentName;
          ::PrintList(list, request, view.window());
      }),
      preview_([&view](CListPrintout& list, const std::string&) { ShowListPrintPreview(list, view.window()); })
{
}

void CaseListPrintHost::SetPrintFunctions(PrintFunction print, PrintFunction preview)
{
    print_ = std::move(print);
    preview_ = std::move(preview);
}

CListPrintTable CaseListPrintHost::PrintTable() const
{
    const CaseListModel& model = view_.Model();
    const QHeaderView& header = *view_.horizontalHeader();
    CListPrintTable table;
    table.title = Latin1(host_.DocumentTitle());
    for (int column = 0; column < model.columnCount(); ++column)
        table.columns.push_back({Latin1(model.headerData(column, Qt::Horizontal).toString()),
                                 header.sectionSize(column), AlignmentCode(model.ColumnAlignment(column))});
    for (int row = 0; row < model.rowCount(); ++row) {
        std::vector<std::string>& texts = table.rows.emplace_back();
        for (int column = 0; column < model.columnCount(); ++column)
            texts.push_back(Latin1(model.data(model.index(row, column)).toString()));
    }
    return table;
}

void CaseListPrintHost::PrintList()
{
    CListPrintout list(PrintTable());
    print_(list, list.Title());
}

void CaseListPrintHost::PrintPreview()
{
    CListPrintout list(PrintTable());
    preview_(list, list.Title());
}

bool CaseListPrintHost::HasCaseCommand(int commandId) const
{
    return commandId == cmdListPrint || commandId == cmdListPrintPreview || commandId == cmdListExportText ||
           host_.HasCaseCommand(commandId);
}

bool CaseListPrintHost::CaseCommandEnabled(int commandId) const
{
    return commandId == cmdListPrint || commandId == cmdListPrintPreview || commandId == cmdListExportText ||
           host_.CaseCommandEnabled(commandId);
}

bool CaseListPrintHost::RunCaseCommand(int commandId, const std::vector<std::string>& caseNumbers)
{
    // Printing changes nothing on the server: the list is not refreshed after it.
    if (commandId == cmdListPrint) {
        PrintList();
        return false;
    }
    if (commandId == cmdListPrintPreview) {
        PrintPreview();
        return false;
    }
    if (commandId == cmdListExportText) {
        // The rows in the order they were received, not as sorted on screen.
        ExportCaseListToText(host_.Prompts(), view_.Model().Results());
        return false;
    }
    return host_.RunCaseCommand(commandId, caseNumbers);
}

std::unique_ptr<CCaseQueryResults> CaseListPrintHost::RunQuery(const CCaseQueryRequestInfo& request)
{
    return host_.RunQuery(request);
}
