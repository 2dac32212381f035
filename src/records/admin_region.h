#pragma once
// A region as the administration commands add, rename and delete it.

#include "codec/object.h"

#include <string>

class CAdminRegion : public CObject {
    ORV_DECLARE_SERIAL(CAdminRegion)
public:
    void Serialize(CArchive& ar) override;

    std::string name;  // at most 50 characters
};
