// The keys of the labelled text format, block by block.

#include "files/legacy/LabelledTextKeys.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "files/legacy/ByteRecord.h"
#include "files/legacy/HeldLayers.h"
#include "files/legacy/LabelledTextFile.h"
#include "files/legacy/NativeFileCommon.h"
#include "files/legacy/SectionDefinition.h"
#include "foundation/DecimalPoint.h"
#include "foundation/NameText.h"
#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "foundation/Units.h"
#include "model/ElementText.h"
#include "model/TBeam.h"
#include "model/catalogues/TRebarList.h"
#include "model/materials/ConcreteLaws.h"
#include "model/materials/SteelLaws.h"
#include "model/shapes/ShapeLibrary.h"

namespace {

constexpr std::size_t kRestChars = 107;
constexpr float kMemberPlate = 0.1f; // m
constexpr const char* kLoadError = "Load Error";

int16_t ToModelCode(double v)
{
    return static_cast<int16_t>(std::clamp(TruncateToInt(std::fabs(v)),
                                           0,
                                           static_cast<int>(std::numeric_limits<int16_t>::max())));
}

// An integer key of the member information, stored in one byte, less one.
uint8_t ToMemberCode(const std::string& value)
{
    const long code = static_cast<long>(ReadInteger(value)) - 1;
    return static_cast<uint8_t>(std::clamp<long>(code, 0, 255));
}

} // namespace

std::vector<std::string> SplitWords(const std::string& line)
{
    std::vector<std::string> words;
    std::size_t at = 0;
    while (at < line.size()) {
        const std::size_t start = line.find_first_not_of(' ', at);
        if (start == std::string::npos)
            break;
        const std::size_t end = std::min(line.find(' ', start), line.size());
        words.push_back(line.substr(start, end - start));
        at = end;
    }
    return words;
}

double ReadNumber(const std::string& text)
{
    const double value = DecimalStrtod(text.c_str(), nullptr);
    return std::isfinite(value) ? value : 0.0;
}

int ReadInteger(const std::string& text)
{
    const long value = std::strtol(text.c_str(), nullptr, 10);
    return static_cast<int>(std::clamp<long>(value, INT_MIN, INT_MAX));
}

LabelledTextKeys::LabelledTextKeys(TBeam& beam, std::string chosenLabel)
    : m_beam(beam), m_chosen(std::move(chosenLabel)), m_unitsAtStart(g_UnitSystem)
{
    m_beam.GetPositionVariable(kShrinkTherm).Clear();
    m_beam.SetStrainDiscontinuity(TDepthTable());
}

double LabelledTextKeys::FromUnits(double value, int kind) const
{
    return value / UnitFactor(kind, g_UnitSystem);
}

void LabelledTextKeys::ReadLine(const std::string& text)
{
    if (text.starts_with("#") || text.starts_with("//"))
        return;
    Line line;
    line.words = SplitWords(text);
    if (line.words.empty())
        return;
    if (line.words[0] == kInputLabel) {
        m_state = State::Skipping;
        std::string label = line.words.size() > 1 ? line.words[1] : kDefaultLabel;
        TrimInputLine(label, 1);
        if (label == m_chosen) {
            m_beam.NewDefault();
            m_discontinuity.Clear();
            m_state = State::Header;
        }
        return;
    }
    line.keyword = line.words[0];
    TrimInputLine(line.keyword, 1);
    if (line.words.size() > 1) {
        line.value = line.words[1];
        TrimInputLine(line.value, 0);
    }
    const std::size_t keywordEnd = text.find(line.words[0]) + line.words[0].size();
    line.rest = keywordEnd < text.size() ? text.substr(keywordEnd + 1) : std::string();
    TrimInputLine(line.rest, 0);
    line.rest = BoundedCopy(line.rest, kRestChars);
    line.v = ReadNumber(line.value);

    if (m_state != State::Skipping)
        BlockKeyword(line);
    if (line.keyword == "ENDMEMB" && m_state != State::Skipping)
        m_state = State::Idle;
    else
        ApplyKeys(line);
}

