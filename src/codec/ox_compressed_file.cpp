#include "codec/ox_compressed_file.h"

#include "codec/codec_exception.h"

#include <algorithm>
#include <cstring>

// Stream layout: blocks one after another, nothing before or after them.
//   compressed full block:  header (body length | 0x8000), body
//   compressed last block:  header (body length | 0xC000), plain length (uint16), body
//   plain block:            header (plain length), plain bytes
// All 16-bit words are little-endian. Every block but the last holds 1024 plain bytes.

namespace {

constexpr size_t kBlockSize = COXCompressor::kBlockSize;

void PutWord(unsigned char* out, uint16_t value)
{
    out[0] = static_cast<unsigned char>(value & 0xFF);
    out[1] = static_cast<unsigned char>(value >> 8);
}

uint16_t GetWord(const unsigned char* in)
{
    return static_cast<uint16_t>(in[0] | (in[1] << 8));
}

[[noreturn]] void FailFormat(const char* what)
{
    throw CCodecException(CCodecException::badFormat, what);
}

}  // namespace

COXCompressedFile::~COXCompressedFile()
{
    try {
        Close();
    } catch (...) {
        // A destructor cannot report a failed last block; callers that care call Close.
    }
}

bool COXCompressedFile::Open(CByteStream& inner, Mode mode)
{
    if (mode != modeRead && mode != modeWrite)
        return false;
    if (m_mode != modeNone)
        Close();

    m_inner = &inner;
    m_mode = mode;
    m_start = inner.GetPosition();
    m_block.assign(kBlockSize, 0);
    // A fresh compressor, so that the bytes of a stream never depend on an earlier one
    // (its window is cleared only when it is made).
    m_compressor = COXCompressor();
    m_fill = 0;
    m_served = 0;
    m_total = 0;
    m_ended = false;
    m_failed = false;
    m_truncated = false;
    m_lengthKnown = false;
    m_length = 0;
    return true;
}

void COXCompressedFile::Close()
{
    if (m_mode == modeWrite && m_fill > 0) {
        // Leave the file closed even when the inner stream refuses the last block, so
        // that a second Close (or the destructor) does not try again.
        m_mode = modeNone;
        WriteBlock(true);
    }
    m_mode = modeNone;
    m_fill = 0;
    m_served = 0;
}

void COXCompressedFile::Write(const void* buffer, size_t n)
{
    if (m_mode != modeWrite)
        throw CCodecException(CCodecException::ioError, "The compressed stream is not open for writing");
    const auto* source = static_cast<const unsigned char*>(buffer);
    while (n > 0) {
        const size_t chunk = std::min(n, kBlockSize - m_fill);
        std::memcpy(m_block.data() + m_fill, source, chunk);
        m_fill += chunk;
        m_total += chunk;
        source += chunk;
        n -= chunk;
        if (m_fill == kBlockSize)
            WriteBlock(false);
    }
}

void COXCompressedFile::WriteBlock(bool last)
{
    const size_t n = m_fill;
    m_fill = 0;
    if (n == 0)
        return;

    unsigned char head[4];
    int packed;
    if (m_search == searchChains) {
        if (!m_chains)
            m_chains = std::make_unique<COXChainCompressor>();
        packed = m_chains->Compress(m_block.data(), n, m_work.data(), m_work.size());
    } else {
        packed = m_compressor.Compress(m_block.data(), n, m_work.data(), m_work.size());
    }
    if (packed < 0 || static_cast<size_t>(packed) >= n) {
        // Does not compress: stored plain, the header being the plain length.
        PutWord(head, static_cast<uint16_t>(n));
        m_inner->Write(head, 2);
        m_inner->Write(m_block.data(), n);
        return;
    }

    size_t headLength = 2;
    if (last && n < kBlockSize) {
        PutWord(head, static_cast<uint16_t>(packed | kCompressedFlag | kLengthWordFlag));
        PutWord(head + 2, static_cast<uint16_t>(n));
        headLength = 4;
    } else {
        PutWord(head, static_cast<uint16_t>(packed | kCompressedFlag));
    }
    m_inner->Write(head, headLength);
    m_inner->Write(m_work.data(), static_cast<size_t>(packed));
}

size_t COXCompressedFile::Read(void* buffer, size_t n)
{
    if (m_mode != modeRead)
        throw CCodecException(CCodecException::ioError, "The compressed stream is not open for reading");
    if (m_failed)
        FailFormat("The compressed stream is damaged");

    auto* target = static_cast<unsigned char*>(buffer);
    size_t given = 0;
    while (given < n) {
        if (m_served >= m_fill) {
            if (m_ended || !LoadNextBlock())
                break;
            continue;
        }
        const size_t chunk = std::min(n - given, m_fill - m_served);
        std::memcpy(target + given, m_block.data() + m_served, chunk);
        m_served += chunk;
        given += chunk;
    }
    m_total += given;
    return given;
}

bool COXCompressedFile::ReadExact(void* buffer, size_t n)
{
    auto* target = static_cast<unsigned char*>(buffer);
    size_t got = 0;
    while (got < n) {
        const size_t count = m_inner->Read(target + got, n - got);
        if (count == 0) {
            // Ending before the first byte of a header is the stream's normal end;
            // ending anywhere else cuts a block short.
            m_truncated = m_truncated || got > 0 || !m_atHeaderStart;
            return false;
        }
        got += count;
    }
    return true;
}

