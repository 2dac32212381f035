// Throughput of the payload encodings, each figure beside a reference measured in the
// same run on the same input, with the ratio and the target it is held to: zlib
// (deflate level 6, inflate) for the block compressor's two coders and its expander,
// OpenSSL's AES-128-CBC for the payload cipher. Times are the CPU time of this thread
// (every step runs on it alone), so that other work on a shared machine does not
// weigh on one side of a ratio more than on the other.
#include "codec/archive.h"
#include "codec/mem_file.h"
#include "codec/ox_compressed_file.h"
#include "codec/payload_cipher.h"
#include "codec/wire_key.h"

#include <openssl/evp.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
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

double ThreadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Best of several runs, in MB/s of plain bytes.
double Throughput(size_t bytes, const std::function<void()>& run)
{
    double best = 1e30;
    for (int i = 0; i < 5; ++i) {
        const double start = ThreadSeconds();
        run();
        best = std::min(best, ThreadSeconds() - start);
    }
    return static_cast<double>(bytes) / 1e6 / best;
}

std::string Compress(const std::string& plain, COXCompressedFile::Search search)
{
    CMemFile sink;
    COXCompressedFile file;
    file.SetSearch(search);
    file.Open(sink, COXCompressedFile::modeWrite);
    file.Write(plain.data(), plain.size());
    file.Close();
    return sink.ToString();
}

// " (below the target)" when a figure misses it, otherwise nothing.
const char* Miss(bool missed)
{
    return missed ? "  (below the target)" : "";
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

    std::printf("Block compressor, 4 MiB inputs (MB/s of plain bytes; best of 5; thread CPU time)\n");
    std::printf("Compress: hash chains (payloads) and search tree beside zlib -6; target on the case archive:\n"
                "chains >= 1.00x zlib's speed, output at most 3%% larger than the tree's\n");
    std::printf("%-13s %-6s %9s %9s %7s %10s %10s %8s\n", "input", "coder", "MB/s", "zlib -6", "speed", "bytes",
                "zlib bytes", "vs tree");
    std::string chained[std::size(inputs)];
    for (size_t k = 0; k < std::size(inputs); ++k) {
        const Input& input = inputs[k];
        std::string tree;
        std::string deflated;
        const double chains = Throughput(kInputSize, [&] { chained[k] = Compress(input.bytes, COXCompressedFile::searchChains); });
        const double treeSpeed = Throughput(kInputSize, [&] { tree = Compress(input.bytes, COXCompressedFile::searchTree); });
        const double deflate = Throughput(kInputSize, [&] { deflated = Deflate(input.bytes); });
        const double sizeRatio = static_cast<double>(chained[k].size()) / static_cast<double>(tree.size());
        std::printf("%-13s %-6s %9.1f %9.1f %6.2fx %10zu %10zu %8.4f%s%s\n", input.name, "chains", chains, deflate,
                    chains / deflate, chained[k].size(), deflated.size(), sizeRatio, Miss(k == 0 && chains < deflate),
                    k == 0 && sizeRatio > 1.03 ? "  (over 3% larger)" : "");
        std::printf("%-13s %-6s %9.1f %9.1f %6.2fx %10zu %10zu %8.4f\n", input.name, "tree", treeSpeed, deflate,
                    treeSpeed / deflate, tree.size(), deflated.size(), 1.0);
        if (Expand(tree) != input.bytes)
            std::printf("  (round trip of the tree's %s stream FAILED)\n", input.name);
    }

    std::printf("\nExpand the chains' stream beside inflate of zlib's; target on the case archive >= 0.50x\n");
    std::printf("%-13s %9s %9s %7s\n", "input", "expand", "inflate", "speed");
    for (size_t k = 0; k < std::size(inputs); ++k) {
        const Input& input = inputs[k];
        const std::string deflated = Deflate(input.bytes);
        std::string expanded;
        const double expand = Throughput(kInputSize, [&] { expanded = Expand(chained[k]); });
        const double inflate = Throughput(kInputSize, [&] { Inflate(deflated, kInputSize); });
        if (expanded != input.bytes)
            std::printf("  (round trip of the chains' %s stream FAILED)\n", input.name);
        std::printf("%-13s %9.1f %9.1f %6.2fx%s\n", input.name, expand, inflate, expand / inflate,
                    Miss(k == 0 && expand < 0.5 * inflate));
    }

    std::printf("\nPayload cipher on case-archive bytes (MB/s; best of 5; thread CPU time); target >= 0.80x\n");
    std::printf("%-8s %10s %12s %7s %10s %12s %7s\n", "size", "encipher", "EVP CBC enc", "ratio", "decipher",
                "EVP CBC dec", "ratio");
    CPayloadCipher cipher;
    cipher.SetKey(kWireKeyText, kWireKeyLength);
    for (size_t size : {size_t{1} << 20, size_t{16} << 20}) {
        std::string plain;
        while (plain.size() < size)
            plain += inputs[0].bytes;
        plain.resize(size);
        // Both sides keep their ciphertext and drop their plaintext at the end of each run,
        // so both allocate their results against the same heap.
        std::string enciphered;
        const double encipher = Throughput(size, [&] { enciphered = cipher.Encipher(plain); });
        const double decipher = Throughput(size, [&] { cipher.Decipher(enciphered); });
        std::string evp;
        const double evpEncrypt = Throughput(size, [&] { evp = EvpCbc(plain, true); });
        const double evpDecrypt = Throughput(size, [&] { EvpCbc(evp, false); });
        if (cipher.Decipher(enciphered) != plain)
            std::printf("  (cipher round trip FAILED)\n");
        std::printf("%5zu MiB %10.1f %12.1f %6.2fx %10.1f %12.1f %6.2fx%s\n", size >> 20, encipher, evpEncrypt,
                    encipher / evpEncrypt, decipher, evpDecrypt, decipher / evpDecrypt,
                    Miss(encipher < 0.8 * evpEncrypt || decipher < 0.8 * evpDecrypt));
    }
    return 0;
}
