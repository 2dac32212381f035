#pragma once
// One attachment of a case: an audit or survey printout kept by the server, or a file.

#include "codec/object.h"

#include <cstdint>
#include <string>

class CAttachment : public CObject {
    ORV_DECLARE_SERIAL(CAttachment)
public:
    void Serialize(CArchive& ar) override;

    int32_t attachmentId = 0;
    int32_t opaqueInt = 0;  // carried unchanged
    std::string name;
    std::string kind;       // "AUDIT", "SURVEY" or "FILE"
    std::string fileName;   // for kind "FILE"
    bool printable = false;
    bool toBePrinted = false;  // printed by the print commands when also printable
    bool isDefault = false;    // the case's default attachment
};
