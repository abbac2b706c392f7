// TStructure: construction, the write guard, titles, the per-kind operations of the bare
// structure, the region width rules and the whole-structure copy.

#include "model/TStructure.h"

#include <algorithm>
#include <cassert>

#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "model/FireDefaults.h"

namespace {

// Width tolerance of the region search (about 1/30000 m).
constexpr double kWidthTolerance = 3.3333333333333335e-5;

double LinearWidth(const ConcreteRegionRec& r, double z)
{
    const double h = r.top - r.bottom;
    if (h == 0.0)
        return (r.topWidth + r.bottomWidth) / 2.0;
    return r.bottomWidth + (r.topWidth - r.bottomWidth) * (z - r.bottom) / h;
}

// Resizes a record list to n records (one more for n = -1), bounded by [0, capacity];
// new records are blank.
template <typename Rec, typename Init>
int ResizeRecords(std::vector<Rec>& list, int n, int capacity, Init init)
{
    const int current = static_cast<int>(list.size());
    int wanted = n == -1 ? current + 1 : n;
    wanted = std::clamp(wanted, 0, std::max(capacity, 0));
    while (static_cast<int>(list.size()) > wanted)
        list.pop_back();
    while (static_cast<int>(list.size()) < wanted) {
        Rec blank;
        init(blank);
        list.push_back(std::move(blank));
    }
    return 1;
}

} // namespace

TStructure::TStructure()
{
    for (int k = 0; k < kPositionVariableCount; ++k)
        m_positionVariables[static_cast<std::size_t>(k)] = TDepthTable(PositionVariableName(k));
    m_kind = kKindBare;
    // A derived kind runs its own InitEmpty after its construction; here the base answers
    // for the bare structure.
    TStructure::InitEmpty();
}

TStructure::~TStructure() = default;

// ---- Write guard and bookkeeping ---------------------------------------------------------

int TStructure::CheckFrozen() const
{
    if (m_frozen == 0 || m_engineCopy != 0)
        return 0;
    ShowMessage("Attempt to write to frozen beam!",
                kProgramCaption,
                MsgStyle::Ok | MsgStyle::IconStop);
    return 1;
}

int TStructure::SetModified(int flag)
{
    m_modified = flag;
    return 1;
}

void TStructure::ReportBadIndex(const char* operation, int index)
{
    ShowMessage(StrPrintf("%s: index %d is out of range", operation, index),
                kProgramCaption,
                MsgStyle::Ok | MsgStyle::IconExclamation);
}

void TStructure::ReportBadDirection(const char* operation, int direction)
{
    ShowMessage(StrPrintf("%s: no such direction (%d)", operation, direction),
                kProgramCaption,
                MsgStyle::Ok | MsgStyle::IconExclamation);
}

bool TStructure::ServesLongDirection(int direction) const
{
    return direction >= 0 && direction < std::min(GetLongDirectionCount(), 2);
}

bool TStructure::ServesTransDirection(int direction) const
{
    return direction <= 2 && direction >= std::max(TopTransDirection(), 0);
}

std::vector<LongLayerRec>& TStructure::LongLayers(int direction)
{
    assert(direction >= 0 && direction < 2);
    return m_longLayers[static_cast<std::size_t>(direction)];
}

std::vector<TransLayerRec>& TStructure::TransLayers(int direction)
{
    assert(direction >= 0 && direction < 3);
    return m_transLayers[static_cast<std::size_t>(direction)];
}

// ---- Virtual operations: base behaviour --------------------------------------------------

int TStructure::Load(const std::string&, int)
{
    return 0;
}

int TStructure::GetRootElementName(std::string& name) const
{
    name.clear();
    return 0;
}

std::unique_ptr<TStructure> TStructure::Clone() const
{
    return nullptr;
}

int TStructure::NewDefault()
{
    ClearAll();
    m_university.clear();
    m_doneBy.clear();
    m_name.clear();
    RefreshTitle();
    m_incrementLoads.fill(0.0);
    m_constantLoads.fill(0.0);
    m_modified = 0;
    return 1;
}

int TStructure::GetDefaultStrainPoints(double& strain1,
                                       double& depth1,
                                       double& strain2,
                                       double& depth2)
{
    strain1 = depth1 = strain2 = depth2 = 0.0;
    return 1;
}

int TStructure::RefreshTitle()
{
    const std::string university = GetUniversity();
    const std::string doneBy = GetDoneBy();
    const std::string name = GetName();
    m_title.clear();
    for (const std::string* text : {&university, &doneBy, &name}) {
        std::string field = BoundedCopy(*text, kTitleFieldWidth);
        field.resize(kTitleFieldWidth, ' ');
        m_title += field;
    }
    m_university = BoundedCopy(university, kTitleFieldChars);
    m_doneBy = BoundedCopy(doneBy, kTitleFieldChars);
    m_name = BoundedCopy(name, kTitleFieldChars);
    return 1;
}

