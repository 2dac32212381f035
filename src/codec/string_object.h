#pragma once
// One text wrapped as a record: the form in which single texts cross the wire. Its
// serialization is the string and nothing else.

#include "codec/object.h"

#include <string>
#include <utility>

class CStringObject : public CObject {
    ORV_DECLARE_SERIAL(CStringObject)
public:
    CStringObject() = default;
    explicit CStringObject(std::string text) : m_text(std::move(text)) {}

    void Serialize(CArchive& ar) override;

    const std::string& GetText() const { return m_text; }
    void SetText(std::string text) { m_text = std::move(text); }

private:
    std::string m_text;
};
