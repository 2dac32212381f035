// Reads arbitrary bytes as a compressed stream and as a single compressed block body,
// then checks that the same bytes, compressed as plain data, read back unchanged.
#include "codec/codec_exception.h"
#include "codec/mem_file.h"
#include "codec/ox_compressed_file.h"
#include "codec/ox_compressor.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

// Reads the whole stream in pieces of `piece` bytes. Returns false on a format error.
bool ReadAll(const std::string& packed, size_t piece, std::string& plain)
{
    CMemFile file(packed);
    COXCompressedFile reader;
    if (!reader.Open(file, COXCompressedFile::modeRead))
        std::abort();
    std::string buffer(piece, '\0');
    try {
        while (size_t n = reader.Read(buffer.data(), piece)) {
            if (n > piece)
                std::abort();
            plain.append(buffer, 0, n);
        }
    } catch (const CCodecException& e) {
        if (e.GetCause() != CCodecException::badFormat)
            std::abort();
        return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    const size_t piece = size > 0 ? 1 + data[0] % 200 : 1;

    // As a stream: whatever it reads, the length by headers and a seek must agree.
    std::string plain;
    if (ReadAll(input, piece, plain)) {
        CMemFile file(input);
        COXCompressedFile reader;
        reader.Open(file, COXCompressedFile::modeRead);
        try {
            if (reader.GetLength() != plain.size())
                std::abort();
            const uint64_t target = plain.size() / 2;
            reader.Seek(target);
            char bytes[16];
            // Only the count is certain: a damaged body may copy window bytes that its
            // own block never wrote, and those differ after a seek.
            if (reader.Read(bytes, sizeof bytes) != std::min<size_t>(sizeof bytes, plain.size() - target))
                std::abort();
        } catch (const CCodecException&) {
            // Seeking expands only one block, which a full read had already expanded.
            std::abort();
        }
    }

    // As one block body.
    COXCompressor compressor;
    unsigned char out[COXCompressor::kBlockSize];
    const int expanded = compressor.Expand(data, size, out, sizeof out);
    if (expanded < -1 || expanded > static_cast<int>(sizeof out))
        std::abort();

    // The input as plain data: compressed and read back, it must be unchanged.
    CMemFile packed;
    {
        COXCompressedFile writer;
        writer.Open(packed, COXCompressedFile::modeWrite);
        writer.Write(input.data(), input.size());
        writer.Close();
    }
    std::string back;
    if (!ReadAll(packed.ToString(), piece, back) || back != input)
        std::abort();
    return 0;
}