int TStructure::InitEmpty()
{
    m_title = "No Name";
    m_university.clear();
    m_doneBy.clear();
    m_name.clear();
    m_concreteTypes.clear();
    m_steelTypes.clear();
    m_regions.clear();
    m_regions.reserve(static_cast<std::size_t>(std::max(GetMaxRegions(), 0)));
    const int patternDirections = std::clamp(GetPatternDirectionCount(), 0, 2);
    for (int d = 0; d < 2; ++d) {
        auto& patterns = m_patterns[static_cast<std::size_t>(d)];
        patterns.clear();
        if (d < patternDirections)
            patterns.resize(static_cast<std::size_t>(std::max(GetPatternCapacity(), 0)));
    }
    for (auto& layers : m_longLayers)
        layers.clear();
    for (auto& layers : m_transLayers)
        layers.clear();
    for (auto& list : m_valueLists)
        list.reset();
    m_incrementLoads.fill(0.0);
    m_constantLoads.fill(0.0);
    m_modelSet = 15;
    GetDefaultFireData(m_fireData.exposure,
                       m_fireData.type,
                       m_fireData.rebarperform,
                       m_fireData.time,
                       m_fireData.constanttemp);
    m_minCover = 0.0;
    m_coverFace = 0;
    m_sectionId = 0;
    m_referenced = 0;
    m_checkTensionStiffening = 1;
    m_modified = 0;
    m_frozen = 0;
    m_bareTop = m_bareBottom = 0.0;
    m_bareCrackSpacing = {-1.0, -1.0, -1.0};
    return 1;
}

int TStructure::ClearAll()
{
    m_steelTypes.clear();
    m_concreteTypes.clear();
    for (auto& layers : m_longLayers)
        layers.clear();
    for (auto& layers : m_transLayers)
        layers.clear();
    for (auto& table : m_positionVariables)
        table.Clear();
    for (auto& list : m_valueLists)
        list.reset();
    return 1;
}

const std::string* TStructure::GetTitleField(int i) const
{
    switch (i) {
    case 0:
        return &m_university;
    case 1:
        return &m_doneBy;
    case 2:
        return &m_name;
    default:
        ReportBadIndex("GetTitleField", i);
        return nullptr;
    }
}

int TStructure::StampDate()
{
    return 1;
}

std::string TStructure::GetName() const
{
    return m_name;
}

std::string TStructure::GetDate() const
{
    return std::string();
}

std::string TStructure::GetUniversity() const
{
    return m_university;
}

std::string TStructure::GetDoneBy() const
{
    return m_doneBy;
}

int TStructure::GetSectionKindCode() const
{
    return 0;
}

double TStructure::GetMinCover(int& face) const
{
    face = m_coverFace;
    return m_minCover;
}

int TStructure::SetTitleText(std::string& field, const std::string& text, std::size_t maxChars)
{
    if (CheckFrozen())
        return 0;
    const std::string kept = BoundedCopy(text, maxChars);
    const bool changed = kept != field;
    field = kept;
    RefreshTitle();
    if (!changed)
        return 0;
    SetModified(1);
    return 1;
}

int TStructure::SetName(const std::string& text)
{
    return SetTitleText(m_name, text);
}

int TStructure::SetUniversity(const std::string& text)
{
    return SetTitleText(m_university, text);
}

int TStructure::SetDoneBy(const std::string& text)
{
    return SetTitleText(m_doneBy, text);
}

int TStructure::SetDate(const std::string&)
{
    return 0;
}

int TStructure::SetCrackSpacing(double value, int direction)
{
    if (CheckFrozen())
        return 0;
    if (direction < 0 || direction > 2) {
        ReportBadDirection("SetCrackSpacing", direction);
        return 0;
    }
    if (!AssignChanged(m_bareCrackSpacing[static_cast<std::size_t>(direction)],
                       value,
                       kModifiedTolerance))
        return 0;
    SetModified(1);
    return 1;
}

double TStructure::GetCrackSpacing(int direction) const
{
    if (direction < 0 || direction > 2)
        return kUndefined;
    return m_bareCrackSpacing[static_cast<std::size_t>(direction)];
}

int TStructure::IsCrackSpacingAuto(int direction) const
{
    if (direction < 0 || direction > 2)
        return 0;
    return m_bareCrackSpacing[static_cast<std::size_t>(direction)] < 0.0 ? 1 : 0;
}

