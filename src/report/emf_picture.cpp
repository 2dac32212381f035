#include "report/emf_picture.h"

#include <emf2svg.h>

#include <QPainter>
#include <QSvgRenderer>

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

constexpr uint32_t kHeaderRecord = 1;   // EMR_HEADER
constexpr uint32_t kEndRecord = 14;     // EMR_EOF
constexpr uint32_t kSignature = 0x464D4520;  // " EMF"
constexpr size_t kSignatureOffset = 40;
constexpr size_t kMinHeaderSize = 88;

uint32_t Word(const std::string& bytes, size_t at)
{
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i)
        value |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    return value;
}

struct FreeDeleter {
    void operator()(char* p) const { std::free(p); }
};

}  // namespace

bool CEmfPicture::IsWellFormed(const std::string& bytes)
{
    if (bytes.size() < kMinHeaderSize || bytes.size() > kMaxBytes)
        return false;
    if (Word(bytes, 0) != kHeaderRecord || Word(bytes, kSignatureOffset) != kSignature)
        return false;
    size_t at = 0;
    bool first = true;
    while (at + 8 <= bytes.size()) {
        const uint32_t type = Word(bytes, at);
        const uint32_t size = Word(bytes, at + 4);
        if (size < 8 || size % 4 != 0 || size > bytes.size() - at)
            return false;
        if (first && size < kMinHeaderSize)
            return false;
        if (!first && type == kHeaderRecord)
            return false;
        if (type == kEndRecord)
            return true;
        first = false;
        at += size;
    }
    return false;
}

std::optional<QByteArray> CEmfPicture::ToSvg(const std::string& bytes)
{
    if (!IsWellFormed(bytes))
        return std::nullopt;
    generatorOptions options{};
    options.nameSpace = nullptr;  // plain element names
    options.verbose = false;
    options.emfplus = false;  // the plain records of dual pictures suffice
    options.svgDelimiter = true;
    std::string input = bytes;  // the converter takes a writable buffer
    char* out = nullptr;
    size_t outLength = 0;
    const int ok = emf2svg(input.data(), input.size(), &out, &outLength, &options);
    const std::unique_ptr<char, FreeDeleter> owned(out);
    if (!ok || !out || outLength == 0)
        return std::nullopt;
    return QByteArray(out, static_cast<qsizetype>(outLength));
}

void CEmfPicture::Draw(QPainter& painter, const std::string& bytes, const QRectF& target)
{
    const std::optional<QByteArray> svg = ToSvg(bytes);
    if (!svg)
        return;
    QSvgRenderer renderer(*svg);
    if (!renderer.isValid())
        return;
    renderer.render(&painter, target);
}
