// The predecessor import: the sheet's blocks, row by row, into a beam.

#include "files/legacy/PredecessorImport.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <string>
#include <vector>

#include "files/legacy/HeldLayers.h"
#include "files/legacy/LegacyFile.h"
#include "files/legacy/NativeFileCommon.h"
#include "files/legacy/PredecessorCells.h"
#include "foundation/NameText.h"
#include "foundation/ReportText.h"
#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "foundation/Units.h"
#include "model/TBeam.h"
#include "model/ValueLimits.h"
#include "model/catalogues/TDivisionRows.h"
#include "model/materials/ConcreteLaws.h"
#include "model/materials/SteelLaws.h"
#include "model/shapes/SectionShape.h"

namespace {

constexpr int kValueColumn = 3;
constexpr int kMaxRegions = 150;
constexpr double kRasterStep = 0.0001;   // m per raster row and column
#ifdef QV_FUZZ_BUILD
// Fuzzing builds refuse sections reaching beyond 10 m, so that one input takes milliseconds.
constexpr int kMaxRasterRows = 100000;
#else
constexpr int kMaxRasterRows = 10000000; // what TDivisionRows takes
#endif
constexpr double kBoundaryGap = 0.0001;  // m between a region's top and the next bottom
constexpr double kPerMille = 1000.0;
constexpr double kStirrupTop = 0.25;
constexpr double kStirrupBottom = -0.25;

// One region record of the sheet, bottom-up.
struct SheetRegion {
    double bottom = 0.0;
    double top = 0.0;
    double bottomWidth = 0.0;
    double topWidth = 0.0;
    int type = 0;
};

class SheetReader {
public:
    SheetReader(const PredecessorCellTable& table, int unitSystem)
        : m_table(table), m_units(unitSystem)
    {
    }

    double Number(int column, int row) const { return m_table.GetCellNumber(column, row); }
    // A value divided by the factor of its unit kind in the sheet's units, held to what a
    // section takes (model/ValueLimits.h).
    double Value(int column, int row, int kind) const
    {
        return Held(column, row, Number(column, row) / UnitFactor(kind, m_units), kind);
    }
    // A plain number (a factor, a constant of a steel curve), held as the values are.
    double Plain(int column, int row) const
    {
        return Held(column, row, Number(column, row), ukNone);
    }
    // A value that only has to be a number: a layer's area, which its layer's check holds, or
    // a height that may be the sheet's mark of the centroid (a very large one).
    double Finite(int column, int row, int kind) const
    {
        return Noted(column, row, Number(column, row) / UnitFactor(kind, m_units));
    }
    // A strain given per mille, as single precision keeps it; held before it is narrowed.
    double PerMille(int column, int row) const
    {
        return static_cast<float>(Held(column, row, Number(column, row) / kPerMille, ukStrain));
    }
    // The first cell that gives no value a section takes ("Row 7, column 1 of the sheet holds
    // 1e+303: it gives a value that is no number.", "Row 24, column 3 of the sheet holds
    // 1e+300: a section takes at most 1000000 mm."); empty when there is none.
    const std::string& NonNumberText() const { return m_nonNumber; }
    // A count in column 3, held within the rows of the sheet.
    int Count(int row) const
    {
        return std::clamp(m_table.GetCellInt(kValueColumn, row), 0, kPredecessorRows);
    }
    // A 1-based type number, counted after `first` types, as a 0-based index (held within
    // the int range; CheckedTypeIndex judges it).
    int TypeIndex(int column, int row, int first = 0) const
    {
        const long long index = static_cast<long long>(m_table.GetCellInt(column, row)) + first - 1;
        return static_cast<int>(std::clamp<long long>(index, INT_MIN, INT_MAX));
    }
    bool Flag(int row) const { return m_table.GetCellChar(kValueColumn, row) == 'Y'; }

private:
    double Noted(int column, int row, double value) const
    {
        if (!std::isfinite(value) && m_nonNumber.empty())
            m_nonNumber = StrPrintf("Row %d, column %d of the sheet holds %g: it gives a value that is no number.",
                                    row,
                                    column,
                                    Number(column, row));
        return value;
    }

    // The value, when it is a number no larger than a section takes of its kind; else the cell
    // is noted (the sheet is then refused) and 0 stands in for it meanwhile.
    double Held(int column, int row, double value, int kind) const
    {
        if (!std::isfinite(Noted(column, row, value)))
            return 0.0;
        const double largest = LargestSectionValue(kind);
        if (std::fabs(value) <= largest)
            return value;
        if (m_nonNumber.empty()) {
            const double factor = UnitFactor(kind, m_units);
            const std::string unit = UnitLabel(kind, m_units);
            m_nonNumber = StrPrintf("Row %d, column %d of the sheet holds %g: a section takes at "
                                    "most %.10g%s%s.",
                                    row,
                                    column,
                                    Number(column, row),
                                    largest * factor,
                                    unit.empty() ? "" : " ",
                                    unit.c_str());
        }
        return 0.0;
    }

