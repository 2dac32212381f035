#pragma once
// One proposed entry of billing many cases at once: a complete billing entry written in
// place, then five values of the server's that travel back unchanged.

#include "codec/object.h"
#include "records/billing_entry.h"

#include <cstdint>
#include <string>

class CMultiBillingEntry : public CObject {
    ORV_DECLARE_SERIAL(CMultiBillingEntry)
public:
    void Serialize(CArchive& ar) override;

    CBillingEntry entry;
    int32_t opaqueInt1 = 0;
    int32_t opaqueInt2 = 0;
    int32_t opaqueInt3 = 0;
    std::string opaqueText1;
    std::string opaqueText2;
};
