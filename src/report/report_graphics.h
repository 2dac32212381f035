#pragma once
// The drawing surface that report layout works on. Every length is in page units,
// hundredths of an inch; the surface maps them to its device. Layout code calls only
// this interface, so pagination runs the same on screen, on a printer and in tests.

#include <cstdint>
#include <optional>
#include <string>

struct CReportRect {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;

    double Width() const { return right - left; }
    double Height() const { return bottom - top; }
    // A rectangle from its corner and size.
    static CReportRect FromSize(double x, double y, double width, double height)
    {
        return {x, y, x + width, y + height};
    }
};

// A font as layout asks for it: a face name and the em height in page units.
struct CReportFont {
    std::string face = "Arial";
    double emHeight = 12;
    bool bold = false;
    bool italic = false;

    // A font given in points (1/72 inch).
    static CReportFont FromPoints(const std::string& face, double points, bool bold, bool italic = false);
};

// A logical-font description: negative heights give the em height, positive ones the
// cell height (em plus internal leading), 0 the default. Heights are taken in the
// graphics' world unit, the page unit.
struct CLogFont {
    std::string face = "Times New Roman";
    int32_t height = -12;
    int32_t weight = 400;  // 700 and above is bold
    bool italic = false;

    CReportFont ToFont() const;
};

struct CTextMeasure {
    CReportRect box;      // where the laid-out lines fall
    int charsFitted = 0;  // characters of the text on the lines that fit
};

class CReportGraphics {
public:
    virtual ~CReportGraphics() = default;

    // Lays the text out in the rectangle by the format bits (text_format.h) and says
    // where it falls and how many characters fit. The text is 8-bit, one byte per
    // character.
    virtual CTextMeasure MeasureText(const std::string& text, const CReportRect& rect, unsigned format,
                                     const CReportFont& font) = 0;
    // Draws the text as MeasureText lays it out, clipped unless the format says not.
    virtual void DrawTextIn(const std::string& text, const CReportRect& rect, unsigned format,
                            const CReportFont& font, uint32_t argb) = 0;

    virtual void FillRect(const CReportRect& rect, uint32_t argb) = 0;
    // The outline with the thinnest pen.
    virtual void FrameRect(const CReportRect& rect, uint32_t argb) = 0;
    // width 0 is the thinnest pen.
    virtual void DrawLine(double x1, double y1, double x2, double y2, uint32_t argb, double width = 0) = 0;
    // Draws enhanced-metafile bytes stretched to the target; a picture that cannot be
    // decoded draws nothing.
    virtual void DrawPicture(const std::string& emfBytes, const CReportRect& target) = 0;
};

// Colours: ARGB values, and the 0x00BBGGRR form that some callers give.
inline constexpr uint32_t kBlack = 0xFF000000;
inline constexpr uint32_t ArgbFromColorRef(uint32_t bbggrr)
{
    return 0xFF000000u | ((bbggrr & 0xFF) << 16) | (bbggrr & 0xFF00) | ((bbggrr >> 16) & 0xFF);
}

// The one text primitive. Widening is one byte per character; the rectangle moves down
// by a positive vertical offset. With measuredBox (or charsFitted without drawing
// wanted) given it only measures. Otherwise it fills the measured box with the
// background (a 0x00BBGGRR colour; white means none) and draws the text in the text
// colour (0x00BBGGRR, black when none), opaque.
void DrawText(CReportGraphics& graphics, const std::string& text, CReportRect rect, double verticalOffset,
              unsigned format, const CReportFont& font, std::optional<uint32_t> textColor,
              std::optional<uint32_t> background, CReportRect* measuredBox = nullptr, int* charsFitted = nullptr);

// The same with a logical-font description; without one, Times New Roman, -12, 400.
void DrawTextWithLogFont(CReportGraphics& graphics, const std::string& text, CReportRect rect,
                         double verticalOffset, unsigned format, const CLogFont* font,
                         std::optional<uint32_t> textColor, std::optional<uint32_t> background,
                         CReportRect* measuredBox = nullptr, int* charsFitted = nullptr);