    const PredecessorCellTable& m_table;
    int m_units;
    mutable std::string m_nonNumber;
};

void ImportConcreteTypes(TBeam& beam, const SheetReader& sheet, int count)
{
    beam.DeleteConcreteTypes();
    for (int k = 1; k <= count; ++k) {
        const int row = 6 + k;
        ConcreteTypeRec c;
        InitConcreteTypeRec(c);
        c.fc = -sheet.Value(1, row, ukStress);
        c.ec = sheet.Value(2, row, ukStrain);
        c.ft = sheet.Value(3, row, ukStress);
        c.tsFactor = sheet.Plain(4, row);
        c.Ec = 0.0;
        c.aggregate = MaterialDefaults.aggregate;
        c.userCurve.reset();
        c.ftAuto = 0;
        c.ecAuto = 0;
        c.nonDefault = 1;
        c.baseCurve = BaseCurveCode::Parabolic;
        c.softening = SofteningCode::VantrioHawmere1986;
        c.tensionStiffening = TensionStiffeningCode::Kelst1999;
        c.name = StrPrintf("Conc%d", k);
        CheckConcreteType(c, false);
        beam.AddConcreteType(c);
    }
}

void ImportSteelTypes(
    TBeam& beam, const SheetReader& sheet, int rebarRow, int rebars, int prestressRow, int strands)
{
    beam.DeleteSteelTypes();
    for (int k = 1; k <= rebars; ++k) {
        const int row = rebarRow + 2 + k;
        SteelTypeRec s;
        InitSteelTypeRec(s);
        s.kind = SteelKind::Reinforcing;
        s.Es = sheet.Value(1, row, ukLargeStress);
        s.fy = sheet.Value(2, row, ukLargeStress);
        s.esh = sheet.Value(3, row, ukStrain);
        s.eu = sheet.Value(4, row, ukStrain);
        s.fu = sheet.Value(5, row, ukLargeStress);
        s.er = 0.0;
        s.name = StrPrintf("type %d", k);
        CheckSteelType(s, false);
        beam.AddSteelType(s);
    }
    for (int k = 1; k <= strands; ++k) {
        const int row = prestressRow + 2 + k;
        SteelTypeRec s;
        InitSteelTypeRec(s);
        s.kind = SteelKind::Prestressing;
        s.A = sheet.Plain(1, row);
        s.B = sheet.Plain(2, row);
        s.C = sheet.Plain(3, row);
        s.Es = sheet.Value(4, row, ukLargeStress);
        s.fy = sheet.Value(5, row, ukLargeStress);
        s.fu = s.fy;
        s.eu = sheet.Value(6, row, ukStrain);
        s.er = 0.0;
        s.name = StrPrintf("type %d", k);
        CheckSteelType(s, false);
        beam.AddSteelType(s);
    }
}

double BarDiameter(double area)
{
    return static_cast<float>(2.0 * std::sqrt(std::max(area, 0.0) / kModelPi));
}

// The shrinkage or discontinuity points of the regions: (bottom, first), optionally (mid,
// second), (top, last), each region's top lowered by the boundary gap but the last one's.
void AddRegionStrains(TDepthTable& table,
                      const std::vector<SheetRegion>& regions,
                      const SheetReader& sheet,
                      int firstRow,
                      bool withMid)
{
    double previousTop = 0.0;
    const int n = static_cast<int>(regions.size());
    for (int j = 0; j < n; ++j) {
        const int row = firstRow + j;
        const double b = regions[static_cast<std::size_t>(j)].bottom;
        double t = regions[static_cast<std::size_t>(j)].top;
        if (j + 1 < n)
            t -= kBoundaryGap;
        const double bottomStrain = sheet.PerMille(1, row);
        const double midStrain = sheet.PerMille(2, row);
        const double topStrain = sheet.PerMille(withMid ? 3 : 2, row);
        if (withMid && j > 0)
            table.Add(b - kBoundaryGap / 2.0, (bottomStrain + previousTop) / 2.0);
        table.Add(b, bottomStrain);
        if (withMid)
            table.Add((t + b) / 2.0, midStrain);
        table.Add(t, topStrain);
        previousTop = topStrain;
    }
}

} // namespace

