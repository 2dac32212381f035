#include "codec/ox_bit_buffer.h"

#include <bit>

// Bit order: the first bit written or read is the most significant bit of a byte. The
// mask names the bit of the current byte that comes next; after 0x01 the byte is done
// and the mask goes back to 0x80.

namespace {

// Bits of the current byte from the mask's bit down to bit 0.
inline int FreeBits(uint32_t mask)
{
    return std::countr_zero(mask) + 1;
}

}  // namespace

COXBitBuffer COXBitBuffer::ForWriting(unsigned char* buffer, size_t capacity)
{
    COXBitBuffer bits;
    bits.m_out = buffer;
    bits.m_size = capacity;
    return bits;
}

COXBitBuffer COXBitBuffer::ForReading(const unsigned char* buffer, size_t length)
{
    COXBitBuffer bits;
    bits.m_in = buffer;
    bits.m_size = buffer != nullptr ? length : 0;
    return bits;
}

bool COXBitBuffer::WriteBits(uint32_t value, int bits)
{
    // Fills the current byte as far as it goes at each step, not bit by bit.
    while (bits > 0) {
        // A new byte needs a free slot; the partly filled byte always has one, so
        // Flush never runs out of room.
        if (m_mask == 0x80 && m_position >= m_size)
            return false;
        const int room = FreeBits(m_mask);
        const int take = bits < room ? bits : room;
        bits -= take;
        const uint32_t chunk = (value >> bits) & ((1u << take) - 1);
        m_current |= chunk << (room - take);
        if (take == room) {
            m_out[m_position++] = static_cast<unsigned char>(m_current);
            m_current = 0;
            m_mask = 0x80;
        } else {
            m_mask >>= take;
        }
    }
    return true;
}

bool COXBitBuffer::Flush()
{
    if (m_mask != 0x80) {
        m_out[m_position++] = static_cast<unsigned char>(m_current);
        m_current = 0;
        m_mask = 0x80;
    }
    return true;
}

size_t COXBitBuffer::BytesWritten() const
{
    return m_position + (m_mask != 0x80 ? 1 : 0);
}

uint32_t COXBitBuffer::ReadBit()
{
    if (m_mask == 0x80) {
        if (m_position >= m_size)
            return 0;
        m_current = m_in[m_position];
    }
    const uint32_t bit = (m_current & m_mask) ? 1 : 0;
    m_mask >>= 1;
    if (m_mask == 0) {
        m_mask = 0x80;
        ++m_position;
    }
    return bit;
}

uint32_t COXBitBuffer::ReadBits(int bits)
{
    uint32_t value = 0;
    while (bits > 0) {
        if (m_mask == 0x80) {
            if (m_position >= m_size)
                return 0;  // nothing left before the next bit
            m_current = m_in[m_position];
        }
        const int left = FreeBits(m_mask);
        const int take = bits < left ? bits : left;
        bits -= take;
        value = (value << take) | ((m_current >> (left - take)) & ((1u << take) - 1));
        if (take == left) {
            m_mask = 0x80;
            if (++m_position >= m_size)
                return 0;  // that was the last bit of the last byte
        } else {
            m_mask >>= take;
        }
    }
    return value;
}

bool COXBitBuffer::AtEnd() const
{
    return m_position >= m_size;
}
