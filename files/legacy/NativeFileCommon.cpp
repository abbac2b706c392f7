#include "files/legacy/NativeFileCommon.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "files/legacy/DataFileKind.h"
#include "files/legacy/HeldLayers.h"
#include "foundation/ReportText.h"
#include "foundation/StrFormat.h"
#include "foundation/Units.h"
#include "model/TBeam.h"
#include "model/catalogues/TRebarList.h"
#include "model/shapes/ShapeLibrary.h"

namespace {

constexpr double kDefaultPenetration = 0.022; // m
constexpr double kDefaultPlate = 0.15;        // m
// A layer counts whole bars when its area lies within a quarter bar of a whole number.
constexpr double kWholeBarTolerance = 0.25;
// Area of a bar assumed when a layer gives no diameter (m^2).
constexpr double kAreaWithoutDiameter = 0.0001;
// Strand matching: area and diameter tolerances, and the one strand known by its area alone.
constexpr double kStrandAreaTolerance = 5e-6;
constexpr double kStrandDiameterTolerance = 0.001;
constexpr double kS13Area = 9.9e-5;
constexpr double kS13AreaTolerance = 2e-7;

} // namespace

float ToStoredFloat(double value)
{
    if (!std::isfinite(value))
        return 0.0f;
    return static_cast<float>(
        std::clamp(value, -static_cast<double>(FLT_MAX), static_cast<double>(FLT_MAX)));
}

void SetDefaultMemberInfo(const TBeam& beam, TMemberQuickDef& info)
{
    const double h = beam.GetHeight();
    double increments[3] = {};
    double constants[1] = {};
    beam.GetIncrementLoads(increments, 3);
    beam.GetConstantLoads(constants, 1);
    const double M = increments[1];
    const double V = increments[2];
    double L = std::fabs(V) > 0.0 ? 0.85 * h - M / V : 2.7 * h;
    if (0.5 * h > L)
        L = 0.5 * h;
    info.L = ToStoredFloat(L);
    info.mido2 = 0.0f;
    info.penetrate = static_cast<float>(kDefaultPenetration);
    info.type = 0;
    info.left = 0;
    info.right = 0;
    info.leftpercent = 0.0f;
    info.lplate = static_cast<float>(kDefaultPlate);
    info.rplate = static_cast<float>(kDefaultPlate);
    info.constAxialLoad = ToStoredFloat(constants[0]);
}

int CheckedTypeIndex(int index, int count, const std::string& owner)
{
    if (index >= 0 && index < count)
        return index;
    AddLoadError(StrPrintf("%s refers to material type %lld, which does not exist; type 1 is used",
                           owner.c_str(),
                           static_cast<long long>(index) + 1));
    return 0;
}

LegacyReadResult FileEndsInside(const ByteSource& source, const std::string& block)
{
    return LegacyRefused(source.Offset(),
                         StrPrintf("The file is damaged: it ends inside the %s (at byte %zu).",
                                   block.c_str(),
                                   source.Offset() + source.Remaining()));
}

LegacyReadResult BadCount(const ByteSource& source,
                          const std::string& what,
                          std::int64_t count,
                          std::int64_t capacity)
{
    return LegacyRefused(
        source.Offset(),
        StrPrintf("The file is damaged: it gives %lld %s (0 to %lld are possible).",
                  static_cast<long long>(count),
                  what.c_str(),
                  static_cast<long long>(capacity)));
}

LegacyReadResult TakeRecords(ByteSource& source,
                             std::int64_t count,
                             std::int64_t capacity,
                             std::size_t width,
                             const std::string& what,
                             std::vector<ByteRecord>& records)
{
    records.clear();
    if (count < 0 || count > capacity)
        return BadCount(source, what, count, capacity);
    if (!source.Holds(count, width))
        return FileEndsInside(source, what);
    for (std::int64_t i = 0; i < count; ++i)
        records.push_back(*source.Take(width));
    return LegacyRead(source.Offset());
}

void ReportNonFinite(const ByteSource& source)
{
    if (source.NonFiniteCount() > 0)
        AddLoadError(StrPrintf("%d values of the file were not numbers and were read as 0",
                               source.NonFiniteCount()));
}

void MatchLongLayerBars(LongLayerRec& layer)
{
    const double barArea =
        layer.db == 0.0 ? kAreaWithoutDiameter : layer.db * layer.db * 0.25 * kModelPi;
    const double r = layer.A / barArea;
    const int n = TruncateToInt(r + 0.5);
    if (std::fabs(r - n) < kWholeBarTolerance && n > kWholeBarTolerance) {
        layer.num = n;
        layer.Ai = layer.A / n;
    } else {
        layer.num = 1;
        layer.Ai = layer.A;
    }
    if (layer.dep <= 0.0) {
        layer.barIndex = g_RebarList.FindByArea(layer.Ai);
        layer.bartitle = g_RebarList.GetName(layer.barIndex);
        return;
    }
    const auto& entries = g_RebarList.Entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const RebarEntry& e = entries[i];
        if (e.name.starts_with("S") && std::fabs(e.area - layer.Ai) < kStrandAreaTolerance &&
            std::fabs(e.diameter - layer.db) < kStrandDiameterTolerance) {
            layer.barIndex = static_cast<int>(i);
            layer.bartitle = e.name;
            return;
        }
    }
    if (std::fabs(layer.Ai - kS13Area) < kS13AreaTolerance) {
        const int s13 = g_RebarList.FindByName("S13");
        if (s13 >= 0) {
            layer.barIndex = s13;
            layer.bartitle = "S13";
        }
    }
}