bool LabelledTextKeys::BlockKeyword(const Line& line)
{
    const std::string& k = line.keyword;
    if (k == "MATERIAL") {
        OpenMaterial(line);
    } else if (k == "ENDMAT" || k == "ENDLONG" || k == "ENDLOAD" || k == "ENDSHRINK" ||
               k == "ENDANALYSIS") {
        m_state = State::Idle;
    } else if (k == "SECTION") {
        m_noShape = true;
        g_SectionDefinition.ShapeCode = kUserShapeCode;
        m_beam.SetRegionCount(0);
        m_outline.Clear();
        m_rowTypes.Clear();
        if (line.value == "SOLID")
            m_state = State::SolidBlock;
        else if (line.value == "HOLLOW")
            m_state = State::HollowBlock;
    } else if (k == "ENDSECTION") {
        EndSection();
        m_state = State::Idle;
    } else if (k == "LONGREINF") {
        LongLayerRec layer;
        InitLongLayerRec(layer);
        layer.name = NameText(line.value, kLayerNameChars);
        m_state = m_beam.AddLongLayer(layer, 0) ? State::LongLayerBlock : State::Idle;
    } else if (k == "LONGTAB") {
        m_state = State::LongTableBlock;
    } else if (k == "TRANSREINF") {
        TransLayerRec layer;
        InitTransLayerRec(layer);
        layer.name = NameText(line.value, kLayerNameChars);
        m_state = m_beam.AddTransLayer(layer, 2) ? State::TransLayerBlock : State::Idle;
    } else if (k == "LOADING") {
        double constants[kLoadCount] = {};
        double increments[kLoadCount] = {};
        m_beam.GetConstantLoads(constants, kLoadCount);
        m_beam.GetIncrementLoads(increments, kLoadCount);
        std::fill(constants, constants + 3, 0.0);
        std::fill(increments, increments + 3, 0.0);
        m_beam.SetConstantLoads(constants, kLoadCount);
        m_beam.SetIncrementLoads(increments, kLoadCount);
        m_state = State::LoadingBlock;
    } else if (k == "SHRINKTHERM") {
        m_beam.GetPositionVariable(kShrinkTherm).Clear();
        m_state = State::ShrinkageBlock;
    } else if (k == "DISCONT") {
        m_state = State::DiscontinuityBlock;
    } else if (k == "THERMAL") {
        ShowMessage("Thermal strains in reinforcement not implemented yet", kLoadError);
        m_state = State::ThermalBlock;
    } else if (k == "ANALYSIS") {
        m_state = State::AnalysisBlock;
    } else if (k == "MEMBINFO") {
        m_state = State::MemberBlock;
    } else {
        return false;
    }
    return true;
}

void LabelledTextKeys::OpenMaterial(const Line& line)
{
    const std::string* third = line.Word(2);
    std::string name;
    if (line.value == "CONCRETE") {
        name = third != nullptr ? *third : StrPrintf("conc%d", m_beam.GetConcreteTypeCount());
        TrimInputLine(name, 0);
        if (!m_beam.GrowConcreteTypes()) {
            m_state = State::Idle;
            return;
        }
        ConcreteTypeRec* c = m_beam.GetConcreteType(m_beam.GetConcreteTypeCount() - 1);
        c->name = NameText(name, kConcreteFieldChars);
        m_state = State::ConcreteBlock;
    } else if (line.value == "REBAR" || line.value == "PRESTRESS") {
        const bool prestress = line.value == "PRESTRESS";
        name = third != nullptr
                   ? *third
                   : StrPrintf(prestress ? "prest%d" : "rebar%d", m_beam.GetSteelTypeCount());
        TrimInputLine(name, 0);
        if (!m_beam.GrowSteelTypes()) {
            m_state = State::Idle;
            return;
        }
        SteelTypeRec* s = m_beam.GetSteelType(m_beam.GetSteelTypeCount() - 1);
        s->name = NameText(name, kSteelNameMaxChars);
        m_state = prestress ? State::PrestressBlock : State::RebarBlock;
    }
}

void LabelledTextKeys::EndSection()
{
    int code = g_SectionDefinition.ShapeCode;
    if (code != kUserShapeCode && !IsLibraryShape(code)) {
        // A code left by the dialogs or an earlier file that names no shape of this library.
        ShowMessage(
            StrPrintf("Could not find Section type \"%d\". Continuing with Rectangle", code),
            kLoadError);
        code = IsLibraryShape(0) ? 0 : kUserShapeCode;
        g_SectionDefinition.ShapeCode = static_cast<int16_t>(code);
    }
    if (code != kUserShapeCode) {
        ShapeParams params{};
        std::copy(g_SectionDefinition.Parameters.begin(), g_SectionDefinition.Parameters.end(), params.begin());
        EvaluateShapeOutline(*ShapeTable[static_cast<std::size_t>(code)],
                             m_outline,
                             m_rowTypes,
                             params,
                             0.0);
    }
    BuildSectionFromRows(m_beam, m_outline, m_rowTypes);
}

