#pragma once
// The graph choices of the control panel's combo boxes: the titles a set of list flags
// selects from the mode object, and the graph id a chosen title stands for. The mode object
// is any type with the mode-object interface's choice operations (GetChoiceCount,
// IsChoiceAvailable, GetGraphTitle, GetChoiceTitle).

#include <array>
#include <string>
#include <utility>
#include <vector>

namespace choice_lists {
// Titles that always name the same graph.
inline const std::array<std::pair<const char*, int>, 20> kFixedTitles = {{
    {"Shear-Transverse Strain", 1005},
    {"Crack Diagram ", 2000},
    {"Cross Section", 2001},
    {"N+M", 2002},
    {"Internal Forces", 2003},
    {" Crack Diagram ", 2103},
    {"Circle of Strain (average)", 2100},
    {"Circle of Stress (crack)", 2101},
    {"Circle of Stress (average)", 2102},
    {"Stress & Strain", 2104},
    {"Concentration Contours", 2107},
    {"Concentration Plot", 2108},
    {"Tabular Output", 2109},
    {"Shell Diagram", 2200},
    {"Block Crack Diagram", 2201},
    {"Bar Chart: Present Value", 4100},
    {"Bar Chart: Construction Cost", 4101},
    {"3D Diagram: Long. Strain", 4700},
    {"3D Diagram: Curvature", 4701},
    {"3D Diagram: Shear Strain", 4702},
}};
} // namespace choice_lists

// The titles that the flags select, in the lists' order; none without a mode object.
template <typename Logic>
std::vector<std::string> ChoiceTitles(Logic* logic, int flags, int defaultGraphId)
{
    std::vector<std::string> titles;
    if (logic == nullptr)
        return titles;
    auto add = [&](std::initializer_list<const char*> fixed) {
        for (const char* t : fixed)
            titles.emplace_back(t);
    };
    auto category = [&](int c, bool tested) {
        for (int i = 0; i < logic->GetChoiceCount(c); ++i)
            if (!tested || logic->IsChoiceAvailable(c, i))
                titles.push_back(logic->GetChoiceTitle(c, i, 0));
    };
    if (flags & 1)
        for (int i = 0; i < logic->GetChoiceCount(4); ++i)
            if (logic->IsChoiceAvailable(4, defaultGraphId + i))
                titles.push_back(logic->GetGraphTitle(defaultGraphId + i, 0));
    if (flags & 2)
        add({"Crack Diagram ", "Cross Section"});
    if (flags & 4)
        for (int id = 1000; id <= 999 + logic->GetChoiceCount(1); ++id)
            if (logic->IsChoiceAvailable(1, id))
                titles.push_back(logic->GetGraphTitle(id, 0));
    if (flags & 8)
        category(5, true);
    if (flags & 16)
        add({"N+M", "Internal Forces"});
    if (flags & 32)
        add({"Circle of Strain (average)",
             "Circle of Stress (crack)",
             "Circle of Stress (average)"});
    if (flags & 64)
        add({" Crack Diagram "});
    if (flags & 128)
        add({"Shell Diagram"});
    if (flags & 256)
        category(6, true);
    if (flags & 512)
        add({"Stress & Strain"});
    if (flags & 1024)
        add({"Block Crack Diagram"});
    if (flags & 2048)
        add({"Bar Chart: Present Value", "Bar Chart: Construction Cost"});
    if (flags & 4096)
        category(7, false);
    if (flags & 8192)
        add({"Tabular Output"});
    if (flags & 16384) {
        const char* diagrams[3] = {"3D Diagram: Long. Strain",
                                   "3D Diagram: Curvature",
                                   "3D Diagram: Shear Strain"};
        for (int i = 0; i < 3; ++i)
            if (logic->IsChoiceAvailable(4700, i))
                titles.emplace_back(diagrams[i]);
    }
    return titles;
}

// The graph id of a title (exact, case-sensitive, first match); -1 when nothing matches, 0
// without a mode object.
template <typename Logic>
int ChartIdFromTitle(Logic* logic, const std::string& title, int defaultGraphId)
{
    if (logic == nullptr)
        return 0;
    for (int i = 0; i < logic->GetChoiceCount(4); ++i)
        if (logic->GetChoiceTitle(4, defaultGraphId + i, 0) == title)
            return defaultGraphId + i;
    const std::pair<int, int> categories[5] = {{1, 1000},
                                               {5, 3000},
                                               {6, 4000},
                                               {10, 5000},
                                               {7, 6000}};
    for (const auto& [c, base] : categories)
        for (int i = 0; i < logic->GetChoiceCount(c); ++i)
            if (logic->GetChoiceTitle(c, i, 0) == title)
                return base + i;
    for (const auto& [text, id] : choice_lists::kFixedTitles)
        if (title == text)
            return id;
    for (int i = 0; i < logic->GetChoiceCount(11); ++i)
        if (logic->GetChoiceTitle(11, i, 0) == title)
            return 4800 + i;
    return -1;
}
