#include "model/shapes/SectionOutline.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "foundation/TDepthTable.h"
#include "foundation/TypedNumber.h"
#include "foundation/Units.h"
#include "model/TBeam.h"
#include "model/shapes/ShapeLibrary.h"

SectionDefinition g_SectionDefinition;

namespace {

// Two points "within 0.1 mm" of each other: on the 0.1 mm grid of a normalised outline,
// neighbours a grid step apart must not count, whatever the last bit of their difference.
constexpr double kSameRoundedElevation = 0.99e-4;
constexpr double kMinOutlineExtent = 0.0001;  // m
constexpr double kOutsideTable = 1e31;
// A table entry is a catalogue slot, the library and catalogue sizes.
constexpr int kStandardSlots = kShapeTableSize;

void RemoveBoth(TDepthTable& outline, TDepthTable& types, int i)
{
    outline.RemoveAt(i);
    if (i < types.GetCount())
        types.RemoveAt(i);
}

void SetDepthBoth(TDepthTable& outline, TDepthTable& types, int i, double z)
{
    outline.SetDepth(i, z);
    if (i < types.GetCount())
        types.SetDepth(i, z);
}

// Removes the fourth and later points of runs at one elevation.
void DropRepeatedElevations(TDepthTable& outline, TDepthTable& types)
{
    int run = 0;
    for (int i = 0; i < outline.GetCount() - 1; ++i) {
        if (std::fabs(outline.GetDepth(i) - outline.GetDepth(i + 1)) < kSameRoundedElevation)
            ++run;
        else
            run = 0;
        if (run > 2)
            RemoveBoth(outline, types, i);
    }
}

const TStandard* StandardAt(int slot)
{
    if (slot < 0 || slot >= kStandardSlots)
        return nullptr;
    return StandardTable[static_cast<std::size_t>(slot)].get();
}

// The void of a "HOLLOW" library shape: the chord of the circle at elevation y, 0 outside.
double HollowChord(double y, double lower, double upper)
{
    if (!(y > lower && y < upper))
        return 0.0;
    const double d = upper - lower;
    const double offset = y - (lower + upper) / 2.0;
    return std::sqrt(std::max(0.0, d * d - 4.0 * offset * offset));
}

} // namespace

double RoundSectionLength(double length, int digits)
{
    double perMetre = 0.0;  // grid steps per metre
    if (g_UnitSystem == kUnitUS) {
        perMetre = UnitFactor(ukSectionLength, kUnitUS) * 100.0;
    } else if (digits == 4) {
        perMetre = 10000.0;
    } else if (digits == 3) {
        perMetre = 1000.0;
    } else {
        return kRoundUndefined;
    }
    return std::trunc(length * perMetre + 0.5) / perMetre;
}

int ClassifyWidthEntry(std::string& text)
{
    const double typed = TypedNumber(text);
    if (typed != 0.0 && !std::isnan(typed))
        return 2;
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    std::size_t first = 0;
    while (first < text.size() && blank(text[first]))
        ++first;
    std::size_t last = text.size();
    while (last > first && blank(text[last - 1]))
        --last;
    text = text.substr(first, last - first);
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (text == "DOWN")
        return 1;
    if (text == "UP")
        return 0;
    return 2;
}

double GetTableValue(const TDepthTable& table, int i)
{
    if (i < 0 || i >= table.GetCount())
        return kOutsideTable;
    return table.GetValue(i);
}

int CountDefinitionsAt(const TDepthTable& outline, double z, int currentRow, int& index)
{
    int count = 0;
    int last = -1;
    bool current = false;
    for (int i = 0; i < outline.GetCount(); ++i) {
        if (std::fabs(outline.GetDepth(i) - z) < kSameElevation) {
            ++count;
            last = i;
            if (i == currentRow)
                current = true;
        }
    }
    index = current ? currentRow : last;
    return count;
}

void NormaliseOutline(TDepthTable& outline, TDepthTable& types)
{
    const int n = outline.GetCount();
    if (n > 1) {
        double widest = 0.0;
        double highest = outline.GetDepth(0);
        double lowest = highest;
        for (int i = 0; i < n; ++i) {
            widest = std::max(widest, outline.GetValue(i));
            highest = std::max(highest, outline.GetDepth(i));
            lowest = std::min(lowest, outline.GetDepth(i));
        }
        if (widest < kMinOutlineExtent || highest - lowest < kMinOutlineExtent) {
            outline.Clear();
            types.Clear();
            return;
        }
    }
    DropRepeatedElevations(outline, types);
    for (int i = 0; i < outline.GetCount(); ++i) {
        SetDepthBoth(outline, types, i, RoundSectionLength(outline.GetDepth(i), 4));
        outline.SetValue(i, RoundSectionLength(outline.GetValue(i), 4));
    }
    DropRepeatedElevations(outline, types);
    for (int i = 0; i + 1 < outline.GetCount(); ++i) {
        if (std::fabs(outline.GetDepth(i) - outline.GetDepth(i + 1)) < kSameRoundedElevation) {
            const double z = RoundSectionLength(outline.GetDepth(i), 4);
            SetDepthBoth(outline, types, i, z + kWidthStepGap);
            SetDepthBoth(outline, types, i + 1, z);
        }
    }
}

