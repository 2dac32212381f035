// The text primitive, shapes and pictures on a QPainter, with the Liberation fonts
// standing in for Arial.
#include "qt_fixtures.h"

#include "report/emf_picture.h"
#include "report/painter_graphics.h"
#include "report/report_fonts.h"
#include "report/text_format.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QPainter>

#include <limits>

namespace {

class PainterGraphics : public testing::Test {
protected:
    static void SetUpTestSuite() { UseHeadlessGui(); }

    CTextMeasure Measure(const std::string& text, CReportRect rect, unsigned format, double em = 100)
    {
        CReportRect box;
        int fitted = 0;
        CReportFont font;
        font.emHeight = em;
        DrawText(m_measuring, text, rect, 0, format, font, std::nullopt, std::nullopt, &box, &fitted);
        return {box, fitted};
    }

    CPainterGraphics m_measuring;
};

// A 200 x 200 pixel image on which one page unit is one pixel.
QImage Canvas()
{
    QImage image(200, 200, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image;
}

}  // namespace

TEST_F(PainterGraphics, ArialResolvesToItsMetricTwin)
{
    EXPECT_EQ(QFontInfo(ReferenceFont({"Arial", 12, false, false})).family(), "Liberation Sans");
    EXPECT_EQ(QFontInfo(ReferenceFont({"Times New Roman", 12, false, false})).family(), "Liberation Serif");
    // Arial's line spacing is 2355/2048 em and "Hello" is 4667/2048 em wide.
    const CTextMeasure hello = Measure("Hello", {0, 0, 10000, 10000}, 0);
    EXPECT_NEAR(hello.box.Height(), 100 * 2355.0 / 2048, 0.2);
    EXPECT_NEAR(hello.box.Width(), 100 * 4667.0 / 2048, 0.5);
    // Twice the em, twice the measures: no pixel rounding.
    EXPECT_NEAR(Measure("Hello", {0, 0, 10000, 10000}, 0, 7).box.Width() * 2,
                Measure("Hello", {0, 0, 10000, 10000}, 0, 14).box.Width(), 1e-6);
}

TEST_F(PainterGraphics, WrappingKeepsWholeLinesAndCountsTheCharactersThatFit)
{
    const double spacing = Measure("x", {0, 0, 10000, 10000}, 0).box.Height();
    const double twoWords = Measure("aaa bbb", {0, 0, 10000, 10000}, 0).box.Width();
    const CReportRect narrow{0, 0, twoWords + 5, 10000};

    CTextMeasure all = Measure("aaa bbb ccc", narrow, 0);
    EXPECT_NEAR(all.box.Height(), 2 * spacing, 1e-6);
    EXPECT_EQ(all.charsFitted, 11);

    // Room for one and a half lines: only the whole first line, with its space.
    CTextMeasure one = Measure("aaa bbb ccc", {0, 0, twoWords + 5, spacing * 1.5}, 0);
    EXPECT_NEAR(one.box.Height(), spacing, 1e-6);
    EXPECT_EQ(one.charsFitted, 8);

    // A word longer than the width breaks inside.
    EXPECT_GT(Measure("abcdefghijklmnopqrstuvwxyz", {0, 0, 300, 10000}, 0).box.Height(), spacing * 1.5);

    // CR LF, CR and LF break lines; the break belongs to the line it ends.
    EXPECT_NEAR(Measure("one\r\ntwo\rthree\nfour", {0, 0, 10000, 10000}, 0).box.Height(), 4 * spacing, 1e-6);
    EXPECT_EQ(Measure("one\r\ntwo", {0, 0, 10000, spacing}, 0).charsFitted, 5);

    // No room at all: nothing fits, unless the format lets text overhang.
    EXPECT_EQ(Measure("text", {0, 0, 1000, 0}, 0).charsFitted, 0);
    EXPECT_EQ(Measure("text", {0, 0, 1000, spacing / 2}, 0).charsFitted, 0);
    EXPECT_EQ(Measure("text", {0, 0, 1000, spacing / 2}, TextFormat::kNoClip).charsFitted, 4);
    // Right-aligned text is always clipped, so it does not overhang either.
    EXPECT_EQ(Measure("text", {0, 0, 1000, spacing / 2}, TextFormat::kNoClip | TextFormat::kRight).charsFitted, 0);
}

TEST_F(PainterGraphics, SingleLineNeitherWrapsNorLimitsLines)
{
    const double spacing = Measure("x", {0, 0, 10000, 10000}, 0).box.Height();
    const CTextMeasure single = Measure("one two three four", {0, 0, 50, spacing / 2}, TextFormat::kSingleLine);
    EXPECT_NEAR(single.box.Height(), spacing, 1e-6);
    EXPECT_GT(single.box.Width(), 50);
    EXPECT_EQ(single.charsFitted, 18);
}

TEST_F(PainterGraphics, AlignmentPlacesTheMeasuredBox)
{
    const CReportRect rect{100, 200, 1100, 1200};
    const CTextMeasure left = Measure("Total", rect, 0);
    EXPECT_DOUBLE_EQ(left.box.left, 100);
    EXPECT_DOUBLE_EQ(left.box.top, 200);
    const CTextMeasure right = Measure("Total", rect, TextFormat::kRight | TextFormat::kBottom);
    EXPECT_NEAR(right.box.right, 1100, 1e-6);
    EXPECT_NEAR(right.box.bottom, 1200, 1e-6);
    const CTextMeasure centred = Measure("Total", rect, TextFormat::kCentred | TextFormat::kRight | TextFormat::kBottom);
    EXPECT_NEAR((centred.box.left + centred.box.right) / 2, 600, 1e-6);
    EXPECT_NEAR((centred.box.top + centred.box.bottom) / 2, 700, 1e-6);
    // A positive vertical offset moves the rectangle down.
    CReportRect moved;
    DrawText(m_measuring, "Total", rect, 30, 0, CReportFont{}, std::nullopt, std::nullopt, &moved);
    EXPECT_DOUBLE_EQ(moved.top, 230);
}

TEST_F(PainterGraphics, TextIsClippedUnlessToldNotAndDrawnInItsColours)
{
    const QRect inside(20, 20, 60, 20);
    CReportFont big;
    big.emHeight = 40;
    for (const bool noClip : {false, true}) {
        QImage image = Canvas();
        {
            QPainter painter(&image);
            CPainterGraphics graphics(&painter);
            // Wider than the rectangle, on one line.
            DrawText(graphics, "MMMMMMMM", {20, 20, 80, 40}, 0,
                     TextFormat::kSingleLine | (noClip ? TextFormat::kNoClip : 0u), big, std::nullopt, std::nullopt);
        }
        EXPECT_GT(DarkPixels(image, inside), 100);
        if (noClip)
            EXPECT_GT(DarkPixels(image, inside, true), 100);
        else
            EXPECT_EQ(DarkPixels(image, inside, true), 0);
    }

    // Text colour and background are 0x00BBGGRR.
    QImage image = Canvas();
    {
        QPainter painter(&image);
        CPainterGraphics graphics(&painter);
        CReportFont font;
        font.emHeight = 30;
        DrawText(graphics, "Hi", {10, 10, 190, 190}, 0, 0, font, 0x0000FF, 0xFF0000);
    }
    int red = 0, blue = 0;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x) {
            const QColor c = image.pixelColor(x, y);
            red += c.red() > 200 && c.green() < 80 && c.blue() < 80;
            blue += c.blue() > 200 && c.red() < 80 && c.green() < 80;
        }
    EXPECT_GT(red, 20);
    EXPECT_GT(blue, 200);
    // Only the measured box is filled.
    EXPECT_EQ(image.pixelColor(150, 150), QColor(Qt::white));
}

