// TBeam: construction, the default section, validation order, texts, crack spacings,
// counters, shape, moment axis and long-term settings.

#include "model/TBeam.h"

#include <algorithm>
#include <cmath>

#include "foundation/DateTime.h"
#include "foundation/NameText.h"
#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "foundation/Units.h"
#include "model/DefaultAuthor.h"
#include "model/QuickDefineFlag.h"
#include "model/materials/ConcreteLaws.h"
#include "model/materials/MaterialTypes.h"
#include "model/materials/SteelLaws.h"
#include "model/shapes/SectionShape.h"
#include "model/shapes/ShapeLibrary.h"

namespace {

// Names the two owned tables carry; the copy constructor's trailing blank is replaced by the
// source's name when the table is assigned.
constexpr const char* kDiscontinuityNameNew = "X logntiudinal strain discontinuity";
constexpr const char* kDiscontinuityName = "X strain discontinuity";
constexpr const char* kDiscontinuityNameCopy = "X strain discontinuity ";
constexpr const char* kCriticalRhoName = "critical rho for strain concentration";

// Strength of the default prestressing steel, f_pu (Pa).
constexpr double kDefaultStrandStrength = 1.86e9;

// Crack spacings: below this a spacing is automatic, above kMaxCrackSpacing it is cut (m).
constexpr double kMinCrackSpacing = 0.0001;
constexpr double kMaxCrackSpacing = 500.0;

// Moment-axis heights other than centroidal are kept within +-kMaxMomentAxis (m).
constexpr double kMaxMomentAxis = 1000.0;

BeamFileReader g_BeamFileReader = nullptr;

} // namespace

BeamFileReader SetBeamFileReader(BeamFileReader reader)
{
    BeamFileReader previous = g_BeamFileReader;
    g_BeamFileReader = reader;
    return previous;
}

// ---- Construction ----------------------------------------------------------------------

TBeam::TBeam() : m_strainDiscontinuity(kDiscontinuityNameNew), m_criticalRho(kCriticalRhoName)
{
    InitEmpty();
    NewDefault();
}

TBeam::TBeam(Empty) : m_strainDiscontinuity(kDiscontinuityName), m_criticalRho(kCriticalRhoName)
{
    InitEmpty();
}

TBeam::TBeam(const std::string& fileName, int& success) : TBeam(Empty{})
{
    success = Load(fileName, 1);
    if (success == 0)
        NewDefault();
}

TBeam::TBeam(const TBeam& other)
    : TStructure(), m_strainDiscontinuity(kDiscontinuityNameCopy), m_criticalRho(kCriticalRhoName)
{
    InitEmpty();
    CopyFrom(other);
    m_own = other.m_own;
    m_memberQuickValues = other.m_memberQuickValues;
    m_strainDiscontinuity.Assign(other.m_strainDiscontinuity);
    m_criticalRho.Assign(other.m_criticalRho);
    RefreshTitle();
}

TBeam::~TBeam()
{
    TBeam::ClearAll();
}

int TBeam::InitEmpty()
{
    TStructure::InitEmpty();
    SetKind(kKindBeam);
    m_strainDiscontinuity.Clear();
    m_criticalRho.Clear();
    m_own = OwnBlock{};
    m_memberQuickValues = TMemberQuickDef{};
    return 1;
}

int TBeam::ClearAll()
{
    TStructure::ClearAll();
    m_strainDiscontinuity.Clear();
    m_criticalRho.Clear();
    return 1;
}

// ---- The default section ---------------------------------------------------------------

std::unique_ptr<TStructure> TBeam::Clone() const
{
    return std::make_unique<TBeam>(*this);
}

