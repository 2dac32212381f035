#include "codec/ox_compressor.h"

#include "codec/ox_token_writer.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstring>

// Token layout, most significant bit first:
//   literal: 1, byte (8 bits)
//   match:   0, window position (9 bits), length - 2 (4 bits)
//   end:     0, then zero bits to the end of the byte
// Window position 0 is never used for a match, so a zero position read at the end of
// the body marks the end. Every block starts coding at window position 1 with an empty
// tree, so blocks never refer to one another.

namespace {

constexpr int kPositionBits = 9;
constexpr int kLengthBits = 4;
constexpr int kMinMatch = 2;  // a match of 1 costs more than a literal
constexpr int kUnused = 0;

inline int Wrap(int position)
{
    return position & (COXCompressor::kWindowSize - 1);
}

// Eight window bytes as one number whose order is the order of the bytes compared
// one by one (big-endian), so that one comparison decides the side of the tree.
inline uint64_t LoadKey(const unsigned char* bytes)
{
    uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    if constexpr (std::endian::native == std::endian::little)
        word = __builtin_bswap64(word);
    return word;
}

// x > y ? above : otherwise, without a jump.
inline unsigned PickAbove(uint64_t x, uint64_t y, unsigned above, unsigned otherwise)
{
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
    asm("cmpq %2, %1\n\tcmova %3, %0" : "+r"(otherwise) : "r"(x), "r"(y), "r"(above) : "cc");
    return otherwise;
#else
    return x > y ? above : otherwise;
#endif
}

// When length >= longest: longest = length and best = node; without a jump.
inline void KeepLongest(int length, int node, int& longest, int& best)
{
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
    asm("cmpl %0, %2\n\tcmovge %2, %0\n\tcmovge %3, %1" : "+r"(longest), "+r"(best) : "r"(length), "r"(node) : "cc");
#else
    const int keep = -static_cast<int>(length < longest);  // all ones when length < longest
    longest = (longest & keep) | (length & ~keep);
    best = (best & keep) | (node & ~keep);
#endif
}

}  // namespace

COXCompressor::COXCompressor()
{
    // The window is zeroed here only; blocks leave their bytes behind for the next one.
    m_window.fill(0);
}

void COXCompressor::InitTree()
{
    m_tree.fill(Node{});
    m_tree[kRoot].child[kLarger] = 1;
    m_tree[1].parent = kRoot;
    SetKey(1);
}

inline void COXCompressor::SetKey(int node)
{
    m_head[node] = LoadKey(m_window.data() + node);
    m_middle[node] = LoadKey(m_window.data() + node + 8);
}

// Takes a node's links away.
inline void COXCompressor::Unlink(int node)
{
    m_tree[node] = Node{};
}

// The links below write the parent of an empty child (node 0) freely rather than test
// for it: node 0 is never in the tree, and DeleteString never asks for its parent.

// The child link of oldNode's parent that points at oldNode.
inline uint16_t& COXCompressor::LinkTo(int oldNode)
{
    Node& parent = m_tree[m_tree[oldNode].parent];
    return parent.child[parent.child[kLarger] == oldNode ? kLarger : kSmaller];
}

// Puts newNode (oldNode's only child, or none) where oldNode hangs; oldNode leaves.
inline void COXCompressor::ContractNode(int oldNode, int newNode)
{
    LinkTo(oldNode) = static_cast<uint16_t>(newNode);
    m_tree[newNode].parent = m_tree[oldNode].parent;
    Unlink(oldNode);
}

// newNode (not in the tree) takes oldNode's parent and children; oldNode leaves.
inline void COXCompressor::ReplaceNode(int oldNode, int newNode)
{
    LinkTo(oldNode) = static_cast<uint16_t>(newNode);
    const Node old = m_tree[oldNode];
    m_tree[newNode] = old;
    m_tree[old.child[kSmaller]].parent = static_cast<uint16_t>(newNode);
    m_tree[old.child[kLarger]].parent = static_cast<uint16_t>(newNode);
    Unlink(oldNode);
}