void LabelledTextKeys::ApplyKeys(const Line& line)
{
    switch (m_state) {
    case State::Header:
        HeaderKeys(line);
        break;
    case State::ConcreteBlock:
        ConcreteKeys(line);
        break;
    case State::RebarBlock:
        SteelKeys(line, false);
        break;
    case State::PrestressBlock:
        SteelKeys(line, true);
        break;
    case State::SolidBlock:
        SolidKeys(line);
        break;
    case State::LongTableBlock:
        LongTableRow(line);
        break;
    case State::LongLayerBlock:
        LongLayerKeys(line);
        break;
    case State::TransLayerBlock:
        TransLayerKeys(line);
        break;
    case State::LoadingBlock:
        LoadingKeys(line);
        break;
    case State::ShrinkageBlock:
        ProfileRow(line, m_beam.GetPositionVariable(kShrinkTherm));
        break;
    case State::DiscontinuityBlock:
        ProfileRow(line, m_discontinuity);
        break;
    case State::MemberBlock:
        MemberKeys(line);
        break;
    default:
        break;
    }
}

void LabelledTextKeys::HeaderKeys(const Line& line)
{
    const std::string& k = line.keyword;
    if (k == "TITLE") {
        m_beam.SetName(NameText(line.rest, kBeamNameChars));
    } else if (k == "DONEBY") {
        m_beam.SetDoneBy(NameText(line.rest, kBeamDoneByChars));
    } else if (k == "UNITS") {
        const char c =
            line.value.empty()
                ? '\0'
                : static_cast<char>(std::toupper(static_cast<unsigned char>(line.value[0])));
        g_UnitSystem = c == 'M' ? kUnitSI : c == 'U' ? kUnitUS : kUnitOldMetric;
    } else if (k == "CRACKX") {
        m_beam.SetCrackSpacing(FromUnits(line.v, ukSectionLength), 0);
    } else if (k == "CRACKY") {
        m_beam.SetCrackSpacing(FromUnits(line.v, ukSectionLength), 2);
    } else if (k == "AXIALLOC") {
        m_beam.SetMomentAxis(MomentAxisFromFile(FromUnits(line.v, ukSectionLength)));
    }
}

void LabelledTextKeys::ConcreteKeys(const Line& line)
{
    if (m_beam.GetConcreteTypeCount() == 0)
        return;
    ConcreteTypeRec& c = *m_beam.GetConcreteType(m_beam.GetConcreteTypeCount() - 1);
    const std::string& k = line.keyword;
    const double v = std::fabs(line.v);
    if (k == "FCP") {
        c.fc = -FromUnits(v, ukStress);
        CheckConcreteType(c, true);
    } else if (k == "FT") {
        c.ft = FromUnits(v, ukStress);
        c.ftAuto = 0;
    } else if (k == "E0") {
        c.ec = -FromUnits(v, ukStrain);
        c.ecAuto = 0;
    } else if (k == "TSFACTOR") {
        c.tsFactor = v;
    } else if (k == "MAXAGG") {
        c.aggregate = FromUnits(v, ukSectionLength);
    } else if (k == "C_MOD") {
        c.baseCurve = ToModelCode(v);
    } else if (k == "C_SOFT") {
        c.softening = ToModelCode(v);
    } else if (k == "T_STIFF") {
        c.tensionStiffening = ToModelCode(v);
    }
}

