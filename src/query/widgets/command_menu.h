#pragma once
// Fills a QMenu from menu entries (query/menu_entry.h). Each action carries its command
// identifier as data and calls `run` with it when triggered.

#include "query/menu_entry.h"

#include <functional>
#include <vector>

class QMenu;

void FillCommandMenu(QMenu& menu, const std::vector<MenuEntry>& entries, const std::function<void(int)>& run,
                     const std::function<bool(int)>& enabled = {});
