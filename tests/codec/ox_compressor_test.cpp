// Block compressor bytes pinned by hand: the peer server reads and writes exactly these
// bits, so a mistake made alike in Compress and Expand must still show up here.
#include "codec/ox_bit_buffer.h"
#include "codec/ox_chain_compressor.h"
#include "codec/ox_compressor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

template <typename Coder>
Bytes Compress(Coder& compressor, const std::string& plain, size_t capacity = 1024)
{
    Bytes out(capacity + 16, 0xEE);
    const int n = compressor.Compress(reinterpret_cast<const unsigned char*>(plain.data()), plain.size(),
                                      out.data(), capacity);
    for (size_t i = capacity; i < out.size(); ++i)
        EXPECT_EQ(out[i], 0xEE) << "wrote past the capacity";
    if (n < 0)
        return Bytes{0xDE, 0xAD};  // never a valid result of the vectors below
    return Bytes(out.begin(), out.begin() + n);
}

// Expanded text, or "-1" when the capacity is exceeded.
std::string Expand(COXCompressor& compressor, const Bytes& body, size_t capacity = 1024)
{
    std::string out(capacity + 16, '\xEE');
    const int n = compressor.Expand(body.data(), body.size(), reinterpret_cast<unsigned char*>(out.data()),
                                    capacity);
    for (size_t i = capacity; i < out.size(); ++i)
        EXPECT_EQ(out[i], '\xEE') << "wrote past the capacity";
    return n < 0 ? "-1" : out.substr(0, static_cast<size_t>(n));
}

struct Vector {
    std::string plain;
    Bytes body;
};

// Each body worked out bit by bit with a fresh compressor (window all zero).
// Tokens: L x = 1 + 8 bits of x; M p,n = 0 + 9 bits p + 4 bits (n - 2); E = 0 + zero fill.
const Vector kVectors[] = {
    // L 41, E: 1 01000001 0 000000 -> A0 80. (Does not pay: the file stores it plain.)
    {"A", {0xA0, 0x80}},
    // L 41, M 1,5 (the match overlaps its own output), E on the last bit of byte 3:
    // 10100000 | 1 0 0000000 | 01 0011 0 -> A0 80 26, and nothing after the end flag.
    {"AAAAAA", {0xA0, 0x80, 0x26}},
    // L 41, L 42, M 1,4, E: 10100000 | 1 1 010000 | 10 0 00000 | 0001 0010 | 0 0000000.
    {"ABABAB", {0xA0, 0xD0, 0x80, 0x12, 0x00}},
    // L A, L B, L Y, M 1,2, L X, M 4,2, E. The last "AB" matches both 1 ("ABY") and
    // 4 ("ABX") for 2 bytes; the descent meets 1, then its smaller child 4: the node met
    // last wins, so the position is 4 (000000100).
    {"ABYABXAB", {0xA0, 0xD0, 0xAB, 0x20, 0x08, 0x56, 0x00, 0x40, 0x00}},
    // L A, M 1,17, M 18,17, M 35,5, E. A string equal for all 17 bytes takes the place
    // of the node it matched, so the tree of the run is one node (the last position)
    // until the data runs out; after that the new nodes form a chain of smaller
    // children and the match is the deepest: 35.
    {std::string(40, 'A'), {0xA0, 0x80, 0x3E, 0x09, 0x78, 0x46, 0x60}},
};

TEST(OXCompressor, HandDerivedVectorsBothWays)
{
    for (const Vector& v : kVectors) {
        COXCompressor packer;
        EXPECT_EQ(Compress(packer, v.plain), v.body) << v.plain;
        COXCompressor unpacker;
        EXPECT_EQ(Expand(unpacker, v.body), v.plain) << v.plain;
    }
}

TEST(OXCompressor, WindowKeepsTheBytesOfEarlierBlocks)
{
    // After "zzzzzzzzzz" the window still holds 'z' at 9 and 10, just past the 8 bytes
    // of "ABYABXAB". The search compares those stale bytes, so "AB" + 'z' now sorts
    // above "ABY" and the descent never meets 4: the last match is M 1,2 (...10 00).
    COXCompressor compressor;
    Compress(compressor, std::string(10, 'z'));
    const Bytes body = Compress(compressor, "ABYABXAB");
    EXPECT_EQ(body, (Bytes{0xA0, 0xD0, 0xAB, 0x20, 0x08, 0x56, 0x00, 0x10, 0x00}));
    // Either body is valid and expands alone, whatever the expander saw before.
    EXPECT_EQ(Expand(compressor, body), "ABYABXAB");
    COXCompressor fresh;
    EXPECT_EQ(Expand(fresh, body), "ABYABXAB");
}

