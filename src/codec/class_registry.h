#pragma once
// The table from class name to class description that loading archives consult.
// Names are compared exactly (case-sensitive). Each layer adds its own classes through
// a registration function, once, before archives load them.

#include "codec/object.h"

#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>

class CClassRegistry {
public:
    // The process-wide registry; it already holds the codec's own classes.
    static CClassRegistry& Global();

    CClassRegistry() = default;
    CClassRegistry(const CClassRegistry&) = delete;
    CClassRegistry& operator=(const CClassRegistry&) = delete;

    // Adds a class; a second registration of the same name keeps the first.
    void Add(const CRuntimeClass& cls);
    // Returns the class registered under exactly that name, or nullptr.
    const CRuntimeClass* Find(std::string_view name) const;
    size_t Size() const;

private:
    mutable std::mutex m_mutex;
    std::unordered_map<std::string, const CRuntimeClass*> m_classes;
};

// Registers CStringObject and CBinaryObject.
void RegisterCodecClasses(CClassRegistry& registry);
