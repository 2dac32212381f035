#pragma once
// What one report may grow to while it is built: bytes and pages, counted as each row,
// text block, page or document part is made, so that a report that would be refused
// for its size stops at once (and what was built is freed) instead of being made whole
// and measured afterwards.
//
// Two byte counts: the printout's texts as its rows are added, and the finished
// document's bytes as an exporter writes its pages. A document's formats are compressed
// already (deflated PDF streams, LZW TIFF strips, PNG pages), so its own size is about
// what is sent and is held to the byte limit itself. A printout block is sent as archive
// bytes that compress several times, so its texts may reach kPrintoutExpansion times the
// limit: the same bound a client puts on an expanded reply. The payload sent is measured
// once more when it is encoded.

#include <cstdint>
#include <limits>
#include <string>

class CReportBudget {
public:
    static constexpr int64_t kNoLimit = std::numeric_limits<int64_t>::max();
    static constexpr int64_t kPrintoutExpansion = 4;
    // The least a grid cell adds to a printout block besides its text: a length byte
    // and three 32-bit numbers.
    static constexpr int64_t kCellOverhead = 13;

    CReportBudget() = default;  // no limits
    CReportBudget(int64_t maxBytes, int64_t maxPages) : m_maxBytes(maxBytes), m_maxPages(maxPages) {}

    // Counts texts added to the printout; false once they pass their limit.
    bool AddPrintoutBytes(int64_t count);
    // The document's size so far, as an exporter writes it; false once past the limit.
    bool SetDocumentBytes(int64_t size);
    // Counts a page about to be drawn; false when it would pass the page limit.
    bool AddPage();
    // Whether a document of this many pages may be drawn, known once it is paginated.
    bool FitsPages(int64_t pages);

    bool Exceeded() const { return !m_reason.empty(); }
    // Whether it was the page limit that was passed.
    bool PastPages() const { return m_pastPages; }
    // What was passed, as "more than 10000 pages"; empty while within the budget.
    const std::string& Reason() const { return m_reason; }

    int64_t PrintoutBytes() const { return m_printoutBytes; }
    int64_t DocumentBytes() const { return m_documentBytes; }
    int64_t Pages() const { return m_pages; }
    int64_t MaxBytes() const { return m_maxBytes; }
    int64_t MaxPrintoutBytes() const;

private:
    bool Fail(std::string reason, bool pages = false);

    int64_t m_maxBytes = kNoLimit;
    int64_t m_maxPages = kNoLimit;
    int64_t m_printoutBytes = 0;
    int64_t m_documentBytes = 0;
    int64_t m_pages = 0;
    std::string m_reason;
    bool m_pastPages = false;
};
