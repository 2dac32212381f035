#include "app/run_task.h"

#include "app/task_log.h"
#include "codec/binary_object.h"
#include "net/connect_reporter.h"
#include "net/inventory_server.h"
#include "net/server_connector.h"
#include "records/admin_parent_user.h"
#include "records/audit_case.h"
#include "records/case_query_data_row.h"
#include "records/case_query_request_info.h"
#include "records/case_query_results.h"
#include "records/case_view_param.h"
#include "records/inventory_info.h"
#include "report/report_file.h"
#include "report/report_printout.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

std::string Lower(const std::string& text)
{
    std::string lower;
    for (const char c : text)
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

}  // namespace

CTaskRunner::CTaskRunner(CInventoryServer& server, CTaskLog& log, CTaskServices services)
    : m_server(server), m_log(log), m_services(std::move(services))
{
}

void CTaskRunner::Line(const std::string& text)
{
    m_log.Append(text + "\n");
}

bool CTaskRunner::Fail(const std::string& text)
{
    m_log.Append("!*" + text + "\n");
    return false;
}

int32_t CTaskRunner::NodeKindOfGroup(const std::string& group)
{
    static const struct {
        const char* name;
        int32_t kind;
    } kGroups[] = {
        {"schedulers", 0x80000}, {"auditors", 0x2000}, {"reviewers", 0x40000},
        {"billers", 0x4000},     {"printers", 0x20000}, {"exporters", 0x8000},
    };
    const std::string lower = Lower(group);
    for (const auto& entry : kGroups)
        if (lower == entry.name)
            return entry.kind;
    return 0x20000;
}

std::string CTaskRunner::SaveFileName(const std::string& reportName, std::time_t moment)
{
    std::tm local{};
    localtime_r(&moment, &local);
    char stamp[32] = {};
    const size_t length = std::strftime(stamp, sizeof stamp, "%y-%m-%d-%H-%M-%S", &local);
    return reportName + "-" + std::string(stamp, length) + ".tdf";
}

bool CTaskRunner::ImportSucceeded(const std::vector<std::string>& lines)
{
    if (lines.empty())
        return true;
    const std::string& last = lines.back();
    return last.size() >= 12 && Lower(last.substr(last.size() - 12)) == "successfully";
}

bool CTaskRunner::Run(TaskKind kind, const CTaskParams& params)
{
    m_log.Append("\n");
    Line(CTaskLog::TimeStamp(m_services.now()) + " Task Started: " + params.task);
    Line("  -Logging in");
    bool succeeded = LogIn(params);
    if (succeeded) {
        switch (kind) {
        case taskPrintReport:
            Line("  -Printing report: " + params.report);
            succeeded = PrintReport(params);
            break;
        case taskPrintCases:
            Line("  -Printing cases: " + params.viewArgument);
            succeeded = PrintCases(params);
            break;
        case taskImportCases:
            Line("  -Importing cases: " + params.importFile);
            succeeded = ImportCases(params);
            break;
        default:
            succeeded = false;
            break;
        }
        m_server.CloseSession();
        m_server.Close();
    }
    Line(CTaskLog::TimeStamp(m_services.now()) +
         (succeeded ? " Task Ended Successfully" : " Task Ended with Errors"));
    return succeeded;
}

bool CTaskRunner::LogIn(const CTaskParams& params)
{
    CLogConnectReporter reporter([this](const std::string& line) { m_log.Append(line); });
    CServerConnector connector(m_server, reporter);
    return connector.Connect(params.host, params.port, params.user, params.password);
}

bool CTaskRunner::PrintReport(const CTaskParams& params)
{
    CBinaryObject block;
    if (!m_server.GenerateCaseReportView(params.report, {}, CInventoryServer::outputPrintout, block))
        return Fail("Error retrieving report from server");
    CReportLoadResult loaded = LoadReportBlock(block.GetBytes());
    if (!loaded.Ok())
        return Fail("Error retrieving report from server");

    // A report that reached no printer is a failure of the task: the night's run must
    // not report success when nothing came out.
    bool printed = m_services.printReport && m_services.printReport(*loaded.printout, params.count, params.report);
    if (!printed)
        Fail("Error printing report");

    if (params.saveFile) {
        Line("  -Saving report to file");
        std::string path = SaveFileName(params.report, m_services.now());
        if (!m_services.saveFolder.empty())
            path = m_services.saveFolder + "/" + path;
        if (!SaveReportFile(*loaded.printout, path).empty())
            Fail("Error creating save file");
    }
    return printed;
}

