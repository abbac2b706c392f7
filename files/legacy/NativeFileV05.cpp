// The version 0.5 native file, block by block.

#include "files/legacy/NativeFileV05.h"

#include <cmath>
#include <vector>

#include "files/legacy/DataFileKind.h"
#include "files/legacy/LegacyFile.h"
#include "files/legacy/NativeFileCommon.h"
#include "foundation/StrFormat.h"
#include "foundation/Units.h"
#include "model/TBeam.h"
#include "model/materials/ConcreteLaws.h"
#include "model/materials/SteelLaws.h"
#include "model/shapes/SectionShape.h"

namespace {

constexpr std::size_t kSectionBlock = 143;
constexpr std::size_t kGeometryBlock = 76;
constexpr std::size_t kConcreteRecord = 106;
constexpr std::size_t kRegionRecord = 34;
constexpr std::size_t kRebarRecord = 55;
constexpr std::size_t kPrestressRecord = 63;
constexpr std::size_t kBarLayerRecord = 73;
constexpr std::size_t kTransLayerRecord = 73;
constexpr std::size_t kTendonRecord = 49;
constexpr std::size_t kLoadsBlock = 146;

constexpr int kConstantLoadsMarker = 9999;
constexpr double kAlignedMarker = 1e30;
constexpr double kTendonDiameter = 0.0112; // m
// A transverse layer of fewer bar areas than this is a single leg.
constexpr double kSingleLegBars = 1.25;
constexpr double kNoDiameter = 1e-5;
constexpr int kMaxLayers = 32767;
constexpr int kMaxTypes = 32767;
constexpr int kMaxRegions = 150;

struct V05Counts {
    int concrete = 0;
    int rebar = 0;
    int prestress = 0;
    int bars = 0;
    int trans = 0;
    int tendons = 0;
    int regions = 0;
};

ConcreteTypeRec DecodeConcrete(const ByteRecord& r)
{
    ConcreteTypeRec c = DecodeConcreteStrengths(r);
    c.aggregate = r.F64(40);
    c.baseCurve = r.I16(80);
    c.softening = r.I16(82);
    c.tensionStiffening = r.I16(84);
    c.name = r.Text(86, 20, kConcreteFieldChars);
    c.ecr = 0.0;
    c.tsFactor = 1.0;
    c.userCurve.reset();
    c.ftAuto = 0;
    c.ecAuto = 0;
    if (IsAutoTensileStrength(c)) {
        c.ftAuto = 1;
        c.tensionStiffening = TensionStiffeningCode::Kelst1999;
    }
    CheckConcreteType(c, false);
    return c;
}

SteelTypeRec DecodeRebar(const ByteRecord& r)
{
    SteelTypeRec s;
    InitSteelTypeRec(s);
    s.kind = SteelKind::Reinforcing;
    s.Es = r.F64(0);
    s.fy = r.F64(8);
    s.esh = r.F64(16);
    s.eu = r.F64(24);
    s.fu = r.F64(32);
    s.name = r.Text(40, 15, kSteelNameMaxChars);
    s.er = 0.0;
    CheckSteelType(s, false);
    return s;
}

SteelTypeRec DecodePrestress(const ByteRecord& r)
{
    SteelTypeRec s;
    InitSteelTypeRec(s);
    s.kind = SteelKind::Prestressing;
    s.A = r.F64(0);
    s.B = r.F64(8);
    s.C = r.F64(16);
    s.Es = r.F64(24);
    s.fy = r.F64(32);
    s.fu = s.fy;
    s.eu = r.F64(40);
    s.name = r.Text(48, 15, kSteelNameMaxChars);
    s.er = 0.0;
    CheckSteelType(s, false);
    return s;
}

LongLayerRec DecodeBarLayer(const ByteRecord& r, int shapeCode)
{
    LongLayerRec layer;
    InitLongLayerRec(layer);
    layer.A = r.F64AsStored(0);
    layer.Ai = layer.A;
    layer.num = 1;
    layer.z = r.F64(8);
    layer.nround = TruncateToInt(r.F64(16));
    layer.aligned = r.F64(24) > kAlignedMarker ? 1 : 0;
    layer.index = TruncateToInt(r.F64(32));
    layer.dep = r.F64(40);
    layer.name = r.Text(48, 15, kLayerNameChars);
    layer.type = r.I16(63);
    layer.db = r.F64(65);
    layer.bondTerm = -1.0;
    layer.drape = 0.0;
    layer.barIndex = -1;
    layer.pattern = shapeCode == kBeamCircleShape ? kCircularPattern : kPlainLayer;
    layer.bartitle.clear();
    return layer;
}

LongLayerRec DecodeTendon(const ByteRecord& r, int rebarCount)
{
    LongLayerRec layer;
    InitLongLayerRec(layer);
    layer.A = r.F64AsStored(0);
    layer.dep = r.F64(8);
    layer.z = r.F64(16);
    layer.type = r.I16(24) + rebarCount;
    layer.drape = r.F64(26);
    layer.name = r.Text(34, 15, kLayerNameChars);
    layer.num = 1;
    layer.nround = 0;
    layer.db = kTendonDiameter;
    layer.bondTerm = -1.0;
    layer.bartitle.clear();
    return layer;
}

TransLayerRec DecodeTransLayer(const ByteRecord& r)
{
    TransLayerRec layer;
    InitTransLayerRec(layer);
    layer.A = r.F64AsStored(0);
    layer.pattern = TruncateToInt(r.F64(8));
    layer.space = r.F64(16);
    layer.disttop = r.F64(24);
    layer.distbot = r.F64(32);
    layer.dep = r.F64(40);
    layer.name = r.Text(48, 15, kLayerNameChars);
    layer.type = r.I16(63);
    layer.db = r.F64(65);
    layer.angle = kDefaultTransAngle;
    if (layer.pattern != kCircularHoop) {
        const bool single = std::fabs(layer.db) <= kNoDiameter ||
                            layer.A / (layer.db * layer.db * 0.25 * kModelPi) < kSingleLegBars;
        layer.pattern = single ? 1 : 3;
    }
    layer.legs = layer.pattern == 1 ? 1 : 2;
    layer.Ai = layer.A / layer.legs;
    layer.bartitle.clear();
    if (layer.name.starts_with("hoop"))
        layer.pattern = kCircularHoop;
    return layer;
}

// Shape name and parameters of the geometry block's shape code; region i's values are 0 when
// the file has no such region.
void ApplyShape(TBeam& beam, int code, double h)
{
    const auto topWidth = [&beam](int i) {
        return i < beam.GetRegionCount() ? beam.GetRegion(i)->topWidth : 0.0;
    };
    const auto depth = [&beam](int i) {
        return i < beam.GetRegionCount() ? beam.GetRegion(i)->top - beam.GetRegion(i)->bottom : 0.0;
    };
    for (int k = 1; k <= 6; ++k)
        beam.SetShapeParameter(0.0, k);
    beam.SetShapeParameter(0.0, 7);
    switch (code) {
    case 0:
        beam.SetShapeType(kBeamRectShape);
        beam.SetShapeName("RECT");
        beam.SetShapeParameter(topWidth(0), 1);
        beam.SetShapeParameter(h, 2);
        break;
    case 1:
        beam.SetShapeType(kBeamCircleShape);
        beam.SetShapeName("CIRCLE");
        beam.SetShapeParameter(h, 1);
        break;
    case 2:
    case 3:
        beam.SetShapeType(code);
        beam.SetShapeName(code == 2 ? "TBEAM" : "IBEAM");
        beam.SetShapeParameter(topWidth(0), 1);
        beam.SetShapeParameter(h, 2);
        beam.SetShapeParameter(topWidth(1), 3);
        beam.SetShapeParameter(depth(0), 4);
        if (code == 3) {
            beam.SetShapeParameter(depth(2), 5);
            beam.SetShapeParameter(topWidth(2), 6);
        }
        break;
    case 4:
        beam.SetShapeType(kStandardTypeCode);
        beam.SetShapeName("STAND0.5");
        beam.SetShapeParameter(h, 1);
        break;
    case 5:
        beam.SetShapeType(kUserShapeCode);
        beam.SetShapeName("USER0.5");
        beam.SetShapeParameter(h, 1);
        break;
    default:
        SetLegacyShapeCode(beam, code);
        break;
    }
}

} // namespace

