#pragma once
// One page of a case's policy detail: a short label and free text.

#include "codec/object.h"

#include <string>

class CPolicyPage : public CObject {
    ORV_DECLARE_SERIAL(CPolicyPage)
public:
    void Serialize(CArchive& ar) override;

    std::string label;  // at most 30 characters in the editor
    std::string text;
};
