#pragma once
// LZSS block compressor and expander: a 512-byte window searched through a binary tree
// of 513 nodes, 9-bit positions, 4-bit lengths (2 to 17). The tree compresses report
// files; payloads use the faster COXChainCompressor for the same format. Expand reads
// the bodies of either.

#include <array>
#include <cstddef>
#include <cstdint>

class COXCompressor {
public:
    static constexpr int kWindowSize = 512;
    static constexpr int kMaxMatch = 17;
    static constexpr int kRoot = 512;
    static constexpr size_t kBlockSize = 1024;

    COXCompressor();

    // Compresses one block; returns the compressed length, or -1 when the result
    // would reach the capacity. An empty input gives 0.
    int Compress(const unsigned char* plain, size_t length, unsigned char* out, size_t capacity);

    // Expands one block; returns the plain length, or -1 when the output would
    // exceed the capacity. Bytes of `out` past the plain length but below the
    // capacity may be used as scratch space.
    int Expand(const unsigned char* body, size_t length, unsigned char* out, size_t capacity);

private:
    // Tree links are window positions; 0 means none. child[0] is the smaller child,
    // child[1] the larger, so that the search can pick a side without a jump.
    enum { kSmaller = 0, kLarger = 1 };
    struct alignas(8) Node {
        uint16_t parent = 0;
        uint16_t child[2] = {0, 0};
    };

    void InitTree();
    template <bool kFindMatch>
    int AddString(int position, int& matchPosition);
    void DeleteString(int position);
    void ReplaceNode(int oldNode, int newNode);
    void ContractNode(int oldNode, int newNode);
    uint16_t& LinkTo(int oldNode);
    void Unlink(int node);
    void SetKey(int node);

    // The window, followed by a copy of its first bytes so that the string search can
    // read 17 bytes (in 8-byte words) from any position without wrapping. Compress
    // keeps the copy current; Expand does not need it.
    static constexpr int kWindowTail = 32;
    std::array<unsigned char, kWindowSize + kWindowTail> m_window{};
    std::array<Node, kWindowSize + 1> m_tree{};
    // Bytes 0 to 7 and 8 to 15 of each node's string as big-endian numbers, so that one
    // comparison orders 8 bytes. They are set when a node is added and do not change
    // while it is in the tree: the window is only written 17 positions ahead.
    std::array<uint64_t, kWindowSize + 1> m_head{};
    std::array<uint64_t, kWindowSize + 1> m_middle{};
};
