// The version 0.7 and 0.8 native file: decoding into plain records, then the upgrades by
// revision and the filling of the beam.

#include "files/legacy/NativeFileV07.h"

#include <cmath>
#include <vector>

#include "files/legacy/DataFileKind.h"
#include "files/legacy/LegacyFile.h"
#include "files/legacy/NativeFileCommon.h"
#include "files/legacy/SectionAsDocument.h"
#include "foundation/StrFormat.h"
#include "model/TBeam.h"
#include "model/catalogues/TRebarList.h"
#include "model/materials/ConcreteLaws.h"
#include "model/materials/SteelLaws.h"
#include "model/materials/UserCurves.h"
#include "model/shapes/SectionShape.h"

namespace {

constexpr std::size_t kSectionBlock = 409;
constexpr std::size_t kConcreteRecord = 194;
constexpr std::size_t kSteelRecord = 111;
constexpr std::size_t kLongLayerImage = 182;
constexpr std::size_t kTransLayerImage = 174;
constexpr std::size_t kRegionImage = 66;
constexpr std::size_t kLoadsBlock = 48;
constexpr std::size_t kTableHead = 8;
constexpr std::size_t kPair = 16;
constexpr std::size_t kCount = 4;

constexpr int kMaxTypes = 32767;
constexpr int kMaxLayers = 32767;
constexpr int kMaxRegions = 150;
constexpr int kUserCurveMarker = 9999;
constexpr int kStrainTableCount = 3;
// Layer numbers of the layer-strain table from this on name transverse layers.
constexpr int kTransLayerNumbers = 1000;

// Revisions that decide which values the file lacks.
constexpr int kRevisionTimeData = 31160;
constexpr int kRevisionCurves = 31161;
constexpr int kRevisionMemberInfo = 31162;
constexpr int kRevisionTsFactor = 31163;
constexpr int kRevisionLeftPercent = 31164;
constexpr int kRevisionPlates = 31165;
constexpr int kRevisionCurveList = 31166;

constexpr double kAutoPeakTolerance = 1e-5;
constexpr float kOldPlate = 0.15f; // m

struct SectionData {
    std::vector<ConcreteTypeRec> concretes;
    std::vector<SteelTypeRec> steels;
    std::vector<LongLayerRec> longLayers;
    std::vector<TransLayerRec> transLayers;
    std::vector<ConcreteRegionRec> regions;
    LoadVector constants{};
    LoadVector increments{};
    TDepthTable discontinuity;
    TDepthTable shrinkage;
    int revision = 0;
};

ConcreteTypeRec DecodeConcrete(const ByteRecord& r)
{
    ConcreteTypeRec c = DecodeConcreteStrengths(r);
    c.ecr = r.F64(32);
    c.tsFactor = r.F64(40);
    c.aggregate = r.F64(48);
    c.baseCurve = r.I16(104);
    c.softening = r.I16(106);
    c.tensionStiffening = r.I16(108);
    c.name = r.Text(110, 20, kConcreteFieldChars);
    if (r.I16(136) == kUserCurveMarker)
        c.baseCurve = BaseCurveCode::UserDefined;
    c.userCurve.reset();
    CheckConcreteType(c, false);
    return c;
}

// The steel record of 0-based index type.
SteelTypeRec DecodeSteel(const ByteRecord& r, int type)
{
    SteelTypeRec s;
    InitSteelTypeRec(s);
    s.kind = r.I32(0);
    s.Es = r.F64(8);
    s.fy = r.F64(16);
    s.esh = r.F64(24);
    s.A = s.esh;
    s.B = r.F64(32);
    s.C = r.F64(40);
    s.eu = r.F64(48);
    s.fu = r.F64(56);
    s.name = r.Text(96, 15, kSteelNameMaxChars);
    s.userCurve.reset();
    s.er = 0.0;
    HoldSteelKind(s, type);
    CheckSteelType(s, false);
    return s;
}

LongLayerRec DecodeLongLayer(const ByteRecord& r)
{
    LongLayerRec layer;
    layer.z = r.F64(0);
    layer.A = r.F64AsStored(8);
    layer.drape = r.F64(16);
    layer.num = r.I32(24);
    layer.Ai = r.F64AsStored(28);
    layer.db = r.F64(36);
    layer.bartitle = r.Text(44, 15, kBarTitleChars);
    layer.barIndex = r.I32(59);
    layer.dep = r.F64(63);
    layer.type = r.I32(71);
    layer.bondTerm = r.F64(75);
    layer.pattern = r.I32(83);
    layer.nround = r.I32(87);
    layer.aligned = r.I32(91);
    layer.index = r.I32(95);
    layer.sortLower = r.I16(99);
    layer.ratio = r.F64(103);
    layer.strainOffsetA = r.F64(111);
    layer.thermStrain = r.F64(119);
    layer.timeStrain = r.F64(127);
    layer.strainOffsetB = r.F64(135);
    layer.oldSpace = r.F64(143);
    layer.space = r.F64(151);
    layer.barX = r.F64(159);
    layer.name = r.Text(167, 15, kLayerNameChars);
    return layer;
}

TransLayerRec DecodeTransLayer(const ByteRecord& r)
{
    TransLayerRec layer;
    layer.A = r.F64AsStored(0);
    layer.angle = r.F64(8);
    layer.legs = r.I32(16);
    layer.Ai = r.F64AsStored(20);
    layer.db = r.F64(28);
    layer.bartitle = r.Text(36, 15, kBarTitleChars);
    layer.barIndex = r.I32(51);
    layer.dep = r.F64(55);
    layer.type = r.I32(63);
    layer.pattern = r.I32(67);
    layer.disttop = r.F64(71);
    layer.distbot = r.F64(79);
    layer.space = r.F64(87);
    layer.strain = r.F64(95);
    layer.thermStrain = r.F64(103);
    layer.ratio = r.F64(111);
    for (std::size_t i = 0; i < layer.work.size(); ++i)
        layer.work[i] = r.F64(119 + 8 * i);
    layer.name = r.Text(159, 15, kLayerNameChars);
    return layer;
}

ConcreteRegionRec DecodeRegion(const ByteRecord& r)
{
    return ConcreteRegionRec{r.F64(0), r.F64(8), r.F64(16), r.F64(24), r.I16(32)};
}

// Three strain tables: (n, destination, n pairs of (value, depth or layer number)).
LegacyReadResult ReadStrainTables(ByteSource& source, SectionData& data)
{
    int destination = -1;
    for (int t = 0; t < kStrainTableCount; ++t) {
        const auto head = source.Take(kTableHead);
        if (!head)
            return FileEndsInside(source, "strain tables");
        const int n = head->I32(0);
        const int code = head->I32(4);
        if (code >= 0 && code <= 2)
            destination = code;
        std::vector<ByteRecord> pairs;
        if (auto r = TakeRecords(source, n, INT32_MAX, kPair, "strain-table entries", pairs);
            !r.IsRead())
            return r;
        for (const ByteRecord& pair : pairs) {
            const double first = pair.F64(0);
            const double second = pair.F64(8);
            if (destination == 0) {
                data.discontinuity.Add(second, first);
            } else if (destination == 1) {
                data.shrinkage.Add(second, first);
            } else if (destination == 2) {
                const int number = TruncateToInt(second);
                const int longCount = static_cast<int>(data.longLayers.size());
                const int transCount = static_cast<int>(data.transLayers.size());
                if (number >= 0 && number < longCount)
                    data.longLayers[static_cast<std::size_t>(number)].thermStrain = first;
                else if (number >= kTransLayerNumbers && number - kTransLayerNumbers < transCount)
                    data.transLayers[static_cast<std::size_t>(number - kTransLayerNumbers)]
                        .thermStrain = first;
            }
        }
    }
    data.discontinuity.Sort(1);
    data.shrinkage.Sort(1);
    return LegacyRead(source.Offset());
}

// One curve of m (strain, stress) pairs, without its stored closing points, finished.
LegacyReadResult ReadCurve(ByteSource& source, int m, ConcreteTypeRec& type)
{
    std::vector<ByteRecord> pairs;
    if (auto r = TakeRecords(source, m, INT32_MAX, kPair, "user-curve points", pairs); !r.IsRead())
        return r;
    auto curve = std::make_unique<TDepthTable>("Segmental Concrete");
    for (const ByteRecord& pair : pairs)
        curve->Add(pair.F64(0), pair.F64(8));
    if (curve->GetCount() > 0 && curve->GetDepth(0) == 1.0)
        curve->Delete(0);
    const int last = curve->GetCount() - 1;
    if (last >= 0 && std::fabs(curve->GetDepth(last)) == 1.0)
        curve->Delete(last);
    FinishUserCurve(*curve);
    type.userCurve.reset(std::move(curve));
    return LegacyRead(source.Offset());
}

LegacyReadResult ReadCurveCount(ByteSource& source, const char* what, int& value)
{
    const auto word = source.Take(kCount);
    if (!word)
        return FileEndsInside(source, what);
    value = word->I32(0);
    return LegacyRead(source.Offset());
}

LegacyReadResult ReadUserCurves(ByteSource& source, SectionData& data)
{
    if (data.revision < kRevisionCurves)
        return LegacyRead(source.Offset());
    auto& types = data.concretes;
    int k = 0;
    if (data.revision < kRevisionCurveList) {
        bool any = false;
        for (const ConcreteTypeRec& c : types)
            any = any || c.baseCurve == BaseCurveCode::UserDefined;
        if (!any)
            return LegacyRead(source.Offset());
        if (auto r = ReadCurveCount(source, "user curves", k); !r.IsRead())
            return r;
        for (ConcreteTypeRec& c : types) {
            if (c.baseCurve != BaseCurveCode::UserDefined)
                continue;
            int m = 0;
            if (auto r = ReadCurveCount(source, "user curves", m); !r.IsRead())
                return r;
            if (auto r = ReadCurve(source, m, c); !r.IsRead())
                return r;
        }
        return LegacyRead(source.Offset());
    }
    if (auto r = ReadCurveCount(source, "user curves", k); !r.IsRead())
        return r;
    if (k < 0 || k > static_cast<int>(types.size()))
        return BadCount(source, "user curves", k, static_cast<std::int64_t>(types.size()));
    for (int i = 0; i < k; ++i) {
        int m = 0;
        if (auto r = ReadCurveCount(source, "user curves", m); !r.IsRead())
            return r;
        if (m < 0)
            return BadCount(source, "user-curve points", m, INT32_MAX);
        if (m > 0) {
            if (auto r = ReadCurve(source, m, types[static_cast<std::size_t>(i)]); !r.IsRead())
                return r;
        }
    }
    return LegacyRead(source.Offset());
}

// The automatic flags of a concrete type as old files imply them (h the section height).
void UpgradeConcreteType(ConcreteTypeRec& c, double h, int revision)
{
    const double p = std::pow(std::fabs(c.fc) / 1e6, 0.4);
    const double heightTerm = h * 1000.0 + 1200.0;
    const bool sizeAuto =
        heightTerm != 0.0 &&
        std::fabs(c.ft - 550.0 / heightTerm * p * 1363600.0) < kAutoTensileTolerance;
    if (IsAutoTensileStrength(c) || sizeAuto || c.ft < 0.0) {
        c.ftAuto = 1;
        c.tensionStiffening = TensionStiffeningCode::Kelst1999;
    } else {
        c.ftAuto = 0;
    }
    c.ecAuto = std::fabs(std::fabs(c.ec) - std::fabs(AutoPeakStrain(c))) < kAutoPeakTolerance ||
                       c.ec == 0.0
                   ? 1
                   : 0;
    CheckConcreteType(c, false);
    if (revision < kRevisionTsFactor)
        c.tsFactor = 1.0;
}

// A bar title the catalogue lacks is added to it with the layer's bar, for this run only.
template <typename Layer> void FindOrAddBar(Layer& layer)
{
    layer.barIndex = g_RebarList.FindByName(layer.bartitle);
    if (layer.barIndex < 0 && !layer.bartitle.empty())
        g_RebarList.AddBrought(layer.bartitle, layer.Ai, layer.db);
}

} // namespace