void OutlineFromRegions(const std::vector<ConcreteRegionRec>& regions, double bottom, TDepthTable& outline,
                        TDepthTable& types)
{
    outline.Clear();
    types.Clear();
    const std::size_t n = regions.size();
    for (std::size_t i = 0; i < n; ++i) {
        const ConcreteRegionRec& r = regions[i];
        const double type = r.concreteType;
        outline.Add(r.top - bottom, r.topWidth);
        types.Add(r.top - bottom, type);
        if (i == n - 1) {
            outline.Add(r.bottom - bottom, r.bottomWidth);
            types.Add(r.bottom - bottom, type);
            continue;
        }
        const ConcreteRegionRec& next = regions[i + 1];
        if (r.bottomWidth != next.topWidth) {
            const double z = r.bottom == next.top ? r.bottom - bottom + kWidthStepGap : r.bottom - bottom;
            outline.Add(z, r.bottomWidth);
            types.Add(z, type);
        }
    }
    NormaliseOutline(outline, types);
}

int ExtractOutlineCurves(TBeam& beam, TDepthTable& outline, TDepthTable& types)
{
    beam.RecogniseShape();
    std::vector<ConcreteRegionRec> regions;
    for (int i = 0; i < beam.GetRegionCount(); ++i)
        regions.push_back(*beam.GetRegion(i));
    OutlineFromRegions(regions, beam.GetBottom(), outline, types);

    SectionDefinition& def = g_SectionDefinition;
    for (int k = 1; k <= 6; ++k)
        def.Parameters[static_cast<std::size_t>(k - 1)] = beam.GetShapeParameter(k);
    def.ShapeCode = kUserShapeCode;
    const int code = beam.GetSectionKindCode();
    if (code != kStandardTypeCode && code != kUserShapeCode) {
        for (int i = 0; i < kShapeTableSize; ++i)
            if (IsLibraryShape(i) && ShapeTable[static_cast<std::size_t>(i)]->name == beam.GetShapeName())
                def.ShapeCode = static_cast<std::int16_t>(i);
    }
    if (beam.GetHeight() < 1e-5)
        def.ShapeCode = 0;
    if (code == kStandardTypeCode) {
        def.StandardIndex = -1;
        for (int i = 0; i < kStandardSlots; ++i)
            if (const TStandard* s = StandardAt(i); s && s->name == beam.GetShapeName())
                def.StandardIndex = static_cast<std::int16_t>(i);
        def.ShapeCode = def.StandardIndex >= 0 ? kStandardTypeCode : kUserShapeCode;
    }
    return def.ShapeCode;
}

int BuildSectionShape(TBeam& beam, TDepthTable& outline, TDepthTable& types)
{
    NormaliseOutline(outline, types);
    const SectionDefinition& def = g_SectionDefinition;
    const TStandard* standard = def.ShapeCode == kStandardTypeCode ? StandardAt(def.StandardIndex) : nullptr;
    const bool library = IsLibraryShape(def.ShapeCode);
    const int code = library || standard ? def.ShapeCode : kUserShapeCode;
    beam.SetShapeType(code);
    if (standard)
        beam.SetShapeName(standard->name);
    else if (library)
        beam.SetShapeName(ShapeTable[static_cast<std::size_t>(code)]->name);
    else
        beam.SetShapeName("USER");
    for (int k = 1; k <= 8; ++k)
        beam.SetShapeParameter(k <= 6 ? def.Parameters[static_cast<std::size_t>(k - 1)] : 0.0, k);

    beam.DeleteRegions();
    const double b = beam.GetBottom();
    const int typeCount = beam.GetConcreteTypeCount();
    const int n = outline.GetCount();
    if (n > 0) {
        double openTop = outline.GetDepth(0) + b;
        double openWidth = outline.GetValue(0);
        for (int i = 1; i < n; ++i) {
            const double z = outline.GetDepth(i) + b;
            if (std::fabs(z - openTop) < kSameRoundedElevation) {
                openWidth = outline.GetValue(i);
                continue;
            }
            int type = static_cast<int>(GetTableValue(types, i - 1));
            if (type < 0 || type >= std::max(typeCount, 1))
                type = 0;
            const double bottom = RoundSectionLength(outline.GetDepth(i), 4) + b;
            const double width = RoundSectionLength(outline.GetValue(i), 4);
            beam.AddRegion(openTop, bottom, openWidth, width, type, 0);
            openTop = bottom;
            openWidth = width;
        }
    }
    beam.UpdateExtents();

    if (library && ShapeTable[static_cast<std::size_t>(code)]->name == "HOLLOW") {
        const double d1 = def.Parameters[0], d2 = def.Parameters[1];
        const double upper = b + (d1 + d2) / 2.0;
        const double lower = b + (d1 - d2) / 2.0;
        for (int i = 0; i < beam.GetRegionCount(); ++i) {
            const ConcreteRegionRec& r = *beam.GetRegion(i);
            beam.ChangeRegionWidths(i, -HollowChord(r.top, lower, upper), -HollowChord(r.bottom, lower, upper));
        }
    }
    beam.RecogniseShape();
    return 1;
}
