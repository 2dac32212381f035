#pragma once
// The unattended tasks of the command line: log in, print a report, print the
// attachments of the cases of a case view and hand the cases on, or import a case file;
// then log out. Nothing is shown: progress and every failure become lines of the task
// log (task_log.h), failures as lines beginning "!*". The caller saves the log.
//
// The printing is handed in as functions, so that the tasks are tested without a
// printer and the program chooses its printers in one place.

#include "app/task_params.h"

#include <ctime>
#include <functional>
#include <string>
#include <vector>

class CInventoryServer;
class CReportPrintout;
class CTaskLog;

struct CTaskServices {
    // Prints a report printout silently on the default printer; false when it could not.
    std::function<bool(CReportPrintout& printout, int copies, const std::string& jobName)> printReport;
    // Prints the printable attachments of one case, each `copies` times; false (with the
    // reason in `error`) when not all of them printed.
    std::function<bool(const std::string& caseNumber, int copies, std::string& error)> printAttachments;
    // The clock of the log lines and of the saved report's file name.
    std::function<std::time_t()> now = [] { return std::time(nullptr); };
    // Where printrpt saves its report file: empty for the current directory.
    std::string saveFolder;
};

class CTaskRunner {
public:
    // Access rights the tasks test.
    static constexpr int32_t kRightViewAttachments = 0x40;
    static constexpr int32_t kRightEditAttachments = 0x80;
    static constexpr int32_t kRightCreateCases = 0x10000;
    static constexpr int32_t kRightArchivedAttachmentsOnly = 0x400000;

    CTaskRunner(CInventoryServer& server, CTaskLog& log, CTaskServices services);

    // Appends the task's block of lines to the log (from "Task Started" to "Task Ended
    // ...") and returns whether the task ended successfully. The session is closed
    // again when the log-in succeeded.
    bool Run(TaskKind kind, const CTaskParams& params);

    // The tree node kind of an access group's child node, named without regard to case;
    // 0x20000 (Printers) for any other name.
    static int32_t NodeKindOfGroup(const std::string& group);
    // R-yy-mm-dd-HH-MM-SS.tdf for report R at the moment (local time).
    static std::string SaveFileName(const std::string& reportName, std::time_t moment);
    // True when the server's import report counts as a full success: no lines, or a last
    // line whose final 12 characters are "successfully" in any letter case.
    static bool ImportSucceeded(const std::vector<std::string>& lines);

private:
    bool LogIn(const CTaskParams& params);
    bool PrintReport(const CTaskParams& params);
    bool PrintCases(const CTaskParams& params);
    bool ImportCases(const CTaskParams& params);

    void Line(const std::string& text);
    // Appends "!*" + text + "\n" and returns false, for `return Fail(...)`.
    bool Fail(const std::string& text);

    CInventoryServer& m_server;
    CTaskLog& m_log;
    CTaskServices m_services;
};

// The whole run as start-up hands it over: loads the log at `logPath`, runs the task,
// saves the log. True when the task ended successfully.
bool RunTask(CInventoryServer& server, TaskKind kind, const CTaskParams& params, const std::string& logPath,
             CTaskServices services);