void COXCompressor::DeleteString(int position)
{
    const Node node = m_tree[position];
    if (position == kUnused || node.parent == kUnused)
        return;  // not in the tree
    if (node.child[kSmaller] == kUnused || node.child[kLarger] == kUnused) {
        // At most one child: it takes the node's place.
        ContractNode(position, node.child[kSmaller] | node.child[kLarger]);
        return;
    }

    // The next smaller string (from the smaller child, larger children to the end)
    // leaves its own place, where its smaller child takes over, and takes this node's.
    int replacement = node.child[kSmaller];
    if (m_tree[replacement].child[kLarger] == kUnused) {
        // The smaller child itself: it keeps its smaller subtree.
        m_tree[replacement].child[kLarger] = node.child[kLarger];
        m_tree[node.child[kLarger]].parent = static_cast<uint16_t>(replacement);
    } else {
        do
            replacement = m_tree[replacement].child[kLarger];
        while (m_tree[replacement].child[kLarger] != kUnused);
        const Node moving = m_tree[replacement];
        m_tree[moving.parent].child[kLarger] = moving.child[kSmaller];
        m_tree[moving.child[kSmaller]].parent = moving.parent;
        m_tree[replacement].child[kSmaller] = node.child[kSmaller];
        m_tree[replacement].child[kLarger] = node.child[kLarger];
        m_tree[node.child[kSmaller]].parent = static_cast<uint16_t>(replacement);
        m_tree[node.child[kLarger]].parent = static_cast<uint16_t>(replacement);
    }
    LinkTo(position) = static_cast<uint16_t>(replacement);
    m_tree[replacement].parent = node.parent;
    Unlink(position);
}

// Adds the string at `position` and returns the longest match found on the way down,
// with its position. Strings are the 17 bytes from their position (wrapping round the
// window); among matches of equal length the one met last (deepest) wins.
template <bool kFindMatch>
int COXCompressor::AddString(int position, int& matchPosition)
{
    if (position == kUnused)
        return 0;

    const uint64_t head = LoadKey(m_window.data() + position);
    const uint64_t middle = LoadKey(m_window.data() + position + 8);
    const unsigned char last = m_window[position + 16];
    size_t testNode = m_tree[kRoot].child[kLarger];  // unsigned: indexes without widening
    int longest = 0;
    int best = matchPosition;
    if (testNode == kUnused) {
        m_tree[kRoot].child[kLarger] = static_cast<uint16_t>(position);
        m_tree[position] = Node{kRoot, {kUnused, kUnused}};
        m_head[position] = head;
        m_middle[position] = middle;
        return 0;
    }

    // The side taken at each node and the node that wins are as unpredictable as the
    // data, so neither is decided by a jump: a mispredicted jump per node would cost
    // more than the rest of the step.
    for (;;) {
        // x and y: the first 8-byte group of the two strings that differs (or the 17th
        // byte); the new string goes to the larger side when x > y.
        uint64_t x = head;
        uint64_t y = m_head[testNode];
        int i = 0;
        if (x == y) [[unlikely]] {
            x = middle;
            y = m_middle[testNode];
            i = 8;
            if (x == y) {
                x = last;
                y = m_window[testNode + 16];
                i = 16;
                if (x == y) {
                    // All 17 bytes equal: the new string takes the old one's place.
                    matchPosition = static_cast<int>(testNode);
                    ReplaceNode(static_cast<int>(testNode), position);
                    m_head[position] = head;
                    m_middle[position] = middle;
                    return kMaxMatch;
                }
            }
        }
        if constexpr (kFindMatch) {
            if (i < 16)
                i += std::countl_zero(x ^ y) / 8;
            KeepLongest(i, static_cast<int>(testNode), longest, best);
        }

        const Node& node = m_tree[testNode];
        const unsigned next = PickAbove(x, y, node.child[kLarger], node.child[kSmaller]);
        if (next == kUnused) {
            m_tree[testNode].child[x > y ? kLarger : kSmaller] = static_cast<uint16_t>(position);
            m_tree[position] = Node{static_cast<uint16_t>(testNode), {kUnused, kUnused}};
            m_head[position] = head;
            m_middle[position] = middle;
            matchPosition = best;
            return longest;
        }
        testNode = next;
    }
}