LegacyReadResult
ImportPredecessorSection(TBeam& beam, const PredecessorCellTable& table, int& mixedTypes)
{
    mixedTypes = 0;
    const int u = table.GetCellText(kValueColumn, 3).starts_with("M") ? kUnitSI : kUnitUS;
    if (g_FileOverride != 0)
        g_UnitSystem = u;
    const SheetReader sheet(table, u);

    // Where the blocks stand.
    const int concretes = sheet.Count(4);
    const int rS = 7 + concretes;
    const int rebars = sheet.Count(rS);
    const int rP = rebars > 0 ? rS + 3 + rebars : rS + 1;
    const int strands = sheet.Count(rP);
    const int m = strands > 0 ? rP + 4 + strands : rP + 2;
    const bool crackBlock = sheet.Flag(m + 1);
    const bool hasSteel = rebars + strands > 0;
    const bool stirrups = crackBlock && hasSteel && sheet.Flag(m + 8);
    int g = m + 2;
    if (crackBlock)
        g = !hasSteel ? m + 8 : (stirrups ? m + 13 : m + 9);
    const int regionCount = std::max(table.GetCellInt(kValueColumn, g), 0);
    if (regionCount > kMaxRegions)
        return LegacyRefused(
            static_cast<std::size_t>(g),
            StrPrintf("The file gives %d concrete regions; a section holds at most "
                      "%d.",
                      regionCount,
                      kMaxRegions));

    beam.SetName(NameText(table.GetCellText(kValueColumn, 2), kBeamNameChars));
    beam.SetDoneBy("q-90");
    beam.SetDate("imported");
    ImportConcreteTypes(beam, sheet, concretes);
    ImportSteelTypes(beam, sheet, rS, rebars, rP, strands);
    const int concreteCount = beam.GetConcreteTypeCount();
    const int steelCount = beam.GetSteelTypeCount();

    beam.DeleteTransLayers(2);
    beam.SetMomentAxis(MomentAxisFromFile(sheet.Finite(kValueColumn, m, ukSectionLength)));
    double crackX = -1.0;
    double crackZ = -1.0;
    if (crackBlock) {
        crackX = sheet.Value(kValueColumn, m + 6, ukSectionLength);
        const double aggregate = sheet.Value(kValueColumn, m + 7, ukSectionLength);
        for (int i = 0; i < concreteCount; ++i)
            beam.GetConcreteType(i)->aggregate = aggregate;
        if (stirrups) {
            crackZ = sheet.Value(kValueColumn, m + 9, ukSectionLength);
            TransLayerRec layer;
            InitTransLayerRec(layer);
            layer.A = sheet.Finite(kValueColumn, m + 10, ukArea);
            layer.space = sheet.Value(kValueColumn, m + 11, ukSectionLength);
            layer.type =
                CheckedTypeIndex(sheet.TypeIndex(kValueColumn, m + 12), steelCount, "The stirrups");
            layer.disttop = kStirrupTop;
            layer.distbot = kStirrupBottom;
            layer.dep = 0.0;
            layer.db = BarDiameter(layer.A);
            layer.name = "stirrups";
            beam.AddTransLayer(layer, 2);
        }
    }
    beam.SetCrackSpacing(crackX, 0);
    beam.SetCrackSpacing(crackZ, 2);

    // Regions, listed bottom-up in the sheet and stored top-down.
    std::vector<SheetRegion> regions(static_cast<std::size_t>(regionCount));
    for (int j = 0; j < regionCount; ++j) {
        const int row = g + 3 + j;
        SheetRegion& r = regions[static_cast<std::size_t>(j)];
        r.bottom = sheet.Value(1, row, ukSectionLength);
        r.bottomWidth = sheet.Value(2, row, ukSectionLength);
        r.topWidth = sheet.Value(3, row, ukSectionLength);
        r.top = r.bottom + sheet.Value(4, row, ukSectionLength);
        r.type =
            CheckedTypeIndex(sheet.TypeIndex(5, row), concreteCount, StrPrintf("Region %d", j + 1));
    }
    beam.DeleteRegions();
    for (int j = regionCount - 1; j >= 0; --j) {
        const SheetRegion& r = regions[static_cast<std::size_t>(j)];
        beam.AddRegion(r.top, r.bottom, r.topWidth, r.bottomWidth, r.type, 0);
    }
    beam.UpdateExtents();
    beam.SetRegionCompanionCounts(regionCount, 0);
    beam.SetFileVersionCode(kPredecessorRevision);
    beam.SetTimeData(0, kDefaultAgeDays, 0.0, 0.0);

    // Bar layers, then tendon layers.
    int next = g + 3 + regionCount;
    int bars = 0;
    int tendons = 0;
    beam.DeleteLongLayers(0);
    if (rebars > 0) {
        bars = sheet.Count(next);
        for (int k = 1; k <= bars; ++k) {
            const int row = next + 2 + k;
            LongLayerRec layer;
            InitLongLayerRec(layer);
            layer.z = sheet.Value(1, row, ukSectionLength);
            layer.A = sheet.Finite(2, row, ukArea);
            layer.dep = 0.0;
            layer.type =
                CheckedTypeIndex(sheet.TypeIndex(3, row), steelCount, StrPrintf("Bar layer %d", k));
            layer.name = StrPrintf("type %d", k);
            beam.AddLongLayer(layer, 0);
        }
        next += bars > 0 ? 3 + bars : 1;
    }
    if (strands > 0) {
        tendons = sheet.Count(next);
        for (int k = 1; k <= tendons; ++k) {
            const int row = next + 2 + k;
            LongLayerRec layer;
            InitLongLayerRec(layer);
            layer.z = sheet.Value(1, row, ukSectionLength);
            layer.A = sheet.Finite(2, row, ukArea);
            layer.dep = sheet.Value(3, row, ukStrain);
            layer.type = CheckedTypeIndex(sheet.TypeIndex(4, row, rebars),
                                          steelCount,
                                          StrPrintf("Tendon layer %d", k));
            layer.name = StrPrintf("type %d", k);
            beam.AddLongLayer(layer, 0);
        }
        next += 3 + tendons;
    }
    const int layers = bars + tendons;
    if (layers > 0) {
        if (sheet.Flag(next))
            next += 2 + layers + (bars > 0 && tendons > 0 ? 2 : 0);
        ++next;
    }

    // Shrinkage and layer strains, then the strain discontinuity.
    TDepthTable& shrinkage = beam.GetPositionVariable(kShrinkTherm);
    shrinkage.Clear();
    if (sheet.Flag(next)) {
        AddRegionStrains(shrinkage, regions, sheet, next + 3, true);
        int row = next + 3 + regionCount;
        if (layers > 0) {
            row += 2;
            for (int k = 0; k < layers; ++k) {
                beam.SetLongLayerThermStrain(k, sheet.PerMille(1, row), 0);
                // Two separator rows stand between the bar and the tendon strains.
                row += k == bars && bars > 0 ? 3 : 1;
            }
        }
        next = row;
    } else {
        ++next;
    }
    TDepthTable discontinuity;
    if (sheet.Flag(next))
        AddRegionStrains(discontinuity, regions, sheet, next + 3, false);
    beam.SetStrainDiscontinuity(discontinuity);

    // The regions through the raster.
    TBeam work;
    const int recut = RebuildRegionsFromRaster(0.0, beam, work, mixedTypes, 0);
    if (recut > 0) {
        beam.DeleteRegions();
        for (int i = 0; i < work.GetRegionCount(); ++i)
            beam.AddRegion(*work.GetRegion(i), 0);
        beam.UpdateExtents();
    } else if (recut < 0) {
        AddLoadError(StrPrintf("The regions of the Quarvish-90 file re-cut into more than %d "
                               "regions; they are kept as the file gives them",
                               beam.GetMaxRegions()));
    } else {
        AddLoadError("The section of the Quarvish-90 file is too large to be re-cut; its regions "
                     "are kept as the file gives them");
    }
    beam.SetShapeType(kUserShapeCode);
    beam.RecogniseShape();

    if (beam.GetTransLayerCount(2) > 0 && beam.GetRegionCount() > 0) {
        TransLayerRec layer = *beam.GetTransLayer(0, 2);
        layer.legs = 1;
        layer.pattern = 1;
        layer.disttop = beam.GetRegion(0)->top;
        layer.distbot = beam.GetRegion(beam.GetRegionCount() - 1)->bottom;
        layer.angle = kDefaultTransAngle;
        layer.Ai = layer.A;
        beam.DeleteTransLayers(2);
        beam.AddTransLayer(layer, 2);
    }
    for (int i = 0; i < beam.GetLongLayerCount(0); ++i) {
        LongLayerRec* layer = beam.GetLongLayer(i, 0);
        layer->num = 1;
        layer->Ai = layer->A;
        layer->barIndex = -1;
        layer->db = BarDiameter(layer->A);
        layer->bartitle.clear();
    }

    LoadVector increments{};
    const LoadVector constants{};
    increments[1] = 1.0 / UnitFactor(ukMoment, g_UnitSystem);
    beam.SetConstantLoads(constants.data(), kLoadCount);
    beam.SetIncrementLoads(increments.data(), kLoadCount);
    TMemberQuickDef info;
    beam.GetStoredValues(info);
    SetDefaultMemberInfo(beam, info);
    beam.SetStoredValues(info);
    if (!sheet.NonNumberText().empty())
        return LegacyRefused(static_cast<std::size_t>(next), sheet.NonNumberText() + " The file cannot be read.");
    return LegacyRead(static_cast<std::size_t>(next));
}