void LabelledTextKeys::SteelKeys(const Line& line, bool prestress)
{
    if (m_beam.GetSteelTypeCount() == 0)
        return;
    SteelTypeRec& s = *m_beam.GetSteelType(m_beam.GetSteelTypeCount() - 1);
    const std::string& k = line.keyword;
    const double v = std::fabs(line.v);
    if (!prestress && k == "FY") {
        s.fy = FromUnits(v, ukLargeStress);
        s.kind = SteelKind::Reinforcing;
        CheckSteelType(s, true);
    } else if (prestress && k == "FU") {
        s.fu = FromUnits(v, ukLargeStress);
        s.fy = s.fu;
        s.kind = SteelKind::Prestressing;
        CheckSteelType(s, true);
    } else if (k == "E") {
        s.Es = FromUnits(v, ukLargeStress);
    } else if (!prestress && k == "FU") {
        s.fu = FromUnits(v, ukLargeStress);
    } else if (!prestress && k == "ESH") {
        s.esh = FromUnits(v, ukStrain);
    } else if (k == "EU") {
        s.eu = FromUnits(v, ukStrain);
    } else if (prestress && k == "A") {
        s.A = v;
    } else if (prestress && k == "B") {
        s.B = v;
    } else if (prestress && k == "C") {
        s.C = v;
    }
}

void LabelledTextKeys::SolidKeys(const Line& line)
{
    if (line.keyword == "SECTTYPE") {
        m_noShape = false;
        int found = -1;
        for (int i = 0; i < kShapeTableSize && found < 0; ++i) {
            if (IsLibraryShape(i) && ShapeTable[static_cast<std::size_t>(i)]->name == line.value)
                found = i;
        }
        if (found >= 0) {
            g_SectionDefinition.ShapeCode = static_cast<int16_t>(found);
            m_beam.SetShapeName(line.value);
        } else {
            ShowMessage(StrPrintf("Could not find Section type \"%s\". Continuing with Rectangle",
                                  line.value.c_str()),
                        kLoadError);
            g_SectionDefinition.ShapeCode = 0;
        }
    } else if (line.keyword == "PARAMS") {
        g_SectionDefinition.Parameters[0] = FromUnits(line.v, ukSectionLength);
        for (std::size_t i = 1; i < g_SectionDefinition.Parameters.size(); ++i) {
            if (const std::string* word = line.Word(i + 1))
                g_SectionDefinition.Parameters[i] = FromUnits(ReadNumber(*word), ukSectionLength);
        }
    }
    OutlineRow(line);
}

void LabelledTextKeys::OutlineRow(const Line& line)
{
    const double h = ReadNumber(line.keyword);
    const double w = line.v;
    if (h <= 0.0 && (w <= 0.0 || !m_noShape))
        return;
    m_outline.Add(FromUnits(h, ukSectionLength), FromUnits(w, ukSectionLength));
    std::string name;
    if (const std::string* word = line.Word(2)) {
        name = *word;
        TrimInputLine(name, 0);
    }
    if (name.empty())
        name = ConcreteTypeZeroName();
    m_rowTypes.Add(FromUnits(h, ukSectionLength), ConcreteTypeNamed(name));
}

int LabelledTextKeys::ConcreteTypeNamed(const std::string& name)
{
    // A name longer than the type keeps names the type it was cut to.
    const std::string kept = NameText(name, kConcreteFieldChars);
    for (int i = m_beam.GetConcreteTypeCount() - 1; i >= 0; --i) {
        if (m_beam.GetConcreteType(i)->name == kept)
            return i;
    }
    ShowMessage(StrPrintf("Concrete type \"%s\" not found. Using type %s",
                          name.c_str(),
                          ConcreteTypeZeroName().c_str()),
                kLoadError);
    return 0;
}

int LabelledTextKeys::SteelTypeNamed(const std::string& name, const char* caption)
{
    const std::string kept = NameText(name, kSteelNameMaxChars);
    for (int i = m_beam.GetSteelTypeCount() - 1; i >= 0; --i) {
        if (m_beam.GetSteelType(i)->name == kept)
            return i;
    }
    ShowMessage(StrPrintf("Reinforcement type \"%s\" not found. Using type %s",
                          name.c_str(),
                          SteelTypeZeroName().c_str()),
                caption);
    return 0;
}

// Type 0 may not exist (before the first section, or when the chosen label is missing).
std::string LabelledTextKeys::ConcreteTypeZeroName() const
{
    return m_beam.GetConcreteTypeCount() > 0 ? m_beam.GetConcreteType(0)->name : std::string("1");
}

std::string LabelledTextKeys::SteelTypeZeroName() const
{
    return m_beam.GetSteelTypeCount() > 0 ? m_beam.GetSteelType(0)->name : std::string("1");
}

