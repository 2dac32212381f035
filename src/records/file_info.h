#pragma once
// A record of the server's that may appear in an archive. The client registers it so
// that such an archive loads, but neither creates nor reads one.

#include "codec/date_time.h"
#include "codec/object.h"
#include "records/record_io.h"

#include <cstdint>
#include <string>

class CFileInfo : public CObject {
    ORV_DECLARE_SERIAL(CFileInfo)
public:
    void Serialize(CArchive& ar) override;

    std::string name;
    CDateTime date = kValidZeroDate;
    int32_t opaqueInt1 = 0;
    int32_t opaqueInt2 = 0;
};
