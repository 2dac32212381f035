// Compresses arbitrary bytes with both block coders (hash chains and search tree) and
// reads every body back two ways: with the block expander, and with a plain reading of
// the token stream through COXBitBuffer that also checks each match against the
// format's bounds (a non-zero position, only bytes the block itself has written). Then
// the same bytes go through a whole compressed stream with each coder and back. Last,
// the bytes read as a body (well-formed or not) must give the block expander and a plain
// reading the same result.
#include "codec/codec_exception.h"
#include "codec/mem_file.h"
#include "codec/ox_bit_buffer.h"
#include "codec/ox_chain_compressor.h"
#include "codec/ox_compressed_file.h"
#include "codec/ox_compressor.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr size_t kBlock = COXCompressor::kBlockSize;

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

// Reads one well-formed body token by token. Aborts when a match names window position
// 0 or copies a byte that this block has not written, or when the body goes on past
// its end token; returns the plain bytes.
std::string PlainRead(const unsigned char* body, size_t length)
{
    std::array<unsigned char, 512> window{};
    std::array<bool, 512> written{};
    COXBitBuffer bits = COXBitBuffer::ForReading(body, length);
    std::string plain;
    int position = 1;
    auto put = [&](unsigned char byte) {
        Require(plain.size() < kBlock);
        plain.push_back(static_cast<char>(byte));
        window[static_cast<size_t>(position)] = byte;
        written[static_cast<size_t>(position)] = true;
        position = (position + 1) & 511;
    };
    for (;;) {
        if (bits.ReadBit()) {
            put(static_cast<unsigned char>(bits.ReadBits(8)));
            continue;
        }
        const int matchPosition = static_cast<int>(bits.ReadBits(9));
        if (matchPosition == 0) {
            Require(bits.AtEnd());  // the end token, and nothing after it
            return plain;
        }
        const int matchLength = static_cast<int>(bits.ReadBits(4)) + 2;
        for (int i = 0; i < matchLength; ++i) {
            const size_t from = static_cast<size_t>((matchPosition + i) & 511);
            Require(written[from]);
            put(window[from]);
        }
    }
}

// kRepeatable: the coder's bytes for a block do not depend on the blocks before it
// (true of the chains; the tree's search also compares bytes that earlier blocks left
// in its window).
template <bool kRepeatable, typename Coder>
void CheckBlocks(Coder& coder, COXCompressor& expander, const unsigned char* data, size_t size)
{
    unsigned char body[kBlock + 16];
    unsigned char back[kBlock];
    for (size_t at = 0; at < size; at += kBlock) {
        const size_t n = std::min(kBlock, size - at);
        std::memset(body, 0xA5, sizeof body);
        const int packed = coder.Compress(data + at, n, body, kBlock);
        Require(packed >= -1 && packed < static_cast<int>(kBlock));
        for (size_t i = kBlock; i < sizeof body; ++i)
            Require(body[i] == 0xA5);  // nothing past the capacity
        if (packed < 0)
            continue;  // does not fit: the stream stores the block plain
        const auto length = static_cast<size_t>(packed);

        Require(expander.Expand(body, length, back, kBlock) == static_cast<int>(n));
        Require(std::memcmp(back, data + at, n) == 0);
        Require(PlainRead(body, length) == std::string(reinterpret_cast<const char*>(data + at), n));

        if (!kRepeatable)
            continue;
        // The same block with the capacity set to its own length does not fit, and
        // compressing it again gives the same bytes.
        unsigned char again[kBlock + 16];
        std::memset(again, 0xA5, sizeof again);
        Require(coder.Compress(data + at, n, again, length) == -1);
        for (size_t i = length; i < sizeof again; ++i)
            Require(again[i] == 0xA5);
        Require(coder.Compress(data + at, n, again, kBlock) == packed);
        Require(std::memcmp(again, body, length) == 0);
    }
}

void CheckStream(COXCompressedFile::Search search, const std::string& input)
{
    CMemFile packed;
    {
        COXCompressedFile writer;
        writer.SetSearch(search);
        Require(writer.Open(packed, COXCompressedFile::modeWrite));
        // Uneven writes, so that blocks fill across calls.
        for (size_t at = 0; at < input.size(); at += 700)
            writer.Write(input.data() + at, std::min<size_t>(700, input.size() - at));
        writer.Close();
    }
    CMemFile source(packed.ToString());
    COXCompressedFile reader;
    Require(reader.Open(source, COXCompressedFile::modeRead));
    std::string back(input.size() + 1, '\0');
    size_t total = 0;
    try {
        while (size_t n = reader.Read(back.data() + total, back.size() - total))
            total += n;
    } catch (const CCodecException&) {
        std::abort();
    }
    Require(total == input.size() && back.compare(0, total, input) == 0 && !reader.IsTruncated());
}

// A plain reading of any body, well-formed or not, through COXBitBuffer: what the
// block expander must give, including -1 past the capacity and bytes from `window`.
int PlainExpand(std::array<unsigned char, 512>& window, const unsigned char* body, size_t length,
                std::string& out, size_t capacity)
{
    COXBitBuffer bits = COXBitBuffer::ForReading(body, length);
    int position = 1;
    out.clear();
    auto put = [&](unsigned char byte) {
        out.push_back(static_cast<char>(byte));
        window[static_cast<size_t>(position)] = byte;
        position = (position + 1) & 511;
    };
    for (;;) {
        if (bits.ReadBit()) {
            const auto byte = static_cast<unsigned char>(bits.ReadBits(8));
            if (out.size() >= capacity)
                return -1;
            put(byte);
            continue;
        }
        const int matchPosition = static_cast<int>(bits.ReadBits(9));
        if (matchPosition == 0 && bits.AtEnd())
            return static_cast<int>(out.size());
        const int matchLength = static_cast<int>(bits.ReadBits(4)) + 2;
        if (capacity - out.size() < static_cast<size_t>(matchLength))
            return -1;
        for (int i = 0; i < matchLength; ++i)
            put(window[static_cast<size_t>((matchPosition + i) & 511)]);
    }
}

void CheckAnyBody(COXCompressor& expander, std::array<unsigned char, 512>& window, const uint8_t* data,
                  size_t size, size_t capacity)
{
    std::string expected;
    const int expectedCount = PlainExpand(window, data, size, expected, capacity);
    std::string got(capacity + 1, '\0');
    const int count = expander.Expand(data, size, reinterpret_cast<unsigned char*>(got.data()), capacity);
    Require(count == expectedCount);
    if (count > 0)
        Require(got.compare(0, static_cast<size_t>(count), expected) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    COXChainCompressor chains;
    COXCompressor tree;
    COXCompressor expander;  // shared: earlier blocks leave their bytes in its window
    CheckBlocks<true>(chains, expander, data, size);
    CheckBlocks<false>(tree, expander, data, size);

    const std::string input(reinterpret_cast<const char*>(data), size);
    CheckStream(COXCompressedFile::searchChains, input);
    CheckStream(COXCompressedFile::searchTree, input);

    // The input as a body, twice on the same windows (so that the second reading sees
    // the bytes the first left behind), with a full and with a small capacity.
    std::array<unsigned char, 512> window{};
    COXCompressor body;
    CheckAnyBody(body, window, data, size, kBlock);
    CheckAnyBody(body, window, data, size, size > 0 ? data[0] % 64 : 0);
    return 0;
}
