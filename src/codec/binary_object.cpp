#include "codec/binary_object.h"

#include "codec/archive.h"

#include <limits>

ORV_IMPLEMENT_SERIAL(CBinaryObject, kRecordSchema, true)

void CBinaryObject::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        if (m_bytes.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
            throw CCodecException(CCodecException::limitExceeded, "A binary block too large to send");
        ar.WriteInt32(static_cast<int32_t>(m_bytes.size()));
        ar.WriteBytes(m_bytes.data(), m_bytes.size());
        return;
    }
    const int32_t count = ar.ReadInt32();
    if (count < 0)
        throw CCodecException(CCodecException::limitExceeded, "A negative byte count");
    // A count of 0 leaves the record empty rather than keeping bytes from before.
    m_bytes.clear();
    if (count > 0)
        ar.ReadBytes(m_bytes, static_cast<uint64_t>(count));
}
