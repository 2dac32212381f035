// Throughput of the payload encodings, each figure beside a reference measured in the
// same run on the same input: zlib (deflate level 6, inflate) for the block compressor,
// OpenSSL's AES-128-CBC for the payload cipher.
#include "codec/archive.h"
#include "codec/mem_file.h"
#include "codec/ox_compressed_file.h"
#include "codec/payload_cipher.h"
#include "codec/wire_key.h"

#include <openssl/evp.h>
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <string>

namespace {

constexpr size_t kInputSize = 4u << 20;

// Archive bytes of synthetic case records: case numbers, insured names and addresses,
// policy numbers, dates and amounts, as a case list would carry them.
std::string CaseArchiveBytes()
{
    static const char* const kNames[] = {"Harbor Freight Logistics LLC", "Maple Street Bakery",
                                         "Northwind Plumbing & Heating", "Blue Ridge Construction Co.",
                                         "Summit Dental Group PC", "Riverside Auto Body"};
    static const char* const kStreets[] = {"1200 Industrial Pkwy", "45 Maple St", "9 Commerce Dr",
                                           "3100 Ridge Rd Suite 4", "77 Harbor Blvd"};
    static const char* const kCities[] = {"Columbus", "Dayton", "Akron", "Toledo", "Cincinnati"};
    std::mt19937 random(7);
    CMemFile file;
    CArchive ar(file, CArchive::store);
    for (int i = 0; file.GetLength() < kInputSize; ++i) {
        ar.WriteString("A" + std::to_string(2600000 + i));
        ar.WriteString(kNames[random() % 6]);
        ar.WriteString(kStreets[random() % 5]);
        ar.WriteString(kCities[random() % 5]);
        ar.WriteString("OH");
        ar.WriteString(std::to_string(43000 + random() % 999));
        ar.WriteString("WC" + std::to_string(random() % 10000000));
        ar.WriteDateTime({0, 46000.0 + static_cast<double>(random() % 700)});
        ar.WriteDateTime({2, 0.0});
        ar.WriteDouble(static_cast<double>(random() % 100000) / 100.0);
        ar.WriteInt32(static_cast<int32_t>(random() % 9));
        ar.WriteBool32(random() % 2 != 0);
        ar.WriteString(i % 3 == 0 ? "Insured requests morning appointment" : "");
    }
    ar.Flush();
    return file.ToString().substr(0, kInputSize);
}

std::string RandomBytes()
{
    std::mt19937_64 random(11);
    std::string bytes(kInputSize, '\0');
    for (auto& c : bytes)
        c = static_cast<char>(random());
    return bytes;
}

// Best of several runs, in MB/s of plain bytes.
double Throughput(size_t bytes, const std::function<void()>& run)
{
    double best = 1e30;
    for (int i = 0; i < 5; ++i) {
        const auto start = std::chrono::steady_clock::now();
        run();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return static_cast<double>(bytes) / 1e6 / best;
}

std::string Compress(const std::string& plain)
{
    CMemFile sink;
    COXCompressedFile file;
    file.Open(sink, COXCompressedFile::modeWrite);
    file.Write(plain.data(), plain.size());
    file.Close();
    return sink.ToString();
}

std::string Expand(const std::string& compressed)
{
    CMemFile source(compressed);
    COXCompressedFile file;
    file.Open(source, COXCompressedFile::modeRead);
    std::string plain(kInputSize + 1024, '\0');
    size_t total = 0;
    for (size_t n; (n = file.Read(plain.data() + total, 65536)) > 0;)
        total += n;
    plain.resize(total);
    return plain;
}

std::string Deflate(const std::string& plain)
{
    uLongf length = compressBound(plain.size());
    std::string out(length, '\0');
    compress2(reinterpret_cast<Bytef*>(out.data()), &length, reinterpret_cast<const Bytef*>(plain.data()),
              plain.size(), 6);
    out.resize(length);
    return out;
}

std::string Inflate(const std::string& compressed, size_t plainSize)
{
    std::string out(plainSize, '\0');
    uLongf length = plainSize;
    uncompress(reinterpret_cast<Bytef*>(out.data()), &length, reinterpret_cast<const Bytef*>(compressed.data()),
               compressed.size());
    out.resize(length);
    return out;
}

std::string EvpCbc(const std::string& in, bool encrypt)
{
    const unsigned char iv[16] = {};
    EVP_CIPHER_CTX* ctx = EVP_CIPHER_CTX_new();
    EVP_CipherInit_ex(ctx, EVP_aes_128_cbc(), nullptr, reinterpret_cast<const unsigned char*>(kWireKeyText), iv,
                      encrypt ? 1 : 0);
    EVP_CIPHER_CTX_set_padding(ctx, 0);
    std::string out(in.size() + 16, '\0');
    int length = 0;
    int tail = 0;
    EVP_CipherUpdate(ctx, reinterpret_cast<unsigned char*>(out.data()), &length,
                     reinterpret_cast<const unsigned char*>(in.data()), static_cast<int>(in.size()));
    EVP_CipherFinal_ex(ctx, reinterpret_cast<unsigned char*>(out.data()) + length, &tail);
    EVP_CIPHER_CTX_free(ctx);
    out.resize(static_cast<size_t>(length + tail));
    return out;
}

}  // namespace

int main()
{
    struct Input {
        const char* name;
        std::string bytes;
    };
    const Input inputs[] = {
        {"case archive", CaseArchiveBytes()},
        {"random", RandomBytes()},
        {"zeros", std::string(kInputSize, '\0')},
    };

    std::printf("Block compressor, 4 MiB inputs (MB/s of plain bytes; best of 5)\n");
    std::printf("%-14s %10s %10s %10s %10s %9s %9s\n", "input", "compress", "zlib -6", "expand", "inflate",
                "ratio", "zlib");
    for (const Input& input : inputs) {
        std::string compressed;
        std::string deflated;
        const double compress = Throughput(kInputSize, [&] { compressed = Compress(input.bytes); });
        const double deflate = Throughput(kInputSize, [&] { deflated = Deflate(input.bytes); });
        std::string expanded;
        const double expand = Throughput(kInputSize, [&] { expanded = Expand(compressed); });
        const double inflate = Throughput(kInputSize, [&] { Inflate(deflated, kInputSize); });
        if (expanded != input.bytes)
            std::printf("  (round trip of %s FAILED)\n", input.name);
        std::printf("%-14s %10.1f %10.1f %10.1f %10.1f %8.1f%% %8.1f%%\n", input.name, compress, deflate, expand,
                    inflate, 100.0 * static_cast<double>(compressed.size()) / kInputSize,
                    100.0 * static_cast<double>(deflated.size()) / kInputSize);
    }

    std::printf("\nPayload cipher on case-archive bytes (MB/s; best of 5)\n");
    std::printf("%-8s %10s %12s %7s %10s %12s %7s\n", "size", "encipher", "EVP CBC enc", "ratio", "decipher",
                "EVP CBC dec", "ratio");
    CPayloadCipher cipher;
    cipher.SetKey(kWireKeyText, kWireKeyLength);
    for (size_t size : {size_t{1} << 20, size_t{16} << 20}) {
        std::string plain;
        while (plain.size() < size)
            plain += inputs[0].bytes;
        plain.resize(size);
        std::string enciphered;
        std::string deciphered;
        const double encipher = Throughput(size, [&] { enciphered = cipher.Encipher(plain); });
        const double decipher = Throughput(size, [&] { deciphered = cipher.Decipher(enciphered); });
        std::string evp;
        const double evpEncrypt = Throughput(size, [&] { evp = EvpCbc(plain, true); });
        const double evpDecrypt = Throughput(size, [&] { EvpCbc(evp, false); });
        if (deciphered != plain)
            std::printf("  (cipher round trip FAILED)\n");
        std::printf("%5zu MiB %10.1f %12.1f %6.2fx %10.1f %12.1f %6.2fx\n", size >> 20, encipher, evpEncrypt,
                    encipher / evpEncrypt, decipher, evpDecrypt, decipher / evpDecrypt);
    }
    return 0;
}
