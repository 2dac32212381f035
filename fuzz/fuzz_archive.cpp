// Loads arbitrary bytes as an archive: as a sequence of tagged objects of every registered
// class, as the two top-level wrapper records, and as one record of a class named by the
// input (a length byte and the class name, then the record's bytes, read at top level
// as commands read their replies). Malformed input must end in a CCodecException, never
// a crash, a hang or an unbounded allocation.
#include "codec/archive.h"
#include "codec/binary_object.h"
#include "codec/class_registry.h"
#include "codec/mem_file.h"
#include "codec/string_object.h"
#include "records/register_records.h"

#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool registered = [] {
        RegisterRecordClasses(CClassRegistry::Global());
        return true;
    }();
    (void)registered;

    const std::string bytes(reinterpret_cast<const char*>(data), size);
    try {
        // Objects until the data ends: the archive reads ahead into its buffer, so the
        // stream's own position says nothing about what is left. Every object takes at
        // least two bytes, so the loop ends by the end-of-data error at the latest.
        // References to one object count as copies of it: a few bytes each must not
        // stand for more than the bound.
        ReaderLimits limits;
        limits.maxMaterialisedBytes = uint64_t{1} << 26;
        limits.maxMaterialisedObjects = uint64_t{1} << 20;
        CMemFile file(bytes);
        CArchive ar(file, CArchive::load, CArchive::kDefaultBufferSize, nullptr, limits);
        for (size_t i = 0; i <= size; ++i)
            ar.ReadObject();
    } catch (const CCodecException&) {
    }
    try {
        CMemFile file(bytes);
        CArchive ar(file, CArchive::load);
        CStringObject text;
        text.Serialize(ar);
        CBinaryObject block;
        block.Serialize(ar);
        std::vector<std::string> texts;
        ar.StringArray(texts);
    } catch (const CCodecException&) {
    }
    if (size > 0 && size >= 1u + data[0]) {
        const std::string_view name(reinterpret_cast<const char*>(data) + 1, data[0]);
        if (const CRuntimeClass* cls = CClassRegistry::Global().Find(name)) {
            try {
                CMemFile file(bytes.substr(1 + name.size()));
                CArchive ar(file, CArchive::load);
                cls->create()->Serialize(ar);
            } catch (const CCodecException&) {
            }
        }
    }
    return 0;
}
