// TShell: construction, the default element, texts, crack spacings and extents.

#include "model/TShell.h"

#include <cmath>
#include <utility>

#include "foundation/DateTime.h"
#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "foundation/Units.h"
#include "model/DefaultAuthor.h"

namespace {

// Longest date text kept (a 10-character field).
constexpr std::size_t kDateChars = 10;

// Bounds of a crack spacing given by the user (m).
constexpr double kMinCrackSpacing = 0.0001;
constexpr double kMaxCrackSpacing = 5000.0;

ShellFileReader g_ShellFileReader = nullptr;
ShellExampleReader g_ShellExampleReader = nullptr;

bool IsDirection(int direction)
{
    return direction >= 0 && direction <= 2;
}

std::size_t Slot(int direction)
{
    return static_cast<std::size_t>(direction);
}

} // namespace

ShellFileReader SetShellFileReader(ShellFileReader reader)
{
    return std::exchange(g_ShellFileReader, reader);
}

ShellExampleReader SetShellExampleReader(ShellExampleReader reader)
{
    return std::exchange(g_ShellExampleReader, reader);
}

// ---- Construction ------------------------------------------------------------------------

TShell::TShell(int example)
{
    TShell::InitEmpty();
    TShell::NewDefault();
    if (example >= 1 && example <= 3 && g_ShellExampleReader != nullptr)
        g_ShellExampleReader(*this, example);
}

TShell::TShell(const std::string& fileName, int& success)
{
    TShell::InitEmpty();
    success = TShell::Load(fileName, 1);
}

TShell::TShell(const TShell& other) : TStructure()
{
    TShell::InitEmpty();
    CopyFrom(other);
    m_own = other.m_own;
    RefreshTitle();
    // A frozen source was validated before its analysis froze it; validating the frozen
    // copy would only meet the write guard.
    if (!IsFrozen())
        TShell::Validate();
}

TShell::TShell(const TBeam& beam, double z)
{
    TShell::InitEmpty();
    CutFromBeam(beam, z);
}

TShell::~TShell()
{
    TStructure::ClearAll();
}

int TShell::InitEmpty()
{
    TStructure::InitEmpty();
    SetKind(kKindShell);
    m_own = OwnBlock{};
    SetRegionCount(1);
    return 1;
}

std::unique_ptr<TStructure> TShell::Clone() const
{
    return std::make_unique<TShell>(*this);
}

int TShell::NewDefault()
{
    ClearAll();
    m_own = OwnBlock{};
    m_incrementsRead = false;
    m_own.name = "New Membrane";
    m_own.doneBy = BoundedCopy(g_DefaultDoneBy, kTitleFieldChars);
    m_own.date = BoundedCopy(DateStamp(), kDateChars);
    m_own.crackSpacing = {-1.0, -1.0, -1.0};
    m_own.crackSpacingAuto = {1, 1, 1};
    m_own.thickness = kDefaultShellThickness;
    m_own.fileVersionCode = kShellFileVersion;
    // The single region spans the thickness, so that validation (which takes the
    // thickness from the region) keeps it.
    Regions().assign(1,
                     ConcreteRegionRec{m_own.thickness / 2.0, -m_own.thickness / 2.0, 1.0, 1.0, 0});

    LoadVector loads{};
    SetConstantLoads(loads.data(), kLoadCount);
    // One displayed stress unit of in-plane shear.
    loads[2] = 1.0 / UnitFactor(ukStress, g_UnitSystem);
    SetIncrementLoads(loads.data(), kLoadCount);
    RefreshTitle();
    SetModified(0);
    return 1;
}

int TShell::Load(const std::string& fileName, int elementIndex)
{
    if (g_ShellFileReader == nullptr)
        return 0;
    return g_ShellFileReader(*this, fileName, elementIndex);
}

int TShell::GetRootElementName(std::string& name) const
{
    name = "p3g_shell";
    return 1;
}

// ---- Texts -------------------------------------------------------------------------------

int TShell::StampDate()
{
    m_own.date = BoundedCopy(DateStamp(), kDateChars);
    return 1;
}

int TShell::SetName(const std::string& text)
{
    return SetTitleText(m_own.name, text, kTitleFieldChars);
}

int TShell::SetUniversity(const std::string& text)
{
    return SetTitleText(m_own.university, text, kTitleFieldChars);
}

int TShell::SetDoneBy(const std::string& text)
{
    return SetTitleText(m_own.doneBy, text, kTitleFieldChars);
}

int TShell::SetDate(const std::string& text)
{
    return SetTitleText(m_own.date, text, kDateChars);
}

// ---- Crack spacings ----------------------------------------------------------------------

int TShell::SetCrackSpacing(double value, int direction)
{
    if (CheckFrozen())
        return 0;
    if (value > 0.0 && value < kMinCrackSpacing)
        value = kMinCrackSpacing;
    if (value > kMaxCrackSpacing)
        value = kMaxCrackSpacing;
    const int d = direction == 0 || direction == 1 ? direction : 2;
    // A direction outside 0 to 2 writes z, and its old value counts as undefined.
    const double old = IsDirection(direction) ? m_own.crackSpacing[Slot(d)] : kUndefined;
    m_own.crackSpacing[Slot(d)] = value;
    m_own.crackSpacingAuto[Slot(d)] = value < 0.0 ? 1 : 0;
    if (!(std::fabs(old - value) > kModifiedTolerance))
        return 0;
    SetModified(1);
    return 1;
}

double TShell::GetCrackSpacing(int direction) const
{
    return IsDirection(direction) ? m_own.crackSpacing[Slot(direction)] : kUndefined;
}

int TShell::IsCrackSpacingAuto(int direction) const
{
    return IsDirection(direction) ? m_own.crackSpacingAuto[Slot(direction)] : 0;
}

int TShell::SetCrackSpacingAuto(int flag, int direction)
{
    if (IsDirection(direction))
        m_own.crackSpacingAuto[Slot(direction)] = flag;
    return 1;
}

// ---- Extents -----------------------------------------------------------------------------

double TShell::GetWidthAtSide(double, int) const
{
    return 1.0;
}

double TShell::GetWidthAt(double) const
{
    return 1.0;
}

int TShell::GetPatternCapacityFor(int) const
{
    return GetPatternCapacity();
}

int TShell::UpdateExtents()
{
    const auto& regions = Regions();
    if (!regions.empty())
        m_own.thickness = regions.front().top - regions.front().bottom;
    return 1;
}

int TShell::ShiftToDatum()
{
    UpdateExtents();
    auto& regions = Regions();
    if (regions.empty())
        return 1;
    const double shift = regions.front().top - m_own.thickness / 2.0;
    regions.front().top -= shift;
    regions.front().bottom -= shift;
    for (int d = 0; d < 2; ++d) {
        for (auto& layer : LongLayers(d))
            layer.z -= shift;
    }
    for (int d = 0; d < 3; ++d) {
        for (auto& layer : TransLayers(d)) {
            layer.disttop -= shift;
            layer.distbot -= shift;
        }
    }
    TDepthTable& strains = GetPositionVariable(kShrinkTherm);
    for (int i = 0; i < strains.GetCount(); ++i)
        strains.SetDepth(i, strains.GetDepth(i) - shift);
    // A shift keeps the order; sorting also covers a table that was never sorted.
    strains.Sort(1);
    return 1;
}
