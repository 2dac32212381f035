#include "admin/geo_names.h"

#include <algorithm>
#include <cctype>

namespace {

std::string Trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t\r\"");
    if (first == std::string::npos)
        return {};
    const size_t last = text.find_last_not_of(" \t\r\"");
    return text.substr(first, last - first + 1);
}

std::string Folded(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

TerritoryEntry SplitTerritoryEntry(const std::string& entry)
{
    const size_t split = entry.find("::");
    if (split == std::string::npos)
        return {entry, {}};
    return {entry.substr(0, split), entry.substr(split + 2)};
}

std::string TerritoryEntryText(const std::string& region, const std::string& territory)
{
    return region + "::" + territory;
}

std::optional<std::string> CheckRegionName(const std::string& name, const std::vector<std::string>& regions)
{
    if (name.empty())
        return "The region name cannot be blank.";
    if (std::find(regions.begin(), regions.end(), name) != regions.end())
        return "Region name already exists.  Pick another.";
    return std::nullopt;
}

std::optional<std::string> CheckTerritoryName(const std::string& region, const std::string& name,
                                              const std::string& currentName,
                                              const std::vector<std::string>& territories)
{
    if (name.empty())
        return "The territory name cannot be blank.";
    for (const std::string& entry : territories) {
        const TerritoryEntry split = SplitTerritoryEntry(entry);
        if (split.region == region && split.territory == name && (currentName.empty() || name != currentName))
            return "Territory name already exists.  Pick another.";
    }
    return std::nullopt;
}

std::vector<std::vector<std::string>> PastedRows(const std::string& text)
{
    std::vector<std::vector<std::string>> rows;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(start, end - start);
        std::vector<std::string> cells;
        size_t cellStart = 0;
        while (true) {
            const size_t tab = line.find('\t', cellStart);
            cells.push_back(Trimmed(line.substr(cellStart, tab == std::string::npos ? std::string::npos : tab - cellStart)));
            if (tab == std::string::npos)
                break;
            cellStart = tab + 1;
        }
        const bool empty = std::all_of(cells.begin(), cells.end(), [](const std::string& c) { return c.empty(); });
        if (!empty)
            rows.push_back(std::move(cells));
        start = end + 1;
    }
    return rows;
}

std::vector<std::string> PastedColumn(const std::string& text, size_t column)
{
    std::vector<std::string> cells;
    for (const auto& row : PastedRows(text))
        if (column < row.size() && !row[column].empty())
            cells.push_back(row[column]);
    return cells;
}

std::optional<std::string> AddZipCodes(std::vector<std::string>& zips, const std::vector<std::string>& added)
{
    std::vector<std::string> result = zips;
    for (const std::string& zip : added) {
        if (std::find(result.begin(), result.end(), zip) != result.end())
            return "Zip code " + zip + " is already in the list.";
        result.push_back(zip);
    }
    zips = std::move(result);
    return std::nullopt;
}

std::optional<std::string> AddCounties(std::vector<std::string>& counties, std::vector<std::string>& states,
                                       const std::vector<std::pair<std::string, std::string>>& added)
{
    std::vector<std::string> newCounties = counties;
    std::vector<std::string> newStates = states;
    newStates.resize(newCounties.size());
    for (const auto& [county, state] : added) {
        for (size_t i = 0; i < newCounties.size(); ++i)
            if (Folded(newCounties[i]) == Folded(county) && Folded(newStates[i]) == Folded(state))
                return "County " + county + ", " + state + " is already in the list.";
        newCounties.push_back(county);
        newStates.push_back(state);
    }
    counties = std::move(newCounties);
    states = std::move(newStates);
    return std::nullopt;
}
