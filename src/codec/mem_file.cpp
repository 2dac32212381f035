#include "codec/mem_file.h"

#include "codec/codec_exception.h"

#include <algorithm>
#include <cstring>

CMemFile::CMemFile(size_t growBytes) : m_growBytes(growBytes == 0 ? 1024 : growBytes) {}

CMemFile::CMemFile(const std::string& bytes, size_t growBytes) : CMemFile(growBytes)
{
    Write(bytes.data(), bytes.size());
    m_position = 0;
}

size_t CMemFile::Read(void* buffer, size_t n)
{
    if (m_position >= m_length || n == 0)
        return 0;
    const size_t count = static_cast<size_t>(std::min<uint64_t>(n, m_length - m_position));
    std::memcpy(buffer, m_buffer.data() + m_position, count);
    m_position += count;
    return count;
}

void CMemFile::Grow(uint64_t needed)
{
    if (needed <= m_buffer.size())
        return;
    // Grow in whole steps; double once the file is large so that big payloads do not
    // cost a copy per step.
    uint64_t size = m_buffer.size();
    while (size < needed)
        size += std::max<uint64_t>(m_growBytes, size / 2 / m_growBytes * m_growBytes);
    m_buffer.resize(static_cast<size_t>(size));
}

void CMemFile::Write(const void* buffer, size_t n)
{
    if (n == 0)
        return;
    Grow(m_position + n);
    std::memcpy(m_buffer.data() + m_position, buffer, n);
    m_position += n;
    m_length = std::max(m_length, m_position);
}

void CMemFile::Seek(uint64_t position)
{
    if (position > m_length)
        throw CCodecException(CCodecException::ioError, "Seek past the end of a memory file");
    m_position = position;
}

void CMemFile::SetLength(uint64_t length)
{
    Grow(length);
    if (length > m_length)
        std::memset(m_buffer.data() + m_length, 0, static_cast<size_t>(length - m_length));
    m_length = length;
    m_position = std::min(m_position, m_length);
}

std::string CMemFile::ToString() const
{
    return std::string(reinterpret_cast<const char*>(m_buffer.data()), static_cast<size_t>(m_length));
}
