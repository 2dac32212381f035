#pragma once
// A picture as Windows enhanced-metafile bytes, with a kind word that is carried
// unchanged. Written in place inside its section, without a class tag.

#include "codec/binary_object.h"
#include "codec/object.h"

#include <cstdint>
#include <string>

class CMetafileData : public CObject {
    ORV_DECLARE_SERIAL(CMetafileData)
public:
    int32_t kind = 0;

    void Serialize(CArchive& ar) override;

    const std::string& GetBytes() const { return m_bytes.GetBytes(); }
    void SetBytes(std::string bytes) { m_bytes.SetBytes(std::move(bytes)); }
    bool HasBytes() const { return m_bytes.GetSize() > 0; }

private:
    CBinaryObject m_bytes;  // the byte count and the bytes
};
