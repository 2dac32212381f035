#pragma once
// A faster compressor for the same block format as COXCompressor: matches are found
// through hash chains of bounded depth over the block itself instead of the search
// tree, and a match is put off by one byte when the next byte starts a longer one.
// Its output is a different but equally valid body, which COXCompressor::Expand reads
// back; it is what payloads use. Report files and the pinned vectors keep the tree.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

class COXChainCompressor {
public:
    // Bounds of the format: a match starts at most 511 bytes back (the window is 512
    // bytes and the byte being written takes the 512th place), is 2 to 17 bytes long,
    // and never starts at window position 0, which marks the end of the body.
    static constexpr int kMaxDistance = 511;
    static constexpr int kMinMatch = 2;
    static constexpr int kMaxMatch = 17;

    // Compresses one block; returns the compressed length, or -1 when the result
    // would reach the capacity. An empty input gives 0. The same contract as
    // COXCompressor::Compress.
    int Compress(const unsigned char* plain, size_t length, unsigned char* out, size_t capacity);

private:
    struct Match {
        int length = 0;
        size_t source = 0;  // index in the block of the first byte copied
    };

    void Prepare(const unsigned char* plain, size_t length);
    void Insert(size_t at);
    Match Find(size_t at) const;
    int MatchLength(size_t source, size_t at, int limit) const;

    static constexpr int kHashBits = 12;
    static constexpr size_t kPadding = 32;  // zero bytes after the block for 8-byte reads

    // Chain entries are numbered across calls: the entry of position i of the current
    // block is m_base + i + 1, so entries left from earlier blocks (m_base or less) read
    // as none and the tables need no clearing between blocks.
    uint32_t m_base = 0;
    size_t m_length = 0;
    // The block, then kPadding zero bytes.
    std::vector<unsigned char> m_block;
    // Per hash of three bytes: the latest entry. Per hash of two bytes: the same, for
    // the short matches that the three-byte chains cannot find.
    std::array<uint32_t, size_t{1} << kHashBits> m_head3{};
    std::array<uint32_t, size_t{1} << kHashBits> m_head2{};
    // Per position of the block: the entry before it with the same three-byte hash.
    std::vector<uint32_t> m_previous;
};