int TBeam::NewDefault()
{
    ClearAll();
    m_own = OwnBlock{};
    // The region count belongs to the cleared block: a new section has no outline.
    SetRegionCount(0);

    m_own.name = "New Cross Section";
    m_own.doneBy = BoundedCopy(g_DefaultDoneBy, kBeamDoneByChars);
    m_own.date = BoundedCopy(DateStamp(), kBeamDateChars);
    RefreshTitle();

    m_own.crackSpacingZ = -1.0;
    m_own.crackSpacingX = -1.0;
    m_own.shapeCode = 0;
    m_own.timeDependent = 0;
    m_own.momentAxis = kUndefined;
    m_own.ageDays = kDefaultAgeDays;

    // Blank records take the current default strengths.
    SteelTypeRec bar;
    InitSteelTypeRec(bar);
    bar.kind = 1;
    bar.name = "Steel 1";
    CheckSteelType(bar, 1);
    AddSteelType(bar);

    SteelTypeRec strand;
    InitSteelTypeRec(strand);
    strand.kind = 2;
    strand.fy = kDefaultStrandStrength;
    strand.fu = kDefaultStrandStrength;
    strand.name = "PSteel 1";
    CheckSteelType(strand, 1);
    AddSteelType(strand);

    ConcreteTypeRec blank;
    InitConcreteTypeRec(blank);
    double strength = blank.fc;
    AddConcreteTypeFromStrength(strength, "Concrete 1");

    GetPositionVariable(kTensionStiffX).Clear();
    SetQuickDefineNew(1);

    // One displayed unit of moment per load step (stored negative: the moment factors turn
    // the sign); every other load 0.
    LoadVector increments{};
    increments[1] = 1.0 / UnitFactor(ukMoment, g_UnitSystem);
    const LoadVector constants{};
    SetIncrementLoads(increments.data(), kLoadCount);
    SetConstantLoads(constants.data(), kLoadCount);
    SetModified(0);
    return 1;
}

// ---- Validation ------------------------------------------------------------------------

int TBeam::Validate()
{
    if (CheckFrozen())
        return 0;
    FindMainTypes();
    TStructure::Validate();
    RecogniseShape();
    SetLayerRatios();
    BuildTensionStiffCurve(0);
    BuildTransTensionStiffCurve(2);
    ComputeSectionProperties();
    CheckHsuConcrete(0);
    CheckHsuConcrete(2);
    ResetTimeDependentStrains();
    NormaliseStrainDiscontinuity();
    BuildCriticalRhoTable();
    return 1;
}

int TBeam::FindMainTypes()
{
    // Totals within this share of the regions' depth (of the largest steel total) count as
    // equal, the first type keeping the lead: a document keeps ten digits, and regions of equal
    // height read back from one must not hand the lead to another type by their last bits.
    constexpr double kSameShare = 1e-8;
    const int concreteCount = GetConcreteTypeCount();
    const int regionCount = GetRegionCount();
    double lowest = 0.0;
    double highest = 0.0;
    for (int i = 0; i < regionCount; ++i) {
        const ConcreteRegionRec* r = GetRegion(i);
        lowest = i == 0 ? r->bottom : std::min(lowest, r->bottom);
        highest = i == 0 ? r->top : std::max(highest, r->top);
    }
    const double sameHeight = kSameShare * (highest - lowest);
    int bestConcrete = 0;
    double bestHeight = 0.0;
    for (int t = 0; t < concreteCount; ++t) {
        double total = 0.0;
        for (int i = 0; i < regionCount; ++i) {
            const ConcreteRegionRec* r = GetRegion(i);
            if (r->concreteType == t)
                total += r->top - r->bottom;
        }
        if (t == 0 || total > bestHeight + sameHeight) {
            bestConcrete = t;
            bestHeight = total;
        }
    }
    const int steelCount = GetSteelTypeCount();
    const int layerCount = GetLongLayerCount(0);
    int bestSteel = 0;
    double bestStiffness = 0.0;
    for (int t = 0; t < steelCount; ++t) {
        const double es = GetSteelType(t)->Es;
        double total = 0.0;
        for (int i = 0; i < layerCount; ++i) {
            const LongLayerRec* layer = GetLongLayer(i, 0);
            if (layer->type == t)
                total += layer->A * es;
        }
        if (t == 0 || total > bestStiffness + kSameShare * std::fabs(bestStiffness)) {
            bestSteel = t;
            bestStiffness = total;
        }
    }
    m_own.mainConcreteType = static_cast<int16_t>(bestConcrete);
    m_own.mainSteelType = static_cast<int16_t>(bestSteel);
    return 1;
}

int TBeam::SetConcreteModelSet(int code)
{
    if (CheckFrozen())
        return 0;
    TStructure::SetConcreteModelSet(code);
    if (code >= 5 && code <= 12)
        ShowMessage("Houston methods not correct in Quarvish",
                    "Warning!",
                    MsgStyle::Ok | MsgStyle::IconExclamation);
    return 1;
}

