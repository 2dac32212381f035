#include "codec/codec_exception.h"
#include "codec/mem_file.h"
#include "codec/payload_cipher.h"
#include "codec/wire_key.h"

#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace {

const std::string kWireKey = kWireKeyText;

std::string Hex(const std::string& hex)
{
    std::string out;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        out += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return out;
}

std::string Counting(size_t n, int start = 0)
{
    std::string s(n, '\0');
    for (size_t i = 0; i < n; ++i)
        s[i] = static_cast<char>(start + 7 * static_cast<int>(i));
    return s;
}

std::string Xor(const std::string& a, const std::string& b)
{
    std::string out(a);
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<char>(out[i] ^ b[i]);
    return out;
}

// AES-128 of one block by its own OpenSSL context, apart from the cipher under test.
std::string E(const std::string& block, const std::string& key = kWireKey)
{
    EVP_CIPHER_CTX* ctx = EVP_CIPHER_CTX_new();
    unsigned char out[32];
    int len = 0;
    EVP_EncryptInit_ex(ctx, EVP_aes_128_ecb(), nullptr, reinterpret_cast<const unsigned char*>(key.data()), nullptr);
    EVP_CIPHER_CTX_set_padding(ctx, 0);
    EVP_EncryptUpdate(ctx, out, &len, reinterpret_cast<const unsigned char*>(block.data()), 16);
    EVP_CIPHER_CTX_free(ctx);
    return std::string(reinterpret_cast<char*>(out), 16);
}

class CFixedIvSource : public CIvSource {
public:
    explicit CFixedIvSource(std::string iv) : m_iv(std::move(iv)) {}
    void Fill(unsigned char* out, size_t n) override { std::memcpy(out, m_iv.data(), n); }

private:
    std::string m_iv;
};

// Hands out at most three bytes per read and refuses to seek, like a socket-fed stream.
class CTrickleStream : public CMemFile {
public:
    using CMemFile::CMemFile;
    size_t Read(void* buffer, size_t n) override { return CMemFile::Read(buffer, std::min<size_t>(n, 1 + n % 3)); }
    void Seek(uint64_t) override { throw std::logic_error("seek"); }
};

class PayloadCipherWireKey : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(cipher.SetKey(kWireKey)); }
    CPayloadCipher cipher;
};

} // namespace

TEST(PayloadCipher, BlockFunctionMatchesFips197ForEveryKeySize)
{
    // The empty message is E(IV) alone, so a fixed IV exposes the raw block function.
    const std::string plain = Hex("00112233445566778899aabbccddeeff");
    struct Case { int length; std::string expected; };
    for (const Case& c : {Case{16, "69c4e0d86a7b0430d8cdb78070b4c55a"}, Case{128, "69c4e0d86a7b0430d8cdb78070b4c55a"},
                          Case{24, "dda97ca4864cdfe06eaf70a0ec0d7191"}, Case{192, "dda97ca4864cdfe06eaf70a0ec0d7191"},
                          Case{32, "8ea2b7ca516745bfeafc49904b496089"}, Case{256, "8ea2b7ca516745bfeafc49904b496089"}}) {
        CPayloadCipher cipher;
        ASSERT_TRUE(cipher.SetKey(Hex("000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f"), c.length));
        CFixedIvSource iv(plain);
        EXPECT_EQ(cipher.Encipher("", &iv), Hex(c.expected)) << c.length;
        // A 16-byte message under a zero IV is IV || E(P): the same block again.
        CFixedIvSource zero(std::string(16, '\0'));
        EXPECT_EQ(cipher.Encipher(plain, &zero), std::string(16, '\0') + Hex(c.expected)) << c.length;
        EXPECT_EQ(cipher.Decipher(std::string(16, '\0') + Hex(c.expected)), plain);
    }
}