TEST(OXCompressor, EndOfBodyRules)
{
    COXCompressor c;
    EXPECT_EQ(Compress(c, ""), Bytes{});
    EXPECT_EQ(Expand(c, Bytes{}), "");
    // Flag 0 and a 9-bit position that runs out of bytes: the end.
    EXPECT_EQ(Expand(c, Bytes{0x00}), "");
    // A position 0 with bits left after it is not the end: a 2-byte match that copies
    // window[0] and then its own output.
    COXCompressor fresh;
    EXPECT_EQ(Expand(fresh, Bytes{0x00, 0x00}), std::string(2, '\0'));
    // Eight literals fill nine bytes exactly; the eighth byte's read takes the last bit
    // of the body and so gives 0, complete or not. (No writer ends a body this way.)
    // (101000001 eight times.)
    const Bytes eight{0xA0, 0xD0, 0x68, 0x34, 0x1A, 0x0D, 0x06, 0x83, 0x41};
    EXPECT_EQ(Expand(c, eight), std::string(7, 'A') + '\0');
}

TEST(OXCompressor, CapacityIsNeverPassed)
{
    COXCompressor c;
    // "AAAAAA" needs 3 bytes: reaching a capacity of 3 already gives up.
    EXPECT_EQ(Compress(c, "AAAAAA", 3), (Bytes{0xDE, 0xAD}));
    EXPECT_EQ(Compress(c, "AAAAAA", 4), (Bytes{0xA0, 0x80, 0x26}));
    EXPECT_EQ(Expand(c, Bytes{0xA0, 0x80, 0x26}, 5), "-1");
    EXPECT_EQ(Expand(c, Bytes{0xA0, 0x80, 0x26}, 6), "AAAAAA");
    // Incompressible data: 9 bits a byte never fits in 1024.
    std::mt19937 random(7);
    std::string noise(1024, '\0');
    for (char& ch : noise)
        ch = static_cast<char>(random());
    EXPECT_EQ(Compress(c, noise), (Bytes{0xDE, 0xAD}));
    // A body of 61 matches of 17 bytes would give 1037: -1, and nothing past 1024.
    Bytes body(107, 0);
    COXBitBuffer bits = COXBitBuffer::ForWriting(body.data(), body.size());
    for (int i = 0; i < 61; ++i)
        bits.WriteBits((1u << 4) | 15u, 14);
    bits.WriteBits(0, 1);
    bits.Flush();
    EXPECT_EQ(Expand(c, body), "-1");
}

