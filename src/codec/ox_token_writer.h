#pragma once
// The compressors' bit writer: the same bit order and capacity rule as COXBitBuffer
// (most significant bit first; full once the bytes written, counting a partly filled
// byte, reach the capacity), with the bits gathered in a register rather than one call
// per token.

#include <cstddef>
#include <cstdint>

class COXTokenWriter {
public:
    COXTokenWriter(unsigned char* out, size_t capacity) : m_out(out), m_capacity(capacity) {}

    // Appends the low `bits` bits of value (at most 24), highest first. Returns false
    // once the output, counting a partly filled byte, has reached the capacity; nothing
    // is ever written at or past the capacity.
    bool Put(uint32_t value, int bits)
    {
        m_pending = (m_pending << bits) | value;
        m_pendingBits += bits;
        while (m_pendingBits >= 8) {
            m_pendingBits -= 8;
            if (m_written >= m_capacity)
                return false;
            m_out[m_written++] = static_cast<unsigned char>(m_pending >> m_pendingBits);
        }
        m_pending &= (1u << m_pendingBits) - 1;
        return BytesWritten() < m_capacity;
    }

    // Completes the last byte with zero bits.
    bool Flush() { return m_pendingBits == 0 || Put(0, 8 - m_pendingBits); }

    size_t BytesWritten() const { return m_written + (m_pendingBits > 0 ? 1 : 0); }

private:
    unsigned char* m_out;
    size_t m_capacity;
    size_t m_written = 0;
    uint32_t m_pending = 0;  // the last m_pendingBits bits are not yet written
    int m_pendingBits = 0;
};
