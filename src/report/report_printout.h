#pragma once
// The report document: an ordered list of sections, an optional header and footer
// section, and the page settings. It lays itself out on pages: one walk over every
// section both paginates and draws the one page asked for.

#include "codec/object.h"
#include "report/report_section.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CReportGraphics;

class CReportPrintout : public CObject {
    ORV_DECLARE_SERIAL(CReportPrintout)
public:
    static constexpr int32_t kPortrait = 1;
    static constexpr int32_t kLandscape = 2;
    // The footer height a printout without a footer section reserves while laying out,
    // room for the footer line.
    static constexpr int32_t kFooterLineReserve = 10;
    static constexpr uint32_t kRemainderArgb = 0xFFF8F8F8;
    static constexpr double kFooterLinePoints = 7;

    std::vector<std::shared_ptr<CReportSection>> sections;
    int32_t defaultOrientation = kPortrait;
    int32_t sectionGap = 2;  // after every section chunk and below the header
    int32_t headerHeight = 0;
    int32_t footerHeight = 0;
    std::shared_ptr<CReportSection> header;  // may be null
    std::shared_ptr<CReportSection> footer;  // may be null
    int32_t shadeRemainder = 0;              // shade the unused space under the last chunk

    void Serialize(CArchive& ar) override;

    // Target 0 paginates (measuring only) and rebuilds the page orientation list; a
    // target n >= 1 draws page n and measures the rest. Returns the page count.
    int LayOutPage(CReportGraphics& graphics, int target);

    // Orientation of 1-based page n from the last pagination, or -1.
    int PageOrientation(int page) const;
    int PageCount() const { return static_cast<int>(m_pageOrientations.size()); }
    const std::vector<int>& PageOrientations() const { return m_pageOrientations; }
    void ClearPageOrientations() { m_pageOrientations.clear(); }

    // Page geometry by the current orientation, in page units.
    int64_t PageWidth() const;
    int64_t PageHeight() const;
    int64_t HeaderHeight() const { return headerHeight; }
    // The footer height layout works with (see kFooterLineReserve); the stored field
    // itself is never changed by layout.
    int64_t FooterHeight() const { return m_footerHeightInUse ? *m_footerHeightInUse : footerHeight; }
    int64_t SectionGap() const { return sectionGap; }
    int64_t BodyHeight() const;

    int GetCurrentPage() const { return m_currentPage; }
    int GetCurrentOrientation() const { return m_currentOrientation; }
    void SetCurrentOrientation(int orientation) { m_currentOrientation = orientation; }

    // The printer settings block used when printing to a named printer; opaque here.
    const std::string& PrinterSettings() const { return m_printerSettings; }
    void SetPrinterSettings(std::string settings) { m_printerSettings = std::move(settings); }

    // The text of the footer line at the bottom of every normal page.
    std::string FooterLineText(int page) const;

private:
    struct Walk;

    void ClosePage(CReportGraphics& graphics, const Walk& walk);
    void DrawHeaderBand(CReportGraphics& graphics, const Walk& walk);
    void DrawFooterBand(CReportGraphics& graphics, const Walk& walk);
    void OpenNormalPage(CReportGraphics& graphics, Walk& walk);
    void LayOutSection(CReportGraphics& graphics, CReportSection& section, Walk& walk);

    int m_currentPage = 0;
    int m_currentOrientation = -1;
    std::vector<int> m_pageOrientations;  // index 0 is page 1
    std::string m_printerSettings;
    std::optional<int64_t> m_footerHeightInUse;
};