int TBeam::Load(const std::string& fileName, int elementIndex)
{
    if (g_BeamFileReader == nullptr)
        return 0;
    return g_BeamFileReader(*this, fileName, elementIndex);
}

int TBeam::GetRootElementName(std::string& name) const
{
    name = "q3g_beam";
    return 1;
}

// ---- Texts -------------------------------------------------------------------------------

int TBeam::StampDate()
{
    m_own.date = BoundedCopy(DateStamp(), kBeamDateChars);
    return 1;
}

int TBeam::SetName(const std::string& text)
{
    return SetTitleText(m_own.name, text, kBeamNameChars);
}

int TBeam::SetUniversity(const std::string& text)
{
    if (CheckFrozen())
        return 0;
    ShowMessage("Attempt to Set \"Univesity\" for beam: undefined",
                "Beam Error",
                MsgStyle::Ok | MsgStyle::IconExclamation);
    RefreshTitle();
    if (text.empty())
        return 0;
    SetModified(1);
    return 1;
}

int TBeam::SetDoneBy(const std::string& text)
{
    return SetTitleText(m_own.doneBy, text, kBeamDoneByChars);
}

int TBeam::SetDate(const std::string& text)
{
    return SetTitleText(m_own.date, text, kBeamDateChars);
}

// ---- Crack spacings ----------------------------------------------------------------------

int TBeam::SetCrackSpacing(double value, int direction)
{
    if (CheckFrozen())
        return 0;
    double& target = direction == 0 ? m_own.crackSpacingX : m_own.crackSpacingZ;
    const double old = direction == 0   ? m_own.crackSpacingX
                       : direction == 2 ? m_own.crackSpacingZ
                                        : kUndefined;
    double kept = value;
    if (kept < kMinCrackSpacing)
        kept = -1.0;
    else if (kept > kMaxCrackSpacing)
        kept = kMaxCrackSpacing;
    target = kept;
    if (!(std::fabs(kept - old) > kModifiedTolerance))
        return 0;
    SetModified(1);
    return 1;
}

double TBeam::GetCrackSpacing(int direction) const
{
    if (direction == 0)
        return m_own.crackSpacingX;
    if (direction == 2)
        return m_own.crackSpacingZ;
    return kUndefined;
}

// The transverse spacing answers to direction 1 as stored files use it and to direction 2
// as every other operation of the beam does.
int TBeam::IsCrackSpacingAuto(int direction) const
{
    if (direction == 0)
        return m_own.crackSpacingX < 0.0 ? 1 : 0;
    if (direction == 1 || direction == 2)
        return m_own.crackSpacingZ < 0.0 ? 1 : 0;
    return 0;
}

int TBeam::SetCrackSpacingAuto(int flag, int direction)
{
    const double value = flag != 0 ? -1.0 : 0.0;
    if (direction == 0)
        m_own.crackSpacingX = value;
    else if (direction == 1 || direction == 2)
        m_own.crackSpacingZ = value;
    return 1;
}

// ---- Counters ----------------------------------------------------------------------------

int TBeam::SetRegionCount(int n)
{
    TStructure::SetRegionCount(n);
    m_own.outlineRegionCount = static_cast<int16_t>(GetRegionCount());
    m_own.voidRegionCount = 0;
    return 1;
}

void TBeam::SetRegionCompanionCounts(int outline, int voids)
{
    m_own.outlineRegionCount = static_cast<int16_t>(std::clamp(outline, 0, GetMaxRegions()));
    m_own.voidRegionCount = static_cast<int16_t>(std::clamp(voids, 0, GetMaxRegions()));
}

int TBeam::GetLongLayerCount(int direction) const
{
    if (direction == 0)
        return TStructure::GetLongLayerCount(0);
    if (direction == 1 || direction == 2)
        return 0;
    ShowMessage("No such direction", kProgramCaption, MsgStyle::Ok | MsgStyle::IconExclamation);
    return 0;
}

int TBeam::SetLongLayerCount(int n, int)
{
    return TStructure::SetLongLayerCount(n, 0);
}

int TBeam::GetTransLayerCount(int direction) const
{
    if (direction == 0 || direction == 1)
        return 0;
    if (direction == 2)
        return TStructure::GetTransLayerCount(2);
    ReportBadDirection("GetTransLayerCount", direction);
    return 0;
}

