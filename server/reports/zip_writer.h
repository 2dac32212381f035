#pragma once
// A zip archive built in memory with stored (uncompressed) entries: what an XPS package
// needs. Without the 64-bit extensions, so at most 65535 entries and 4 GiB in all.

#include <cstdint>
#include <string>
#include <vector>

class CZipWriter {
public:
    static constexpr size_t kMaxEntries = 0xFFFF;
    static constexpr uint64_t kMaxArchiveSize = 0xFFFFFFFFull;

    // maxSize bounds the finished archive below the format's own 4 GiB.
    explicit CZipWriter(uint64_t maxSize = kMaxArchiveSize) : m_maxSize(maxSize < kMaxArchiveSize ? maxSize : kMaxArchiveSize) {}

    // Adds an entry; false (and nothing added) when the archive would pass its limits.
    bool Add(const std::string& name, const std::string& bytes);
    // The finished archive: the entries, the central directory and its end record. The
    // entries' bytes move into it, so the writer is empty afterwards.
    std::string Finish();

    size_t EntryCount() const { return m_entries.size(); }
    // What the archive would be if it were finished now.
    uint64_t Size() const { return m_data.size() + m_directorySize + 22; }

private:
    struct Entry {
        std::string name;
        uint32_t crc = 0;
        uint32_t size = 0;
        uint32_t offset = 0;  // of the local header
    };

    std::string m_data;  // local headers and entry bytes
    std::vector<Entry> m_entries;
    uint64_t m_directorySize = 0;  // of the central directory entries so far
    uint64_t m_maxSize;
};
