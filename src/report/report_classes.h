#pragma once
// Registers the report classes for loading by class name. Safe to call more than once.

class CClassRegistry;

void RegisterReportClasses(CClassRegistry& registry);