void MatchTransLayerBar(TransLayerRec& layer)
{
    layer.barIndex = g_RebarList.FindByArea(layer.Ai);
    layer.bartitle = g_RebarList.GetName(layer.barIndex);
}

void KeepIncrementMoment(LoadVector& increments)
{
    if (std::fabs(increments[0]) + std::fabs(increments[1]) + std::fabs(increments[2]) < 1.0)
        increments[1] = -1000.0;
}

void ApplyFileUnitSystem(int unitSystem)
{
    if (unitSystem < 0 || unitSystem >= kUnitSystemCount) {
        AddLoadError(StrPrintf("The file names unit system %d, which does not exist", unitSystem));
        return;
    }
    if (g_FileOverride != 0)
        g_UnitSystem = unitSystem;
}

void SetLegacyShapeCode(TBeam& beam, int code)
{
    const bool libraryShape =
        code >= 0 && code < kShapeTableSize && ShapeTable[static_cast<std::size_t>(code)];
    if (libraryShape || code == kStandardTypeCode || code == kUserShapeCode) {
        beam.SetShapeType(code);
        return;
    }
    AddLoadError(
        StrPrintf("Shape code %d names no section shape; the outline is kept as drawn", code));
    beam.SetShapeType(kUserShapeCode);
}

double MomentAxisFromFile(double height)
{
    return height >= kCentroidalAxis ? kUndefined : height;
}

bool IsPrestressingType(const std::vector<SteelTypeRec>& steels, int t)
{
    return t >= 0 && t < static_cast<int>(steels.size()) &&
           steels[static_cast<std::size_t>(t)].kind == SteelKind::Prestressing;
}

LegacyReadResult TakeBlocks(ByteSource& source, std::initializer_list<RecordBlock> blocks)
{
    for (const RecordBlock& b : blocks) {
        LegacyReadResult r = TakeRecords(source, b.count, b.capacity, b.width, b.what, *b.records);
        if (!r.IsRead())
            return r;
    }
    return LegacyRead(source.Offset());
}

LegacyReadResult
TakeHeadAndSection(ByteSource& source, std::size_t sectionWidth, std::optional<ByteRecord>& section)
{
    if (!source.Take(kNativeHeaderBytes))
        return FileEndsInside(source, "file header");
    section = source.Take(sectionWidth);
    if (!section)
        return FileEndsInside(source, "section block");
    return LegacyRead(source.Offset());
}

ConcreteTypeRec DecodeConcreteStrengths(const ByteRecord& r)
{
    ConcreteTypeRec c;
    InitConcreteTypeRec(c);
    c.fc = r.F64(0);
    c.ft = r.F64(8);
    c.ec = r.F64(16);
    c.Ec = r.F64(24);
    return c;
}

bool IsAutoTensileStrength(const ConcreteTypeRec& c)
{
    const double p = std::pow(std::fabs(c.fc) / 1e6, 0.4);
    return std::fabs(c.ft - 0.45 * p * 1e6) < kAutoTensileTolerance ||
           std::fabs(c.ft - (1.4e6 - c.fc / 7e7)) < kAutoTensileTolerance;
}

void CheckLongLayer(LongLayerRec& layer,
                    const std::vector<SteelTypeRec>& steels,
                    void (*matchBars)(LongLayerRec&))
{
    layer.type = CheckedTypeIndex(layer.type,
                                  static_cast<int>(steels.size()),
                                  "Layer \"" + layer.name + "\"");
    matchBars(layer);
    if (std::fabs(layer.dep) > kMaxLayerPrestrain)
        layer.dep = 0.0;
    if (layer.dep == 0.0 && IsPrestressingType(steels, layer.type))
        layer.dep = kTendonPrestrainMarker;
}

void ApplySectionTitles(TBeam& beam, const ByteRecord& section)
{
    beam.SetName(section.Text(0, 100, kBeamNameChars));
    beam.SetDoneBy(section.Text(100, 20, kBeamDoneByChars));
    beam.SetDate(section.Text(120, 11, kBeamDateChars));
}

LegacyReadResult FinishNativeRead(TBeam& beam, const ByteSource& source)
{
    if (LegacyReadResult held = CheckHeldLayers(beam, source.Offset()); !held.IsRead())
        return held;
    beam.RenameLegacyBarTitles(0);
    beam.RenameLegacyTransBarTitles(2);
    beam.SetModified(0);
    ReportNonFinite(source);
    return LegacyRead(source.Offset());
}
