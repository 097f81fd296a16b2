#pragma once
// Small DXF texts built in the tests, group by group.

#include "exchange/DxfFile.h"
#include "model/EntityList.h"

#include <cstdio>
#include <filesystem>
#include <unistd.h>
#include <string>
#include <utility>
#include <vector>

namespace dxftest {

// A scratch folder of this process: test runs of several checkouts may
// share the machine's temporary folder.
inline std::filesystem::path TempFolder(const std::string& name)
{
    return std::filesystem::temp_directory_path() / (name + "-" + std::to_string(::getpid()));
}

using Group = std::pair<int, std::string>;

// Groups as DXF lines ("%3d" code, value), each line ended by `eol`.
inline std::string Groups(const std::vector<Group>& groups, const std::string& eol = "\n")
{
    std::string out;
    for (const Group& g : groups) {
        char code[16];
        std::snprintf(code, sizeof code, "%3d", g.first);
        out += code;
        out += eol;
        out += g.second;
        out += eol;
    }
    return out;
}

// A file holding only an ENTITIES section with the given entity groups.
inline std::string EntitiesFile(const std::vector<Group>& entityGroups, const std::vector<Group>& header = {},
                                const std::string& eol = "\n")
{
    std::vector<Group> all;
    if (!header.empty()) {
        all.push_back({0, "SECTION"});
        all.push_back({2, "HEADER"});
        all.insert(all.end(), header.begin(), header.end());
        all.push_back({0, "ENDSEC"});
    }
    all.push_back({0, "SECTION"});
    all.push_back({2, "ENTITIES"});
    all.insert(all.end(), entityGroups.begin(), entityGroups.end());
    all.push_back({0, "ENDSEC"});
    all.push_back({0, "EOF"});
    return Groups(all, eol);
}

inline std::vector<const CEntity*> Entities(const CEntityList& list)
{
    std::vector<const CEntity*> out;
    for (const CEntity* e = list.first; e; e = e->next) out.push_back(e);
    return out;
}

} // namespace dxftest