void LabelledTextKeys::LongTableRow(const Line& line)
{
    // A row whose area is no number is a layer too, which the layer check then refuses by name
    // (the area is read as written: a value that is no number stays what it is).
    const double area = ReadDocumentNumberAsWritten(line.value);
    if (!(line.v > 0.0) && std::isfinite(area))
        return;
    LongLayerRec layer;
    InitLongLayerRec(layer);
    layer.z = m_beam.GetBottom() + FromUnits(ReadNumber(line.keyword), ukSectionLength);
    layer.A = FromUnits(area, ukArea);
    layer.type = 0;
    if (const std::string* dep = line.Word(2))
        layer.dep = FromUnits(ReadNumber(*dep), ukStrain);
    if (const std::string* word = line.Word(3)) {
        std::string name = *word;
        TrimInputLine(name, 0);
        layer.type = SteelTypeNamed(name, "Longitudinal Load Error");
    }
    layer.Ai = layer.A;
    layer.db = 2.0 * std::sqrt(layer.Ai / kModelPi);
    layer.num = 1;
    layer.bartitle.clear();
    layer.name =
        BoundedCopy(StrPrintf("long%5.3f", layer.z * UnitFactor(ukSectionLength)), kLayerNameChars);
    m_beam.AddLongLayer(layer, 0);
}

void LabelledTextKeys::LongLayerKeys(const Line& line)
{
    const int count = m_beam.GetLongLayerCount(0);
    if (count == 0)
        return;
    LongLayerRec& layer = *m_beam.GetLongLayer(count - 1, 0);
    const std::string& k = line.keyword;
    const double v = line.v;
    if (k == "Z") {
        layer.z = m_beam.GetBottom() + FromUnits(v, ukSectionLength);
    } else if (k == "A") {
        layer.A = FromUnits(ReadDocumentNumberAsWritten(line.value), ukArea);
    } else if (k == "TYPE") {
        layer.type = SteelTypeNamed(line.value, kLoadError);
    } else if (k == "DRAPE") {
        layer.drape = FromUnits(v, ukPercent);
    } else if (k == "NUM") {
        layer.num = ReadInteger(line.value);
    } else if (k == "AI") {
        layer.Ai = FromUnits(ReadDocumentNumberAsWritten(line.value), ukArea);
    } else if (k == "DB") {
        layer.db = FromUnits(v, ukSectionLength);
    } else if (k == "DEP") {
        layer.dep = FromUnits(v, ukStrain);
    } else if (k == "PATTERN") {
        layer.pattern = ReadInteger(line.value);
    } else if (k == "NROUND") {
        layer.nround = ReadInteger(line.value);
    } else if (k == "ALIGNED") {
        layer.aligned = ReadInteger(line.value);
    } else if (k == "INDEX") {
        layer.index = ReadInteger(line.value);
    } else if (k == "BART") {
        // A title the catalogue does not list leaves the layer's bar as it was: unlinked from
        // the catalogue, a bar keeping a listed title and size would be saved with no bar at all.
        const int bar = g_RebarList.FindByName(line.value);
        if (bar >= 0) {
            layer.barIndex = bar;
            layer.bartitle = g_RebarList.GetName(layer.barIndex);
            layer.db = g_RebarList.GetDiameter(layer.barIndex);
            layer.Ai = g_RebarList.GetArea(layer.barIndex);
            if (layer.Ai > 0.0)
                layer.num = TruncateToInt(layer.A / layer.Ai);
        }
    }
}

void LabelledTextKeys::TransLayerKeys(const Line& line)
{
    const int count = m_beam.GetTransLayerCount(2);
    if (count == 0)
        return;
    TransLayerRec& layer = *m_beam.GetTransLayer(count - 1, 2);
    const std::string& k = line.keyword;
    const double v = line.v;
    if (k == "A") {
        layer.A = FromUnits(ReadDocumentNumberAsWritten(line.value), ukArea);
    } else if (k == "TYPE") {
        layer.type = SteelTypeNamed(line.value, "Transverse Load Error");
    } else if (k == "PATTERN") {
        layer.pattern = ReadInteger(line.value);
        layer.legs = layer.pattern == 1 || layer.pattern == 5 ? 1 : 2;
    } else if (k == "SPACE") {
        layer.space = FromUnits(v, ukSectionLength);
    } else if (k == "DISTTOP") {
        layer.disttop = m_beam.GetBottom() + FromUnits(v, ukSectionLength);
    } else if (k == "DISTBOT") {
        layer.distbot = m_beam.GetBottom() + FromUnits(v, ukSectionLength);
    } else if (k == "AI") {
        layer.Ai = FromUnits(ReadDocumentNumberAsWritten(line.value), ukArea);
    } else if (k == "DB") {
        layer.db = FromUnits(v, ukSectionLength);
    } else if (k == "DEP") {
        layer.dep = FromUnits(v, ukStrain);
    } else if (k == "BART") {
        // As for a longitudinal layer: an unlisted title leaves the bar as it was.
        const int bar = g_RebarList.FindByName(line.value);
        if (bar >= 0) {
            layer.barIndex = bar;
            layer.bartitle = g_RebarList.GetName(layer.barIndex);
            layer.db = g_RebarList.GetDiameter(layer.barIndex);
            layer.Ai = g_RebarList.GetArea(layer.barIndex);
            if (layer.Ai > 0.0)
                layer.legs = TruncateToInt(layer.A / layer.Ai);
            if (layer.legs == 2 && layer.pattern == 1)
                layer.pattern = 3;
        }
    }
}

