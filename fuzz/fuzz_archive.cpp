// Loads arbitrary bytes as an archive: as a sequence of tagged objects of every registered
// class, and as the two top-level wrapper records. Malformed input must end in a
// CCodecException, never a crash, a hang or an unbounded allocation.
#include "codec/archive.h"
#include "codec/binary_object.h"
#include "codec/class_registry.h"
#include "codec/mem_file.h"
#include "codec/string_object.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    try {
        CMemFile file(bytes);
        CArchive ar(file, CArchive::load);
        while (file.Remaining() > 0 || size == 0) {
            ar.ReadObject();
            if (size == 0)
                break;
        }
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
    return 0;
}