int TStructure::SetCrackSpacingAuto(int flag, int direction)
{
    if (direction >= 0 && direction <= 2)
        m_bareCrackSpacing[static_cast<std::size_t>(direction)] = flag != 0 ? -1.0 : 0.0;
    return 1;
}

double TStructure::GetCrackSpacingAt(double depth, int direction) const
{
    if (direction < 0 || direction > 2)
        return 1.0;
    return m_positionVariables[static_cast<std::size_t>(direction)].InterpolateAtDepth(depth);
}

double TStructure::GetHeight() const
{
    return m_bareTop - m_bareBottom;
}

double TStructure::GetBottom() const
{
    return m_bareBottom;
}

double TStructure::GetTop() const
{
    return m_bareTop;
}

double TStructure::GetWidthAtSide(double depth, int side) const
{
    return RegionWidthAtSide(depth, side);
}

double TStructure::GetWidthAt(double depth) const
{
    return RegionWidthAt(depth);
}

double TStructure::GetEffectiveWidthAt(double, double, double) const
{
    return 1.0;
}

int TStructure::GetConcreteTypeCount() const
{
    return static_cast<int>(m_concreteTypes.size());
}

int TStructure::GetMaxConcreteTypes() const
{
    return 32767;
}

int TStructure::GetMainConcreteType() const
{
    return 0;
}

int TStructure::SetConcreteTypeCount(int n)
{
    return ResizeRecords(m_concreteTypes, n, GetMaxConcreteTypes(), InitConcreteTypeRec);
}

int TStructure::GetSteelTypeCount() const
{
    return static_cast<int>(m_steelTypes.size());
}

int TStructure::GetMaxSteelTypes() const
{
    return 32767;
}

int TStructure::GetMainSteelType() const
{
    return 0;
}

int TStructure::SetSteelTypeCount(int n)
{
    return ResizeRecords(m_steelTypes, n, GetMaxSteelTypes(), InitSteelTypeRec);
}

int TStructure::GetRegionCount() const
{
    return static_cast<int>(m_regions.size());
}

int TStructure::GetMaxRegions() const
{
    return 150;
}

int TStructure::SetRegionCount(int n)
{
    return ResizeRecords(m_regions, n, GetMaxRegions(), [](ConcreteRegionRec& r) {
        r = ConcreteRegionRec{};
    });
}

int TStructure::UpdateExtents()
{
    if (m_regions.empty()) {
        m_bareTop = m_bareBottom = 0.0;
        return 1;
    }
    double top = -kUndefined;
    double bottom = kUndefined;
    for (const auto& r : m_regions) {
        top = std::max(top, r.top);
        bottom = std::min(bottom, r.bottom);
    }
    m_bareTop = top;
    m_bareBottom = bottom;
    return 1;
}

int TStructure::ShiftToDatum()
{
    return UpdateExtents();
}

int TStructure::GetPatternCapacityFor(int) const
{
    return GetPatternCapacity();
}

int TStructure::GetPatternCapacity() const
{
    return 30;
}

int TStructure::GetPatternDirectionCount() const
{
    return 1;
}

int TStructure::CheckPair(int, int) const
{
    return 1;
}

int TStructure::GetLongLayerCount(int direction) const
{
    if (direction == 0 || direction == 1)
        return static_cast<int>(m_longLayers[static_cast<std::size_t>(direction)].size());
    if (direction == 2)
        return 0;
    ShowMessage("No such direction", kProgramCaption, MsgStyle::Ok | MsgStyle::IconExclamation);
    return 0;
}

int TStructure::GetMaxLongLayers() const
{
    return 32767;
}

int TStructure::GetLongDirectionCount() const
{
    return 1;
}

int TStructure::SetLongLayerCount(int n, int direction)
{
    if (!ServesLongDirection(direction)) {
        ReportBadDirection("SetLongLayerCount", direction);
        return 0;
    }
    return ResizeRecords(LongLayers(direction), n, GetMaxLongLayers(), InitLongLayerRec);
}

int TStructure::GetTransLayerCount(int direction) const
{
    if (direction >= 0 && direction <= 2)
        return static_cast<int>(m_transLayers[static_cast<std::size_t>(direction)].size());
    ReportBadDirection("GetTransLayerCount", direction);
    return 0;
}

int TStructure::GetMaxTransLayers() const
{
    return 32767;
}

int TStructure::GetTransDirectionCount() const
{
    return 1;
}

int TStructure::SetTransLayerCount(int n, int direction)
{
    if (!ServesTransDirection(direction)) {
        ReportBadDirection("SetTransLayerCount", direction);
        return 0;
    }
    return ResizeRecords(TransLayers(direction), n, GetMaxTransLayers(), InitTransLayerRec);
}

