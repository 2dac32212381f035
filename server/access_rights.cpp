#include "server/access_rights.h"

std::string AccessGroupName(int32_t group)
{
    static const char* const kNames[] = {"Administrators", "Auditors", "Billers",   "Exporters",
                                         "Importers",      "Printers", "Reviewers", "Schedulers"};
    if (group >= 0 && group <= 7)
        return kNames[group];
    if (group == Group::archive)
        return "*ARCHIVE*";
    if (group == Group::customerReps)
        return "Customer Rep";
    if (group == -2)
        return "*AUTO*";
    return {};
}