TEST_F(PainterGraphics, EightBitTextIsOneCharacterPerByte)
{
    const CTextMeasure accented = Measure("caf\xE9 \xA3" "5", {0, 0, 10000, 10000}, 0);
    EXPECT_EQ(accented.charsFitted, 7);
    EXPECT_GT(accented.box.Width(), Measure("caf", {0, 0, 10000, 10000}, 0).box.Width());
}

TEST_F(PainterGraphics, LongTextsAreMeasuredOnlyAsFarAsTheyFit)
{
    // A megabyte of text in a small rectangle: the lines that fit, quickly.
    std::string text;
    while (text.size() < (2u << 20))
        text += "lorem ipsum dolor sit amet ";
    const CTextMeasure part = Measure(text, {0, 0, 2000, 1000}, 0, 12);
    EXPECT_GT(part.charsFitted, 500);
    EXPECT_LT(part.charsFitted, 60000);
    // The same count as measuring just a prefix of it.
    EXPECT_EQ(Measure(text.substr(0, 30000), {0, 0, 2000, 1000}, 0, 12).charsFitted, part.charsFitted);
}

TEST_F(PainterGraphics, ShapesAndHostileCoordinates)
{
    QImage image = Canvas();
    {
        QPainter painter(&image);
        CPainterGraphics graphics(&painter);
        graphics.FillRect({10, 10, 50, 50}, 0xFF000000);
        graphics.FillRect({100, 100, 90, 190}, 0xFF000000);  // negative width: nothing
        graphics.FrameRect({-1e300, -1e300, 1e300, 1e300}, 0xFF000000);
        graphics.DrawLine(0, 0, std::numeric_limits<double>::infinity(), 1e18, 0xFF000000, 1e9);
        graphics.DrawPicture("", {0, 0, 100, 100});
    }
    EXPECT_EQ(DarkPixels(image, QRect(10, 10, 40, 40)), 1600);
    EXPECT_EQ(DarkPixels(image, QRect(120, 120, 60, 60)), 0);
}

TEST(EmfPicture, AWellFormedPictureDrawsAndAnythingElseDrawsNothing)
{
    UseHeadlessGui();
    const std::string emf = RectangleMetafile();
    ASSERT_TRUE(CEmfPicture::IsWellFormed(emf));
    QImage image = Canvas();
    {
        QPainter painter(&image);
        CEmfPicture::Draw(painter, emf, QRectF(0, 0, 200, 200));
    }
    // Stretched twice: the rectangle covers (20, 20) to (180, 100).
    EXPECT_GT(DarkPixels(image, QRect(30, 30, 140, 60)), 140 * 60 * 9 / 10);
    EXPECT_EQ(DarkPixels(image, QRect(0, 110, 200, 90)), 0);

    // Cut short, a record running past the end, a missing end record, no signature.
    std::string broken = emf;
    broken[88 + 4] = static_cast<char>(0xF0);  // the first record's size
    std::string unsigned_ = emf;
    unsigned_[40] = 'X';
    for (const std::string& bad : {emf.substr(0, emf.size() - 4), broken, emf.substr(0, emf.size() - 20), unsigned_,
                                   std::string(500, '\0'), std::string("garbage")}) {
        EXPECT_FALSE(CEmfPicture::IsWellFormed(bad));
        QImage blank = Canvas();
        {
            QPainter painter(&blank);
            CEmfPicture::Draw(painter, bad, QRectF(0, 0, 200, 200));
        }
        EXPECT_EQ(DarkPixels(blank, blank.rect()), 0);
    }
}
