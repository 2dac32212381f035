#include "app/access_groups.h"

#include <array>

std::string AccessGroupName(int index)
{
    static const std::array<const char*, kAccessGroupCount> names = {
        "Administrators", "Auditors", "Billers", "Exporters", "Importers", "Printers", "Reviewers", "Schedulers",
    };
    if (index < 0 || index >= kAccessGroupCount)
        return {};
    return names[static_cast<size_t>(index)];
}
