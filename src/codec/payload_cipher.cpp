#include "codec/payload_cipher.h"

#include "codec/codec_exception.h"
#include "codec/mem_file.h"

#include <openssl/evp.h>
#include <openssl/rand.h>

#include <climits>
#include <cstring>

namespace {

constexpr size_t kBlock = CPayloadCipher::kBlock;

// Reads until `n` bytes have arrived or the source is exhausted. A stream may hand out
// fewer bytes than asked for before its end, so one short read proves nothing.
size_t ReadUpTo(CByteStream& source, unsigned char* buffer, size_t n)
{
    size_t got = 0;
    while (got < n) {
        const size_t step = source.Read(buffer + got, n - got);
        if (step == 0)
            break;
        got += step;
    }
    return got;
}

void XorInto(unsigned char* target, const unsigned char* mask, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        target[i] ^= mask[i];
}

struct CipherCtxDeleter {
    void operator()(EVP_CIPHER_CTX* ctx) const { EVP_CIPHER_CTX_free(ctx); }
};
using CipherCtxPtr = std::unique_ptr<EVP_CIPHER_CTX, CipherCtxDeleter>;

// One context per direction, set up for raw single-block use: ECB without padding, so
// every 16-byte update yields exactly the 16-byte image of that block.
CipherCtxPtr MakeBlockContext(const EVP_CIPHER* cipher, const unsigned char* key, bool encrypt)
{
    CipherCtxPtr ctx(EVP_CIPHER_CTX_new());
    if (!ctx)
        return nullptr;
    if (EVP_CipherInit_ex(ctx.get(), cipher, nullptr, key, nullptr, encrypt ? 1 : 0) != 1)
        return nullptr;
    if (EVP_CIPHER_CTX_set_padding(ctx.get(), 0) != 1)
        return nullptr;
    return ctx;
}

void RunBlock(EVP_CIPHER_CTX* ctx, const unsigned char* in, unsigned char* out)
{
    int produced = 0;
    if (EVP_CipherUpdate(ctx, out, &produced, in, static_cast<int>(kBlock)) != 1
        || produced != static_cast<int>(kBlock))
        throw CCodecException(CCodecException::ioError, "payload cipher: block operation failed");
}

} // namespace

// ---------------------------------------------------------------------------------------
// Initial-vector generator

uint32_t CIvGenerator::NextWord()
{
    // Both products stay below 2^32 (36969 * 0xFFFF + 0xFFFF < 2^32), so plain unsigned
    // arithmetic is exact; only the final combination wraps.
    m_a = 36969u * (m_a & 0xFFFFu) + (m_a >> 16);
    m_b = 18000u * (m_b & 0xFFFFu) + (m_b >> 16);
    return (m_a << 16) + m_b;
}

void CIvGenerator::Fill(unsigned char* out, size_t n)
{
    for (size_t i = 0; i < n; ++i) {
        if (m_pendingBytes == 0) {
            m_pending = NextWord();
            m_pendingBytes = 4;
        }
        // Little-endian: the low byte of the word goes out first.
        out[i] = static_cast<unsigned char>(m_pending & 0xFFu);
        m_pending >>= 8;
        --m_pendingBytes;
    }
}

void CRandomIvSource::Fill(unsigned char* out, size_t n)
{
    while (n > 0) {
        const int step = n > static_cast<size_t>(INT_MAX) ? INT_MAX : static_cast<int>(n);
        // A failed draw must never fall back to predictable bytes: the message would go
        // out with a guessable initial vector and nobody would notice.
        if (RAND_bytes(out, step) != 1)
            throw CCodecException(CCodecException::ioError,
                                  "payload cipher: no random bytes for the initial vector");
        out += step;
        n -= static_cast<size_t>(step);
    }
}

// ---------------------------------------------------------------------------------------
// Cipher

struct CPayloadCipher::Keys {
    CipherCtxPtr encrypt;
    CipherCtxPtr decrypt;
};

CPayloadCipher::CPayloadCipher() = default;
CPayloadCipher::~CPayloadCipher() = default;

bool CPayloadCipher::SetKey(const std::string& key, int keyLength)
{
    // A failed set-up leaves no key behind, so a later call cannot quietly run under
    // the previous one.
    m_keys.reset();

    size_t bytes = 0;
    const EVP_CIPHER* cipher = nullptr;
    switch (keyLength) {
    case 16:
    case 128:
        bytes = 16;
        cipher = EVP_aes_128_ecb();
        break;
    case 24:
    case 192:
        bytes = 24;
        cipher = EVP_aes_192_ecb();
        break;
    case 32:
    case 256:
        bytes = 32;
        cipher = EVP_aes_256_ecb();
        break;
    default:
        return false;
    }
    if (key.size() < bytes || cipher == nullptr)
        return false;

    unsigned char material[32];
    std::memcpy(material, key.data(), bytes);

    auto keys = std::make_unique<Keys>();
    keys->encrypt = MakeBlockContext(cipher, material, true);
    keys->decrypt = MakeBlockContext(cipher, material, false);
    OPENSSL_cleanse(material, sizeof material);
    if (!keys->encrypt || !keys->decrypt)
        return false;

    m_keys = std::move(keys);
    return true;
}