void LabelledTextKeys::LoadingKeys(const Line& line)
{
    const bool constant = line.keyword == "CONSTANT";
    if (!constant && line.keyword != "VARIABLE")
        return;
    double loads[kLoadCount] = {};
    if (constant)
        m_beam.GetConstantLoads(loads, kLoadCount);
    else
        m_beam.GetIncrementLoads(loads, kLoadCount);
    loads[0] = FromUnits(line.v, ukForce);
    if (const std::string* moment = line.Word(2)) {
        loads[1] = FromUnits(ReadNumber(*moment), ukMoment);
        if (const std::string* shear = line.Word(3))
            loads[2] = FromUnits(ReadNumber(*shear), ukForce);
    }
    if (constant)
        m_beam.SetConstantLoads(loads, kLoadCount);
    else
        m_beam.SetIncrementLoads(loads, kLoadCount);
}

void LabelledTextKeys::ProfileRow(const Line& line, TDepthTable& table)
{
    if (line.keyword.empty() || line.value.empty())
        return;
    table.Add(m_beam.GetBottom() + FromUnits(ReadNumber(line.keyword), ukSectionLength),
              FromUnits(line.v, ukStrain));
}

void LabelledTextKeys::MemberKeys(const Line& line)
{
    m_memberRead = true;
    TMemberQuickDef info;
    m_beam.GetStoredValues(info);
    info.lplate = kMemberPlate;
    info.rplate = kMemberPlate;
    const std::string& k = line.keyword;
    const double v = line.v;
    if (k == "L")
        info.L = ToStoredFloat(FromUnits(v, ukSectionLength));
    else if (k == "MIDO2")
        info.mido2 = ToStoredFloat(FromUnits(v, ukSectionLength));
    else if (k == "LEFTPERCENT")
        info.leftpercent = ToStoredFloat(FromUnits(v, ukPercent));
    else if (k == "TYPE")
        info.type = ToMemberCode(line.value);
    else if (k == "PENETRATE")
        info.penetrate = ToStoredFloat(FromUnits(v, ukSectionLength));
    else if (k == "LEFT")
        info.left = ToMemberCode(line.value);
    else if (k == "RIGHT")
        info.right = ToMemberCode(line.value);
    m_beam.SetStoredValues(info);
}

LegacyReadResult LabelledTextKeys::Finish(std::size_t lines)
{
    if (g_FileOverride == 0)
        g_UnitSystem = m_unitsAtStart;
    // A layer or value no section holds (the strain discontinuity's rows among them) refuses
    // the file before the section is validated, so that it is told once and nothing is built
    // from it.
    m_beam.SetStrainDiscontinuity(m_discontinuity);
    if (LegacyReadResult held = CheckHeldLayers(m_beam, lines); !held.IsRead()) {
        ShowMessage(held.message, kLoadError);
        return held;
    }
    m_beam.Validate();
    for (int i = 0; i < m_beam.GetConcreteTypeCount(); ++i)
        CheckConcreteType(*m_beam.GetConcreteType(i), false);
    for (int i = 0; i < m_beam.GetSteelTypeCount(); ++i)
        CheckSteelType(*m_beam.GetSteelType(i), false);
    // A file without member information gives the section the member a new section gets.
    if (!m_memberRead)
        m_beam.SetStoredValues(NewSectionMemberValues(m_beam.GetHeight()));
    return LegacyRead(lines);
}
