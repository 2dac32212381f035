#pragma once
// The access groups of the child accounts, in their fixed order: a case's child group
// code and a child's group index name them (8 stands for the archive, 9 for "Customer
// Rep", neither of which is an access group here).

#include <string>

inline constexpr int kAccessGroupCount = 8;

// "Administrators", "Auditors", "Billers", "Exporters", "Importers", "Printers",
// "Reviewers", "Schedulers" for 0 to 7; the empty text for any other index.
std::string AccessGroupName(int index);
