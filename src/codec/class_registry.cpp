#include "codec/class_registry.h"

#include "codec/binary_object.h"
#include "codec/string_object.h"

CClassRegistry& CClassRegistry::Global()
{
    static CClassRegistry* registry = [] {
        static CClassRegistry instance;
        RegisterCodecClasses(instance);
        return &instance;
    }();
    return *registry;
}

void CClassRegistry::Add(const CRuntimeClass& cls)
{
    std::lock_guard lock(m_mutex);
    m_classes.emplace(cls.name, &cls);
}

const CRuntimeClass* CClassRegistry::Find(std::string_view name) const
{
    std::lock_guard lock(m_mutex);
    const auto it = m_classes.find(std::string(name));
    return it == m_classes.end() ? nullptr : it->second;
}

size_t CClassRegistry::Size() const
{
    std::lock_guard lock(m_mutex);
    return m_classes.size();
}

void RegisterCodecClasses(CClassRegistry& registry)
{
    registry.Add(CStringObject::classInfo);
    registry.Add(CBinaryObject::classInfo);
}