bool COXCompressedFile::ReadHeader(BlockHeader& header)
{
    unsigned char word[2];
    m_atHeaderStart = true;
    const bool gotWord = ReadExact(word, 2);
    m_atHeaderStart = false;
    if (!gotWord)
        return false;
    header.word = GetWord(word);
    header.bodyLength = header.word & kLengthMask;
    if (header.word & kLengthWordFlag) {
        if (!ReadExact(word, 2))
            return false;
        header.plainLength = GetWord(word);
    } else {
        header.plainLength = 0;
    }
    if (header.bodyLength > kBlockSize) {
        m_failed = true;
        FailFormat("A block header gives a body longer than 1024 bytes");
    }
    return true;
}

size_t COXCompressedFile::PlainLength(const BlockHeader& header)
{
    if (!(header.word & kCompressedFlag))
        return header.bodyLength;
    return (header.word & kLengthWordFlag) ? header.plainLength : kBlockSize;
}

// Reads the next block into the block buffer. Returns false, and marks the stream
// ended, when the inner stream ends inside a header or body; an incomplete block gives
// no bytes.
bool COXCompressedFile::LoadNextBlock()
{
    m_fill = 0;
    m_served = 0;

    BlockHeader header;
    if (!ReadHeader(header)) {
        m_ended = true;
        return false;
    }

    if (!(header.word & kCompressedFlag)) {
        if (!ReadExact(m_block.data(), header.bodyLength)) {
            m_ended = true;
            return false;
        }
        m_fill = header.bodyLength;
        return true;
    }

    if (!ReadExact(m_work.data(), header.bodyLength)) {
        m_ended = true;
        return false;
    }
    const int expanded = m_compressor.Expand(m_work.data(), header.bodyLength, m_block.data(), kBlockSize);
    // A body that expands to anything but the plain length its header promises is as
    // damaged as one that overflows: reading on would hand over shifted data and
    // disagree with GetLength and Seek, which go by the headers.
    if (expanded < 0 || static_cast<size_t>(expanded) != PlainLength(header)) {
        m_failed = true;
        FailFormat(expanded < 0 ? "A compressed block expands past 1024 bytes"
                                : "A compressed block does not expand to its plain length");
    }
    m_fill = static_cast<size_t>(expanded);
    return true;
}

// Walks the block headers from the first one, skipping bodies, and calls visit(header
// position, plain start, header) for every complete block until visit returns true or
// the stream ends. Leaves the inner stream after the last block walked.
template <typename Visit>
void COXCompressedFile::WalkBlocks(Visit visit)
{
    m_inner->Seek(m_start);
    const uint64_t innerLength = m_inner->GetLength();
    uint64_t plainStart = 0;
    for (;;) {
        const uint64_t headerPosition = m_inner->GetPosition();
        BlockHeader header;
        if (!ReadHeader(header))
            return;
        const uint64_t bodyPosition = m_inner->GetPosition();
        if (bodyPosition > innerLength || innerLength - bodyPosition < header.bodyLength) {
            m_inner->Seek(headerPosition);
            return;  // the body is cut short: the block gives nothing
        }
        if (visit(headerPosition, plainStart, header))
            return;
        m_inner->Seek(bodyPosition + header.bodyLength);
        plainStart += PlainLength(header);
    }
}

uint64_t COXCompressedFile::GetLength()
{
    if (m_mode != modeRead)
        return m_total;
    if (!m_lengthKnown) {
        const uint64_t resume = m_inner->GetPosition();
        uint64_t length = 0;
        WalkBlocks([&](uint64_t, uint64_t plainStart, const BlockHeader& header) {
            length = plainStart + PlainLength(header);
            return false;
        });
        m_inner->Seek(resume);
        m_length = length;
        m_lengthKnown = true;
    }
    return m_length;
}

uint64_t COXCompressedFile::GetPosition()
{
    return m_total;
}

void COXCompressedFile::Seek(uint64_t position)
{
    if (m_mode != modeRead)
        throw CCodecException(CCodecException::ioError, "Only a compressed stream open for reading can seek");

    const uint64_t resume = m_inner->GetPosition();
    bool found = false;
    uint64_t blockStart = 0;
    uint64_t headerPosition = 0;
    uint64_t end = 0;
    WalkBlocks([&](uint64_t at, uint64_t plainStart, const BlockHeader& header) {
        end = plainStart + PlainLength(header);
        if (position >= plainStart && position < end) {
            found = true;
            blockStart = plainStart;
            headerPosition = at;
            return true;
        }
        return false;
    });

    if (!found && position != end) {
        m_inner->Seek(resume);
        throw CCodecException(CCodecException::ioError, "Seek past the end of a compressed stream");
    }

    m_failed = false;
    m_ended = false;
    m_fill = 0;
    m_served = 0;
    m_total = position;
    if (found) {
        // Only the block that holds the target is expanded.
        m_inner->Seek(headerPosition);
        LoadNextBlock();
        m_served = std::min(m_fill, static_cast<size_t>(position - blockStart));
    }
    // Otherwise the target is the end: the walk left the inner stream after the last
    // block, and the next read finds no further header.
}
