#pragma once
// A growable in-memory byte stream. The buffer grows in fixed steps (1024 bytes on the
// wire) as bytes are written, never from a announced length. It grows in place where
// the allocator can (realloc), so that a payload of many megabytes is not copied and
// its pages not touched afresh at every step.

#include "codec/byte_stream.h"

#include <cstdlib>
#include <memory>
#include <string>

class CMemFile : public CByteStream {
public:
    explicit CMemFile(size_t growBytes = 1024);
    // A stream over a copy of existing bytes, positioned at the start.
    explicit CMemFile(const std::string& bytes, size_t growBytes = 1024);
    CMemFile(const CMemFile& other);
    CMemFile& operator=(const CMemFile& other);
    CMemFile(CMemFile&& other) noexcept;
    CMemFile& operator=(CMemFile&& other) noexcept;
    ~CMemFile() override = default;

    size_t Read(void* buffer, size_t n) override;
    void Write(const void* buffer, size_t n) override;
    uint64_t GetLength() override { return m_length; }
    uint64_t GetPosition() override { return m_position; }
    void Seek(uint64_t position) override;

    // Truncates or extends (with zero bytes) to the given length.
    void SetLength(uint64_t length);

    const unsigned char* Data() const { return m_buffer.get(); }
    std::string ToString() const;
    size_t Capacity() const { return m_capacity; }

private:
    struct FreeBytes {
        void operator()(unsigned char* bytes) const { std::free(bytes); }
    };

    void Grow(uint64_t needed);

    std::unique_ptr<unsigned char[], FreeBytes> m_buffer;
    size_t m_capacity = 0;
    size_t m_growBytes;
    uint64_t m_length = 0;
    uint64_t m_position = 0;
};
