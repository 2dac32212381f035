#pragma once
// The printout of an audit or survey document: its heading fields as a grid under the
// title, then each section with its text blocks and tables. Tables too wide for a
// portrait page get landscape pages of their own.

#include "server/reports/audit_document.h"

#include <memory>

class CReportPrintout;

std::shared_ptr<CReportPrintout> BuildAuditPrintout(const CAuditDocument& document);
