#pragma once
// Fonts for report drawing. Reports name Windows faces; they are drawn with the
// metric-compatible Liberation families, so that text measures as it did where the
// report was laid out.

#include "report/report_graphics.h"

#include <QFont>
#include <QString>

// Text is laid out at this pixel size and scaled to its em height, so that measures
// follow the fonts' design metrics rather than pixel-rounded ones.
inline constexpr int kReferencePixelSize = 100;

// "Arial" -> "Liberation Sans", "Times New Roman" -> "Liberation Serif",
// "Courier New" -> "Liberation Mono"; other names stay as they are.
QString ResolveFontFamily(const std::string& face);

// Makes sure the Liberation families can be found, adding the installed files as
// application fonts when the system's font configuration does not list them. Needs a
// QGuiApplication.
void EnsureReportFonts();

// The font at the reference size, with kerning and hinting off.
QFont ReferenceFont(const CReportFont& font);