// The search tree and coder written plainly, byte by byte, without the speed-ups of
// COXCompressor (cached keys, a mirrored window tail, choices made without jumps): an
// oracle for the exact bytes, which a round trip alone cannot check.
class PlainCompressor {
public:
    Bytes Compress(const std::string& p)
    {
        Bytes out;
        int used = 8;
        auto put = [&](uint32_t value, int bits) {
            while (bits-- > 0) {
                if (used == 8)
                    out.push_back(0), used = 0;
                out.back() |= ((value >> bits) & 1) << (7 - used++);
            }
        };
        const size_t first = std::min<size_t>(p.size(), 17);
        for (size_t i = 0; i < first; ++i)
            w[1 + i] = static_cast<unsigned char>(p[i]);
        size_t next = first;
        int look = static_cast<int>(first), cur = 1, length = 0, position = 0;
        std::fill(std::begin(up), std::end(up), 0);
        std::fill(std::begin(lo), std::end(lo), 0);
        std::fill(std::begin(hi), std::end(hi), 0);
        hi[512] = 1, up[1] = 512;
        while (look > 0) {
            length = std::min(length, look);
            const int count = length <= 1 ? 1 : length;
            length <= 1 ? put(0x100 | w[cur], 9) : put(position << 4 | (length - 2), 14);
            for (int i = 0; i < count; ++i) {
                const int in = (cur + 17) % 512;
                Delete(in);
                next < p.size() ? void(w[in] = static_cast<unsigned char>(p[next++])) : void(--look);
                cur = (cur + 1) % 512;
                if (look > 0)
                    length = Add(cur, position);
            }
        }
        put(0, 1);
        return out;
    }

private:
    int Add(int p, int& position)
    {
        if (p == 0)
            return 0;
        int node = hi[512], longest = 0;
        for (;;) {
            int i = 0, delta = 0;
            while (i < 17 && (delta = w[(p + i) % 512] - w[(node + i) % 512]) == 0)
                ++i;
            if (i >= longest) {
                longest = i, position = node;
                if (i == 17) {  // p takes node's place
                    Link(up[node], node, p);
                    up[p] = up[node], lo[p] = lo[node], hi[p] = hi[node];
                    SetParent(lo[p], p), SetParent(hi[p], p);
                    up[node] = 0;
                    return 17;
                }
            }
            int& child = delta >= 0 ? hi[node] : lo[node];
            if (child == 0) {
                child = p, up[p] = node, lo[p] = hi[p] = 0;
                return longest;
            }
            node = child;
        }
    }
    void Link(int parent, int old, int now) { (hi[parent] == old ? hi[parent] : lo[parent]) = now; }
    void SetParent(int node, int parent)
    {
        if (node != 0)
            up[node] = parent;
    }
    void Delete(int p)
    {
        if (up[p] == 0)
            return;
        int take;
        if (hi[p] == 0) {
            take = lo[p];
        } else if (lo[p] == 0) {
            take = hi[p];
        } else {
            take = lo[p];
            while (hi[take] != 0)
                take = hi[take];
            Delete(take);
            lo[take] = lo[p], hi[take] = hi[p];
            SetParent(lo[take], take), SetParent(hi[take], take);
        }
        Link(up[p], p, take);
        SetParent(take, up[p]);
        up[p] = 0;
    }

    unsigned char w[512] = {};
    int up[513] = {}, lo[513] = {}, hi[513] = {};
};

TEST(OXCompressor, SameBytesAsThePlainSearch)
{
    std::mt19937 random(31337);
    COXCompressor fast;
    PlainCompressor plain;
    for (int round = 0; round < 2500; ++round) {
        // Small alphabets make long matches, ties and deep trees; blocks follow one
        // another on the same compressors, so stale window bytes take part too.
        const int alphabet = 1 + static_cast<int>(random() % (round % 4 == 3 ? 256 : 4));
        std::string text(1 + random() % 1024, 'a');
        for (size_t i = 1; i < text.size(); ++i)
            text[i] = static_cast<char>(random() % 3 ? 'a' + random() % alphabet : text[i - 1]);
        const Bytes expected = plain.Compress(text);
        const Bytes actual = Compress(fast, text);
        if (expected.size() >= 1024)
            EXPECT_EQ(actual, (Bytes{0xDE, 0xAD})) << round;
        else
            ASSERT_EQ(actual, expected) << round;
    }
}

// The expander as a plain reading of the token stream through COXBitBuffer, one call
// per bit group: the reference that the block expander must match on every input,
// well-formed or not, including what it returns at the block's end.
int ReferenceExpand(std::vector<unsigned char>& window, const std::vector<unsigned char>& body,
                    std::vector<unsigned char>& out, size_t capacity)
{
    COXBitBuffer bits = COXBitBuffer::ForReading(body.data(), body.size());
    int position = 1;
    out.clear();
    for (;;) {
        if (bits.ReadBit()) {
            const auto byte = static_cast<unsigned char>(bits.ReadBits(8));
            if (out.size() >= capacity)
                return -1;
            out.push_back(byte);
            window[static_cast<size_t>(position)] = byte;
            position = (position + 1) & 511;
            continue;
        }
        const int matchPosition = static_cast<int>(bits.ReadBits(9));
        if (matchPosition == 0 && bits.AtEnd())
            return static_cast<int>(out.size());
        const int matchLength = static_cast<int>(bits.ReadBits(4)) + 2;
        if (capacity - out.size() < static_cast<size_t>(matchLength))
            return -1;
        for (int i = 0; i < matchLength; ++i) {
            const unsigned char byte = window[static_cast<size_t>((matchPosition + i) & 511)];
            out.push_back(byte);
            window[static_cast<size_t>(position)] = byte;
            position = (position + 1) & 511;
        }
    }
}