int COXCompressor::Compress(const unsigned char* plain, size_t length, unsigned char* out, size_t capacity)
{
    if (length == 0)
        return 0;
    if (plain == nullptr || out == nullptr)
        return -1;

    COXTokenWriter bits(out, capacity);
    unsigned char* window = m_window.data();

    const size_t first = std::min<size_t>(length, kMaxMatch);
    std::copy(plain, plain + first, window + 1);
    // The tail mirrors window[0..kMaxMatch) for the search; Expand may have written
    // the window since the last block.
    std::copy(window, window + kMaxMatch, window + kWindowSize);
    size_t next = first;  // next plain byte to enter the window
    int lookAhead = static_cast<int>(first);
    int current = 1;
    InitTree();

    int matchLength = 0;
    int matchPosition = 0;
    while (lookAhead > 0) {
        if (matchLength > lookAhead)
            matchLength = lookAhead;

        int replaceCount;
        bool room;
        if (matchLength < kMinMatch) {
            room = bits.Put(0x100u | window[current], 1 + 8);
            replaceCount = 1;
        } else {
            const uint32_t token = (static_cast<uint32_t>(matchPosition) << kLengthBits) |
                                   static_cast<uint32_t>(matchLength - kMinMatch);
            room = bits.Put(token, 1 + kPositionBits + kLengthBits);
            replaceCount = matchLength;
        }
        if (!room)
            return -1;  // the output has reached the capacity

        for (int i = 0; i < replaceCount; ++i) {
            const int incoming = Wrap(current + kMaxMatch);
            DeleteString(incoming);
            if (next < length) {
                window[incoming] = plain[next];
                if (incoming < kMaxMatch)
                    window[kWindowSize + incoming] = plain[next];
                ++next;
            } else {
                --lookAhead;
            }
            current = Wrap(current + 1);
            // Only the last string added gives the next match; the others are only
            // placed in the tree.
            if (lookAhead > 0) {
                if (i + 1 == replaceCount)
                    matchLength = AddString<true>(current, matchPosition);
                else
                    AddString<false>(current, matchPosition);
            }
        }
    }

    // The end flag and the zero bits that complete its byte.
    if (!bits.Put(0, 1) || !bits.Flush())
        return -1;
    return static_cast<int>(bits.BytesWritten());
}

namespace {

// Reads the token stream of one block for the expander. It gives exactly what
// COXBitBuffer's reading gives, including at the end of the block (a value that reaches
// or passes the last bit reads as 0), but from a 32-bit window over the bytes instead
// of bit by bit.
class ExpandReader {
public:
    ExpandReader(const unsigned char* in, size_t length)
        : m_in(in), m_length(in != nullptr ? length : 0), m_total(static_cast<uint64_t>(m_length) * 8)
    {
    }

    uint32_t Bit()
    {
        if (m_at >= m_total)
            return 0;
        const uint32_t bit = (m_in[m_at >> 3] >> (7 - (m_at & 7))) & 1u;
        ++m_at;
        return bit;
    }

    // `bits` is at most 24.
    uint32_t Bits(int bits)
    {
        if (m_at >= m_total)
            return 0;
        if (m_at + static_cast<uint64_t>(bits) >= m_total) {
            m_at = m_total;
            return 0;
        }
        const size_t byte = static_cast<size_t>(m_at >> 3);
        uint32_t word;
        if (byte + 4 <= m_length) {
            word = (uint32_t{m_in[byte]} << 24) | (uint32_t{m_in[byte + 1]} << 16) | (uint32_t{m_in[byte + 2]} << 8)
                   | uint32_t{m_in[byte + 3]};
        } else {
            word = 0;
            for (size_t i = 0; i < 4; ++i)
                word = (word << 8) | (byte + i < m_length ? uint32_t{m_in[byte + i]} : 0u);
        }
        const uint32_t value = (word << (m_at & 7)) >> (32 - bits);
        m_at += static_cast<uint64_t>(bits);
        return value;
    }

    bool AtEnd() const { return m_at >= m_total; }

    // True while at least 8 bytes remain from the current one: then the next 57 bits
    // can be read at once, and a token (at most 14 bits) cannot reach the last bit, so
    // the end rule of Bits cannot apply to it.
    bool CanPeek() const { return (m_at >> 3) + 8 <= m_length; }
    // The bits from the current one on, left-aligned (at least 57 of them valid).
    uint64_t Peek() const
    {
        uint64_t word;
        std::memcpy(&word, m_in + (m_at >> 3), sizeof word);
        if constexpr (std::endian::native == std::endian::little)
            word = __builtin_bswap64(word);
        return word << (m_at & 7);
    }
    void Skip(int bits) { m_at += static_cast<uint64_t>(bits); }

private:
    const unsigned char* m_in;
    size_t m_length;
    uint64_t m_total;  // bits in the block
    uint64_t m_at = 0;
};

}  // namespace

