#include "records/record_io.h"

#include <limits>

void SerializeInt32List(CArchive& ar, std::vector<int32_t>& values)
{
    if (ar.IsStoring()) {
        ar.WriteCount(values.size());
        for (int32_t value : values)
            ar.WriteInt32(value);
        return;
    }
    const uint32_t count = ar.ReadCount();
    ar.CheckAvailable(count, 4);
    values.clear();
    values.reserve(count);
    for (uint32_t i = 0; i < count; ++i)
        values.push_back(ar.ReadInt32());
}

void SerializeByteBlock(CArchive& ar, std::string& bytes)
{
    if (ar.IsStoring()) {
        if (bytes.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
            throw CCodecException(CCodecException::limitExceeded, "A byte block too large to send");
        ar.WriteInt32(static_cast<int32_t>(bytes.size()));
        ar.WriteBytes(bytes.data(), bytes.size());
        return;
    }
    const int32_t count = ar.ReadInt32();
    if (count < 0)
        throw CCodecException(CCodecException::limitExceeded, "A negative byte count");
    bytes.clear();
    if (count > 0)
        ar.ReadBytes(bytes, static_cast<uint64_t>(count));
}
