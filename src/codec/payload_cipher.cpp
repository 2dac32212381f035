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

// Whole blocks go through the chaining context in pieces of this size, so that a large
// payload is neither read nor written a block at a time.
constexpr size_t kChunk = 64 * 1024;

// Runs `n` bytes (a multiple of the block) through a chaining context, which carries the
// previous ciphertext block from one call to the next.
void RunChain(EVP_CIPHER_CTX* ctx, const unsigned char* in, unsigned char* out, size_t n)
{
    while (n > 0) {
        const size_t step = std::min(n, kChunk);
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
// part in ciphertext stealing). `lastIn`, when given, receives the last block run.
void ChainWhileMore(CByteStream& source, CByteStream& sink, EVP_CIPHER_CTX* chain,
                    std::vector<unsigned char>& pending, std::vector<unsigned char>& out, unsigned char* lastIn)
{
    while (Refill(source, pending)) {
        const size_t ready = (pending.size() / kBlock - 1) * kBlock;
        out.resize(ready);
        RunChain(chain, pending.data(), out.data(), ready);
        sink.Write(out.data(), ready);
        if (lastIn != nullptr)
            std::memcpy(lastIn, pending.data() + ready - kBlock, kBlock);
        pending.erase(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(ready));
    }
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

    std::vector<unsigned char> pending(kBlock);
    const size_t first = ReadUpTo(source, pending.data(), kBlock);

    if (first < kBlock) {
        // Under one block: the first n IV bytes go out in clear and also mask the
        // plaintext, which rides in one block behind the remaining IV bytes.
        const size_t n = first;
        unsigned char inner[kBlock];
        unsigned char out[kBlock];
        std::memcpy(inner, iv + n, kBlock - n);
        for (size_t i = 0; i < n; ++i)
            inner[kBlock - n + i] = static_cast<unsigned char>(pending[i] ^ iv[i]);
        EncryptBlock(inner, out);
        sink.Write(iv, n);
        sink.Write(out, kBlock);
        return;
    }

    // CBC over the whole blocks. Until the source is dry, the last whole block and any
    // bytes after it are held back: when the message ends in a partial block, that last
    // whole block takes part in ciphertext stealing.
    EVP_CIPHER_CTX* chain = m_keys->chainEncrypt.get();
    RestartChain(chain, iv);
    sink.Write(iv, kBlock);
    std::vector<unsigned char> out;
    ChainWhileMore(source, sink, chain, pending, out, nullptr);

    const size_t r = pending.size() % kBlock;
    const size_t whole = pending.size() - r;  // at least one block
    out.resize(whole);
    RunChain(chain, pending.data(), out.data(), whole);
    if (r == 0) {
        sink.Write(out.data(), whole);
        return;
    }
    // Tail of r bytes: the last whole ciphertext block Ck is cut to its first r bytes,
    // which go last; the block before them enciphers the tail masked with Ck, padded out
    // with the rest of Ck. Chaining the zero-padded tail after Ck computes exactly that.
    unsigned char padded[kBlock] = {};
    std::memcpy(padded, pending.data() + whole, r);
    unsigned char stolenOut[kBlock];
    RunChain(chain, padded, stolenOut, kBlock);
    sink.Write(out.data(), whole - kBlock);
    sink.Write(stolenOut, kBlock);
    sink.Write(out.data() + whole - kBlock, r);
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

    // CBC over the whole blocks, holding back the last whole block and anything after
    // it until the source is dry (they may be the stolen block and the cut tail).
    EVP_CIPHER_CTX* chain = m_keys->chainDecrypt.get();
    RestartChain(chain, head);
    unsigned char previous[kBlock];
    std::memcpy(previous, head, kBlock);
    std::vector<unsigned char> pending(head + kBlock, head + 2 * kBlock);
    std::vector<unsigned char> out;
    ChainWhileMore(source, sink, chain, pending, out, previous);

    const size_t r = pending.size() % kBlock;
    if (r == 0) {
        out.resize(pending.size());
        RunChain(chain, pending.data(), out.data(), pending.size());
        sink.Write(out.data(), out.size());
        return;
    }
    // The block before the cut tail is the stolen one; the whole blocks before it chain
    // as usual.
    const size_t whole = pending.size() - r - kBlock;
    if (whole > 0) {
        out.resize(whole);
        RunChain(chain, pending.data(), out.data(), whole);
        sink.Write(out.data(), whole);
        std::memcpy(previous, pending.data() + whole - kBlock, kBlock);
    }
    const unsigned char* stolen = pending.data() + whole;
    const unsigned char* next = stolen + kBlock;
    DecryptBlock(stolen, plain);
    // `next` holds the first r bytes of the last whole ciphertext block; its other bytes
    // sit behind the tail in `plain`.
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
}

namespace {

// The string forms read the caller's bytes in place and write into one string sized
// up front, so a large payload is copied once, not at every growth step.
class StringSource : public CByteStream {
public:
    explicit StringSource(const std::string& bytes) : m_bytes(bytes) {}
    size_t Read(void* buffer, size_t n) override
    {
        const size_t count = std::min(n, m_bytes.size() - m_position);
        std::memcpy(buffer, m_bytes.data() + m_position, count);
        m_position += count;
        return count;
    }
    void Write(const void*, size_t) override
    {
        throw CCodecException(CCodecException::ioError, "payload cipher: source is read-only");
    }
    uint64_t GetLength() override { return m_bytes.size(); }
    uint64_t GetPosition() override { return m_position; }
    void Seek(uint64_t position) override
    {
        if (position > m_bytes.size())
            throw CCodecException(CCodecException::ioError, "Seek past the end of a memory file");
        m_position = static_cast<size_t>(position);
    }

private:
    const std::string& m_bytes;
    size_t m_position = 0;
};

class StringSink : public CByteStream {
public:
    explicit StringSink(size_t expected) { m_bytes.reserve(expected); }
    size_t Read(void*, size_t) override { return 0; }
    void Write(const void* buffer, size_t n) override { m_bytes.append(static_cast<const char*>(buffer), n); }
    uint64_t GetLength() override { return m_bytes.size(); }
    uint64_t GetPosition() override { return m_bytes.size(); }
    void Seek(uint64_t) override
    {
        throw CCodecException(CCodecException::ioError, "payload cipher: sink cannot seek");
    }
    std::string Take() { return std::move(m_bytes); }

private:
    std::string m_bytes;
};

}  // namespace

std::string CPayloadCipher::Encipher(const std::string& plain, CIvSource* ivSource)
{
    StringSource source(plain);
    StringSink sink(plain.size() + kBlock);
    Encipher(source, sink, ivSource);
    return sink.Take();
}

std::string CPayloadCipher::Decipher(const std::string& cipher)
{
    StringSource source(cipher);
    StringSink sink(cipher.size());
    Decipher(source, sink);
    return sink.Take();
}
