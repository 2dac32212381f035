#pragma once
// One report view that the signed-in user may run.

#include "codec/object.h"

#include <cstdint>
#include <string>

class CReportViewParam : public CObject {
    ORV_DECLARE_SERIAL(CReportViewParam)
public:
    void Serialize(CArchive& ar) override;

    int32_t viewId = 0;  // the server's key; report commands pass the name
    std::string name;
};