bool CTaskRunner::PrintCases(const CTaskParams& params)
{
    CInventoryInfo info;
    if (!m_server.GetInventoryInfo(false, info))
        return Fail("Failed to load user account info from server");
    std::vector<CCaseViewParam> views;
    if (!m_server.GetCaseViewParamSet(views))
        return Fail("Failed to load Case Views List from server");

    const int32_t nodeKind = NodeKindOfGroup(params.group);
    const CCaseViewParam* view = nullptr;
    for (const CCaseViewParam& candidate : views)
        if (candidate.name == params.view && candidate.scope == nodeKind) {
            view = &candidate;
            break;
        }
    if (view == nullptr || view->viewId == -1)
        return Fail("Case View not found");

    CCaseQueryRequestInfo request;
    request.viewId = view->viewId;
    request.target = params.viewArgument;
    CCaseQueryResults results;
    if (!m_server.GenerateCaseView(request, results))
        return Fail("Failed to receive case query data from server");
    std::vector<std::string> caseNumbers;
    for (const auto& row : results.rows)
        if (row && !row->cells.empty())
            caseNumbers.push_back(row->cells.front());

    if ((info.rights & (kRightViewAttachments | kRightEditAttachments)) == 0)
        return true;
    for (const std::string& caseNumber : caseNumbers) {
        CAuditCase auditCase;
        if (!m_server.GetCase(caseNumber, auditCase))
            return Fail("Failed to receive case from server");
        if ((info.rights & kRightArchivedAttachmentsOnly) != 0 && auditCase.childGroupCode != CAuditCase::kArchiveGroup) {
            Fail("User access rights do not allow printing this case's attachments: " + caseNumber);
            continue;
        }
        int copies = params.count;
        if (params.parentCopies && !auditCase.parentName.empty()) {
            CAdminParentUser parent;
            if (!m_server.GetParentUser(auditCase.parentName, parent))
                return Fail("Failed to receive Parent properties from server");
            copies = parent.copies;
        }
        std::string error;
        if (!m_services.printAttachments || !m_services.printAttachments(caseNumber, copies, error))
            return Fail("Failed to print all attachments");

        // Printed: the case goes on to whichever child the server picks.
        auditCase.childGroupCode = CAuditCase::kAutoChildGroup;
        auditCase.childName.clear();
        auditCase.completed = true;
        auditCase.archive = false;
        auditCase.manualAssignment = true;
        if (m_server.SetCase(caseNumber, auditCase) != 0)
            return Fail("Failed to auto-assign case");
    }
    return true;
}

bool CTaskRunner::ImportCases(const CTaskParams& params)
{
    CInventoryInfo info;
    if (!m_server.GetInventoryInfo(false, info))
        return Fail("Failed to load user account info from server");
    if ((info.rights & kRightCreateCases) == 0)
        return Fail("Insufficient access rights");

    // The file goes to the server as it is, whatever it holds.
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(params.importFile.c_str(), "rb"), &std::fclose);
    if (!file)
        return Fail("Error opening import file");
    std::string bytes;
    char buffer[65536];
    size_t got = 0;
    errno = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
        bytes.append(buffer, got);
    if (std::ferror(file.get())) {
        const std::string reason = errno != 0 ? std::strerror(errno) : "Error reading import file";
        return Fail(reason.substr(0, CTaskLog::kMaxReadPiece));
    }

    std::vector<std::string> lines;
    if (!m_server.ImportCases(CBinaryObject(std::move(bytes)), lines))
        return Fail("Failed to send import file to server");
    for (const std::string& line : lines)
        Line("  -" + line);
    return ImportSucceeded(lines);
}

bool RunTask(CInventoryServer& server, TaskKind kind, const CTaskParams& params, const std::string& logPath,
             CTaskServices services)
{
    CTaskLog log(logPath);
    log.Load();
    CTaskRunner runner(server, log, std::move(services));
    const bool succeeded = runner.Run(kind, params);
    log.Save();
    return succeeded;
}
