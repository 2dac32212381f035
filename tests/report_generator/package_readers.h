#pragma once
// Reading back the generator's documents: the entries of a zip archive with their CRCs
// checked, and the pages of a TIFF file.

#include <tiffio.h>
#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

inline uint32_t LittleEndian(const std::string& bytes, size_t at, int size)
{
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes.at(at + static_cast<size_t>(i)));
    return value;
}

// The entries by name, from the central directory; nullopt when the archive is not
// well formed (bad signatures, sizes past the end, a CRC that does not match).
inline std::optional<std::map<std::string, std::string>> ReadZip(const std::string& zip)
{
    if (zip.size() < 22)
        return std::nullopt;
    const size_t end = zip.size() - 22;
    if (LittleEndian(zip, end, 4) != 0x06054b50)
        return std::nullopt;
    const uint32_t count = LittleEndian(zip, end + 10, 2);
    size_t at = LittleEndian(zip, end + 16, 4);
    std::map<std::string, std::string> entries;
    try {
        for (uint32_t i = 0; i < count; ++i) {
            if (LittleEndian(zip, at, 4) != 0x02014b50)
                return std::nullopt;
            const uint32_t crc = LittleEndian(zip, at + 16, 4);
            const uint32_t size = LittleEndian(zip, at + 20, 4);
            const uint32_t nameLength = LittleEndian(zip, at + 28, 2);
            const uint32_t extra = LittleEndian(zip, at + 30, 2);
            const uint32_t comment = LittleEndian(zip, at + 32, 2);
            const uint32_t local = LittleEndian(zip, at + 42, 4);
            const std::string name = zip.substr(at + 46, nameLength);
            at += 46 + nameLength + extra + comment;
            if (LittleEndian(zip, local, 4) != 0x04034b50 || LittleEndian(zip, local + 8, 2) != 0)
                return std::nullopt;
            const size_t data = local + 30 + LittleEndian(zip, local + 26, 2) + LittleEndian(zip, local + 28, 2);
            if (data + size > zip.size() || zip.substr(local + 30, nameLength) != name)
                return std::nullopt;
            std::string bytes = zip.substr(data, size);
            if (crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())) != crc)
                return std::nullopt;
            entries[name] = std::move(bytes);
        }
    } catch (const std::out_of_range&) {
        return std::nullopt;
    }
    return entries;
}

// Width and height of every directory of a TIFF file, read with libtiff.
inline std::vector<std::pair<uint32_t, uint32_t>> TiffPages(const std::string& bytes)
{
    std::vector<std::pair<uint32_t, uint32_t>> pages;
    char path[] = "/tmp/orv-tiff-XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0)
        return pages;
    FILE* file = fdopen(fd, "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    if (TIFF* tiff = TIFFOpen(path, "r")) {
        do {
            uint32_t width = 0;
            uint32_t height = 0;
            TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width);
            TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height);
            // Every strip must decode.
            std::vector<unsigned char> line(static_cast<size_t>(TIFFScanlineSize(tiff)));
            for (uint32_t row = 0; row < height; ++row)
                if (TIFFReadScanline(tiff, line.data(), row, 0) < 0) {
                    width = 0;
                    break;
                }
            pages.emplace_back(width, height);
        } while (TIFFReadDirectory(tiff));
        TIFFClose(tiff);
    }
    std::remove(path);
    return pages;
}
