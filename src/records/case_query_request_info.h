#pragma once
// One run of a case view: which view, under which tree node, with which extra search.

#include "codec/object.h"

#include <cstdint>
#include <string>

class CCaseQueryRequestInfo : public CObject {
    ORV_DECLARE_SERIAL(CCaseQueryRequestInfo)
public:
    void Serialize(CArchive& ar) override;

    int32_t viewId = -1;        // -1 when the view is not in the user's list
    std::string target;         // the tree node's text
    std::string searchFormula;  // or empty
};
