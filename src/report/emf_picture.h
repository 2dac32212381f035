#pragma once
// Enhanced-metafile pictures, drawn by converting them to SVG. Bytes that are not a
// well-formed metafile draw nothing.

#include <QByteArray>
#include <QRectF>

#include <optional>
#include <string>

class QPainter;

class CEmfPicture {
public:
    // Larger pictures are not drawn.
    static constexpr size_t kMaxBytes = 64u << 20;

    // The record structure: a header record with the metafile signature, records of a
    // sane size that stay within the bytes, and an end-of-file record.
    static bool IsWellFormed(const std::string& bytes);
    // The picture as an SVG document, or nothing when it cannot be converted.
    static std::optional<QByteArray> ToSvg(const std::string& bytes);
    // Draws the picture stretched to the target; draws nothing when it cannot.
    static void Draw(QPainter& painter, const std::string& bytes, const QRectF& target);
};
