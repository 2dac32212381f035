#include "codec/ox_chain_compressor.h"

#include "codec/ox_token_writer.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>

// Positions here are indexes in the block. The block's byte i sits at window position
// (i + 1) mod 512 when the expander writes it, so a match that copies from index s is
// coded with position (s + 1) mod 512; no s with (s + 1) mod 512 = 0 may be used
// (position 0 marks the end), and s >= i - 511 keeps its bytes in the window until they
// are copied.

namespace {

constexpr int kPositionBits = 9;
constexpr int kLengthBits = 4;
constexpr size_t kWindowMask = 511;
constexpr int kHashShift = 20;  // hashes keep the top 12 of 32 bits
// Candidates tried along a three-byte chain before the search settles: on case records
// 16 gives bodies slightly smaller than the tree's (with the one-byte put-off), 8 about
// the same size, 32 hardly smaller but slower.
constexpr int kChainDepth = 16;
// A match shorter than this is put off when the next byte starts a longer one (all
// but the longest possible).
constexpr int kLazyBelow = COXChainCompressor::kMaxMatch;

inline uint64_t Load64(const unsigned char* bytes)
{
    uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

// Equal leading bytes of two 8-byte words loaded from memory, given their XOR (not 0).
inline int EqualBytes(uint64_t difference)
{
    if constexpr (std::endian::native == std::endian::little)
        return std::countr_zero(difference) / 8;
    else
        return std::countl_zero(difference) / 8;
}

inline uint32_t Hash3(const unsigned char* bytes)
{
    const uint32_t key = uint32_t{bytes[0]} | (uint32_t{bytes[1]} << 8) | (uint32_t{bytes[2]} << 16);
    return (key * 2654435761u) >> kHashShift;
}

inline uint32_t Hash2(const unsigned char* bytes)
{
    const uint32_t key = uint32_t{bytes[0]} | (uint32_t{bytes[1]} << 8);
    return (key * 2654435761u) >> kHashShift;
}

}  // namespace

void COXChainCompressor::Prepare(const unsigned char* plain, size_t length)
{
    // Entries of earlier blocks must stay at or below the new base; when the numbering
    // would run out, start afresh.
    if (uint64_t{m_base} + m_length + length + 2 > std::numeric_limits<uint32_t>::max()) {
        m_head2.fill(0);
        m_head3.fill(0);
        m_base = 0;
    } else {
        m_base += static_cast<uint32_t>(m_length) + 1;
    }
    m_length = length;
    if (m_block.size() < length + kPadding) {
        m_block.resize(length + kPadding);
        m_previous.resize(length);
    }
    std::memcpy(m_block.data(), plain, length);
    std::memset(m_block.data() + length, 0, kPadding);
}

inline void COXChainCompressor::Insert(size_t at)
{
    static_assert((std::numeric_limits<uint32_t>::max() >> kHashShift) + 1 == size_t{1} << kHashBits);
    const unsigned char* bytes = m_block.data() + at;
    const uint32_t entry = m_base + static_cast<uint32_t>(at) + 1;
    if (at + 2 < m_length) {
        uint32_t& head = m_head3[Hash3(bytes)];
        m_previous[at] = head;
        head = entry;
    }
    if (at + 1 < m_length)
        m_head2[Hash2(bytes)] = entry;
}

// Bytes equal from `source` and `at`, at most `limit` (at most kMaxMatch).
inline int COXChainCompressor::MatchLength(size_t source, size_t at, int limit) const
{
    const unsigned char* a = m_block.data() + at;
    const unsigned char* b = m_block.data() + source;
    int length;
    if (const uint64_t x = Load64(a) ^ Load64(b))
        length = EqualBytes(x);
    else if (const uint64_t y = Load64(a + 8) ^ Load64(b + 8))
        length = 8 + EqualBytes(y);
    else
        length = 16 + (a[16] == b[16] ? 1 : 0);
    return std::min(length, limit);
}

COXChainCompressor::Match COXChainCompressor::Find(size_t at) const
{
    Match best;
    const int limit = static_cast<int>(std::min<size_t>(kMaxMatch, m_length - at));
    if (limit < kMinMatch)
        return best;
    const size_t nearest = at > static_cast<size_t>(kMaxDistance) ? at - kMaxDistance : 0;
    const unsigned char* bytes = m_block.data() + at;

    if (limit >= 3) {
        uint32_t entry = m_head3[Hash3(bytes)];
        for (int depth = kChainDepth; entry > m_base && depth > 0; --depth) {
            const size_t source = entry - m_base - 1;
            if (source < nearest)
                break;
            entry = m_previous[source];
            if (((source + 1) & kWindowMask) == 0)
                continue;  // window position 0 cannot be coded
            // The byte that would make the match longer than the best decides quickly.
            if (m_block[source + best.length] != bytes[best.length])
                continue;
            const int length = MatchLength(source, at, limit);
            if (length > best.length) {
                best.length = length;
                best.source = source;
                if (length >= limit)
                    break;
            }
        }
    }

    if (best.length < kMinMatch) {
        const uint32_t entry = m_head2[Hash2(bytes)];
        if (entry > m_base) {
            const size_t source = entry - m_base - 1;
            if (source >= nearest && ((source + 1) & kWindowMask) != 0) {
                const int length = MatchLength(source, at, limit);
                if (length >= kMinMatch) {
                    best.length = length;
                    best.source = source;
                }
            }
        }
    }
    return best;
}

int COXChainCompressor::Compress(const unsigned char* plain, size_t length, unsigned char* out, size_t capacity)
{
    if (length == 0)
        return 0;
    // Positions are numbered in 32 bits; no block comes near that.
    if (plain == nullptr || out == nullptr || length > (size_t{1} << 30))
        return -1;

    Prepare(plain, length);
    COXTokenWriter bits(out, capacity);
    const unsigned char* block = m_block.data();

    auto putLiteral = [&](size_t at) { return bits.Put(0x100u | block[at], 1 + 8); };
    auto putMatch = [&](const Match& match) {
        const uint32_t position = static_cast<uint32_t>((match.source + 1) & kWindowMask);
        return bits.Put((position << kLengthBits) | static_cast<uint32_t>(match.length - kMinMatch),
                        1 + kPositionBits + kLengthBits);
    };

    size_t at = 0;
    Match match = Find(at);
    Insert(at);
    while (at < length) {
        if (match.length < kMinMatch) {
            if (!putLiteral(at))
                return -1;
            ++at;
        } else {
            size_t inserted = at + 1;  // the next position not yet in the chains
            if (match.length < kLazyBelow && at + 1 < length) {
                // Put the match off for one byte when that byte starts a longer one.
                const Match next = Find(at + 1);
                Insert(at + 1);
                inserted = at + 2;
                if (next.length > match.length) {
                    if (!putLiteral(at))
                        return -1;
                    ++at;
                    match = next;
                    continue;
                }
            }
            if (!putMatch(match))
                return -1;
            const size_t end = at + static_cast<size_t>(match.length);
            for (size_t p = inserted; p < end; ++p)
                Insert(p);
            at = end;
        }
        if (at < length) {
            match = Find(at);
            Insert(at);
        }
    }

    // The end flag and the zero bits that complete its byte.
    if (!bits.Put(0, 1) || !bits.Flush())
        return -1;
    return static_cast<int>(bits.BytesWritten());
}
