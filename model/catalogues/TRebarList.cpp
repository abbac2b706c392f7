#include "model/catalogues/TRebarList.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <new>

#include "foundation/DataLineReader.h"
#include "foundation/ProgramPaths.h"
#include "foundation/ReportText.h"
#include "foundation/StrFormat.h"
#include "model/LayerLimits.h"

TRebarList g_RebarList;

namespace {

// Relative match of FindByArea.
constexpr double kAreaMatchTolerance = 0.002;
// File units: mm and mm^2.
constexpr double kMmPerM = 1000.0;
constexpr double kMm2PerM2 = 1e6;

const char kWriteFailedMessage[] =
    "Automatic creation of rebar.dat file failed. Disk may be full or read-only.\r\n"
    "This means that reinforcment may not be specified by name in new sections";

bool EndsWith(const std::string& text, const char* suffix)
{
    const std::string tail(suffix);
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

} // namespace

int TRebarList::Init(const std::string& path)
{
    m_writeFailed = false;
    m_changed = false;
    m_loaded = false;
    m_path = path;
    m_sourcePath.clear();
    const int result = Load();
    m_loaded = true;
    return result;
}

int TRebarList::Load()
{
    const DataFileLocation location(m_path);
    std::string readPath = location.FindReadable();
    if (readPath.empty() && WriteDefault() != 0)
        readPath = m_sourcePath;
    Clear();
    if (readPath.empty())
        return 0;
    std::ifstream in(readPath, std::ios::binary);
    if (!in)
        return 0;
    m_sourcePath = readPath;
    ReadListing(in);
    return 1;
}

int TRebarList::WriteDefault()
{
    const DataFileLocation location(m_path);
    const std::string written =
        location.CreateWithDefault(DefaultRebarListing(), kWriteFailedMessage);
    if (written.empty()) {
        m_writeFailed = true;
        return 0;
    }
    m_sourcePath = written;
    return 1;
}

void TRebarList::ReadListing(std::istream& in)
{
    DataLineReader reader(in, kRebarLineChars);
    std::string line;
    while (reader.NextData(line)) {
        if (reader.LastLineCut())
            AddLoadError(StrPrintf("REBAR: Line %d too long (>%zu characters).. truncated to %zu",
                                   reader.LineNumber(),
                                   kRebarLineChars,
                                   kRebarLineChars));
        ReadLine(line);
    }
}

void TRebarList::ReadLine(const std::string& line)
{
    const std::vector<std::string> tokens = SplitTokens(line);
    if (tokens.empty())
        return;

    // The name runs up to the first token that reads as a non-zero number.
    std::string name = BoundedCopy(tokens[0], kRebarNameBuildChars);
    std::size_t next = 1;
    double diameter = 0.0;
    bool haveDiameter = false;
    for (; next < tokens.size(); ++next) {
        double value = 0.0;
        if (ReadNumberToken(tokens[next], value) && value != 0.0) {
            diameter = value;
            haveDiameter = true;
            ++next;
            break;
        }
        name = BoundedCopy(name + " " + tokens[next], kRebarNameBuildChars);
    }
    if (EndsWith(name, "mm"))
        name.replace(name.size() - 2, 2, "MM");

    if (!haveDiameter) {
        AddLoadError(StrPrintf("REBAR: bar listed with no diameter or area : %s", name.c_str()));
        return;
    }
    double area = 0.0;
    if (next >= tokens.size() || !ReadNumberToken(tokens[next], area) || area <= 0.0) {
        AddLoadError(StrPrintf("REBAR: bar listed with no area : %s", name.c_str()));
        return;
    }
    // A negative diameter would give bars of negative size in every section that names them.
    if (diameter < 0.0) {
        AddLoadError(StrPrintf("REBAR: bar listed with a negative diameter : %s", name.c_str()));
        return;
    }
    // The checks hold for the stored values: a tiny area or diameter in mm can vanish (or
    // lose its precision) when it is converted to m^2 or m.
    const double areaM2 = area / kMm2PerM2;
    const double diameterM = diameter / kMmPerM;
    if (!std::isnormal(areaM2)) {
        AddLoadError(StrPrintf("REBAR: bar listed with no area : %s", name.c_str()));
        return;
    }
    if (!std::isnormal(diameterM)) {
        AddLoadError(StrPrintf("REBAR: bar listed with a diameter too small : %s", name.c_str()));
        return;
    }
    // A bar no section holds would reach every section that names it, by file or page.
    if (!IsHeldBarArea(areaM2) || !IsHeldBarDiameter(diameterM)) {
        AddLoadError(StrPrintf("REBAR: bar listed larger than a bar can be : %s (%.10g mm, "
                               "%.10g mm^2; a bar is at most %.1f mm across and %.1f mm^2)",
                               name.c_str(),
                               diameter,
                               area,
                               MaxBarDiameter() * kMmPerM,
                               kMaxBarArea * kMm2PerM2));
        return;
    }
    Add(name, areaM2, diameterM);
}

int TRebarList::Add(const std::string& name, double area, double diameter)
{
    if (m_loaded)
        m_changed = true;
    RebarEntry entry;
    entry.name = BoundedCopy(name, kRebarNameChars);
    entry.area = area;
    entry.diameter = diameter;
    entry.standard = Count() < kStandardRebarCount;
    try {
        m_entries.push_back(std::move(entry));
    } catch (const std::bad_alloc&) {
        AddLoadError("REBAR: Out of Memory for Listing!");
        return 0;
    }
    return 1;
}

int TRebarList::AddBrought(const std::string& name, double area, double diameter)
{
    if (Add(name, area, diameter) == 0)
        return 0;
    m_brought.push_back(m_entries.back().name);
    return 1;
}

void TRebarList::RestoreExtent(const Extent& extent)
{
    if (m_entries.size() > extent.entries)
        m_entries.resize(extent.entries);
    if (m_brought.size() > extent.brought)
        m_brought.resize(extent.brought);
    m_changed = extent.changed;
}

void TRebarList::Clear()
{
    m_entries.clear();
    m_entries.shrink_to_fit();
    m_brought.clear();
}

std::string TRebarList::GetName(int i) const
{
    if (i < 0 || i >= Count())
        return std::string();
    return m_entries[static_cast<std::size_t>(i)].name;
}

double TRebarList::GetArea(int i) const
{
    if (i < 0 || i >= Count())
        return 0.0;
    return m_entries[static_cast<std::size_t>(i)].area;
}

double TRebarList::GetDiameter(int i) const
{
    if (i < 0 || i >= Count())
        return 0.0;
    return m_entries[static_cast<std::size_t>(i)].diameter;
}

int TRebarList::FindByName(const std::string& text) const
{
    for (int i = 0; i < Count(); ++i)
        if (m_entries[static_cast<std::size_t>(i)].name == text)
            return i;
    return -1;
}

int TRebarList::FindByArea(double area) const
{
    for (int i = 0; i < Count(); ++i)
        if (std::fabs(m_entries[static_cast<std::size_t>(i)].area - area) <
            kAreaMatchTolerance * area)
            return i;
    return -1;
}

bool TRebarList::IsListed(const std::string& text) const
{
    return FindByName(text) >= 0 && std::find(m_brought.begin(), m_brought.end(), text) == m_brought.end();
}

int TRebarList::IsStandard(const std::string& text) const
{
    const int i = FindByName(text);
    return i >= 0 && m_entries[static_cast<std::size_t>(i)].standard ? 1 : 0;
}
