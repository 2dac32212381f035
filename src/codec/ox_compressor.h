#pragma once
// LZSS block compressor of the wire and of report files: a 512-byte window searched
// through a binary tree of 513 nodes, 9-bit positions, 4-bit lengths (2 to 17).

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
    // exceed the capacity.
    int Expand(const unsigned char* body, size_t length, unsigned char* out, size_t capacity);

private:
    struct Node {
        uint16_t parent = 0;
        uint16_t smaller = 0;
        uint16_t larger = 0;
    };

    void InitTree();
    int AddString(int position, int& matchPosition);
    void DeleteString(int position);
    void ReplaceNode(int oldNode, int newNode);
    void ContractNode(int oldNode, int newNode);

    std::array<unsigned char, kWindowSize> m_window{};
    std::array<Node, kWindowSize + 1> m_tree{};
};
