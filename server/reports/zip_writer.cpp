#include "server/reports/zip_writer.h"

#include <zlib.h>

#include <algorithm>

namespace {

constexpr uint16_t kVersion = 20;  // 2.0: stored entries, folders
constexpr uint16_t kStored = 0;
constexpr uint16_t kDosTime = 0;                             // 00:00:00
constexpr uint16_t kDosDate = ((2000 - 1980) << 9) | (1 << 5) | 1;  // 1 January 2000

void U16(std::string& out, uint16_t value)
{
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>(value >> 8));
}

void U32(std::string& out, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

bool CZipWriter::Add(const std::string& name, const std::string& bytes)
{
    const uint64_t grown = m_data.size() + 30 + name.size() + bytes.size();
    // Room for the central directory and its end record as well.
    const uint64_t directory = m_directorySize + 46 + name.size() + 22;
    if (m_entries.size() >= kMaxEntries || name.size() > 0xFFFF || grown + directory > m_maxSize)
        return false;
    m_directorySize += 46 + name.size();

    Entry entry;
    entry.name = name;
    entry.size = static_cast<uint32_t>(bytes.size());
    entry.offset = static_cast<uint32_t>(m_data.size());
    uLong crc = crc32(0L, Z_NULL, 0);
    // zlib's length argument is 32-bit: feed it in pieces.
    for (size_t done = 0; done < bytes.size();) {
        const size_t piece = std::min<size_t>(bytes.size() - done, 1u << 30);
        crc = crc32(crc, reinterpret_cast<const Bytef*>(bytes.data() + done), static_cast<uInt>(piece));
        done += piece;
    }
    entry.crc = static_cast<uint32_t>(crc);

    U32(m_data, 0x04034b50);
    U16(m_data, kVersion);
    U16(m_data, 0);  // flags
    U16(m_data, kStored);
    U16(m_data, kDosTime);
    U16(m_data, kDosDate);
    U32(m_data, entry.crc);
    U32(m_data, entry.size);  // stored: compressed size = size
    U32(m_data, entry.size);
    U16(m_data, static_cast<uint16_t>(name.size()));
    U16(m_data, 0);  // extra field
    m_data += name;
    m_data += bytes;
    m_entries.push_back(std::move(entry));
    return true;
}

std::string CZipWriter::Finish()
{
    std::string out = std::move(m_data);
    m_data.clear();
    const auto directoryOffset = static_cast<uint32_t>(out.size());
    for (const Entry& entry : m_entries) {
        U32(out, 0x02014b50);
        U16(out, kVersion);  // made by
        U16(out, kVersion);  // needed
        U16(out, 0);
        U16(out, kStored);
        U16(out, kDosTime);
        U16(out, kDosDate);
        U32(out, entry.crc);
        U32(out, entry.size);
        U32(out, entry.size);
        U16(out, static_cast<uint16_t>(entry.name.size()));
        U16(out, 0);  // extra field
        U16(out, 0);  // comment
        U16(out, 0);  // disk
        U16(out, 0);  // internal attributes
        U32(out, 0);  // external attributes
        U32(out, entry.offset);
        out += entry.name;
    }
    const auto directorySize = static_cast<uint32_t>(out.size() - directoryOffset);
    U32(out, 0x06054b50);
    U16(out, 0);
    U16(out, 0);
    U16(out, static_cast<uint16_t>(m_entries.size()));
    U16(out, static_cast<uint16_t>(m_entries.size()));
    U32(out, directorySize);
    U32(out, directoryOffset);
    U16(out, 0);  // comment
    m_entries.clear();
    m_directorySize = 0;
    return out;
}