TEST(PayloadCipher, KeySetupRejectsOddLengthsAndShortKeysAndForgetsTheOldKey)
{
    CPayloadCipher cipher;
    EXPECT_THROW(cipher.Encipher("x"), CCodecException);
    EXPECT_THROW(cipher.Decipher(std::string(16, 'x')), CCodecException);
    for (int length : {0, 8, 15, 17, 20, 64, 100, 512, -16})
        EXPECT_FALSE(cipher.SetKey(std::string(64, 'k'), length)) << length;
    EXPECT_FALSE(cipher.SetKey("short", 16));
    EXPECT_FALSE(cipher.SetKey(kWireKey, 32));  // 16 characters cannot fill an AES-256 key

    ASSERT_TRUE(cipher.SetKey(kWireKey));
    EXPECT_FALSE(cipher.SetKey(kWireKey, 20));
    EXPECT_THROW(cipher.Encipher("x"), CCodecException);
}

TEST(IvGenerator, WordsAndLittleEndianBytesKeepingTheLeftovers)
{
    // Seed a = 1, b = 2:
    //  1: a = 36969*1 = 0x9069,  b = 18000*2 = 0x8CA0,            word = 0x9069'0000 + 0x8CA0 = 0x90698CA0
    //  2: a = 36969*0x9069 = 0x51764B11, b = 18000*0x8CA0 = 0x269FB200, word = 0x4B11'0000 + 0x269FB200 = 0x71B0B200
    //  3: a = 36969*0x4B11 + 0x5176 = 0x2A58AB6F, b = 18000*0xB200 + 0x269F = 0x30E3C69F,
    //     word = 0xAB6F'0000 + 0x30E3C69F = 0xDC52C69F (the high half of b carries into a's)
    CIvGenerator words(1, 2);
    EXPECT_EQ(words.NextWord(), 0x90698CA0u);
    EXPECT_EQ(words.NextWord(), 0x71B0B200u);
    EXPECT_EQ(words.NextWord(), 0xDC52C69Fu);
    // Seed all ones: a = 36969*0xFFFF + 0xFFFF = 0x90696F96, b = 18000*0xFFFF + 0xFFFF = 0x4650B9AF,
    // word = 0x6F96'0000 + 0x4650B9AF = 0xB5E6B9AF (mod 2^32).
    EXPECT_EQ(CIvGenerator(0xFFFFFFFF, 0xFFFFFFFF).NextWord(), 0xB5E6B9AFu);

    CIvGenerator bytes(1, 2);
    unsigned char out[9];
    bytes.Fill(out, 3);
    bytes.Fill(out + 3, 0);
    bytes.Fill(out + 3, 6);
    const unsigned char expected[9] = {0xA0, 0x8C, 0x69, 0x90, 0x00, 0xB2, 0xB0, 0x71, 0x9F};
    EXPECT_EQ(0, std::memcmp(out, expected, 9));
}

TEST_F(PayloadCipherWireKey, ExactCiphertextsForShortAndStolenForms)
{
    for (size_t n : {0, 5, 15, 16, 17, 31, 32, 40}) {
        const std::string p = Counting(n, 3);
        unsigned char ivBytes[16];
        CIvGenerator(0x12345678, 0x9abcdef0).Fill(ivBytes, 16);
        const std::string iv(reinterpret_cast<char*>(ivBytes), 16);

        std::string expected;
        if (n < 16) {
            // first n IV bytes in clear, then E(IV[n..15] || P xor IV[0..n-1])
            expected = iv.substr(0, n) + E(iv.substr(n) + Xor(p, iv.substr(0, n)));
        } else {
            const std::string c1 = E(Xor(p.substr(0, 16), iv));
            if (n == 16)
                expected = iv + c1;
            else if (n < 32)  // k = 1, tail r = n - 16 stolen from C1
                expected = iv + E(Xor(p.substr(16), c1.substr(0, n - 16)) + c1.substr(n - 16)) + c1.substr(0, n - 16);
            else {
                const std::string c2 = E(Xor(p.substr(16, 16), c1));
                if (n == 32)
                    expected = iv + c1 + c2;
                else  // n = 40: k = 2, r = 8, C1 stays, C2 is stolen from
                    expected = iv + c1 + E(Xor(p.substr(32), c2.substr(0, 8)) + c2.substr(8)) + c2.substr(0, 8);
            }
        }
        CGeneratorIvSource source(0x12345678, 0x9abcdef0);
        const std::string c = cipher.Encipher(p, &source);
        EXPECT_EQ(c, expected) << "n = " << n;
        EXPECT_EQ(cipher.Decipher(c), p) << "n = " << n;
    }
}

