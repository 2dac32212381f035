#pragma once
// A growable in-memory byte stream. The buffer grows in fixed steps (1024 bytes on the
// wire) as bytes are written, never from a announced length.

#include "codec/byte_stream.h"

#include <string>
#include <vector>

class CMemFile : public CByteStream {
public:
    explicit CMemFile(size_t growBytes = 1024);
    // A stream over a copy of existing bytes, positioned at the start.
    explicit CMemFile(const std::string& bytes, size_t growBytes = 1024);

    size_t Read(void* buffer, size_t n) override;
    void Write(const void* buffer, size_t n) override;
    uint64_t GetLength() override { return m_length; }
    uint64_t GetPosition() override { return m_position; }
    void Seek(uint64_t position) override;

    // Truncates or extends (with zero bytes) to the given length.
    void SetLength(uint64_t length);

    const unsigned char* Data() const { return m_buffer.data(); }
    std::string ToString() const;
    size_t Capacity() const { return m_buffer.size(); }

private:
    void Grow(uint64_t needed);

    std::vector<unsigned char> m_buffer;
    size_t m_growBytes;
    uint64_t m_length = 0;
    uint64_t m_position = 0;
};
