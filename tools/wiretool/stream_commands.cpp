#include "stream_commands.h"

#include "codec/codec_exception.h"
#include "codec/mem_file.h"
#include "codec/ox_compressed_file.h"
#include "codec/payload_cipher.h"
#include "codec/wire_key.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace {

CToolResult Usage(const std::string& text)
{
    return {2, "", text};
}

CToolResult Malformed(const std::string& text)
{
    return {1, "", text};
}

// An initial vector given on the command line, used as it stands.
class CFixedIvSource : public CIvSource {
public:
    explicit CFixedIvSource(const std::string& bytes) : m_bytes(bytes) {}
    void Fill(unsigned char* out, size_t n) override
    {
        for (size_t i = 0; i < n; ++i)
            out[i] = static_cast<unsigned char>(m_bytes[i % m_bytes.size()]);
    }

private:
    std::string m_bytes;
};

std::optional<std::string> ParseHex(const std::string& hex)
{
    if (hex.size() % 2 != 0)
        return std::nullopt;
    std::string bytes;
    for (size_t i = 0; i < hex.size(); i += 2) {
        int value = 0;
        for (size_t j = i; j < i + 2; ++j) {
            const char c = hex[j];
            int digit;
            if (c >= '0' && c <= '9')
                digit = c - '0';
            else if (c >= 'a' && c <= 'f')
                digit = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F')
                digit = c - 'A' + 10;
            else
                return std::nullopt;
            value = value * 16 + digit;
        }
        bytes.push_back(static_cast<char>(value));
    }
    return bytes;
}

struct CipherOptions {
    std::string key = kWireKeyText;
    std::optional<std::string> iv;
};

// Parses --key TEXT and, when allowed, --iv HEX. Returns an error text on bad usage.
std::string ParseCipherOptions(const std::vector<std::string>& args, bool allowIv, CipherOptions& options)
{
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if ((word == "--key" || (allowIv && word == "--iv")) && i + 1 >= args.size())
            return word + " needs a value";
        if (word == "--key") {
            options.key = args[++i];
        } else if (allowIv && word == "--iv") {
            const auto bytes = ParseHex(args[++i]);
            if (!bytes || bytes->size() != 16)
                return "--iv needs exactly 32 hex digits";
            options.iv = *bytes;
        } else {
            return "unknown option: " + word;
        }
    }
    return "";
}

bool SetKey(CPayloadCipher& cipher, const std::string& key)
{
    // The key is the text's bytes; AES-128 needs 16 of them.
    return key.size() == 16 && cipher.SetKey(key, 16);
}

}  // namespace

CToolResult RunCompress(const std::vector<std::string>& args, const std::string& input)
{
    if (!args.empty())
        return Usage("compress takes no options");
    CMemFile sink;
    COXCompressedFile compressed;
    compressed.Open(sink, COXCompressedFile::modeWrite);
    compressed.Write(input.data(), input.size());
    compressed.Close();
    return {0, sink.ToString(), ""};
}

CToolResult RunExpand(const std::vector<std::string>& args, const std::string& input)
{
    if (!args.empty())
        return Usage("expand takes no options");
    try {
        CMemFile source(input);
        COXCompressedFile compressed;
        compressed.Open(source, COXCompressedFile::modeRead);
        std::string plain;
        char buffer[4096];
        for (;;) {
            const size_t count = compressed.Read(buffer, sizeof buffer);
            if (count == 0)
                break;
            plain.append(buffer, count);
        }
        // A stream cut short in a header or a body is damage, not a shorter payload.
        if (compressed.IsTruncated())
            return Malformed("malformed input: the compressed stream is truncated");
        return {0, plain, ""};
    } catch (const CCodecException& e) {
        return Malformed(std::string("malformed input: ") + e.what());
    }
}

CToolResult RunEncipher(const std::vector<std::string>& args, const std::string& input)
{
    CipherOptions options;
    if (const std::string error = ParseCipherOptions(args, true, options); !error.empty())
        return Usage(error);
    CPayloadCipher cipher;
    if (!SetKey(cipher, options.key))
        return Usage("the key must be 16 characters");
    std::optional<CFixedIvSource> fixed;
    if (options.iv)
        fixed.emplace(*options.iv);
    return {0, cipher.Encipher(input, fixed ? &*fixed : nullptr), ""};
}

CToolResult RunDecipher(const std::vector<std::string>& args, const std::string& input)
{
    CipherOptions options;
    if (const std::string error = ParseCipherOptions(args, false, options); !error.empty())
        return Usage(error);
    CPayloadCipher cipher;
    if (!SetKey(cipher, options.key))
        return Usage("the key must be 16 characters");
    try {
        return {0, cipher.Decipher(input), ""};
    } catch (const CCodecException& e) {
        return Malformed(std::string("malformed input: ") + e.what());
    }
}
