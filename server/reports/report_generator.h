#pragma once
// The server's report generator: runs one of its built-in report files over a list of
// cases and hands back what GENERATECASEREPORTVIEW returns: the printout's report block
// (output kind 0) or the finished PDF, TIFF or XPS document (kinds 1 to 3). It also
// turns audit and survey documents into printouts and documents.
//
// Layout measures text with Qt: the program calls InitReportGenerator() once on its main
// thread before any generation; generation may then run on any thread, one printout per
// call.

#include "server/reports/built_in_reports.h"
#include "server/reports/report_budget.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CAuditCase;

namespace ReportOutput {

enum Kind : int32_t { printout = 0, pdf = 1, tiff = 2, xps = 3 };

}  // namespace ReportOutput

namespace ReportFiles {

inline constexpr const char* kCaseListing = "CaseListing.rpt";
inline constexpr const char* kDueDateAging = "DueDateAging.rpt";
inline constexpr const char* kCaseDetail = "CaseDetail.rpt";

}  // namespace ReportFiles

struct CGeneratedReport {
    bool ok = false;
    std::string bytes;  // kind 0: the report block; kinds 1 to 3: the document file
    std::string error;  // why not ok
    bool overBudget = false;  // not ok because it passed its budget while being built
};

// Creates the process's QGuiApplication (offscreen) and loads the report fonts.
void InitReportGenerator();

namespace ReportGenerator {

// The built-in report files, for GETREPORTFILENAMES.
const std::vector<std::string>& ReportFileNames();
bool IsReportFile(const std::string& name);
// The title a report file prints under unless its settings name another; empty for an
// unknown file.
std::string OwnTitle(const std::string& reportFile);

// The cases a report runs over: with no case numbers every case in list order; else
// the cases of the given numbers in the order given, numbers without a case and
// repeated numbers passed over.
CaseList SelectCases(const std::vector<CAuditCase>& cases, const std::vector<std::string>& caseNumbers);

// The printout of a report file over the selected cases; null for an unknown file.
std::shared_ptr<CReportPrintout> BuildPrintout(const std::string& reportFile, const std::vector<CAuditCase>& cases,
                                               const std::vector<std::string>& caseNumbers,
                                               const CReportContext& context);

// The whole run: the printout in the output kind asked for. The context's day defaults
// to today when 0. With a budget, the run stops as soon as the printout or the document
// passes it (not ok, overBudget set), and what was built is freed.
CGeneratedReport Generate(const std::string& reportFile, const std::vector<CAuditCase>& cases,
                          const std::vector<std::string>& caseNumbers, int32_t outputKind,
                          CReportContext context = {});
CGeneratedReport Generate(const std::string& reportFile, const std::vector<CAuditCase>& cases,
                          const std::vector<std::string>& caseNumbers, int32_t outputKind, CReportContext context,
                          CReportBudget& budget);

// A printout in an output kind; the title names PDF documents.
CGeneratedReport Finish(CReportPrintout& printout, int32_t outputKind, const std::string& title,
                        CReportBudget& budget);

// An audit or survey document (the bytes kept as its attachment) as a printout or a
// finished document, for the audit and survey attachment commands.
CGeneratedReport RenderAttachment(const std::string& documentBytes, int32_t outputKind);
CGeneratedReport RenderAttachment(const std::string& documentBytes, int32_t outputKind, CReportBudget& budget);

}  // namespace ReportGenerator
