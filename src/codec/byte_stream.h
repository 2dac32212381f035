#pragma once
// The byte streams that archives, the block compressor and the payload cipher run over.

#include <cstddef>
#include <cstdint>

class CByteStream {
public:
    virtual ~CByteStream() = default;

    // Reads up to n bytes; returns how many were read (0 at the end of the stream).
    // Throws CCodecException when the stream is malformed or not open for reading.
    virtual size_t Read(void* buffer, size_t n) = 0;

    // Writes all n bytes. Throws CCodecException when the stream cannot take them.
    virtual void Write(const void* buffer, size_t n) = 0;

    // Total length and current position in bytes.
    virtual uint64_t GetLength() = 0;
    virtual uint64_t GetPosition() = 0;

    // Moves the position; throws CCodecException when the position is not reachable.
    virtual void Seek(uint64_t position) = 0;

    void SeekToBegin() { Seek(0); }

    // Bytes left to read from the current position.
    uint64_t Remaining()
    {
        const uint64_t length = GetLength();
        const uint64_t position = GetPosition();
        return position < length ? length - position : 0;
    }
};