LegacyReadResult ReadNativeV05Bytes(TBeam& beam, std::span<const std::uint8_t> bytes)
{
    ByteSource source(bytes);
    std::optional<ByteRecord> section;
    if (auto r = TakeHeadAndSection(source, kSectionBlock, section); !r.IsRead())
        return r;
    const auto geometry = source.Take(kGeometryBlock);
    if (!geometry)
        return FileEndsInside(source, "geometry block");

    V05Counts n;
    n.concrete = section->I16(131);
    n.rebar = section->I16(133);
    n.prestress = section->I16(135);
    n.bars = geometry->I16(34);
    n.trans = geometry->I16(36);
    n.tendons = geometry->I16(38);
    n.regions = geometry->I16(58);
    const int shapeCode = geometry->I16(40);

    std::vector<ByteRecord> concreteRecords, regionRecords, rebarRecords, prestressRecords,
        barRecords, transRecords, tendonRecords;
    if (auto r = TakeBlocks(
            source,
            {{n.concrete, kMaxTypes, kConcreteRecord, "concrete records", &concreteRecords},
             {n.regions, kMaxRegions, kRegionRecord, "concrete regions", &regionRecords},
             {n.rebar, kMaxTypes, kRebarRecord, "reinforcing-steel records", &rebarRecords},
             {n.prestress,
              kMaxTypes - n.rebar,
              kPrestressRecord,
              "prestressing-steel records",
              &prestressRecords},
             {n.bars, kMaxLayers, kBarLayerRecord, "bar layers", &barRecords},
             {n.trans, kMaxLayers, kTransLayerRecord, "transverse layers", &transRecords},
             {n.tendons, kMaxLayers - n.bars, kTendonRecord, "tendon layers", &tendonRecords}});
        !r.IsRead())
        return r;
    const auto loads = source.Take(kLoadsBlock);
    if (!loads)
        return FileEndsInside(source, "loads block");

    // The file is whole: fill the beam.
    beam.DeleteConcreteTypes();
    for (const ByteRecord& r : concreteRecords)
        beam.AddConcreteType(DecodeConcrete(r));

    std::vector<SteelTypeRec> steels;
    for (const ByteRecord& r : rebarRecords)
        steels.push_back(DecodeRebar(r));
    for (const ByteRecord& r : prestressRecords)
        steels.push_back(DecodePrestress(r));
    const int steelCount = static_cast<int>(steels.size());
    beam.DeleteSteelTypes();
    for (const SteelTypeRec& s : steels)
        beam.AddSteelType(s);

    beam.DeleteRegions();
    for (std::size_t i = 0; i < regionRecords.size(); ++i) {
        const ByteRecord& r = regionRecords[i];
        // Old files with one reinforcing steel stored stale concrete indices in their regions.
        const int type = n.rebar == 1 ? 0 : r.I16(32);
        beam.AddRegion(r.F64(0),
                       r.F64(8),
                       r.F64(16),
                       r.F64(24),
                       CheckedTypeIndex(type, n.concrete, StrPrintf("Region %zu", i + 1)),
                       0);
    }
    beam.UpdateExtents();
    beam.SetRegionCompanionCounts(n.regions, 0);

    std::vector<LongLayerRec> longLayers;
    for (const ByteRecord& r : barRecords)
        longLayers.push_back(DecodeBarLayer(r, shapeCode));
    for (const ByteRecord& r : tendonRecords)
        longLayers.push_back(DecodeTendon(r, n.rebar));
    for (LongLayerRec& layer : longLayers)
        CheckLongLayer(layer, steels, MatchLongLayerBars);
    beam.DeleteLongLayers(0);
    for (const LongLayerRec& layer : longLayers)
        beam.AddLongLayer(layer, 0);

    beam.DeleteTransLayers(2);
    for (const ByteRecord& r : transRecords) {
        TransLayerRec layer = DecodeTransLayer(r);
        layer.type = CheckedTypeIndex(layer.type, steelCount, "Stirrup \"" + layer.name + "\"");
        MatchTransLayerBar(layer);
        beam.AddTransLayer(layer, 2);
    }

    LoadVector increments{};
    LoadVector constants{};
    for (int i = 0; i < 3; ++i) {
        increments[static_cast<std::size_t>(i)] = loads->F64(72 + 8 * static_cast<std::size_t>(i));
        if (loads->I16(144) == kConstantLoadsMarker)
            constants[static_cast<std::size_t>(i)] =
                loads->F64(48 + 8 * static_cast<std::size_t>(i));
    }
    KeepIncrementMoment(increments);
    beam.SetIncrementLoads(increments.data(), kLoadCount);
    beam.SetConstantLoads(constants.data(), kLoadCount);

    ApplySectionTitles(beam, *section);
    ApplyFileUnitSystem(section->I16(137));

    beam.SetCrackSpacing(geometry->F64(24), 0);
    beam.SetCrackSpacing(geometry->F64(16), 2);
    beam.SetMomentAxis(MomentAxisFromFile(geometry->F64(50)));
    beam.SetFileVersionCode(kNativeFileRevision);
    beam.SetTimeData(0, kDefaultAgeDays, 0.0, 0.0);
    ApplyShape(beam, shapeCode, geometry->F64(0));

    beam.GetPositionVariable(kShrinkTherm).Clear();
    beam.SetStrainDiscontinuity(TDepthTable());
    TMemberQuickDef info;
    beam.GetStoredValues(info);
    SetDefaultMemberInfo(beam, info);
    beam.SetStoredValues(info);
    return FinishNativeRead(beam, source);
}

int ReadNativeFileV05(TBeam& beam, const std::string& path)
{
    return ReadLegacyFile(path,
                          [&beam](std::span<const std::uint8_t> bytes) {
                              return ReadNativeV05Bytes(beam, bytes);
                          })
        .Code();
}
