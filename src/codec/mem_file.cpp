#include "codec/mem_file.h"

#include "codec/codec_exception.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <utility>

CMemFile::CMemFile(size_t growBytes) : m_growBytes(growBytes == 0 ? 1024 : growBytes) {}

CMemFile::CMemFile(const std::string& bytes, size_t growBytes) : CMemFile(growBytes)
{
    Write(bytes.data(), bytes.size());
    m_position = 0;
}

CMemFile::CMemFile(const CMemFile& other) : CMemFile(other.m_growBytes)
{
    *this = other;
}

CMemFile& CMemFile::operator=(const CMemFile& other)
{
    if (this == &other)
        return *this;
    m_length = 0;
    m_position = 0;
    m_growBytes = other.m_growBytes;
    Grow(other.m_capacity);
    if (other.m_length > 0)
        std::memcpy(m_buffer.get(), other.m_buffer.get(), static_cast<size_t>(other.m_length));
    m_length = other.m_length;
    m_position = other.m_position;
    return *this;
}

CMemFile::CMemFile(CMemFile&& other) noexcept
    : m_buffer(std::move(other.m_buffer)), m_capacity(std::exchange(other.m_capacity, 0)),
      m_growBytes(other.m_growBytes), m_length(std::exchange(other.m_length, 0)),
      m_position(std::exchange(other.m_position, 0))
{
}

CMemFile& CMemFile::operator=(CMemFile&& other) noexcept
{
    if (this != &other) {
        m_buffer = std::move(other.m_buffer);
        m_capacity = std::exchange(other.m_capacity, 0);
        m_growBytes = other.m_growBytes;
        m_length = std::exchange(other.m_length, 0);
        m_position = std::exchange(other.m_position, 0);
    }
    return *this;
}

size_t CMemFile::Read(void* buffer, size_t n)
{
    if (m_position >= m_length || n == 0)
        return 0;
    const size_t count = static_cast<size_t>(std::min<uint64_t>(n, m_length - m_position));
    std::memcpy(buffer, m_buffer.get() + m_position, count);
    m_position += count;
    return count;
}

void CMemFile::Grow(uint64_t needed)
{
    if (needed <= m_capacity)
        return;
    // Grow in whole steps; by half again once the file is large so that big payloads
    // do not cost a reallocation per step.
    uint64_t size = m_capacity;
    while (size < needed)
        size += std::max<uint64_t>(m_growBytes, size / 2 / m_growBytes * m_growBytes);
    if (size > std::numeric_limits<size_t>::max())
        throw std::bad_alloc();
    void* grown = std::realloc(m_buffer.get(), static_cast<size_t>(size));
    if (grown == nullptr)
        throw std::bad_alloc();
    (void)m_buffer.release();  // realloc has taken it over
    m_buffer.reset(static_cast<unsigned char*>(grown));
    m_capacity = static_cast<size_t>(size);
}

void CMemFile::Write(const void* buffer, size_t n)
{
    if (n == 0)
        return;
    Grow(m_position + n);
    std::memcpy(m_buffer.get() + m_position, buffer, n);
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
        std::memset(m_buffer.get() + m_length, 0, static_cast<size_t>(length - m_length));
    m_length = length;
    m_position = std::min(m_position, m_length);
}

std::string CMemFile::ToString() const
{
    if (m_length == 0)
        return std::string();
    return std::string(reinterpret_cast<const char*>(m_buffer.get()), static_cast<size_t>(m_length));
}
