#pragma once
// Writes or reads bits most significant bit first, over a caller's byte buffer.

#include <cstddef>
#include <cstdint>

class COXBitBuffer {
public:
    // Writing into buffer[0..capacity).
    static COXBitBuffer ForWriting(unsigned char* buffer, size_t capacity);
    // Reading from buffer[0..length).
    static COXBitBuffer ForReading(const unsigned char* buffer, size_t length);

    // Writes the low `bits` bits of value, highest first. Returns false when the
    // buffer is full (nothing past the capacity is ever written).
    bool WriteBits(uint32_t value, int bits);
    // Completes the current byte with zero bits; returns false when the buffer is full.
    bool Flush();
    // Bytes written so far, counting a partly filled byte.
    size_t BytesWritten() const;

    // Reads one flag bit (0 past the end; no end test).
    uint32_t ReadBit();
    // Reads `bits` bits. Gives 0 as soon as the bytes run out: when no byte is left
    // before a bit is taken, or when the bit just taken was the last bit of the
    // last byte, whether or not the value is complete.
    uint32_t ReadBits(int bits);
    // True when every bit of the buffer has been consumed.
    bool AtEnd() const;

private:
    COXBitBuffer() = default;

    unsigned char* m_out = nullptr;
    const unsigned char* m_in = nullptr;
    size_t m_size = 0;      // capacity when writing, length when reading
    size_t m_position = 0;  // index of the current byte
    uint32_t m_current = 0; // the byte being assembled or consumed
    uint32_t m_mask = 0x80;
};
