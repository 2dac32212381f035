#pragma once
// The serializable base of every record, and the class description that the archive
// writes with tagged objects and looks up by name when loading them.

#include <cstdint>
#include <memory>

class CArchive;
class CObject;

struct CRuntimeClass {
    const char* name;         // the exact class name written on the wire
    uint16_t schema;          // the schema number written with the class name
    bool acceptsAnySchema;    // when loading: take any stored schema number
    std::shared_ptr<CObject> (*create)();
};

class CObject {
public:
    virtual ~CObject() = default;
    // Writes or reads the fields in their one fixed order, by the archive's direction.
    virtual void Serialize(CArchive& ar) = 0;
    // The class description; records that only travel at top level may return nullptr.
    virtual const CRuntimeClass* GetRuntimeClass() const { return nullptr; }
};

// Declares the class description of a record class.
#define ORV_DECLARE_SERIAL(ClassName)                                      \
public:                                                                    \
    static const CRuntimeClass classInfo;                                  \
    const CRuntimeClass* GetRuntimeClass() const override { return &classInfo; }

// Defines it: the schema number and whether any stored schema is accepted.
#define ORV_IMPLEMENT_SERIAL(ClassName, schemaNumber, acceptAny)                         \
    const CRuntimeClass ClassName::classInfo = {                                         \
        #ClassName, schemaNumber, acceptAny,                                             \
        []() -> std::shared_ptr<CObject> { return std::make_shared<ClassName>(); }};

// Schema numbers in use.
inline constexpr uint16_t kRecordSchema = 100;  // records: any stored schema is accepted
inline constexpr uint16_t kEventSchema = 101;   // the report event classes
