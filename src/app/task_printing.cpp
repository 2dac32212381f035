#include "app/task_printing.h"

#include "casedlg/case_attachment_printer.h"
#include "net/inventory_server.h"
#include "platform/shell_launcher.h"
#include "platform/user_prompts.h"
#include "report/report_printer.h"
#include "report/report_printout.h"

#include <optional>
#include <string>

namespace {

// The prompts of an unattended print: nothing is ever shown; the attachment printer's
// messages become the task's error text, and a question is answered No.
class TaskPrintPrompts : public UserPrompts {
public:
    explicit TaskPrintPrompts(std::string& error) : m_error(error) {}
    void Message(const QString& text, Icon, const QString&) override
    {
        if (m_error.empty())
            m_error = text.toLatin1().toStdString();
    }
    bool AskYesNo(const QString&, bool, const QString&) override { return false; }
    std::optional<QString> ChooseOpenFile(const FileChoice&) override { return std::nullopt; }
    std::optional<QString> ChooseSaveFile(const FileChoice&) override { return std::nullopt; }
    std::optional<QString> ChooseFolder(const QString&, const QString&) override { return std::nullopt; }
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}

private:
    std::string& m_error;
};

}  // namespace

CTaskServices TaskPrintServices(CInventoryServer& server)
{
    CTaskServices services;
    services.printReport = [](CReportPrintout& printout, int copies, const std::string& jobName) {
        CPrintRequest request;
        request.documentName = jobName;
        request.silent = true;
        request.copies = copies;
        return Print(printout, request) == ReportPrint::kDone;
    };
    services.printAttachments = [&server](const std::string& caseNumber, int copies, std::string& error) {
        static ProcessShellLauncher shell;
        TaskPrintPrompts prompts(error);
        return PrintCaseAttachments(server, prompts, caseNumber, copies, DefaultAttachmentPrintServices(shell));
    };
    return services;
}
