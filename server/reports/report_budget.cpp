#include "server/reports/report_budget.h"

int64_t CReportBudget::MaxPrintoutBytes() const
{
    return m_maxBytes > kNoLimit / kPrintoutExpansion ? kNoLimit : m_maxBytes * kPrintoutExpansion;
}

bool CReportBudget::AddPrintoutBytes(int64_t count)
{
    if (Exceeded())
        return false;
    m_printoutBytes += count;
    if (m_printoutBytes > MaxPrintoutBytes())
        return Fail("its printout passed " + std::to_string(MaxPrintoutBytes()) + " bytes");
    return true;
}

bool CReportBudget::SetDocumentBytes(int64_t size)
{
    if (Exceeded())
        return false;
    m_documentBytes = size;
    if (m_documentBytes > m_maxBytes)
        return Fail("the document passed " + std::to_string(m_maxBytes) + " bytes");
    return true;
}

bool CReportBudget::AddPage()
{
    if (Exceeded())
        return false;
    if (m_pages >= m_maxPages)
        return Fail("it has more than " + std::to_string(m_maxPages) + " pages", true);
    ++m_pages;
    return true;
}

bool CReportBudget::FitsPages(int64_t pages)
{
    if (Exceeded())
        return false;
    if (pages > m_maxPages)
        return Fail("it has " + std::to_string(pages) + " pages, more than " + std::to_string(m_maxPages), true);
    return true;
}

bool CReportBudget::Fail(std::string reason, bool pages)
{
    m_reason = std::move(reason);
    m_pastPages = pages;
    return false;
}
