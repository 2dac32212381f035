#pragma once
// One report view in a user's list: its name, the report file the server runs, and the
// report's own settings as bytes that only the server reads.

#include "codec/object.h"

#include <string>

class CReportPropItem : public CObject {
    ORV_DECLARE_SERIAL(CReportPropItem)
public:
    void Serialize(CArchive& ar) override;

    std::string name;        // unique within one user's list
    std::string reportFile;  // one of the server's report file names
    std::string settings;    // raw bytes; their count travels before them
};
