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

    // Adds an entry; false (and nothing added) when the archive would pass its limits.
    bool Add(const std::string& name, const std::string& bytes);
    // The finished archive: the entries, the central directory and its end record.
    std::string Finish() const;

    size_t EntryCount() const { return m_entries.size(); }

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
};
