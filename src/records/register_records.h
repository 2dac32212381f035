#pragma once
// Registration of every record class of this library with a class registry, so that
// loading archives can create them by class name.

#include "codec/class_registry.h"
#include "codec/object.h"

#include <span>

// The class descriptions of every record class, in no particular order.
std::span<const CRuntimeClass* const> RecordClasses();

// Adds every record class; calling it again, or on a registry that already holds some
// of them, changes nothing.
void RegisterRecordClasses(CClassRegistry& registry);
