// Block framing of the compressed stream, its length and seek, and damaged input.
#include "codec/codec_exception.h"
#include "codec/mem_file.h"
#include "codec/ox_bit_buffer.h"
#include "codec/ox_compressed_file.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>

namespace {

std::string Pack(const std::string& plain, size_t piece = 4096)
{
    CMemFile file;
    COXCompressedFile writer;
    EXPECT_TRUE(writer.Open(file, COXCompressedFile::modeWrite));
    for (size_t at = 0; at < plain.size(); at += piece)
        writer.Write(plain.data() + at, std::min(piece, plain.size() - at));
    writer.Close();
    return file.ToString();
}

std::string Unpack(const std::string& packed, size_t piece = 4096)
{
    CMemFile file(packed);
    COXCompressedFile reader;
    EXPECT_TRUE(reader.Open(file, COXCompressedFile::modeRead));
    std::string plain;
    std::string buffer(piece, '\0');
    while (size_t n = reader.Read(buffer.data(), piece))
        plain.append(buffer, 0, n);
    return plain;
}

std::string Noise(size_t n, unsigned seed)
{
    std::mt19937 random(seed);
    std::string bytes(n, '\0');
    for (char& ch : bytes)
        ch = static_cast<char>(random());
    return bytes;
}

// The 110-byte body of 1024 'A' (fresh compressor): L A, thirty M 1+17k,17 up to
// position 494, which brings the coder to position 0; position 0 is never added to the
// tree, so a literal follows; then M 511,17 and M 17k,17 for k = 1..29, and the last two
// bytes as M 510,2. 2 * 9 + 61 * 14 + 1 = 873 bits.
std::string RunBody()
{
    std::string body(110, '\0');
    COXBitBuffer bits = COXBitBuffer::ForWriting(reinterpret_cast<unsigned char*>(body.data()), 110);
    auto literal = [&] { bits.WriteBits(0x100 | 'A', 9); };
    auto match = [&](uint32_t position, uint32_t length) { bits.WriteBits(position << 4 | (length - 2), 14); };
    literal();
    for (uint32_t k = 0; k < 30; ++k)
        match(1 + 17 * k, 17);
    literal();
    match(511, 17);
    for (uint32_t k = 1; k < 30; ++k)
        match(17 * k, 17);
    match(510, 2);
    bits.WriteBits(0, 1);
    bits.Flush();
    EXPECT_EQ(bits.BytesWritten(), 110u);
    return body;
}

TEST(OXCompressedFile, BlockFraming)
{
    // Empty stream: no block at all.
    EXPECT_EQ(Pack(""), "");
    // A last block that pays: 0xC000 | 3, the plain length word 6, the body.
    EXPECT_EQ(Pack("AAAAAA"), std::string("\x03\xC0\x06\x00\xA0\x80\x26", 7));
    // A 1-byte last block gives 2 bytes: stored plain, header 0x0001.
    EXPECT_EQ(Pack("A"), std::string("\x01\x00" "A", 3));
    // A full compressed block: 0x8000 | 110, no length word; then the 1-byte rest plain.
    const std::string full = std::string("\x6E\x80", 2) + RunBody();
    EXPECT_EQ(Pack(std::string(1024, 'A')), full);
    EXPECT_EQ(Pack(std::string(1025, 'A'), 7), full + std::string("\x01\x00" "A", 3));
    // The last block after a full one still carries the 0x4000 flag and its length.
    EXPECT_EQ(Pack(std::string(1030, 'A')), full + std::string("\x03\xC0\x06\x00\xA0\x80\x26", 7));
    // Incompressible: header 0x0400 and the plain bytes, the last block likewise.
    const std::string noise = Noise(1500, 1);
    EXPECT_EQ(Pack(noise), std::string("\x00\x04", 2) + noise.substr(0, 1024) + std::string("\xDC\x01", 2) +
                               noise.substr(1024));
}

TEST(OXCompressedFile, RoundTripsInAnyPieces)
{
    std::mt19937 random(99);
    for (size_t size : {1u, 1023u, 1024u, 1025u, 2048u, 5000u, 40000u}) {
        std::string plain;
        while (plain.size() < size) {
            if (random() % 3 == 0)
                plain += Noise(random() % 300, static_cast<unsigned>(random()));
            else
                plain += std::string(random() % 50, static_cast<char>("ab\0c"[random() % 4]));
        }
        plain.resize(size);
        for (size_t piece : {1u, 333u, 4096u})
            EXPECT_EQ(Unpack(Pack(plain, piece), piece == 1 ? 7 : piece), plain) << size << "/" << piece;
    }
}

TEST(OXCompressedFile, BlocksExpandOnTheirOwn)
{
    // The second block's body, cut out of the stream, expands alone with a new compressor.
    const std::string packed = Pack(std::string(1024, 'x') + "hello hello hello");
    const std::string second = packed.substr(2 + (packed[0] & 0xFF));
    EXPECT_EQ(Unpack(second), "hello hello hello");
}

using Failure = std::optional<CCodecException::Cause>;
constexpr Failure kNoFailure;

template <typename Action>
Failure FailureOf(Action action)
{
    try {
        action();
    } catch (const CCodecException& e) {
        return e.GetCause();
    }
    return kNoFailure;
}

Failure ReadFailure(const std::string& packed)
{
    return FailureOf([&] { Unpack(packed); });
}

TEST(OXCompressedFile, LengthAndSeekWalkTheHeaders)
{
    std::string plain = std::string(1024, 'q') + Noise(1024, 5) + std::string(1000, 'r') + "tail";
    const std::string packed = Pack(plain);
    CMemFile file(packed);
    COXCompressedFile reader;
    ASSERT_TRUE(reader.Open(file, COXCompressedFile::modeRead));
    char buffer[8];
    ASSERT_EQ(reader.Read(buffer, 5), 5u);
    EXPECT_EQ(reader.GetLength(), plain.size());
    EXPECT_EQ(reader.GetPosition(), 5u);
    ASSERT_EQ(reader.Read(buffer, 3), 3u);  // the walk left the read where it was
    EXPECT_EQ(std::string(buffer, 3), "qqq");

    for (uint64_t target : {3051ull, 0ull, 1023ull, 1024ull, 2047ull, 2048ull, 3048ull, 3052ull}) {
        reader.Seek(target);
        EXPECT_EQ(reader.GetPosition(), target);
        const size_t n = reader.Read(buffer, sizeof buffer);
        EXPECT_EQ(std::string(buffer, n), plain.substr(target, 8)) << target;
    }
    EXPECT_EQ(FailureOf([&] { reader.Seek(plain.size() + 1); }), CCodecException::ioError);

    // Only the block that holds the target is expanded: a broken first body is skipped.
    std::string broken = packed;
    broken[2] = '\0';  // the first literal becomes a match, and the bits after it shift
    EXPECT_EQ(ReadFailure(broken), CCodecException::badFormat);
    CMemFile brokenFile(broken);
    COXCompressedFile skipper;
    ASSERT_TRUE(skipper.Open(brokenFile, COXCompressedFile::modeRead));
    skipper.Seek(2048);
    EXPECT_EQ(skipper.Read(buffer, 4), 4u);
    EXPECT_EQ(std::string(buffer, 4), "rrrr");
}

TEST(OXCompressedFile, DamagedStreams)
{
    // Body lengths above 1024, plain or compressed.
    EXPECT_EQ(ReadFailure(std::string("\x01\x04", 2) + std::string(1025, 'x')), CCodecException::badFormat);
    EXPECT_EQ(ReadFailure(std::string("\x01\x84", 2)), CCodecException::badFormat);
    // A body that expands past 1024: M 1,17 sixty-one times.
    std::string body(107, '\0');
    COXBitBuffer bits = COXBitBuffer::ForWriting(reinterpret_cast<unsigned char*>(body.data()), 107);
    for (int i = 0; i < 61; ++i)
        bits.WriteBits(1 << 4 | 15, 14);
    bits.Flush();
    EXPECT_EQ(ReadFailure(std::string("\x6B\x80", 2) + body), CCodecException::badFormat);
    // Bodies that expand to less or more than their header promises.
    EXPECT_EQ(ReadFailure(std::string("\x03\x80\xA0\x80\x26", 5)), CCodecException::badFormat);
    EXPECT_EQ(ReadFailure(std::string("\x03\xC0\x07\x00\xA0\x80\x26", 7)), CCodecException::badFormat);
    EXPECT_EQ(ReadFailure(std::string("\x03\xC0\x06\x00\xA0\x80\x26", 7)), kNoFailure);
}

TEST(OXCompressedFile, TruncatedStreamsEndAtTheLastWholeBlock)
{
    const std::string plain = std::string(1024, 'A') + Noise(1024, 3) + "AAAAAA";
    const std::string packed = Pack(plain);
    const size_t firstEnd = 2 + 110, secondEnd = firstEnd + 2 + 1024;
    for (size_t cut = 0; cut < packed.size(); ++cut) {
        const size_t expect = cut < firstEnd ? 0 : cut < secondEnd ? 1024 : 2048;
        CMemFile file(packed.substr(0, cut));
        COXCompressedFile reader;
        reader.Open(file, COXCompressedFile::modeRead);
        EXPECT_EQ(reader.GetLength(), expect) << cut;
        EXPECT_EQ(Unpack(packed.substr(0, cut)), plain.substr(0, expect)) << cut;
    }
}

TEST(OXCompressedFile, ModesAndRandomInput)
{
    CMemFile file;
    COXCompressedFile stream;
    EXPECT_FALSE(stream.Open(file, COXCompressedFile::modeNone));
    char byte = 'x';
    EXPECT_EQ(FailureOf([&] { stream.Write(&byte, 1); }), CCodecException::ioError);
    ASSERT_TRUE(stream.Open(file, COXCompressedFile::modeWrite));
    EXPECT_EQ(FailureOf([&] { stream.Read(&byte, 1); }), CCodecException::ioError);
    stream.Write(&byte, 1);
    stream.Close();
    stream.Close();
    EXPECT_EQ(file.ToString(), std::string("\x01\x00x", 3));
    EXPECT_EQ(FailureOf([&] { stream.Read(&byte, 1); }), CCodecException::ioError);  // closed
    file.SeekToBegin();
    ASSERT_TRUE(stream.Open(file, COXCompressedFile::modeRead));
    EXPECT_EQ(FailureOf([&] { stream.Write(&byte, 1); }), CCodecException::ioError);

    // Garbage gives bytes, an early end or a format error, never anything else.
    std::mt19937 random(11);
    for (int round = 0; round < 300; ++round) {
        std::string garbage = Noise(random() % 3000, static_cast<unsigned>(random()));
        if (round % 2 && garbage.size() > 2)
            garbage[1] = static_cast<char>(garbage[1] & 0x83);  // plausible body lengths
        const auto cause = FailureOf([&] {
            CMemFile in(garbage);
            COXCompressedFile reader;
            reader.Open(in, COXCompressedFile::modeRead);
            EXPECT_EQ(Unpack(garbage).size(), reader.GetLength());
        });
        EXPECT_TRUE(cause == kNoFailure || cause == CCodecException::badFormat) << *cause;
    }
}

}  // namespace
