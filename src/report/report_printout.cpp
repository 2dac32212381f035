#include "report/report_printout.h"

#include "codec/archive.h"
#include "report/report_graphics.h"
#include "report/text_format.h"

ORV_IMPLEMENT_SERIAL(CReportPrintout, kRecordSchema, true)

void CReportPrintout::Serialize(CArchive& ar)
{
    ar.ObjectArray(sections);
    ar.Int32(defaultOrientation);
    ar.Int32(sectionGap);
    ar.Int32(headerHeight);
    ar.Int32(footerHeight);
    ar.ObjectOf(header);
    ar.ObjectOf(footer);
    ar.Int32(shadeRemainder);
}

int64_t CReportPrintout::PageWidth() const
{
    return m_currentOrientation == kPortrait ? 800 : m_currentOrientation == kLandscape ? 1000 : -1;
}

int64_t CReportPrintout::PageHeight() const
{
    return m_currentOrientation == kPortrait ? 1000 : m_currentOrientation == kLandscape ? 800 : -1;
}

int64_t CReportPrintout::BodyHeight() const
{
    return PageHeight() - HeaderHeight() - FooterHeight() - SectionGap() - 1;
}

int CReportPrintout::PageOrientation(int page) const
{
    if (page < 1 || page > PageCount())
        return -1;
    return m_pageOrientations[static_cast<size_t>(page - 1)];
}

std::string CReportPrintout::FooterLineText(int page) const
{
    std::string text = "Page " + std::to_string(page);
    if (page <= PageCount())
        text += " of " + std::to_string(PageCount());
    return text;
}

// The state of one layout walk.
struct CReportPrintout::Walk {
    int target = 0;
    int page = 1;
    bool pageOpen = false;
    bool pageEmpty = false;  // nothing has been laid out on the page yet
    int64_t y = 0;           // running y
};

void CReportPrintout::ClosePage(CReportGraphics& graphics, const Walk& walk)
{
    if (walk.page != walk.target || !shadeRemainder || walk.y >= PageHeight() - FooterHeight())
        return;
    const CReportRect box = CReportRect::FromSize(0, static_cast<double>(walk.y), static_cast<double>(PageWidth() - 1),
                                                  static_cast<double>(PageHeight() - (FooterHeight() + walk.y + 1)));
    graphics.FillRect(box, kRemainderArgb);
    graphics.FrameRect(box, kBlack);
}

void CReportPrintout::DrawHeaderBand(CReportGraphics& graphics, const Walk& walk)
{
    if (walk.page != walk.target || !header)
        return;
    if (header->Prepare(graphics, *this)) {
        const CPageBand band{0, 0, PageWidth() - 1, HeaderHeight()};
        int64_t y = band.top;
        header->Draw(graphics, *this, band, false, y);
        header->Finish(graphics, *this);
    }
}

void CReportPrintout::DrawFooterBand(CReportGraphics& graphics, const Walk& walk)
{
    if (walk.page != walk.target)
        return;
    const int64_t pageHeight = PageHeight();
    if (footer) {
        const CPageBand band{0, pageHeight - FooterHeight() - 1, PageWidth() - 1, pageHeight - 1};
        // While the footer section draws, the printout reports no footer.
        const std::optional<int64_t> saved = m_footerHeightInUse;
        m_footerHeightInUse = 0;
        if (footer->Prepare(graphics, *this)) {
            int64_t y = band.top;
            footer->Draw(graphics, *this, band, false, y);
            footer->Finish(graphics, *this);
        }
        m_footerHeightInUse = saved;
    }
    const CReportRect line{0, static_cast<double>(pageHeight - 9), 800, static_cast<double>(pageHeight - 1)};
    DrawText(graphics, FooterLineText(walk.page), line, 0, TextFormat::kNoClip,
             CReportFont::FromPoints("Arial", kFooterLinePoints, false), std::nullopt, std::nullopt);
}