void CPayloadCipher::EncryptBlock(const unsigned char* in, unsigned char* out) const
{
    RunBlock(m_keys->encrypt.get(), in, out);
}

void CPayloadCipher::DecryptBlock(const unsigned char* in, unsigned char* out) const
{
    RunBlock(m_keys->decrypt.get(), in, out);
}

void CPayloadCipher::Encipher(CByteStream& source, CByteStream& sink, CIvSource* ivSource)
{
    if (!m_keys)
        throw CCodecException(CCodecException::ioError, "payload cipher: no key set");

    unsigned char iv[kBlock];
    if (ivSource != nullptr) {
        ivSource->Fill(iv, kBlock);
    } else {
        CRandomIvSource random;
        random.Fill(iv, kBlock);
    }

    unsigned char block[kBlock];
    unsigned char out[kBlock];
    const size_t first = ReadUpTo(source, block, kBlock);

    if (first < kBlock) {
        // Under one block: the first n IV bytes go out in clear and also mask the
        // plaintext, which rides in one block behind the remaining IV bytes.
        const size_t n = first;
        unsigned char inner[kBlock];
        std::memcpy(inner, iv + n, kBlock - n);
        for (size_t i = 0; i < n; ++i)
            inner[kBlock - n + i] = static_cast<unsigned char>(block[i] ^ iv[i]);
        EncryptBlock(inner, out);
        sink.Write(iv, n);
        sink.Write(out, kBlock);
        return;
    }

    // CBC with one block of look-ahead: `block` holds the current whole plaintext block,
    // `next` whatever follows it. Only when the follower is a partial block does the
    // current one take part in ciphertext stealing.
    sink.Write(iv, kBlock);
    unsigned char previous[kBlock];
    std::memcpy(previous, iv, kBlock);
    unsigned char next[kBlock];
    for (;;) {
        const size_t r = ReadUpTo(source, next, kBlock);
        XorInto(block, previous, kBlock);
        EncryptBlock(block, out);  // out = C_i
        if (r == kBlock) {
            sink.Write(out, kBlock);
            std::memcpy(previous, out, kBlock);
            std::memcpy(block, next, kBlock);
            continue;
        }
        if (r == 0) {
            sink.Write(out, kBlock);
            return;
        }
        // Tail of r bytes: the last whole ciphertext block Ck is cut to its first r
        // bytes, which go last; the block before them enciphers the tail masked with
        // those bytes, padded out with the rest of Ck.
        unsigned char stolen[kBlock];
        std::memcpy(stolen, out, kBlock);
        XorInto(stolen, next, r);
        unsigned char stolenOut[kBlock];
        EncryptBlock(stolen, stolenOut);
        sink.Write(stolenOut, kBlock);
        sink.Write(out, r);
        return;
    }
}

void CPayloadCipher::Decipher(CByteStream& source, CByteStream& sink)
{
    if (!m_keys)
        throw CCodecException(CCodecException::ioError, "payload cipher: no key set");

    // head = the first 32 bytes at most; the message length tells the form.
    unsigned char head[2 * kBlock];
    const size_t m = ReadUpTo(source, head, sizeof head);
    if (m < kBlock)
        throw CCodecException(CCodecException::badFormat,
                              "payload cipher: ciphertext shorter than one block");

    unsigned char plain[kBlock];
    if (m < 2 * kBlock) {
        // Short form: n clear IV bytes, then one block whose last n bytes are the
        // plaintext masked with those clear bytes.
        const size_t n = m - kBlock;
        DecryptBlock(head + n, plain);
        XorInto(plain + kBlock - n, head, n);
        sink.Write(plain + kBlock - n, n);
        return;
    }

    unsigned char previous[kBlock];
    unsigned char current[kBlock];
    std::memcpy(previous, head, kBlock);
    std::memcpy(current, head + kBlock, kBlock);
    unsigned char next[kBlock];
    for (;;) {
        const size_t r = ReadUpTo(source, next, kBlock);
        DecryptBlock(current, plain);
        if (r == kBlock || r == 0) {
            XorInto(plain, previous, kBlock);
            sink.Write(plain, kBlock);
            if (r == 0)
                return;
            std::memcpy(previous, current, kBlock);
            std::memcpy(current, next, kBlock);
            continue;
        }
        // The current block is the stolen one and `next` holds the first r bytes of the
        // last whole ciphertext block; its other bytes sit behind the tail in `plain`.
        unsigned char tail[kBlock];
        std::memcpy(tail, plain, r);
        XorInto(tail, next, r);
        unsigned char lastCipher[kBlock];
        std::memcpy(lastCipher, next, r);
        std::memcpy(lastCipher + r, plain + r, kBlock - r);
        DecryptBlock(lastCipher, plain);
        XorInto(plain, previous, kBlock);
        sink.Write(plain, kBlock);
        sink.Write(tail, r);
        return;
    }
}

std::string CPayloadCipher::Encipher(const std::string& plain, CIvSource* ivSource)
{
    CMemFile source(plain);
    CMemFile sink;
    Encipher(source, sink, ivSource);
    return sink.ToString();
}

std::string CPayloadCipher::Decipher(const std::string& cipher)
{
    CMemFile source(cipher);
    CMemFile sink;
    Decipher(source, sink);
    return sink.ToString();
}