// ---- Region width rules -----------------------------------------------------------------

double TStructure::RegionWidthAtSide(double depth, int side) const
{
    const double t = kWidthTolerance;
    for (const auto& r : m_regions) {
        // Side 0 matches [bottom - t, top - t): at a boundary the region above the depth.
        // Side 1 matches (bottom + t, top + t]: at a boundary the region below it.
        const bool match = side == 0 ? (depth >= r.bottom - t && depth < r.top - t)
                                     : (depth > r.bottom + t && depth <= r.top + t);
        if (match)
            return LinearWidth(r, depth);
    }
    if (m_regions.empty())
        return 0.0001;
    if (side == 0) {
        const auto& first = m_regions.front();
        return std::fabs(depth - first.top) <= t ? first.topWidth : 0.0001;
    }
    const auto& last = m_regions.back();
    return std::fabs(depth - last.bottom) <= t ? last.bottomWidth : 0.0001;
}

double TStructure::RegionWidthAt(double depth) const
{
    const double t = kWidthTolerance;
    const int n = static_cast<int>(m_regions.size());
    for (int i = 0; i < n; ++i) {
        const auto& r = m_regions[static_cast<std::size_t>(i)];
        if (!(r.top >= depth && r.bottom - depth <= t))
            continue;
        if (std::fabs(depth - r.bottom) < 0.0001 && i + 1 < n)
            return std::min(r.bottomWidth, m_regions[static_cast<std::size_t>(i + 1)].topWidth);
        if (std::fabs(depth - r.top) < 0.0001 && i > 0)
            return std::min(r.topWidth, m_regions[static_cast<std::size_t>(i - 1)].bottomWidth);
        return LinearWidth(r, depth);
    }
    if (n > 0) {
        if (std::fabs(depth - m_regions.front().top) <= t)
            return m_regions.front().topWidth;
        if (std::fabs(depth - m_regions.back().bottom) <= t)
            return m_regions.back().bottomWidth;
    }
    return 1e-6;
}

// ---- Whole structure --------------------------------------------------------------------

int TStructure::CopyFrom(const TStructure& other)
{
    if (&other == this)
        return 1;
    if (CheckFrozen())
        return 0;
    m_modelSet = other.m_modelSet;
    m_concreteTypes = other.m_concreteTypes;
    m_steelTypes = other.m_steelTypes;
    for (int d = 0; d < 2; ++d) {
        LongLayers(d).clear();
        if (ServesLongDirection(d))
            LongLayers(d) = other.m_longLayers[static_cast<std::size_t>(d)];
    }
    for (int d = 0; d < 3; ++d) {
        TransLayers(d).clear();
        if (ServesTransDirection(d))
            TransLayers(d) = other.m_transLayers[static_cast<std::size_t>(d)];
    }
    // Slot for slot, so that the layers' pattern indices keep naming their patterns.
    for (std::size_t d = 0; d < m_patterns.size(); ++d) {
        auto& mine = m_patterns[d];
        const auto& theirs = other.m_patterns[d];
        for (auto& slot : mine)
            slot = ReinfPatternRec{};
        const std::size_t n = std::min(mine.size(), theirs.size());
        std::copy_n(theirs.begin(), n, mine.begin());
    }
    m_regions.clear();
    m_regions.reserve(static_cast<std::size_t>(std::max(GetMaxRegions(), 0)));
    for (const auto& r : other.m_regions)
        AddRegion(r, 1);
    UpdateExtents();
    for (std::size_t k = 0; k < m_positionVariables.size(); ++k)
        m_positionVariables[k].Assign(other.m_positionVariables[k]);
    m_title = other.m_title;
    m_university = other.m_university;
    m_doneBy = other.m_doneBy;
    m_name = other.m_name;
    m_incrementLoads = other.m_incrementLoads;
    m_constantLoads = other.m_constantLoads;
    for (std::size_t i = 0; i < m_valueLists.size(); ++i) {
        const auto& list = other.m_valueLists[i];
        m_valueLists[i] = list ? std::make_unique<TdoubleArray>(*list) : nullptr;
    }
    m_fireData = other.m_fireData;
    m_minCover = other.m_minCover;
    m_coverFace = other.m_coverFace;
    m_sectionId = other.m_sectionId;
    m_referenced = other.m_referenced;
    m_checkTensionStiffening = other.m_checkTensionStiffening;
    m_bareCrackSpacing = other.m_bareCrackSpacing;
    m_frozen = other.m_frozen;
    m_modified = other.m_modified;
    return 1;
}