TEST(OXCompressor, ExpanderMatchesThePlainBitReadingOnAnyBody)
{
    std::mt19937 random(3);
    COXCompressor compressor;
    std::vector<unsigned char> window(512, 0);
    for (int round = 0; round < 3000; ++round) {
        // Short and long bodies, random bytes and real streams cut at any point.
        std::vector<unsigned char> body(random() % (round % 10 == 0 ? 3000 : 40));
        for (auto& byte : body)
            byte = static_cast<unsigned char>(random());
        const size_t capacity = random() % 4 == 0 ? random() % 64 : 1 << 16;
        std::vector<unsigned char> expected;
        const int expectedCount = ReferenceExpand(window, body, expected, capacity);
        std::vector<unsigned char> got(capacity + 1);
        const int count = compressor.Expand(body.data(), body.size(), got.data(), capacity);
        ASSERT_EQ(count, expectedCount) << "round " << round;
        if (count > 0) {
            got.resize(static_cast<size_t>(count));
            ASSERT_EQ(got, expected) << "round " << round;
        }
    }
}

TEST(OXChainCompressor, ReadsBackBothWaysAndStaysNearTheTreesSize)
{
    // On the hand-derived vectors the chains find the same matches as the tree.
    COXChainCompressor chains;
    for (const Vector& v : kVectors)
        EXPECT_EQ(Compress(chains, v.plain), v.body) << v.plain;

    std::mt19937 random(17);
    COXCompressor tree;
    COXCompressor expander;
    std::vector<unsigned char> window(512, 0);
    size_t chainBytes = 0;
    size_t treeBytes = 0;
    for (int round = 0; round < 800; ++round) {
        // Texts from runs to noise, and noise repeated after 511 bytes, whose only
        // matches lie at the far edge of the window.
        const bool edge = round % 8 == 5;
        const int alphabet = 1 + static_cast<int>(random() % (round % 4 == 3 ? 256 : 6));
        std::string text(edge ? 1024 : 1 + random() % 1024, 'a');
        for (size_t i = 1; i < text.size(); ++i) {
            if (edge)
                text[i] = i >= 511 ? text[i - 511] : static_cast<char>(random());
            else
                text[i] = static_cast<char>(random() % 3 ? 'a' + random() % alphabet : text[i - 1]);
        }
        const Bytes body = Compress(chains, text);
        const Bytes treeBody = Compress(tree, text);
        if (body == Bytes{0xDE, 0xAD} || treeBody == Bytes{0xDE, 0xAD})
            continue;  // stored plain
        chainBytes += body.size();
        treeBytes += treeBody.size();
        ASSERT_EQ(Expand(expander, body), text) << round;
        std::vector<unsigned char> plain;
        ASSERT_EQ(ReferenceExpand(window, body, plain, 1024), static_cast<int>(text.size())) << round;
        ASSERT_EQ(std::string(plain.begin(), plain.end()), text) << round;
    }
    EXPECT_LE(chainBytes, treeBytes + treeBytes * 3 / 100);
}

TEST(OXBitBuffer, MostSignificantBitFirstAndEndRule)
{
    unsigned char buffer[2] = {};
    COXBitBuffer out = COXBitBuffer::ForWriting(buffer, 2);
    EXPECT_TRUE(out.WriteBits(0x5, 3));    // 101
    EXPECT_TRUE(out.WriteBits(0x1FF, 9));  // 111111111
    EXPECT_EQ(out.BytesWritten(), 2u);
    EXPECT_FALSE(out.WriteBits(0, 5));     // 12 + 5 bits do not fit in 2 bytes
    EXPECT_TRUE(out.Flush());
    EXPECT_EQ(buffer[0], 0xBF);
    EXPECT_EQ(buffer[1], 0xF0);

    COXBitBuffer in = COXBitBuffer::ForReading(buffer, 2);
    EXPECT_EQ(in.ReadBits(3), 0x5u);
    EXPECT_EQ(in.ReadBits(9), 0x1FFu);
    EXPECT_FALSE(in.AtEnd());
    EXPECT_EQ(in.ReadBits(4), 0u);  // complete, but it took the last bit
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(in.ReadBit(), 0u);

    const unsigned char one = 0xFF;
    COXBitBuffer single = COXBitBuffer::ForReading(&one, 1);
    EXPECT_EQ(single.ReadBit(), 1u);  // a flag read makes no end test
    EXPECT_EQ(single.ReadBits(4), 0xFu);
    EXPECT_EQ(single.ReadBits(9), 0u);  // runs out after three bits
    EXPECT_TRUE(single.AtEnd());
}

}  // namespace