int COXCompressor::Expand(const unsigned char* body, size_t length, unsigned char* out, size_t capacity)
{
    // The bytes go straight to `out`; the window, which only a damaged body reads
    // before its own bytes, gets the block's last 512 bytes when the block is done
    // (or given up), as if each had been stored on the way.
    ExpandReader bits(body, length);
    unsigned char* window = m_window.data();
    size_t count = 0;
    auto finish = [&](int result) {
        const size_t kept = std::min<size_t>(count, kWindowSize);
        if (kept == 0)
            return result;
        const size_t from = count - kept;  // out[from] goes to window position from + 1
        const size_t position = (from + 1) & (kWindowSize - 1);
        const size_t upToEnd = std::min(kept, kWindowSize - position);
        std::memcpy(window + position, out + from, upToEnd);
        std::memcpy(window, out + from + upToEnd, kept - upToEnd);
        return result;
    };

    for (;;) {
        int matchPosition;
        int matchLength;
        if (bits.CanPeek()) {
            const uint64_t word = bits.Peek();
            // The common case: room for three 8-byte steps, and a literal or a match
            // that copies from at least 8 bytes back within this block.
            const unsigned isLiteral = static_cast<unsigned>(word >> 63);
            const size_t back = ((count - ((word >> 54) & 0x1FF)) & (kWindowSize - 1)) + 1;
            const bool common = (capacity - count >= 24) & ((isLiteral != 0) | ((back >= 8) & (back <= count)));
            if (common) {
                // Chosen by arithmetic rather than a jump: all ones for a literal, whose
                // byte replaces the first of 8 bytes read in place.
                const uint64_t literalMask = uint64_t{0} - isLiteral;
                unsigned char* target = out + count;
                // (Addresses as numbers: for a literal, `back` may reach before `out`.)
                const auto fromTarget = reinterpret_cast<uintptr_t>(target);
                const uintptr_t fromOut = fromTarget - back;
                const auto* source = reinterpret_cast<const unsigned char*>(
                    fromOut ^ ((fromOut ^ fromTarget) & static_cast<uintptr_t>(literalMask)));
                uint64_t first;
                std::memcpy(&first, source, 8);
                const uint64_t byte = (word >> 55) & 0xFF;
                if constexpr (std::endian::native == std::endian::little)
                    first = (first & ~(literalMask & 0xFF)) | (byte & literalMask);
                else
                    first = (first & ~(literalMask & (uint64_t{0xFF} << 56))) | ((byte << 56) & literalMask);
                std::memcpy(target, &first, 8);
                std::memcpy(target + 8, source + 8, 8);
                std::memcpy(target + 16, source + 16, 8);
                const size_t matchBytes = static_cast<size_t>((word >> 50) & 0xF) + kMinMatch;
                count += matchBytes ^ ((matchBytes ^ 1) & literalMask);
                bits.Skip(static_cast<int>(1 + kPositionBits + kLengthBits - 5 * isLiteral));
                continue;
            }
            if (word >> 63) {
                bits.Skip(1 + 8);
                if (count >= capacity)
                    return finish(-1);
                out[count++] = static_cast<unsigned char>(word >> 55);
                continue;
            }
            bits.Skip(1 + kPositionBits + kLengthBits);
            matchPosition = static_cast<int>((word >> 54) & 0x1FF);
            matchLength = static_cast<int>((word >> 50) & 0xF) + kMinMatch;
        } else {
            if (bits.Bit()) {
                const unsigned char byte = static_cast<unsigned char>(bits.Bits(8));
                if (count >= capacity)
                    return finish(-1);
                out[count++] = byte;
                continue;
            }
            matchPosition = static_cast<int>(bits.Bits(kPositionBits));
            if (matchPosition == 0 && bits.AtEnd())
                return finish(static_cast<int>(count));
            matchLength = static_cast<int>(bits.Bits(kLengthBits)) + kMinMatch;
        }

        if (capacity - count < static_cast<size_t>(matchLength))
            return finish(-1);
        // The byte about to be written goes to window position count + 1; the match
        // starts `distance` bytes back (512 when it names that very position, whose
        // byte was written 512 bytes ago).
        size_t distance = static_cast<size_t>(Wrap(static_cast<int>(count + 1) - matchPosition));
        if (distance == 0)
            distance = kWindowSize;
        unsigned char* target = out + count;
        if (distance <= count) {
            const unsigned char* source = target - distance;
            if (distance >= 8 && capacity - count >= 24) {
                // Three 8-byte steps cover the longest match; each reads only bytes
                // already written. The bytes past the match are written over later.
                std::memcpy(target, source, 8);
                std::memcpy(target + 8, source + 8, 8);
                std::memcpy(target + 16, source + 16, 8);
            } else {
                for (int i = 0; i < matchLength; ++i)
                    target[i] = source[i];
            }
        } else {
            // Reaches back before the block (only a damaged body does): those bytes
            // come from the window as earlier blocks left it.
            for (int i = 0; i < matchLength; ++i) {
                const ptrdiff_t from = static_cast<ptrdiff_t>(count + static_cast<size_t>(i)) -
                                       static_cast<ptrdiff_t>(distance);
                target[i] = from >= 0 ? out[from] : window[Wrap(matchPosition + i)];
            }
        }
        count += static_cast<size_t>(matchLength);
    }
}