void CReportPrintout::OpenNormalPage(CReportGraphics& graphics, Walk& walk)
{
    m_currentPage = walk.page;
    DrawHeaderBand(graphics, walk);
    DrawFooterBand(graphics, walk);
    walk.y = HeaderHeight() + SectionGap();
    walk.pageEmpty = true;
}

int CReportPrintout::LayOutPage(CReportGraphics& graphics, int target)
{
    // Without a footer section the bottom of each page keeps room for the footer line.
    // The stored footer height is left as it is.
    const std::optional<int64_t> savedFooter = m_footerHeightInUse;
    if (!footer)
        m_footerHeightInUse = kFooterLineReserve;
    if (target == 0)
        m_pageOrientations.clear();

    Walk walk;
    walk.target = target;
    m_currentOrientation = defaultOrientation;
    m_currentPage = walk.page;

    for (const auto& section : sections) {
        if (!section || section->skip)
            continue;
        LayOutSection(graphics, *section, walk);
    }
    if (walk.pageOpen)
        ClosePage(graphics, walk);
    if (target == 0 && walk.page == 1 && m_pageOrientations.empty())
        m_pageOrientations.push_back(defaultOrientation);

    m_footerHeightInUse = savedFooter;
    return walk.page;
}

void CReportPrintout::LayOutSection(CReportGraphics& graphics, CReportSection& section, Walk& walk)
{
    const int32_t orientation = section.EffectiveOrientation(defaultOrientation);
    const bool fullPage = section.fullPage != 0;
    if ((fullPage || section.newPage || orientation != m_currentOrientation) && walk.pageOpen) {
        ClosePage(graphics, walk);
        ++walk.page;
        walk.pageOpen = false;
    }
    if (!walk.pageOpen) {
        m_currentOrientation = orientation;
        if (fullPage) {
            m_currentPage = walk.page;
            walk.y = 0;
            walk.pageEmpty = true;
        } else {
            OpenNormalPage(graphics, walk);
        }
        walk.pageOpen = true;
    }

    const int firstPage = walk.page;
    if (section.Prepare(graphics, *this)) {
        // A section that cannot make progress on an empty page never will by itself: it
        // is asked to print something smaller (Unstick) and drawn again on the same page;
        // only when it cannot is the rest of it given up rather than paged forever.
        for (;;) {
            const bool emptyPage = walk.pageEmpty;
            const CPageBand band = fullPage ? CPageBand{0, 0, PageWidth() - 1, PageHeight() - 1}
                                            : CPageBand{0, walk.y, PageWidth() - 1,
                                                        PageHeight() - FooterHeight() - SectionGap()};
            if (band.top < band.bottom) {
                const uint64_t before = section.ProgressMark();
                const int64_t yBefore = walk.y;
                const bool done = section.Draw(graphics, *this, band, walk.page != walk.target, walk.y);
                const bool stuck = !done && emptyPage && section.ProgressMark() == before;
                if (stuck && section.Unstick()) {
                    walk.y = yBefore;
                    continue;
                }
                walk.y += SectionGap();
                walk.pageEmpty = false;
                if (done || stuck)
                    break;
            } else if (emptyPage) {
                break;
            }
            if (fullPage) {
                ++walk.page;
                m_currentPage = walk.page;
                walk.y = 0;
                walk.pageEmpty = true;
            } else {
                ClosePage(graphics, walk);
                ++walk.page;
                OpenNormalPage(graphics, walk);
            }
        }
        section.Finish(graphics, *this);
    }
    // Whatever follows a full-page section starts on a new page.
    if (fullPage) {
        walk.y = 1001;
        walk.pageEmpty = false;
    }

    if (walk.target == 0)
        for (int page = firstPage; page <= walk.page; ++page)
            if (static_cast<int>(m_pageOrientations.size()) < page)
                m_pageOrientations.push_back(m_currentOrientation);
}
