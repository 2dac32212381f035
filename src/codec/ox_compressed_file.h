#pragma once
// A file-like stream over another byte stream that cuts the data into blocks of 1024
// plain bytes, compresses each with COXCompressor and gives it a 2-byte header.

#include "codec/byte_stream.h"
#include "codec/ox_chain_compressor.h"
#include "codec/ox_compressor.h"

#include <array>
#include <memory>
#include <vector>

class COXCompressedFile : public CByteStream {
public:
    enum Mode { modeNone, modeRead, modeWrite };

    static constexpr uint16_t kCompressedFlag = 0x8000;
    static constexpr uint16_t kLengthWordFlag = 0x4000;
    static constexpr uint16_t kLengthMask = 0x3FFF;

    // How blocks are compressed when writing. Both give bodies of the same format, which
    // the same expander reads: the search tree takes the longest match at every step
    // (its exact bytes are pinned by tests), the hash chains give bodies of about the
    // same size several times faster.
    enum Search { searchTree, searchChains };

    COXCompressedFile() = default;
    ~COXCompressedFile() override;  // closes; errors at that point are swallowed
    COXCompressedFile(const COXCompressedFile&) = delete;
    COXCompressedFile& operator=(const COXCompressedFile&) = delete;

    // Opens over `inner` (which must outlive this object) at its current position.
    // Returns false for any mode but modeRead or modeWrite.
    bool Open(CByteStream& inner, Mode mode);
    // Chooses the compressor for the blocks written from now on; it is kept across
    // Open. The default is the search tree.
    void SetSearch(Search search) { m_search = search; }
    // When writing, emits the last partly filled block. Safe to call twice.
    void Close();

    size_t Read(void* buffer, size_t n) override;
    void Write(const void* buffer, size_t n) override;
    // Plain length, found by walking the block headers (reading mode), or the plain
    // bytes written so far (writing mode).
    uint64_t GetLength() override;
    uint64_t GetPosition() override;
    // Reading mode only: walks the headers and expands only the block holding the target.
    void Seek(uint64_t position) override;

    // True once a read met the end of the inner stream inside a block header or body:
    // the data was cut short, and the bytes read so far are all there is.
    bool IsTruncated() const { return m_truncated; }

private:
    struct BlockHeader {
        uint16_t word = 0;         // the first header word
        size_t bodyLength = 0;     // word AND kLengthMask
        uint16_t plainLength = 0;  // the second word, when kLengthWordFlag is set
    };

    void WriteBlock(bool last);
    bool LoadNextBlock();
    bool ReadExact(void* buffer, size_t n);
    bool ReadHeader(BlockHeader& header);
    static size_t PlainLength(const BlockHeader& header);
    template <typename Visit>
    void WalkBlocks(Visit visit);

    CByteStream* m_inner = nullptr;
    Mode m_mode = modeNone;
    uint64_t m_start = 0;           // position of the first header in the inner stream
    std::vector<unsigned char> m_block;  // plain block buffer (1024 bytes)
    size_t m_fill = 0;              // bytes in the block buffer
    size_t m_served = 0;            // bytes of the block already served (reading)
    uint64_t m_total = 0;           // plain bytes passed so far
    bool m_ended = false;
    bool m_truncated = false;       // the inner stream ended inside a header or a body
    bool m_atHeaderStart = false;   // ReadExact is reading the first word of a header
    bool m_failed = false;          // a format error was met; reads fail until a Seek
    bool m_lengthKnown = false;     // m_length holds the walked plain length
    uint64_t m_length = 0;
    COXCompressor m_compressor;
    Search m_search = searchTree;
    std::unique_ptr<COXChainCompressor> m_chains;  // made on the first block it compresses
    std::array<unsigned char, 1024> m_work{};
};
