#pragma once
// The payload cipher: AES in CBC mode with a fresh 16-byte initial vector sent ahead of
// the data, ciphertext stealing for a final partial block and a short form below one
// block, so that the ciphertext is always exactly 16 bytes longer than the plaintext.

#include "codec/byte_stream.h"

#include <cstdint>
#include <memory>
#include <string>

// The initial-vector generator: two 16-bit multiply-with-carry words. Seeded once per
// process from the operating system's random source; tests seed it to pin ciphertexts.
class CIvGenerator {
public:
    CIvGenerator(uint32_t a, uint32_t b) : m_a(a), m_b(b) {}

    // Next 32-bit output word: a = 36969 * (a & 0xFFFF) + (a >> 16),
    // b = 18000 * (b & 0xFFFF) + (b >> 16), word = (a << 16) + b.
    uint32_t NextWord();
    // Fills n bytes, each word giving 4 bytes little-endian; unused bytes of the last
    // word are kept for the next call.
    void Fill(unsigned char* out, size_t n);

private:
    uint32_t m_a;
    uint32_t m_b;
    uint32_t m_pending = 0;
    int m_pendingBytes = 0;
};

// Where initial vectors come from. The default draws from the operating system's random
// source (RAND_bytes); a CIvGenerator source makes the output reproducible.
class CIvSource {
public:
    virtual ~CIvSource() = default;
    virtual void Fill(unsigned char* out, size_t n) = 0;
};

class CRandomIvSource : public CIvSource {
public:
    void Fill(unsigned char* out, size_t n) override;
};

class CGeneratorIvSource : public CIvSource {
public:
    CGeneratorIvSource(uint32_t a, uint32_t b) : m_generator(a, b) {}
    void Fill(unsigned char* out, size_t n) override { m_generator.Fill(out, n); }

private:
    CIvGenerator m_generator;
};

class CPayloadCipher {
public:
    static constexpr size_t kBlock = 16;

    // keyLength: 16, 24 or 32 bytes (or 128, 192, 256 bits). Returns false for any other
    // length, or when the key text is shorter than the length.
    bool SetKey(const std::string& key, int keyLength = 16);

    // Reads the source to its end and writes the ciphertext to the sink.
    // Uses `ivSource` for the initial vector, or the process-wide random source.
    // Throws CCodecException when the key is not set.
    void Encipher(CByteStream& source, CByteStream& sink, CIvSource* ivSource = nullptr);

    // Reads the source to its end and writes the plaintext. Throws CCodecException
    // (badFormat) for a ciphertext shorter than 16 bytes.
    void Decipher(CByteStream& source, CByteStream& sink);

    // Convenience forms over whole byte strings.
    std::string Encipher(const std::string& plain, CIvSource* ivSource = nullptr);
    std::string Decipher(const std::string& cipher);

    ~CPayloadCipher();
    CPayloadCipher();
    CPayloadCipher(const CPayloadCipher&) = delete;
    CPayloadCipher& operator=(const CPayloadCipher&) = delete;

private:
    struct Keys;
    std::unique_ptr<Keys> m_keys;
};
