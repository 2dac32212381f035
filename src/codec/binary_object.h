#pragma once
// A binary block as a record: an int32 byte count, then exactly that many raw bytes.
// Carries generated reports, exported documents, attachment files and import files.

#include "codec/object.h"

#include <string>
#include <utility>

class CBinaryObject : public CObject {
    ORV_DECLARE_SERIAL(CBinaryObject)
public:
    CBinaryObject() = default;
    explicit CBinaryObject(std::string bytes) : m_bytes(std::move(bytes)) {}

    void Serialize(CArchive& ar) override;

    const std::string& GetBytes() const { return m_bytes; }
    void SetBytes(std::string bytes) { m_bytes = std::move(bytes); }
    size_t GetSize() const { return m_bytes.size(); }

private:
    std::string m_bytes;
};