// Block-by-block CBC with ciphertext stealing, written out from the block function, for
// messages of at least one block.
std::string ReferenceStolenCbc(const std::string& p, const std::string& iv)
{
    std::string out = iv;
    std::string previous = iv;
    const size_t r = p.size() % 16;
    const size_t whole = p.size() - r;
    for (size_t at = 0; at < whole; at += 16) {
        previous = E(Xor(p.substr(at, 16), previous));
        out += previous;
    }
    if (r > 0) {
        const std::string last = out.substr(out.size() - 16);
        out.resize(out.size() - 16);
        out += E(Xor(p.substr(whole), last.substr(0, r)) + last.substr(r)) + last.substr(0, r);
    }
    return out;
}

TEST_F(PayloadCipherWireKey, ExactCiphertextsOfLongMessagesAcrossTheBulkPieces)
{
    // Sizes around the pieces in which the stream forms hand whole blocks to the library,
    // with and without a stolen tail; the string forms run every whole block in one call.
    for (size_t n : {48, 65535, 65536, 65552, 65553, 131071, 131088, 200017}) {
        const std::string p = Counting(n, 11);
        unsigned char ivBytes[16];
        CIvGenerator(7, 9).Fill(ivBytes, 16);
        const std::string expected = ReferenceStolenCbc(p, std::string(reinterpret_cast<char*>(ivBytes), 16));
        CGeneratorIvSource source(7, 9);
        EXPECT_EQ(cipher.Encipher(p, &source), expected) << "n = " << n;
        CTrickleStream cipherIn(expected), plainOut;
        cipher.Decipher(cipherIn, plainOut);
        EXPECT_EQ(plainOut.ToString(), p) << "n = " << n;
        EXPECT_EQ(cipher.Decipher(expected), p) << "n = " << n;
        CMemFile plainIn(p), cipherOut;
        CGeneratorIvSource again(7, 9);
        cipher.Encipher(plainIn, cipherOut, &again);
        EXPECT_EQ(cipherOut.ToString(), expected) << "n = " << n;
    }
}

TEST_F(PayloadCipherWireKey, RoundTripsEveryLengthOverTricklingUnseekableStreams)
{
    for (size_t n = 0; n <= 100; ++n) {
        const std::string p = Counting(n, static_cast<int>(n));
        CTrickleStream plainIn(p), cipherOut, plainOut;
        cipher.Encipher(plainIn, cipherOut);
        ASSERT_EQ(cipherOut.GetLength(), n + 16);
        CTrickleStream cipherIn(cipherOut.ToString());
        cipher.Decipher(cipherIn, plainOut);
        EXPECT_EQ(plainOut.ToString(), p) << "n = " << n;
    }
    const std::string large = Counting(1000003, 1);
    const std::string c = cipher.Encipher(large);
    EXPECT_EQ(c.size(), large.size() + 16);
    EXPECT_EQ(cipher.Decipher(c), large);
}

TEST_F(PayloadCipherWireKey, FreshIvsWrongKeysAndMalformedInput)
{
    for (size_t n : {0, 9, 16, 45}) {
        const std::string p = Counting(n, 5);
        const std::string a = cipher.Encipher(p), b = cipher.Encipher(p);
        EXPECT_NE(a.substr(0, 16), b.substr(0, 16)) << "n = " << n;
        EXPECT_EQ(cipher.Decipher(a), p);
        EXPECT_EQ(cipher.Decipher(b), p);

        // No integrity check: another key gives garbage of the right length, not an error.
        CPayloadCipher other;
        ASSERT_TRUE(other.SetKey("Hm4TzQ8wLp2XcN7w"));
        const std::string garbage = other.Decipher(a);
        EXPECT_EQ(garbage.size(), n);
        if (n > 0) {
            EXPECT_NE(garbage, p);
        }
    }
    for (size_t m = 0; m < 16; ++m) {
        try {
            cipher.Decipher(std::string(m, 'c'));
            ADD_FAILURE() << "m = " << m;
        } catch (const CCodecException& e) {
            EXPECT_EQ(e.GetCause(), CCodecException::badFormat);
        }
    }
}
