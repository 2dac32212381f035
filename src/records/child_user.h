#pragma once
// One child in the user's list of children.

#include "codec/object.h"

#include <cstdint>
#include <string>

class CChildUser : public CObject {
    ORV_DECLARE_SERIAL(CChildUser)
public:
    void Serialize(CArchive& ar) override;

    std::string name;
    int32_t group = 0;    // access-group index, 0 "Administrators" to 7 "Schedulers" (9 "Customer Rep")
    std::string loginId;  // the key of the child's stored settings
};