int RebuildRegionsFromRaster(double theta, const TBeam& source, TBeam& target, int& flag, int show)
{
    flag = 0;
    target.DeleteRegions();
    const int n = source.GetRegionCount();
    double R = 0.0;
    for (int i = 0; i < n; ++i) {
        const ConcreteRegionRec& r = *source.GetRegion(i);
        R = std::max(R, std::sqrt(r.topWidth * r.topWidth / 4.0 + r.top * r.top));
        R = std::max(R, std::sqrt(r.bottomWidth * r.bottomWidth / 4.0 + r.bottom * r.bottom));
    }
    const double rows = R / kRasterStep;
    if (!std::isfinite(rows) || rows > kMaxRasterRows)
        return 0;
    TDivisionRows raster;
    if (raster.Init(static_cast<int>(rows)) == 0)
        return 0;
    const double c = std::cos(theta);
    const double s = std::sin(theta);
    const auto point = [&](double x, double y) {
        return TGridPoint{static_cast<int>((x * c + y * s) / kRasterStep),
                          static_cast<int>((y * c - x * s + R) / kRasterStep)};
    };
    bool reported = false;
    for (int i = 0; i < n; ++i) {
        const ConcreteRegionRec& r = *source.GetRegion(i);
        const auto tag = static_cast<std::uint16_t>(std::max<int>(r.concreteType, 0));
        int conflict = 0;
        raster.AddTriangle(point(-r.topWidth / 2, r.top),
                           point(r.topWidth / 2, r.top),
                           point(-r.bottomWidth / 2, r.bottom),
                           tag,
                           conflict);
        raster.AddTriangle(point(r.topWidth / 2, r.top),
                           point(r.bottomWidth / 2, r.bottom),
                           point(-r.bottomWidth / 2, r.bottom),
                           tag,
                           conflict);
        if (conflict != 0) {
            flag = 1;
            if (show != 0 && !reported)
                ShowMessage("Quarvish-2000 can not cope with different concrete types across "
                            "width of structure.  Program will continue with one concrete type",
                            "Quarvish-2000");
            reported = true;
        }
    }
    raster.SortLocations();
    // The divisions come from the bottom up; the regions run from the top down. They are
    // counted before any is stored, so that none is lost to a full section.
    std::vector<ConcreteRegionRec> divisions;
    while (raster.HasMore()) {
        const TDivision d = raster.NextDivision();
        const int type = d.tag == kNoDivisionTag ? 0 : d.tag;
        divisions.push_back(ConcreteRegionRec{d.upperRow * kRasterStep - R,
                                              d.lowerRow * kRasterStep - R,
                                              d.upperWidth * kRasterStep,
                                              d.lowerWidth * kRasterStep,
                                              static_cast<std::int16_t>(type)});
    }
    raster.Free();
    if (static_cast<int>(divisions.size()) > target.GetMaxRegions())
        return -1;
    for (auto d = divisions.rbegin(); d != divisions.rend(); ++d)
        target.AddRegion(*d, 0);
    target.UpdateExtents();
    target.SetShapeType(kUserShapeCode);
    return 1;
}

LegacyReadResult
ImportPredecessorBytes(TBeam& beam, std::span<const std::uint8_t> bytes, int& mixedTypes)
{
    PredecessorCellTable table;
    LegacyReadResult cells = ReadPredecessorCells(bytes, table);
    if (!cells.IsRead())
        return cells;
    int mixed = 0;
    LegacyReadResult result = ImportPredecessorSection(beam, table, mixed);
    if (result.IsRead())
        result = CheckHeldLayers(beam, result.offset);
    if (result.IsRead() && mixed != 0)
        mixedTypes = 1;
    return result;
}

int ImportOldProgramFile(TBeam& beam, const std::string& path, int& mixedTypes)
{
    return ReadLegacyFile(path,
                          [&beam, &mixedTypes](std::span<const std::uint8_t> bytes) {
                              return ImportPredecessorBytes(beam, bytes, mixedTypes);
                          })
        .Code();
}
