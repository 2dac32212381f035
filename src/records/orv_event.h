#pragma once
// Report event and trigger records of the server's, registered so that archives holding
// them load, and carried unchanged.

#include "codec/object.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CORVEvent : public CObject {
    ORV_DECLARE_SERIAL(CORVEvent)
public:
    void Serialize(CArchive& ar) override;

    int32_t opaqueInt1 = 0;
};

class CORVWatchEvent : public CORVEvent {
    ORV_DECLARE_SERIAL(CORVWatchEvent)
public:
    void Serialize(CArchive& ar) override;

    std::string opaqueText;
    int32_t opaqueInt2 = 0;
    // Records of any class, carried unchanged (copies share them).
    std::vector<std::shared_ptr<CObject>> objects;
};

class CORVEventTrigger : public CObject {
    ORV_DECLARE_SERIAL(CORVEventTrigger)
public:
    void Serialize(CArchive& ar) override;

    int32_t opaqueInt1 = 0;
};

class CORVWatchTrigger : public CORVEventTrigger {
    ORV_DECLARE_SERIAL(CORVWatchTrigger)
public:
    void Serialize(CArchive& ar) override;

    int32_t opaqueInt2 = 0;
    int32_t opaqueInt3 = 0;
};