LegacyReadResult
ReadNativeV07V08Bytes(TBeam& beam, std::span<const std::uint8_t> bytes, int version)
{
    ByteSource source(bytes);
    std::optional<ByteRecord> section;
    if (auto r = TakeHeadAndSection(source, kSectionBlock, section); !r.IsRead())
        return r;

    SectionData data;
    data.revision = section->I16(357);
    const int regionImages = section->I16(167);
    std::vector<ByteRecord> concretes, steels, longLayers, transLayers, regions;
    if (auto r = TakeBlocks(
            source,
            {{section->I16(131), kMaxTypes, kConcreteRecord, "concrete records", &concretes},
             {section->I16(133), kMaxTypes, kSteelRecord, "steel records", &steels},
             {section->I16(163), kMaxLayers, kLongLayerImage, "longitudinal layers", &longLayers},
             {section->I16(161), kMaxLayers, kTransLayerImage, "transverse layers", &transLayers},
             {regionImages, kMaxRegions, kRegionImage, "concrete regions", &regions}});
        !r.IsRead())
        return r;
    for (const ByteRecord& r : concretes)
        data.concretes.push_back(DecodeConcrete(r));
    for (const ByteRecord& r : steels)
        data.steels.push_back(DecodeSteel(r, static_cast<int>(data.steels.size())));
    for (const ByteRecord& r : longLayers)
        data.longLayers.push_back(DecodeLongLayer(r));
    for (const ByteRecord& r : transLayers)
        data.transLayers.push_back(DecodeTransLayer(r));
    for (const ByteRecord& r : regions)
        data.regions.push_back(DecodeRegion(r));
    const auto loads = source.Take(kLoadsBlock);
    if (!loads)
        return FileEndsInside(source, "loads");
    for (std::size_t i = 0; i < 3; ++i) {
        data.constants[i] = loads->F64(8 * i);
        data.increments[i] = loads->F64(24 + 8 * i);
    }
    if (version == 8) {
        if (auto r = ReadStrainTables(source, data); !r.IsRead())
            return r;
        if (auto r = ReadUserCurves(source, data); !r.IsRead())
            return r;
    }

    // The file is whole: upgrade and fill the beam.
    const double h = section->F64(137);
    const int concreteCount = static_cast<int>(data.concretes.size());
    const int steelCount = static_cast<int>(data.steels.size());
    beam.DeleteConcreteTypes();
    for (ConcreteTypeRec& c : data.concretes) {
        UpgradeConcreteType(c, h, data.revision);
        beam.AddConcreteType(c);
    }
    beam.DeleteSteelTypes();
    for (SteelTypeRec& s : data.steels) {
        CheckSteelType(s, false);
        beam.AddSteelType(s);
    }

    beam.DeleteRegions();
    for (std::size_t i = 0; i < data.regions.size(); ++i) {
        ConcreteRegionRec region = data.regions[i];
        region.concreteType = static_cast<std::int16_t>(
            CheckedTypeIndex(region.concreteType, concreteCount, StrPrintf("Region %zu", i + 1)));
        beam.AddRegion(region, 0);
    }
    beam.UpdateExtents();
    beam.SetRegionCompanionCounts(regionImages, section->I16(169));

    beam.DeleteLongLayers(0);
    for (LongLayerRec& layer : data.longLayers) {
        CheckLongLayer(layer, data.steels, FindOrAddBar<LongLayerRec>);
        beam.AddLongLayer(layer, 0);
    }
    beam.DeleteTransLayers(2);
    for (TransLayerRec& layer : data.transLayers) {
        layer.type = CheckedTypeIndex(layer.type, steelCount, "Stirrup \"" + layer.name + "\"");
        FindOrAddBar(layer);
        if (layer.pattern == 0)
            layer.pattern = 3;
        beam.AddTransLayer(layer, 2);
    }

    ApplySectionTitles(beam, *section);
    ApplyFileUnitSystem(section->I16(135));
    beam.SetCrackSpacing(section->F64(153), 0);
    beam.SetCrackSpacing(section->F64(145), 2);
    SetLegacyShapeCode(beam, section->I16(171));
    beam.SetShapeName(section->Text(173, 20, kBeamShapeNameChars));
    for (int k = 1; k <= kBeamShapeParamCount; ++k)
        beam.SetShapeParameter(section->F64(193 + 8 * static_cast<std::size_t>(k - 1)), k);
    if (section->I16(171) == kBeamIShape && beam.GetRegionCount() > 2)
        beam.SetShapeParameter(beam.GetRegion(2)->topWidth, 6);
    beam.SetMomentAxis(MomentAxisFromFile(section->F64(273)));

    const bool oldTimeData = data.revision < kRevisionTimeData;
    beam.SetTimeData(oldTimeData ? 0 : section->I16(359),
                     oldTimeData ? kDefaultAgeDays : section->F64(369),
                     oldTimeData ? 0.0 : section->F64(361),
                     data.constants[0]);

    // The member defaults of an old revision come from the loads as the file gives them; the
    // unit moment that an empty increment receives is set after them.
    beam.SetConstantLoads(data.constants.data(), kLoadCount);
    beam.SetIncrementLoads(data.increments.data(), kLoadCount);
    beam.SetStrainDiscontinuity(data.discontinuity);
    beam.SetShrinkThermCurve(data.shrinkage);

    TMemberQuickDef info;
    beam.GetStoredValues(info);
    info.L = section->F32(377);
    info.mido2 = section->F32(381);
    info.reserved = static_cast<std::uint32_t>(section->I32(385));
    info.penetrate = section->F32(389);
    info.type = section->U8(393);
    info.left = section->U8(394);
    info.right = section->U8(395);
    info.leftpercent = section->F32(396);
    info.constAxialLoad = ToStoredFloat(data.constants[0]);
    if (data.revision < kRevisionMemberInfo)
        SetDefaultMemberInfo(beam, info);
    if (data.revision < kRevisionLeftPercent)
        info.leftpercent = 0.0f;
    if (data.revision < kRevisionPlates)
        info.lplate = info.rplate = kOldPlate;
    beam.SetStoredValues(info);
    beam.SetFileVersionCode(kNativeFileRevision);
    KeepIncrementMoment(data.increments);
    beam.SetIncrementLoads(data.increments.data(), kLoadCount);

    return FinishNativeRead(beam, source);
}

int ReadNativeFileV07V08(TBeam& beam, const std::string& path, int version)
{
    return ReadLegacyFile(path,
                          [&beam, version](std::span<const std::uint8_t> bytes) {
                              return ReadNativeV07V08Bytes(beam, bytes, version);
                          })
        .Code();
}

int ReadNativeFileV07(TBeam& beam, const std::string& path)
{
    return ReadNativeFileV07V08(beam, path, 7);
}

int ReadNativeFileV08(TBeam& beam, const std::string& path)
{
    return ReadNativeFileV07V08(beam, path, 8);
}
