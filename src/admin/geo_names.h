#pragma once
// The checks of the region and territory dialogs against the document's lists, the
// splitting of "region::territory" entries, and the zip code and county grids' lists
// (pasting a column from a spreadsheet, duplicates refused).

#include <optional>
#include <string>
#include <vector>

inline constexpr int kMaxBillingCode = 5;

// "region::territory" split at the first "::" (the territory empty when there is none).
struct TerritoryEntry {
    std::string region;
    std::string territory;
};
TerritoryEntry SplitTerritoryEntry(const std::string& entry);
std::string TerritoryEntryText(const std::string& region, const std::string& territory);

// The refusal of a region name, nothing when it may be sent. (A rename to the current
// name sends nothing at all; the caller ends before this check.)
std::optional<std::string> CheckRegionName(const std::string& name, const std::vector<std::string>& regions);
// The refusal of a territory name within its region; `currentName` is empty when adding.
std::optional<std::string> CheckTerritoryName(const std::string& region, const std::string& name,
                                              const std::string& currentName,
                                              const std::vector<std::string>& territories);

// The lines of pasted text as cells: one per line, its first tab-separated column,
// blanks around it removed, empty lines dropped.
std::vector<std::string> PastedColumn(const std::string& text, size_t column = 0);
// Rows of pasted text split at tabs, blanks around each cell removed, empty lines dropped.
std::vector<std::vector<std::string>> PastedRows(const std::string& text);

// Adds the zip codes in order, refusing the first one already listed (or listed twice
// in `added`) with its message; nothing is added then.
std::optional<std::string> AddZipCodes(std::vector<std::string>& zips, const std::vector<std::string>& added);
// The same for county and state pairs (letter case ignored).
std::optional<std::string> AddCounties(std::vector<std::string>& counties, std::vector<std::string>& states,
                                       const std::vector<std::pair<std::string, std::string>>& added);
