#include "codec/payload_cipher.h"

#include "codec/codec_exception.h"

#include <openssl/evp.h>
#include <openssl/rand.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

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
    // Raw block contexts for the short form and the stolen tail; chaining contexts for
    // the whole blocks, which OpenSSL runs many blocks per call.
    CipherCtxPtr encrypt;
    CipherCtxPtr decrypt;
    CipherCtxPtr chainEncrypt;
    CipherCtxPtr chainDecrypt;
};

namespace {

const EVP_CIPHER* ChainCipherFor(size_t keyBytes)
{
    switch (keyBytes) {
    case 16:
        return EVP_aes_128_cbc();
    case 24:
        return EVP_aes_192_cbc();
    case 32:
        return EVP_aes_256_cbc();
    default:
        return nullptr;
    }
}

// The stream forms read and write whole blocks in pieces of this size, so that a large
// payload is neither read nor written a block at a time, nor held twice in memory.
constexpr size_t kChunk = 64 * 1024;

// The most one library call is handed: its length is an int. A whole number of blocks.
constexpr size_t kMaxCall = size_t{1} << 30;

// Runs `n` bytes (a multiple of the block) through a chaining context, which carries the
// previous ciphertext block from one call to the next. Over a contiguous buffer this is
// one call, so the library can decipher many blocks side by side. `in` may equal `out`.
void RunChain(EVP_CIPHER_CTX* ctx, const unsigned char* in, unsigned char* out, size_t n)
{
    while (n > 0) {
        const size_t step = std::min(n, kMaxCall);
        int produced = 0;
        if (EVP_CipherUpdate(ctx, out, &produced, in, static_cast<int>(step)) != 1
            || produced != static_cast<int>(step))
            throw CCodecException(CCodecException::ioError, "payload cipher: block operation failed");
        in += step;
        out += step;
        n -= step;
    }
}

void RestartChain(EVP_CIPHER_CTX* ctx, const unsigned char* iv)
{
    if (EVP_CipherInit_ex(ctx, nullptr, nullptr, nullptr, iv, -1) != 1)
        throw CCodecException(CCodecException::ioError, "payload cipher: block operation failed");
}

// Tops `pending` up from the source by up to kChunk bytes; false once the source is dry.
bool Refill(CByteStream& source, std::vector<unsigned char>& pending)
{
    const size_t before = pending.size();
    pending.resize(before + kChunk);
    const size_t got = ReadUpTo(source, pending.data() + before, kChunk);
    pending.resize(before + got);
    return got == kChunk;
}

// Until the source is dry, runs the whole blocks that have arrived through the chain
// into the sink, holding back the last whole block and anything after it (they may take
// part in ciphertext stealing). The blocks are run in place. `lastIn`, when given,
// receives the last block run as it was before running.
void ChainWhileMore(CByteStream& source, CByteStream& sink, EVP_CIPHER_CTX* chain,
                    std::vector<unsigned char>& pending, unsigned char* lastIn)
{
    while (Refill(source, pending)) {
        const size_t ready = (pending.size() / kBlock - 1) * kBlock;
        if (lastIn != nullptr)
            std::memcpy(lastIn, pending.data() + ready - kBlock, kBlock);
        RunChain(chain, pending.data(), pending.data(), ready);
        sink.Write(pending.data(), ready);
        pending.erase(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(ready));
    }
}

// Under one block: the first n IV bytes go out in clear and also mask the plaintext,
// which rides in one block behind the remaining IV bytes. Writes n + 16 bytes.
void EncipherShort(EVP_CIPHER_CTX* block, const unsigned char* plain, size_t n, const unsigned char* iv,
                   unsigned char* out)
{
    unsigned char inner[kBlock];
    std::memcpy(inner, iv + n, kBlock - n);
    for (size_t i = 0; i < n; ++i)
        inner[kBlock - n + i] = static_cast<unsigned char>(plain[i] ^ iv[i]);
    std::memcpy(out, iv, n);
    RunBlock(block, inner, out + n);
}

// The short form back: m - 16 clear IV bytes, then one block whose last m - 16 bytes are
// the plaintext masked with those clear bytes. Writes m - 16 bytes.
void DecipherShort(EVP_CIPHER_CTX* block, const unsigned char* in, size_t m, unsigned char* out)
{
    const size_t n = m - kBlock;
    unsigned char plain[kBlock];
    RunBlock(block, in + n, plain);
    for (size_t i = 0; i < n; ++i)
        out[i] = static_cast<unsigned char>(plain[kBlock - n + i] ^ in[i]);
}

// Steals the ciphertext for a tail of r (1..15) bytes. On entry `last` holds the last whole
// ciphertext block Ck followed by the r plaintext bytes of the tail, and `chain` has just
// produced Ck. On return it holds the final 16 + r bytes: the block that enciphers the
// tail masked with Ck, padded out with the rest of Ck, then Ck cut to its first r bytes.
// Chaining the zero-padded tail after Ck computes exactly that block.
void StealTail(EVP_CIPHER_CTX* chain, unsigned char* last, size_t r)
{
    unsigned char padded[kBlock] = {};
    std::memcpy(padded, last + kBlock, r);
    unsigned char cut[kBlock];
    std::memcpy(cut, last, r);
    RunChain(chain, padded, last, kBlock);
    std::memcpy(last + kBlock, cut, r);
}

// Undoes StealTail: `stolen` holds the stolen block followed by the first r bytes of the
// last whole ciphertext block; `previous` is the ciphertext block before the stolen one
// (the IV when there is none). Writes the last whole plaintext block and the tail.
void UnstealTail(EVP_CIPHER_CTX* block, const unsigned char* previous, const unsigned char* stolen, size_t r,
                 unsigned char* out)
{
    const unsigned char* next = stolen + kBlock;
    unsigned char plain[kBlock];
    RunBlock(block, stolen, plain);
    // The other bytes of the last whole ciphertext block sit behind the tail in `plain`.
    unsigned char lastCipher[kBlock];
    std::memcpy(lastCipher, next, r);
    std::memcpy(lastCipher + r, plain + r, kBlock - r);
    for (size_t i = 0; i < r; ++i)
        out[kBlock + i] = static_cast<unsigned char>(plain[i] ^ next[i]);
    RunBlock(block, lastCipher, out);
    XorInto(out, previous, kBlock);
}

void DrawIv(CIvSource* ivSource, unsigned char* iv)
{
    if (ivSource != nullptr) {
        ivSource->Fill(iv, kBlock);
    } else {
        CRandomIvSource random;
        random.Fill(iv, kBlock);
    }
}

// Whole buffers: every whole block goes through the chain in one call, straight from the
// source into the destination; only a stolen tail is handled by hand. `out` takes n + 16.
void EncipherBuffer(EVP_CIPHER_CTX* block, EVP_CIPHER_CTX* chain, const unsigned char* plain, size_t n,
                    const unsigned char* iv, unsigned char* out)
{
    if (n < kBlock) {
        EncipherShort(block, plain, n, iv, out);
        return;
    }
    const size_t r = n % kBlock;
    const size_t whole = n - r;
    std::memcpy(out, iv, kBlock);
    RestartChain(chain, iv);
    RunChain(chain, plain, out + kBlock, whole);
    if (r > 0) {
        unsigned char* last = out + whole;  // Ck, then room for the tail
        std::memcpy(last + kBlock, plain + whole, r);
        StealTail(chain, last, r);
    }
}

// `in` holds m >= 16 bytes; `out` takes m - 16.
void DecipherBuffer(EVP_CIPHER_CTX* block, EVP_CIPHER_CTX* chain, const unsigned char* in, size_t m,
                    unsigned char* out)
{
    if (m < 2 * kBlock) {
        DecipherShort(block, in, m, out);
        return;
    }
    const size_t n = m - kBlock;
    const size_t r = n % kBlock;
    // With a tail, the last whole ciphertext block is the stolen one and is left out.
    const size_t whole = r == 0 ? n : n - r - kBlock;
    RestartChain(chain, in);
    RunChain(chain, in + kBlock, out, whole);
    if (r > 0)
        UnstealTail(block, in + whole, in + kBlock + whole, r, out + whole);
}
}  // namespace

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
    keys->chainEncrypt = MakeBlockContext(ChainCipherFor(bytes), material, true);
    keys->chainDecrypt = MakeBlockContext(ChainCipherFor(bytes), material, false);
    OPENSSL_cleanse(material, sizeof material);
    if (!keys->encrypt || !keys->decrypt || !keys->chainEncrypt || !keys->chainDecrypt)
        return false;

    m_keys = std::move(keys);
    return true;
}