int TBeam::SetTransLayerCount(int n, int)
{
    return TStructure::SetTransLayerCount(n, 2);
}

// ---- Shape -------------------------------------------------------------------------------

int TBeam::ChangeRegionWidths(int i, double dTop, double dBottom)
{
    if (CheckFrozen())
        return 0;
    if (i < 0 || i >= GetRegionCount()) {
        ReportBadIndex("ChangeRegionWidths", i);
        return 0;
    }
    ConcreteRegionRec* r = GetRegion(i);
    r->topWidth += dTop;
    r->bottomWidth += dBottom;
    if (std::fabs(dTop) > kModifiedTolerance || std::fabs(dBottom) > kModifiedTolerance)
        SetModified(1);
    return 1;
}

int TBeam::SetShapeName(const std::string& text)
{
    if (CheckFrozen())
        return 0;
    m_own.shapeName = NameText(text, kBeamShapeNameChars);
    SetModified(1);
    return 1;
}

int TBeam::SetShapeParameter(double value, int k)
{
    if (CheckFrozen())
        return 0;
    if (k < 1 || k > kBeamShapeParamCount)
        return 0;
    const double kept = std::clamp(value, 0.0, kMaxShapeParam);
    double& target = m_own.shapeParams[static_cast<std::size_t>(k - 1)];
    if (!(std::fabs(kept - target) > kModifiedTolerance))
        return 0;
    target = kept;
    SetModified(1);
    return 1;
}

double TBeam::GetShapeParameter(int k) const
{
    if (k < 1 || k > kBeamShapeParamCount)
        return kUndefined;
    return m_own.shapeParams[static_cast<std::size_t>(k - 1)];
}

int TBeam::SetShapeType(int code)
{
    if (CheckFrozen())
        return 0;
    m_own.shapeCode = code;
    if (code == kUserShapeCode)
        m_own.shapeName = "USER";
    SetModified(1);
    return 1;
}

// ---- Moment axis and long-term settings --------------------------------------------------

int TBeam::SetMomentAxis(double h)
{
    if (CheckFrozen())
        return 0;
    const double old = m_own.momentAxis;
    const bool changed = (std::fabs(old - h) > kModifiedTolerance && h < kCentroidalAxis) ||
                         ((old < kCentroidalAxis) != (h < kCentroidalAxis));
    double kept = std::max(h, -kMaxMomentAxis);
    if (kept > kMaxMomentAxis && kept < kCentroidalAxis)
        kept = kMaxMomentAxis;
    m_own.momentAxis = kept;
    if (!changed)
        return 0;
    SetModified(1);
    return 1;
}

int TBeam::SetTimeData(int flag, double ageDays, double sustainedMoment, double sustainedAxialLoad)
{
    if (CheckFrozen())
        return 0;
    const auto lowByte = static_cast<int16_t>(static_cast<unsigned char>(flag & 0xFF));
    const double momentUnit = std::fabs(1.0 / UnitFactor(ukMoment, g_UnitSystem));
    const double forceUnit = std::fabs(1.0 / UnitFactor(ukForce, g_UnitSystem));
    const bool changed = lowByte != m_own.timeDependent || ageDays != m_own.ageDays ||
                         std::fabs(sustainedMoment - m_own.sustainedMoment) > momentUnit ||
                         std::fabs(sustainedAxialLoad - m_own.sustainedAxialLoad) > forceUnit;
    m_own.timeDependent = lowByte;
    m_own.ageDays = ageDays;
    m_own.sustainedMoment = sustainedMoment;
    m_own.sustainedAxialLoad = sustainedAxialLoad;
    if (!changed)
        return 0;
    SetModified(1);
    return 1;
}

int TBeam::GetTimeData(int& flag,
                       double& ageDays,
                       double& sustainedMoment,
                       double& sustainedAxialLoad) const
{
    flag = m_own.timeDependent;
    ageDays = m_own.ageDays;
    sustainedMoment = m_own.sustainedMoment;
    sustainedAxialLoad = m_own.sustainedAxialLoad;
    return 1;
}

int TBeam::GetStoredValues(TMemberQuickDef& block) const
{
    block = m_memberQuickValues;
    return 1;
}

int TBeam::SetStoredValues(const TMemberQuickDef& block)
{
    m_memberQuickValues = block;
    return 1;
}
