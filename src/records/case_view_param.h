#pragma once
// One entry of the user's list of case views: enough to list the view under the tree
// nodes its scope matches and to run it by identifier.

#include "codec/object.h"

#include <cstdint>
#include <string>

class CCaseViewParam : public CObject {
    ORV_DECLARE_SERIAL(CCaseViewParam)
public:
    enum ViewType : int32_t { caseView = 0, searchView = 1, caseAndSearchView = 2 };

    void Serialize(CArchive& ar) override;

    int32_t viewId = 0;
    std::string name;
    int32_t scope = 0;  // scope bit set
    int32_t viewType = caseView;
};
