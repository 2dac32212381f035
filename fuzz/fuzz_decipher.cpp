// Deciphers arbitrary bytes with the session key, then checks that enciphering the same
// bytes as plaintext and deciphering the result gives them back unchanged.
#include "codec/codec_exception.h"
#include "codec/mem_file.h"
#include "codec/payload_cipher.h"
#include "codec/wire_key.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static CPayloadCipher* cipher = [] {
        auto* c = new CPayloadCipher;
        if (!c->SetKey(kWireKeyText, kWireKeyLength))
            std::abort();
        return c;
    }();
    const std::string input(reinterpret_cast<const char*>(data), size);

    try {
        const std::string plain = cipher->Decipher(input);
        // Any ciphertext of at least one block deciphers, always to 16 bytes less.
        if (size < CPayloadCipher::kBlock || plain.size() != size - CPayloadCipher::kBlock)
            std::abort();
    } catch (const CCodecException&) {
        if (size >= CPayloadCipher::kBlock)
            std::abort();
    }

    // The IV seed comes from the input so that the generator's state varies as well.
    uint32_t a = 0, b = 0;
    std::memcpy(&a, input.data(), size < 4 ? size : 4);
    if (size > 4)
        std::memcpy(&b, input.data() + 4, size < 8 ? size - 4 : 4);
    CGeneratorIvSource ivs(a, b);
    const std::string cipherText = cipher->Encipher(input, &ivs);
    if (cipherText.size() != size + CPayloadCipher::kBlock || cipher->Decipher(cipherText) != input)
        std::abort();
    return 0;
}