void CPayloadCipher::Encipher(CByteStream& source, CByteStream& sink, CIvSource* ivSource)
{
    if (!m_keys)
        throw CCodecException(CCodecException::ioError, "payload cipher: no key set");

    unsigned char iv[kBlock];
    DrawIv(ivSource, iv);

    std::vector<unsigned char> pending(kBlock);
    const size_t first = ReadUpTo(source, pending.data(), kBlock);
    if (first < kBlock) {
        unsigned char out[2 * kBlock];
        EncipherShort(m_keys->encrypt.get(), pending.data(), first, iv, out);
        sink.Write(out, first + kBlock);
        return;
    }

    // CBC over the whole blocks. Until the source is dry, the last whole block and any
    // bytes after it are held back: when the message ends in a partial block, that last
    // whole block takes part in ciphertext stealing.
    EVP_CIPHER_CTX* chain = m_keys->chainEncrypt.get();
    RestartChain(chain, iv);
    sink.Write(iv, kBlock);
    ChainWhileMore(source, sink, chain, pending, nullptr);

    const size_t r = pending.size() % kBlock;
    const size_t whole = pending.size() - r;  // at least one block
    RunChain(chain, pending.data(), pending.data(), whole);
    if (r > 0)
        StealTail(chain, pending.data() + whole - kBlock, r);
    sink.Write(pending.data(), pending.size());
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
    if (m < 2 * kBlock) {
        unsigned char plain[kBlock];
        DecipherShort(m_keys->decrypt.get(), head, m, plain);
        sink.Write(plain, m - kBlock);
        return;
    }

    // CBC over the whole blocks, holding back the last whole block and anything after
    // it until the source is dry (they may be the stolen block and the cut tail).
    EVP_CIPHER_CTX* chain = m_keys->chainDecrypt.get();
    RestartChain(chain, head);
    unsigned char previous[kBlock];
    std::memcpy(previous, head, kBlock);
    std::vector<unsigned char> pending(head + kBlock, head + 2 * kBlock);
    ChainWhileMore(source, sink, chain, pending, previous);

    const size_t r = pending.size() % kBlock;
    if (r == 0) {
        RunChain(chain, pending.data(), pending.data(), pending.size());
        sink.Write(pending.data(), pending.size());
        return;
    }
    // The block before the cut tail is the stolen one; the whole blocks before it chain
    // as usual.
    const size_t whole = pending.size() - r - kBlock;
    if (whole > 0) {
        std::memcpy(previous, pending.data() + whole - kBlock, kBlock);
        RunChain(chain, pending.data(), pending.data(), whole);
        sink.Write(pending.data(), whole);
    }
    unsigned char last[2 * kBlock];
    UnstealTail(m_keys->decrypt.get(), previous, pending.data() + whole, r, last);
    sink.Write(last, kBlock + r);
}

std::string CPayloadCipher::Encipher(const std::string& plain, CIvSource* ivSource)
{
    if (!m_keys)
        throw CCodecException(CCodecException::ioError, "payload cipher: no key set");
    unsigned char iv[kBlock];
    DrawIv(ivSource, iv);
    std::string out(plain.size() + kBlock, '\0');
    EncipherBuffer(m_keys->encrypt.get(), m_keys->chainEncrypt.get(),
                   reinterpret_cast<const unsigned char*>(plain.data()), plain.size(), iv,
                   reinterpret_cast<unsigned char*>(out.data()));
    return out;
}

std::string CPayloadCipher::Decipher(const std::string& cipher)
{
    if (!m_keys)
        throw CCodecException(CCodecException::ioError, "payload cipher: no key set");
    if (cipher.size() < kBlock)
        throw CCodecException(CCodecException::badFormat,
                              "payload cipher: ciphertext shorter than one block");
    std::string out(cipher.size() - kBlock, '\0');
    DecipherBuffer(m_keys->decrypt.get(), m_keys->chainDecrypt.get(),
                   reinterpret_cast<const unsigned char*>(cipher.data()), cipher.size(),
                   reinterpret_cast<unsigned char*>(out.data()));
    return out;
}
